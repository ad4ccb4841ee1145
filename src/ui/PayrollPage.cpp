#include "PayrollPage.h"

#include "HourGlass.h"
#include "RosterPicker.h"
#include "StatusPanels.h"

#include "entry/ListTotals.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

namespace lgbatch {

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
    new RosterPicker(workspace.payrollRoster(), m_panel->cbBeneName2(), m_panel->cbBeneAccount2());
    // The picker shows the workspace's date, and a date the user picks is the workspace's.
    QDateEdit *date = m_panel->DTPickerTransferDate2();
    connect(&workspace, &Workspace::transferDateChanged, date, &QDateEdit::setDate);
    connect(date, &QDateEdit::dateChanged, &workspace, &Workspace::setTransferDate);
    connect(deleteButton(), &QPushButton::clicked, this, &PayrollPage::cmdDeletePayroll_Click);
    connect(list(), &RecordListView::rowClicked, this, &PayrollPage::lstPayroll_ItemClick);
}

void PayrollPage::RefreshPayrollTotals()
{
    m_status.showListTotal(
        totalOfAmountColumn(m_workspace.payrollList(), PayrollListModel::AmountColumn, std::nullopt),
        prompter());
}

void PayrollPage::ClearPayrollInput()
{
    m_panel->cbBeneName2()->setEditText(QString());
    m_panel->cbBeneAccount2()->setEditText(QString());
    m_panel->txtAmount2()->setText(QStringLiteral("0.00"));
    m_panel->txtRemark2()->clear();
}

void PayrollPage::cmdDeletePayroll_Click()
{
    HourGlass busy;
    if (confirmAndRemoveSelectedRows() == 0)
        return;
    RefreshPayrollTotals();
    m_workspace.payrollList().setChanged(true);
}

void PayrollPage::lstPayroll_ItemClick()
{
    ClearPayrollInput();
    if (severalRowsSelected() || list()->currentRow() == 0)
        return;
    const PayrollItem record = m_workspace.payrollList().ReadPayrollRow(list()->currentRow());
    m_panel->cbBeneName2()->setEditText(record.BeneName);
    m_panel->cbBeneAccount2()->setEditText(record.BeneAccount);
    m_panel->txtAmount2()->setText(record.Amount);
    m_panel->txtRemark2()->setText(record.Remark);
}

} // namespace lgbatch
