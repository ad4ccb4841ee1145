#pragma once

#include "core/Result.h"

#include <QString>

namespace lgbatch {

// Replacing the program directory's branch table with a newer copy the user picked. The table
// in memory is not touched: the new one is read at the next start.
namespace BranchTableUpdate {

// The current table and its backup in the program directory.
QString currentTable(const QString &programDir);
QString backupTable(const QString &programDir);

// Whether the picked file is the table in use: the same path as written, or the same file on
// disk under another spelling.
bool isTableInUse(const QString &programDir, const QString &picked);

// Puts a copy of the picked file in place of the current table and keeps the current one as
// "BankCode.xml.bak". The picked file stays where it is. A backup that exists already, a
// picked file that is not a branch table the program could load or that holds no branch, or
// any failure of the system changes nothing: the program directory always keeps a table it can
// start with.
Status replaceTable(const QString &programDir, const QString &picked);

} // namespace BranchTableUpdate
} // namespace lgbatch
