#pragma once

#include "Amount.h"

#include <QString>

namespace lgbatch {

enum class CurrencyPrefix
{
    None,
    Renminbi // "人民币" in front, as cheques and vouchers write it
};

// An amount the way Chinese finance writes it in capitals (大写), so that a slipped digit
// shows: 12,345.60 -> 壹万贰仟叁佰肆拾伍元陆角整, 1,005.05 -> 壹仟零伍元零伍分,
// 0.50 -> 伍角整, -3.00 -> 负叁元整. Places that are skipped read 零 once; 万 and 亿 group
// the digits; 整 closes an amount without fen. The amount is taken to the fen as its display
// text shows it (the third decimal rounds half away from zero).
QString amountInCapitals(Amount amount, CurrencyPrefix prefix = CurrencyPrefix::None);

} // namespace lgbatch
