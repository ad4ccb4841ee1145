#include "ListTotals.h"

namespace lgbatch {

ListTotal totalOfAmountColumn(const RecordListModel &list, int amountColumn, std::optional<Amount> ceiling)
{
    ListTotal result;
    result.count = list.count();
    for (int row = 1; row <= list.count(); ++row) {
        const std::optional<Amount> amount = Amount::fromText(list.cellText(row, amountColumn));
        const std::optional<Amount> sum = amount ? result.total.plus(*amount) : std::nullopt;
        if (!sum) {
            result.badAmountRow = row;
            return result;
        }
        result.total = *sum;
        if (ceiling && result.total > *ceiling) {
            result.ceilingExceededAtRow = row;
            return result;
        }
    }
    return result;
}

QString totalCeilingMessage()
{
    return QStringLiteral("总金额金额不允许超出 100,000,000.00！");
}

std::optional<QString> problemOf(const ListTotal &total)
{
    if (total.ceilingExceededAtRow > 0)
        return totalCeilingMessage();
    if (total.badAmountRow > 0)
        return QStringLiteral("第%1行金额错误，无法计算总金额！").arg(total.badAmountRow);
    return std::nullopt;
}

} // namespace lgbatch
