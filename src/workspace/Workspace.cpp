#include "Workspace.h"

#include "ListKinds.h"

#include "refdata/TableLoaders.h"

namespace lgbatch {

Workspace::Workspace(const ApplicationState &state, QString programDir, QObject *parent)
    : QObject(parent), m_state(state), m_programDir(std::move(programDir)),
      m_batch(state.edition(), m_tables), m_bene(m_tables)
{
}

QString Workspace::programFile(const QString &name) const
{
    return m_programDir + QLatin1Char('/') + name;
}

Status Workspace::loadReferenceTables()
{
    Result<ReferenceTables> tables = lgbatch::loadReferenceTables(m_programDir);
    if (!tables)
        return tables.errorInfo();
    m_tables = std::move(tables).value();
    return {};
}

RecordListModel &Workspace::list(List which)
{
    switch (which) {
    case List::Batch:
        return m_batch;
    case List::Payroll:
        return m_payroll;
    case List::BeneRoster:
        return m_bene;
    case List::PayerRoster:
        return m_payer;
    case List::PayrollRoster:
        break;
    }
    return m_payrollRoster;
}

void Workspace::changed(List which, Change change)
{
    if (change != Change::Renewed && change != Change::Loaded)
        list(which).setChanged(true);
    if (change == Change::Loaded && m_readings[std::size_t(which)] > 0)
        return;
    Q_EMIT listChanged(which, change);
}

Workspace::Reading::Reading(Workspace &workspace, List which) : m_workspace(workspace), m_which(which)
{
    ++m_workspace.m_readings[std::size_t(which)];
}

Workspace::Reading::~Reading()
{
    if (--m_workspace.m_readings[std::size_t(m_which)] == 0)
        Q_EMIT m_workspace.listChanged(m_which, Change::Loaded);
}

void Workspace::addPayment(const BatchPayment &payment)
{
    m_batch.AddBatchRow(payment);
    changed(List::Batch, Change::RowsAdded);
}

void Workspace::addPayrollItem(const PayrollItem &item)
{
    m_payroll.AddPayrollRow(item);
    changed(List::Payroll, Change::RowsAdded);
}

void Workspace::addBeneficiary(const Beneficiary &record)
{
    m_bene.AddBeneficiary(record);
    changed(List::BeneRoster, Change::RowsAdded);
}

void Workspace::addPayer(const Payer &record)
{
    AddPayer(m_payer, record);
    changed(List::PayerRoster, Change::RowsAdded);
}

void Workspace::addPayrollBeneficiary(const PayrollBeneficiary &record)
{
    AddPayrollBeneficiary(m_payrollRoster, record);
    changed(List::PayrollRoster, Change::RowsAdded);
}

bool Workspace::replaceRow(List which, int row, const QStringList &texts)
{
    RecordListModel &records = list(which);
    if (!records.setRowTexts(row, texts))
        return false;
    // The branch has just passed the checks: a mark for a missing branch no longer holds. Rows
    // of the other lists keep whatever they had.
    if (listKind(which).carriesBranches)
        ColorListRow(records, row, QStringLiteral("0"));
    changed(which, Change::RowReplaced);
    return true;
}

int Workspace::removeRows(List which, const QList<int> &rows)
{
    const int removed = list(which).removeRowNumbers(rows);
    if (removed > 0)
        changed(which, Change::RowsRemoved);
    return removed;
}

void Workspace::loadRows(List which, QList<RecordListModel::Row> rows, bool replace, bool markChanged)
{
    RecordListModel &records = list(which);
    if (replace)
        records.replaceRows(std::move(rows));
    else
        records.appendRows(std::move(rows));
    if (markChanged)
        records.setChanged(true);
    changed(which, Change::Loaded);
}

void Workspace::renewList(List which)
{
    RecordListModel &records = list(which);
    records.setChanged(false);
    records.clear();
    setFileOfList(which, QString());
    if (which == List::Batch)
        CurrentBatchFileName.clear();
    else if (which == List::Payroll)
        CurrentPayrollFileName.clear();
    changed(which, Change::Renewed);
}

ListTotal Workspace::totalOf(List which) const
{
    switch (which) {
    case List::Batch:
        return totalOfAmountColumn(m_batch, m_batch.amountColumn(), Amount::ceiling());
    case List::Payroll:
        // Unlike a batch, a payroll has no ceiling.
        return totalOfAmountColumn(m_payroll, PayrollListModel::AmountColumn, std::nullopt);
    default:
        return {};
    }
}

std::optional<QString> Workspace::saveRefusal(List which) const
{
    if (list(which).count() == 0)
        return QStringLiteral("无记录保存！");
    if (which == List::Payroll) {
        for (int row = 1; row <= m_payroll.count(); ++row) {
            if (m_payroll.ReadPayrollRow(row).BeneName.isEmpty())
                return QStringLiteral("保存ZPK代发工资文件失败！【收款人名称不得为空】");
        }
    }
    return std::nullopt;
}

void Workspace::setTransferDate(QDate date)
{
    if (m_transferDate == date)
        return;
    m_transferDate = date;
    Q_EMIT transferDateChanged(date);
}

QString Workspace::fileOfList(List which) const
{
    switch (which) {
    case List::Batch:
        return m_batchFile;
    case List::Payroll:
        return m_payrollFile;
    default:
        return {};
    }
}

void Workspace::setFileOfList(List which, const QString &fileName)
{
    if (which == List::Batch)
        m_batchFile = fileName;
    else if (which == List::Payroll)
        m_payrollFile = fileName;
}

} // namespace lgbatch
