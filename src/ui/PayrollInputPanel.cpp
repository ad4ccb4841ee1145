#include "PayrollInputPanel.h"

#include "CapitalsLine.h"
#include "FieldBehaviours.h"
#include "PanelWidgets.h"
#include "RosterPicker.h"

#include "workspace/Workspace.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lgbatch {

PayrollInputPanel::PayrollInputPanel(Workspace &workspace, Prompter &prompter, QWidget *parent)
    : QFrame(parent), m_name(makeTypedPicker(this, QStringLiteral("cbBeneName2"))),
      m_account(makeTypedPicker(this, QStringLiteral("cbBeneAccount2"))),
      m_amount(makeTextField(this, QStringLiteral("txtAmount2"))), m_date(new QDateEdit(this)),
      // The payroll remark has no length limit.
      m_remark(makeTextField(this, QStringLiteral("txtRemark2")))
{
    setObjectName(QStringLiteral("frameInputPayroll"));
    setFrameShape(QFrame::StyledPanel);
    m_amount->setText(QStringLiteral("0.00"));
    m_date->setObjectName(QStringLiteral("DTPickerTransferDate2"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);

    auto *form = new QFormLayout;
    addLabelledRow(form, QStringLiteral("收款人名称："), m_name);
    addLabelledRow(form, QStringLiteral("收款人账号/卡号："), m_account);
    addLabelledRow(form, QStringLiteral("金额："), m_amount);
    addCapitalsLine(form, m_amount, QStringLiteral("lblAmountCapitals2"));
    addLabelledRow(form, QStringLiteral("支付日期："), m_date);
    addLabelledRow(form, QStringLiteral("备注："), m_remark);
    chainTabOrder({m_name, m_account, m_amount, m_date, m_remark});
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addStretch();

    new RosterPicker(workspace.payrollRoster(), m_name, m_account);
    connect(m_date, &QDateEdit::dateChanged, this, &PayrollInputPanel::transferDateChanged);
    const auto bringForward = [this] { Q_EMIT forwardRequested(); };
    FieldBehaviours::installAmountField(m_amount, prompter, bringForward);
    // Every payroll payee is at the own bank: the account-or-card test always runs.
    const AccountFieldRule account{QStringLiteral("收款人账号/卡号错误！"),
                                   AccountFieldRule::OwnBank::AccountOrCard,
                                   QStringLiteral("收款人账号/卡号错误，必须为本行账号/卡号！")};
    FieldBehaviours::installAccountField(
        m_account, account, [] { return true; }, workspace.checkDigit(), prompter, bringForward);
}

PayrollItem PayrollInputPanel::record() const
{
    return {m_name->currentText(), m_account->currentText(), m_amount->text(), m_remark->text()};
}

void PayrollInputPanel::showRecord(const PayrollItem &item)
{
    m_name->setEditText(item.BeneName);
    m_account->setEditText(item.BeneAccount);
    m_amount->setText(item.Amount);
    m_remark->setText(item.Remark);
}

void PayrollInputPanel::showAmount(const QString &amount)
{
    m_amount->setText(amount);
}

void PayrollInputPanel::clear()
{
    m_name->setEditText(QString());
    m_account->setEditText(QString());
    m_amount->setText(QStringLiteral("0.00"));
    m_remark->clear();
}

void PayrollInputPanel::focusNewEntry()
{
    m_name->setFocus(Qt::OtherFocusReason);
}

void PayrollInputPanel::setTransferDate(QDate date)
{
    m_date->setDate(date);
}

} // namespace lgbatch
