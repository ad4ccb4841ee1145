#include "BatchPage.h"

#include "HourGlass.h"
#include "RosterPicker.h"
#include "StatusPanels.h"

#include "entry/ListTotals.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace lgbatch {

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
    new RosterPicker(workspace.beneRoster(), m_panel->cbBeneName(), m_panel->cbBeneAccount());
    new RosterPicker(workspace.payerRoster(), m_panel->cbPayerName(), m_panel->cbPayerAccount());
    connect(m_panel->branchPicker(), &BranchPicker::typedNameRefused, this, &ListPage::forwardRequested);
    connect(deleteButton(), &QPushButton::clicked, this, &BatchPage::cmdDelete_Click);
    connect(list(), &RecordListView::rowClicked, this, &BatchPage::lstData_ItemClick);
}

void BatchPage::RefreshBatchTotals()
{
    BatchListModel &list = m_workspace.batchList();
    m_status.showListTotal(totalOfAmountColumn(list, list.amountColumn(), Amount::ceiling()), prompter());
}

void BatchPage::ClearBatchInput()
{
    m_panel->branchPicker()->clearSelections();
    for (QComboBox *picker :
         {m_panel->cbPayerName(), m_panel->cbPayerAccount(), m_panel->cbBeneName(), m_panel->cbBeneAccount()})
        picker->setEditText(QString());
    m_panel->txtAmount()->setText(QStringLiteral("0.00"));
    m_panel->cbEmergency()->setCurrentIndex(-1);
    m_panel->txtRemark()->clear();
}

void BatchPage::cmdDelete_Click()
{
    HourGlass busy;
    if (confirmAndRemoveSelectedRows() == 0)
        return;
    RefreshBatchTotals();
    m_workspace.batchList().setChanged(true);
}

void BatchPage::lstData_ItemClick()
{
    HourGlass busy;
    ClearBatchInput();
    if (severalRowsSelected() || list()->currentRow() == 0)
        return;
    const BatchPayment record = m_workspace.batchList().ReadBatchRow(list()->currentRow());
    m_panel->cbPayerName()->setEditText(record.PayerName);
    m_panel->cbPayerAccount()->setEditText(record.PayerAccount);
    m_panel->cbBeneName()->setEditText(record.BeneName);
    m_panel->cbBeneAccount()->setEditText(record.BeneAccount);
    if (record.BankName != ownBankName()) {
        m_panel->optNo()->setChecked(true);
        m_panel->branchPicker()->cbBank()->setEditText(record.BankName);
    } else {
        m_panel->optYes()->setChecked(true);
    }
    m_panel->txtAmount()->setText(record.Amount);
    m_panel->cbEmergency()->setCurrentIndex(m_panel->cbEmergency()->findText(record.Emergency));
    m_panel->txtRemark()->setText(record.Remark);
    m_panel->branchPicker()->ShowBankOfRecord(branchSelectionOf(record), true);
}

} // namespace lgbatch
