#pragma once

#include "core/Seams.h"
#include "entry/PayrollItem.h"

#include <QDate>
#include <QFrame>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace lgbatch {

class Workspace;

// The entry panel of the payroll tab: the employee picked from the payroll roster or typed,
// the amount, the one transfer date of the whole list, and the remark.
class PayrollInputPanel : public QFrame
{
    Q_OBJECT
public:
    PayrollInputPanel(Workspace &workspace, Prompter &prompter, QWidget *parent = nullptr);

    // The texts of name, account, amount and remark as they stand.
    PayrollItem record() const;
    // Puts a payroll row's name, account, amount and remark into the panel.
    void showRecord(const PayrollItem &item);
    // The amount as the row now holds it (its display form).
    void showAmount(const QString &amount);
    // ClearPayrollInput: empty name and account, amount "0.00", empty remark.
    void clear();
    // The focus where the next payment begins: the name.
    void focusNewEntry();
    // The transfer date the picker shows.
    void setTransferDate(QDate date);

Q_SIGNALS:
    // A field refused its text: the panel's tab must come to the front before the message.
    void forwardRequested();
    // The user picked another transfer date.
    void transferDateChanged(QDate date);

private:
    QComboBox *m_name;
    QComboBox *m_account;
    QLineEdit *m_amount;
    QDateEdit *m_date;
    QLineEdit *m_remark;
};

} // namespace lgbatch
