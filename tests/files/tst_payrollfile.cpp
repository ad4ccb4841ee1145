#include "TableFiles.h"
#include "UnprivilegedScope.h"
#include "core/SystemError.h"
#include "core/TextFile.h"
#include "files/FileTransaction.h"
#include "files/MD5.h"
#include "files/PayrollFile.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

using namespace lgbatch;
using namespace Qt::StringLiterals;
using lgbatch::testing::gbkLines;
using Outcome = PayrollFile::ReadResult::Outcome;

Q_DECLARE_METATYPE(PayrollFile::ReadResult::Outcome)

namespace {

const QDate January5 = QDate(2024, 1, 5);
const QString Header = u"\"H\",1,\"1000\",\"2024/1/5\""_s;

PayrollItem item(const QString &name, const QString &account, const QString &amount, const QString &remark)
{
    return PayrollItem{name, account, amount, remark};
}

PayrollItem zhangSan()
{
    return item(u"张三"_s, u"622202020011223"_s, u"1,000.00"_s, u"一月工资"_s);
}

QByteArray golden(const QString &name)
{
    const Result<QByteArray> bytes =
        TextFile::readBytes(QStringLiteral(LGBATCH_TEST_DATA_DIR "/payroll/") + name);
    return bytes ? bytes.value() : QByteArray();
}

// Every file below `dir` with its bytes (folders as empty entries), to show that a failed
// save left everything as it was.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(dir).relativeFilePath(path);
        files.insert(name, it.fileInfo().isDir() ? QByteArray("<dir>") : TextFile::readBytes(path).value());
    }
    return files;
}

} // namespace

class TstPayrollFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Writing
    void save_writesTheGoldenPair();
    void encode_headerCarriesCountTotalAndDate_data();
    void encode_headerCarriesCountTotalAndDate();
    void save_refusesWhatTheLayoutCannotCarry_data();
    void save_refusesWhatTheLayoutCannotCarry();

    // Reading
    void save_thenReadReproducesEveryRow();
    void read_refusesAFileItsVerificationDoesNotMatch_data();
    void read_refusesAFileItsVerificationDoesNotMatch();
    void read_missingFileIsNotAnError();
    void read_keepsTheRowsBeforeAnError_data();
    void read_keepsTheRowsBeforeAnError();

    // Failed saves
    void save_failureKeepsThePreviousPair_data();
    void save_failureKeepsThePreviousPair();
    void commit_failureRestoresEveryFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // A payroll file with the verification file the system would write for it.
    bool writePair(const QByteArray &bytes)
    {
        const Result<QString> digest = MD5().digestBytesToHexStr(bytes);
        return digest && testing::writeFile(m_dir->path(), u"salary.csv"_s, bytes) &&
               testing::writeFile(m_dir->path(), u"salary.csv.checksum"_s,
                                  PayrollFile::encodeChecksum(digest.value()).value());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstPayrollFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstPayrollFile::cleanup()
{
    m_dir.reset();
}

void TstPayrollFile::save_writesTheGoldenPair()
{
    const QByteArray csv = golden(u"salary.csv"_s);
    const QByteArray checksum = golden(u"salary.csv.checksum"_s);
    QVERIFY(!csv.isEmpty() && !checksum.isEmpty());

    QCOMPARE(PayrollFile::encode({zhangSan()}, January5).value(), csv);
    const Status saved = PayrollFile::save(path(u"salary.csv"_s), {zhangSan()}, January5);
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    QCOMPARE(snapshot(m_dir->path()),
             (QMap<QString, QByteArray>{{u"salary.csv"_s, csv}, {u"salary.csv.checksum"_s, checksum}}));
}

void TstPayrollFile::encode_headerCarriesCountTotalAndDate_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("header");

    QTest::newRow("two rows, December") << QStringList{u"12,345.60"_s, u"300.00"_s} << QDate(2024, 12, 25)
                                        << u"\"H\",2,\"12645.6\",\"2024/12/25\""_s;
    QTest::newRow("no rows") << QStringList{} << January5 << u"\"H\",0,\"0\",\"2024/1/5\""_s;
    QTest::newRow("cents add up exactly") << QStringList{u"0.10"_s, u"0.20"_s, u"1,000,000.05"_s} << January5
                                          << u"\"H\",3,\"1000000.35\",\"2024/1/5\""_s;
    QTest::newRow("payroll total has no ceiling") << QStringList{u"100,000,000.00"_s, u"0.01"_s} << January5
                                                  << u"\"H\",2,\"100000000.01\",\"2024/1/5\""_s;
}

void TstPayrollFile::encode_headerCarriesCountTotalAndDate()
{
    QFETCH(QStringList, amounts);
    QFETCH(QDate, date);
    QFETCH(QString, header);

    QList<PayrollItem> rows;
    for (const QString &amount : amounts)
        rows.append(item(u"李四"_s, u"6222020200112233"_s, amount, QString()));
    const Result<QByteArray> bytes = PayrollFile::encode(rows, date);
    QVERIFY2(bytes.ok(), qPrintable(bytes.error()));
    QStringList lines;
    for (const QString &amount : amounts)
        lines.append(u"\"D\",\"李四\",\"6222020200112233\",\"%1\",\"\""_s.arg(QString(amount).remove(u',')));
    lines.prepend(header);
    QCOMPARE(bytes.value(), gbkLines(lines));
}

void TstPayrollFile::save_refusesWhatTheLayoutCannotCarry_data()
{
    QTest::addColumn<PayrollItem>("bad");
    QTest::addColumn<QString>("error");

    QTest::newRow("quote in a name") << item(u"张\"三"_s, u"622202020011223"_s, u"1.00"_s, QString())
                                     << u"第3行收款人名称不能含有字符“\"”"_s;
    QTest::newRow("line break in an account")
        << item(u"张三"_s, u"6222\r\n"_s, u"1.00"_s, QString()) << u"第3行收款人账号/卡号不能含有换行"_s;
    QTest::newRow("amount that does not convert")
        << item(u"张三"_s, u"622202020011223"_s, u"1.0x"_s, QString()) << u"第3行金额“1.0x”不是有效的数字"_s;
    QTest::newRow("character GBK cannot hold") << item(u"张三"_s, u"622202020011223"_s, u"1.00"_s, u"奖金😀"_s)
                                               << u"第3行备注含有字符“😀”无法以GBK编码保存"_s;
}

void TstPayrollFile::save_refusesWhatTheLayoutCannotCarry()
{
    QFETCH(PayrollItem, bad);
    QFETCH(QString, error);

    const QList<PayrollItem> rows{zhangSan(), zhangSan(), bad, zhangSan()};
    const Result<QByteArray> bytes = PayrollFile::encode(rows, January5);
    QVERIFY(!bytes.ok());
    QCOMPARE(bytes.error(), error);

    const Status saved = PayrollFile::save(path(u"salary.csv"_s), rows, January5);
    QCOMPARE(saved.error(), error);
    QVERIFY(snapshot(m_dir->path()).isEmpty());
}

void TstPayrollFile::save_thenReadReproducesEveryRow()
{
    const QList<PayrollItem> rows{
        zhangSan(),
        item(u"李四, 王五"_s, u"6222020200112233"_s, u"12,345,678.90"_s, u"  前导空格, 逗号"_s),
        item(u"O'Brien"_s, u"622202020011223"_s, u"0.01"_s, QString()),
        item(u"赵六"_s, u"6222020200112234"_s, u"100,000,000.00"_s, u"年终奖｜补发"_s),
    };
    const Status saved = PayrollFile::save(path(u"salary.csv"_s), rows, January5);
    QVERIFY2(saved.ok(), qPrintable(saved.error()));

    const PayrollFile::ReadResult read = PayrollFile::read(path(u"salary.csv"_s));
    QCOMPARE(read.message, QString());
    QCOMPARE(read.outcome, Outcome::Loaded);
    QCOMPARE(read.rows, rows);
}

void TstPayrollFile::read_refusesAFileItsVerificationDoesNotMatch_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QByteArray>("checksum"); // empty: no verification file
    QTest::addColumn<QString>("message");

    const QByteArray csv = golden(u"salary.csv"_s);
    const QByteArray checksum = golden(u"salary.csv.checksum"_s);
    const QString wrong = u"代发工资检验文件错误"_s;
    QByteArray changed = csv;
    changed[csv.indexOf("1000.00")] = '2';

    QTest::newRow("one character changed") << changed << checksum << wrong;
    QTest::newRow("digest in lower case") << csv << checksum.toLower() << wrong;
    QTest::newRow("empty verification file") << csv << QByteArray("\r\n") << wrong;
    QTest::newRow("no verification file") << csv << QByteArray() << u"代发工资检验文件不存在！"_s;
}

void TstPayrollFile::read_refusesAFileItsVerificationDoesNotMatch()
{
    QFETCH(QByteArray, csv);
    QFETCH(QByteArray, checksum);
    QFETCH(QString, message);

    QVERIFY(testing::writeFile(m_dir->path(), u"salary.csv"_s, csv));
    if (!checksum.isEmpty())
        QVERIFY(testing::writeFile(m_dir->path(), u"salary.csv.checksum"_s, checksum));

    const PayrollFile::ReadResult read = PayrollFile::read(path(u"salary.csv"_s));
    QCOMPARE(read.outcome, Outcome::Refused);
    QCOMPARE(read.message, message);
    QVERIFY(read.rows.isEmpty());
}

void TstPayrollFile::read_missingFileIsNotAnError()
{
    QVERIFY(testing::writeFile(m_dir->path(), u"salary.csv.checksum"_s, golden(u"salary.csv.checksum"_s)));
    const PayrollFile::ReadResult read = PayrollFile::read(path(u"salary.csv"_s));
    QCOMPARE(read.outcome, Outcome::NoFile);
    QCOMPARE(read.message, QString());
}

void TstPayrollFile::read_keepsTheRowsBeforeAnError_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<int>("rowsKept");
    QTest::addColumn<QString>("message");

    const QString row = u"\"D\",\"张三\",\"622202020011223\",\"1000.00\",\"一月工资\""_s;
    QTest::newRow("header only") << QStringList{Header} << Outcome::Loaded << 0 << QString();
    QTest::newRow("ends inside the third row")
        << QStringList{Header, row, row, u"\"D\",\"王五\",\"622\""_s} << Outcome::Incomplete << 2
        << u"【代发工资文件第3条明细记录不完整，文件在记录中间结束】"_s;
    QTest::newRow("ends inside the last remark")
        << QStringList{Header, row, row.chopped(2)} << Outcome::Incomplete << 1
        << u"【代发工资文件第2条明细记录不完整，文件在记录中间结束】"_s;
    QTest::newRow("amount not a number")
        << QStringList{Header, row, u"\"D\",\"王五\",\"622\",\"12a\",\"\""_s} << Outcome::Incomplete << 1
        << u"【代发工资文件第2条明细记录的金额“12a”不是有效的数字】"_s;
    QTest::newRow("error in the first row")
        << QStringList{Header, u"\"D\",\"王五\""_s} << Outcome::Refused << 0
        << u"【代发工资文件第1条明细记录不完整，文件在记录中间结束】"_s;
    QTest::newRow("header cut short")
        << QStringList{u"\"H\",1"_s} << Outcome::Refused << 0 << u"【代发工资文件的文件头不完整】"_s;
}

void TstPayrollFile::read_keepsTheRowsBeforeAnError()
{
    QFETCH(QStringList, lines);
    QFETCH(Outcome, outcome);
    QFETCH(int, rowsKept);
    QFETCH(QString, message);

    QVERIFY(writePair(gbkLines(lines)));
    const PayrollFile::ReadResult read = PayrollFile::read(path(u"salary.csv"_s));
    QCOMPARE(read.outcome, outcome);
    QCOMPARE(read.message, message);
    QCOMPARE(read.rows, QList<PayrollItem>(rowsKept, zhangSan()));
}

void TstPayrollFile::save_failureKeepsThePreviousPair_data()
{
    QTest::addColumn<QString>("obstacle");

    QTest::newRow("folder read-only") << u"read-only"_s;
    QTest::newRow("payroll path is a folder") << u"salary.csv"_s;
    QTest::newRow("verification path is a folder") << u"salary.csv.checksum"_s;
}

void TstPayrollFile::save_failureKeepsThePreviousPair()
{
    QFETCH(QString, obstacle);

    const QString folder = path(u"out"_s);
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(testing::writeFile(folder, u"salary.csv"_s, golden(u"salary.csv"_s)));
    QVERIFY(testing::writeFile(folder, u"salary.csv.checksum"_s, golden(u"salary.csv.checksum"_s)));
    if (obstacle != u"read-only"_s) {
        QVERIFY(QFile::remove(folder + u'/' + obstacle));
        QVERIFY(QDir(folder).mkpath(obstacle + u"/inside"_s));
    }
    const QMap<QString, QByteArray> before = snapshot(folder);
    const QList<PayrollItem> rows{zhangSan(), zhangSan()};

    Status saved;
    if (obstacle == u"read-only"_s) {
        // "nobody" keeps root's group, so the group's rights are the ones that count.
        const auto enter = QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                           QFileDevice::ExeOther | QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        QVERIFY(QFile::setPermissions(m_dir->path(), enter | QFileDevice::WriteOwner));
        QVERIFY(QFile::setPermissions(folder, enter));
        testing::UnprivilegedScope scope;
        if (!scope.restricted())
            QSKIP("cannot give up root rights here, so the folder cannot be made read-only");
        saved = PayrollFile::save(folder + u"/salary.csv"_s, rows, January5);
    } else {
        saved = PayrollFile::save(folder + u"/salary.csv"_s, rows, January5);
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QVERIFY(!saved.ok());
    QCOMPARE(saved.error(), SystemError::fromErrno(obstacle == u"read-only"_s ? EACCES : EISDIR).text);
    QCOMPARE(snapshot(folder), before);
}

void TstPayrollFile::commit_failureRestoresEveryFile()
{
    QVERIFY(testing::writeFile(m_dir->path(), u"a.csv"_s, "old a"));
    QVERIFY(testing::writeFile(m_dir->path(), u"b.csv"_s, "old b"));
    const QMap<QString, QByteArray> before = snapshot(m_dir->path());
    {
        FileTransaction transaction;
        QVERIFY(transaction.stage(path(u"a.csv"_s), "new a").ok());
        QVERIFY(transaction.stage(path(u"b.csv"_s), "new b").ok());
        QCOMPARE(TextFile::readBytes(transaction.stagedPath(1)).value(), QByteArray("new b"));
        // The second file cannot be put in place once the first one is.
        QVERIFY(QFile::remove(transaction.stagedPath(1)));
        QVERIFY(!transaction.commit().ok());
        QCOMPARE(snapshot(m_dir->path()), before);
    }
    {
        FileTransaction abandoned;
        QVERIFY(abandoned.stage(path(u"a.csv"_s), "never").ok());
        QCOMPARE(snapshot(m_dir->path()).size(), before.size() + 1);
    }
    QCOMPARE(snapshot(m_dir->path()), before);
}

QTEST_GUILESS_MAIN(TstPayrollFile)
#include "tst_payrollfile.moc"
