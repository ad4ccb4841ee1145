#pragma once

#include "SheetReader.h"

#include "core/TextEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace lgbatch {

class XlsxWorkbook;

// A spreadsheet chosen for import: a CSV or text file (GBK, UTF-8 with or without a byte-order
// mark, or UTF-16 with one; comma, tab or semicolon separated) or an Excel workbook (.xlsx).
// The kind follows from the file name's ending; a file whose content is not of that kind, an
// encrypted one and one larger than 50 MB are refused with the reason.
class Spreadsheet
{
public:
    enum class Format
    {
        Csv,
        Xlsx
    };
    static constexpr qint64 SizeLimit = qint64(50) << 20;

    // The file's kind by its ending (*.csv and *.txt are text, *.xlsx a workbook); none for any
    // other ending.
    static std::optional<Format> formatOfName(const QString &fileName);

    static Result<Spreadsheet> open(const QString &path);
    static Result<Spreadsheet> fromBytes(QByteArray bytes, Format format);

    Spreadsheet(Spreadsheet &&) noexcept;
    Spreadsheet &operator=(Spreadsheet &&) noexcept;
    ~Spreadsheet();

    Format format() const { return m_format; }
    // The sheets to choose from: a workbook's worksheets, or the one table of a text file.
    QStringList sheetNames() const;
    std::unique_ptr<SheetReader> rows(int sheet) const;

    // Text files only: how the text was encoded, and the separator of its values (detected;
    // the user may choose another).
    TextEncoding::Kind encoding() const { return m_encoding; }
    QChar separator() const { return m_separator; }
    void setSeparator(QChar separator) { m_separator = separator; }

    // The first rows of a sheet, for a preview; fewer when the sheet has fewer. A fault on the
    // way ends the list early.
    QList<SheetRow> firstRows(int sheet, int count) const;

private:
    Spreadsheet() = default;

    Format m_format = Format::Csv;
    QString m_text;
    TextEncoding::Kind m_encoding = TextEncoding::Kind::Gbk;
    QChar m_separator = QLatin1Char(',');
    std::unique_ptr<XlsxWorkbook> m_workbook;
};

} // namespace lgbatch
