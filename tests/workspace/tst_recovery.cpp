#include "workspace/RecoveryKeeper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

using List = Workspace::List;
Q_DECLARE_METATYPE(Workspace::List)
Q_DECLARE_METATYPE(Edition)

// Typed work survives an unclean end: the copy holds every row as the list does, and the
// keeper writes it while changes are unsaved and removes it once they are not.
class TstRecovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void file_roundTripsEveryListKind_data();
    void file_roundTripsEveryListKind();
    void file_refusesWhatIsNotAWholeCopy_data();
    void file_refusesWhatIsNotAWholeCopy();
    void keeper_keepsWhileUnsavedAndRestores();
    void keeper_setsAsideAndLeavesOtherEditions();
};

void TstRecovery::file_roundTripsEveryListKind_data()
{
    QTest::addColumn<List>("list");
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<int>("columns");
    for (const auto &[list, columns] : {std::pair{List::Batch, 8},
                                        {List::Payroll, 5},
                                        {List::BeneRoster, 4},
                                        {List::PayerRoster, 3},
                                        {List::PayrollRoster, 3}})
        QTest::addRow("%s", qPrintable(listKind(list).settingsKey)) << list << Edition::Corporate << columns;
    QTest::newRow("personal batch") << List::Batch << Edition::Personal << 6;
}

void TstRecovery::file_roundTripsEveryListKind()
{
    QFETCH(List, list);
    QFETCH(Edition, edition);
    QFETCH(int, columns);
    RecoverySnapshot snapshot{listKind(list).settingsKey,
                              edition,
                              columns,
                              u"D:/工资/十二月.csv"_s,
                              u"/tmp/a|b.zpk"_s,
                              list == List::Payroll ? QDate(2026, 12, 8) : QDate(),
                              {}};
    // Texts no bank file could carry, and a row to correct.
    QStringList odd{u"张|三"_s, u"\"引号\",逗号"_s, u"行\r\n尾"_s, QString(), u"𠀀 ext-B"_s, u"  空格  "_s};
    odd.resize(columns);
    snapshot.rows = {{odd, RowState::UnknownBranch}, {QStringList(columns, u"1"_s), RowState::Normal}};

    const Result<RecoverySnapshot> read = RecoveryFile::read(RecoveryFile::write(snapshot));

    QVERIFY(read);
    QCOMPARE(read->list, snapshot.list);
    QCOMPARE(read->edition, edition);
    QCOMPARE(read->columns, columns);
    QCOMPARE(read->rememberedFile, snapshot.rememberedFile);
    QCOMPARE(read->fileOfList, snapshot.fileOfList);
    QCOMPARE(read->transferDate, snapshot.transferDate);
    QCOMPARE(read->rows.size(), 2);
    QCOMPARE(read->rows[0].texts, odd);
    QCOMPARE(read->rows[0].state, RowState::UnknownBranch);
    QCOMPARE(read->rows[1].state, RowState::Normal);
}

void TstRecovery::file_refusesWhatIsNotAWholeCopy_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray whole =
        RecoveryFile::write({u"payers"_s, Edition::Corporate, 3, {}, {}, {}, {{{u"a"_s, u"1"_s, u"b"_s}}}});
    QTest::newRow("cut short") << whole.chopped(3);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another program's JSON") << QByteArray(R"({"rows":[]})");
    QTest::newRow("a row of other width") << QByteArray(whole).replace(R"(,"b"])", "]");
    QTest::newRow("a state that is none") << QByteArray(whole).replace("[0,", "[7,");
}

void TstRecovery::file_refusesWhatIsNotAWholeCopy()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!RecoveryFile::read(bytes));
}

void TstRecovery::keeper_keepsWhileUnsavedAndRestores()
{
    QTemporaryDir dir;
    ApplicationState state;
    Workspace workspace(state, dir.path());
    auto keeper = std::make_unique<RecoveryKeeper>(workspace);
    keeper->start();
    const QString payroll = keeper->copyPath(List::Payroll);

    workspace.addPayrollItem({u"李四"_s, u"6222"_s, u"2.00"_s, u"奖金"_s});
    workspace.CurrentPayrollFileName = u"工资.csv"_s;
    workspace.setTransferDate(QDate(2026, 12, 31));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(payroll), 2000);
    workspace.payrollList().setChanged(false); // as a successful save does
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(payroll), 2000);
    workspace.addPayer({u"澜港贸易"_s, u"1"_s});
    workspace.addPayrollItem({u"王五"_s, u"6223"_s, u"3.00"_s, {}});
    keeper->flush(); // at once, as when the session ends
    QVERIFY(QFile::exists(keeper->copyPath(List::PayerRoster)));

    // The next start finds it and puts it back, marked changed.
    keeper.reset();
    Workspace next(state, dir.path());
    RecoveryKeeper nextKeeper(next);
    const QList<RecoveryKeeper::Found> found = nextKeeper.found();
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].list, List::Payroll);
    QCOMPARE(found[1].list, List::PayerRoster);
    for (const RecoveryKeeper::Found &copy : found)
        nextKeeper.restore(copy);
    QCOMPARE(next.payrollList().count(), 2);
    QCOMPARE(next.CurrentPayrollFileName, u"工资.csv"_s);
    QCOMPARE(next.transferDate(), QDate(2026, 12, 31));
    QCOMPARE(next.payerRoster().rowTexts(1), (QStringList{u"澜港贸易"_s, u"1"_s, ownBankName()}));
    QVERIFY(next.payerRoster().isChanged() && next.payrollList().isChanged());

    nextKeeper.start();
    nextKeeper.finish(); // a normal end leaves nothing to recover
    QVERIFY(nextKeeper.found().isEmpty());
}

void TstRecovery::keeper_setsAsideAndLeavesOtherEditions()
{
    QTemporaryDir dir;
    ApplicationState corporate;
    Workspace workspace(corporate, dir.path());
    RecoveryKeeper keeper(workspace);
    QVERIFY(QDir().mkpath(keeper.directory()));
    const auto put = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(put(keeper.copyPath(List::BeneRoster), "broken"));
    for (int n = 0; n < RecoveryKeeper::DiscardedKept + 2; ++n) {
        QVERIFY(put(keeper.copyPath(List::Payroll),
                    RecoveryFile::write({u"payroll"_s, Edition::Corporate, 5, {}, {}, {}, {}})));
        const QList<RecoveryKeeper::Found> found = keeper.found(); // the tabs' order
        QCOMPARE(found.size(), n == 0 ? 2 : 1);
        QCOMPARE(found.first().list, List::Payroll);
        QCOMPARE(found.last().snapshot.has_value(), n > 0);
        for (const RecoveryKeeper::Found &copy : found)
            QVERIFY(!keeper.setAside(copy).isEmpty());
    }
    QDir discarded(keeper.directory() + u"/discarded"_s);
    QCOMPARE(discarded.entryList({u"payroll-*.json"_s}).size(), RecoveryKeeper::DiscardedKept);
    QCOMPARE(discarded.entryList({u"beneficiaries-*.json"_s}).size(), 1);

    // The personal edition has no payroll: the corporate copy waits for a corporate start.
    QVERIFY(put(keeper.copyPath(List::Payroll),
                RecoveryFile::write({u"payroll"_s, Edition::Corporate, 5, {}, {}, {}, {}})));
    ApplicationState personal;
    personal.chooseEdition(Edition::Personal);
    Workspace personalWorkspace(personal, dir.path());
    RecoveryKeeper personalKeeper(personalWorkspace);
    QVERIFY(personalKeeper.found().isEmpty());
    personalKeeper.start();
    personalKeeper.finish();
    QVERIFY(QFile::exists(keeper.copyPath(List::Payroll)));
}

QTEST_GUILESS_MAIN(TstRecovery)
#include "tst_recovery.moc"
