#include "RosterPages.h"

#include "PanelWidgets.h"
#include "StatusPanels.h"

#include <QFormLayout>
#include <QFrame>
#include <QLineEdit>
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
    : ListPage(roster, names.page, prompter, parent), m_status(status)
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
}

void SimpleRosterPage::refreshStatus()
{
    m_status.ResetStatusTotals();
}

} // namespace lgbatch
