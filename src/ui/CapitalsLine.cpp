#include "CapitalsLine.h"

#include "core/AmountInCapitals.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace lgbatch {

namespace {

void showCapitalsOf(const QString &amountText, QLabel *line)
{
    const std::optional<Amount> amount = Amount::fromText(amountText);
    line->setText(QStringLiteral("大写：") + (amount ? amountInCapitals(*amount) : QString()));
    line->setToolTip(line->text());
}

} // namespace

QLabel *addCapitalsLine(QFormLayout *form, QLineEdit *amountField, const QString &objectName)
{
    auto *line = new QLabel(amountField->parentWidget());
    line->setObjectName(objectName);
    line->setTextFormat(Qt::PlainText);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A longer text than the panel is wide is cut off rather than widening the panel.
    line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    showCapitalsOf(amountField->text(), line);
    QObject::connect(amountField, &QLineEdit::textChanged, line,
                     [line](const QString &text) { showCapitalsOf(text, line); });
    form->addRow(line);
    return line;
}

} // namespace lgbatch
