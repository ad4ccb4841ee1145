#pragma once

#include "Workspace.h"

#include <QList>
#include <QString>

namespace lgbatch {

// A row of a sheet that pays what a row of the list, or an earlier row of the sheet, pays.
struct SheetRepeat
{
    int sheetRow = 0;
    int listRow = 0;         // the list's row it repeats (1-based); 0: it repeats a sheet row
    int earlierSheetRow = 0; // the sheet's row it repeats, when it repeats no list row

    bool operator==(const SheetRepeat &) const = default;
};

// The repeats among the rows a sheet brings into a payment list, in sheet order, each with the
// first row it repeats: the same beneficiary account and amount in the batch list, the same
// account in the payroll list (the tests of 增加). The list's rows count unless the sheet
// replaces them. None for the rosters, whose own rules refuse a repeated row.
// `sheetRows` gives the sheet row of each of `rows`.
QList<SheetRepeat> repeatedPayments(Workspace &workspace, Workspace::List list,
                                    const QList<RecordListModel::Row> &rows, const QList<int> &sheetRows,
                                    bool clearFirst);

// The one question asked about them before anything is added: "表格中有重复的付款：...".
QString repeatQuestion(const QList<SheetRepeat> &repeats);

} // namespace lgbatch
