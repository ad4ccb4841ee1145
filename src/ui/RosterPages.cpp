#include "RosterPages.h"

#include "FieldBehaviours.h"
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
    : ListPage(workspace, Workspace::List::BeneRoster,
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
    FieldBehaviours::installAccountField(
        m_panel->txtBeneAccount(), beneficiaryAccountField(),
        [this] { return m_panel->optYes2()->isChecked(); }, workspace.checkDigit(), prompter,
        [this] { Q_EMIT forwardRequested(); });
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
    const Beneficiary record = beneficiaryOf(m_panel->panelInput());
    BeneficiaryListModel &roster = m_workspace.beneRoster();
    // The same name and account under another remark is another entry.
    if (roster.findBeneficiary(record.BeneName, record.BeneAccount, record.Remark) > 0) {
        prompter().warning(QStringLiteral("收款人账号已存在！"));
        return;
    }
    m_workspace.addBeneficiary(record);
    ClearBeneficiaryInput();
    m_panel->txtBeneName()->setFocus(Qt::OtherFocusReason);
}

void BeneRosterPage::cmdEditBene_Click()
{
    HourGlass busy;
    const int row = rowToEdit();
    if (row == 0 || !ValidateBeneficiaryInput())
        return;
    m_workspace.replaceRow(Workspace::List::BeneRoster, row,
                           BeneficiaryListModel::rowTextsOf(beneficiaryOf(m_panel->panelInput())));
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
    const Beneficiary record = m_workspace.beneRoster().ReadBeneficiaryRow(row);
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
    // Both rosters take only own-bank numbers: the account is tested whenever it is left.
    FieldBehaviours::installAccountField(
        m_account, m_rules.accountField, [] { return true; }, workspace.checkDigit(), prompter,
        [this] { Q_EMIT forwardRequested(); });
    connect(addButton(), &QPushButton::clicked, this, &SimpleRosterPage::addClick);
    connect(editButton(), &QPushButton::clicked, this, &SimpleRosterPage::editClick);
    connect(deleteButton(), &QPushButton::clicked, this, &SimpleRosterPage::deleteClick);
    connect(list(), &RecordListView::rowClicked, this, &SimpleRosterPage::itemClick);
}

bool SimpleRosterPage::validateInput()
{
    const std::optional<QString> failure =
        validateNameAndAccount(m_rules, m_name->text(), m_account->text(), m_workspace.checkDigit());
    if (failure)
        prompter().warning(*failure);
    return !failure;
}

void SimpleRosterPage::addClick()
{
    HourGlass busy;
    if (!validateInput())
        return;
    const QString name = m_name->text();
    const QString account = m_account->text();
    if (findNameAndAccount(records(), name, account) > 0) {
        prompter().warning(m_rules.duplicateMessage);
        return;
    }
    if (which() == Workspace::List::PayerRoster)
        m_workspace.addPayer({name, account});
    else
        m_workspace.addPayrollBeneficiary({name, account});
    clearInput();
    m_name->setFocus(Qt::OtherFocusReason);
}

void SimpleRosterPage::editClick()
{
    HourGlass busy;
    const int row = rowToEdit();
    if (row == 0 || !validateInput())
        return;
    m_workspace.replaceRow(which(), row, NameAccountListModel::rowTextsOf(m_name->text(), m_account->text()));
}

void SimpleRosterPage::clearInput()
{
    m_name->clear();
    m_account->clear();
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
    m_name->setText(records().cellText(row, RosterNameColumn));
    m_account->setText(records().cellText(row, RosterAccountColumn));
}

void SimpleRosterPage::refreshStatus()
{
    m_status.ResetStatusTotals();
}

} // namespace lgbatch
