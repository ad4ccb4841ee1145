#include "files/DataFile.h"
#include "files/RosterFiles.h"

#include "TableFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

// The three rosters seen alike: a record as its texts. A beneficiary's are name, account,
// branch, remark and the code the reader sets (the writer does not store it).
enum class Kind
{
    Beneficiary,
    Payer,
    Payroll
};

Result<QByteArray> writeTexts(Kind kind, const QList<QStringList> &rows)
{
    switch (kind) {
    case Kind::Beneficiary: {
        QList<Beneficiary> records;
        for (const QStringList &t : rows)
            records.append({t[0], t[1], t[2], t[4], {}, {}, {}, t[3]});
        return RosterFiles::writeBeneficiaries(records);
    }
    case Kind::Payer: {
        QList<Payer> records;
        for (const QStringList &t : rows)
            records.append({t[0], t[1]});
        return RosterFiles::writePayers(records);
    }
    case Kind::Payroll: {
        QList<PayrollBeneficiary> records;
        for (const QStringList &t : rows)
            records.append({t[0], t[1]});
        return RosterFiles::writePayrollBeneficiaries(records);
    }
    }
    return Result<QByteArray>::failure(u"unknown kind"_s);
}

PartialRead<QStringList> readTexts(Kind kind, const QByteArray &bytes)
{
    PartialRead<QStringList> out;
    const auto take = [&out](const auto &read, auto texts) {
        for (const auto &record : read.records)
            out.records.append(texts(record));
        out.error = read.error;
    };
    switch (kind) {
    case Kind::Beneficiary:
        take(RosterFiles::readBeneficiaries(bytes), [](const Beneficiary &b) {
            return QStringList{b.BeneName, b.BeneAccount, b.BankName, b.Remark, b.branch.BankCode};
        });
        break;
    case Kind::Payer:
        take(RosterFiles::readPayers(bytes), [](const Payer &p) {
            return QStringList{p.PayerName, p.PayerAccount};
        });
        break;
    case Kind::Payroll:
        take(RosterFiles::readPayrollBeneficiaries(bytes), [](const PayrollBeneficiary &p) {
            return QStringList{p.BeneName, p.BeneAccount};
        });
        break;
    }
    return out;
}

QStringList joined(const QList<QStringList> &rows)
{
    QStringList out;
    for (const QStringList &row : rows)
        out.append(row.join(u'/'));
    return out;
}

QByteArray golden(const QString &name)
{
    QFile file(QStringLiteral(LGBATCH_TEST_DATA_DIR "/files/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstRosterFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Codecs
    void write_matchesGoldenAndReadsBack_data();
    void write_matchesGoldenAndReadsBack();
    void write_refusesWhatTheFileCannotCarry_data();
    void write_refusesWhatTheFileCannotCarry();
    void read_followsTheLineRules_data();
    void read_followsTheLineRules();

    // Disk
    void readIfPresent_missingFileIsNoError();
    void save_refusedBytesLeaveTheOldFile();
};

void TstRosterFiles::write_matchesGoldenAndReadsBack_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<QStringList>>("rows");

    QTest::newRow("beneficiaries") << Kind::Beneficiary << u"bene.xml"_s
                                   << QList<QStringList>{{u"张三"_s, u"6222020200112233445"_s,
                                                          u"中国工商银行北京市分行营业部"_s, u"三月货款"_s,
                                                          QString()},
                                                         {u"李四"_s, u"310000000000026"_s, u"澜港银行"_s,
                                                          QString(), u"ZPK"_s},
                                                         {u"钱七"_s, u"6217000010001234567"_s,
                                                          u"已撤销的某某支行"_s, u"旧账户"_s, QString()}};
    QTest::newRow("payers") << Kind::Payer << u"payer.xml"_s
                            << QList<QStringList>{{u"澜港贸易有限公司"_s, u"310000000000018"_s},
                                                  {u"澜港贸易有限公司"_s, u"310000000000034"_s}};
    QTest::newRow("payroll beneficiaries")
        << Kind::Payroll << u"benepayroll.xml"_s
        << QList<QStringList>{{u"张三"_s, u"6222020200112233445"_s}, {u"李四"_s, u"310000000000026"_s}};
}

void TstRosterFiles::write_matchesGoldenAndReadsBack()
{
    QFETCH(Kind, kind);
    QFETCH(QString, file);
    QFETCH(QList<QStringList>, rows);

    const Result<QByteArray> bytes = writeTexts(kind, rows);
    QVERIFY2(bytes.ok(), qPrintable(bytes.error()));
    QCOMPARE(bytes.value(), golden(file));

    const PartialRead<QStringList> read = readTexts(kind, bytes.value());
    QVERIFY(read.complete());
    QCOMPARE(read.records, rows);

    // An empty roster is an empty file, and an empty file an empty roster.
    QCOMPARE(writeTexts(kind, {}).value(), QByteArray());
    QVERIFY(readTexts(kind, QByteArray()).records.isEmpty());
}

void TstRosterFiles::write_refusesWhatTheFileCannotCarry_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QString>("message");

    QTest::newRow("line break in a remark")
        << Kind::Beneficiary
        << QList<QStringList>{{u"a"_s, u"1"_s, u"b"_s, u"c"_s, {}}, {u"a"_s, u"1"_s, u"b"_s, u"c\r\nd"_s, {}}}
        << u"第2行备注不能含有换行"_s;
    QTest::newRow("pipe in a payer name")
        << Kind::Payer << QList<QStringList>{{u"甲|乙"_s, u"1"_s}} << u"第1行付款人名称不能含有字符“|”"_s;
    QTest::newRow("not in GBK") << Kind::Payroll << QList<QStringList>{{u"a"_s, u"1"_s}, {u"b"_s, u"2😀"_s}}
                                << u"第2行收款人账号含有字符“😀”无法以GBK编码保存"_s;
}

void TstRosterFiles::write_refusesWhatTheFileCannotCarry()
{
    QFETCH(Kind, kind);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QString, message);

    const Result<QByteArray> bytes = writeTexts(kind, rows);
    QVERIFY(!bytes.ok());
    QCOMPARE(bytes.error(), message);
}

void TstRosterFiles::read_followsTheLineRules_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("error");

    QTest::newRow("own bank gets its marker")
        << Kind::Beneficiary << testing::gbkLines({u"李四|310|澜港银行||"_s, u"张三|622|澜港银行 |x|"_s})
        << QStringList{u"李四/310/澜港银行//ZPK"_s, u"张三/622/澜港银行 /x/"_s} << QString();
    QTest::newRow("beneficiary needs 4 pieces")
        << Kind::Beneficiary << testing::gbkLines({u"a|b|c"_s}) << QStringList{} << u"第1行列数不足4列"_s;
    QTest::newRow("closing pipe not needed, more pieces ignored")
        << Kind::Payer << testing::gbkLines({u"a|b"_s, u"c|d|e|"_s}) << QStringList{u"a/b"_s, u"c/d"_s}
        << QString();
    QTest::newRow("fields not trimmed")
        << Kind::Payroll << testing::gbkLines({u" a |b |"_s}) << QStringList{u" a /b "_s} << QString();
    QTest::newRow("bare CR ends a line") << Kind::Payroll << testing::gbkLines({u"a|1|\rb|2|"_s})
                                         << QStringList{u"a/1"_s, u"b/2"_s} << QString();
    QTest::newRow("trailing blank line")
        << Kind::Payer << testing::gbkLines({u"a|1|"_s, u"b|2|"_s, QString()})
        << QStringList{u"a/1"_s, u"b/2"_s} << u"第3行是空行"_s;
    QTest::newRow("line of blanks is too short") << Kind::Payer << testing::gbkLines({u"a|1|"_s, u"  "_s})
                                                 << QStringList{u"a/1"_s} << u"第2行列数不足2列"_s;
    QTest::newRow("invalid GBK") << Kind::Payer
                                 << testing::gbkLines({u"a|1|"_s}) + QByteArray("b|\x81\x20|\r\n")
                                 << QStringList{u"a/1"_s} << u"第2行含有无效的GBK字符"_s;
    QTest::newRow("lines ending in LF alone are refused, not read as one")
        << Kind::Payer << testing::gbkLines({u"a|1|\nb|2|\n"_s}).chopped(2) << QStringList{}
        << u"文件的行以换行符（LF）结束，而不是回车换行（CR LF）"_s;
    QTest::newRow("one line ending in LF alone")
        << Kind::Payer << testing::gbkLines({u"a|1|\n"_s}).chopped(2) << QStringList{u"a/1"_s} << QString();
    QTest::newRow("last line without its line end")
        << Kind::Payer << testing::gbkLines({u"a|1|"_s}).chopped(2) << QStringList{u"a/1"_s} << QString();
    QTest::newRow("file cut short inside an account")
        << Kind::Payroll << testing::gbkLines({u"a|123456789012345|"_s, u"b|123456789012345|"_s}).chopped(10)
        << QStringList{u"a/123456789012345"_s} << u"第2行不完整，文件在这一行的中间结束"_s;
    QTest::newRow("separators past the last field are not looked at")
        << Kind::Beneficiary << testing::gbkLines({u"a|1|b|c"_s + QString(100000, u'|')})
        << QStringList{u"a/1/b/c/"_s} << QString();
}

void TstRosterFiles::read_followsTheLineRules()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, error);

    const PartialRead<QStringList> read = readTexts(kind, bytes);

    QCOMPARE(joined(read.records), rows);
    QCOMPARE(read.error.value_or(Error()).text, error);
}

void TstRosterFiles::readIfPresent_missingFileIsNoError()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = DataFile::inProgramDir(dir.path(), u"payer.xml"_s);

    const auto missing = DataFile::readIfPresent(path);
    QVERIFY(missing.ok());
    QVERIFY(!missing.value().has_value());

    QVERIFY(!DataFile::readIfPresent(dir.path()).ok()); // a folder is no file to read

    QVERIFY(testing::writeFile(dir.path(), u"payer.xml"_s, "a|1|\r\n"));
    QCOMPARE(DataFile::readIfPresent(path).value(), std::optional<QByteArray>("a|1|\r\n"));
}

void TstRosterFiles::save_refusedBytesLeaveTheOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = DataFile::inProgramDir(dir.path(), u"payer.xml"_s);
    QVERIFY(DataFile::save(path, RosterFiles::writePayers({{u"a"_s, u"1"_s}})).ok());

    const Status refused = DataFile::save(path, RosterFiles::writePayers({{u"a|b"_s, u"2"_s}}));

    QCOMPARE(refused.error(), u"第1行付款人名称不能含有字符“|”"_s);
    QCOMPARE(DataFile::readIfPresent(path).value(), std::optional<QByteArray>("a|1|\r\n"));
}

QTEST_GUILESS_MAIN(TstRosterFiles)
#include "tst_rosterfiles.moc"
