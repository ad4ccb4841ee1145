#include "CapitalsField.h"

#include "core/AmountInCapitals.h"

#include <QLineEdit>

namespace lgbatch {

namespace {

void showCapitalsOf(const QString &amountText, QLineEdit *field)
{
    const std::optional<Amount> amount = Amount::fromText(amountText);
    field->setText(amount ? amountInCapitals(*amount) : QString());
    field->setToolTip(field->text());
    // A text longer than the field shows its beginning, where the largest places are.
    field->setCursorPosition(0);
}

} // namespace

QLineEdit *makeCapitalsField(QLineEdit *amountField, const QString &objectName, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    // It reads as a line of the panel, not as one more field to fill in.
    field->setFrame(false);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    showCapitalsOf(amountField->text(), field);
    QObject::connect(amountField, &QLineEdit::textChanged, field,
                     [field](const QString &text) { showCapitalsOf(text, field); });
    return field;
}

} // namespace lgbatch
