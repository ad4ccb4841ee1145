#pragma once

#include <QString>

namespace lgbatch {

// One salary payment of the payroll list. Every payee is an own-bank account or card, so the
// record carries no bank; the list shows the own bank's name in its bank column.
struct PayrollItem
{
    QString BeneName;
    QString BeneAccount;
    QString Amount; // display text, e.g. 12,345.60
    QString Remark;

    bool operator==(const PayrollItem &) const = default;
};

} // namespace lgbatch
