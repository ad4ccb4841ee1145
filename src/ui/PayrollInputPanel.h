#pragma once

#include "entry/PayrollItem.h"

#include <QFrame>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace lgbatch {

// The entry panel of the payroll tab: the employee picked from the payroll roster or typed,
// the amount, the one transfer date of the whole list, and the remark.
class PayrollInputPanel : public QFrame
{
    Q_OBJECT
public:
    explicit PayrollInputPanel(QWidget *parent = nullptr);

    QComboBox *cbBeneName2() const { return m_name; }
    QComboBox *cbBeneAccount2() const { return m_account; }
    QLineEdit *txtAmount2() const { return m_amount; }
    QDateEdit *DTPickerTransferDate2() const { return m_date; }
    QLineEdit *txtRemark2() const { return m_remark; }

    // The texts of name, account, amount and remark as they stand.
    PayrollItem panelInput() const;

private:
    QComboBox *m_name;
    QComboBox *m_account;
    QLineEdit *m_amount;
    QDateEdit *m_date;
    QLineEdit *m_remark;
};

} // namespace lgbatch
