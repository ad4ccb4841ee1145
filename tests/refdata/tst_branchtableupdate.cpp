#include "TableFiles.h"
#include "WriteFaults.h"

#include "core/SystemError.h"
#include "core/TextFile.h"
#include "refdata/BranchTableUpdate.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(WriteFault)

class TstBranchTableUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaceTable_keepsAUsableTable_data();
    void replaceTable_keepsAUsableTable();
    void replaceTable_faultKeepsTheTable_data();
    void replaceTable_faultKeepsTheTable();
    void isTableInUse_seesThroughOtherSpellings();
};

namespace {

const QByteArray OldTable = gbkLines({u"102100000014=中国工商银行北京市分行营业部"_s});
const QByteArray NewTable =
    gbkLines({u"102100000014=中国工商银行北京分行"_s, u"105100000017=中国建设银行北京市分行"_s});

QByteArray bytesOf(const QString &path)
{
    const Result<QByteArray> bytes = TextFile::readBytes(path);
    return bytes ? bytes.value() : QByteArray("<missing>");
}

} // namespace

void TstBranchTableUpdate::replaceTable_keepsAUsableTable_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("errorNumber"); // -1: success; 0: a refusal of its own
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<QByteArray>("backup");

    QTest::newRow("new table in place, old one kept") << u""_s << -1 << NewTable << OldTable;
    QTest::newRow("backup of an earlier update present")
        << u"backup"_s << SystemError::FileAlreadyExists << OldTable << QByteArray("earlier");
    QTest::newRow("picked file is not a table") << u"broken"_s << 0 << OldTable << QByteArray("<missing>");
    QTest::newRow("picked file is empty") << u"empty"_s << 0 << OldTable << QByteArray("<missing>");
    QTest::newRow("picked file holds blank lines only")
        << u"blank"_s << 0 << OldTable << QByteArray("<missing>");
    QTest::newRow("picked file gone")
        << u"gone"_s << SystemError::FileNotFound << OldTable << QByteArray("<missing>");
}

void TstBranchTableUpdate::replaceTable_keepsAUsableTable()
{
    QFETCH(QString, setup);
    QFETCH(int, errorNumber);
    QFETCH(QByteArray, current);
    QFETCH(QByteArray, backup);
    QTemporaryDir programDir;
    QTemporaryDir downloads;
    const QString picked = downloads.filePath(u"BankCode.xml"_s);
    QVERIFY(writeFile(programDir.path(), u"BankCode.xml"_s, OldTable));
    const QFileDevice::Permissions rights =
        QFile::permissions(BranchTableUpdate::currentTable(programDir.path()));
    const QHash<QString, QByteArray> pickedBytes{
        {u"broken"_s, gbkLines({u"无等号"_s})}, {u"empty"_s, QByteArray()}, {u"blank"_s, "\r\n\r\n"}};
    QVERIFY(writeFile(downloads.path(), u"BankCode.xml"_s, pickedBytes.value(setup, NewTable)));
    if (setup == u"backup"_s)
        QVERIFY(writeFile(programDir.path(), u"BankCode.xml.bak"_s, "earlier"));
    if (setup == u"gone"_s)
        QVERIFY(QFile::remove(picked));

    const Status status = BranchTableUpdate::replaceTable(programDir.path(), picked);

    QCOMPARE(status.ok(), errorNumber < 0);
    if (!status.ok())
        QCOMPARE(status.errorNumber(), errorNumber);
    QCOMPARE(bytesOf(BranchTableUpdate::currentTable(programDir.path())), current);
    QCOMPARE(bytesOf(BranchTableUpdate::backupTable(programDir.path())), backup);
    QCOMPARE(QFile::permissions(BranchTableUpdate::currentTable(programDir.path())), rights);
    if (setup != u"gone"_s)
        QVERIFY(QFile::exists(picked)); // copied, never moved away
    QCOMPARE(QDir(programDir.path()).entryList(QDir::Files).size(), backup == "<missing>" ? 1 : 2);
}

void TstBranchTableUpdate::replaceTable_faultKeepsTheTable_data()
{
    QTest::addColumn<WriteFault>("fault");
    QTest::addColumn<QString>("faultAt"); // the name the fault takes, in the program folder or as picked
    QTest::addColumn<int>("errorNumber");

    QTest::newRow("disk full") << WriteFault::DiskFull << u"BankCode.xml"_s << SystemError::DiskFull;
    QTest::newRow("read-only program folder")
        << WriteFault::ReadOnlyFolder << u"BankCode.xml"_s << SystemError::PermissionDenied;
    QTest::newRow("backup name is a folder")
        << WriteFault::NameIsFolder << u"BankCode.xml.bak"_s << SystemError::FileAlreadyExists;
    QTest::newRow("picked name is a folder")
        << WriteFault::NameIsFolder << u"picked"_s << SystemError::PathFileAccess;
}

void TstBranchTableUpdate::replaceTable_faultKeepsTheTable()
{
    QFETCH(WriteFault, fault);
    QFETCH(QString, faultAt);
    QFETCH(int, errorNumber);
    QTemporaryDir programDir;
    QTemporaryDir downloads;
    const QString picked = downloads.filePath(u"BankCode.xml"_s);
    QVERIFY(writeFile(programDir.path(), u"BankCode.xml"_s, OldTable));
    QVERIFY(writeFile(downloads.path(), u"BankCode.xml"_s, NewTable));
    // The picked file stays readable to the user the test becomes.
    QVERIFY(QFile::setPermissions(downloads.path(), QFile::permissions(downloads.path()) |
                                                        QFileDevice::ReadOther | QFileDevice::ExeOther));

    WriteFaultScope scope(fault, faultAt == u"picked"_s ? picked : programDir.filePath(faultAt));
    if (!scope.active())
        QSKIP("this fault cannot be made here");
    const QMap<QString, QByteArray> before = snapshot(programDir.path());
    const Status status = BranchTableUpdate::replaceTable(programDir.path(), picked);

    QVERIFY(!status.ok());
    QCOMPARE(status.errorNumber(), errorNumber);
    QCOMPARE(snapshot(programDir.path()), before);
}

void TstBranchTableUpdate::isTableInUse_seesThroughOtherSpellings()
{
    QTemporaryDir programDir;
    QVERIFY(writeFile(programDir.path(), u"BankCode.xml"_s, OldTable));
    const QString dir = programDir.path();

    QVERIFY(BranchTableUpdate::isTableInUse(dir, dir + u"/BankCode.xml"_s));
    QVERIFY(BranchTableUpdate::isTableInUse(dir, dir + u"/./BankCode.xml"_s));
    QVERIFY(!BranchTableUpdate::isTableInUse(dir, dir + u"/BankCode.xml.bak"_s));
}

QTEST_GUILESS_MAIN(TstBranchTableUpdate)
#include "tst_branchtableupdate.moc"
