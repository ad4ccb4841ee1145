#include "PanelWidgets.h"

#include "refdata/ReferenceTables.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

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

OwnBankOption addOwnBankRow(QFormLayout *form, QWidget *parent, const QString &suffix)
{
    OwnBankOption option{new QRadioButton(QStringLiteral("是"), parent),
                         new QRadioButton(QStringLiteral("否"), parent)};
    option.yes->setObjectName(QStringLiteral("optYes") + suffix);
    option.no->setObjectName(QStringLiteral("optNo") + suffix);
    auto *group = new QButtonGroup(parent);
    group->addButton(option.yes);
    group->addButton(option.no);
    auto *row = new QHBoxLayout;
    row->addWidget(option.yes);
    row->addWidget(option.no);
    row->addStretch();
    auto *label = new QLabel(QStringLiteral("是否本行账号?"), parent);
    label->setBuddy(option.yes);
    form->addRow(label, row);
    return option;
}

void showOwnBankOption(const OwnBankOption &option, QComboBox *branch, const QString &bankName)
{
    if (bankName != ownBankName()) {
        option.no->setChecked(true);
        branch->setEditText(bankName);
    } else {
        option.yes->setChecked(true);
    }
}

void chainTabOrder(const QList<QWidget *> &fields)
{
    for (qsizetype i = 1; i < fields.size(); ++i)
        QWidget::setTabOrder(fields[i - 1], fields[i]);
}

QLabel *addLabelledRow(QFormLayout *form, const QString &caption, QWidget *field, const QString &labelName)
{
    auto *label = new QLabel(caption, field->parentWidget());
    if (!labelName.isEmpty())
        label->setObjectName(labelName);
    label->setBuddy(field);
    form->addRow(label, field);
    return label;
}

} // namespace lgbatch
