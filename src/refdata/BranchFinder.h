#pragma once

#include "ReferenceTables.h"

#include <QString>

#include <optional>

namespace lgbatch {

// What the find button makes of a typed branch name.
struct BranchFindOutcome
{
    enum class Kind
    {
        Nothing,          // no text: nothing to do
        Exact,            // the name is a branch of the table: show it
        SuperiorByGuess,  // bank and city guessed from the words of the name: offer their first branch
        SuperiorByPicked, // nothing guessed, but the picked city and bank have a first branch: offer it
        AskToPick,        // nothing to go on: the user must pick province, city and bank
    };
    Kind kind = Kind::Nothing;
    qsizetype row = -1; // the branch-table row found (exact or superior), -1 otherwise

    bool operator==(const BranchFindOutcome &) const = default;
};

// The decision of the find button for the typed branch text. `pickedPrefix` is the prefix of
// the bank and city picked in the panel (bank type code filled to 3 + city code filled to 4),
// when both are picked. Checked in this order: the exact name; the prefix of the first bank
// name and the first city name (indent removed) occurring inside the text, as written in the
// tables; the picked prefix.
BranchFindOutcome findBranch(const ReferenceTables &tables, const QString &typed,
                             const std::optional<QString> &pickedPrefix);

} // namespace lgbatch
