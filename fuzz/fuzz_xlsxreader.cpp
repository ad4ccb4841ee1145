// The .xlsx reader on arbitrary bytes: a damaged, truncated or hostile archive, or XML of any
// shape inside it, ends with the workbook's rows or an error, never a crash, a hang or a read
// out of bounds. Every sheet the workbook lists is read to its end.

#include "files/Spreadsheet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lgbatch;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Result<Spreadsheet> book = Spreadsheet::fromBytes(bytes, Spreadsheet::Format::Xlsx);
    if (!book)
        return 0;
    const qsizetype sheets = book->sheetNames().size();
    for (int sheet = 0; sheet < sheets; ++sheet) {
        const std::unique_ptr<SheetReader> reader = book->rows(sheet);
        for (SheetRow row; reader->next(row);) {
            if (row.cells.size() > SheetColumnLimit || row.number < 1)
                __builtin_trap();
        }
    }
    return 0;
}
