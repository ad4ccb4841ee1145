#pragma once

#include "SheetReader.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <memory>

struct zip;
struct zip_source;

namespace lgbatch {

// An Excel workbook (.xlsx: XML parts in a ZIP archive) opened from its bytes. Opening reads
// the list of sheets, the shared strings and which cell formats are dates; the rows of a sheet
// are read later, one at a time, straight out of the archive. Cells come as text: shared and
// inline strings as written, numbers exactly as the file stores them (an integer stays digit
// for digit; a fraction is given to 15 significant digits, as Excel shows it, so 12345.6 is
// never 12345.599999999999), dates as yyyy-MM-dd, TRUE and FALSE; a formula saved without its
// result, an error value and a number of more than 15 digits (a card number Excel has already
// cut short) are unreadable cells.
class XlsxWorkbook
{
public:
    // Refuses, saying why, an archive that is not a workbook, a damaged one and an encrypted
    // one.
    static Result<std::unique_ptr<XlsxWorkbook>> open(QByteArray bytes);
    // The same for a workbook in a file, whose parts are read from the file as they are needed,
    // so that a large workbook is never held whole. A file changed meanwhile fails its parts'
    // checksums and is reported as damaged.
    static Result<std::unique_ptr<XlsxWorkbook>> openFile(const QString &path);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook &) = delete;
    XlsxWorkbook &operator=(const XlsxWorkbook &) = delete;

    // The worksheets in the workbook's order (chart sheets are not listed).
    QStringList sheetNames() const;
    // The rows of a sheet (0-based, in the order of sheetNames). The workbook must outlive the
    // reader.
    std::unique_ptr<SheetReader> rows(int sheet) const;

    // A cell's number as the workbook stores it, made into text (see above).
    static QString numberText(QStringView stored);
    // A date cell's serial number as text: "2024-01-05", with " 08:30:00" when it has a time.
    static QString dateText(double serial, bool date1904);

private:
    struct Sheet
    {
        QString name;
        QString path;
    };
    class Reader;

    explicit XlsxWorkbook(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    // Opens the archive (the source is the archive's from then on) and reads the sheet list, the
    // date formats and the shared strings.
    Status load(zip_source *source);
    Status readStyles(const QString &path);
    Status readSharedStrings(const QString &path);

    QByteArray m_bytes; // an archive opened from memory reads from these bytes in place
    zip *m_zip = nullptr;
    QList<Sheet> m_sheets;
    QStringList m_sharedStrings;
    QList<bool> m_dateFormats; // by cell format (the cells' "s"): is it a date
    bool m_date1904 = false;
};

} // namespace lgbatch
