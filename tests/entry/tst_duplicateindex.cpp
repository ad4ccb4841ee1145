#include "entry/DuplicateIndex.h"

#include <QTest>

#include <functional>

using namespace lgbatch;
using namespace Qt::StringLiterals;

using ListChange = std::function<void(RecordListModel &)>;
Q_DECLARE_METATYPE(ListChange)

class tst_DuplicateIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstRowWith_followsEveryChangeOfTheList_data();
    void firstRowWith_followsEveryChangeOfTheList();
};

void tst_DuplicateIndex::firstRowWith_followsEveryChangeOfTheList_data()
{
    QTest::addColumn<bool>("keyedOnAmount");
    QTest::addColumn<ListChange>("change");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("row");

    const ListChange none = [](RecordListModel &) {};
    QTest::newRow("first of two rows") << true << none << u"A"_s << u"100.00"_s << 1;
    QTest::newRow("amount compared by value") << true << none << u"A"_s << u"100"_s << 1;
    QTest::newRow("same account, other amount") << true << none << u"A"_s << u"200.00"_s << 0;
    QTest::newRow("account compared exactly") << true << none << u"a"_s << u"100.00"_s << 0;
    QTest::newRow("no amount given") << true << none << u"A"_s << QString() << 0;
    QTest::newRow("account only") << false << none << u"B"_s << QString() << 2;
    QTest::newRow("appended") << true << ListChange([](RecordListModel &l) {
        l.appendRow({u"C"_s, u"9"_s});
    }) << u"C"_s << u"9.00"_s << 5;
    QTest::newRow("removed: later rows move up") << true << ListChange([](RecordListModel &l) {
        l.removeRowNumbers({1, 2});
    }) << u"A"_s << u"100"_s << 2;
    QTest::newRow("removed: the last of its kind")
        << false << ListChange([](RecordListModel &l) { l.removeRowNumbers({2}); }) << u"B"_s << QString()
        << 0;
    QTest::newRow("edited away") << true << ListChange([](RecordListModel &l) {
        l.setRowTexts(1, {u"D"_s, u"100"_s});
    }) << u"A"_s << u"100"_s << 4;
    QTest::newRow("edited to") << true << ListChange([](RecordListModel &l) {
        l.setRowTexts(2, {u"A"_s, u"300"_s});
    }) << u"A"_s << u"300"_s << 2;
    QTest::newRow("painted red") << true << ListChange([](RecordListModel &l) {
        l.setRowState(1, RowState::UnknownBranch);
    }) << u"A"_s << u"100"_s << 1;
    QTest::newRow("sorted") << true
                            << ListChange([](RecordListModel &l) { l.sortRows(1, Qt::DescendingOrder); })
                            << u"A"_s << u"100"_s << 3;
    QTest::newRow("appended at once, then removed") << true << ListChange([](RecordListModel &l) {
        l.appendRows({{{u"E"_s, u"1"_s}}, {{u"E"_s, u"1"_s}}});
        l.removeRowNumbers({1});
    }) << u"E"_s << u"1"_s << 4;
    QTest::newRow("replaced") << true << ListChange([](RecordListModel &l) {
        l.replaceRows({{{u"F"_s, u"5"_s}}});
    }) << u"A"_s << u"100"_s << 0;
    QTest::newRow("amount not a number, then corrected") << true << ListChange([](RecordListModel &l) {
        l.appendRow({u"G"_s, u"abc"_s});
        l.setRowTexts(5, {u"G"_s, u"7"_s});
    }) << u"G"_s << u"7"_s << 5;
}

void tst_DuplicateIndex::firstRowWith_followsEveryChangeOfTheList()
{
    QFETCH(bool, keyedOnAmount);
    QFETCH(ListChange, change);
    QFETCH(QString, account);
    QFETCH(QString, amount);
    QFETCH(int, row);

    RecordListModel list({u"收款人账号"_s, u"金额"_s});
    for (const auto &[a, m] :
         {std::pair{u"A"_s, u"100.00"_s}, {u"B"_s, u"200.00"_s}, {u"A"_s, u"300.00"_s}, {u"A"_s, u"100"_s}})
        list.appendRow({a, m});
    const DuplicateIndex index(list, 0, keyedOnAmount ? 1 : -1);
    change(list);
    QCOMPARE(index.firstRowWith(account, Amount::fromText(amount)), row);
}

QTEST_APPLESS_MAIN(tst_DuplicateIndex)
#include "tst_duplicateindex.moc"
