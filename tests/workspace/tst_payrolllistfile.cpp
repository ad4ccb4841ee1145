#include "TableFiles.h"
#include "WriteFaults.h"
#include "core/FieldText.h"
#include "core/SystemError.h"
#include "core/TextFile.h"
#include "files/MD5.h"
#include "files/PayrollFile.h"
#include "workspace/PayrollListFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace lgbatch;
using namespace Qt::StringLiterals;
using testing::WriteFault;

Q_DECLARE_METATYPE(WriteFault)

class TstPayrollListFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void write_savesBothFilesOrSetsTheFlag_data();
    void write_savesBothFilesOrSetsTheFlag();
    void write_faultKeepsFilesFlagAndList_data();
    void write_faultKeepsFilesFlagAndList();
    void read_appendsOrReplacesOnlyWhatItMay_data();
    void read_appendsOrReplacesOnlyWhatItMay();

private:
    QTemporaryDir m_dir;
    ApplicationState m_state;
    std::unique_ptr<Workspace> m_ws;
};

void TstPayrollListFile::init()
{
    QVERIFY(m_dir.isValid());
    m_ws = std::make_unique<Workspace>(m_state, m_dir.path());
    m_ws->setTransferDate(QDate(2024, 1, 5));
}

void TstPayrollListFile::write_savesBothFilesOrSetsTheFlag_data()
{
    QTest::addColumn<QString>("fileName"); // in a fresh folder; empty: none chosen
    QTest::addColumn<QString>("message");  // empty: saved

    QTest::newRow("saved") << u"salary.csv"_s << QString();
    QTest::newRow("the name is a folder")
        << u"folder"_s << u"保存文件失败！【%1】"_s.arg(SystemError::fromErrno(EISDIR).text);
    QTest::newRow("no name") << QString() << u"保存文件失败！【未指定文件名】"_s;
}

void TstPayrollListFile::write_savesBothFilesOrSetsTheFlag()
{
    QFETCH(QString, fileName);
    QFETCH(QString, message);
    const QString dir = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(dir + u"/folder"_s));
    if (!fileName.isEmpty())
        m_ws->CurrentPayrollFileName = dir + u'/' + fileName;
    m_ws->payrollList().AddPayrollRow({u"张三"_s, u"622202020011223"_s, u"1,000.00"_s, u"一月工资"_s});
    m_ws->payrollList().setChanged(message.isEmpty());

    const PayrollFileOutcome written = WritePayrollFile(*m_ws);

    QCOMPARE(written.message, message);
    QCOMPARE(written.ok, message.isEmpty());
    QCOMPARE(m_ws->payrollList().isChanged(), !message.isEmpty());
    QStringList expected;
    if (message.isEmpty())
        expected = QStringList{u"salary.csv"_s, u"salary.csv.checksum"_s};
    QCOMPARE(QDir(dir).entryList(QDir::Files), expected);
    for (const QString &name : expected) {
        QCOMPARE(TextFile::readBytes(dir + u'/' + name).value(),
                 TextFile::readBytes(QStringLiteral(LGBATCH_TEST_DATA_DIR "/payroll/") + name).value());
    }
}

void TstPayrollListFile::write_faultKeepsFilesFlagAndList_data()
{
    QTest::addColumn<WriteFault>("fault");
    QTest::addColumn<QString>("faultAt");

    QTest::newRow("disk full") << WriteFault::DiskFull << u"salary.csv"_s;
    QTest::newRow("read-only folder") << WriteFault::ReadOnlyFolder << u"salary.csv"_s;
    QTest::newRow("payroll name is a folder") << WriteFault::NameIsFolder << u"salary.csv"_s;
    QTest::newRow("verification name is a folder") << WriteFault::NameIsFolder << u"salary.csv.checksum"_s;
}

void TstPayrollListFile::write_faultKeepsFilesFlagAndList()
{
    QFETCH(WriteFault, fault);
    QFETCH(QString, faultAt);
    const QString dir = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(dir));
    for (const QString &name : {u"salary.csv"_s, u"salary.csv.checksum"_s})
        QVERIFY(testing::writeFile(
            dir, name,
            TextFile::readBytes(QStringLiteral(LGBATCH_TEST_DATA_DIR "/payroll/") + name).value()));
    m_ws->CurrentPayrollFileName = dir + u"/salary.csv"_s;
    PayrollListModel &list = m_ws->payrollList();
    const QList<PayrollItem> rows{{u"李四"_s, u"6222020200112234"_s, u"12,345.60"_s, u"二月"_s},
                                  {u"王五"_s, u"123456789012345"_s, u"0.01"_s, {}}};
    for (const PayrollItem &row : rows)
        list.AddPayrollRow(row);
    list.setChanged(true);

    testing::WriteFaultScope scope(fault, dir + u'/' + faultAt);
    if (!scope.active())
        QSKIP("this fault cannot be made here");
    const QMap<QString, QByteArray> before = testing::snapshot(dir);
    const PayrollFileOutcome written = WritePayrollFile(*m_ws);

    QCOMPARE(written.message,
             ErrorMessage::ofWriter(SystemError::fromErrno(testing::WriteFaultScope::systemErrorOf(fault))));
    QVERIFY(!written.ok);
    QVERIFY(list.isChanged());
    QCOMPARE(testing::snapshot(dir), before);
    QList<PayrollItem> after;
    for (int row = 1; row <= list.count(); ++row)
        after.append(list.ReadPayrollRow(row));
    QCOMPARE(after, rows);
}

void TstPayrollListFile::read_appendsOrReplacesOnlyWhatItMay_data()
{
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QByteArray>("checksum"); // empty: no verification file; "ok": the right one
    QTest::addColumn<QStringList>("detailLines");
    QTest::addColumn<QStringList>("listAfter");
    QTest::addColumn<QString>("message");

    const QString zhang = u"\"D\",\"张三\",\"622202020011223\",\"1000.00\",\"一月工资\""_s;
    const QString broken = u"\"D\",\"王五\",\"622\",\"12a\",\"\""_s;
    const QByteArray ok = "ok";
    const QStringList before{u"甲"_s, u"乙"_s};
    const QString notANumber = u"【代发工资文件第2条明细记录的金额“12a”不是有效的数字】"_s;

    QTest::newRow("replace") << true << ok << QStringList{zhang, zhang} << QStringList{u"张三"_s, u"张三"_s}
                             << QString();
    QTest::newRow("append") << false << ok << QStringList{zhang} << QStringList{u"甲"_s, u"乙"_s, u"张三"_s}
                            << QString();
    QTest::newRow("replace with a header only") << true << ok << QStringList{} << QStringList{} << QString();
    QTest::newRow("replace, wrong digest") << true << QByteArray("\"00000000000000000000000000000000\"\r\n")
                                           << QStringList{zhang} << before << u"代发工资检验文件错误"_s;
    QTest::newRow("append, no verification file")
        << false << QByteArray() << QStringList{zhang} << before << u"代发工资检验文件不存在！"_s;
    QTest::newRow("append, broken second row") << false << ok << QStringList{zhang, broken}
                                               << QStringList{u"甲"_s, u"乙"_s, u"张三"_s} << notANumber;
    QTest::newRow("replace, broken second row")
        << true << ok << QStringList{zhang, broken} << before << notANumber;
}

void TstPayrollListFile::read_appendsOrReplacesOnlyWhatItMay()
{
    QFETCH(bool, clearFirst);
    QFETCH(QByteArray, checksum);
    QFETCH(QStringList, detailLines);
    QFETCH(QStringList, listAfter);
    QFETCH(QString, message);
    const QString dir = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(dir));
    const QByteArray csv = testing::gbkLines(QStringList{u"\"H\",1,\"1000\",\"2023/3/3\""_s} + detailLines);
    if (checksum == "ok")
        checksum = PayrollFile::encodeChecksum(MD5().digestBytesToHexStr(csv).value()).value();
    QVERIFY(testing::writeFile(dir, u"salary.csv"_s, csv));
    QVERIFY(checksum.isEmpty() || testing::writeFile(dir, u"salary.csv.checksum"_s, checksum));
    PayrollListModel &list = m_ws->payrollList();
    list.AddPayrollRow({u"甲"_s, u"123456789012345"_s, u"1.00"_s, {}});
    list.AddPayrollRow({u"乙"_s, u"123456789012345"_s, u"2.00"_s, {}});
    list.setChanged(true);

    const PayrollFileOutcome read = ReadPayrollFile(*m_ws, dir + u"/salary.csv"_s, clearFirst);

    QCOMPARE(read.message, message);
    QCOMPARE(read.ok, message.isEmpty());
    QStringList names;
    for (int row = 1; row <= list.count(); ++row)
        names.append(list.ReadPayrollRow(row).BeneName);
    QCOMPARE(names, listAfter);
    // An import changes neither the flag nor the list's date.
    QVERIFY(list.isChanged());
    QCOMPARE(m_ws->transferDate(), QDate(2024, 1, 5));
}

QTEST_GUILESS_MAIN(TstPayrollListFile)
#include "tst_payrolllistfile.moc"
