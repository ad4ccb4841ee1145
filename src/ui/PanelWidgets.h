#pragma once

#include <QList>
#include <QString>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace lgbatch {

// A pick-only list.
QComboBox *makePicker(QWidget *parent, const QString &objectName);
// A picker the user may also type into; typed text is never completed or added to the list.
QComboBox *makeTypedPicker(QWidget *parent, const QString &objectName);
// A plain text field with an object name and an optional length limit (0: none).
QLineEdit *makeTextField(QWidget *parent, const QString &objectName, int maxLength = 0);

// The own-bank question "是否本行账号?" with its options 是 and 否, as one row of a form.
struct OwnBankOption
{
    QRadioButton *yes;
    QRadioButton *no;
};
// `suffix` names the options optYes<suffix> / optNo<suffix>; the label is the buddy of 是.
OwnBankOption addOwnBankRow(QFormLayout *form, QWidget *parent, const QString &suffix);
// A record's bank in the panel: 是 for the own bank's name; else 否 with the branch name typed
// into the branch picker.
void showOwnBankOption(const OwnBankOption &option, QComboBox *branch, const QString &bankName);

// A label that is the buddy of its field, so that screen readers know the field by it.
QLabel *addLabelledRow(QFormLayout *form, const QString &caption, QWidget *field,
                       const QString &labelName = {});

// Tab moves through the fields in the given order (the order they are shown in).
void chainTabOrder(const QList<QWidget *> &fields);

// Pickers are laid out at least this many characters wide, whatever they hold. Few enough that
// a branch picker and its 查找 button fit beside their label in a panel 4777 twips wide; the
// panel's layout widens the pickers when it has more room, and the drop-down lists are as wide
// as their longest item.
inline constexpr int PickerMinimumCharacters = 7;

} // namespace lgbatch
