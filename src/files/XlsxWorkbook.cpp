#include "XlsxWorkbook.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QTime>
#include <QXmlStreamReader>

#include <zip.h>

#include <cmath>

namespace lgbatch {

namespace {

// Parts are read in pieces of this size, so that a sheet is never held whole.
constexpr qsizetype ChunkSize = 64 * 1024;
// What one part may unpack to: far beyond any real sheet of 50 MB, and a stop for an archive
// made to unpack without end.
constexpr qint64 PartLimit = qint64(1) << 30;
// The workbook's own small parts (relationships, the sheet list, the cell formats).
constexpr qint64 SmallPartLimit = qint64(64) << 20;
constexpr int LastRowNumber = 1048576;
constexpr int LastColumn = 16384;

Error damaged(const QString &part)
{
    return Error{QStringLiteral("表格文件已损坏（%1）").arg(part), 0};
}

Error encrypted()
{
    return Error{QStringLiteral("表格文件已加密，请在Excel中取消密码后另存为.xlsx文件再导入"), 0};
}

// One part of the archive, read in pieces.
class ZipPart
{
public:
    ZipPart() = default;
    ~ZipPart()
    {
        if (m_file)
            zip_fclose(m_file);
    }
    ZipPart(const ZipPart &) = delete;
    ZipPart &operator=(const ZipPart &) = delete;

    Status open(zip_t *archive, const QString &path, qint64 limit)
    {
        m_path = path;
        m_limit = limit;
        const QByteArray name = path.toUtf8();
        const zip_int64_t index = zip_name_locate(archive, name.constData(), ZIP_FL_NOCASE);
        if (index < 0)
            return damaged(path);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0)
            return damaged(path);
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            return encrypted();
        if (stat.valid & ZIP_STAT_SIZE)
            m_size = qint64(std::min<zip_uint64_t>(stat.size, zip_uint64_t(PartLimit)));
        m_file = zip_fopen_index(archive, zip_uint64_t(index), 0);
        if (!m_file) {
            const int code = zip_error_code_zip(zip_get_error(archive));
            return code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP
                       ? encrypted()
                       : damaged(path);
        }
        return {};
    }

    // The next piece; empty at the end. A fault or a part beyond its limit is an error.
    Result<QByteArray> read()
    {
        QByteArray chunk(ChunkSize, Qt::Uninitialized);
        const zip_int64_t got = zip_fread(m_file, chunk.data(), zip_uint64_t(chunk.size()));
        if (got < 0)
            return damaged(m_path);
        m_read += got;
        if (m_read > m_limit)
            return Error{QStringLiteral("表格文件解压后过大，不能导入"), 0};
        chunk.truncate(qsizetype(got));
        return chunk;
    }

    double progress() const { return m_size > 0 ? std::min(1.0, double(m_read) / double(m_size)) : 0.0; }
    const QString &path() const { return m_path; }

private:
    zip_file_t *m_file = nullptr;
    QString m_path;
    qint64 m_limit = 0;
    qint64 m_size = 0;
    qint64 m_read = 0;
};

// The XML of one part, fed to the parser piece by piece as the parser asks for more.
class XmlPart
{
public:
    Status open(zip_t *archive, const QString &path, qint64 limit = PartLimit)
    {
        return m_part.open(archive, path, limit);
    }

    // The next token; Invalid at a fault, which `error` then tells of.
    QXmlStreamReader::TokenType next()
    {
        while (true) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token != QXmlStreamReader::Invalid)
                return token;
            if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || m_atEnd) {
                if (!m_error)
                    m_error = damaged(m_part.path());
                return QXmlStreamReader::Invalid;
            }
            Result<QByteArray> chunk = m_part.read();
            if (!chunk) {
                m_error = chunk.errorInfo();
                return QXmlStreamReader::Invalid;
            }
            if (chunk->isEmpty())
                m_atEnd = true;
            else
                m_xml.addData(chunk.value());
        }
    }

    QXmlStreamReader &xml() { return m_xml; }
    const std::optional<Error> &error() const { return m_error; }
    double progress() const { return m_part.progress(); }

    // Walks the whole part, handing every start element to `onStart` (with the reader on it);
    // an error when the part is broken.
    template <typename OnStart> Status forEachStart(OnStart onStart)
    {
        while (true) {
            switch (next()) {
            case QXmlStreamReader::Invalid:
                return *m_error;
            case QXmlStreamReader::EndDocument:
                return {};
            case QXmlStreamReader::StartElement:
                onStart(m_xml);
                break;
            default:
                break;
            }
        }
    }

private:
    ZipPart m_part;
    QXmlStreamReader m_xml;
    bool m_atEnd = false;
    std::optional<Error> m_error;
};

struct Relationship
{
    QString type;
    QString target; // a path inside the archive
};

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
QString relationshipsOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// A relationship's target, relative to the folder of the part that names it, as an archive path.
QString resolve(const QString &fromPart, const QString &target)
{
    QStringList segments;
    if (!target.startsWith(QLatin1Char('/'))) {
        segments = fromPart.split(QLatin1Char('/'));
        segments.removeLast();
    }
    for (const QString &segment : target.split(QLatin1Char('/'))) {
        if (segment.isEmpty() || segment == QLatin1String("."))
            continue;
        if (segment != QLatin1String(".."))
            segments.append(segment);
        else if (!segments.isEmpty())
            segments.removeLast();
    }
    segments.removeAll(QString());
    return segments.join(QLatin1Char('/'));
}

// The relationships of a part by their id; none when the part has no relationships file.
Result<QHash<QString, Relationship>> readRelationships(zip_t *archive, const QString &part)
{
    QHash<QString, Relationship> found;
    const QString path = relationshipsOf(part);
    if (zip_name_locate(archive, path.toUtf8().constData(), ZIP_FL_NOCASE) < 0)
        return found;
    XmlPart xml;
    LGBATCH_TRY(xml.open(archive, path, SmallPartLimit));
    LGBATCH_TRY(xml.forEachStart([&](QXmlStreamReader &r) {
        if (r.name() != u"Relationship" ||
            r.attributes().value(QLatin1StringView("TargetMode")) == u"External")
            return;
        const QXmlStreamAttributes a = r.attributes();
        found.insert(a.value(QLatin1StringView("Id")).toString(),
                     {a.value(QLatin1StringView("Type")).toString(),
                      resolve(part, a.value(QLatin1StringView("Target")).toString())});
    }));
    return found;
}

bool typeIs(const Relationship &relationship, QStringView kind)
{
    return relationship.type.endsWith(kind) &&
           relationship.type.chopped(kind.size()).endsWith(QLatin1Char('/'));
}

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
int columnOfReference(QStringView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i] >= QLatin1Char('A') && reference[i] <= QLatin1Char('Z');
         ++i) {
        column = column * 26 + (reference[i].unicode() - u'A' + 1);
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

std::optional<double> storedNumber(QStringView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

// The rows of one sheet, read as the parser goes through the sheet's XML.
class XlsxWorkbook::Reader : public SheetReader
{
public:
    explicit Reader(const XlsxWorkbook &book) : m_book(book) {}

    Status open(const QString &path) { return m_xml.open(m_book.m_zip, path); }
    void failWith(Error error) { m_error = std::move(error); }

    bool next(SheetRow &row) override;
    const std::optional<Error> &error() const override { return m_error; }
    double progress() const override { return m_done ? 1.0 : m_xml.progress(); }
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
    void noteExtent(QStringView extent);
    bool startRow(SheetRow &row);
    bool startCell();
    void endCell(SheetRow &row);

    const XlsxWorkbook &m_book;
    XmlPart m_xml;
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

void XlsxWorkbook::Reader::noteExtent(QStringView extent)
{
    // "A1:H32768": the sheet's extent, written before its rows.
    const auto rowOf = [](QStringView reference) {
        qsizetype letters = 0;
        while (letters < reference.size() && !reference[letters].isDigit())
            ++letters;
        return reference.sliced(letters).toInt();
    };
    const qsizetype colon = extent.indexOf(QLatin1Char(':'));
    if (colon > 0)
        m_rowCountHint = std::max(0, rowOf(extent.sliced(colon + 1)) - rowOf(extent.first(colon)) + 1);
}

bool XlsxWorkbook::Reader::startRow(SheetRow &row)
{
    const QStringView number = m_xml.xml().attributes().value(QLatin1StringView("r"));
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
    const QXmlStreamAttributes a = m_xml.xml().attributes();
    const QStringView reference = a.value(QLatin1StringView("r"));
    m_cell.column = reference.isEmpty() ? m_lastColumn + 1 : columnOfReference(reference);
    if (m_cell.column < 0 || m_cell.column >= LastColumn)
        return fail(damaged(QStringLiteral("单元格位置")));
    m_lastColumn = m_cell.column;
    const QStringView type = a.value(QLatin1StringView("t"));
    m_cell.kind = type == u"s"           ? Kind::Shared
                  : type == u"inlineStr" ? Kind::Inline
                  : type == u"str"       ? Kind::FormulaText
                  : type == u"d"         ? Kind::IsoDate
                  : type == u"b"         ? Kind::Boolean
                  : type == u"e"         ? Kind::ErrorValue
                                         : Kind::Number;
    m_cell.format = a.value(QLatin1StringView("s")).toInt();
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
        QXmlStreamReader &xml = m_xml.xml();
        switch (m_xml.next()) {
        case QXmlStreamReader::Invalid:
            return fail(*m_xml.error());
        case QXmlStreamReader::EndDocument:
            m_done = true;
            if (inRow)
                return fail(damaged(QStringLiteral("工作表")));
            return false;
        case QXmlStreamReader::StartElement: {
            const QStringView name = xml.name();
            if (name == u"row") {
                if (!startRow(row))
                    return false;
                inRow = true;
            } else if (name == u"dimension") {
                noteExtent(xml.attributes().value(QLatin1StringView("ref")));
            } else if (!inRow) {
                break;
            } else if (name == u"c") {
                if (!startCell())
                    return false;
            } else if (name == u"v") {
                m_cell.hasValue = true;
                m_text = Text::Value;
            } else if (name == u"f") {
                m_cell.formula = true;
            } else if (name == u"is") {
                m_inInline = true;
                m_cell.hasValue = true;
            } else if (name == u"rPh") {
                ++m_phonetic;
            } else if (name == u"t" && m_inInline && m_phonetic == 0) {
                m_text = Text::Inline;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (m_text != Text::None)
                m_cell.value += xml.text();
            break;
        case QXmlStreamReader::EndElement: {
            const QStringView name = xml.name();
            if (name == u"v" || name == u"t") {
                m_text = Text::None;
            } else if (name == u"rPh") {
                --m_phonetic;
            } else if (name == u"is") {
                m_inInline = false;
            } else if (name == u"c" && inRow) {
                endCell(row);
            } else if (name == u"row" && inRow) {
                return true;
            } else if (name == u"sheetData") {
                m_done = true;
                return false;
            }
            break;
        }
        default:
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
    zip_source_t *source = zip_source_file_create(QFile::encodeName(path).constData(), 0, -1, nullptr);
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
    if (zip_name_locate(m_zip, workbook.toUtf8().constData(), ZIP_FL_NOCASE) < 0)
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
    XmlPart xml;
    LGBATCH_TRY(xml.open(m_zip, path));
    QString current;
    bool inItem = false;
    bool inText = false;
    int phonetic = 0;
    while (true) {
        switch (xml.next()) {
        case QXmlStreamReader::Invalid:
            return *xml.error();
        case QXmlStreamReader::EndDocument:
            return {};
        case QXmlStreamReader::StartElement: {
            const QStringView name = xml.xml().name();
            if (name == u"sst") {
                // The count the part announces, within reason: a wrong one costs only the reserve.
                const int count = xml.xml().attributes().value(QLatin1StringView("uniqueCount")).toInt();
                m_sharedStrings.reserve(std::clamp(count, 0, 1 << 22));
            } else if (name == u"si") {
                inItem = true;
                current.clear();
            } else if (name == u"rPh") {
                ++phonetic;
            } else if (name == u"t" && inItem && phonetic == 0) {
                inText = true;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            // Most texts come in one piece: taken whole, they take no more room than they need.
            if (inText && current.isEmpty())
                current = xml.xml().text().toString();
            else if (inText)
                current += xml.xml().text();
            break;
        case QXmlStreamReader::EndElement: {
            const QStringView name = xml.xml().name();
            if (name == u"t") {
                inText = false;
            } else if (name == u"rPh") {
                --phonetic;
            } else if (name == u"si" && inItem) {
                inItem = false;
                m_sharedStrings.append(current);
                current = QString();
            }
            break;
        }
        default:
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
    if (isPlainInteger(stored))
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
