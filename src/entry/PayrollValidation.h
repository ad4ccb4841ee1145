#pragma once

#include "CheckDigit.h"
#include "PayrollItem.h"

#include "core/Result.h"

namespace lgbatch {

// The rules of an Add or Edit on the payroll panel, in their fixed order, over the panel's
// texts; the first failing one gives the message. Every payee is at the own bank, so the
// account must be an own-bank account or card; there is no payer and no payment mode.
//
// On success the answer is the row to store: the panel's texts with the amount as the amount
// field shows it once left (1234.5 -> 1,234.50), since a button pressed without moving the
// focus runs before the field's own check. For the same reason an amount that shows as 0.00,
// or above the single-amount ceiling, is refused here too; and a name or remark that the
// payroll file could not carry exactly, so that no row enters the list that no save can write.
Result<PayrollItem> ValidatePayrollInput(const PayrollItem &panel, const CheckDigit &checkDigit);

} // namespace lgbatch
