#include "PaymentPages.h"

#include "StatusPanels.h"

#include "entry/ListTotals.h"

#include <QDateEdit>

namespace lgbatch {

namespace {

// Shows the list's figures, or says why they cannot be shown and leaves the status bar as it
// was.
void showTotal(const ListTotal &total, StatusPanels &status, Prompter &prompter)
{
    if (total.ceilingExceededAtRow > 0) {
        prompter.warning(QStringLiteral("总金额金额不允许超出 100,000,000.00！"));
        return;
    }
    if (total.badAmountRow > 0) {
        prompter.warning(QStringLiteral("第%1行金额错误，无法计算总金额！").arg(total.badAmountRow));
        return;
    }
    status.showTotals(QString::number(total.count), total.total.toDisplayText());
}

} // namespace

BatchPage::BatchPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent)
    : ListPage(workspace.batchList(),
               {QStringLiteral("lstData"), QStringLiteral("frameAction"), QStringLiteral("frameAction2"),
                QStringLiteral("cmdAdd"), QStringLiteral("cmdEdit"), QStringLiteral("cmdDelete"),
                QStringLiteral("cmdLoad"), QStringLiteral("cmdSave"), QStringLiteral("保存文件")},
               prompter, parent),
      m_workspace(workspace), m_status(status),
      m_panel(
          new BatchInputPanel(workspace.state(), workspace.tables(), workspace.checkDigit(), prompter, this))
{
    setPanel(m_panel);
    connect(m_panel->branchPicker(), &BranchPicker::typedNameRefused, this, &ListPage::forwardRequested);
}

void BatchPage::RefreshBatchTotals()
{
    BatchListModel &list = m_workspace.batchList();
    showTotal(totalOfAmountColumn(list, list.amountColumn(), Amount::ceiling()), m_status, prompter());
}

PayrollPage::PayrollPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent)
    : ListPage(workspace.payrollList(),
               {QStringLiteral("lstPayroll"), QStringLiteral("frameActionPayroll"),
                QStringLiteral("frameActionPayroll2"), QStringLiteral("cmdAddPayroll"),
                QStringLiteral("cmdEditPayroll"), QStringLiteral("cmdDeletePayroll"),
                QStringLiteral("cmdLoadPayroll"), QStringLiteral("cmdSavePayroll"),
                QStringLiteral("保存文件")},
               prompter, parent),
      m_workspace(workspace), m_status(status), m_panel(new PayrollInputPanel(this))
{
    setPanel(m_panel);
    // The picker shows the workspace's date, and a date the user picks is the workspace's.
    QDateEdit *date = m_panel->DTPickerTransferDate2();
    connect(&workspace, &Workspace::transferDateChanged, date, &QDateEdit::setDate);
    connect(date, &QDateEdit::dateChanged, &workspace, &Workspace::setTransferDate);
}

void PayrollPage::RefreshPayrollTotals()
{
    showTotal(totalOfAmountColumn(m_workspace.payrollList(), PayrollListModel::AmountColumn, std::nullopt),
              m_status, prompter());
}

} // namespace lgbatch
