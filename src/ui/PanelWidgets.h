#pragma once

#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace lgbatch {

// A pick-only list.
QComboBox *makePicker(QWidget *parent, const QString &objectName);
// A picker the user may also type into; typed text is never completed or added to the list.
QComboBox *makeTypedPicker(QWidget *parent, const QString &objectName);
// A plain text field with an object name and an optional length limit (0: none).
QLineEdit *makeTextField(QWidget *parent, const QString &objectName, int maxLength = 0);

// Pickers are laid out at least this many characters wide, whatever they hold.
inline constexpr int PickerMinimumCharacters = 12;

// The most characters a remark may have.
inline constexpr int RemarkMaxLength = 50;

} // namespace lgbatch
