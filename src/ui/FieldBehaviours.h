#pragma once

#include "core/Seams.h"
#include "entry/FieldRules.h"

#include <functional>

class QLineEdit;
class QWidget;

namespace lgbatch {

// What the entry fields do on their own as the user enters and leaves them: the text is
// selected on entry; an amount is reformatted and capped, an account tested, on leaving. A
// refused field brings its tab to the front (`bringForward`), says why, and takes the focus
// back with its text selected, so the user cannot leave it with a wrong value. `field` is a
// text box or an editable picker.
namespace FieldBehaviours {

void selectAllOnEntry(QWidget *field);

void installAmountField(QLineEdit *field, Prompter &prompter, std::function<void()> bringForward);
// Runs the amount field's leave-check now (for a command that runs without the field being
// left); false when the amount is refused, with the field's message shown and the focus back.
bool settleAmountField(QLineEdit *field, Prompter &prompter, const std::function<void()> &bringForward);

// `ownBankTestApplies` says, at the moment the field is left, whether the own-bank test runs
// (for instance only while 是 is chosen).
void installAccountField(QWidget *field, AccountFieldRule rule, std::function<bool()> ownBankTestApplies,
                         const CheckDigit &checkDigit, Prompter &prompter,
                         std::function<void()> bringForward);

// The text box of a field: the field itself, or the line edit of an editable picker.
QLineEdit *textBoxOf(QWidget *field);

} // namespace FieldBehaviours
} // namespace lgbatch
