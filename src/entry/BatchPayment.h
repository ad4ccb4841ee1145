#pragma once

#include "refdata/BranchFields.h"

#include <QString>

namespace lgbatch {

// One transfer of the batch list, every field held as text as the list and the file hold it.
struct BatchPayment
{
    QString PayerName;
    QString PayerAccount;
    QString BeneName;
    QString BeneAccount;
    QString BankName;    // the branch, or the own bank's name
    BranchFields branch; // derived from BankName
    QString Amount;      // display text, e.g. 12,345.60
    QString Emergency;   // "加急", "非加急" or empty
    QString Remark;

    bool operator==(const BatchPayment &) const = default;
};

inline QString urgentMode()
{
    return QStringLiteral("加急");
}
inline QString nonUrgentMode()
{
    return QStringLiteral("非加急");
}

} // namespace lgbatch
