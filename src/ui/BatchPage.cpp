#include "BatchPage.h"

#include "HourGlass.h"
#include "StatusPanels.h"

#include "entry/DuplicateIndex.h"

#include <QPushButton>

namespace lgbatch {

namespace {

bool answeredYes(Prompter &prompter, const QString &question)
{
    return prompter.question(question, Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

} // namespace

BatchPage::BatchPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent)
    : ListPage(workspace, Workspace::List::Batch,
               {QStringLiteral("lstData"), QStringLiteral("frameAction"), QStringLiteral("frameAction2"),
                QStringLiteral("cmdAdd"), QStringLiteral("cmdEdit"), QStringLiteral("cmdDelete"),
                QStringLiteral("cmdLoad"), QStringLiteral("cmdSave"), QStringLiteral("保存文件")},
               prompter, parent),
      m_workspace(workspace), m_status(status), m_panel(new BatchInputPanel(workspace, prompter, this)),
      m_duplicates(new DuplicateIndex(workspace.batchList(), workspace.batchList().beneAccountColumn(),
                                      workspace.batchList().amountColumn(), this))
{
    setPanel(m_panel);
    connect(m_panel, &BatchInputPanel::forwardRequested, this, &ListPage::forwardRequested);
    connect(addButton(), &QPushButton::clicked, this, &BatchPage::cmdAdd_Click);
    connect(editButton(), &QPushButton::clicked, this, &BatchPage::cmdEdit_Click);
    connect(deleteButton(), &QPushButton::clicked, this, &BatchPage::cmdDelete_Click);
    connect(list(), &RecordListView::rowClicked, this, &BatchPage::lstData_ItemClick);
    connect(m_panel, &BatchInputPanel::beneAccountIndexChanged, this, &BatchPage::cbBeneAccount_Click);
}

void BatchPage::RefreshBatchTotals()
{
    m_status.showListTotal(m_workspace.totalOf(Workspace::List::Batch), prompter());
}

void BatchPage::ClearBatchInput()
{
    m_panel->clear();
}

void BatchPage::cmdAdd_Click()
{
    HourGlass busy;
    if (!settleAmount() || !m_panel->ValidateBatchInput())
        return;
    // The payment as it went into the list decides the roster offers and the payer kept for
    // the next row: rebuilding a roster's pickers must not change what is compared or kept.
    const BatchPayment payment = m_panel->record();
    if (!confirmRepeatedPayment(payment))
        return;
    m_workspace.addPayment(payment);
    if (m_workspace.isCorporate())
        offerPayerToRoster(payment);
    offerBeneficiaryToRoster(payment);
    ClearBatchInput();
    if (m_workspace.isCorporate())
        m_panel->showPayer(payment.PayerName, payment.PayerAccount);
    m_panel->focusNewEntry();
}

bool BatchPage::settleAmount()
{
    // A button pressed from the keyboard, or by an accessibility tool, leaves the amount field
    // without a focus change: the amount is put in its shown form (and capped) here as leaving
    // the field would, so that no row ever holds an amount the field would not have let go.
    return m_panel->settleAmount();
}

bool BatchPage::confirmRepeatedPayment(const BatchPayment &payment)
{
    const int row = m_duplicates->firstRowWith(payment.BeneAccount, Amount::fromText(payment.Amount));
    return row == 0 ||
           answeredYes(prompter(),
                       QStringLiteral("第%1行已有相同收款人账号和金额的付款，确定再次增加吗？").arg(row));
}

void BatchPage::offerPayerToRoster(const BatchPayment &payment)
{
    const bool known = m_workspace.payerRoster().find(payment.PayerName, payment.PayerAccount) > 0;
    if (known || !answeredYes(prompter(), QStringLiteral("付款人不存在，需要保存到名册吗？")))
        return;
    m_workspace.addPayer({payment.PayerName, payment.PayerAccount});
}

void BatchPage::offerBeneficiaryToRoster(const BatchPayment &payment)
{
    const bool known =
        m_workspace.beneRoster().findBeneficiary(payment.BeneName, payment.BeneAccount, payment.Remark) > 0;
    if (known || !answeredYes(prompter(), QStringLiteral("收款人不存在，需要保存到名册吗？")))
        return;
    Beneficiary bene;
    bene.BeneName = payment.BeneName;
    bene.BeneAccount = payment.BeneAccount;
    bene.BankName = payment.BankName;
    bene.Remark = payment.Remark;
    m_workspace.addBeneficiary(bene);
}

void BatchPage::cmdEdit_Click()
{
    HourGlass busy;
    const int row = rowToEdit();
    if (row == 0 || !settleAmount() || !m_panel->ValidateBatchInput())
        return;
    m_workspace.replaceRow(Workspace::List::Batch, row,
                           m_workspace.batchList().rowTextsOf(m_panel->record()));
}

void BatchPage::cmdDelete_Click()
{
    HourGlass busy;
    confirmAndRemoveSelectedRows();
}

void BatchPage::lstData_ItemClick()
{
    HourGlass busy;
    ClearBatchInput();
    const int row = rowToLoad();
    if (row == 0)
        return;
    m_panel->showRecord(m_workspace.batchList().ReadBatchRow(row));
}

void BatchPage::cbBeneAccount_Click(int index)
{
    // Only a picked account: emptying the picker is no pick.
    if (index < 0)
        return;
    HourGlass busy;
    const BatchPayment shown = m_panel->record();
    const QString &name = shown.BeneName;
    const QString &account = shown.BeneAccount;
    if (name.isEmpty() || account.isEmpty())
        return;
    const BeneficiaryListModel &roster = m_workspace.beneRoster();
    const int row = findNameAndAccount(roster, name, account);
    if (row > 0)
        m_panel->showBeneficiaryBank(roster.ReadBeneficiaryRow(row));
}

} // namespace lgbatch
