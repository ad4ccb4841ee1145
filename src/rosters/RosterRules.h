#pragma once

#include "RosterRecords.h"

#include "entry/CheckDigit.h"
#include "entry/FieldRules.h"
#include "refdata/ReferenceTables.h"

#include <QString>

#include <optional>

namespace lgbatch {

// The texts of the beneficiary roster panel as the user left them.
struct BeneficiaryPanelInput
{
    QString BeneName;
    QString BeneAccount;
    bool OwnBank = false; // "是否本行账号?" answered 是
    QString State;
    QString City;
    QString BankType;
    QString Bank;
    QString Remark;
};

// The rules of an Add or Edit on the beneficiary roster panel, in their fixed order: the first
// failing rule's message, or nothing when the panel may be stored. Last comes what the roster
// file could not carry exactly, refused with the field's name.
std::optional<QString> ValidateBeneficiaryInput(const BeneficiaryPanelInput &panel,
                                                const ReferenceTables &tables, const CheckDigit &checkDigit);

// The record Add and Edit store from a panel that passed: the own bank's name for 是, else
// the typed branch; the codes are derived again whenever the row is read back.
Beneficiary beneficiaryOf(const BeneficiaryPanelInput &panel);

// What leaving the beneficiary roster's account field tests (its own-bank test only while 是
// is chosen).
AccountFieldRule beneficiaryAccountField();

// The payer roster and the payroll roster keep a name and an own-bank account each; what
// tells their rules apart.
struct NameAccountRules
{
    QString nameLabel;             // names the field in a message: "付款人名称"
    QString accountLabel;          // "付款人账号"
    QString nameMessage;           // empty name: "付款人名称错误！"
    QString accountMessage;        // empty, not numeric or not an own-bank number
    QString duplicateMessage;      // "付款人账号已存在！"
    AccountFieldRule accountField; // what leaving the account field tests

    static NameAccountRules payers();
    static NameAccountRules payrollBeneficiaries();
};

// ValidatePayerInput / ValidatePayrollBeneficiaryInput: the first failing rule's message.
std::optional<QString> validateNameAndAccount(const NameAccountRules &rules, const QString &name,
                                              const QString &account, const CheckDigit &checkDigit);

} // namespace lgbatch
