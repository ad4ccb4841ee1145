#pragma once

#include "Workspace.h"

#include <QString>

namespace lgbatch {

// What reading or writing the payroll list's file did, for the page to tell the user.
struct PayrollFileOutcome
{
    bool ok = true;    // false: nothing or not everything was read, or nothing was written
    QString message;   // a warning to show as it stands; empty: nothing to show
    int rowsAdded = 0; // rows the read put into the list
};

// Saves the payroll list, in display order, with the workspace's transfer date to
// `CurrentPayrollFileName`, together with its verification file: both are put in place or
// neither is, and the files they replace stay as they were on any failure. The changed flag is
// cleared on success and set on failure ("保存文件失败！【...】").
PayrollFileOutcome WritePayrollFile(Workspace &workspace);

// Appends the rows of a verified payroll file to the list, or with `clearFirst` replaces the
// list with them. A missing file is passed over without a word; a missing or different
// verification file is refused before the list is touched. A file that breaks part way is
// told of; an appending read keeps the rows before the error, a replacing one leaves the list
// as it was. Neither the changed flag nor the transfer date changes.
PayrollFileOutcome ReadPayrollFile(Workspace &workspace, const QString &fileName, bool clearFirst);

} // namespace lgbatch
