#include "TableFiles.h"
#include "WriteFaults.h"

#include "core/SystemError.h"
#include "core/TextFile.h"
#include "files/DataFile.h"
#include "files/RosterFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;
using testing::WriteFault;

Q_DECLARE_METATYPE(WriteFault)

class TstDataFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void save_faultKeepsThePreviousFile_data();
    void save_faultKeepsThePreviousFile();
};

void TstDataFile::save_faultKeepsThePreviousFile_data()
{
    QTest::addColumn<WriteFault>("fault");

    QTest::newRow("disk full") << WriteFault::DiskFull;
    QTest::newRow("read-only folder") << WriteFault::ReadOnlyFolder;
    QTest::newRow("name is a folder") << WriteFault::NameIsFolder;
}

// The disk side of the batch file and the rosters: a save that fails says why in the system's
// terms and leaves what was there.
void TstDataFile::save_faultKeepsThePreviousFile()
{
    QFETCH(WriteFault, fault);
    QTemporaryDir dir;
    const QString target = DataFile::inProgramDir(dir.path(), u"bene.xml"_s);
    QVERIFY(testing::writeFile(dir.path(), u"bene.xml"_s, testing::gbkLines({u"张三|6222|澜港银行|旧|"_s})));
    const Result<QByteArray> bytes =
        RosterFiles::writeBeneficiaries({{u"李四"_s, u"6222020200112234"_s, u"澜港银行"_s, {}, u"新"_s}});

    testing::WriteFaultScope scope(fault, target);
    if (!scope.active())
        QSKIP("this fault cannot be made here");
    const QMap<QString, QByteArray> before = testing::snapshot(dir.path());
    const Status saved = DataFile::save(target, bytes);

    QVERIFY(!saved.ok());
    const Error expected = SystemError::fromErrno(testing::WriteFaultScope::systemErrorOf(fault));
    QCOMPARE(saved.error(), expected.text);
    QCOMPARE(saved.errorNumber(), expected.number);
    QCOMPARE(testing::snapshot(dir.path()), before);
}

QTEST_GUILESS_MAIN(TstDataFile)
#include "tst_datafile.moc"
