#include "TableFiles.h"
#include "core/TextFile.h"
#include "files/MD5.h"
#include "files/PayrollFile.h"
#include "workspace/PayrollListFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

using namespace lgbatch;
using namespace Qt::StringLiterals;
using lgbatch::testing::gbkLines;

namespace {

const QDate January5 = QDate(2024, 1, 5);

QByteArray golden(const QString &name)
{
    return TextFile::readBytes(QStringLiteral(LGBATCH_TEST_DATA_DIR "/payroll/") + name).value();
}

QStringList names(const PayrollListModel &list)
{
    QStringList out;
    for (int row = 1; row <= list.count(); ++row)
        out.append(list.ReadPayrollRow(row).BeneName);
    return out;
}

} // namespace

class TstPayrollListFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void write_savesTheListAndClearsItsFlag();
    void write_failureSetsTheFlagAndLeavesNoFile_data();
    void write_failureSetsTheFlagAndLeavesNoFile();
    void read_appendsOrReplacesOnlyWhatItMay_data();
    void read_appendsOrReplacesOnlyWhatItMay();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // The list before a read: two rows the file does not hold, not yet saved.
    void fillList()
    {
        m_ws->payrollList().AddPayrollRow({u"甲"_s, u"123456789012345"_s, u"1.00"_s, {}});
        m_ws->payrollList().AddPayrollRow({u"乙"_s, u"123456789012345"_s, u"2.00"_s, {}});
        m_ws->payrollList().setChanged(true);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ApplicationState m_state;
    std::unique_ptr<Workspace> m_ws;
};

void TstPayrollListFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_ws = std::make_unique<Workspace>(m_state, m_dir->path());
    m_ws->setTransferDate(January5);
}

void TstPayrollListFile::cleanup()
{
    m_ws.reset();
    m_dir.reset();
}

void TstPayrollListFile::write_savesTheListAndClearsItsFlag()
{
    const PayrollItem row{u"张三"_s, u"622202020011223"_s, u"1,000.00"_s, u"一月工资"_s};
    m_ws->payrollList().AddPayrollRow(row);
    m_ws->payrollList().setChanged(true);
    m_ws->CurrentPayrollFileName = path(u"salary.csv"_s);

    const PayrollFileOutcome written = WritePayrollFile(*m_ws);

    QVERIFY2(written.ok, qPrintable(written.message));
    QCOMPARE(written.message, QString());
    QVERIFY(!m_ws->payrollList().isChanged());
    QCOMPARE(TextFile::readBytes(path(u"salary.csv"_s)).value(), golden(u"salary.csv"_s));
    QCOMPARE(TextFile::readBytes(path(u"salary.csv.checksum"_s)).value(), golden(u"salary.csv.checksum"_s));

    // And back: the row as it was entered.
    const PayrollFileOutcome read = ReadPayrollFile(*m_ws, path(u"salary.csv"_s), true);
    QVERIFY(read.ok);
    QCOMPARE(m_ws->payrollList().count(), 1);
    QCOMPARE(m_ws->payrollList().ReadPayrollRow(1), row);
}

void TstPayrollListFile::write_failureSetsTheFlagAndLeavesNoFile_data()
{
    QTest::addColumn<QString>("fileName"); // under the temporary folder; empty: no name at all
    QTest::addColumn<QString>("message");

    QTest::newRow("the name is a folder")
        << u"salary.csv"_s << u"保存文件失败！【%1】"_s.arg(qt_error_string(EISDIR));
    QTest::newRow("no name") << QString() << u"保存文件失败！【未指定文件名】"_s;
}

void TstPayrollListFile::write_failureSetsTheFlagAndLeavesNoFile()
{
    QFETCH(QString, fileName);
    QFETCH(QString, message);
    if (!fileName.isEmpty()) {
        QVERIFY(QDir(m_dir->path()).mkdir(fileName));
        m_ws->CurrentPayrollFileName = path(fileName);
    }
    m_ws->payrollList().AddPayrollRow({u"张三"_s, u"123456789012345"_s, u"1.00"_s, {}});
    m_ws->payrollList().setChanged(false);

    const PayrollFileOutcome written = WritePayrollFile(*m_ws);

    QVERIFY(!written.ok);
    QCOMPARE(written.message, message);
    QVERIFY(m_ws->payrollList().isChanged());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
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
    const QByteArray csv = gbkLines(QStringList{u"\"H\",1,\"1000\",\"2024/1/5\""_s} + detailLines);
    QVERIFY(testing::writeFile(m_dir->path(), u"salary.csv"_s, csv));
    if (checksum == "ok")
        checksum = PayrollFile::encodeChecksum(MD5().digestBytesToHexStr(csv).value()).value();
    if (!checksum.isEmpty())
        QVERIFY(testing::writeFile(m_dir->path(), u"salary.csv.checksum"_s, checksum));
    fillList();
    m_ws->setTransferDate(QDate(2030, 6, 1));

    const PayrollFileOutcome read = ReadPayrollFile(*m_ws, path(u"salary.csv"_s), clearFirst);

    QCOMPARE(read.message, message);
    QCOMPARE(read.ok, message.isEmpty());
    QCOMPARE(names(m_ws->payrollList()), listAfter);
    // An import changes neither the flag nor the list's date.
    QVERIFY(m_ws->payrollList().isChanged());
    QCOMPARE(m_ws->transferDate(), QDate(2030, 6, 1));
    // The amounts come in display form, the bank column shows the own bank.
    if (listAfter.contains(u"张三"_s)) {
        const int row = int(listAfter.indexOf(u"张三"_s)) + 1;
        QCOMPARE(m_ws->payrollList().rowTexts(row),
                 (QStringList{u"张三"_s, u"622202020011223"_s, u"澜港银行"_s, u"1,000.00"_s, u"一月工资"_s}));
    }
}

QTEST_GUILESS_MAIN(TstPayrollListFile)
#include "tst_payrolllistfile.moc"
