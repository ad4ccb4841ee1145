#include "core/Amount.h"

#include <QMetaType>
#include <QTest>

#include <limits>

using namespace lgbatch;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::ParsedAmount::Error)

class TstAmount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The "numeric" test that every validation relies on
    void isNumeric_matchesTheNumberFormat_data();
    void isNumeric_matchesTheNumberFormat();

    // Text -> fixed point
    void parse_givesExactUnits_data();
    void parse_givesExactUnits();
    void parse_refusesWhatItCannotHold_data();
    void parse_refusesWhatItCannotHold();

    // Formatting
    void reformat_showsTwoDecimalsWithGrouping_data();
    void reformat_showsTwoDecimalsWithGrouping();
    void plainText_dropsGroupingAndTrailingZeros_data();
    void plainText_dropsGroupingAndTrailingZeros();

    // The single-amount ceiling as the amount field applies it
    void ceiling_comparesTheReformattedText_data();
    void ceiling_comparesTheReformattedText();

    // Totals
    void plus_isExact();
    void plus_overflowGivesNothing();
};

void TstAmount::isNumeric_matchesTheNumberFormat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");

    QTest::newRow("plain digits") << u"12345"_s << true << 12345.0;
    QTest::newRow("display form") << u"1,234.50"_s << true << 1234.5;
    QTest::newRow("blanks around, sign") << u" -3 "_s << true << -3.0;
    QTest::newRow("tabs around") << u"\t7\t"_s << true << 7.0;
    QTest::newRow("plus sign") << u"+5"_s << true << 5.0;
    QTest::newRow("no leading zero") << u".5"_s << true << 0.5;
    QTest::newRow("trailing point") << u"5."_s << true << 5.0;
    QTest::newRow("exponent") << u"1e3"_s << true << 1000.0;
    QTest::newRow("exponent with sign") << u"1.5E+2"_s << true << 150.0;
    QTest::newRow("negative exponent") << u"25e-2"_s << true << 0.25;
    QTest::newRow("many group separators") << u"1,000,000.25"_s << true << 1000000.25;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("only blanks") << u"   "_s << false << 0.0;
    QTest::newRow("letter after digits") << u"12a"_s << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("two points") << u"1.2.3"_s << false << 0.0;
    QTest::newRow("blank inside") << u"1 2"_s << false << 0.0;
    QTest::newRow("sign only") << u"-"_s << false << 0.0;
    QTest::newRow("point only") << u"."_s << false << 0.0;
    QTest::newRow("exponent without digits") << u"1e"_s << false << 0.0;
    QTest::newRow("leading separator") << u",1"_s << false << 0.0;
    QTest::newRow("trailing separator") << u"1,"_s << false << 0.0;
    QTest::newRow("double separator") << u"1,,2"_s << false << 0.0;
    QTest::newRow("separator after point") << u"1.2,5"_s << false << 0.0;
}

void TstAmount::isNumeric_matchesTheNumberFormat()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);

    QCOMPARE(NumberFormat::isNumeric(text), numeric);
    const std::optional<double> number = NumberFormat::toDouble(text);
    QCOMPARE(number.has_value(), numeric);
    if (numeric)
        QCOMPARE(*number, value);
    // Whatever is numeric must also be an amount, and the other way round.
    QCOMPARE(Amount::fromText(text).has_value(), numeric);
}

void TstAmount::parse_givesExactUnits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("units");

    QTest::newRow("integer") << u"300"_s << qint64(3000000);
    QTest::newRow("grouped with decimals") << u"12,345.67"_s << qint64(123456700);
    QTest::newRow("four decimals kept") << u"0.0001"_s << qint64(1);
    QTest::newRow("fifth decimal half rounds up") << u"0.00005"_s << qint64(1);
    QTest::newRow("fifth decimal below half") << u"0.00004"_s << qint64(0);
    QTest::newRow("negative rounds away from zero") << u"-0.00005"_s << qint64(-1);
    QTest::newRow("negative") << u"-5.00"_s << qint64(-50000);
    QTest::newRow("zero") << u"0.00"_s << qint64(0);
    QTest::newRow("negative zero") << u"-0"_s << qint64(0);
    QTest::newRow("exponent") << u"1.23456e3"_s << qint64(12345600);
    QTest::newRow("negative exponent") << u"125e-2"_s << qint64(12500);
    QTest::newRow("exponent below the last unit") << u"5e-5"_s << qint64(1);
    QTest::newRow("long fraction rounds once") << u"0.123449999"_s << qint64(1234);
    QTest::newRow("leading zeros") << u"000123.4"_s << qint64(1234000);
    QTest::newRow("largest value") << u"922337203685477.5807"_s << std::numeric_limits<qint64>::max();
    // A value far below the last unit is zero however many digits it is written with.
    QTest::newRow("huge mantissa, tiny value") << u"1"_s + QString(1000, u'0') + u"e-2000"_s << qint64(0);
}

void TstAmount::parse_givesExactUnits()
{
    QFETCH(QString, text);
    QFETCH(qint64, units);

    const ParsedAmount parsed = Amount::parse(text);
    QVERIFY2(parsed.amount.has_value(), qPrintable(u"error "_s + QString::number(int(parsed.error))));
    QCOMPARE(parsed.amount->units(), units);
}

void TstAmount::parse_refusesWhatItCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ParsedAmount::Error>("error");

    QTest::newRow("empty") << QString() << ParsedAmount::Error::NotNumeric;
    QTest::newRow("letters") << u"abc"_s << ParsedAmount::Error::NotNumeric;
    QTest::newRow("letter after digits") << u"12a"_s << ParsedAmount::Error::NotNumeric;
    QTest::newRow("1e30") << u"1e30"_s << ParsedAmount::Error::OutOfRange;
    QTest::newRow("-1e30") << u"-1e30"_s << ParsedAmount::Error::OutOfRange;
    QTest::newRow("one unit past the top") << u"922337203685477.5808"_s << ParsedAmount::Error::OutOfRange;
    QTest::newRow("thirty digits") << QString(30, u'9') << ParsedAmount::Error::OutOfRange;
    QTest::newRow("huge exponent") << u"1e999999999999999999999"_s << ParsedAmount::Error::OutOfRange;
    // 10^-191 x 10^2000: the exponent must not be cut short because the mantissa is long.
    QTest::newRow("long fraction, huge exponent")
        << u"0."_s + QString(190, u'0') + u"1e2000"_s << ParsedAmount::Error::OutOfRange;
}

void TstAmount::parse_refusesWhatItCannotHold()
{
    QFETCH(QString, text);
    QFETCH(ParsedAmount::Error, error);

    const ParsedAmount parsed = Amount::parse(text);
    QVERIFY2(!parsed.amount.has_value(),
             qPrintable(parsed.amount ? parsed.amount->toDisplayText() : QString()));
    QCOMPARE(parsed.error, error);
}

void TstAmount::reformat_showsTwoDecimalsWithGrouping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("display");

    QTest::newRow("1234.5") << u"1234.5"_s << u"1,234.50"_s;
    QTest::newRow(".5") << u".5"_s << u"0.50"_s;
    QTest::newRow("-3") << u"-3"_s << u"-3.00"_s;
    QTest::newRow("zero") << u"0"_s << u"0.00"_s;
    QTest::newRow("already formatted") << u"12,345.60"_s << u"12,345.60"_s;
    QTest::newRow("blanks around") << u"  1,234.5  "_s << u"1,234.50"_s;
    QTest::newRow("exponent") << u"1.5e3"_s << u"1,500.00"_s;
    QTest::newRow("millions") << u"1234567.891"_s << u"1,234,567.89"_s;
    QTest::newRow("three digits, no separator") << u"999"_s << u"999.00"_s;
    QTest::newRow("third decimal below half") << u"1.004"_s << u"1.00"_s;
    QTest::newRow("third decimal half rounds up") << u"1.005"_s << u"1.01"_s;
    QTest::newRow("negative half rounds away from zero") << u"-1.005"_s << u"-1.01"_s;
    QTest::newRow("rounding carries into grouping") << u"999999.995"_s << u"1,000,000.00"_s;
    QTest::newRow("negative that rounds to zero has no sign") << u"-0.004"_s << u"0.00"_s;
    QTest::newRow("just above the ceiling rounds down") << u"100000000.004"_s << u"100,000,000.00"_s;
    QTest::newRow("largest value") << u"922337203685477.5807"_s << u"922,337,203,685,477.58"_s;
}

void TstAmount::reformat_showsTwoDecimalsWithGrouping()
{
    QFETCH(QString, typed);
    QFETCH(QString, display);

    const std::optional<Amount> amount = Amount::fromText(typed);
    QVERIFY(amount.has_value());
    QCOMPARE(amount->toDisplayText(), display);
    // The display text reads back as the amount it shows.
    QCOMPARE(Amount::fromText(display)->toDisplayText(), display);
}

void TstAmount::plainText_dropsGroupingAndTrailingZeros_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");

    QTest::newRow("one decimal") << u"12,645.60"_s << u"12645.6"_s;
    QTest::newRow("whole yuan") << u"300.00"_s << u"300"_s;
    QTest::newRow("four decimals") << u"1234.5678"_s << u"1234.5678"_s;
    QTest::newRow("below one") << u"0.05"_s << u"0.05"_s;
    QTest::newRow("negative") << u"-0.50"_s << u"-0.5"_s;
    QTest::newRow("zero") << u"0.00"_s << u"0"_s;
    QTest::newRow("ceiling") << u"100,000,000.00"_s << u"100000000"_s;
}

void TstAmount::plainText_dropsGroupingAndTrailingZeros()
{
    QFETCH(QString, text);
    QFETCH(QString, plain);

    QCOMPARE(Amount::fromText(text)->toPlainText(), plain);
}

void TstAmount::ceiling_comparesTheReformattedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("exceeds");

    QTest::newRow("ceiling itself") << u"100,000,000.00"_s << false;
    QTest::newRow("third decimal rounds down to the ceiling") << u"100000000.004"_s << false;
    QTest::newRow("third decimal rounds up past it") << u"100000000.005"_s << true;
    QTest::newRow("one cent more") << u"100,000,000.01"_s << true;
    QTest::newRow("one cent less") << u"99,999,999.99"_s << false;
    QTest::newRow("negative") << u"-200,000,000.00"_s << false;
}

void TstAmount::ceiling_comparesTheReformattedText()
{
    QFETCH(QString, typed);
    QFETCH(bool, exceeds);

    const QString display = Amount::fromText(typed)->toDisplayText();
    const std::optional<Amount> shown = Amount::fromText(display);
    QVERIFY(shown.has_value());
    QCOMPARE(*shown > Amount::ceiling(), exceeds);
    if (display == u"100,000,000.00"_s)
        QCOMPARE(*shown, Amount::ceiling());
}

void TstAmount::plus_isExact()
{
    // 0.1 + 0.2 in binary floating point is not 0.3; a total of amounts must be.
    const auto sum = Amount::fromText(u"0.1"_s)->plus(*Amount::fromText(u"0.2"_s));
    QVERIFY(sum.has_value());
    QCOMPARE(*sum, *Amount::fromText(u"0.3"_s));

    Amount total;
    for (int i = 0; i < 1000; ++i)
        total = *total.plus(*Amount::fromText(u"0.01"_s));
    QCOMPARE(total.toDisplayText(), u"10.00"_s);
}

void TstAmount::plus_overflowGivesNothing()
{
    const Amount top = Amount::fromUnits(std::numeric_limits<qint64>::max());
    QVERIFY(!top.plus(Amount::fromUnits(1)).has_value());
    const Amount bottom = Amount::fromUnits(std::numeric_limits<qint64>::min());
    QVERIFY(!bottom.plus(Amount::fromUnits(-1)).has_value());
    QCOMPARE(top.plus(Amount::fromUnits(-1))->units(), std::numeric_limits<qint64>::max() - 1);
}

QTEST_GUILESS_MAIN(TstAmount)
#include "tst_amount.moc"
