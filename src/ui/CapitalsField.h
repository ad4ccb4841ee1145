#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace lgbatch {

// A read-only field that shows the amount of `amountField` in capitals (大写) as the user
// types, so that a slipped digit shows before the row is added; empty while the text is not a
// number. It takes the focus only when clicked (to scroll or copy a long text), never by Tab.
QLineEdit *makeCapitalsField(QLineEdit *amountField, const QString &objectName, QWidget *parent);

} // namespace lgbatch
