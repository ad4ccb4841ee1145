#include "Amount.h"

#include <QtNumeric>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <string>

namespace lgbatch {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The pieces of a numeric text, group separators already dropped.
struct NumberParts
{
    bool negative = false;
    QString integerDigits;
    QString fractionDigits;
    bool hasExponent = false;
    bool exponentNegative = false;
    QString exponentDigits;
};

std::optional<NumberParts> splitNumber(const QString &text)
{
    NumberParts parts;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        parts.negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Digits are taken a run at a time: a list of thousands of amounts is parsed at every total.
    const auto digitRun = [&text, &i, n](QString &into) {
        const qsizetype start = i;
        while (i < n && isDigit(text[i]))
            ++i;
        into += QStringView(text).sliced(start, i - start);
    };
    // Integer part: digits, with a group separator allowed only between two digits.
    while (i < n) {
        if (isDigit(text[i])) {
            digitRun(parts.integerDigits);
        } else if (text[i] == NumberFormat::GroupSeparator && !parts.integerDigits.isEmpty() && i + 1 < n &&
                   isDigit(text[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < n && text[i] == NumberFormat::DecimalPoint) {
        ++i;
        digitRun(parts.fractionDigits);
    }
    if (parts.integerDigits.isEmpty() && parts.fractionDigits.isEmpty())
        return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        parts.hasExponent = true;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            parts.exponentNegative = text[i] == QLatin1Char('-');
            ++i;
        }
        digitRun(parts.exponentDigits);
        if (parts.exponentDigits.isEmpty())
            return std::nullopt;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return std::nullopt;
    return parts;
}

// Magnitude of a 64-bit value without overflowing on the most negative one.
quint64 magnitude(qint64 v)
{
    return v < 0 ? quint64(0) - quint64(v) : quint64(v);
}

// The usual amount ("12,345.60", "-3", " 0.5 ") straight into units, without the general
// path's texts: a list of thousands of amounts is parsed at every total and every check. Any
// other form (an exponent, more than four decimals, very long numbers, no digits) is left to
// the general path, which gives the same result for these.
std::optional<qint64> plainUnits(QStringView text)
{
    constexpr int MaxIntegerDigits = 14; // 10^14 yuan in units stays far inside 64 bits
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 integer = 0;
    int integerDigits = 0;
    while (i < n) {
        if (isDigit(text[i])) {
            if (++integerDigits > MaxIntegerDigits)
                return std::nullopt;
            integer = integer * 10 + text[i++].digitValue();
        } else if (text[i] == NumberFormat::GroupSeparator && integerDigits > 0 && i + 1 < n &&
                   isDigit(text[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    qint64 fraction = 0;
    int fractionDigits = 0;
    if (i < n && text[i] == NumberFormat::DecimalPoint) {
        ++i;
        while (i < n && isDigit(text[i])) {
            if (++fractionDigits > 4)
                return std::nullopt;
            fraction = fraction * 10 + text[i++].digitValue();
        }
    }
    if (integerDigits == 0 && fractionDigits == 0)
        return std::nullopt;
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return std::nullopt;
    for (int d = fractionDigits; d < 4; ++d)
        fraction *= 10;
    const qint64 units = integer * Amount::UnitsPerYuan + fraction;
    return negative ? -units : units;
}

} // namespace

bool NumberFormat::isNumeric(const QString &text)
{
    return splitNumber(text).has_value();
}

std::optional<double> NumberFormat::toDouble(const QString &text)
{
    // Units below 2^53 are exact doubles, and one division rounds correctly: the same double
    // the general path's strtod gives for the text.
    constexpr qint64 ExactUnits = qint64(1) << 53;
    if (const std::optional<qint64> units = plainUnits(text);
        units && *units > -ExactUnits && *units < ExactUnits)
        return double(*units) / double(Amount::UnitsPerYuan);
    const auto parts = splitNumber(text);
    if (!parts)
        return std::nullopt;
    QString plain = parts->negative ? QStringLiteral("-") : QString();
    plain += parts->integerDigits.isEmpty() ? QStringLiteral("0") : parts->integerDigits;
    if (!parts->fractionDigits.isEmpty())
        plain += QLatin1Char('.') + parts->fractionDigits;
    if (parts->hasExponent)
        plain += QLatin1Char('e') + QLatin1String(parts->exponentNegative ? "-" : "") + parts->exponentDigits;
    const std::string ascii = plain.toStdString();
    return std::strtod(ascii.c_str(), nullptr);
}

ParsedAmount Amount::parse(const QString &text)
{
    ParsedAmount result;
    if (const std::optional<qint64> units = plainUnits(text)) {
        result.amount = Amount(*units);
        return result;
    }
    const auto parts = splitNumber(text);
    if (!parts)
        return result;

    // value = digits x 10^(exponent - fraction length); units shift that by four more places.
    QString digits = parts->integerDigits + parts->fractionDigits;
    qsizetype firstNonZero = 0;
    while (firstNonZero < digits.size() && digits[firstNonZero] == QLatin1Char('0'))
        ++firstNonZero;
    digits = digits.mid(firstNonZero);
    if (digits.isEmpty()) {
        result.amount = Amount(0);
        return result;
    }
    // The exponent only saturates far beyond anything a text could shift back into range,
    // so a long run of digits before it still counts in full.
    constexpr qint64 exponentLimit = qint64(1) << 40;
    qint64 exponent = 0;
    for (QChar c : parts->exponentDigits) {
        exponent = std::min(exponentLimit, exponent * 10 + c.digitValue());
    }
    if (parts->exponentNegative)
        exponent = -exponent;
    const qint64 shift = exponent - qint64(parts->fractionDigits.size()) + 4;

    bool roundUp = false;
    if (shift >= 0) {
        if (digits.size() + shift > 19) {
            result.error = ParsedAmount::Error::OutOfRange;
            return result;
        }
        digits += QString(shift, QLatin1Char('0'));
    } else {
        const qint64 dropped = -shift;
        if (dropped > digits.size()) {
            digits.clear();
        } else {
            roundUp = digits[digits.size() - dropped].digitValue() >= 5;
            digits.chop(dropped);
        }
    }
    if (digits.size() > 19) {
        result.error = ParsedAmount::Error::OutOfRange;
        return result;
    }
    quint64 value = 0;
    for (QChar c : digits)
        value = value * 10 + quint64(c.digitValue());
    if (roundUp)
        ++value;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max());
    if (value > limit) {
        result.error = ParsedAmount::Error::OutOfRange;
        return result;
    }
    result.amount = Amount(parts->negative ? -qint64(value) : qint64(value));
    return result;
}

QString Amount::toDisplayText() const
{
    const quint64 abs = magnitude(m_units);
    quint64 cents = abs / 100;
    if (abs % 100 >= 50)
        ++cents;
    // Written right to left into one buffer: every row of a list is shown and checked this way.
    std::array<char16_t, 32> buffer;
    qsizetype at = qsizetype(buffer.size());
    buffer[--at] = char16_t(u'0' + cents % 10);
    buffer[--at] = char16_t(u'0' + cents / 10 % 10);
    buffer[--at] = NumberFormat::DecimalPoint.unicode();
    quint64 yuan = cents / 100;
    for (int digits = 0; digits == 0 || yuan > 0; ++digits, yuan /= 10) {
        if (digits > 0 && digits % 3 == 0)
            buffer[--at] = NumberFormat::GroupSeparator.unicode();
        buffer[--at] = char16_t(u'0' + yuan % 10);
    }
    if (m_units < 0 && cents != 0)
        buffer[--at] = u'-';
    return QString(reinterpret_cast<const QChar *>(buffer.data() + at), qsizetype(buffer.size()) - at);
}

QString Amount::toPlainText() const
{
    const quint64 abs = magnitude(m_units);
    QString text = QString::number(abs / UnitsPerYuan);
    QString fraction = QStringLiteral("%1").arg(abs % UnitsPerYuan, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += NumberFormat::DecimalPoint + fraction;
    if (m_units < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

std::optional<Amount> Amount::plus(Amount other) const
{
    qint64 sum = 0;
    if (qAddOverflow(m_units, other.m_units, &sum))
        return std::nullopt;
    return Amount(sum);
}

} // namespace lgbatch
