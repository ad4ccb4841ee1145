#include "RosterRules.h"

#include "core/Amount.h"
#include "core/FieldText.h"

namespace lgbatch {

namespace {

const QString OwnBankNumberMessage = QStringLiteral("收款人账号/卡号错误，必须为本行账号/卡号！");

bool passesOwnBankRule(const QString &account, AccountFieldRule::OwnBank rule, const CheckDigit &checkDigit)
{
    return rule == AccountFieldRule::OwnBank::AccountOnly ? checkDigit.isOwnBankAccount(account)
                                                          : checkDigit.isOwnBankAccountOrCard(account);
}

} // namespace

std::optional<QString> ValidateBeneficiaryInput(const BeneficiaryPanelInput &panel,
                                                const ReferenceTables &tables, const CheckDigit &checkDigit)
{
    if (panel.BeneName.isEmpty())
        return QStringLiteral("收款人名称错误！");
    if (panel.BeneAccount.isEmpty() || !NumberFormat::isNumeric(panel.BeneAccount))
        return QStringLiteral("收款人账号错误！");
    if (panel.OwnBank) {
        if (!checkDigit.isOwnBankAccountOrCard(panel.BeneAccount))
            return OwnBankNumberMessage;
    } else {
        if (panel.State.isEmpty())
            return QStringLiteral("收款开户省份错误！");
        if (panel.City.isEmpty())
            return QStringLiteral("收款开户城市错误！");
        if (panel.BankType.isEmpty())
            return QStringLiteral("收款银行错误！");
        if (panel.Bank.isEmpty())
            return QStringLiteral("收款账号开户行错误！");
        if (tables.FindBankCode(panel.Bank).isEmpty())
            return QStringLiteral("收款开户行不存在！");
    }
    const Beneficiary record = beneficiaryOf(panel);
    return firstUnstorableField({{QStringLiteral("收款人名称"), record.BeneName},
                                 {QStringLiteral("收款人账号/卡号"), record.BeneAccount},
                                 {QStringLiteral("收款开户行"), record.BankName},
                                 {QStringLiteral("备注"), record.Remark}},
                                FieldText::PipeFileReserved);
}

Beneficiary beneficiaryOf(const BeneficiaryPanelInput &panel)
{
    Beneficiary record;
    record.BeneName = panel.BeneName;
    record.BeneAccount = panel.BeneAccount;
    record.BankName = panel.OwnBank ? ownBankName() : panel.Bank;
    record.Remark = panel.Remark;
    return record;
}

AccountFieldRule beneficiaryAccountField()
{
    return {QStringLiteral("收款人账号/卡号错误！"), AccountFieldRule::OwnBank::AccountOrCard,
            OwnBankNumberMessage};
}

NameAccountRules NameAccountRules::payers()
{
    const QString ownBankOnly = QStringLiteral("付款人账号错误，必须为本行账号！");
    return {QStringLiteral("付款人名称"),
            QStringLiteral("付款人账号"),
            QStringLiteral("付款人名称错误！"),
            QStringLiteral("付款人账号错误！"),
            QStringLiteral("付款人账号已存在！"),
            {ownBankOnly, AccountFieldRule::OwnBank::AccountOnly, ownBankOnly}};
}

NameAccountRules NameAccountRules::payrollBeneficiaries()
{
    return {QStringLiteral("收款人名称"),         QStringLiteral("收款人账号/卡号"),
            QStringLiteral("收款人名称错误！"),   OwnBankNumberMessage,
            QStringLiteral("收款人账号已存在！"), beneficiaryAccountField()};
}

std::optional<QString> validateNameAndAccount(const NameAccountRules &rules, const QString &name,
                                              const QString &account, const CheckDigit &checkDigit)
{
    if (name.isEmpty())
        return rules.nameMessage;
    if (account.isEmpty() || !NumberFormat::isNumeric(account) ||
        !passesOwnBankRule(account, rules.accountField.ownBank, checkDigit))
        return rules.accountMessage;
    return firstUnstorableField({{rules.nameLabel, name}, {rules.accountLabel, account}},
                                FieldText::PipeFileReserved);
}

} // namespace lgbatch
