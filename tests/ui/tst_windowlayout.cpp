#include "ui/SplitterGeometry.h"
#include "ui/Twips.h"
#include "ui/WindowLayout.h"

#include <QtTest>

using namespace lgbatch;

namespace lgbatch {
char *toString(const TwipRect &r)
{
    return QTest::toString(
        QStringLiteral("(%1, %2, %3 x %4)").arg(r.left).arg(r.top).arg(r.width).arg(r.height));
}
} // namespace lgbatch

Q_DECLARE_METATYPE(lgbatch::TwipRect)
Q_DECLARE_METATYPE(lgbatch::TwipSize)

class tst_WindowLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Twips and pixels
    void twipsToPixels_roundsEachEdgeHalfToEven_data();
    void twipsToPixels_roundsEachEdgeHalfToEven();

    // The splitter's arithmetic, in twips
    void splitSpans_divideTheAreaByTheProportion_data();
    void splitSpans_divideTheAreaByTheProportion();
    void draggedProportion_onlyStrictlyWithinTheLimits_data();
    void draggedProportion_onlyStrictlyWithinTheLimits();

    // The main window's resize
    void layOutMainWindow_placesEveryTab_data();
    void layOutMainWindow_placesEveryTab();
};

void tst_WindowLayout::twipsToPixels_roundsEachEdgeHalfToEven_data()
{
    QTest::addColumn<TwipRect>("twips");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QRect>("pixels");

    // The designed list ends at 4898 and its panel starts at 4958: a gap of 4 pixels at 96 dpi.
    QTest::newRow("list, 96 dpi") << TwipRect{60, 360, 4838, 6375} << 96 << QRect(4, 24, 323, 425);
    QTest::newRow("panel, 96 dpi") << TwipRect{4958, 360, 4777, 6375} << 96 << QRect(331, 24, 318, 425);
    QTest::newRow("list, 120 dpi") << TwipRect{60, 360, 4838, 6375} << 120 << QRect(5, 30, 403, 531);
    QTest::newRow("halves to even") << TwipRect{15, 45, 30, 30} << 48 << QRect(0, 2, 2, 0);
}

void tst_WindowLayout::twipsToPixels_roundsEachEdgeHalfToEven()
{
    QFETCH(TwipRect, twips);
    QFETCH(int, dpi);
    QFETCH(QRect, pixels);

    QCOMPARE(twipsToPixels(twips, twipsPerPixel(dpi)), pixels);
}

void tst_WindowLayout::splitSpans_divideTheAreaByTheProportion_data()
{
    QTest::addColumn<int>("areaLength");
    QTest::addColumn<int>("proportion");
    QTest::addColumn<int>("leftLength");

    QTest::newRow("9675 at 50: 4837.5 -> 4838") << 9675 << 50 << 4838;
    QTest::newRow("9673 at 50: 4836.5 -> 4836") << 9673 << 50 << 4836;
    QTest::newRow("10675 at 30: 3202.5 -> 3202") << 10675 << 30 << 3202;
}

void tst_WindowLayout::splitSpans_divideTheAreaByTheProportion()
{
    QFETCH(int, areaLength);
    QFETCH(int, proportion);
    QFETCH(int, leftLength);

    const Span area{60, areaLength};
    const Span left = splitLeftSpan(area, proportion);
    QCOMPARE(left, (Span{60, leftLength}));
    const Span right = splitRightSpan(area, left, SplitterBarTwips);
    QCOMPARE(right.start, 60 + leftLength + 60);
    QCOMPARE(right.length, areaLength - leftLength - 60);
}

void tst_WindowLayout::draggedProportion_onlyStrictlyWithinTheLimits_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("total");
    QTest::addColumn<int>("proportion"); // -1: the bar stays

    // The limits themselves are the widget's test; here the rounding and an empty area.

    QTest::newRow("97 %") << 9384.75 << 9675.0 << 97;
    QTest::newRow("96.5 % -> 96") << 965.0 << 1000.0 << 96;
    QTest::newRow("97.5 % -> 98") << 975.0 << 1000.0 << -1;
    QTest::newRow("an area without width") << 10.0 << 0.0 << -1;
}

void tst_WindowLayout::draggedProportion_onlyStrictlyWithinTheLimits()
{
    QFETCH(double, position);
    QFETCH(double, total);
    QFETCH(int, proportion);

    QCOMPARE(draggedSplitterProportion(position, total, 5, 98).value_or(-1), proportion);
}

void tst_WindowLayout::layOutMainWindow_placesEveryTab_data()
{
    QTest::addColumn<QList<TwipSize>>("sizes"); // outer sizes, one resize each, from the design
    QTest::addColumn<int>("proportion");
    QTest::addColumn<TwipRect>("tabStrip");
    QTest::addColumn<TwipRect>("splitter");
    QTest::addColumn<TwipRect>("list");
    QTest::addColumn<TwipRect>("panel");
    QTest::addColumn<int>("actionRowLeft");
    QTest::addColumn<int>("buttonRowsTop");

    const TwipRect strip{0, 0, 9840, 7305};
    const TwipRect splitter{60, 360, 9675, 6375};
    const TwipRect list{60, 360, 4838, 6375};
    const TwipRect panel{4958, 360, 4777, 6375};
    QTest::newRow("designed client") << QList<TwipSize>{outerSizeOfClient(DesignedClientSize)} << 50 << strip
                                     << splitter << list << panel << 4958 << 6660;
    QTest::newRow("below the minimum")
        << QList<TwipSize>{{9000, 7000}} << 30 << strip << splitter << list << panel << 4958 << 6660;
    QTest::newRow("grown, then below the minimum") << QList<TwipSize>{{11005, 9340}, {-5, 0}} << 50 << strip
                                                   << splitter << list << panel << 4958 << 6660;

    // Only the width changed: the explicit list width and panel edge stand, the panel keeps the
    // width its splitter gave it.
    QTest::newRow("1000 wider") << QList<TwipSize>{{11005, 8340}} << 30 << TwipRect{0, 0, 10840, 7305}
                                << TwipRect{60, 360, 10675, 6375} << TwipRect{60, 360, 5838, 6375}
                                << TwipRect{5958, 360, 7413, 6375} << 5958 << 6660;
    // The height changed too: the splitter's proportion divides the area.
    QTest::newRow("1000 larger each way")
        << QList<TwipSize>{{11005, 9340}} << 50 << TwipRect{0, 0, 10840, 8305}
        << TwipRect{60, 360, 10675, 7375} << TwipRect{60, 360, 5338, 7375} << TwipRect{5458, 360, 5277, 7375}
        << 5958 << 7660;
    QTest::newRow("1000 larger each way at 30 %")
        << QList<TwipSize>{{11005, 9340}} << 30 << TwipRect{0, 0, 10840, 8305}
        << TwipRect{60, 360, 10675, 7375} << TwipRect{60, 360, 3202, 7375} << TwipRect{3322, 360, 7413, 7375}
        << 5958 << 7660;
    QTest::newRow("only higher") << QList<TwipSize>{{10005, 9340}} << 30 << TwipRect{0, 0, 9840, 8305}
                                 << TwipRect{60, 360, 9675, 7375} << TwipRect{60, 360, 2902, 7375}
                                 << TwipRect{3022, 360, 6713, 7375} << 4958 << 7660;
    QTest::newRow("beyond 16 bits: clamped, never wrapped")
        << QList<TwipSize>{{100000, 70000}} << 50 << TwipRect{0, 0, 32602, 31732}
        << TwipRect{60, 360, 32437, 30802} << TwipRect{60, 360, 16218, 30802}
        << TwipRect{16338, 360, 16159, 30802} << 27720 << 31087;
}

void tst_WindowLayout::layOutMainWindow_placesEveryTab()
{
    QFETCH(QList<TwipSize>, sizes);
    QFETCH(int, proportion);
    QFETCH(TwipRect, tabStrip);
    QFETCH(TwipRect, splitter);
    QFETCH(TwipRect, list);
    QFETCH(TwipRect, panel);
    QFETCH(int, actionRowLeft);
    QFETCH(int, buttonRowsTop);

    WindowGeometry geometry = designedWindowGeometry();
    const std::array<int, MainWindowTabCount> proportions{proportion, proportion, proportion, proportion,
                                                          proportion};
    for (const TwipSize &size : sizes)
        geometry = layOutMainWindow(geometry, size, proportions);

    QCOMPARE(geometry.tabStrip, tabStrip);
    for (const TabGeometry &tab : geometry.tabs) {
        QCOMPARE(tab.splitter, splitter);
        QCOMPARE(tab.list, list);
        QCOMPARE(tab.panel, panel);
        QCOMPARE(tab.actionRowLeft, actionRowLeft);
        QCOMPARE(tab.buttonRowsTop, buttonRowsTop);
    }
}

QTEST_GUILESS_MAIN(tst_WindowLayout)
#include "tst_windowlayout.moc"
