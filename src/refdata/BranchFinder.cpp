#include "BranchFinder.h"

namespace lgbatch {

BranchFindOutcome findBranch(const ReferenceTables &tables, const QString &typed,
                             const std::optional<QString> &pickedPrefix)
{
    using Kind = BranchFindOutcome::Kind;
    if (typed.isEmpty())
        return {};
    if (const qsizetype exact = tables.findBranchByName(typed); exact >= 0)
        return {Kind::Exact, exact};

    // A name that is not in the table often still names its bank and city: their first branch
    // (in file order) is the superior branch to redirect to.
    const qsizetype cityRow = tables.findCityNameInside(typed);
    const qsizetype bankRow = tables.findBankTypeNameInside(typed);
    const QString guessedPrefix = (bankRow >= 0 ? tables.BankTypeTable()[bankRow].Code : QString()) +
                                  (cityRow >= 0 ? tables.CityTable()[cityRow].CityCode : QString());
    if (const qsizetype guessed = tables.firstBranchWithPrefix(guessedPrefix); guessed >= 0)
        return {Kind::SuperiorByGuess, guessed};

    if (pickedPrefix) {
        if (const qsizetype picked = tables.firstBranchWithPrefix(*pickedPrefix); picked >= 0)
            return {Kind::SuperiorByPicked, picked};
    }
    return {Kind::AskToPick, -1};
}

} // namespace lgbatch
