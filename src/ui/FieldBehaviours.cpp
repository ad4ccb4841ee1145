#include "FieldBehaviours.h"

#include "FocusHooks.h"
#include "HourGlass.h"

#include <QComboBox>
#include <QLineEdit>

namespace lgbatch {

namespace {

std::function<void()> selectAll(QWidget *field)
{
    return [field] {
        HourGlass busy;
        if (QLineEdit *box = FieldBehaviours::textBoxOf(field))
            box->selectAll();
    };
}

void refuse(QWidget *field, const QString &message, Prompter &prompter,
            const std::function<void()> &bringForward)
{
    bringForward();
    prompter.warning(message);
    field->setFocus(Qt::OtherFocusReason);
    if (QLineEdit *box = FieldBehaviours::textBoxOf(field))
        box->selectAll();
}

} // namespace

QLineEdit *FieldBehaviours::textBoxOf(QWidget *field)
{
    if (auto *box = qobject_cast<QLineEdit *>(field))
        return box;
    if (auto *picker = qobject_cast<QComboBox *>(field))
        return picker->lineEdit();
    return nullptr;
}

void FieldBehaviours::selectAllOnEntry(QWidget *field)
{
    FocusHooks::install(field, selectAll(field), {});
}

void FieldBehaviours::installAmountField(QLineEdit *field, Prompter &prompter,
                                         std::function<void()> bringForward)
{
    FocusHooks::install(field, selectAll(field), [field, &prompter, bringForward = std::move(bringForward)] {
        HourGlass busy;
        settleAmountField(field, prompter, bringForward);
    });
}

bool FieldBehaviours::settleAmountField(QLineEdit *field, Prompter &prompter,
                                        const std::function<void()> &bringForward)
{
    const AmountFieldCheck check = checkAmountField(field->text());
    if (field->text() != check.text)
        field->setText(check.text);
    if (!check.message)
        return true;
    refuse(field, *check.message, prompter, bringForward);
    return false;
}

void FieldBehaviours::installAccountField(QWidget *field, AccountFieldRule rule,
                                          std::function<bool()> ownBankTestApplies,
                                          const CheckDigit &checkDigit, Prompter &prompter,
                                          std::function<void()> bringForward)
{
    FocusHooks::install(field, selectAll(field),
                        [field, rule = std::move(rule), applies = std::move(ownBankTestApplies), &checkDigit,
                         &prompter, bringForward = std::move(bringForward)] {
                            HourGlass busy;
                            const QLineEdit *box = textBoxOf(field);
                            if (!box)
                                return;
                            if (const auto message =
                                    checkAccountField(box->text(), rule, applies(), checkDigit))
                                refuse(field, *message, prompter, bringForward);
                        });
}

} // namespace lgbatch
