#include "PaymentLists.h"

namespace lgbatch {

namespace {

enum BatchColumn
{
    PayerNameColumn,
    PayerAccountColumn,
    BeneNameColumn,
    BeneAccountColumn,
    BankNameColumn,
    AmountColumn,
    EmergencyColumn,
    RemarkColumn,
};

// The personal edition's list starts at the beneficiary's name.
int firstColumn(Edition edition)
{
    return edition == Edition::Corporate ? PayerNameColumn : BeneNameColumn;
}

} // namespace

BatchListModel::BatchListModel(Edition edition, const ReferenceTables &tables, QObject *parent)
    : RecordListModel(headersFor(edition), parent), m_edition(edition), m_tables(tables)
{
}

QStringList BatchListModel::headersFor(Edition edition)
{
    QStringList headers{QStringLiteral("付款人名称"),       QStringLiteral("付款人账号"),
                        QStringLiteral("收款人名称"),       QStringLiteral("收款人账号"),
                        QStringLiteral("收款人银行开户行"), QStringLiteral("金额"),
                        QStringLiteral("支付方式"),         QStringLiteral("备注")};
    return headers.mid(firstColumn(edition));
}

int BatchListModel::amountColumn() const
{
    return AmountColumn - firstColumn(m_edition);
}

int BatchListModel::beneAccountColumn() const
{
    return BeneAccountColumn - firstColumn(m_edition);
}

int BatchListModel::payerAccountColumn() const
{
    return m_edition == Edition::Corporate ? PayerAccountColumn : -1;
}

QStringList BatchListModel::rowTextsOf(const BatchPayment &record) const
{
    const QStringList all{record.PayerName, record.PayerAccount, record.BeneName,  record.BeneAccount,
                          record.BankName,  record.Amount,       record.Emergency, record.Remark};
    return all.mid(firstColumn(m_edition));
}

void BatchListModel::AddBatchRow(const BatchPayment &record)
{
    appendRow(rowTextsOf(record));
}

BatchPayment BatchListModel::ReadBatchRow(int index) const
{
    QStringList cells = rowTexts(index);
    if (cells.isEmpty())
        return {};
    // Personal rows have no payer cells: read them as empty.
    cells = QStringList(firstColumn(m_edition)) + cells;
    BatchPayment record;
    record.PayerName = cells[PayerNameColumn];
    record.PayerAccount = cells[PayerAccountColumn];
    record.BeneName = cells[BeneNameColumn];
    record.BeneAccount = cells[BeneAccountColumn];
    record.BankName = cells[BankNameColumn];
    record.Amount = cells[AmountColumn];
    record.Emergency = cells[EmergencyColumn];
    record.Remark = cells[RemarkColumn];
    record.branch = m_tables.codesOfBranchName(record.BankName);
    return record;
}

PayrollListModel::PayrollListModel(QObject *parent)
    : RecordListModel({QStringLiteral("收款人名称"), QStringLiteral("收款人账号"),
                       QStringLiteral("收款人银行开户行"), QStringLiteral("金额"), QStringLiteral("备注")},
                      parent)
{
}

QStringList PayrollListModel::rowTextsOf(const PayrollItem &record)
{
    return {record.BeneName, record.BeneAccount, ownBankName(), record.Amount, record.Remark};
}

void PayrollListModel::AddPayrollRow(const PayrollItem &record)
{
    appendRow(rowTextsOf(record));
}

PayrollItem PayrollListModel::ReadPayrollRow(int index) const
{
    const QStringList cells = rowTexts(index);
    if (cells.isEmpty())
        return {};
    return {cells[0], cells[1], cells[AmountColumn], cells[4]};
}

} // namespace lgbatch
