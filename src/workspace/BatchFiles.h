#pragma once

#include "Workspace.h"

#include "core/Seams.h"

#include <QList>
#include <QString>

#include <optional>

namespace lgbatch {

// What writing or reading the batch list's file did, for the user interface to show.
struct BatchFileOutcome
{
    // The warning the user must read, in its final form; none when all went well.
    std::optional<QString> warning;
    // Rows painted red because their branch is not in the branch table, numbered as the list
    // numbers them afterwards.
    QList<int> redRows;
    // Rows the reading put into the list.
    int rowsRead = 0;
};

// Writes every row of the batch list, in display order, to `CurrentBatchFileName`, dated by
// the clock. A row whose branch is not in the branch table is painted red and nothing is
// written; a total above the ceiling is refused, the list and its flag kept as they are;
// otherwise the file is replaced as a whole (a failed write leaves the previous file as it
// was) and the list counts as saved. A failure to write marks the list as changed.
BatchFileOutcome WriteBatchFile(Workspace &workspace, const Clock &clock);

// The payments of a ZPK batch file into the batch list: appended, or instead of the rows
// there (`clearFirst`). A name that names no file is passed over without a word. A broken
// file is reported; an appending import keeps the rows read before the fault, an overwriting
// one leaves the list as it was. Rows whose branch is not in the table are painted red.
BatchFileOutcome ReadBatchFile(Workspace &workspace, const QString &fileName, bool clearFirst);

// The same for the import-only BPT layout. The list then differs from any saved file, so it
// counts as changed whenever rows came in.
BatchFileOutcome ReadOtherBatchFile(Workspace &workspace, const QString &fileName, bool clearFirst);

} // namespace lgbatch
