#include "BeneInputPanel.h"

#include "FieldBehaviours.h"
#include "HourGlass.h"

#include "entry/FieldRules.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lgbatch {

BeneInputPanel::BeneInputPanel(const ReferenceTables &tables, const CheckDigit &checkDigit,
                               Prompter &prompter, QWidget *parent)
    : QFrame(parent), m_name(makeTextField(this, QStringLiteral("txtBeneName"))),
      m_account(makeTextField(this, QStringLiteral("txtBeneAccount"))),
      // This panel's branch text is free to edit, so any change of it drops a redirect note.
      m_branch(new BranchPicker(tables, prompter,
                                {QStringLiteral("2"), BranchPicker::RedirectNoteRemoval::OnBranchTextChange},
                                this)),
      m_remark(makeTextField(this, QStringLiteral("txtRemark3"), RemarkMaxLength))
{
    setObjectName(QStringLiteral("frameBeneInput"));
    setFrameShape(QFrame::StyledPanel);
    auto *form = new QFormLayout;
    addLabelledRow(form, QStringLiteral("收款人名称："), m_name);
    addLabelledRow(form, QStringLiteral("收款人账号/卡号："), m_account);
    m_ownBank = addOwnBankRow(form, this, QStringLiteral("2"));
    m_branch->addRowsTo(form);
    addLabelledRow(form, QStringLiteral("备注："), m_remark);
    m_branch->setRemarkBox(m_remark);
    chainTabOrder({m_name, m_account, m_ownBank.yes, m_ownBank.no, m_branch->cbState(), m_branch->cbCity(),
                   m_branch->cbBankType(), m_branch->cbBank(), m_branch->cmdFindBank(), m_remark});
    connect(m_ownBank.yes, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optYes2_Click();
    });
    connect(m_ownBank.no, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optNo2_Click();
    });
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addStretch();

    connect(m_branch, &BranchPicker::typedNameRefused, this, &BeneInputPanel::forwardRequested);
    FieldBehaviours::installAccountField(
        m_account, beneficiaryAccountField(), [yes = m_ownBank.yes] { return yes->isChecked(); }, checkDigit,
        prompter, [this] { Q_EMIT forwardRequested(); });
}

Beneficiary BeneInputPanel::record() const
{
    return beneficiaryOf(panelInput());
}

void BeneInputPanel::showRecord(const Beneficiary &bene)
{
    m_name->setText(bene.BeneName);
    m_account->setText(bene.BeneAccount);
    showOwnBankOption(m_ownBank, m_branch->cbBank(), bene.BankName);
    m_remark->setText(bene.Remark);
    m_branch->ShowBankOfRecord(bene.branch, bene.Remark);
}

void BeneInputPanel::clear()
{
    m_branch->clearSelections();
    m_name->clear();
    m_account->clear();
    m_remark->clear();
}

void BeneInputPanel::focusNewEntry()
{
    m_name->setFocus(Qt::OtherFocusReason);
}

void BeneInputPanel::setOwnBank(bool ownBank)
{
    (ownBank ? m_ownBank.yes : m_ownBank.no)->setChecked(true);
}

void BeneInputPanel::fillBranchPickers()
{
    m_branch->fillFromTables();
}

BeneficiaryPanelInput BeneInputPanel::panelInput() const
{
    BeneficiaryPanelInput input;
    input.BeneName = m_name->text();
    input.BeneAccount = m_account->text();
    input.OwnBank = m_ownBank.yes->isChecked();
    input.State = m_branch->cbState()->currentText();
    input.City = m_branch->cbCity()->currentText();
    input.BankType = m_branch->cbBankType()->currentText();
    input.Bank = m_branch->cbBank()->currentText();
    input.Remark = m_remark->text();
    return input;
}

void BeneInputPanel::optYes2_Click()
{
    HourGlass busy;
    m_branch->setOtherBankFieldsEnabled(false);
}

void BeneInputPanel::optNo2_Click()
{
    HourGlass busy;
    m_branch->setOtherBankFieldsEnabled(true);
}

} // namespace lgbatch
