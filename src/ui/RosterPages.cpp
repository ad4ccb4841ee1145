#include "RosterPages.h"

#include "HourGlass.h"
#include "PanelWidgets.h"
#include "StatusPanels.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lgbatch {

BeneRosterPage::BeneRosterPage(Workspace &workspace, Prompter &prompter, StatusPanels &status,
                               QWidget *parent)
    : ListPage(workspace.beneRoster(),
               {QStringLiteral("lstBene"), QStringLiteral("frameBeneAction"),
                QStringLiteral("frameBeneAction2"), QStringLiteral("cmdAddBene"),
                QStringLiteral("cmdEditBene"), QStringLiteral("cmdDeleteBene"), QStringLiteral("cmdLoadBene"),
                QStringLiteral("cmdSaveBene"), QStringLiteral("保存")},
               prompter, parent),
      m_workspace(workspace), m_status(status),
      m_panel(new BeneInputPanel(workspace.tables(), prompter, this))
{
    setPanel(m_panel);
    connect(m_panel->branchPicker(), &BranchPicker::typedNameRefused, this, &ListPage::forwardRequested);
    connect(deleteButton(), &QPushButton::clicked, this, &BeneRosterPage::cmdDeleteBene_Click);
    connect(list(), &RecordListView::rowClicked, this, &BeneRosterPage::lstBene_ItemClick);
}

void BeneRosterPage::ClearBeneficiaryInput()
{
    m_panel->branchPicker()->clearSelections();
    m_panel->txtBeneName()->clear();
    m_panel->txtBeneAccount()->clear();
    m_panel->txtRemark3()->clear();
}

void BeneRosterPage::cmdDeleteBene_Click()
{
    HourGlass busy;
    if (confirmAndRemoveSelectedRows() == 0)
        return;
    m_workspace.beneRoster().setChanged(true);
}

void BeneRosterPage::lstBene_ItemClick()
{
    HourGlass busy;
    ClearBeneficiaryInput();
    if (severalRowsSelected() || list()->currentRow() == 0)
        return;
    const Beneficiary record = m_workspace.beneRoster().ReadBeneficiaryRow(list()->currentRow());
    m_panel->txtBeneName()->setText(record.BeneName);
    m_panel->txtBeneAccount()->setText(record.BeneAccount);
    if (record.BankName != ownBankName()) {
        m_panel->optNo2()->setChecked(true);
        m_panel->branchPicker()->cbBank()->setEditText(record.BankName);
    } else {
        m_panel->optYes2()->setChecked(true);
    }
    m_panel->txtRemark3()->setText(record.Remark);
    m_panel->branchPicker()->ShowBankOfRecord(branchSelectionOf(record), true);
}

void BeneRosterPage::refreshStatus()
{
    m_status.ResetStatusTotals();
}

SimpleRosterNames SimpleRosterNames::payers()
{
    return {{QStringLiteral("lstPayer"), QStringLiteral("framePayerAction"),
             QStringLiteral("framePayerAction2"), QStringLiteral("cmdAddPayer"),
             QStringLiteral("cmdEditPayer"), QStringLiteral("cmdDeletePayer"), QStringLiteral("cmdLoadPayer"),
             QStringLiteral("cmdSavePayer"), QStringLiteral("保存")},
            QStringLiteral("framePayerInput"),
            QStringLiteral("付款人名称："),
            QStringLiteral("txtPayerName"),
            QStringLiteral("付款人账号："),
            QStringLiteral("txtPayerAccount")};
}

SimpleRosterNames SimpleRosterNames::payrollBeneficiaries()
{
    return {{QStringLiteral("lstBenePayroll"), QStringLiteral("frameActionBenePayroll"),
             QStringLiteral("frameActionBenePayroll2"), QStringLiteral("cmdAddBenePayroll"),
             QStringLiteral("cmdEditBenePayroll"), QStringLiteral("cmdDeleteBenePayroll"),
             QStringLiteral("cmdLoadBenePayroll"), QStringLiteral("cmdSaveBenePayroll"),
             QStringLiteral("保存")},
            QStringLiteral("frameInputBenePayroll"),
            QStringLiteral("收款人名称："),
            QStringLiteral("txtBeneName2"),
            QStringLiteral("收款人账号/卡号："),
            QStringLiteral("txtBeneAccount2")};
}

SimpleRosterPage::SimpleRosterPage(RecordListModel &roster, const SimpleRosterNames &names,
                                   Prompter &prompter, StatusPanels &status, QWidget *parent)
    : ListPage(roster, names.page, prompter, parent), m_roster(roster), m_status(status)
{
    auto *panel = new QFrame(this);
    panel->setObjectName(names.panel);
    panel->setFrameShape(QFrame::StyledPanel);
    m_name = makeTextField(panel, names.nameField);
    m_account = makeTextField(panel, names.accountField);
    auto *form = new QFormLayout;
    addLabelledRow(form, names.nameLabel, m_name);
    addLabelledRow(form, names.accountLabel, m_account);
    auto *column = new QVBoxLayout(panel);
    column->addLayout(form);
    column->addStretch();
    setPanel(panel);
    connect(deleteButton(), &QPushButton::clicked, this, &SimpleRosterPage::deleteClick);
    connect(list(), &RecordListView::rowClicked, this, &SimpleRosterPage::itemClick);
}

void SimpleRosterPage::clearInput()
{
    m_name->clear();
    m_account->clear();
}

void SimpleRosterPage::deleteClick()
{
    HourGlass busy;
    if (confirmAndRemoveSelectedRows() == 0)
        return;
    m_roster.setChanged(true);
}

void SimpleRosterPage::itemClick()
{
    clearInput();
    if (severalRowsSelected() || list()->currentRow() == 0)
        return;
    // Both rosters keep the name in the first column and the account in the second.
    m_name->setText(m_roster.cellText(list()->currentRow(), 0));
    m_account->setText(m_roster.cellText(list()->currentRow(), 1));
}

void SimpleRosterPage::refreshStatus()
{
    m_status.ResetStatusTotals();
}

} // namespace lgbatch
