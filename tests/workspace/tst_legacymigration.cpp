#include "TableFiles.h"
#include "WriteFaults.h"

#include "core/SystemError.h"
#include "workspace/LegacyMigration.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(WriteFault)

class TstLegacyMigration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void migrate_addsWhatIsMissingAndSetsTheFileAside_data();
    void migrate_addsWhatIsMissingAndSetsTheFileAside();
    void migrate_faultKeepsTheFile_data();
    void migrate_faultKeepsTheFile();
};

void TstLegacyMigration::migrate_addsWhatIsMissingAndSetsTheFileAside_data()
{
    QTest::addColumn<QString>("file");       // BeneList.dat, or "-" for none
    QTest::addColumn<bool>("earlierBackup"); // BeneList.dat.bak already there
    QTest::addColumn<QStringList>("roster"); // names after the migration (roster starts with 张三)
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("errorNumber"); // -1 none
    QTest::addColumn<bool>("setAside");

    const QString header = u"\"v2\"\r\n"_s;
    QTest::newRow("no file") << u"-"_s << false << QStringList{u"张三"_s} << false << -1 << false;
    QTest::newRow("duplicates added once; another account is another entry")
        << header + u"\"李四\",\"1\"\r\n\"李四\",\"1\"\r\n\"李四\",\"2\"\r\n"_s << false
        << QStringList{u"张三"_s, u"李四"_s, u"李四"_s} << true << -1 << true;
    QTest::newRow("all present: nothing added, flag kept, file set aside")
        << header + u"\"张三\",\"6222\"\r\n"_s << false << QStringList{u"张三"_s} << false << -1 << true;
    QTest::newRow("ends inside a pair: entries before it stay, file stays")
        << header + u"\"王五\",\"3\",\"赵六\""_s << false << QStringList{u"张三"_s, u"王五"_s} << true << 0
        << false;
    QTest::newRow("earlier backup: added, but the file stays")
        << header + u"\"王五\",\"3\"\r\n"_s << true << QStringList{u"张三"_s, u"王五"_s} << true
        << SystemError::FileAlreadyExists << false;
}

void TstLegacyMigration::migrate_addsWhatIsMissingAndSetsTheFileAside()
{
    QFETCH(QString, file);
    QFETCH(bool, earlierBackup);
    QFETCH(QStringList, roster);
    QFETCH(bool, changed);
    QFETCH(int, errorNumber);
    QFETCH(bool, setAside);
    QTemporaryDir dir;
    ApplicationState state;
    state.chooseEdition(Edition::Corporate);
    Workspace workspace(state, dir.path());
    AddPayrollBeneficiary(workspace.payrollRoster(), {u"张三"_s, u"6222"_s});
    if (file != u"-"_s)
        QVERIFY(writeFile(dir.path(), u"BeneList.dat"_s, gbkLines({file}).chopped(2)));
    if (earlierBackup)
        QVERIFY(writeFile(dir.path(), u"BeneList.dat.bak"_s, "earlier"));

    const LegacyMigration::Outcome outcome = LegacyMigration::MigrateLegacyBeneList(workspace);

    QStringList names;
    for (int row = 1; row <= workspace.payrollRoster().count(); ++row)
        names.append(workspace.payrollRoster().cellText(row, 0));
    QCOMPARE(names, roster);
    QCOMPARE(workspace.payrollRoster().isChanged(), changed);
    QCOMPARE(outcome.error.has_value(), errorNumber >= 0);
    if (outcome.error)
        QCOMPARE(outcome.error->number, errorNumber);
    QCOMPARE(QFile::exists(dir.filePath(u"BeneList.dat"_s)), file != u"-"_s && !setAside);
    QCOMPARE(LegacyMigration::isPending(workspace), file != u"-"_s && !setAside);
}

void TstLegacyMigration::migrate_faultKeepsTheFile_data()
{
    QTest::addColumn<WriteFault>("fault");
    QTest::addColumn<QString>("faultAt");
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<int>("added"); // to the roster's 张三, and marked changed

    QTest::newRow("read-only program folder")
        << WriteFault::ReadOnlyFolder << u"BeneList.dat"_s << SystemError::PermissionDenied << 1;
    QTest::newRow("backup name is a folder")
        << WriteFault::NameIsFolder << u"BeneList.dat.bak"_s << SystemError::FileAlreadyExists << 1;
    QTest::newRow("legacy name is a folder")
        << WriteFault::NameIsFolder << u"BeneList.dat"_s << SystemError::PathFileAccess << 0;
}

// The file is set aside only once all its entries are in: on a fault it stays as it was, so the
// offer comes again and adds only what is still missing.
void TstLegacyMigration::migrate_faultKeepsTheFile()
{
    QFETCH(WriteFault, fault);
    QFETCH(QString, faultAt);
    QFETCH(int, errorNumber);
    QFETCH(int, added);
    QTemporaryDir dir;
    ApplicationState state;
    Workspace workspace(state, dir.path());
    AddPayrollBeneficiary(workspace.payrollRoster(), {u"张三"_s, u"6222"_s});
    QVERIFY(writeFile(dir.path(), u"BeneList.dat"_s, gbkLines({u"\"v2\""_s, u"\"王五\",\"3\""_s})));

    WriteFaultScope scope(fault, dir.filePath(faultAt));
    if (!scope.active())
        QSKIP("this fault cannot be made here");
    const QMap<QString, QByteArray> before = snapshot(dir.path());
    const LegacyMigration::Outcome outcome = LegacyMigration::MigrateLegacyBeneList(workspace);

    QVERIFY(outcome.error.has_value());
    QCOMPARE(outcome.error->number, errorNumber);
    QCOMPARE(outcome.added, added);
    QCOMPARE(workspace.payrollRoster().count(), 1 + added);
    QCOMPARE(workspace.payrollRoster().isChanged(), added > 0);
    QCOMPARE(snapshot(dir.path()), before);
}

QTEST_GUILESS_MAIN(TstLegacyMigration)
#include "tst_legacymigration.moc"
