#pragma once

#include <QString>

class QFormLayout;
class QLabel;
class QLineEdit;

namespace lgbatch {

// The line "大写：壹万贰仟叁佰肆拾伍元陆角整" under an amount field: the amount in capitals, as
// the user types, so that a slipped digit shows before the row is added; only "大写：" while
// the text is not a number. It spans the whole width of the form, where even the longest
// amounts have room, and can be selected and copied but not edited.
QLabel *addCapitalsLine(QFormLayout *form, QLineEdit *amountField, const QString &objectName);

} // namespace lgbatch
