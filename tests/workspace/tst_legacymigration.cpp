#include "TableFiles.h"

#include "core/SystemError.h"
#include "workspace/LegacyMigration.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

class TstLegacyMigration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void migrate_addsWhatIsMissingAndSetsTheFileAside_data();
    void migrate_addsWhatIsMissingAndSetsTheFileAside();
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
    workspace.payrollRoster().AddPayrollBeneficiary({u"张三"_s, u"6222"_s});
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

QTEST_GUILESS_MAIN(TstLegacyMigration)
#include "tst_legacymigration.moc"
