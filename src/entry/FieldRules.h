#pragma once

#include "CheckDigit.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

namespace lgbatch {

// The most characters a remark may have, in the panels' boxes and in a sheet's cell alike.
inline constexpr int RemarkMaxLength = 50;

// The test an account field runs when the user leaves it.
struct AccountFieldRule
{
    enum class OwnBank
    {
        AccountOnly,   // a 15-digit account with a valid check digit
        AccountOrCard, // that, or any text of exactly 16 characters (a card number)
    };
    QString notNumericMessage; // empty: no separate numeric test (the own-bank test refuses it)
    OwnBank ownBank = OwnBank::AccountOrCard;
    QString ownBankMessage;
};

// The message for the text left in an account field, or nothing when it passes. An empty
// field is never tested; `ownBankTestApplies` says whether the own-bank test runs now (an
// option answered 是, or always for fields that only take own-bank accounts).
std::optional<QString> checkAccountField(const QString &text, const AccountFieldRule &rule,
                                         bool ownBankTestApplies, const CheckDigit &checkDigit);

// What leaving an amount field makes of its text.
struct AmountFieldCheck
{
    QString text;                   // what the field shows afterwards
    std::optional<QString> message; // why the user may not leave it
};

// Reformats the text with two decimals and grouping (1234.5 -> 1,234.50, .5 -> 0.50); a text
// that is not a number stays as typed and is refused with "金额错误！"; an amount above
// 100,000,000.00 keeps its new form and is refused with the single-amount ceiling message.
// Zero and negative amounts pass here (Add and Edit refuse them).
AmountFieldCheck checkAmountField(const QString &text);

// The first of the named texts that a data file could not carry exactly, as a message naming
// the field ("收款人名称不能含有字符“|”！"); nothing when all can be stored. `reserved` are the
// structure characters of the file the texts go to (see FieldText).
std::optional<QString> firstUnstorableField(const QList<std::pair<QString, QString>> &labelledTexts,
                                            QStringView reserved);

} // namespace lgbatch
