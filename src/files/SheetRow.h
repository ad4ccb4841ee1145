#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

namespace lgbatch {

// One row of a spreadsheet as its texts, cell by cell from column A. `number` is the row's
// number as the spreadsheet shows it (1 for the first), which the user looks the row up by.
// A cell whose value cannot be taken as it stands (a formula saved without its result, an
// error value such as #N/A) holds an empty text and its reason in `unreadable`.
struct SheetRow
{
    int number = 0;
    QStringList cells;
    QMap<int, QString> unreadable;

    QString cell(int column) const { return cells.value(column); }
    // True when no cell holds anything but blanks.
    bool isBlank() const;
};

// The columns a row keeps: enough for any payment list, and a bound on what one row can cost
// however wide a sheet claims to be. Cells further right are not read.
inline constexpr int SheetColumnLimit = 256;

// Called for each row in order; answering false stops the reading there.
using SheetRowVisitor = std::function<bool(const SheetRow &row)>;

// "A", "B", ... "Z", "AA": the name of a 0-based column.
QString sheetColumnName(int column);

} // namespace lgbatch
