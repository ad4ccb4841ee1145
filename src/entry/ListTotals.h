#pragma once

#include "RecordListModel.h"

#include "core/Amount.h"

#include <optional>

namespace lgbatch {

// The count and total of a list's amount column, added exactly in fixed point.
struct ListTotal
{
    int count = 0;
    Amount total;
    // The first row whose amount text is not a number (only a file can bring one in); 0: none.
    int badAmountRow = 0;
    // The row at which the running total first went above the ceiling; 0: never.
    int ceilingExceededAtRow = 0;

    bool ok() const { return badAmountRow == 0 && ceilingExceededAtRow == 0; }
};

// Adds the amounts of column `amountColumn` (0-based) of every row in order, stopping at the
// first row that is not a number or that takes the total above `ceiling` (when given).
ListTotal totalOfAmountColumn(const RecordListModel &list, int amountColumn, std::optional<Amount> ceiling);

// What the user reads wherever a batch's total is above the ceiling.
QString totalCeilingMessage();

// Why a total cannot be shown (above the ceiling, or a row whose amount is not a number), or
// nothing when it can.
std::optional<QString> problemOf(const ListTotal &total);

} // namespace lgbatch
