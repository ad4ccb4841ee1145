#include "PayrollValidation.h"

#include "FieldRules.h"

#include "core/Amount.h"
#include "core/FieldText.h"

namespace lgbatch {

namespace {

Result<PayrollItem> fail(const char16_t *message)
{
    return Result<PayrollItem>::failure(QString::fromUtf16(message));
}

} // namespace

Result<PayrollItem> ValidatePayrollInput(const PayrollItem &panel, const CheckDigit &checkDigit)
{
    if (panel.BeneName.isEmpty())
        return fail(u"收款人名称错误！");
    // An empty or non-numeric account gets the own-bank message too: nothing else is accepted.
    if (panel.BeneAccount.isEmpty() || !NumberFormat::isNumeric(panel.BeneAccount) ||
        !checkDigit.isOwnBankAccountOrCard(panel.BeneAccount))
        return fail(u"收款人账号/卡号错误，必须为本行账号/卡号！");
    const std::optional<double> value =
        panel.Amount.isEmpty() ? std::nullopt : NumberFormat::toDouble(panel.Amount);
    if (!value || !(*value > 0))
        return fail(u"金额错误！");
    const AmountFieldCheck shown = checkAmountField(panel.Amount);
    if (shown.message)
        return Result<PayrollItem>::failure(*shown.message);
    if (Amount::fromText(shown.text).value_or(Amount()) <= Amount())
        return fail(u"金额错误！");
    // The account and the amount are numeric by now; only the free texts can hold a quote, a
    // line break or a character GBK has not.
    if (const std::optional<QString> unstorable = firstUnstorableField(
            {{QStringLiteral("收款人名称"), panel.BeneName}, {QStringLiteral("备注"), panel.Remark}},
            FieldText::CsvFileReserved))
        return Result<PayrollItem>::failure(*unstorable);
    return PayrollItem{panel.BeneName, panel.BeneAccount, shown.text, panel.Remark};
}

} // namespace lgbatch
