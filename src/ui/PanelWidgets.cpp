#include "PanelWidgets.h"

#include <QComboBox>
#include <QLineEdit>

namespace lgbatch {

QComboBox *makePicker(QWidget *parent, const QString &objectName)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    // The panel's layout decides the width. Sizing to the contents would measure every item
    // at each refill, and a branch list holds thousands.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(PickerMinimumCharacters);
    combo->setMaxVisibleItems(20);
    return combo;
}

QComboBox *makeTypedPicker(QWidget *parent, const QString &objectName)
{
    QComboBox *combo = makePicker(parent, objectName);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    return combo;
}

QLineEdit *makeTextField(QWidget *parent, const QString &objectName, int maxLength)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(objectName);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    return field;
}

} // namespace lgbatch
