#include "SummaryPages.h"

#include "ColumnWidths.h"
#include "PageText.h"
#include "PdfTextMaps.h"

#include "core/SystemError.h"
#include "core/TextFile.h"

#include <QBitArray>
#include <QBuffer>
#include <QFont>
#include <QHash>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace lgbatch {

namespace {

constexpr qreal MarginMillimetres = 15;
constexpr qreal BodyPoints = 8;
constexpr qreal FactPoints = 10;
constexpr qreal TitlePoints = 16;
// A column of words is never made narrower than this many characters, unless its longest
// text is shorter.
constexpr qreal NarrowestWordColumnEms = 4;
// Figures are kept on one line up to this many digits, far more than any account has; longer
// ones (only a file can bring them) wrap like words.
constexpr int LongestWholeFigure = 24;
const QString CountLabel = QStringLiteral("总笔数：");
const QString TotalLabel = QStringLiteral("总金额：");
const QString CapitalsLabel = QStringLiteral("大写：");
const QStringList SignatureLabels{QStringLiteral("制单："), QStringLiteral("复核："),
                                  QStringLiteral("审批：")};
const QString PageNumberPattern = QStringLiteral("第 %1 页 共 %2 页");
const QColor RuleColour(110, 110, 110);
const QColor HeaderFill(228, 228, 228);

QFont summaryFont(qreal points, bool bold = false)
{
    QFont font;
    // A CJK face first, so that Chinese and figures come from one font of one height: Windows'
    // own Chinese faces where the program runs on Windows, the usual Linux ones elsewhere.
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans SC")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The rows of one page: [firstRow, endRow), and what else the page holds.
struct Page
{
    int firstRow = 0;
    int endRow = 0;
    bool heading = false;
    bool totals = false;
};

class Layout
{
public:
    Layout(const ListSummary &summary, QPaintDevice &device);

    int pageCount() const { return int(m_pages.size()); }
    void paintPage(QPainter &painter, int page) const;

private:
    qreal points(qreal value) const { return value * m_dpi / 72.0; }
    qreal cellWidth(int row, int column) const { return m_cellWidths[qsizetype(row) * m_columns + column]; }
    void measureColumns();
    // The lines of one cell at its column's width; most cells take one line and are not kept.
    QStringList cellLines(int row, int column) const;
    void wrapCells();
    void wrapHeading();
    void paginate();

    qreal headingHeight() const;
    qreal totalsHeight() const;
    void paintHeading(QPainter &painter, qreal &y) const;
    void paintTable(QPainter &painter, const Page &page, qreal &y) const;
    void addCellText(PageText::Batch &batch, const PageText &face, const QStringList &lines, int column,
                     qreal top, qreal width = -1) const;
    void paintTotals(QPainter &painter, qreal y) const;
    void paintFooter(QPainter &painter, int page) const;

    const ListSummary &m_summary;
    qreal m_dpi;
    qreal m_pageWidth;
    qreal m_pageHeight;
    PageText m_body;
    PageText m_bold;
    PageText m_fact;
    PageText m_title;
    qsizetype m_columns;
    qreal m_padX;
    qreal m_padY;
    qreal m_line;

    QList<float> m_cellWidths; // by row * columns + column
    QList<qreal> m_columnLeft; // one more than the columns: the right edge of the last
    QList<QStringList> m_headerLines;
    QList<qreal> m_rowHeight;
    qreal m_headerHeight = 0;
    // Cells that take more than one line, by row * columns + column.
    QHash<qsizetype, QStringList> m_wrappedCells;
    QList<QStringList> m_factLines;
    QStringList m_underTotalLines;
    QList<Page> m_pages;
};

Layout::Layout(const ListSummary &summary, QPaintDevice &device)
    : m_summary(summary), m_dpi(device.logicalDpiY()), m_pageWidth(device.width()),
      m_pageHeight(device.height()), m_body(summaryFont(BodyPoints), device),
      m_bold(summaryFont(BodyPoints, true), device), m_fact(summaryFont(FactPoints), device),
      m_title(summaryFont(TitlePoints, true), device), m_columns(summary.columns.size()), m_padX(points(2.5)),
      m_padY(points(2)), m_line(m_body.lineSpacing())
{
    measureColumns();
    wrapCells();
    wrapHeading();
    paginate();
}

void Layout::measureColumns()
{
    const qsizetype columns = m_columns;
    // Every cell is measured once; the widths serve the columns, the line breaks and the
    // right-aligned figures.
    m_cellWidths.reserve(m_summary.rows.size() * columns);
    QList<qreal> widest(columns);
    for (const QStringList &row : m_summary.rows) {
        for (qsizetype c = 0; c < columns; ++c) {
            m_cellWidths.append(float(m_body.width(row.value(c))));
            widest[c] = std::max(widest[c], qreal(m_cellWidths.last()));
        }
    }
    QList<ColumnTexts> texts(columns);
    for (qsizetype c = 0; c < columns; ++c)
        texts[c] = {widest[c], m_bold.width(m_summary.columns[c].header), m_summary.columns[c].figures};
    const qreal em = m_body.width(QStringLiteral("汉"));
    const ColumnFonts fonts{em, m_body.width(QString(LongestWholeFigure, u'0')), NarrowestWordColumnEms * em,
                            m_padX, points(0.5)};
    const QList<qreal> widths = columnWidths(texts, fonts, m_pageWidth);
    m_columnLeft.append(0);
    for (qsizetype c = 0; c < columns; ++c)
        m_columnLeft.append(m_columnLeft.last() + widths[c]);
}

QStringList Layout::cellLines(int row, int column) const
{
    const qsizetype key = qsizetype(row) * m_columns + column;
    if (const auto found = m_wrappedCells.constFind(key); found != m_wrappedCells.cend())
        return *found;
    return {m_summary.rows[row].value(column)};
}

void Layout::wrapCells()
{
    const int columns = int(m_columns);
    m_rowHeight.reserve(m_summary.rows.size());
    for (int row = 0; row < m_summary.rows.size(); ++row) {
        qsizetype lines = 1;
        for (int c = 0; c < columns; ++c) {
            const qreal room = m_columnLeft[c + 1] - m_columnLeft[c] - 2 * m_padX;
            if (cellWidth(row, c) <= room)
                continue;
            QStringList parts = m_body.lines(m_summary.rows[row].at(c), room);
            lines = std::max(lines, parts.size());
            m_wrappedCells.insert(qsizetype(row) * columns + c, std::move(parts));
        }
        m_rowHeight.append(lines * m_line + 2 * m_padY);
    }
    qsizetype headerLines = 1;
    for (int c = 0; c < columns; ++c) {
        const qreal room = m_columnLeft[c + 1] - m_columnLeft[c] - 2 * m_padX;
        m_headerLines.append(m_bold.lines(m_summary.columns[c].header, room));
        headerLines = std::max(headerLines, m_headerLines.last().size());
    }
    m_headerHeight = headerLines * m_bold.lineSpacing() + 2 * m_padY;
}

void Layout::wrapHeading()
{
    for (const auto &[label, value] : m_summary.facts)
        m_factLines.append(m_fact.lines(label + value, m_pageWidth));
    m_underTotalLines = m_fact.lines(CapitalsLabel + m_summary.totalInCapitals, m_pageWidth);
    if (!m_summary.totalWarning.isEmpty())
        m_underTotalLines += m_fact.lines(m_summary.totalWarning, m_pageWidth);
}

qreal Layout::headingHeight() const
{
    qreal lines = 1; // the program's title
    for (const QStringList &fact : m_factLines)
        lines += fact.size();
    return m_title.lineSpacing() + points(4) + lines * m_fact.lineSpacing() + points(8);
}

qreal Layout::totalsHeight() const
{
    // A gap, count and total, the capitals (and any warning), room to sign, and the signature line.
    return points(8) + (1 + m_underTotalLines.size()) * m_fact.lineSpacing() + points(28) +
           m_fact.lineSpacing();
}

void Layout::paginate()
{
    const qreal bottom = m_pageHeight - m_body.lineSpacing() - points(6);
    Page page{0, 0, true, false};
    qreal y = headingHeight() + m_headerHeight;
    for (int row = 0; row < m_summary.rows.size(); ++row) {
        // A row taller than a whole page still gets a page of its own rather than none.
        if (y + m_rowHeight[row] > bottom && page.endRow > page.firstRow) {
            m_pages.append(page);
            page = Page{row, row, false, false};
            y = m_headerHeight;
        }
        page.endRow = row + 1;
        y += m_rowHeight[row];
    }
    if (y + totalsHeight() > bottom) {
        m_pages.append(page);
        page = Page{page.endRow, page.endRow, false, false};
    }
    page.totals = true;
    m_pages.append(page);
}

void Layout::paintPage(QPainter &painter, int index) const
{
    const Page &page = m_pages[index];
    qreal y = 0;
    if (page.heading)
        paintHeading(painter, y);
    if (page.endRow > page.firstRow)
        paintTable(painter, page, y);
    if (page.totals)
        paintTotals(painter, y);
    paintFooter(painter, index);
}

void Layout::paintHeading(QPainter &painter, qreal &y) const
{
    m_title.paint(painter, QPointF((m_pageWidth - m_title.width(m_summary.title)) / 2, y + m_title.ascent()),
                  m_summary.title);
    y += m_title.lineSpacing() + points(4);
    m_fact.paint(painter, QPointF(0, y + m_fact.ascent()), m_summary.programTitle);
    y += m_fact.lineSpacing();
    for (const QStringList &fact : m_factLines) {
        for (const QString &text : fact) {
            m_fact.paint(painter, QPointF(0, y + m_fact.ascent()), text);
            y += m_fact.lineSpacing();
        }
    }
    y += points(8);
}

void Layout::addCellText(PageText::Batch &batch, const PageText &face, const QStringList &lines, int column,
                         qreal top, qreal width) const
{
    qreal baseline = top + m_padY + face.ascent();
    for (const QString &line : lines) {
        qreal x = m_columnLeft[column] + m_padX;
        if (m_summary.columns[column].rightAligned)
            x = m_columnLeft[column + 1] - m_padX -
                (width >= 0 && lines.size() == 1 ? width : face.width(line));
        batch.add(QPointF(x, baseline), line);
        baseline += face.lineSpacing();
    }
}

void Layout::paintTable(QPainter &painter, const Page &page, qreal &y) const
{
    const qreal top = y;
    const qreal right = m_columnLeft.last();
    const int columns = int(m_columns);
    painter.fillRect(QRectF(0, y, right, m_headerHeight), HeaderFill);
    PageText::Batch header(m_bold);
    for (int c = 0; c < columns; ++c)
        addCellText(header, m_bold, m_headerLines[c], c, y);
    header.paint(painter);
    y += m_headerHeight;

    QPen rule(RuleColour);
    rule.setWidthF(points(0.4));
    painter.setPen(rule);
    painter.drawLine(QPointF(0, y), QPointF(right, y));
    painter.setPen(Qt::black);
    QList<qreal> rowRules;
    rowRules.reserve(page.endRow - page.firstRow);
    // A row at a time: the rows keep their order in the file, as a reader copies them.
    PageText::Batch cells(m_body);
    for (int row = page.firstRow; row < page.endRow; ++row) {
        for (int c = 0; c < columns; ++c)
            addCellText(cells, m_body, cellLines(row, c), c, y, cellWidth(row, c));
        cells.paint(painter);
        y += m_rowHeight[row];
        rowRules.append(y);
    }
    // The rules last, all at once: one pen change per page instead of one per row.
    QPen thin(RuleColour);
    thin.setWidthF(points(0.25));
    painter.setPen(thin);
    for (qreal at : std::as_const(rowRules))
        painter.drawLine(QPointF(0, at), QPointF(right, at));
    painter.setPen(rule);
    for (int c = 0; c <= columns; ++c)
        painter.drawLine(QPointF(m_columnLeft[c], top), QPointF(m_columnLeft[c], y));
    painter.drawLine(QPointF(0, top), QPointF(right, top));
    painter.drawLine(QPointF(0, y), QPointF(right, y));
    painter.setPen(Qt::black);
}

void Layout::paintTotals(QPainter &painter, qreal y) const
{
    const qreal line = m_fact.lineSpacing();
    const qreal ascent = m_fact.ascent();
    y += points(8);
    m_fact.paint(painter, QPointF(0, y + ascent), CountLabel + m_summary.count);
    m_fact.paint(painter, QPointF(m_pageWidth / 3, y + ascent), TotalLabel + m_summary.total);
    y += line;
    for (const QString &text : m_underTotalLines) {
        m_fact.paint(painter, QPointF(0, y + ascent), text);
        y += line;
    }
    y += points(28);
    // Each signature is its label and a line to sign on, a third of the width apiece.
    const qreal third = m_pageWidth / 3;
    for (int i = 0; i < SignatureLabels.size(); ++i) {
        const qreal x = i * third;
        m_fact.paint(painter, QPointF(x, y + ascent), SignatureLabels[i]);
        const qreal from = x + m_fact.width(SignatureLabels[i]);
        painter.drawLine(QPointF(from, y + line), QPointF(x + third - points(12), y + line));
    }
}

void Layout::paintFooter(QPainter &painter, int page) const
{
    const QString text = PageNumberPattern.arg(page + 1).arg(m_pages.size());
    const qreal x = (m_pageWidth - m_body.width(text)) / 2;
    m_body.paint(painter, QPointF(x, m_pageHeight - m_body.metrics().descent()), text);
}

} // namespace

namespace {

// Every character the pages of `summary` show, once each.
QString drawnCharacters(const ListSummary &summary)
{
    QBitArray seen(0x10000);
    QString characters;
    const auto take = [&](const QString &text) {
        for (QChar c : text) {
            if (!seen.testBit(c.unicode())) {
                seen.setBit(c.unicode());
                characters.append(c);
            }
        }
    };
    for (const QString &text : {summary.title, summary.programTitle, summary.count, summary.total,
                                summary.totalInCapitals, summary.totalWarning, CountLabel, TotalLabel,
                                CapitalsLabel, PageNumberPattern, QStringLiteral("0123456789")})
        take(text);
    for (const QString &label : SignatureLabels)
        take(label);
    for (const auto &[label, value] : summary.facts)
        take(label + value);
    for (const SummaryColumn &column : summary.columns)
        take(column.header);
    for (const QStringList &row : summary.rows) {
        for (const QString &cell : row)
            take(cell);
    }
    return characters;
}

} // namespace

void SummaryPages::setUpPage(QPagedPaintDevice &device)
{
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
                    QPageLayout::Millimeter));
}

int SummaryPages::paint(const ListSummary &summary, QPagedPaintDevice &device)
{
    const Layout layout(summary, device);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    for (int page = 0; page < layout.pageCount(); ++page) {
        if (page > 0 && !device.newPage())
            return 0;
        layout.paintPage(painter, page);
    }
    painter.end();
    return layout.pageCount();
}

Status SummaryPages::writePdf(const ListSummary &summary, const QString &fileName)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        setUpPage(writer);
        writer.setTitle(summary.title);
        writer.setCreator(summary.programTitle);
        if (paint(summary, writer) == 0)
            return Status::failure(QStringLiteral("设备 I/O 错误"), SystemError::DeviceIo);
    }
    const QList<QFont> fonts{summaryFont(BodyPoints), summaryFont(BodyPoints, true)};
    return TextFile::saveAtomically(fileName,
                                    PdfTextMaps::repaired(std::move(pdf), fonts, drawnCharacters(summary)));
}

} // namespace lgbatch
