#pragma once

#include "core/Seams.h"
#include "entry/FieldRules.h"

#include <QFrame>

class QLineEdit;

namespace lgbatch {

// The entry panel of the payer roster (tab 3) and of the payroll roster (tab 4): a name and an
// own-bank account, the account tested whenever it is left.
class NameAccountPanel : public QFrame
{
    Q_OBJECT
public:
    // The object names and captions of one such panel.
    struct Names
    {
        QString panel;        // framePayerInput
        QString nameLabel;    // "付款人名称："
        QString nameField;    // txtPayerName
        QString accountLabel; // "付款人账号："
        QString accountField; // txtPayerAccount
    };

    NameAccountPanel(const Names &names, const AccountFieldRule &accountRule, const CheckDigit &checkDigit,
                     Prompter &prompter, QWidget *parent = nullptr);

    QString name() const;
    QString account() const;
    // Puts a roster row's name and account into the panel.
    void showRecord(const QString &name, const QString &account);
    // ClearPayerInput / ClearPayrollBeneficiaryInput: empty name and account.
    void clear();
    // The focus where the next entry begins: the name.
    void focusNewEntry();

Q_SIGNALS:
    // The account was refused: the panel's tab must come to the front before the message.
    void forwardRequested();

private:
    QLineEdit *m_name;
    QLineEdit *m_account;
};

} // namespace lgbatch
