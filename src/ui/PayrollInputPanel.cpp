#include "PayrollInputPanel.h"

#include "CapitalsLine.h"
#include "PanelWidgets.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lgbatch {

PayrollInputPanel::PayrollInputPanel(QWidget *parent)
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
}

PayrollItem PayrollInputPanel::panelInput() const
{
    return {m_name->currentText(), m_account->currentText(), m_amount->text(), m_remark->text()};
}

} // namespace lgbatch
