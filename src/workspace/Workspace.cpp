#include "Workspace.h"

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
