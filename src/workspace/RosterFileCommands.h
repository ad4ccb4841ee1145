#pragma once

#include "ListKinds.h"

#include <QString>

#include <optional>

namespace lgbatch {

// The three rosters and their files in the program directory (bene.xml, payer.xml,
// benepayroll.xml). What the load step, the save buttons, the import command and the
// unsaved-changes questions call; the messages they return are for the user interface to show.
// `roster` is one of RosterLists.

// The file of a roster in the program directory.
QString rosterFilePath(const Workspace &workspace, Workspace::List roster);

// What reading a roster file did.
struct RosterFileRead
{
    bool found = false;             // false: no such file, and the list was left alone
    qsizetype rowsRead = 0;         // rows appended to the list
    qsizetype rowsPaintedRed = 0;   // beneficiaries whose branch is not in the branch table
    std::optional<QString> message; // "【...】" when the file could not be read whole
};

// What a broken file does to a list it was to replace.
enum class BrokenFile
{
    KeepsRowsBeforeTheFault, // the start-up's reading: the rows before the fault are shown
    LeavesListAlone,         // an import: the list is replaced by a whole file or not at all
};

// Appends the rows of a roster file to its list, all at once, emptying the list first when
// `clearFirst`; `path` defaults to the roster's file in the program directory. A broken line
// stops the reading: an appending read keeps the rows before it, a replacing one keeps them
// or leaves the list as it was, as `broken` says. A file that is there but cannot be read at
// all leaves the list as it was. Reading the roster's own file leaves its changed flag alone;
// rows from another file mark it changed.
RosterFileRead readRosterFile(Workspace &workspace, Workspace::List roster, bool clearFirst,
                              const QString &path = {},
                              BrokenFile broken = BrokenFile::KeepsRowsBeforeTheFault);

// Writes every row of the roster, in list order, to its file in the program directory (an
// empty roster gives an empty file). The file is replaced only by a complete write: on any
// failure the previous file stays whole, the roster stays marked changed and the answer is the
// message "保存文件失败！【...】". A successful write clears the changed flag.
std::optional<QString> writeRosterFile(Workspace &workspace, Workspace::List roster);

} // namespace lgbatch
