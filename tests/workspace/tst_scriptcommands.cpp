#include "workspace/ScriptCommands.h"

#include "TableFiles.h"

#include "files/MD5.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

// The test data folder with its drive: the tests change the working directory, and on Windows
// the data folder's path has no drive of its own.
QString &dataDir()
{
    static QString dir;
    return dir;
}

QByteArray goldenAsItIs(const QString &name)
{
    QFile file(dataDir() + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The golden files with own-bank accounts whose check digits hold, as 增加 wants them; the
// layout stays byte for byte.
QByteArray golden(const QString &name)
{
    QByteArray bytes = goldenAsItIs(name);
    bytes.replace("310000000000018", "123456789012345");
    bytes.replace("310000000000026", "123456789012346");
    bytes.replace("310000000000034", "000000000000000");
    bytes.replace("622202020011223\"", "000000000000000\"");
    if (name.endsWith(u".checksum"))
        bytes = "\"" + MD5().digestBytesToHexStr(golden(name.chopped(9))).value().toLatin1() + "\"\r\n";
    return bytes;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The golden batch with one byte changed: the own-bank payee's check digit.
QByteArray brokenCheckDigit()
{
    QByteArray bytes = golden(u"files/batch_corporate.zpk"_s);
    bytes.replace("|123456789012346|", "|123456789012347|");
    return bytes;
}

const QString BatchHeader = u"付款人名称,付款人账号,收款人名称,收款人账号,开户行,金额,支付方式,备注"_s;
// The rows of the golden batch file, as a sheet holds them.
const QStringList BatchSheet{
    BatchHeader,
    u"澜港贸易有限公司,123456789012345,张三,6222020200112233445,中国工商银行北京市分行营业部,12345.6,加急,三月货款"_s,
    u"澜港贸易有限公司,123456789012345,李四,123456789012346,澜港银行,300,非加急,"_s};

} // namespace

class tst_ScriptCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { dataDir() = QFileInfo(QStringLiteral(LGBATCH_TEST_DATA_DIR)).absoluteFilePath(); }
    void init();
    void check_reportsEveryKindOfFile_data();
    void check_reportsEveryKindOfFile();
    void check_jsonHasOneObjectPerFile();
    void convert_writesTheWindowsBytes_data();
    void convert_writesTheWindowsBytes();
    void convert_aBadRowWritesNothing_data();
    void convert_aBadRowWritesNothing();
    void commandLine_mistakesExitWithTwo_data();
    void commandLine_mistakesExitWithTwo();

private:
    int run(const QStringList &arguments);
    QString path(const QString &name) const { return m_dir.filePath(name); }
    bool write(const QString &name, const QByteArray &bytes) { return writeFile(m_dir.path(), name, bytes); }

    QTemporaryDir m_dir;
    QString m_out;
    QString m_err;
};

void tst_ScriptCommands::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeMiniTables(m_dir.path()));
    m_out.clear();
    m_err.clear();
}

int tst_ScriptCommands::run(const QStringList &arguments)
{
    const QString dir = m_dir.path();
    const auto placesOf = [dir](const std::optional<QString> &named) {
        return ProgramDirectory::Places{named ? named : dir, dir, dir, {}};
    };
    const auto output = [this](Console::Stream stream, const QString &text) {
        (stream == Console::Stream::Output ? m_out : m_err) += text;
    };
    return ScriptCommands::run(QStringList{u"lgbatch"_s} + arguments, placesOf, output, QDate(2024, 1, 5));
}

void tst_ScriptCommands::check_reportsEveryKindOfFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");

    const QByteArray zpk = golden(u"files/batch_corporate.zpk"_s);
    QTest::newRow("zpk, good") << u"a.zpk"_s << zpk << QStringList() << 0
                               << u"a.zpk: 2笔，合计12,645.60，0处错误，0处提醒\n"_s;
    QTest::newRow("zpk, check digit") << u"a.zpk"_s << brokenCheckDigit() << QStringList() << 1
                                      << u"a.zpk:2: 收款人账号/卡号错误，必须为本行账号/卡号！\n"
                                         "a.zpk: 2笔，合计12,645.60，1处错误，0处提醒\n"_s;
    QTest::newRow("zpk, personal edition")
        << u"p.zpk"_s << golden(u"files/batch_personal.zpk"_s) << QStringList{u"--edition"_s, u"personal"_s}
        << 0 << u"p.zpk: 2笔，合计60,000.50，0处错误，0处提醒\n"_s;
    QByteArray repeated = zpk;
    repeated += repeated.mid(repeated.lastIndexOf("RMB|20240105|2|"));
    QTest::newRow("zpk, repeated payment") << u"r.zpk"_s << repeated << QStringList() << 0
                                           << u"r.zpk:3: 提醒：第2行已有相同收款人账号和金额的付款\n"
                                              "r.zpk: 3笔，合计12,945.60，0处错误，1处提醒\n"_s;
    QTest::newRow("zpk, broken") << u"b.zpk"_s << QByteArray("RMB|20240105|2|x\r\n") << QStringList() << 2
                                 << u"b.zpk: "_s;
    QTest::newRow("bpt") << u"o.bpt"_s << golden(u"files/batch.bpt"_s) << QStringList() << 0
                         << u"o.bpt: 2笔，合计20,001.50，0处错误，0处提醒\n"_s;
    QTest::newRow("bene.xml, revoked branch")
        << u"bene.xml"_s << golden(u"files/bene.xml"_s) << QStringList() << 1 << u"bene.xml:3: "_s;
    QTest::newRow("payer.xml") << u"payer.xml"_s << golden(u"files/payer.xml"_s) << QStringList() << 0
                               << u"payer.xml: 2笔，合计0.00，0处错误，0处提醒\n"_s;
    QTest::newRow("benepayroll.xml, twice")
        << u"benepayroll.xml"_s
        << gbkLines({u"张三|123456789012345|"_s, u"李四|000000000000000|"_s, u"张三|123456789012345|"_s})
        << QStringList() << 1 << u"benepayroll.xml:3: 收款人账号已存在！\n"_s;
    QTest::newRow("payroll") << u"salary.csv"_s << golden(u"payroll/salary.csv"_s) << QStringList() << 0
                             << u"salary.csv: 1笔，合计1,000.00，0处错误，0处提醒\n"_s;
    QTest::newRow("payroll, other verification file")
        << u"other.csv"_s << golden(u"payroll/salary.csv"_s) + "\"D\",\"x\",\"1\",\"1.00\",\"\"\r\n"
        << QStringList() << 2 << u"other.csv: 代发工资检验文件错误\n"_s;
    QTest::newRow("missing") << u"none.zpk"_s << QByteArray() << QStringList() << 2
                             << u"none.zpk: 文件不存在！\n"_s;
    QTest::newRow("not a bank file") << u"a.txt"_s << QByteArray("x") << QStringList() << 2 << u"a.txt: "_s;
}

void tst_ScriptCommands::check_reportsEveryKindOfFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, text);
    if (!bytes.isEmpty())
        QVERIFY(write(file, bytes));
    if (file == u"other.csv")
        QVERIFY(write(file + u".checksum"_s, golden(u"payroll/salary.csv.checksum"_s)));
    if (file == u"salary.csv")
        QVERIFY(write(file + u".checksum"_s, golden(u"payroll/salary.csv.checksum"_s)));
    QDir::setCurrent(m_dir.path());
    const int exit = run(QStringList{u"check"_s} + options + QStringList{file});
    QVERIFY2(exit == status, qPrintable(QString::number(exit) + u' ' + m_out));
    QVERIFY2(m_out.contains(text), qPrintable(m_out));
    QCOMPARE(m_err, QString());
}

void tst_ScriptCommands::check_jsonHasOneObjectPerFile()
{
    QVERIFY(write(u"good.zpk"_s, golden(u"files/batch_corporate.zpk"_s)));
    QVERIFY(write(u"bad.zpk"_s, brokenCheckDigit()));
    QCOMPARE(run({u"check"_s, u"--json"_s, u"--dir"_s, m_dir.path(), path(u"good.zpk"_s), path(u"bad.zpk"_s),
                  path(u"gone.zpk"_s)}),
             2);
    const QStringList lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const QStringList keys{u"errors"_s, u"file"_s,  u"kind"_s,    u"readable"_s,
                           u"rows"_s,   u"total"_s, u"warnings"_s};
    QList<QJsonObject> objects;
    for (const QString &line : lines) {
        objects.append(QJsonDocument::fromJson(line.toUtf8()).object());
        QCOMPARE(objects.last().keys(), keys);
    }
    QCOMPARE(objects[0].value(u"total"_s).toString(), u"12645.60"_s);
    QCOMPARE(objects[0].value(u"kind"_s).toString(), u"zpk"_s);
    QCOMPARE(objects[0].value(u"rows"_s).toInt(), 2);
    const QJsonObject error = objects[1].value(u"errors"_s).toArray().first().toObject();
    QCOMPARE(error.value(u"row"_s).toInt(), 2);
    QCOMPARE(error.value(u"message"_s).toString(), u"收款人账号/卡号错误，必须为本行账号/卡号！"_s);
    QCOMPARE(objects[2].value(u"readable"_s).toBool(), false);
    QCOMPARE(objects[2].value(u"errors"_s).toArray().first().toObject().value(u"row"_s).toInt(), 0);
}

void tst_ScriptCommands::convert_writesTheWindowsBytes_data()
{
    QTest::addColumn<QStringList>("sheet");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("goldenFile");

    QTest::newRow("zpk, guessed columns")
        << BatchSheet << QStringList{u"--to"_s, u"zpk"_s} << u"files/batch_corporate.zpk"_s;
    QStringList noPayer;
    for (const QString &line : BatchSheet)
        noPayer.append(line.section(u',', 2));
    QTest::newRow("zpk, payer for the batch, columns by letter")
        << noPayer << QStringList{u"--to"_s,  u"zpk"_s,
                                  u"--set"_s, u"付款人名称=澜港贸易有限公司"_s,
                                  u"--set"_s, u"付款人账号=123456789012345"_s,
                                  u"--map"_s, u"收款人账号=B"_s,
                                  u"--map"_s, u"备注=备注"_s}
        << u"files/batch_corporate.zpk"_s;
    QTest::newRow("payroll") << QStringList{u"姓名,卡号,实发工资,备注"_s,
                                            u"张三,000000000000000,1000,一月工资"_s}
                             << QStringList{u"--to"_s, u"payroll"_s} << u"payroll/salary.csv"_s;
}

void tst_ScriptCommands::convert_writesTheWindowsBytes()
{
    QFETCH(QStringList, sheet);
    QFETCH(QStringList, options);
    QFETCH(QString, goldenFile);
    QVERIFY(write(u"sheet.csv"_s, gbkLines(sheet)));
    QVERIFY(write(u"out"_s, "the previous file"));
    const int exit = run(QStringList{u"convert"_s, path(u"sheet.csv"_s), u"-o"_s, path(u"out"_s), u"--date"_s,
                                     u"2024-01-05"_s} +
                         options);
    QVERIFY2(exit == 0, qPrintable(QString::number(exit) + u' ' + m_out));
    QCOMPARE(fileBytes(path(u"out"_s)), golden(goldenFile));
    if (goldenFile.startsWith(u"payroll"))
        QCOMPARE(fileBytes(path(u"out.checksum"_s)), golden(goldenFile + u".checksum"_s));
    QVERIFY2(m_out.endsWith(u"已写出 %1\n"_s.arg(path(u"out"_s))) || m_out.contains(u".checksum"_s),
             qPrintable(m_out));
}

void tst_ScriptCommands::convert_aBadRowWritesNothing_data()
{
    QTest::addColumn<QStringList>("sheet");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");

    QStringList badRow = BatchSheet;
    badRow[2].replace(u"123456789012346"_s, u"123456789012347"_s);
    QTest::newRow("bad account")
        << badRow << QStringList() << 1
        << u"sheet.csv:3: D（收款人账号）：收款人账号/卡号错误，必须为本行账号/卡号！\n"_s;
    QTest::newRow("unknown field") << BatchSheet << QStringList{u"--map"_s, u"金钱=F"_s} << 2
                                   << u"sheet.csv: “金钱”不是这个列表的列"_s;
    QTest::newRow("no such header") << BatchSheet << QStringList{u"--map"_s, u"金额=实付"_s} << 2
                                    << u"sheet.csv: 表格中没有“实付”列！\n"_s;
    QTest::newRow("header only") << BatchSheet.mid(0, 1) << QStringList() << 1
                                 << u"sheet.csv: 表格中没有可导入的记录！\n"_s;
}

void tst_ScriptCommands::convert_aBadRowWritesNothing()
{
    QFETCH(QStringList, sheet);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, text);
    QVERIFY(write(u"sheet.csv"_s, gbkLines(sheet)));
    QVERIFY(write(u"out.zpk"_s, "the previous file"));
    QDir::setCurrent(m_dir.path());
    const int exit =
        run(QStringList{u"convert"_s, u"sheet.csv"_s, u"--to"_s, u"zpk"_s, u"-o"_s, u"out.zpk"_s} + options);
    QVERIFY2(exit == status, qPrintable(QString::number(exit) + u' ' + m_out));
    QVERIFY2(m_out.contains(text), qPrintable(m_out));
    QCOMPARE(fileBytes(path(u"out.zpk"_s)), QByteArray("the previous file"));
}

void tst_ScriptCommands::commandLine_mistakesExitWithTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("check without files") << QStringList{u"check"_s} << u"缺少要检查的文件"_s;
    QTest::newRow("unknown option") << QStringList{u"check"_s, u"--to"_s, u"zpk"_s, u"a.zpk"_s}
                                    << u"未知的选项：--to"_s;
    QTest::newRow("edition") << QStringList{u"check"_s, u"--edition=home"_s, u"a.zpk"_s} << u"--edition"_s;
    QTest::newRow("convert without output")
        << QStringList{u"convert"_s, u"a.csv"_s, u"--to"_s, u"zpk"_s} << u"缺少选项 -o"_s;
    QTest::newRow("date") << QStringList{u"convert"_s, u"a.csv"_s,  u"--to=zpk"_s,  u"-o"_s,
                                         u"x"_s,       u"--date"_s, u"2024-13-01"_s}
                          << u"YYYY-MM-DD"_s;
    QTest::newRow("output is a folder")
        << QStringList{u"convert"_s, u"sheet.csv"_s, u"--to"_s, u"zpk"_s, u"-o"_s, u"."_s} << QString();
}

void tst_ScriptCommands::commandLine_mistakesExitWithTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QVERIFY(write(u"sheet.csv"_s, gbkLines(BatchSheet)));
    QDir::setCurrent(m_dir.path());
    QCOMPARE(run(arguments), 2);
    QVERIFY2((m_err + m_out).contains(message), qPrintable(m_err + m_out));
}

QTEST_GUILESS_MAIN(tst_ScriptCommands)
#include "tst_scriptcommands.moc"
