#include "files/BatchFile.h"

#include "TableFiles.h"

#include <QFile>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

QByteArray golden(const QString &name)
{
    QFile file(QStringLiteral(LGBATCH_TEST_DATA_DIR "/files/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Fields 1-5 and 10-12 and the code, as the batch list's row reader gives them.
BatchPayment payment(const QString &payerName, const QString &payerAccount, const QString &beneName,
                     const QString &beneAccount, const QString &bankName, const QString &bankCode,
                     const QString &amount, const QString &mode, const QString &remark)
{
    BatchPayment p;
    p.PayerName = payerName;
    p.PayerAccount = payerAccount;
    p.BeneName = beneName;
    p.BeneAccount = beneAccount;
    p.BankName = bankName;
    p.branch.BankCode = bankCode;
    p.Amount = amount;
    p.Emergency = mode;
    p.Remark = remark;
    return p;
}

QList<BatchPayment> corporateRows()
{
    const QString payer = u"澜港贸易有限公司"_s;
    const QString account = u"310000000000018"_s;
    return {payment(payer, account, u"张三"_s, u"6222020200112233445"_s, u"中国工商银行北京市分行营业部"_s,
                    u"102100000014"_s, u"12,345.60"_s, u"加急"_s, u"三月货款"_s),
            payment(payer, account, u"李四"_s, u"310000000000026"_s, u"澜港银行"_s, u"ZPK"_s, u"300.00"_s,
                    u"非加急"_s, QString())};
}

QList<BatchPayment> personalRows()
{
    return {payment({}, {}, u"王五"_s, u"6217000010001234567"_s, u"中国建设银行北京市分行"_s,
                    u"105100000017"_s, u"60,000.00"_s, u"加急"_s, u"学费"_s),
            payment({}, {}, u"赵六"_s, u"310000000000034"_s, u"澜港银行"_s, u"ZPK"_s, u"0.50"_s, u"非加急"_s,
                    u"房租"_s)};
}

// What a reader gives back: the visible fields, without the code it leaves to its caller.
QList<BatchPayment> visible(QList<BatchPayment> rows)
{
    for (BatchPayment &p : rows)
        p.branch.BankCode.clear();
    return rows;
}

QStringList summaries(const QList<BatchPayment> &rows)
{
    QStringList out;
    for (const BatchPayment &p : rows)
        out.append(QStringList{p.BankName, p.BeneName, p.Amount, p.Emergency}.join(u'/'));
    return out;
}

QString zpkLine(const QString &name, const QString &amount, const QString &mode)
{
    return u"RMB|20240105|2|310000000000018|澜港贸易有限公司|澜港银行|ZPK|310000000000026|"_s + name + u'|' +
           amount + u'|' + mode + u"|备注|"_s;
}

QString bptLine(const QString &bank, const QString &name, const QString &fen)
{
    return u"D|20240105|2|01|02|310000000000018|澜港贸易有限公司|"_s + bank +
           u"|x|y|z|6222020200112233445|"_s + name + u'|' + fen + u"|备注|"_s;
}

} // namespace

class TstBatchFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Writing
    void writeZpk_matchesGoldenAndReadsBack_data();
    void writeZpk_matchesGoldenAndReadsBack();
    void writeZpk_refusesWhatTheFileCannotCarry_data();
    void writeZpk_refusesWhatTheFileCannotCarry();

    // Reading
    void readZpk_followsTheLineRules_data();
    void readZpk_followsTheLineRules();
    void readBpt_followsTheLineRules_data();
    void readBpt_followsTheLineRules();
    void readBpt_readsTheExampleFile();
};

void TstBatchFile::writeZpk_matchesGoldenAndReadsBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<BatchPayment>>("rows");

    QTest::newRow("corporate") << u"batch_corporate.zpk"_s << corporateRows();
    QTest::newRow("personal: empty payer columns") << u"batch_personal.zpk"_s << personalRows();
}

void TstBatchFile::writeZpk_matchesGoldenAndReadsBack()
{
    QFETCH(QString, file);
    QFETCH(QList<BatchPayment>, rows);

    const Result<QByteArray> bytes = BatchFile::writeZpk(rows, QDate(2024, 1, 5));
    QVERIFY2(bytes.ok(), qPrintable(bytes.error()));
    QCOMPARE(bytes.value(), golden(file));

    const PartialRead<BatchPayment> read = BatchFile::readZpk(bytes.value());
    QVERIFY(read.complete());
    QCOMPARE(read.records, visible(rows));
}

void TstBatchFile::writeZpk_refusesWhatTheFileCannotCarry_data()
{
    QTest::addColumn<int>("field"); // 0 code, 1 bene name, 2 remark, 3 amount
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("no branch code") << 0 << QString() << u"第2行收款开户行没有行号"_s;
    QTest::newRow("pipe") << 1 << u"李|四"_s << u"第2行收款人名称不能含有字符“|”"_s;
    QTest::newRow("CR LF") << 2 << u"a\r\nb"_s << u"第2行备注不能含有换行"_s;
    QTest::newRow("not in GBK") << 1 << u"李😀"_s << u"第2行收款人名称含有字符“😀”无法以GBK编码保存"_s;
    QTest::newRow("amount not a number") << 3 << u"12a"_s << u"第2行金额“12a”不是有效的金额"_s;
    QTest::newRow("amount out of range") << 3 << u"1e30"_s << u"第2行金额“1e30”超出范围"_s;
}

void TstBatchFile::writeZpk_refusesWhatTheFileCannotCarry()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, message);

    QList<BatchPayment> rows = corporateRows();
    BatchPayment &row = rows[1];
    QString *const fields[] = {&row.branch.BankCode, &row.BeneName, &row.Remark, &row.Amount};
    *fields[field] = text;

    const Result<QByteArray> bytes = BatchFile::writeZpk(rows, QDate(2024, 1, 5));
    QVERIFY(!bytes.ok());
    QCOMPARE(bytes.error(), message);
}

void TstBatchFile::readZpk_followsTheLineRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("error");

    const QString urgent = zpkLine(u"张三"_s, u"300.00"_s, u"true"_s);
    const QString plain = zpkLine(u"李四"_s, u"5.00"_s, u"false"_s);
    const QString urgentRow = u"澜港银行/张三/300.00/加急"_s;
    const QString plainRow = u"澜港银行/李四/5.00/非加急"_s;

    QTest::newRow("comments, blank and summary lines passed over")
        << testing::gbkLines({u"#币种"_s, QString(), u"   "_s, u"RMB|20240105|1|300|1|"_s, urgent})
        << QStringList{urgentRow} << QString();
    QTest::newRow("no detail lines") << testing::gbkLines({u"#a"_s, u"RMB|20240105|1|0|0|"_s})
                                     << QStringList{} << QString();
    QTest::newRow("TRUE in capitals is non-urgent")
        << testing::gbkLines({zpkLine(u"张三"_s, u"300.00"_s, u"TRUE"_s)})
        << QStringList{u"澜港银行/张三/300.00/非加急"_s} << QString();
    QTest::newRow("columns taken as they stand")
        << testing::gbkLines({zpkLine(u" 张三 "_s, u"1,2"_s, u"x"_s)})
        << QStringList{u"澜港银行/ 张三 /1,2/非加急"_s} << QString();
    QTest::newRow("mark must be exactly 2")
        << testing::gbkLines({QString(urgent).replace(u"|2|"_s, u"| 2|"_s), plain}) << QStringList{plainRow}
        << QString();
    QTest::newRow("bare CR ends a line")
        << testing::gbkLines({zpkLine(u"张三"_s, u"300.00"_s, u"true"_s) + u'\r' + plain})
        << QStringList{urgentRow, plainRow} << QString();
    QTest::newRow("blank before # is no comment")
        << testing::gbkLines({plain, u" #币种"_s}) << QStringList{plainRow} << u"第2行列数不足3列"_s;
    QTest::newRow("short detail line keeps the rows before it")
        << testing::gbkLines({plain, u"RMB|20240105|2|a|b|c|d|e|f|g|h"_s, plain}) << QStringList{plainRow}
        << u"第2行列数不足12列"_s;
    QTest::newRow("invalid GBK keeps the rows before it")
        << testing::gbkLines({plain}) + QByteArray("RMB|\x81\x20|2\r\n") + testing::gbkLines({plain})
        << QStringList{plainRow} << u"第2行含有无效的GBK字符"_s;
    QTest::newRow("lines ending in LF alone are refused, not read as one")
        << testing::gbkLines({u"#币种\n"_s + urgent + u'\n' + plain + u'\n'}).chopped(2) << QStringList{}
        << u"文件的行以换行符（LF）结束，而不是回车换行（CR LF）"_s;
    QTest::newRow("last line without its line end")
        << testing::gbkLines({plain}).chopped(2) << QStringList{plainRow} << QString();
    QTest::newRow("file cut short inside the last field")
        << testing::gbkLines({plain, urgent}).chopped(5) << QStringList{plainRow}
        << u"第2行不完整，文件在这一行的中间结束"_s;
    QTest::newRow("separators past the last column are not looked at")
        << testing::gbkLines({urgent + QString(100000, u'|')}) << QStringList{urgentRow} << QString();
}

void TstBatchFile::readZpk_followsTheLineRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, error);

    const PartialRead<BatchPayment> read = BatchFile::readZpk(bytes);

    QCOMPARE(summaries(read.records), rows);
    QCOMPARE(read.error.value_or(Error()).text, error);
}

void TstBatchFile::readBpt_followsTheLineRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("error");

    const QString bank = u"中国工商银行北京市分行营业部"_s;
    const QString first = bptLine(bank, u"张三"_s, u"100"_s);
    const QString second = bptLine(bank, u"李四"_s, u"250"_s);
    const QString firstRow = bank + u"/张三/1.00/非加急"_s;
    const QString secondRow = bank + u"/李四/2.50/非加急"_s;

    QTest::newRow("20,000.00 is non-urgent") << testing::gbkLines({bptLine(bank, u"张三"_s, u"2000000"_s)})
                                             << QStringList{bank + u"/张三/20,000.00/非加急"_s} << QString();
    QTest::newRow("20,000.01 is urgent") << testing::gbkLines({bptLine(bank, u"张三"_s, u"2000001"_s)})
                                         << QStringList{bank + u"/张三/20,000.01/加急"_s} << QString();
    QTest::newRow("grouped and padded fen") << testing::gbkLines({bptLine(bank, u"张三"_s, u" 1,234,550 "_s)})
                                            << QStringList{bank + u"/张三/12,345.50/非加急"_s} << QString();
    QTest::newRow("a line of * ends the data")
        << testing::gbkLines({first, u"*"_s, second}) << QStringList{firstRow} << QString();
    QTest::newRow("blanks, * and text end the data")
        << testing::gbkLines({first, u"  *后面的不读"_s, u"坏行"_s}) << QStringList{firstRow} << QString();
    QTest::newRow("comments and blank lines passed over")
        << testing::gbkLines({u"#说明"_s, first, u"  "_s, QString(), second})
        << QStringList{firstRow, secondRow} << QString();
    QTest::newRow("blank before # is data")
        << testing::gbkLines({u" #"_s + first.mid(1)}) << QStringList{firstRow} << QString();
    QTest::newRow("columns trimmed of blanks")
        << testing::gbkLines({bptLine(u"  "_s + bank, u" 张三 "_s, u"100"_s)}) << QStringList{firstRow}
        << QString();
    QTest::newRow("former own bank name")
        << testing::gbkLines({bptLine(u"澜港市商业银行营业部"_s, u"张三"_s, u"1"_s)})
        << QStringList{u"澜港银行/张三/0.01/非加急"_s} << QString();
    QTest::newRow("mark compared untrimmed")
        << testing::gbkLines({QString(first).replace(u"|2|"_s, u"|2 |"_s), second}) << QStringList{secondRow}
        << QString();
    QTest::newRow("amount not a number") << testing::gbkLines({first, bptLine(bank, u"李四"_s, u"12a"_s)})
                                         << QStringList{firstRow} << u"第2行金额“12a”不是数字"_s;
    QTest::newRow("fraction of a fen") << testing::gbkLines({first, bptLine(bank, u"李四"_s, u"100.5"_s)})
                                       << QStringList{firstRow} << u"第2行金额“100.5”不是整数（单位为分）"_s;
    QTest::newRow("a long amount is quoted in short")
        << testing::gbkLines({first, bptLine(bank, u"李四"_s, u"1"_s.repeated(30) + u'a')})
        << QStringList{firstRow} << u"第2行金额“%1…”不是数字"_s.arg(u"1"_s.repeated(24));
    QTest::newRow("fewer than 15 columns") << testing::gbkLines({first, u"D|x|2|a|b|c|d|e|f|g|h|i|j|k"_s})
                                           << QStringList{firstRow} << u"第2行列数不足15列"_s;
}

void TstBatchFile::readBpt_followsTheLineRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, error);

    const PartialRead<BatchPayment> read = BatchFile::readBpt(bytes);

    QCOMPARE(summaries(read.records), rows);
    QCOMPARE(read.error.value_or(Error()).text, error);
}

void TstBatchFile::readBpt_readsTheExampleFile()
{
    const QString payer = u"澜港贸易有限公司"_s;
    const QString account = u"310000000000018"_s;
    const QList<BatchPayment> expected{payment(payer, account, u"张三"_s, u"6222020200112233445"_s,
                                               u"中国工商银行北京市分行营业部"_s, {}, u"20,000.00"_s,
                                               u"非加急"_s, u"三月货款"_s),
                                       payment(payer, account, u"李四"_s, u"310000000000026"_s, u"澜港银行"_s,
                                               {}, u"1.50"_s, u"非加急"_s, {})};

    const PartialRead<BatchPayment> read = BatchFile::readBpt(golden(u"batch.bpt"_s));

    QVERIFY(read.complete());
    QCOMPARE(read.records, expected);
}

QTEST_GUILESS_MAIN(TstBatchFile)
#include "tst_batchfile.moc"
