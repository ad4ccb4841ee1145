#include "BatchValidation.h"

#include "BatchPayment.h"
#include "FieldRules.h"

#include "core/Amount.h"
#include "core/FieldText.h"

namespace lgbatch {

namespace {

bool emptyOrNotNumeric(const QString &text)
{
    return text.isEmpty() || !NumberFormat::isNumeric(text);
}

BatchValidation fail(const char16_t *message)
{
    BatchValidation result;
    result.failure = QString::fromUtf16(message);
    return result;
}

} // namespace

BatchValidation ValidateBatchInput(const BatchPanelInput &panel, Edition edition,
                                   const ReferenceTables &tables, const CheckDigit &checkDigit)
{
    const bool corporate = edition == Edition::Corporate;
    if (corporate && panel.PayerName.isEmpty())
        return fail(u"付款人名称错误！");
    if (corporate && emptyOrNotNumeric(panel.PayerAccount))
        return fail(u"付款人账号错误！");
    if (panel.BeneName.isEmpty())
        return fail(u"收款人名称错误！");
    if (emptyOrNotNumeric(panel.BeneAccount))
        return fail(u"收款人账号错误！");
    if (panel.OwnBank) {
        if (!checkDigit.isOwnBankAccountOrCard(panel.BeneAccount))
            return fail(u"收款人账号/卡号错误，必须为本行账号/卡号！");
    } else {
        if (panel.State.isEmpty())
            return fail(u"收款开户省份错误！");
        if (panel.City.isEmpty())
            return fail(u"收款开户城市错误！");
        if (panel.BankType.isEmpty())
            return fail(u"收款银行错误！");
        if (panel.Bank.isEmpty())
            return fail(u"收款账号开户行错误！");
        if (tables.FindBankCode(panel.Bank).isEmpty())
            return fail(u"收款开户行不存在！");
    }
    const std::optional<double> amount =
        panel.Amount.isEmpty() ? std::nullopt : NumberFormat::toDouble(panel.Amount);
    if (!amount || !(*amount > 0))
        return fail(u"金额错误！");
    BatchValidation result;
    if (corporate) {
        if (panel.Emergency.isEmpty())
            return fail(u"支付方式错误！");
        if (*amount > CorporateUrgentThreshold && panel.Emergency == nonUrgentMode())
            return fail(u"金额大于2万必须选择【加急】支付方式！");
    } else {
        result.emergencyToSet = *amount > PersonalUrgentThreshold ? urgentMode() : nonUrgentMode();
    }
    QList<std::pair<QString, QString>> stored;
    if (corporate)
        stored = {{QStringLiteral("付款人名称"), panel.PayerName},
                  {QStringLiteral("付款人账号"), panel.PayerAccount}};
    stored += {{QStringLiteral("收款人名称"), panel.BeneName},
               {QStringLiteral("收款人账号/卡号"), panel.BeneAccount},
               {QStringLiteral("备注"), panel.Remark}};
    if (auto unstorable = firstUnstorableField(stored, FieldText::PipeFileReserved))
        return {std::move(unstorable), std::nullopt};
    return result;
}

} // namespace lgbatch
