#include "BatchInputPanel.h"

#include "CapitalsLine.h"
#include "FieldBehaviours.h"
#include "HourGlass.h"
#include "PanelWidgets.h"
#include "RosterPicker.h"

#include "entry/FieldRules.h"
#include "workspace/Workspace.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lgbatch {

namespace {

QFrame *makeBlock(QWidget *parent, const QString &name)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

} // namespace

BatchInputPanel::BatchInputPanel(Workspace &workspace, Prompter &prompter, QWidget *parent)
    : QFrame(parent), m_state(workspace.state()), m_tables(workspace.tables()),
      m_checkDigit(workspace.checkDigit()), m_prompter(prompter),
      m_payerFrame(makeBlock(this, QStringLiteral("payerFrame"))),
      m_beneFrame(makeBlock(this, QStringLiteral("beneFrame"))),
      m_payerName(makeTypedPicker(m_payerFrame, QStringLiteral("cbPayerName"))),
      m_payerAccount(makeTypedPicker(m_payerFrame, QStringLiteral("cbPayerAccount"))),
      m_beneName(makeTypedPicker(m_beneFrame, QStringLiteral("cbBeneName"))),
      m_beneAccount(makeTypedPicker(m_beneFrame, QStringLiteral("cbBeneAccount"))),
      m_branch(new BranchPicker(m_tables, prompter,
                                {QString(), BranchPicker::RedirectNoteRemoval::OnBranchPick}, m_beneFrame)),
      m_amount(makeTextField(m_beneFrame, QStringLiteral("txtAmount"))),
      m_emergency(makePicker(m_beneFrame, QStringLiteral("cbEmergency"))),
      m_remark(makeTextField(m_beneFrame, QStringLiteral("txtRemark"), RemarkMaxLength))
{
    setObjectName(QStringLiteral("frameInput"));

    auto *payerForm = new QFormLayout(m_payerFrame);
    addLabelledRow(payerForm, QStringLiteral("付款人名称："), m_payerName);
    addLabelledRow(payerForm, QStringLiteral("付款人账号："), m_payerAccount);

    m_amount->setText(QStringLiteral("0.00"));
    m_emergency->addItems({nonUrgentMode(), urgentMode()});
    m_emergency->setCurrentIndex(-1);

    m_beneForm = new QFormLayout(m_beneFrame);
    addLabelledRow(m_beneForm, QStringLiteral("收款人名称："), m_beneName);
    addLabelledRow(m_beneForm, QStringLiteral("收款人账号/卡号："), m_beneAccount);
    m_ownBank = addOwnBankRow(m_beneForm, m_beneFrame, QString());
    m_branch->addRowsTo(m_beneForm);
    addLabelledRow(m_beneForm, QStringLiteral("金额："), m_amount);
    addCapitalsLine(m_beneForm, m_amount, QStringLiteral("lblAmountCapitals"));
    addLabelledRow(m_beneForm, QStringLiteral("支付方式："), m_emergency, QStringLiteral("lblEmergency"));
    addLabelledRow(m_beneForm, QStringLiteral("备注："), m_remark, QStringLiteral("lblRemark"));
    m_branch->setRemarkBox(m_remark);
    chainTabOrder({m_payerName, m_payerAccount, m_beneName, m_beneAccount, m_ownBank.yes, m_ownBank.no,
                   m_branch->cbState(), m_branch->cbCity(), m_branch->cbBankType(), m_branch->cbBank(),
                   m_branch->cmdFindBank(), m_amount, m_emergency, m_remark});
    connect(m_ownBank.yes, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optYes_Click();
    });
    connect(m_ownBank.no, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optNo_Click();
    });

    // The payer block at the panel's top and the beneficiary block right under it, as designed;
    // that also leaves the beneficiary block room for every line at the smallest window.
    auto *column = new QVBoxLayout(this);
    column->setSpacing(0);
    QMargins margins = column->contentsMargins();
    margins.setTop(0);
    column->setContentsMargins(margins);
    column->addWidget(m_payerFrame);
    column->addWidget(m_beneFrame);
    column->addStretch();

    new RosterPicker(workspace.beneRoster(), m_beneName, m_beneAccount);
    new RosterPicker(workspace.payerRoster(), m_payerName, m_payerAccount);
    connect(m_branch, &BranchPicker::typedNameRefused, this, &BatchInputPanel::forwardRequested);
    connect(m_beneAccount, &QComboBox::currentIndexChanged, this, &BatchInputPanel::beneAccountIndexChanged);
    installFieldBehaviours();
}

void BatchInputPanel::installFieldBehaviours()
{
    const auto bringForward = [this] { Q_EMIT forwardRequested(); };
    FieldBehaviours::installAmountField(m_amount, m_prompter, bringForward);
    // Another bank's account is only known to be a number; the own bank's is checked in full.
    FieldBehaviours::installAccountField(
        m_beneAccount,
        {QStringLiteral("收款人账号/卡号错误！"), AccountFieldRule::OwnBank::AccountOrCard,
         QStringLiteral("收款人账号/卡号错误，必须为本行账号/卡号！")},
        [yes = m_ownBank.yes] { return yes->isChecked(); }, m_checkDigit, m_prompter, bringForward);
    // Payers are the bank's own customers, and pay from an account, never from a card.
    FieldBehaviours::installAccountField(
        m_payerAccount,
        {QString(), AccountFieldRule::OwnBank::AccountOnly, QStringLiteral("付款人账号错误！")},
        [] { return true; }, m_checkDigit, m_prompter, bringForward);
}

void BatchInputPanel::optYes_Click()
{
    HourGlass busy;
    m_branch->setOtherBankFieldsEnabled(false);
}

void BatchInputPanel::optNo_Click()
{
    HourGlass busy;
    m_branch->setOtherBankFieldsEnabled(true);
}

void BatchInputPanel::fillBranchPickers()
{
    m_branch->fillFromTables();
}

void BatchInputPanel::setOwnBank(bool ownBank)
{
    (ownBank ? m_ownBank.yes : m_ownBank.no)->setChecked(true);
}

bool BatchInputPanel::settleAmount()
{
    return FieldBehaviours::settleAmountField(m_amount, m_prompter, [this] { Q_EMIT forwardRequested(); });
}

void BatchInputPanel::clear()
{
    m_branch->clearSelections();
    for (QComboBox *picker : {m_payerName, m_payerAccount, m_beneName, m_beneAccount})
        picker->setEditText(QString());
    m_amount->setText(QStringLiteral("0.00"));
    m_emergency->setCurrentIndex(-1);
    m_remark->clear();
}

void BatchInputPanel::showPayer(const QString &name, const QString &account)
{
    m_payerName->setEditText(name);
    m_payerAccount->setEditText(account);
}

void BatchInputPanel::focusNewEntry()
{
    m_beneName->setFocus(Qt::OtherFocusReason);
}

void BatchInputPanel::showRecord(const BatchPayment &payment)
{
    showPayer(payment.PayerName, payment.PayerAccount);
    m_beneName->setEditText(payment.BeneName);
    m_beneAccount->setEditText(payment.BeneAccount);
    showOwnBankOption(m_ownBank, m_branch->cbBank(), payment.BankName);
    m_amount->setText(payment.Amount);
    m_emergency->setCurrentIndex(m_emergency->findText(payment.Emergency));
    m_remark->setText(payment.Remark);
    m_branch->ShowBankOfRecord(payment.branch, payment.Remark);
}

void BatchInputPanel::showBeneficiaryBank(const Beneficiary &bene)
{
    showOwnBankOption(m_ownBank, m_branch->cbBank(), bene.BankName);
    m_remark->setText(bene.Remark);
    m_branch->ShowBankOfRecord(bene.branch, bene.Remark);
}

void BatchInputPanel::usePersonalLayout()
{
    m_payerFrame->hide();
    m_beneForm->setRowVisible(m_emergency, false);
}

BatchPayment BatchInputPanel::record() const
{
    BatchPayment payment;
    payment.PayerName = m_payerName->currentText();
    payment.PayerAccount = m_payerAccount->currentText();
    payment.BeneName = m_beneName->currentText();
    payment.BeneAccount = m_beneAccount->currentText();
    payment.BankName = m_ownBank.yes->isChecked() ? ownBankName() : m_branch->cbBank()->currentText();
    payment.Amount = m_amount->text();
    payment.Emergency = m_emergency->currentText();
    payment.Remark = m_remark->text();
    return payment;
}

BatchPanelInput BatchInputPanel::panelInput() const
{
    BatchPanelInput input;
    input.PayerName = m_payerName->currentText();
    input.PayerAccount = m_payerAccount->currentText();
    input.BeneName = m_beneName->currentText();
    input.BeneAccount = m_beneAccount->currentText();
    input.OwnBank = m_ownBank.yes->isChecked();
    input.State = m_branch->cbState()->currentText();
    input.City = m_branch->cbCity()->currentText();
    input.BankType = m_branch->cbBankType()->currentText();
    input.Bank = m_branch->cbBank()->currentText();
    input.Amount = m_amount->text();
    input.Emergency = m_emergency->currentText();
    input.Remark = m_remark->text();
    return input;
}

bool BatchInputPanel::ValidateBatchInput()
{
    const BatchValidation result =
        lgbatch::ValidateBatchInput(panelInput(), m_state.edition(), m_tables, m_checkDigit);
    if (result.failure) {
        m_prompter.warning(*result.failure);
        return false;
    }
    if (result.emergencyToSet)
        m_emergency->setCurrentIndex(m_emergency->findText(*result.emergencyToSet));
    return true;
}

} // namespace lgbatch
