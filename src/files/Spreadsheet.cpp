#include "Spreadsheet.h"

#include "CsvSheet.h"
#include "XlsxWorkbook.h"

#include "core/SystemError.h"
#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace lgbatch {

namespace {

bool startsWith(const QByteArray &bytes, const char *mark, qsizetype size)
{
    return bytes.size() >= size && std::equal(mark, mark + size, bytes.constData());
}

// An OLE compound file: an encrypted workbook (Excel keeps those in one) or an old .xls.
bool isCompoundFile(const QByteArray &bytes)
{
    return startsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}

bool isZip(const QByteArray &bytes)
{
    return startsWith(bytes, "PK\x03\x04", 4) || startsWith(bytes, "PK\x05\x06", 4);
}

Error tooLarge()
{
    return Error{QStringLiteral("表格文件超过50MB，不能导入"), 0};
}

// Why bytes that start so are no workbook: an encrypted one or an old .xls, or no archive at all.
std::optional<Error> notAWorkbook(const QByteArray &start)
{
    if (isCompoundFile(start))
        return Error{
            QStringLiteral(
                "表格文件已加密或是旧版Excel（.xls）文件，请在Excel中取消密码并另存为.xlsx文件再导入"),
            0};
    if (!isZip(start))
        return Error{QStringLiteral("文件不是有效的.xlsx表格文件"), 0};
    return std::nullopt;
}

} // namespace

Spreadsheet::Spreadsheet(Spreadsheet &&) noexcept = default;
Spreadsheet &Spreadsheet::operator=(Spreadsheet &&) noexcept = default;
Spreadsheet::~Spreadsheet() = default;

std::optional<Spreadsheet::Format> Spreadsheet::formatOfName(const QString &fileName)
{
    const QString ending = QFileInfo(fileName).suffix().toLower();
    if (ending == u"csv" || ending == u"txt")
        return Format::Csv;
    if (ending == u"xlsx")
        return Format::Xlsx;
    return std::nullopt;
}

Result<Spreadsheet> Spreadsheet::open(const QString &path)
{
    const std::optional<Format> format = formatOfName(path);
    if (!format)
        return Error{QStringLiteral("只能从CSV、TXT或XLSX表格文件导入"), 0};
    // Refused before a byte is read: a huge file must not cost the user a long wait first.
    if (QFileInfo(path).size() > SizeLimit)
        return tooLarge();
    // A workbook is read from its file part by part, as the parts are needed; only its start is
    // read here, to tell what the file is.
    if (*format == Format::Xlsx) {
        QFile file(path);
        SystemError::clearLastCode();
        if (!file.open(QIODevice::ReadOnly))
            return SystemError::ofFile(file, SystemError::lastCode());
        if (std::optional<Error> refused = notAWorkbook(file.read(8)))
            return *refused;
        file.close();
        Result<std::unique_ptr<XlsxWorkbook>> book = XlsxWorkbook::openFile(path);
        if (!book)
            return book.errorInfo();
        Spreadsheet sheet;
        sheet.m_format = Format::Xlsx;
        sheet.m_workbook = std::move(book).value();
        return sheet;
    }
    Result<QByteArray> bytes = TextFile::readBytes(path);
    if (!bytes)
        return bytes.errorInfo();
    return fromBytes(std::move(bytes).value(), *format);
}

Result<Spreadsheet> Spreadsheet::fromBytes(QByteArray bytes, Format format)
{
    if (bytes.size() > SizeLimit)
        return tooLarge();
    Spreadsheet sheet;
    sheet.m_format = format;
    if (format == Format::Xlsx) {
        if (std::optional<Error> refused = notAWorkbook(bytes))
            return *refused;
        Result<std::unique_ptr<XlsxWorkbook>> book = XlsxWorkbook::open(std::move(bytes));
        if (!book)
            return book.errorInfo();
        sheet.m_workbook = std::move(book).value();
        return sheet;
    }
    if (isZip(bytes) || isCompoundFile(bytes))
        return Error{QStringLiteral("文件不是文本文件（Excel文件请选择.xlsx格式导入）"), 0};
    sheet.m_encoding = TextEncoding::detect(bytes);
    Result<QString> text = TextEncoding::decode(bytes, sheet.m_encoding);
    // The text is what is read from here on: the bytes go at once, and the text gives back the
    // room the decoder set aside for the longest text the bytes could have held.
    bytes = QByteArray();
    if (!text)
        return text.errorInfo();
    sheet.m_text = std::move(text).value();
    sheet.m_text.squeeze();
    if (sheet.m_text.contains(QChar(0)))
        return Error{QStringLiteral("文件不是文本文件"), 0};
    sheet.m_separator = CsvSheet::detectSeparator(sheet.m_text);
    return sheet;
}

QStringList Spreadsheet::sheetNames() const
{
    if (m_workbook)
        return m_workbook->sheetNames();
    return {QString()};
}

std::unique_ptr<SheetReader> Spreadsheet::rows(int sheet) const
{
    if (m_workbook)
        return m_workbook->rows(sheet);
    return std::make_unique<CsvSheetReader>(m_text, m_separator);
}

QList<SheetRow> Spreadsheet::firstRows(int sheet, int count) const
{
    QList<SheetRow> rows;
    const std::unique_ptr<SheetReader> reader = this->rows(sheet);
    for (SheetRow row; rows.size() < count && reader->next(row);)
        rows.append(row);
    return rows;
}

} // namespace lgbatch
