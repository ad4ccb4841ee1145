#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace lgbatch {

// The number format of the target systems: decimal point ".", group separator "," in groups
// of three, a leading zero before the point, "-" for negatives.
namespace NumberFormat {
inline constexpr QChar DecimalPoint = QLatin1Char('.');
inline constexpr QChar GroupSeparator = QLatin1Char(',');
inline constexpr QChar DateSeparator = QLatin1Char('/');

// True when the whole text reads as a number: blanks around it, an optional sign, digits
// (group separators allowed between them), an optional decimal point with digits and an
// optional exponent. "1,234.50", " -3 ", "1e3" are numeric; "", "12a", "1.2.3" are not.
bool isNumeric(const QString &text);

// The number a numeric text stands for; empty when the text is not numeric.
std::optional<double> toDouble(const QString &text);
} // namespace NumberFormat

struct ParsedAmount;

// A money value in yuan: 64-bit fixed point with four decimals, the precision of the target
// systems' currency type. Never goes through floating point, so totals are exact.
class Amount
{
public:
    static constexpr qint64 UnitsPerYuan = 10000;

    constexpr Amount() = default;
    static constexpr Amount fromUnits(qint64 units) { return Amount(units); }

    // The single-amount and batch-total ceiling: 100,000,000.00 (itself allowed).
    static constexpr Amount ceiling() { return Amount(100000000LL * UnitsPerYuan); }

    // Text -> currency: any numeric text (group separators, sign, exponent); more than four
    // decimals round half away from zero. Values beyond the 64-bit range are OutOfRange.
    static ParsedAmount parse(const QString &text);
    static std::optional<Amount> fromText(const QString &text);

    constexpr qint64 units() const { return m_units; }

    // Display form: two decimals, grouping, leading zero ("12,345.60", "0.50", "-3.00").
    // The third decimal rounds half away from zero.
    QString toDisplayText() const;

    // The plain decimal form of file totals: no grouping, no trailing zeros
    // ("12645.6", "300", "-0.5").
    QString toPlainText() const;

    // Adding that would leave the 64-bit range gives an empty result.
    std::optional<Amount> plus(Amount other) const;

    constexpr auto operator<=>(const Amount &) const = default;

private:
    constexpr explicit Amount(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};

struct ParsedAmount
{
    enum class Error
    {
        NotNumeric,
        OutOfRange
    };
    std::optional<Amount> amount;
    Error error = Error::NotNumeric;
};

inline std::optional<Amount> Amount::fromText(const QString &text)
{
    return parse(text).amount;
}

} // namespace lgbatch
