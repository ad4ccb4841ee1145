#pragma once

#include "Workspace.h"

#include <optional>

namespace lgbatch {

// The beneficiary list an older program kept in the program directory (BeneList.dat): while it
// is there, the user is offered to bring its entries into the payroll roster; once brought in,
// the file gets the suffix ".bak" and the offer is not made again.
namespace LegacyMigration {

QString legacyFile(const Workspace &workspace);
QString doneFile(const Workspace &workspace);

bool isPending(const Workspace &workspace);

struct Outcome
{
    int added = 0;              // entries appended to the payroll roster
    std::optional<Error> error; // what stopped the migration; the file then stays
};

// Appends the entries the roster does not hold yet (each name and account once), marks the
// roster changed when something was added, and renames the file. Entries appended before an
// error stay, so a later run adds only what is still missing.
Outcome MigrateLegacyBeneList(Workspace &workspace);

} // namespace LegacyMigration
} // namespace lgbatch
