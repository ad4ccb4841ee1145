#include "Collation.h"
#include "entry/RecordListModel.h"

#include <QSignalSpy>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class tst_RecordListModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void appendRow_keepsOrderAndFitsTextsToColumns();
    void colorListRow_paintsEveryColumnOfThatRowOnly_data();
    void colorListRow_paintsEveryColumnOfThatRowOnly();
    void colorListRow_outOfRangeRow_changesNothing();
    void removeRowNumbers_removesEachGivenRowOnce_data();
    void removeRowNumbers_removesEachGivenRowOnce();
    void sortRows_ordersByColumnTextAndKeepsTies_data();
    void sortRows_ordersByColumnTextAndKeepsTies();
    void changedFlag_signalsOnlyWhenItChanges();

private:
    std::unique_ptr<RecordListModel> m_list;
};

void tst_RecordListModel::init()
{
    m_list = std::make_unique<RecordListModel>(QStringList{u"收款人名称"_s, u"收款人账号"_s, u"备注"_s});
    m_list->appendRow({u"张三"_s, u"6222"_s, u"一"_s});
    m_list->appendRow({u"李四"_s, u"6333"_s, u"二"_s});
    m_list->appendRow({u"王五"_s, u"6444"_s, u"三"_s});
}

void tst_RecordListModel::appendRow_keepsOrderAndFitsTextsToColumns()
{
    m_list->appendRow({u"赵六"_s});
    m_list->appendRow({u"a"_s, u"b"_s, u"c"_s, u"extra"_s});

    QCOMPARE(m_list->rowCount(), 5);
    QCOMPARE(m_list->rowTexts(1), (QStringList{u"张三"_s, u"6222"_s, u"一"_s}));
    QCOMPARE(m_list->rowTexts(4), (QStringList{u"赵六"_s, QString(), QString()}));
    QCOMPARE(m_list->rowTexts(5), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    QCOMPARE(m_list->headerData(2, Qt::Horizontal).toString(), u"备注"_s);
}

void tst_RecordListModel::colorListRow_paintsEveryColumnOfThatRowOnly_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<RowState>("before");
    QTest::addColumn<RowState>("expected");
    QTest::newRow("red: branch not in the table") << u"255"_s << RowState::Normal << RowState::UnknownBranch;
    QTest::newRow("black again after an edit") << u"0"_s << RowState::UnknownBranch << RowState::Normal;
}

void tst_RecordListModel::colorListRow_paintsEveryColumnOfThatRowOnly()
{
    QFETCH(QString, colour);
    QFETCH(RowState, before);
    QFETCH(RowState, expected);
    m_list->setRowState(2, before);
    QSignalSpy changed(m_list.get(), &QAbstractItemModel::dataChanged);

    QVERIFY(ColorListRow(*m_list, 2, colour));

    for (int column = 0; column < m_list->columnCount(); ++column)
        QCOMPARE(RowState(m_list->index(1, column).data(RecordListModel::RowStateRole).toInt()), expected);
    QCOMPARE(m_list->rowState(1), RowState::Normal);
    QCOMPARE(m_list->rowState(3), RowState::Normal);
    QCOMPARE(changed.size(), 1);
}

void tst_RecordListModel::colorListRow_outOfRangeRow_changesNothing()
{
    QVERIFY(!ColorListRow(*m_list, 0, u"255"_s));
    QVERIFY(!ColorListRow(*m_list, 4, u"255"_s));
    QVERIFY(!ColorListRow(*m_list, 1, u"red"_s));
    QVERIFY(!ColorListRow(*m_list, 1, u"65280"_s)); // no state of a row is green
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(m_list->rowState(row), RowState::Normal);
}

void tst_RecordListModel::removeRowNumbers_removesEachGivenRowOnce_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("removed");

    QTest::newRow("first and last, unordered") << QList<int>{3, 1} << QStringList{u"李四"_s} << 2;
    QTest::newRow("a row twice, rows out of range")
        << QList<int>{2, 2, 0, 9} << QStringList{u"张三"_s, u"王五"_s} << 1;
    QTest::newRow("all") << QList<int>{1, 2, 3} << QStringList() << 3;
    QTest::newRow("none") << QList<int>() << QStringList{u"张三"_s, u"李四"_s, u"王五"_s} << 0;
}

void tst_RecordListModel::removeRowNumbers_removesEachGivenRowOnce()
{
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, left);
    QFETCH(int, removed);

    QCOMPARE(m_list->removeRowNumbers(rows), removed);

    QStringList names;
    for (int row = 1; row <= m_list->count(); ++row)
        names.append(m_list->cellText(row, 0));
    QCOMPARE(names, left);
}

void tst_RecordListModel::sortRows_ordersByColumnTextAndKeepsTies_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QStringList>("order"); // remarks after sorting

    // Amounts sort as text: 10.00 before 9.00.
    QTest::newRow("amounts as text, ascending") << 1 << true << QStringList{u"a"_s, u"c"_s, u"d"_s, u"b"_s};
    QTest::newRow("amounts as text, descending") << 1 << false << QStringList{u"b"_s, u"c"_s, u"d"_s, u"a"_s};
    QTest::newRow("equal names keep their order") << 0 << true << QStringList{u"a"_s, u"c"_s, u"b"_s, u"d"_s};
}

void tst_RecordListModel::sortRows_ordersByColumnTextAndKeepsTies()
{
    QFETCH(int, column);
    QFETCH(bool, ascending);
    QFETCH(QStringList, order);
    if (!testing::hasChineseCollation())
        QSKIP("this system does not sort Chinese by pinyin");
    m_list->clear();
    m_list->appendRow({u"甲"_s, u"10.00"_s, u"a"_s});
    m_list->appendRow({u"乙"_s, u"9.00"_s, u"b"_s});
    m_list->appendRow({u"甲"_s, u"5,000.00"_s, u"c"_s});
    m_list->appendRow({u"乙"_s, u"5,000.00"_s, u"d"_s});

    m_list->sortRows(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);

    QStringList remarks;
    for (int row = 1; row <= m_list->count(); ++row)
        remarks.append(m_list->cellText(row, 2));
    QCOMPARE(remarks, order);
}

void tst_RecordListModel::changedFlag_signalsOnlyWhenItChanges()
{
    QSignalSpy spy(m_list.get(), &RecordListModel::changedFlagChanged);
    QVERIFY(!m_list->isChanged());

    m_list->setChanged(true);
    m_list->setChanged(true);
    m_list->setChanged(false);

    QCOMPARE(spy.size(), 2);
    QVERIFY(!m_list->isChanged());
}

QTEST_GUILESS_MAIN(tst_RecordListModel)
#include "tst_recordlistmodel.moc"
