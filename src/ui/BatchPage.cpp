#include "BatchPage.h"

#include "HourGlass.h"
#include "StatusPanels.h"

#include "entry/DuplicateIndex.h"
#include "entry/ListTotals.h"

#include <QPushButton>

namespace lgbatch {

namespace {

bool answeredYes(Prompter &prompter, const QString &question)
{
    return prompter.question(question, Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

} // namespace

BatchPage::BatchPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent)
    : ListPage(workspace.batchList(),
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
    BatchListModel &list = m_workspace.batchList();
    m_status.showListTotal(totalOfAmountColumn(list, list.amountColumn(), Amount::ceiling()), prompter());
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
    BatchListModel &batch = m_workspace.batchList();
    batch.AddBatchRow(payment);
    RefreshBatchTotals();
    batch.setChanged(true);
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
    PayerListModel &roster = m_workspace.payerRoster();
    const bool known = roster.findPayer(payment.PayerName, payment.PayerAccount) > 0;
    if (known || !answeredYes(prompter(), QStringLiteral("付款人不存在，需要保存到名册吗？")))
        return;
    roster.AddPayer({payment.PayerName, payment.PayerAccount});
    roster.setChanged(true);
}

void BatchPage::offerBeneficiaryToRoster(const BatchPayment &payment)
{
    BeneficiaryListModel &roster = m_workspace.beneRoster();
    const bool known = roster.findBeneficiary(payment.BeneName, payment.BeneAccount, payment.Remark) > 0;
    if (known || !answeredYes(prompter(), QStringLiteral("收款人不存在，需要保存到名册吗？")))
        return;
    Beneficiary bene;
    bene.BeneName = payment.BeneName;
    bene.BeneAccount = payment.BeneAccount;
    bene.BankName = payment.BankName;
    bene.Remark = payment.Remark;
    roster.AddBeneficiary(bene);
    roster.setChanged(true);
}

void BatchPage::cmdEdit_Click()
{
    HourGlass busy;
    const int row = rowToEdit();
    if (row == 0 || !settleAmount() || !m_panel->ValidateBatchInput())
        return;
    BatchListModel &batch = m_workspace.batchList();
    batch.setRowTexts(row, batch.rowTextsOf(m_panel->record()));
    RefreshBatchTotals();
    batch.setChanged(true);
    // The user has chosen the branch again: the row is no longer one to correct.
    batch.setRowColour(row, ListRowBlack);
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
    for (int row = 1; row <= roster.count(); ++row) {
        const Beneficiary bene = roster.ReadBeneficiaryRow(row);
        if (bene.BeneAccount != account || bene.BeneName != name)
            continue;
        m_panel->showBeneficiaryBank(bene);
        return;
    }
}

} // namespace lgbatch
