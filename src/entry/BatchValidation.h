#pragma once

#include "CheckDigit.h"

#include "core/ApplicationState.h"
#include "refdata/ReferenceTables.h"

#include <QString>

#include <optional>

namespace lgbatch {

// The texts of the batch input panel as the user left them.
struct BatchPanelInput
{
    QString PayerName;
    QString PayerAccount;
    QString BeneName;
    QString BeneAccount;
    bool OwnBank = false; // "是否本行账号?" answered 是
    QString State;
    QString City;
    QString BankType;
    QString Bank;
    QString Amount;
    QString Emergency;
    QString Remark;
};

struct BatchValidation
{
    // The first failing rule's message; empty when the panel passes.
    std::optional<QString> failure;
    // The personal edition sets the payment mode from the amount once the amount has passed.
    std::optional<QString> emergencyToSet;

    bool ok() const { return !failure.has_value(); }
};

// Above this amount a corporate payment must be urgent.
inline constexpr double CorporateUrgentThreshold = 20000.0;
// Above this amount a personal payment becomes urgent.
inline constexpr double PersonalUrgentThreshold = 50000.0;

// The rules of an Add or Edit on the batch panel, in their fixed order; the first failing one
// decides the message. Last comes the batch file's own limit: a text it could not carry
// exactly ("|", a line break, a character GBK cannot hold) is refused, naming the field.
BatchValidation ValidateBatchInput(const BatchPanelInput &panel, Edition edition,
                                   const ReferenceTables &tables, const CheckDigit &checkDigit);

} // namespace lgbatch
