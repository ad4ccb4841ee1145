#include "core/AmountInCapitals.h"

#include <QTest>

#include <limits>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class tst_AmountInCapitals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capitals_writeTheAmountAsFinanceDoes_data();
    void capitals_writeTheAmountAsFinanceDoes();
};

void tst_AmountInCapitals::capitals_writeTheAmountAsFinanceDoes_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<bool>("renminbi");
    QTest::addColumn<QString>("expected");

    const auto fen = [](qint64 count) { return count * 100; };
    QTest::newRow("jiao without fen") << fen(1234560) << false << u"壹万贰仟叁佰肆拾伍元陆角整"_s;
    QTest::newRow("the ceiling") << fen(10000000000) << false << u"壹亿元整"_s;
    QTest::newRow("skipped places") << fen(100505) << false << u"壹仟零伍元零伍分"_s;
    QTest::newRow("jiao only") << fen(50) << false << u"伍角整"_s;
    QTest::newRow("fen only") << fen(5) << false << u"伍分"_s;
    QTest::newRow("zero") << qint64(0) << false << u"零元整"_s;
    QTest::newRow("ten") << fen(1000) << false << u"壹拾元整"_s;
    QTest::newRow("zero between 万 and the rest") << fen(10001000) << false << u"壹拾万零壹拾元整"_s;
    QTest::newRow("milliard") << fen(100000000000) << false << u"壹拾亿元整"_s;
    QTest::newRow("zero after 亿") << fen(10500000000) << false << u"壹亿零伍佰万元整"_s;
    QTest::newRow("full 万 group after 亿")
        << fen(12345678900) << false << u"壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元整"_s;
    QTest::newRow("万亿") << fen(100000000000000) << false << u"壹万亿元整"_s;
    QTest::newRow("the largest amount")
        << std::numeric_limits<qint64>::max() << false
        << u"玖佰贰拾贰万叁仟叁佰柒拾贰亿零叁佰陆拾捌万伍仟肆佰柒拾柒元伍角捌分"_s;
    QTest::newRow("negative") << -fen(300) << false << u"负叁元整"_s;
    QTest::newRow("the most negative amount")
        << std::numeric_limits<qint64>::min() << false
        << u"负玖佰贰拾贰万叁仟叁佰柒拾贰亿零叁佰陆拾捌万伍仟肆佰柒拾柒元伍角捌分"_s;
    QTest::newRow("prefix") << fen(10001) << true << u"人民币壹佰元零壹分"_s;
    QTest::newRow("prefix, negative") << -fen(20) << true << u"人民币负贰角整"_s;
    // The fen as the display text shows them: the third decimal rounds half away from zero.
    QTest::newRow("rounds up into the yuan") << qint64(99950) << false << u"壹拾元整"_s;
    QTest::newRow("rounds away from zero, negative") << qint64(-50) << false << u"负壹分"_s;
    QTest::newRow("rounds to nothing: no sign") << qint64(-49) << false << u"零元整"_s;
}

void tst_AmountInCapitals::capitals_writeTheAmountAsFinanceDoes()
{
    QFETCH(qint64, units);
    QFETCH(bool, renminbi);
    QFETCH(QString, expected);
    QCOMPARE(amountInCapitals(Amount::fromUnits(units),
                              renminbi ? CurrencyPrefix::Renminbi : CurrencyPrefix::None),
             expected);
}

QTEST_APPLESS_MAIN(tst_AmountInCapitals)
#include "tst_amountincapitals.moc"
