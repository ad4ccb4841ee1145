#include "BatchInputPanel.h"

#include "PanelWidgets.h"

#include "entry/BatchPayment.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
      m_optYes(new QRadioButton(QStringLiteral("是"), m_beneFrame)),
      m_optNo(new QRadioButton(QStringLiteral("否"), m_beneFrame)),
      m_branch(new BranchPicker(tables, prompter,
                                {QString(), BranchPicker::RedirectNoteRemoval::OnBranchPick}, m_beneFrame)),
      m_amount(makeTextField(m_beneFrame, QStringLiteral("txtAmount"))),
      m_emergency(makePicker(m_beneFrame, QStringLiteral("cbEmergency"))),
      m_remark(makeTextField(m_beneFrame, QStringLiteral("txtRemark"), RemarkMaxLength))
{
    setObjectName(QStringLiteral("frameInput"));

    auto *payerForm = new QFormLayout(m_payerFrame);
    payerForm->addRow(QStringLiteral("付款人名称："), m_payerName);
    payerForm->addRow(QStringLiteral("付款人账号："), m_payerAccount);

    m_optYes->setObjectName(QStringLiteral("optYes"));
    m_optNo->setObjectName(QStringLiteral("optNo"));
    auto *ownBank = new QButtonGroup(this);
    ownBank->addButton(m_optYes);
    ownBank->addButton(m_optNo);
    auto *ownBankRow = new QHBoxLayout;
    ownBankRow->addWidget(m_optYes);
    ownBankRow->addWidget(m_optNo);
    ownBankRow->addStretch();

    m_amount->setText(QStringLiteral("0.00"));
    m_emergency->addItems({nonUrgentMode(), urgentMode()});
    m_emergency->setCurrentIndex(-1);

    auto *beneForm = new QFormLayout(m_beneFrame);
    beneForm->addRow(QStringLiteral("收款人名称："), m_beneName);
    beneForm->addRow(QStringLiteral("收款人账号/卡号："), m_beneAccount);
    auto *ownBankLabel = new QLabel(QStringLiteral("是否本行账号?"), m_beneFrame);
    ownBankLabel->setBuddy(m_optYes);
    beneForm->addRow(ownBankLabel, ownBankRow);
    m_branch->addRowsTo(beneForm);
    beneForm->addRow(QStringLiteral("金额："), m_amount);
    auto *emergencyLabel = new QLabel(QStringLiteral("支付方式："), m_beneFrame);
    emergencyLabel->setObjectName(QStringLiteral("lblEmergency"));
    emergencyLabel->setBuddy(m_emergency);
    beneForm->addRow(emergencyLabel, m_emergency);
    auto *remarkLabel = new QLabel(QStringLiteral("备注："), m_beneFrame);
    remarkLabel->setObjectName(QStringLiteral("lblRemark"));
    remarkLabel->setBuddy(m_remark);
    beneForm->addRow(remarkLabel, m_remark);
    m_branch->setRemarkBox(m_remark);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_payerFrame);
    column->addWidget(m_beneFrame);
    column->addStretch();
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
