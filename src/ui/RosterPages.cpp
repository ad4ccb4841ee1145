#include "RosterPages.h"

#include "HourGlass.h"
#include "StatusPanels.h"

#include <QPushButton>

namespace lgbatch {

BeneRosterPage::BeneRosterPage(Workspace &workspace, Prompter &prompter, StatusPanels &status,
                               QWidget *parent)
    : ListPage(workspace, Workspace::List::BeneRoster,
               {QStringLiteral("lstBene"), QStringLiteral("frameBeneAction"),
                QStringLiteral("frameBeneAction2"), QStringLiteral("cmdAddBene"),
                QStringLiteral("cmdEditBene"), QStringLiteral("cmdDeleteBene"), QStringLiteral("cmdLoadBene"),
                QStringLiteral("cmdSaveBene"), QStringLiteral("保存")},
               prompter, parent),
      m_workspace(workspace), m_status(status),
      m_panel(new BeneInputPanel(workspace.tables(), workspace.checkDigit(), prompter, this))
{
    setPanel(m_panel);
    connect(m_panel, &BeneInputPanel::forwardRequested, this, &ListPage::forwardRequested);
    connect(addButton(), &QPushButton::clicked, this, &BeneRosterPage::cmdAddBene_Click);
    connect(editButton(), &QPushButton::clicked, this, &BeneRosterPage::cmdEditBene_Click);
    connect(deleteButton(), &QPushButton::clicked, this, &BeneRosterPage::cmdDeleteBene_Click);
    connect(list(), &RecordListView::rowClicked, this, &BeneRosterPage::lstBene_ItemClick);
}

bool BeneRosterPage::ValidateBeneficiaryInput()
{
    const std::optional<QString> failure = lgbatch::ValidateBeneficiaryInput(
        m_panel->panelInput(), m_workspace.tables(), m_workspace.checkDigit());
    if (failure)
        prompter().warning(*failure);
    return !failure;
}

void BeneRosterPage::cmdAddBene_Click()
{
    HourGlass busy;
    if (!ValidateBeneficiaryInput())
        return;
    const Beneficiary record = m_panel->record();
    BeneficiaryListModel &roster = m_workspace.beneRoster();
    // The same name and account under another remark is another entry.
    if (roster.findBeneficiary(record.BeneName, record.BeneAccount, record.Remark) > 0) {
        prompter().warning(QStringLiteral("收款人账号已存在！"));
        return;
    }
    m_workspace.addBeneficiary(record);
    ClearBeneficiaryInput();
    m_panel->focusNewEntry();
}

void BeneRosterPage::cmdEditBene_Click()
{
    HourGlass busy;
    const int row = rowToEdit();
    if (row == 0 || !ValidateBeneficiaryInput())
        return;
    m_workspace.replaceRow(Workspace::List::BeneRoster, row,
                           BeneficiaryListModel::rowTextsOf(m_panel->record()));
}

void BeneRosterPage::ClearBeneficiaryInput()
{
    m_panel->clear();
}

void BeneRosterPage::cmdDeleteBene_Click()
{
    HourGlass busy;
    // The pickers of tab 0 follow the removal by themselves.
    confirmAndRemoveSelectedRows();
}

void BeneRosterPage::lstBene_ItemClick()
{
    HourGlass busy;
    ClearBeneficiaryInput();
    const int row = rowToLoad();
    if (row == 0)
        return;
    m_panel->showRecord(m_workspace.beneRoster().ReadBeneficiaryRow(row));
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
            QStringLiteral("txtPayerAccount"),
            Workspace::List::PayerRoster,
            NameAccountRules::payers()};
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
            QStringLiteral("txtBeneAccount2"),
            Workspace::List::PayrollRoster,
            NameAccountRules::payrollBeneficiaries()};
}

SimpleRosterPage::SimpleRosterPage(Workspace &workspace, const SimpleRosterNames &names, Prompter &prompter,
                                   StatusPanels &status, QWidget *parent)
    : ListPage(workspace, names.roster, names.page, prompter, parent), m_workspace(workspace),
      m_rules(names.rules), m_status(status)
{
    m_panel = new NameAccountPanel(
        {names.panel, names.nameLabel, names.nameField, names.accountLabel, names.accountField},
        m_rules.accountField, workspace.checkDigit(), prompter, this);
    setPanel(m_panel);
    connect(m_panel, &NameAccountPanel::forwardRequested, this, &ListPage::forwardRequested);
    connect(addButton(), &QPushButton::clicked, this, &SimpleRosterPage::addClick);
    connect(editButton(), &QPushButton::clicked, this, &SimpleRosterPage::editClick);
    connect(deleteButton(), &QPushButton::clicked, this, &SimpleRosterPage::deleteClick);
    connect(list(), &RecordListView::rowClicked, this, &SimpleRosterPage::itemClick);
}

bool SimpleRosterPage::validateInput()
{
    const std::optional<QString> failure =
        validateNameAndAccount(m_rules, m_panel->name(), m_panel->account(), m_workspace.checkDigit());
    if (failure)
        prompter().warning(*failure);
    return !failure;
}

void SimpleRosterPage::addClick()
{
    HourGlass busy;
    if (!validateInput())
        return;
    const QString name = m_panel->name();
    const QString account = m_panel->account();
    if (findNameAndAccount(records(), name, account) > 0) {
        prompter().warning(m_rules.duplicateMessage);
        return;
    }
    if (which() == Workspace::List::PayerRoster)
        m_workspace.addPayer({name, account});
    else
        m_workspace.addPayrollBeneficiary({name, account});
    clearInput();
    m_panel->focusNewEntry();
}

void SimpleRosterPage::editClick()
{
    HourGlass busy;
    const int row = rowToEdit();
    if (row == 0 || !validateInput())
        return;
    m_workspace.replaceRow(which(), row,
                           NameAccountListModel::rowTextsOf(m_panel->name(), m_panel->account()));
}

void SimpleRosterPage::clearInput()
{
    m_panel->clear();
}

void SimpleRosterPage::deleteClick()
{
    HourGlass busy;
    confirmAndRemoveSelectedRows();
}

void SimpleRosterPage::itemClick()
{
    clearInput();
    const int row = rowToLoad();
    if (row == 0)
        return;
    // Both rosters keep the name in the first column and the account in the second.
    m_panel->showRecord(records().cellText(row, RosterNameColumn),
                        records().cellText(row, RosterAccountColumn));
}

void SimpleRosterPage::refreshStatus()
{
    m_status.ResetStatusTotals();
}

} // namespace lgbatch
