#pragma once

#include "SheetMapping.h"
#include "SheetRepeats.h"
#include "Workspace.h"

#include "files/SheetFailureReport.h"
#include "files/Spreadsheet.h"

#include <functional>

namespace lgbatch {

// What the user chose: which sheet goes into which list, how, and where the fields are.
struct SheetImportPlan
{
    Workspace::List list = Workspace::List::Batch;
    int sheet = 0;
    SheetMapping mapping;
    bool clearFirst = false; // an overwriting import: the sheet's rows replace the list's
    // A sheet's blank rows are spacing; a row of a bank file is a record even when it is empty.
    bool passOverBlankRows = true;
};

// Told after every few hundred rows: the rows read so far and how much of the sheet that is
// (0 to 1). Answering false stops the check.
using SheetImportProgress = std::function<bool(int rowsRead, double fraction)>;

struct SheetImportCheck
{
    enum class Outcome
    {
        Ready,      // every row passed: `rows` go into the list
        Refused,    // `failures` lists every row that did not pass
        Unreadable, // the sheet could not be read to its end: `error`
        Empty,      // the sheet has no row to import
        Cancelled,  // the user stopped the check
    };
    Outcome outcome = Outcome::Empty;
    QList<RecordListModel::Row> rows;
    QList<SheetFailure> failures;
    std::optional<Error> error;
    // Of rows that are ready: those that repeat a payment, for one question before they go in.
    QList<SheetRepeat> repeats;
};

// Reads every row of the table after its header, turns it into a record of the list and checks
// it by the rules of the list's Add, with its messages: ValidateBatchInput, ValidatePayrollInput
// or the roster's rules (duplicates in the roster or the sheet included); the amount by the
// amount field's rules and the own-bank accounts by their check digit; a branch by its exact
// name or its 12-digit code in the branch table; the payment mode from 加急/是/1 and 非加急/否/0,
// or by the 20,000 rule when the cell is empty. Then the list's own limits: 32,767 payments and
// the batch total. Cells are taken without the blanks around them; blank rows are passed over.
// Nothing is changed: the rows are only made ready.
SheetImportCheck checkSheetRows(Workspace &workspace, const Spreadsheet &sheet, const SheetImportPlan &plan,
                                const SheetImportProgress &progress = {});
// The same over the rows of any table, such as a bank file's records read as one.
SheetImportCheck checkTableRows(Workspace &workspace, SheetReader &reader, const SheetImportPlan &plan,
                                const SheetImportProgress &progress = {});

// Puts checked rows into the list in one go, after its rows or in their place, and marks the
// list changed.
void addCheckedRows(Workspace &workspace, Workspace::List list, QList<RecordListModel::Row> rows,
                    bool clearFirst);

} // namespace lgbatch
