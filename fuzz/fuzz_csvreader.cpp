// The CSV and text reader on arbitrary bytes: whatever a file holds, reading it ends with its
// rows or an error, never a crash, a hang or a read out of bounds. Every separator is tried, as
// the user may choose any of them.

#include "files/CsvSheet.h"
#include "files/Spreadsheet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lgbatch;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Result<Spreadsheet> sheet = Spreadsheet::fromBytes(bytes, Spreadsheet::Format::Csv);
    if (!sheet)
        return 0;
    for (QChar separator : CsvSheet::Separators) {
        sheet.value().setSeparator(separator);
        const std::unique_ptr<SheetReader> reader = sheet->rows(0);
        for (SheetRow row; reader->next(row);) {
            if (row.cells.size() > SheetColumnLimit)
                __builtin_trap();
        }
    }
    return 0;
}
