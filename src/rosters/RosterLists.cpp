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

PayerListModel::PayerListModel(QObject *parent)
    : RecordListModel(
          {QStringLiteral("付款人名称"), QStringLiteral("付款人账号"), QStringLiteral("付款人银行开户行")},
          parent)
{
}

QStringList PayerListModel::rowTextsOf(const Payer &record)
{
    return {record.PayerName, record.PayerAccount, ownBankName()};
}

void PayerListModel::AddPayer(const Payer &record)
{
    appendRow(rowTextsOf(record));
}

Payer PayerListModel::ReadPayerRow(int index) const
{
    const QStringList cells = rowTexts(index);
    return cells.isEmpty() ? Payer{} : Payer{cells[0], cells[1]};
}

PayrollBeneficiaryListModel::PayrollBeneficiaryListModel(QObject *parent)
    // The header of the bank column says "付款人" although the column shows the payee's bank.
    : RecordListModel(
          {QStringLiteral("收款人名称"), QStringLiteral("收款人账号"), QStringLiteral("付款人银行开户行")},
          parent)
{
}

QStringList PayrollBeneficiaryListModel::rowTextsOf(const PayrollBeneficiary &record)
{
    return {record.BeneName, record.BeneAccount, ownBankName()};
}

void PayrollBeneficiaryListModel::AddPayrollBeneficiary(const PayrollBeneficiary &record)
{
    appendRow(rowTextsOf(record));
}

PayrollBeneficiary PayrollBeneficiaryListModel::ReadPayrollBeneficiaryRow(int index) const
{
    const QStringList cells = rowTexts(index);
    return cells.isEmpty() ? PayrollBeneficiary{} : PayrollBeneficiary{cells[0], cells[1]};
}

} // namespace lgbatch
