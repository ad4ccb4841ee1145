#include "workspace/ListKinds.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace lgbatch;
using namespace Qt::StringLiterals;

using List = Workspace::List;
using Change = Workspace::Change;
using Operation = std::function<void(Workspace &)>;
Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Workspace::List)
Q_DECLARE_METATYPE(Workspace::Change)

// The lists keep their own books: every operation a user performs marks the list as the
// unsaved-changes questions need it and tells the pages once.
class TstWorkspace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void operation_keepsTheFlagAndTellsOnce_data();
    void operation_keepsTheFlagAndTellsOnce();
    void reading_tellsOnceAfterTheCommand();
    void listKinds_describeEachListOnce();

private:
    ApplicationState m_state;
};

void TstWorkspace::operation_keepsTheFlagAndTellsOnce_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<List>("list");
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("signalCount");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("red"); // row 1 still marked as an unknown branch

    const QStringList payee{u"张三"_s, u"6222"_s, u"澜港银行"_s, u"1.00"_s, QString()};
    QTest::newRow("payroll row typed in") << Operation([](Workspace &w) {
        w.addPayrollItem({u"李四"_s, u"6223"_s, u"2.00"_s, {}});
    }) << List::Payroll << Change::RowsAdded
                                          << 1 << true << 2 << true;
    QTest::newRow("payer kept") << Operation([](Workspace &w) {
        w.addPayer({u"澜港贸易"_s, u"1"_s});
    }) << List::PayerRoster << Change::RowsAdded
                                << 1 << true << 2 << true;
    QTest::newRow("batch row edited: no longer red")
        << Operation([](Workspace &w) { w.replaceRow(List::Batch, 1, w.batchList().rowTexts(1)); })
        << List::Batch << Change::RowReplaced << 1 << true << 1 << false;
    QTest::newRow("payroll row edited: its mark is not the edit's business")
        << Operation([payee](Workspace &w) { w.replaceRow(List::Payroll, 1, payee); }) << List::Payroll
        << Change::RowReplaced << 1 << true << 1 << true;
    QTest::newRow("edit of a row out of range: nothing")
        << Operation([payee](Workspace &w) { w.replaceRow(List::Payroll, 2, payee); }) << List::Payroll
        << Change::RowReplaced << 0 << false << 1 << true;
    QTest::newRow("rows removed") << Operation([](Workspace &w) {
        w.removeRows(List::BeneRoster, {1, 1, 7});
    }) << List::BeneRoster << Change::RowsRemoved
                                  << 1 << true << 0 << false;
    QTest::newRow("no row removed: nothing")
        << Operation([](Workspace &w) { w.removeRows(List::BeneRoster, {7}); }) << List::BeneRoster
        << Change::RowsRemoved << 0 << false << 1 << true;
    QTest::newRow("own file read: saved already")
        << Operation([payee](Workspace &w) { w.loadRows(List::Payroll, {{payee}}, false, false); })
        << List::Payroll << Change::Loaded << 1 << false << 2 << true;
    QTest::newRow("sheet read in place of the rows")
        << Operation([payee](Workspace &w) { w.loadRows(List::Payroll, {{payee}}, true, true); })
        << List::Payroll << Change::Loaded << 1 << true << 1 << false;
    QTest::newRow("新建") << Operation([](Workspace &w) { w.renewList(List::Batch); }) << List::Batch
                          << Change::Renewed << 1 << false << 0 << false;
}

void TstWorkspace::operation_keepsTheFlagAndTellsOnce()
{
    QFETCH(Operation, operation);
    QFETCH(List, list);
    QFETCH(Change, change);
    QFETCH(int, signalCount);
    QFETCH(bool, changed);
    QFETCH(int, rows);
    QFETCH(bool, red);
    Workspace workspace(m_state, QString());
    workspace.CurrentBatchFileName = u"a.zpk"_s;
    RecordListModel &records = workspace.list(list);
    records.appendRow({u"张三"_s, u"6222"_s}, RowState::UnknownBranch);
    QSignalSpy told(&workspace, &Workspace::listChanged);

    operation(workspace);

    QCOMPARE(told.size(), signalCount);
    if (signalCount > 0)
        QCOMPARE(told.first(), (QVariantList{QVariant::fromValue(list), QVariant::fromValue(change)}));
    QCOMPARE(records.isChanged(), changed);
    QCOMPARE(records.count(), rows);
    QCOMPARE(records.rowState(1) == RowState::UnknownBranch, red);
    QCOMPARE(workspace.CurrentBatchFileName.isEmpty(), change == Change::Renewed);
}

void TstWorkspace::reading_tellsOnceAfterTheCommand()
{
    Workspace workspace(m_state, QString());
    QSignalSpy told(&workspace, &Workspace::listChanged);
    {
        const Workspace::Reading reading(workspace, List::Payroll);
        workspace.loadRows(List::Payroll, {{{u"a"_s}}}, false, false);
        workspace.loadRows(List::Payroll, {}, true, false);
        workspace.addPayer({u"b"_s, u"1"_s}); // another list is told at once
        QCOMPARE(told.size(), 1);
    }
    QCOMPARE(told.size(), 2);
    QCOMPARE(told.last().first().value<List>(), List::Payroll);
    {
        const Workspace::Reading nothingRead(workspace, List::Batch);
    }
    QCOMPARE(told.size(), 3);
}

void TstWorkspace::listKinds_describeEachListOnce()
{
    QSet<QString> keys;
    for (const List list : Workspace::AllLists) {
        const ListKind &kind = listKind(list);
        QCOMPARE(kind.list, list);
        keys.insert(kind.settingsKey);
        QCOMPARE(kind.isRoster(),
                 std::find(RosterLists.cbegin(), RosterLists.cend(), list) != RosterLists.cend());
        QCOMPARE(kind.saveDialog.title.isEmpty(), kind.isRoster());
        QVERIFY(kind.importDialog.filter.endsWith(u'|'));
    }
    QCOMPARE(keys.size(), 5);
    QCOMPARE(listKind(List::PayrollRoster).unsavedQuestion(), u"代发工资名册已经更新，需要保存吗？"_s);
    QCOMPARE(listKind(List::Batch).unsavedQuestion(), u"批量支付列表已经更新，需要保存吗？"_s);
}

QTEST_GUILESS_MAIN(TstWorkspace)
#include "tst_workspace.moc"
