#include "AmountInCapitals.h"

namespace lgbatch {

namespace {

constexpr char16_t Digits[] = u"零壹贰叁肆伍陆柒捌玖";
constexpr char16_t PlaceUnits[] = u"仟佰拾"; // the places of 1000, 100 and 10 within a group

QChar digit(quint64 d)
{
    return QChar(Digits[d]);
}

// 1..9999, without a leading 零: a skipped place inside reads 零 once.
QString groupOfFour(quint64 n)
{
    QString text;
    bool zeroPending = false;
    quint64 place = 1000;
    for (int i = 0; i < 4; ++i, place /= 10) {
        const quint64 d = n / place % 10;
        if (d == 0) {
            zeroPending = !text.isEmpty();
            continue;
        }
        if (zeroPending)
            text += digit(0);
        zeroPending = false;
        text += digit(d);
        if (i < 3)
            text += QChar(PlaceUnits[i]);
    }
    return text;
}

// n >= 1. Above 亿 the count of 亿 is itself written with 万 (壹万亿 for 10^12), which takes
// every value a 64-bit amount can hold. A lower part that does not fill the highest place of
// its range is set off by one 零 (壹亿零伍佰万, 壹拾万零壹拾).
QString integerInCapitals(quint64 n)
{
    struct Scale
    {
        quint64 size;
        char16_t name;
    };
    for (const Scale scale : {Scale{100000000, u'亿'}, Scale{10000, u'万'}}) {
        if (n < scale.size)
            continue;
        QString text = integerInCapitals(n / scale.size) + QChar(scale.name);
        const quint64 rest = n % scale.size;
        if (rest != 0) {
            if (rest < scale.size / 10)
                text += digit(0);
            text += integerInCapitals(rest);
        }
        return text;
    }
    return groupOfFour(n);
}

} // namespace

QString amountInCapitals(Amount amount, CurrencyPrefix prefix)
{
    const qint64 units = amount.units();
    const quint64 magnitude = units < 0 ? quint64(0) - quint64(units) : quint64(units);
    quint64 fen = magnitude / 100;
    if (magnitude % 100 >= 50)
        ++fen;
    const quint64 yuan = fen / 100;
    const quint64 jiao = fen / 10 % 10;
    const quint64 lastFen = fen % 10;

    QString text = prefix == CurrencyPrefix::Renminbi ? QStringLiteral("人民币") : QString();
    if (units < 0 && fen != 0)
        text += u'负';
    if (fen == 0)
        return text + QStringLiteral("零元整");
    if (yuan != 0)
        text += integerInCapitals(yuan) + u'元';
    if (jiao != 0) {
        text += digit(jiao);
        text += u'角';
    } else if (yuan != 0 && lastFen != 0) {
        text += digit(0);
    }
    if (lastFen != 0) {
        text += digit(lastFen);
        text += u'分';
    } else {
        text += u'整';
    }
    return text;
}

} // namespace lgbatch
