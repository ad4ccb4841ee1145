#include "XlsxWorkbook.h"

#include "XlsxPackage.h"
#include "XmlScanner.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QTime>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <cmath>

namespace lgbatch {

using namespace XlsxPackage;

namespace {

// The extent of a sheet in Excel.
constexpr int LastRowNumber = 1048576;
constexpr int LastColumn = 16384;

// The built-in number formats that show dates or times.
bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
           (id >= 50 && id <= 58);
}

// Whether a format code shows a date or a time: a y, m, d, h or s outside quoted text, escaped
// characters and [colour] sections.
bool isDateFormatCode(QStringView code)
{
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == QLatin1Char('"')) {
            const qsizetype close = code.indexOf(QLatin1Char('"'), i + 1);
            i = close < 0 ? code.size() : close;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = code.indexOf(QLatin1Char(']'), i + 1);
            i = close < 0 ? code.size() : close;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (QStringView(u"ymdhsYMDHS").contains(c)) {
            return true;
        }
    }
    return false;
}

// "B12" -> column 1; -1 when the reference has no column letters or is out of the sheet.
int columnOfReference(QByteArrayView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) {
        column = column * 26 + (reference[i] - 'A' + 1);
        if (column > LastColumn)
            return -1;
    }
    return i == 0 ? -1 : column - 1;
}

bool isPlainInteger(QStringView text)
{
    qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Excel keeps 15 significant digits of a number: a card number typed into a number cell has
// lost its last digits already, though the cell shows no sign of it.
constexpr int ExactDigits = 15;

// "1895.43": a decimal of at most 15 significant digits, written as briefly as it can be (no
// leading zeros but the one before the point, no trailing zeros). Such a text reads back digit
// for digit from its double, so it is already what Excel shows.
bool isShortestDecimal(QStringView text)
{
    const qsizetype sign = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point <= sign || point + 1 >= text.size() || text.endsWith(QLatin1Char('0')))
        return false;
    const QStringView integer = text.sliced(sign, point - sign);
    const QStringView fraction = text.sliced(point + 1);
    if ((integer.size() > 1 && integer[0] == QLatin1Char('0')) || integer.size() > 15 || fraction.size() > 15)
        return false;
    const auto digitsOnly = [](QStringView part) {
        return std::all_of(part.begin(), part.end(),
                           [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    };
    if (!digitsOnly(integer) || !digitsOnly(fraction))
        return false;
    qsizetype significant = integer == u"0" ? 0 : integer.size();
    qsizetype leadingZeros = 0;
    if (significant == 0) {
        while (leadingZeros < fraction.size() && fraction[leadingZeros] == QLatin1Char('0'))
            ++leadingZeros;
    }
    significant += fraction.size() - leadingZeros;
    return significant <= 15;
}

int significantDigits(QStringView number)
{
    int digits = 0;
    for (QChar c : number) {
        if (c.isDigit() && (digits > 0 || c != QLatin1Char('0')))
            ++digits;
    }
    return digits;
}

std::optional<double> storedNumber(QStringView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The workbook's file as libzip reads it, through Qt: libzip's own file source takes the path in
// the system's 8-bit encoding, which on Windows cannot name every folder (Chinese names on a
// system of another language), while Qt opens any path the same way on every platform.
struct QtFileSource
{
    explicit QtFileSource(const QString &path) : file(path) { zip_error_init(&error); }
    ~QtFileSource() { zip_error_fini(&error); }
    QFile file;
    zip_error_t error;
};

zip_int64_t failWith(QtFileSource &source, int code)
{
    zip_error_set(&source.error, code, 0);
    return -1;
}

zip_int64_t readThroughQt(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto &source = *static_cast<QtFileSource *>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        if (!source.file.isOpen() && !source.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return failWith(source, ZIP_ER_OPEN);
        return source.file.seek(0) ? 0 : failWith(source, ZIP_ER_SEEK);
    case ZIP_SOURCE_READ: {
        const qint64 got = source.file.read(static_cast<char *>(data), qint64(length));
        return got < 0 ? failWith(source, ZIP_ER_READ) : got;
    }
    case ZIP_SOURCE_CLOSE:
        source.file.close();
        return 0;
    case ZIP_SOURCE_STAT: {
        if (length < sizeof(zip_stat_t))
            return failWith(source, ZIP_ER_INVAL);
        auto *stat = static_cast<zip_stat_t *>(data);
        zip_stat_init(stat);
        stat->size = zip_uint64_t(source.file.size());
        stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_SEEK: {
        const zip_int64_t offset = zip_source_seek_compute_offset(
            zip_uint64_t(source.file.pos()), zip_uint64_t(source.file.size()), data, length, &source.error);
        if (offset < 0)
            return -1;
        return source.file.seek(offset) ? 0 : failWith(source, ZIP_ER_SEEK);
    }
    case ZIP_SOURCE_TELL:
        return source.file.pos();
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source.error, data, length);
    case ZIP_SOURCE_FREE:
        delete &source;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default:
        return failWith(source, ZIP_ER_OPNOTSUPP);
    }
}

} // namespace

// The rows of one sheet, read as the parser goes through the sheet's XML.
class XlsxWorkbook::Reader : public SheetReader
{
public:
    explicit Reader(const XlsxWorkbook &book) : m_book(book) {}

    Status open(const QString &path) { return m_part.open(m_book.m_zip, path, PartLimit); }
    void failWith(Error error) { m_error = std::move(error); }

    bool next(SheetRow &row) override;
    const std::optional<Error> &error() const override { return m_error; }
    double progress() const override { return m_done ? 1.0 : m_part.progress(); }
    qsizetype rowCountHint() const override { return m_rowCountHint; }

private:
    enum class Text
    {
        None,
        Value,  // <v>
        Inline, // <t> of an inline string
    };
    // What a cell's "t" says it holds.
    enum class Kind
    {
        Number,
        Shared,
        Inline,
        FormulaText,
        IsoDate,
        Boolean,
        ErrorValue,
    };
    struct Cell
    {
        int column = -1;
        Kind kind = Kind::Number;
        int format = 0;
        bool formula = false;
        bool hasValue = false;
        QString value; // its room is kept from cell to cell
    };

    bool fail(Error error)
    {
        m_error = std::move(error);
        return false;
    }
    void noteExtent(QByteArrayView extent);
    QByteArrayView attribute(QByteArrayView name) { return m_scan.plainAttribute(name, m_scratch); }
    bool startRow(SheetRow &row);
    bool startCell();
    void endCell(SheetRow &row);

    const XlsxWorkbook &m_book;
    ZipPart m_part;
    XmlScanner m_scan{[this] { return m_part.read(); }};
    QByteArray m_scratch;
    std::optional<Error> m_error;
    bool m_done = false;
    int m_lastRow = 0;
    int m_lastColumn = -1;
    Cell m_cell;
    Text m_text = Text::None;
    bool m_inInline = false;
    int m_phonetic = 0; // depth inside <rPh>, whose text is a reading aid, not the value
    qsizetype m_rowCountHint = 0;
};

void XlsxWorkbook::Reader::noteExtent(QByteArrayView extent)
{
    // "A1:H32768": the sheet's extent, written before its rows.
    const auto rowOf = [](QByteArrayView reference) {
        qsizetype letters = 0;
        while (letters < reference.size() && !(reference[letters] >= '0' && reference[letters] <= '9'))
            ++letters;
        return reference.sliced(letters).toInt();
    };
    const qsizetype colon = extent.indexOf(':');
    if (colon > 0)
        m_rowCountHint = std::max(0, rowOf(extent.sliced(colon + 1)) - rowOf(extent.first(colon)) + 1);
}

bool XlsxWorkbook::Reader::startRow(SheetRow &row)
{
    const QByteArrayView number = attribute("r");
    int value = m_lastRow + 1;
    if (!number.isEmpty()) {
        bool ok = false;
        value = number.toInt(&ok);
        if (!ok)
            return fail(damaged(QStringLiteral("行号")));
    }
    if (value < 1 || value > LastRowNumber)
        return fail(damaged(QStringLiteral("行号")));
    m_lastRow = value;
    m_lastColumn = -1;
    row.number = value;
    row.cells.clear();
    row.unreadable.clear();
    return true;
}

bool XlsxWorkbook::Reader::startCell()
{
    const QByteArrayView reference = attribute("r");
    m_cell.column = reference.isEmpty() ? m_lastColumn + 1 : columnOfReference(reference);
    if (m_cell.column < 0 || m_cell.column >= LastColumn)
        return fail(damaged(QStringLiteral("单元格位置")));
    m_lastColumn = m_cell.column;
    const QByteArrayView type = attribute("t");
    m_cell.kind = type == "s"           ? Kind::Shared
                  : type == "inlineStr" ? Kind::Inline
                  : type == "str"       ? Kind::FormulaText
                  : type == "d"         ? Kind::IsoDate
                  : type == "b"         ? Kind::Boolean
                  : type == "e"         ? Kind::ErrorValue
                                        : Kind::Number;
    m_cell.format = attribute("s").toInt();
    m_cell.formula = false;
    m_cell.hasValue = false;
    m_cell.value.resize(0);
    return true;
}

void XlsxWorkbook::Reader::endCell(SheetRow &row)
{
    const Cell &cell = m_cell;
    if (cell.column >= SheetColumnLimit)
        return;
    QString text;
    QString problem;
    const QStringView stored = QStringView(cell.value).trimmed();
    // A formula saved by a program that does not calculate has no result, or an empty one where
    // a number belongs; only a text result may be empty.
    if (cell.formula && cell.value.isEmpty() && cell.kind != Kind::FormulaText && cell.kind != Kind::Inline) {
        problem = QStringLiteral("公式没有保存计算结果，请在Excel中打开并保存后再导入");
    } else {
        switch (cell.kind) {
        case Kind::Shared: {
            bool ok = false;
            const int index = stored.toInt(&ok);
            if (!ok || index < 0 || index >= m_book.m_sharedStrings.size())
                problem = QStringLiteral("单元格引用的文字不存在");
            else
                text = m_book.m_sharedStrings[index];
            break;
        }
        case Kind::Inline:
        case Kind::FormulaText:
        case Kind::IsoDate:
            // A copy of its own size: the cell's buffer stays for the next cell.
            text = QString(cell.value.constData(), cell.value.size());
            break;
        case Kind::Boolean:
            text = stored == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            break;
        case Kind::ErrorValue:
            problem = QStringLiteral("单元格的值是错误值%1").arg(stored);
            break;
        case Kind::Number:
            if (cell.hasValue) {
                const bool date = cell.format >= 0 && cell.format < m_book.m_dateFormats.size() &&
                                  m_book.m_dateFormats[cell.format];
                const std::optional<double> number = date ? storedNumber(stored) : std::nullopt;
                text = number ? dateText(*number, m_book.m_date1904) : numberText(stored);
                if (!number && significantDigits(text) > ExactDigits)
                    problem =
                        QStringLiteral("数字超过15位，Excel只保存数字的前15位，请把该列设为文本后重新填写");
            }
            break;
        }
    }
    if (row.cells.size() <= cell.column)
        row.cells.resize(cell.column + 1);
    row.cells[cell.column] = text;
    if (!problem.isEmpty())
        row.unreadable.insert(cell.column, problem);
}

bool XlsxWorkbook::Reader::next(SheetRow &row)
{
    if (m_error || m_done)
        return false;
    bool inRow = false;
    while (true) {
        switch (m_scan.next()) {
        case XmlScanner::Token::Invalid:
            m_done = true;
            return fail(m_scan.sourceError().value_or(damaged(m_part.path())));
        case XmlScanner::Token::EndDocument:
            m_done = true;
            if (inRow)
                return fail(damaged(QStringLiteral("工作表")));
            return false;
        case XmlScanner::Token::StartElement:
            if (m_scan.nameIs("row")) {
                if (!startRow(row))
                    return false;
                inRow = true;
            } else if (m_scan.nameIs("dimension")) {
                noteExtent(attribute("ref"));
            } else if (!inRow) {
                break;
            } else if (m_scan.nameIs("c")) {
                if (!startCell())
                    return false;
            } else if (m_scan.nameIs("v")) {
                m_cell.hasValue = true;
                m_text = Text::Value;
            } else if (m_scan.nameIs("f")) {
                m_cell.formula = true;
            } else if (m_scan.nameIs("is")) {
                m_inInline = true;
                m_cell.hasValue = true;
            } else if (m_scan.nameIs("rPh")) {
                ++m_phonetic;
            } else if (m_scan.nameIs("t") && m_inInline && m_phonetic == 0) {
                m_text = Text::Inline;
            }
            break;
        case XmlScanner::Token::Characters:
            if (m_text != Text::None && !m_scan.appendText(m_cell.value))
                return fail(damaged(m_part.path()));
            break;
        case XmlScanner::Token::EndElement:
            if (m_scan.nameIs("v") || m_scan.nameIs("t")) {
                m_text = Text::None;
            } else if (m_scan.nameIs("rPh")) {
                --m_phonetic;
            } else if (m_scan.nameIs("is")) {
                m_inInline = false;
            } else if (m_scan.nameIs("c") && inRow) {
                endCell(row);
            } else if (m_scan.nameIs("row") && inRow) {
                return true;
            } else if (m_scan.nameIs("sheetData")) {
                m_done = true;
                return false;
            }
            break;
        }
    }
}

Result<std::unique_ptr<XlsxWorkbook>> XlsxWorkbook::open(QByteArray bytes)
{
    std::unique_ptr<XlsxWorkbook> book(new XlsxWorkbook(std::move(bytes)));
    zip_source_t *source =
        zip_source_buffer_create(book->m_bytes.constData(), zip_uint64_t(book->m_bytes.size()), 0, nullptr);
    LGBATCH_TRY(book->load(source));
    return book;
}

Result<std::unique_ptr<XlsxWorkbook>> XlsxWorkbook::openFile(const QString &path)
{
    std::unique_ptr<XlsxWorkbook> book(new XlsxWorkbook(QByteArray()));
    auto *state = new QtFileSource(path);
    zip_source_t *source = zip_source_function_create(readThroughQt, state, nullptr);
    if (!source)
        delete state;
    LGBATCH_TRY(book->load(source));
    return book;
}

XlsxWorkbook::~XlsxWorkbook()
{
    if (m_zip)
        zip_discard(m_zip);
}

Status XlsxWorkbook::load(zip_source_t *source)
{
    zip_error_t error;
    zip_error_init(&error);
    if (source)
        m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!m_zip) {
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        return Status::failure(QStringLiteral("文件不是有效的.xlsx表格文件"));
    }
    zip_error_fini(&error);

    // The package names its workbook; packages that do not are read where Excel puts it.
    QString workbook = QStringLiteral("xl/workbook.xml");
    const auto packageLinks = readRelationships(m_zip, QString());
    if (!packageLinks)
        return packageLinks.errorInfo();
    for (const Relationship &link : packageLinks.value()) {
        if (typeIs(link, u"officeDocument"))
            workbook = link.target;
    }
    if (!hasPart(m_zip, workbook))
        return Status::failure(QStringLiteral("文件不是有效的.xlsx表格文件"));

    const auto links = readRelationships(m_zip, workbook);
    if (!links)
        return links.errorInfo();
    XmlPart xml;
    LGBATCH_TRY(xml.open(m_zip, workbook, SmallPartLimit));
    LGBATCH_TRY(xml.forEachStart([&](QXmlStreamReader &r) {
        if (r.name() == u"workbookPr") {
            const QStringView flag = r.attributes().value(QLatin1StringView("date1904"));
            m_date1904 = flag == u"1" || flag == u"true";
        } else if (r.name() == u"sheet") {
            QString id;
            for (const QXmlStreamAttribute &a : r.attributes()) {
                if (a.name() == u"id" && !a.namespaceUri().isEmpty())
                    id = a.value().toString();
            }
            const auto link = links->constFind(id);
            if (link != links->cend() && typeIs(*link, u"worksheet"))
                m_sheets.append(
                    Sheet{r.attributes().value(QLatin1StringView("name")).toString(), link->target});
        }
    }));
    if (m_sheets.isEmpty())
        return Status::failure(QStringLiteral("表格文件中没有工作表"));
    for (const Relationship &link : links.value()) {
        if (typeIs(link, u"styles"))
            LGBATCH_TRY(readStyles(link.target));
        else if (typeIs(link, u"sharedStrings"))
            LGBATCH_TRY(readSharedStrings(link.target));
    }
    return {};
}

Status XlsxWorkbook::readStyles(const QString &path)
{
    XmlPart xml;
    LGBATCH_TRY(xml.open(m_zip, path, SmallPartLimit));
    QHash<int, bool> customDates;
    bool inCellFormats = false;
    while (true) {
        const QXmlStreamReader::TokenType token = xml.next();
        if (token == QXmlStreamReader::Invalid)
            return *xml.error();
        if (token == QXmlStreamReader::EndDocument)
            return {};
        const QStringView name = xml.xml().name();
        if (token == QXmlStreamReader::EndElement && name == u"cellXfs")
            inCellFormats = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.xml().attributes();
        if (name == u"numFmt") {
            customDates.insert(a.value(QLatin1StringView("numFmtId")).toInt(),
                               isDateFormatCode(a.value(QLatin1StringView("formatCode"))));
        } else if (name == u"cellXfs") {
            inCellFormats = true;
        } else if (name == u"xf" && inCellFormats) {
            const int id = a.value(QLatin1StringView("numFmtId")).toInt();
            m_dateFormats.append(customDates.value(id, isBuiltInDateFormat(id)));
        }
    }
}

Status XlsxWorkbook::readSharedStrings(const QString &path)
{
    ZipPart part;
    LGBATCH_TRY(part.open(m_zip, path, PartLimit));
    XmlScanner xml([&part] { return part.read(); });
    QString current;
    bool inItem = false;
    bool inText = false;
    int phonetic = 0;
    while (true) {
        switch (xml.next()) {
        case XmlScanner::Token::Invalid:
            return xml.sourceError().value_or(damaged(path));
        case XmlScanner::Token::EndDocument:
            return {};
        case XmlScanner::Token::StartElement:
            if (xml.nameIs("sst")) {
                // The count the part announces, within reason: a wrong one costs only the reserve.
                const int count = xml.attribute("uniqueCount").toInt();
                m_sharedStrings.reserve(std::clamp(count, 0, 1 << 22));
            } else if (xml.nameIs("si")) {
                inItem = true;
                current.clear();
            } else if (xml.nameIs("rPh")) {
                ++phonetic;
            } else if (xml.nameIs("t") && inItem && phonetic == 0) {
                inText = true;
            }
            break;
        case XmlScanner::Token::Characters:
            if (inText && !xml.appendText(current))
                return damaged(path);
            break;
        case XmlScanner::Token::EndElement:
            if (xml.nameIs("t")) {
                inText = false;
            } else if (xml.nameIs("rPh")) {
                --phonetic;
            } else if (xml.nameIs("si") && inItem) {
                inItem = false;
                // A copy of its own size: the text's buffer stays for the next item.
                m_sharedStrings.append(QString(current.constData(), current.size()));
            }
            break;
        }
    }
}

QStringList XlsxWorkbook::sheetNames() const
{
    QStringList names;
    for (const Sheet &sheet : m_sheets)
        names.append(sheet.name);
    return names;
}

std::unique_ptr<SheetReader> XlsxWorkbook::rows(int sheet) const
{
    auto reader = std::make_unique<Reader>(*this);
    if (sheet < 0 || sheet >= m_sheets.size())
        reader->failWith(Error{QStringLiteral("表格文件中没有这个工作表"), 0});
    else if (const Status opened = reader->open(m_sheets[sheet].path); !opened)
        reader->failWith(opened.errorInfo());
    return reader;
}

QString XlsxWorkbook::numberText(QStringView stored)
{
    if (isPlainInteger(stored) || isShortestDecimal(stored))
        return stored.toString();
    const std::optional<double> value = storedNumber(stored);
    if (!value)
        return stored.toString();
    if (*value == 0)
        return QStringLiteral("0");
    // Fifteen significant digits, written out without an exponent: what Excel shows.
    const int exponent = int(std::floor(std::log10(std::fabs(*value))));
    const int decimals = std::clamp(14 - exponent, 0, 30);
    QString text = QString::number(*value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == u"-0" ? QStringLiteral("0") : text;
}

QString XlsxWorkbook::dateText(double serial, bool date1904)
{
    // Beyond 9999-12-31, or before the first day: not a date Excel would show.
    if (serial < 0 || serial >= 2958466)
        return numberText(QString::number(serial, 'g', 17));
    qint64 days = qint64(std::floor(serial));
    qint64 seconds = std::llround((serial - double(days)) * 86400.0);
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    const QString time = QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("hh:mm:ss"));
    QString date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(days).toString(Qt::ISODate);
    } else if (days == 0) {
        return time; // a time of day without a date
    } else if (days == 60) {
        date = QStringLiteral("1900-02-29"); // the day Excel counts in 1900, which had none
    } else {
        // Excel counts 1900-01-01 as day 1 and, after its 1900-02-29, one day too many.
        date = QDate(1899, 12, days < 60 ? 31 : 30).addDays(days).toString(Qt::ISODate);
    }
    return seconds == 0 ? date : date + QLatin1Char(' ') + time;
}

} // namespace lgbatch
