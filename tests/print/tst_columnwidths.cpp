#include "print/ColumnWidths.h"

#include <QtTest>

#include <numeric>

using namespace lgbatch;

namespace {

// One Chinese character 10 wide, a whole figure 100, a column of words at least 40, 1 of
// padding on either side of a text and no slack.
const ColumnFonts Fonts{10, 100, 40, 1, 0};

} // namespace

class tst_ColumnWidths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnWidths_sharePageByRules_data();
    void columnWidths_sharePageByRules();
};

void tst_ColumnWidths::columnWidths_sharePageByRules_data()
{
    QTest::addColumn<QList<qreal>>("widest");
    QTest::addColumn<QList<qreal>>("headers");
    QTest::addColumn<QList<bool>>("figures");
    QTest::addColumn<qreal>("page");
    QTest::addColumn<QList<qreal>>("widths");

    QTest::newRow("all fit: spare width shared in proportion")
        << QList<qreal>{10, 20} << QList<qreal>{0, 0} << QList<bool>{false, true} << qreal(68)
        << QList<qreal>{24, 44};
    QTest::newRow("a long header takes lines, not more than a word column's width")
        << QList<qreal>{10, 10} << QList<qreal>{100, 30} << QList<bool>{false, false} << qreal(74)
        << QList<qreal>{42, 32};
    QTest::newRow("figures stay whole, words give way")
        << QList<qreal>{50, 200} << QList<qreal>{0, 0} << QList<bool>{true, false} << qreal(150)
        << QList<qreal>{52, 98};
    QTest::newRow("the longest words give way first")
        << QList<qreal>{100, 60} << QList<qreal>{0, 0} << QList<bool>{false, false} << qreal(120)
        << QList<qreal>{60, 60};
    QTest::newRow("short words keep their line")
        << QList<qreal>{100, 20} << QList<qreal>{0, 0} << QList<bool>{false, false} << qreal(100)
        << QList<qreal>{78, 22};
    QTest::newRow("texts too long for the page: even figures give way")
        << QList<qreal>{150, 200} << QList<qreal>{0, 0} << QList<bool>{true, false} << qreal(100)
        << QList<qreal>{58, 42};
    QTest::newRow("no room for a character each: the columns shrink alike")
        << QList<qreal>{150, 200} << QList<qreal>{0, 0} << QList<bool>{true, false} << qreal(10)
        << QList<qreal>{5, 5};
}

void tst_ColumnWidths::columnWidths_sharePageByRules()
{
    QFETCH(QList<qreal>, widest);
    QFETCH(QList<qreal>, headers);
    QFETCH(QList<bool>, figures);
    QFETCH(qreal, page);
    QFETCH(QList<qreal>, widths);
    QList<ColumnTexts> columns;
    for (qsizetype c = 0; c < widest.size(); ++c)
        columns.append({widest[c], headers[c], figures[c]});

    const QList<qreal> solved = columnWidths(columns, Fonts, page);

    QCOMPARE(solved.size(), widths.size());
    for (qsizetype c = 0; c < widths.size(); ++c)
        QVERIFY2(qAbs(solved[c] - widths[c]) < 1e-6,
                 qPrintable(QStringLiteral("column %1: %2, not %3").arg(c).arg(solved[c]).arg(widths[c])));
    QVERIFY(qAbs(std::accumulate(solved.begin(), solved.end(), qreal(0)) - page) < 1e-9);
}

QTEST_APPLESS_MAIN(tst_ColumnWidths)
#include "tst_columnwidths.moc"
