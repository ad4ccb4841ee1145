#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lgbatch {

// The program directory holds the reference tables, the three rosters, their backups and the
// legacy list. A start finds it, in this order: the folder named on the command line; the
// executable's own folder when it holds the branch table (or any other file of the program
// directory) and may be written: a portable copy; otherwise the user's own folder, which takes
// the tables the program was installed with.
namespace ProgramDirectory {

enum class Kind
{
    Named,
    Portable,
    PerUser
};

// What a start knows of its surroundings.
struct Places
{
    std::optional<QString> named; // absolute, or relative to the working directory
    QString executableDir;
    QString perUserDir;
    // Where the installed tables may lie, best first; the first that holds a branch table wins.
    QStringList shippedDirs;
};

// The chosen folder and what has to happen to it before the tables are read.
struct Plan
{
    QString dir;
    Kind kind = Kind::Portable;
    QString shippedDir;        // the tables the program was installed with; empty: none
    QStringList missingTables; // tables the folder lacks and the installation has
    // The folder has not seen the installed branch table yet, and nothing needs asking.
    bool noteShippedTable = false;
    // The installation brought a branch table other than the one the folder last took or
    // turned down, and the folder holds a different one: ask before replacing it.
    bool offerShippedTable = false;
};

// Looks at the folders, changes nothing. Fails when the named folder is a file, or when the
// user's folder is needed and the system names none.
Result<Plan> choose(const Places &places);

// Makes the folder when a table is missing and copies the missing tables into it, each whole or
// not at all. A table that is there already is never touched.
Status prepare(const Plan &plan);

// The offered table in place of the folder's, with the backup and the checks of the branch
// table update.
Status takeShippedTable(const Plan &plan);
// Remembers the answer, so that the same installed table is not offered again.
Status declineShippedTable(const Plan &plan);

// The folder's note of the installed branch table it last took or turned down.
QString shippedNoteFile(const QString &dir);

} // namespace ProgramDirectory
} // namespace lgbatch
