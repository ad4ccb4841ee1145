#include "TableFiles.h"

#include "refdata/TableLoaders.h"

#include <QDir>
#include <QMetaType>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::TableKind)

namespace {

const QString BankTypeMessage = u"银行表【banktype.xml】不存在，系统将会关闭！"_s;
const QString BankCodeMessage = u"支付系统行号表【BankCode.xml】不存在，系统将会关闭！"_s;
const QString StateMessage = u"省份表【state.xml】不存在，系统将会关闭！"_s;
const QString CityMessage = u"城市表【city.xml】不存在，系统将会关闭！"_s;

struct Loaded
{
    bool ok = false;
    QString error;
    qsizetype rows = 0;
};

template <typename Table> Loaded outcome(const Result<Table> &result)
{
    return {result.ok(), result.error(), result.ok() ? result.value().size() : 0};
}

Loaded load(TableKind kind, const QString &dir)
{
    switch (kind) {
    case TableKind::BankType:
        return outcome(LoadBankTypeTable(dir));
    case TableKind::BankCode:
        return outcome(LoadBankCodeTable(dir));
    case TableKind::State:
        return outcome(LoadStateTable(dir));
    case TableKind::City:
        return outcome(LoadCityTable(dir));
    }
    return {};
}

QString messageOf(TableKind kind)
{
    switch (kind) {
    case TableKind::BankType:
        return BankTypeMessage;
    case TableKind::BankCode:
        return BankCodeMessage;
    case TableKind::State:
        return StateMessage;
    case TableKind::City:
        return CityMessage;
    }
    return {};
}

// A well-formed line of each table, ASCII so that it is GBK as it stands.
QByteArray goodLine(TableKind kind)
{
    return kind == TableKind::City ? QByteArray("0011=1000=a\r\n") : QByteArray("102=a\r\n");
}

const QList<std::pair<TableKind, const char *>> AllKinds{{TableKind::BankType, "banktype"},
                                                         {TableKind::BankCode, "BankCode"},
                                                         {TableKind::State, "state"},
                                                         {TableKind::City, "city"}};

} // namespace

class TstTableLoaders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Failures: each table its own message, whatever the cause
    void load_missingFileGivesTheTablesMessage_data();
    void load_missingFileGivesTheTablesMessage();
    void load_badContentGivesTheTablesMessage_data();
    void load_badContentGivesTheTablesMessage();
    void loadAll_reportsTheFirstFailingTableOnly_data();
    void loadAll_reportsTheFirstFailingTableOnly();

    // Sizes
    void load_emptyFileIsAnEmptyTable_data();
    void load_emptyFileIsAnEmptyTable();
    void load_rowLimitOfTheSmallTables_data();
    void load_rowLimitOfTheSmallTables();

    // Fields as written in the files
    void bankTypes_keepCodeAndNameAsWritten_data();
    void bankTypes_keepCodeAndNameAsWritten();
    void states_keepCodeAndNameAsWritten_data();
    void states_keepCodeAndNameAsWritten();
    void branches_loadAnyCode_data();
    void branches_loadAnyCode();
    void branches_keepEveryRowAsWritten_data();
    void branches_keepEveryRowAsWritten();
    void cities_indentSubAreas_data();
    void cities_indentSubAreas();
    void loadAll_keepsFileOrder();

    // Helpers of the pickers
    void codeToItemData_acceptsOnly32BitNumbers_data();
    void codeToItemData_acceptsOnly32BitNumbers();
    void padLeftZeros_fillsButNeverCuts_data();
    void padLeftZeros_fillsButNeverCuts();

private:
    void put(TableKind kind, const QByteArray &bytes)
    {
        QVERIFY(writeFile(m_dir->path(), tableFileName(kind), bytes));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstTableLoaders::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstTableLoaders::cleanup()
{
    m_dir.reset();
}

void TstTableLoaders::load_missingFileGivesTheTablesMessage_data()
{
    QTest::addColumn<TableKind>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("banktype") << TableKind::BankType << BankTypeMessage;
    QTest::newRow("BankCode") << TableKind::BankCode << BankCodeMessage;
    QTest::newRow("state") << TableKind::State << StateMessage;
    QTest::newRow("city") << TableKind::City << CityMessage;
}

void TstTableLoaders::load_missingFileGivesTheTablesMessage()
{
    QFETCH(TableKind, kind);
    QFETCH(QString, message);

    const Loaded loaded = load(kind, m_dir->path());
    QVERIFY(!loaded.ok);
    QCOMPARE(loaded.error, message);
}

void TstTableLoaders::load_badContentGivesTheTablesMessage_data()
{
    QTest::addColumn<TableKind>("kind");
    QTest::addColumn<QByteArray>("bytes");

    for (const auto &[kind, name] : AllKinds) {
        const QByteArray good = goodLine(kind);
        const auto row = [name](const char *what) -> QTestData & {
            return QTest::addRow("%s: %s", name, what);
        };
        row("empty line first") << kind << QByteArray("\r\n") + good;
        row("empty line inside") << kind << good + "\r\n" + good;
        row("empty line last") << kind << good + "\r\n";
        row("line without =") << kind << good + "102a\r\n";
        row("lines ending in LF alone")
            << kind << QByteArray(good).replace("\r\n", "\n") + good.chopped(2) + '\n';
        row("invalid GBK bytes") << kind
                                 << good + QByteArray(kind == TableKind::City ? "0011=1000=\x81\x20\r\n"
                                                                              : "102=\x81\x20\r\n");
    }
    QTest::newRow("city: one = only") << TableKind::City << QByteArray("0011=1000=a\r\n0011=1001\r\n");
    QTest::newRow("banktype: code not a number") << TableKind::BankType << QByteArray("1O2=a\r\n");
    QTest::newRow("banktype: empty code") << TableKind::BankType << QByteArray("=a\r\n");
    QTest::newRow("banktype: code beyond 32 bits") << TableKind::BankType << QByteArray("4294967296=a\r\n");
    QTest::newRow("state: code not a number") << TableKind::State << QByteArray("BJ=a\r\n");
    QTest::newRow("BankCode: invalid GBK far into the file")
        << TableKind::BankCode << goodLine(TableKind::BankCode).repeated(30000) + "102=\x81\x20\r\n";
}

void TstTableLoaders::load_badContentGivesTheTablesMessage()
{
    QFETCH(TableKind, kind);
    QFETCH(QByteArray, bytes);

    put(kind, bytes);
    const Loaded loaded = load(kind, m_dir->path());
    QVERIFY(!loaded.ok);
    QCOMPARE(loaded.error, messageOf(kind));
}

void TstTableLoaders::loadAll_reportsTheFirstFailingTableOnly_data()
{
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QString>("message");

    QTest::newRow("all four missing")
        << QStringList{u"banktype.xml"_s, u"BankCode.xml"_s, u"state.xml"_s, u"city.xml"_s}
        << BankTypeMessage;
    QTest::newRow("only banktype missing") << QStringList{u"banktype.xml"_s} << BankTypeMessage;
    QTest::newRow("branch, province, city missing")
        << QStringList{u"BankCode.xml"_s, u"state.xml"_s, u"city.xml"_s} << BankCodeMessage;
    QTest::newRow("province and city missing") << QStringList{u"state.xml"_s, u"city.xml"_s} << StateMessage;
    QTest::newRow("city missing") << QStringList{u"city.xml"_s} << CityMessage;
    QTest::newRow("nothing missing") << QStringList{} << QString();
}

void TstTableLoaders::loadAll_reportsTheFirstFailingTableOnly()
{
    QFETCH(QStringList, missing);
    QFETCH(QString, message);

    QVERIFY(writeMiniTables(m_dir->path()));
    for (const QString &name : missing)
        QVERIFY(QFile::remove(m_dir->filePath(name)));
    const Result<ReferenceTables> tables = loadReferenceTables(m_dir->path());
    QCOMPARE(tables.ok(), message.isEmpty());
    QCOMPARE(tables.error(), message);
}

void TstTableLoaders::load_emptyFileIsAnEmptyTable_data()
{
    QTest::addColumn<TableKind>("kind");
    for (const auto &[kind, name] : AllKinds)
        QTest::newRow(name) << kind;
}

void TstTableLoaders::load_emptyFileIsAnEmptyTable()
{
    QFETCH(TableKind, kind);

    put(kind, QByteArray());
    const Loaded loaded = load(kind, m_dir->path());
    QVERIFY2(loaded.ok, qPrintable(loaded.error));
    QCOMPARE(loaded.rows, qsizetype(0));
}

void TstTableLoaders::load_rowLimitOfTheSmallTables_data()
{
    QTest::addColumn<TableKind>("kind");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("loads");

    for (const auto &[kind, name] : AllKinds) {
        if (kind == TableKind::BankCode)
            continue;
        QTest::addRow("%s: 32767 lines", name) << kind << 32767 << true;
        QTest::addRow("%s: 32768 lines", name) << kind << 32768 << false;
    }
    QTest::newRow("BankCode: 40000 lines") << TableKind::BankCode << 40000 << true;
}

void TstTableLoaders::load_rowLimitOfTheSmallTables()
{
    QFETCH(TableKind, kind);
    QFETCH(int, lines);
    QFETCH(bool, loads);

    put(kind, goodLine(kind).repeated(lines));
    const Loaded loaded = load(kind, m_dir->path());
    QCOMPARE(loaded.ok, loads);
    QCOMPARE(loaded.rows, qsizetype(loads ? lines : 0));
    if (!loads)
        QCOMPARE(loaded.error, messageOf(kind));
}

void TstTableLoaders::bankTypes_keepCodeAndNameAsWritten_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("itemData");

    QTest::newRow("plain") << u"102=中国工商银行"_s << u"102"_s << u"中国工商银行"_s << 102;
    QTest::newRow("leading zero kept in the row")
        << u"0102=中国工商银行"_s << u"0102"_s << u"中国工商银行"_s << 102;
    QTest::newRow("trailing blanks kept") << u"313=澜港银行  "_s << u"313"_s << u"澜港银行  "_s << 313;
    QTest::newRow("parts after the second dropped")
        << u"105=中国建设银行=旧名"_s << u"105"_s << u"中国建设银行"_s << 105;
    QTest::newRow("empty name") << u"103="_s << u"103"_s << QString() << 103;
}

void TstTableLoaders::bankTypes_keepCodeAndNameAsWritten()
{
    QFETCH(QString, line);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(int, itemData);

    put(TableKind::BankType, gbkLines({line}));
    const auto rows = LoadBankTypeTable(m_dir->path());
    QVERIFY2(rows.ok(), qPrintable(rows.error()));
    QCOMPARE(rows->size(), 1);
    QCOMPARE(rows->first().Code, code);
    QCOMPARE(rows->first().Name, name);
    QCOMPARE(codeToItemData(rows->first().Code), std::optional<qint32>(itemData));
}

void TstTableLoaders::states_keepCodeAndNameAsWritten_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain") << u"11=北京市"_s << u"11"_s << u"北京市"_s;
    QTest::newRow("two =: the second field is the name") << u"44=广东省=粤"_s << u"44"_s << u"广东省"_s;
    QTest::newRow("trailing blank kept") << u"31=上海市 "_s << u"31"_s << u"上海市 "_s;
    QTest::newRow("four digits with leading zero") << u"0011=北京市"_s << u"0011"_s << u"北京市"_s;
}

void TstTableLoaders::states_keepCodeAndNameAsWritten()
{
    QFETCH(QString, line);
    QFETCH(QString, code);
    QFETCH(QString, name);

    put(TableKind::State, gbkLines({line}));
    const auto rows = LoadStateTable(m_dir->path());
    QVERIFY2(rows.ok(), qPrintable(rows.error()));
    QCOMPARE(rows->size(), 1);
    QCOMPARE(rows->first().Code, code);
    QCOMPARE(rows->first().Name, name);
}

void TstTableLoaders::branches_loadAnyCode_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("payment-system code") << u"102100000014=中国工商银行北京市分行营业部"_s
                                         << u"102100000014"_s << u"中国工商银行北京市分行营业部"_s;
    QTest::newRow("code that is not a number")
        << u"ABC-12=某银行某支行"_s << u"ABC-12"_s << u"某银行某支行"_s;
    QTest::newRow("code beyond 64 bits")
        << u"123456789012345678901234=支行"_s << u"123456789012345678901234"_s << u"支行"_s;
    QTest::newRow("trailing blanks kept")
        << u"105100000017=中国建设银行北京市分行  "_s << u"105100000017"_s << u"中国建设银行北京市分行  "_s;
    QTest::newRow("extra part dropped") << u"102=支行=旧名"_s << u"102"_s << u"支行"_s;
}

void TstTableLoaders::branches_loadAnyCode()
{
    QFETCH(QString, line);
    QFETCH(QString, code);
    QFETCH(QString, name);

    put(TableKind::BankCode, gbkLines({line}));
    const auto rows = LoadBankCodeTable(m_dir->path());
    QVERIFY2(rows.ok(), qPrintable(rows.error()));
    QCOMPARE(rows->size(), 1);
    QCOMPARE(rows->first().Code, code);
    QCOMPARE(rows->first().Name, name);
}

void TstTableLoaders::branches_keepEveryRowAsWritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("last line without its end")
        << QByteArray("102=a\r\n105=b") << QStringList{u"102"_s, u"105"_s} << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty fields") << QByteArray("=\r\n102=\r\n=b\r\n")
                                  << QStringList{QString(), u"102"_s, QString()}
                                  << QStringList{QString(), QString(), u"b"_s};
    QTest::newRow("bare CR ends a row, bare LF stays in it")
        << QByteArray("102=a\r105=b\nc\r\n") << QStringList{u"102"_s, u"105"_s}
        << QStringList{u"a"_s, u"b\nc"_s};
    // Rows of every length, Chinese, over many pieces of the decoding.
    QStringList lines, codes, names;
    for (int row = 0; row < 6000; ++row) {
        codes.append(QString::number(102100000000LL + row));
        names.append(u"中国工商银行"_s + QString(row % 41, u'支') + QString::number(row));
        lines.append(codes.last() + u'=' + names.last());
    }
    QTest::newRow("national-size rows") << gbkLines(lines) << codes << names;
}

void TstTableLoaders::branches_keepEveryRowAsWritten()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, names);

    put(TableKind::BankCode, bytes);
    const auto rows = LoadBankCodeTable(m_dir->path());
    QVERIFY2(rows.ok(), qPrintable(rows.error()));
    QStringList loadedCodes, loadedNames;
    for (const BankCodeRow &row : rows.value()) {
        loadedCodes.append(row.Code);
        loadedNames.append(row.Name);
    }
    QCOMPARE(loadedCodes, codes);
    QCOMPARE(loadedNames, names);
}

void TstTableLoaders::cities_indentSubAreas_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("stateCode");
    QTest::addColumn<QString>("cityCode");
    QTest::addColumn<QString>("name");

    QTest::newRow("4th character 0: a city")
        << u"0044=5840=深圳市"_s << u"0044"_s << u"5840"_s << u"深圳市"_s;
    QTest::newRow("4th character not 0: a sub-area")
        << u"0044=5841=宝安区"_s << u"0044"_s << u"5841"_s << u"  - 宝安区"_s;
    QTest::newRow("code shorter than 4") << u"0011=100=短码市"_s << u"0011"_s << u"100"_s << u"  - 短码市"_s;
    QTest::newRow("empty code") << u"0011==无码市"_s << u"0011"_s << QString() << u"  - 无码市"_s;
    QTest::newRow("0 in another place does not count")
        << u"0011=1001=区"_s << u"0011"_s << u"1001"_s << u"  - 区"_s;
    QTest::newRow("parts after the third dropped")
        << u"0011=1000=北京市=京"_s << u"0011"_s << u"1000"_s << u"北京市"_s;
    QTest::newRow("trailing blank kept") << u"0031=2900=上海市 "_s << u"0031"_s << u"2900"_s << u"上海市 "_s;
}

void TstTableLoaders::cities_indentSubAreas()
{
    QFETCH(QString, line);
    QFETCH(QString, stateCode);
    QFETCH(QString, cityCode);
    QFETCH(QString, name);

    put(TableKind::City, gbkLines({line}));
    const auto rows = LoadCityTable(m_dir->path());
    QVERIFY2(rows.ok(), qPrintable(rows.error()));
    QCOMPARE(rows->size(), 1);
    QCOMPARE(rows->first().StateCode, stateCode);
    QCOMPARE(rows->first().CityCode, cityCode);
    QCOMPARE(rows->first().Name, name);
}

void TstTableLoaders::loadAll_keepsFileOrder()
{
    QVERIFY(writeMiniTables(m_dir->path()));
    const Result<ReferenceTables> tables = loadReferenceTables(m_dir->path());
    QVERIFY2(tables.ok(), qPrintable(tables.error()));

    const auto names = [](const auto &rows) {
        QStringList out;
        for (const auto &row : rows)
            out.append(row.Name);
        return out;
    };
    QCOMPARE(names(tables->BankTypeTable()),
             (QStringList{u"中国工商银行"_s, u"中国建设银行"_s, u"澜港银行"_s}));
    QCOMPARE(names(tables->StateTable()), (QStringList{u"北京市"_s, u"上海市"_s, u"广东省"_s}));
    QCOMPARE(names(tables->CityTable()),
             (QStringList{u"北京市"_s, u"上海市"_s, u"广州市"_s, u"深圳市"_s, u"  - 宝安区"_s}));
    QCOMPARE(tables->BankCodeTable().size(), 9);
    QCOMPARE(tables->BankCodeTable().last().Code, u"105581000012"_s);
}

void TstTableLoaders::codeToItemData_acceptsOnly32BitNumbers_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("three digits") << u"102"_s << true << 102;
    QTest::newRow("leading zeros dropped") << u"0011"_s << true << 11;
    QTest::newRow("zero") << u"0000"_s << true << 0;
    QTest::newRow("largest") << u"2147483647"_s << true << 2147483647;
    QTest::newRow("smallest") << u"-2147483648"_s << true << int(-2147483647 - 1);
    QTest::newRow("one past the largest") << u"2147483648"_s << false << 0;
    QTest::newRow("far too long") << u"102100000014102100000014"_s << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("sign only") << u"-"_s << false << 0;
    QTest::newRow("letters") << u"ZPK"_s << false << 0;
    QTest::newRow("digits then letter") << u"10a"_s << false << 0;
    QTest::newRow("decimal point") << u"1.5"_s << false << 0;
}

void TstTableLoaders::codeToItemData_acceptsOnly32BitNumbers()
{
    QFETCH(QString, code);
    QFETCH(bool, valid);
    QFETCH(int, value);

    QCOMPARE(codeToItemData(code), valid ? std::optional<qint32>(value) : std::nullopt);
}

void TstTableLoaders::padLeftZeros_fillsButNeverCuts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("padded");

    QTest::newRow("province to 4") << u"11"_s << 4 << u"0011"_s;
    QTest::newRow("bank to 3") << u"5"_s << 3 << u"005"_s;
    QTest::newRow("already wide enough") << u"102"_s << 3 << u"102"_s;
    QTest::newRow("longer is not cut") << u"12345"_s << 4 << u"12345"_s;
    QTest::newRow("empty stays empty") << QString() << 4 << QString();
    QTest::newRow("zero width") << u"7"_s << 0 << u"7"_s;
}

void TstTableLoaders::padLeftZeros_fillsButNeverCuts()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, padded);

    QString callers = text;
    QCOMPARE(PadLeftZeros(callers, qint16(width)), padded);
    QCOMPARE(callers, padded);
}

QTEST_GUILESS_MAIN(TstTableLoaders)
#include "tst_tableloaders.moc"
