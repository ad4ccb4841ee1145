#pragma once

#include "FileReport.h"
#include "SheetMapping.h"
#include "Workspace.h"

#include <QString>

#include <optional>

namespace lgbatch {

// The bank files a script can check, told apart by the ending of their names as the import
// tells them apart.
struct BankFileKind
{
    Workspace::List list;
    QString name; // "zpk", "bpt", "payroll", "bene", "payer", "benepayroll"
};
std::optional<BankFileKind> bankFileKindOf(const QString &fileName);

// Where each field of a list's rows lies among its columns: a list read as a table.
SheetMapping listColumnsMapping(Workspace::List list, Edition edition);

// Reads a bank file with the reader the window imports it with (a payroll file after its
// verification file) and checks every record by the rules of the 增加 button of its tab, then
// the batch total's ceiling; a payment that repeats an earlier one is a warning. The workspace
// has its tables loaded; the file's rows replace those of its list. `shownName` names the file
// in the report.
FileReport checkBankFile(Workspace &workspace, const QString &path, const QString &shownName);

} // namespace lgbatch
