#include "RosterLists.h"

namespace lgbatch {

int findNameAndAccount(const RecordListModel &roster, const QString &name, const QString &account)
{
    for (int row = 1; row <= roster.count(); ++row) {
        if (roster.cellText(row, RosterNameColumn) == name &&
            roster.cellText(row, RosterAccountColumn) == account)
            return row;
    }
    return 0;
}

BeneficiaryListModel::BeneficiaryListModel(const ReferenceTables &tables, QObject *parent)
    : RecordListModel({QStringLiteral("收款人名称"), QStringLiteral("收款人账号"),
                       QStringLiteral("收款人银行开户行"), QStringLiteral("备注")},
                      parent),
      m_tables(tables)
{
}

QStringList BeneficiaryListModel::rowTextsOf(const Beneficiary &record)
{
    return {record.BeneName, record.BeneAccount, record.BankName, record.Remark};
}

void BeneficiaryListModel::AddBeneficiary(const Beneficiary &record)
{
    appendRow(rowTextsOf(record));
}

Beneficiary BeneficiaryListModel::ReadBeneficiaryRow(int index) const
{
    const QStringList cells = rowTexts(index);
    if (cells.isEmpty())
        return {};
    Beneficiary record;
    record.BeneName = cells[0];
    record.BeneAccount = cells[1];
    record.BankName = cells[2];
    record.Remark = cells[3];
    record.branch = m_tables.codesOfBranchName(record.BankName);
    return record;
}

int BeneficiaryListModel::findBeneficiary(const QString &name, const QString &account,
                                          const QString &remark) const
{
    for (int row = 1; row <= count(); ++row) {
        if (cellText(row, RosterNameColumn) == name && cellText(row, RosterAccountColumn) == account &&
            cellText(row, RemarkColumn) == remark)
            return row;
    }
    return 0;
}

namespace {

QStringList nameAccountHeaders(NameAccountListModel::Kind kind)
{
    // The header of the payroll roster's bank column says "付款人" although the column shows the
    // payee's bank.
    if (kind == NameAccountListModel::Kind::Payers)
        return {QStringLiteral("付款人名称"), QStringLiteral("付款人账号"),
                QStringLiteral("付款人银行开户行")};
    return {QStringLiteral("收款人名称"), QStringLiteral("收款人账号"), QStringLiteral("付款人银行开户行")};
}

} // namespace

NameAccountListModel::NameAccountListModel(Kind kind, QObject *parent)
    : RecordListModel(nameAccountHeaders(kind), parent)
{
}

QStringList NameAccountListModel::rowTextsOf(const QString &name, const QString &account)
{
    return {name, account, ownBankName()};
}

void NameAccountListModel::addEntry(const QString &name, const QString &account)
{
    appendRow(rowTextsOf(name, account));
}

void AddPayer(NameAccountListModel &roster, const Payer &record)
{
    roster.addEntry(record.PayerName, record.PayerAccount);
}

Payer ReadPayerRow(const NameAccountListModel &roster, int index)
{
    const QStringList cells = roster.rowTexts(index);
    return cells.isEmpty() ? Payer{} : Payer{cells[RosterNameColumn], cells[RosterAccountColumn]};
}

void AddPayrollBeneficiary(NameAccountListModel &roster, const PayrollBeneficiary &record)
{
    roster.addEntry(record.BeneName, record.BeneAccount);
}

PayrollBeneficiary ReadPayrollBeneficiaryRow(const NameAccountListModel &roster, int index)
{
    const QStringList cells = roster.rowTexts(index);
    return cells.isEmpty() ? PayrollBeneficiary{}
                           : PayrollBeneficiary{cells[RosterNameColumn], cells[RosterAccountColumn]};
}

} // namespace lgbatch
