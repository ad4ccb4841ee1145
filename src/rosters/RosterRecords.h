#pragma once

#include "refdata/BranchFields.h"

#include <QString>

namespace lgbatch {

// A beneficiary of the beneficiary roster. Only the name, account, branch name and remark are
// stored; the codes are derived from the branch table whenever a row is read back.
struct Beneficiary
{
    QString BeneName;
    QString BeneAccount;
    QString BankName;    // the branch, or the own bank's name
    BranchFields branch; // derived from BankName
    QString Remark;

    bool operator==(const Beneficiary &) const = default;
};

// Payers are always own-bank customers: the bank is not a field.
struct Payer
{
    QString PayerName;
    QString PayerAccount;

    bool operator==(const Payer &) const = default;
};

// An employee of the payroll roster, always at the own bank.
struct PayrollBeneficiary
{
    QString BeneName;
    QString BeneAccount;

    bool operator==(const PayrollBeneficiary &) const = default;
};

} // namespace lgbatch
