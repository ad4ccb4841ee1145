#pragma once

#include <QString>

namespace lgbatch {

// The codes a record derives from its branch name (a batch payment's, a beneficiary's), and
// the pieces of a branch code.
struct BranchFields
{
    QString BankCode;     // the branch's code, or the own-bank marker
    QString BankTypeCode; // characters 1-3 of BankCode
    QString StateCode;    // province of the branch's city
    QString CityCode;     // characters 4-7 of BankCode

    bool operator==(const BranchFields &) const = default;
};

} // namespace lgbatch
