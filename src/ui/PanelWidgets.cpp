#include "PanelWidgets.h"

#include <QComboBox>
#include <QLineEdit>

namespace lgbatch {

QComboBox *makeTypedPicker(QWidget *parent, const QString &objectName)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
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
