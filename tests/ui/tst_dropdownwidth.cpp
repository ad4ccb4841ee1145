#include "ui/DropDownWidth.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

#include <algorithm>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class tst_DropDownWidth : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The width in pixels from widths in twips
    void dropDownWidthPixels_followsTheFormula_data();
    void dropDownWidthPixels_followsTheFormula();

    // Applied to a combo box
    void autoSizeDropDown_fitsWidestItemWithinOnceToTwiceTheBox_data();
    void autoSizeDropDown_fitsWidestItemWithinOnceToTwiceTheBox();
};

void tst_DropDownWidth::dropDownWidthPixels_followsTheFormula_data()
{
    QTest::addColumn<double>("widest");
    QTest::addColumn<double>("combo");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<int>("pixels");

    // 15 twips a pixel, a box of 1500 twips: 23 pixels of room are 345 twips.
    QTest::newRow("item narrower than the box") << 1000.0 << 1500.0 << 15.0 << 100;
    QTest::newRow("item wider than the box") << 2000.0 << 1500.0 << 15.0 << 156;
    QTest::newRow("no items") << 0.0 << 1500.0 << 15.0 << 100;
    QTest::newRow("exactly twice the box") << 2655.0 << 1500.0 << 15.0 << 200;
    QTest::newRow("wider than twice the box") << 20000.0 << 1500.0 << 15.0 << 200;
    QTest::newRow("pixels cut, not rounded") << 1000.0 << 1000.0 << 15.0 << 89; // 1345 / 15 = 89.7

    // Every conversion to an integer rounds half to even; one twip a pixel makes that visible.
    QTest::newRow("widest 1000.5 -> 1000") << 1000.5 << 1000.0 << 1.0 << 1023;
    QTest::newRow("widest 1001.5 -> 1002") << 1001.5 << 1000.0 << 1.0 << 1025;
    QTest::newRow("box 1500.5 -> 1500") << 0.0 << 1500.5 << 1.0 << 1500;
    QTest::newRow("box 1501.5 -> 1502") << 0.0 << 1501.5 << 1.0 << 1502;
    QTest::newRow("twice the box 1000.5 -> 1000") << 2000.0 << 500.25 << 1.0 << 1000;
    QTest::newRow("twice the box 1001.5 -> 1002") << 2000.0 << 500.75 << 1.0 << 1002;
    QTest::newRow("wanted 1034.5 -> 1034, factor 1.5 -> 2") << 1000.0 << 700.0 << 1.5 << 517;
    QTest::newRow("wanted 1035.5 -> 1036, factor 1.5 -> 2") << 1001.0 << 700.0 << 1.5 << 518;
    QTest::newRow("factor 2.5 -> 2") << 0.0 << 1000.0 << 2.5 << 500;
    QTest::newRow("factor 3.5 -> 4") << 0.0 << 1000.0 << 3.5 << 250;
}

void tst_DropDownWidth::dropDownWidthPixels_followsTheFormula()
{
    QFETCH(double, widest);
    QFETCH(double, combo);
    QFETCH(double, twipsPerPixel);
    QFETCH(int, pixels);

    QCOMPARE(lgbatch::dropDownWidthPixels(widest, combo, twipsPerPixel), pixels);
}

void tst_DropDownWidth::autoSizeDropDown_fitsWidestItemWithinOnceToTwiceTheBox_data()
{
    QTest::addColumn<QStringList>("items");

    QTest::newRow("no items") << QStringList();
    QTest::newRow("short items") << QStringList{u"北京市"_s, u"  - 宝安区"_s};
    QTest::newRow("one item wider than the box")
        << QStringList{u"北京市"_s, u"中国工商银行北京市分行营业部朝阳"_s};
    QTest::newRow("item wider than twice the box") << QStringList{QString(60, u'行')};
}

void tst_DropDownWidth::autoSizeDropDown_fitsWidestItemWithinOnceToTwiceTheBox()
{
    QFETCH(QStringList, items);
    QComboBox combo;
    combo.setFixedWidth(120);
    combo.addItems(items);
    QCOMPARE(combo.logicalDpiX(), 96); // 15 twips a pixel: the expected width below is exact

    AutoSizeDropDown(&combo);

    int widest = 0;
    for (const QString &item : items)
        widest = std::max(widest, combo.fontMetrics().horizontalAdvance(item));
    QCOMPARE(combo.view()->minimumWidth(), std::clamp(widest + 23, 120, 240));
    QCOMPARE(combo.width(), 120);
}

QTEST_MAIN(tst_DropDownWidth)
#include "tst_dropdownwidth.moc"
