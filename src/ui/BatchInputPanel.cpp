#include "BatchInputPanel.h"

#include "CapitalsLine.h"
#include "HourGlass.h"
#include "PanelWidgets.h"

#include "entry/FieldRules.h"

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

BatchInputPanel::BatchInputPanel(const ApplicationState &state, const ReferenceTables &tables,
                                 const CheckDigit &checkDigit, Prompter &prompter, QWidget *parent)
    : QFrame(parent), m_state(state), m_tables(tables), m_checkDigit(checkDigit), m_prompter(prompter),
      m_payerFrame(makeBlock(this, QStringLiteral("payerFrame"))),
      m_beneFrame(makeBlock(this, QStringLiteral("beneFrame"))),
      m_payerName(makeTypedPicker(m_payerFrame, QStringLiteral("cbPayerName"))),
      m_payerAccount(makeTypedPicker(m_payerFrame, QStringLiteral("cbPayerAccount"))),
      m_beneName(makeTypedPicker(m_beneFrame, QStringLiteral("cbBeneName"))),
      m_beneAccount(makeTypedPicker(m_beneFrame, QStringLiteral("cbBeneAccount"))),
      m_branch(new BranchPicker(tables, prompter,
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
    const OwnBankOption ownBank = addOwnBankRow(m_beneForm, m_beneFrame, QString());
    m_optYes = ownBank.yes;
    m_optNo = ownBank.no;
    m_branch->addRowsTo(m_beneForm);
    addLabelledRow(m_beneForm, QStringLiteral("金额："), m_amount);
    addCapitalsLine(m_beneForm, m_amount, QStringLiteral("lblAmountCapitals"));
    addLabelledRow(m_beneForm, QStringLiteral("支付方式："), m_emergency, QStringLiteral("lblEmergency"));
    addLabelledRow(m_beneForm, QStringLiteral("备注："), m_remark, QStringLiteral("lblRemark"));
    m_branch->setRemarkBox(m_remark);
    chainTabOrder({m_payerName, m_payerAccount, m_beneName, m_beneAccount, m_optYes, m_optNo,
                   m_branch->cbState(), m_branch->cbCity(), m_branch->cbBankType(), m_branch->cbBank(),
                   m_branch->cmdFindBank(), m_amount, m_emergency, m_remark});
    connect(m_optYes, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optYes_Click();
    });
    connect(m_optNo, &QRadioButton::toggled, this, [this](bool on) {
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
    payment.BankName = m_optYes->isChecked() ? ownBankName() : m_branch->cbBank()->currentText();
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
    input.OwnBank = m_optYes->isChecked();
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
