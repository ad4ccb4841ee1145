#include "FieldRules.h"

#include "core/Amount.h"
#include "core/FieldText.h"

namespace lgbatch {

std::optional<QString> checkAccountField(const QString &text, const AccountFieldRule &rule,
                                         bool ownBankTestApplies, const CheckDigit &checkDigit)
{
    if (text.isEmpty())
        return std::nullopt;
    if (!rule.notNumericMessage.isEmpty() && !NumberFormat::isNumeric(text))
        return rule.notNumericMessage;
    if (!ownBankTestApplies)
        return std::nullopt;
    const bool passes = rule.ownBank == AccountFieldRule::OwnBank::AccountOnly
                            ? checkDigit.isOwnBankAccount(text)
                            : checkDigit.isOwnBankAccountOrCard(text);
    return passes ? std::nullopt : std::optional<QString>(rule.ownBankMessage);
}

AmountFieldCheck checkAmountField(const QString &text)
{
    const ParsedAmount parsed = Amount::parse(text);
    if (!parsed.amount) {
        // A number too large for the currency type is still a number: it is refused for its
        // size, not as a typing error.
        if (parsed.error == ParsedAmount::Error::OutOfRange)
            return {text, QStringLiteral("单笔金额金额不允许超出 100,000,000.00！")};
        return {text, QStringLiteral("金额错误！")};
    }
    // The ceiling applies to the amount as the field now shows it (two decimals).
    const QString shown = parsed.amount->toDisplayText();
    const std::optional<Amount> kept = Amount::fromText(shown);
    if (!kept || *kept > Amount::ceiling())
        return {shown, QStringLiteral("单笔金额金额不允许超出 100,000,000.00！")};
    return {shown, std::nullopt};
}

std::optional<QString> firstUnstorableField(const QList<std::pair<QString, QString>> &labelledTexts,
                                            QStringView reserved)
{
    for (const auto &[label, text] : labelledTexts) {
        if (const auto why = FieldText::whyNotStorable(text, reserved))
            return label + *why + QStringLiteral("！");
    }
    return std::nullopt;
}

} // namespace lgbatch
