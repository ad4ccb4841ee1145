#include "refdata/ReferenceTables.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

using Rows = QList<qsizetype>;

class TstReferenceTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    // Branch lookups
    void findBankCode_firstExactNameWins_data();
    void findBankCode_firstExactNameWins();
    void branchesWithPrefix_inFileOrder_data();
    void branchesWithPrefix_inFileOrder();
    void decomposeBranchCode_splitsAndLooksUpTheProvince_data();
    void decomposeBranchCode_splitsAndLooksUpTheProvince();

    // City and bank lookups
    void stateOfCity_firstCityCodeWins_data();
    void stateOfCity_firstCityCodeWins();
    void citiesOfState_inFileOrder();
    void findCityByName_ignoresTheIndent_data();
    void findCityByName_ignoresTheIndent();
    void findCityNameInside_firstRowInFileOrder_data();
    void findCityNameInside_firstRowInFileOrder();
    void findBankType_byNameAndInsideText_data();
    void findBankType_byNameAndInsideText();
    void emptyName_occursInEveryText();

    void emptyTables_findNothing();
    void indexes_agreeWithAScanInFileOrder();
    void indexes_growBeyondTheirFirstGuess();

private:
    ReferenceTables m_tables;
};

void TstReferenceTables::init()
{
    m_tables = ReferenceTables({{u"中国工商银行"_s, u"102"_s},
                                {u"中国建设银行"_s, u"105"_s},
                                {u"澜港银行"_s, u"313"_s},
                                {u"中国银行"_s, u"104"_s}},
                               {
                                   {u"中国工商银行北京市分行营业部"_s, u"102100000014"_s}, // 0
                                   {u"中国工商银行北京市朝阳支行"_s, u"102100000022"_s},   // 1
                                   {u"中国建设银行北京市分行"_s, u"105100000017"_s},       // 2
                                   {u"中国工商银行深圳市分行"_s, u"102584000013"_s},       // 3
                                   {u"中国工商银行北京市海淀支行"_s, u"102100000039"_s},   // 4
                                   {u"中国工商银行北京市朝阳支行"_s, u"102100000099"_s}, // 5: the name again
                                   {u"短码支行"_s, u"102100"_s}, // 6: shorter than a prefix
                               },
                               {{u"北京市"_s, u"11"_s}, {u"广东省"_s, u"44"_s}},
                               {
                                   {u"北京市"_s, u"1000"_s, u"0011"_s},     // 0
                                   {u"深圳市"_s, u"5840"_s, u"0044"_s},     // 1
                                   {u"  - 宝安区"_s, u"5841"_s, u"0044"_s}, // 2
                                   {u"广州市"_s, u"5810"_s, u"0044"_s},     // 3
                                   {u"深圳"_s, u"5840"_s, u"0031"_s},       // 4: the city code again
                               });
}

void TstReferenceTables::findBankCode_firstExactNameWins_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");

    QTest::newRow("listed once") << u"中国建设银行北京市分行"_s << u"105100000017"_s;
    QTest::newRow("listed twice: the first line") << u"中国工商银行北京市朝阳支行"_s << u"102100000022"_s;
    QTest::newRow("absent") << u"中国农业银行北京市分行"_s << QString();
    QTest::newRow("extra blank") << u"中国建设银行北京市分行 "_s << QString();
    QTest::newRow("shortened") << u"中国建设银行北京市"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TstReferenceTables::findBankCode_firstExactNameWins()
{
    QFETCH(QString, name);
    QFETCH(QString, code);

    QCOMPARE(m_tables.FindBankCode(name), code);
}

void TstReferenceTables::branchesWithPrefix_inFileOrder_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("rows apart") << u"1021000"_s << Rows{0, 1, 4, 5};
    QTest::newRow("one row") << u"1025840"_s << Rows{3};
    QTest::newRow("none") << u"1055840"_s << Rows{};
    // The first seven characters of a shorter code are the whole code.
    QTest::newRow("equals a shorter code in full") << u"102100"_s << Rows{6};
    QTest::newRow("bank type only matches no longer code") << u"102"_s << Rows{};
    QTest::newRow("eight characters") << u"10210000"_s << Rows{};
    QTest::newRow("empty") << QString() << Rows{};
}

void TstReferenceTables::branchesWithPrefix_inFileOrder()
{
    QFETCH(QString, prefix);
    QFETCH(Rows, rows);

    QCOMPARE(m_tables.branchesWithPrefix(prefix), rows);
    QCOMPARE(m_tables.firstBranchWithPrefix(prefix), rows.isEmpty() ? qsizetype(-1) : rows.first());
}

void TstReferenceTables::decomposeBranchCode_splitsAndLooksUpTheProvince_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("bankType");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("state");

    QTest::newRow("known city") << u"102584000013"_s << u"102"_s << u"5840"_s << u"0044"_s;
    QTest::newRow("sub-area") << u"105584100018"_s << u"105"_s << u"5841"_s << u"0044"_s;
    QTest::newRow("unknown city") << u"102999900000"_s << u"102"_s << u"9999"_s << QString();
    QTest::newRow("short code") << u"10210"_s << u"102"_s << u"10"_s << QString();
    QTest::newRow("empty") << QString() << QString() << QString() << QString();
}

void TstReferenceTables::decomposeBranchCode_splitsAndLooksUpTheProvince()
{
    QFETCH(QString, code);
    QFETCH(QString, bankType);
    QFETCH(QString, city);
    QFETCH(QString, state);

    const BranchFields parts = m_tables.decomposeBranchCode(code);
    QCOMPARE(parts.BankTypeCode, bankType);
    QCOMPARE(parts.CityCode, city);
    QCOMPARE(parts.StateCode, state);
}

void TstReferenceTables::stateOfCity_firstCityCodeWins_data()
{
    QTest::addColumn<QString>("cityCode");
    QTest::addColumn<QString>("stateCode");

    QTest::newRow("listed once") << u"1000"_s << u"0011"_s;
    QTest::newRow("listed twice: the first row") << u"5840"_s << u"0044"_s;
    QTest::newRow("absent") << u"9999"_s << QString();
    QTest::newRow("integer form is not the code") << u"584"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TstReferenceTables::stateOfCity_firstCityCodeWins()
{
    QFETCH(QString, cityCode);
    QFETCH(QString, stateCode);

    QCOMPARE(m_tables.StateOfCity(cityCode), stateCode);
}

void TstReferenceTables::citiesOfState_inFileOrder()
{
    QCOMPARE(m_tables.citiesOfState(u"0044"_s), (Rows{1, 2, 3}));
    QCOMPARE(m_tables.citiesOfState(u"44"_s), Rows{});
}

void TstReferenceTables::findCityByName_ignoresTheIndent_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qsizetype>("row");

    QTest::newRow("city") << u"深圳市"_s << qsizetype(1);
    QTest::newRow("sub-area without the indent") << u"宝安区"_s << qsizetype(2);
    QTest::newRow("sub-area with the indent") << u"  - 宝安区"_s << qsizetype(2);
    QTest::newRow("indent on a city") << u"  - 广州市"_s << qsizetype(3);
    QTest::newRow("part of a name") << u"宝安"_s << qsizetype(-1);
    QTest::newRow("blank added") << u"深圳市 "_s << qsizetype(-1);
    QTest::newRow("empty") << QString() << qsizetype(-1);
}

void TstReferenceTables::findCityByName_ignoresTheIndent()
{
    QFETCH(QString, typed);
    QFETCH(qsizetype, row);

    QCOMPARE(m_tables.findCityByName(typed), row);
}

void TstReferenceTables::findCityNameInside_firstRowInFileOrder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("row");

    QTest::newRow("city inside a branch name") << u"中国工商银行广州市天河支行"_s << qsizetype(3);
    QTest::newRow("sub-area found without its indent") << u"中国工商银行宝安区支行"_s << qsizetype(2);
    QTest::newRow("two names: file order, not text order") << u"宝安区深圳市"_s << qsizetype(1);
    QTest::newRow("none") << u"中国工商银行宝安支行"_s << qsizetype(-1);
    QTest::newRow("empty text") << QString() << qsizetype(-1);
}

void TstReferenceTables::findCityNameInside_firstRowInFileOrder()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, row);

    QCOMPARE(m_tables.findCityNameInside(text), row);
}

void TstReferenceTables::findBankType_byNameAndInsideText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("byName");
    QTest::addColumn<qsizetype>("inside");

    QTest::newRow("exact name") << u"中国建设银行"_s << qsizetype(1) << qsizetype(1);
    QTest::newRow("inside a branch name") << u"中国建设银行北京市东城支行"_s << qsizetype(-1) << qsizetype(1);
    QTest::newRow("two names: file order") << u"中国银行中国工商银行"_s << qsizetype(-1) << qsizetype(0);
    QTest::newRow("none") << u"招商银行"_s << qsizetype(-1) << qsizetype(-1);
    QTest::newRow("extra blank") << u"中国银行 "_s << qsizetype(-1) << qsizetype(3);
}

void TstReferenceTables::findBankType_byNameAndInsideText()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, byName);
    QFETCH(qsizetype, inside);

    QCOMPARE(m_tables.findBankTypeByName(text), byName);
    QCOMPARE(m_tables.findBankTypeNameInside(text), inside);
}

void TstReferenceTables::emptyName_occursInEveryText()
{
    const ReferenceTables tables({{u"银行"_s, u"102"_s}, {QString(), u"105"_s}}, {}, {},
                                 {{u"北京市"_s, u"1000"_s, u"0011"_s}, {u"  - "_s, u"1001"_s, u"0011"_s}});
    QCOMPARE(tables.findCityNameInside(u"任何文字"_s), qsizetype(1));
    QCOMPARE(tables.findCityNameInside(u"北京市支行"_s), qsizetype(0));
    QCOMPARE(tables.findBankTypeNameInside(u"任何文字"_s), qsizetype(1));
}

void TstReferenceTables::emptyTables_findNothing()
{
    const ReferenceTables tables;
    QCOMPARE(tables.FindBankCode(u"中国工商银行北京市分行营业部"_s), QString());
    QCOMPARE(tables.FindBankCode(QString()), QString());
    QCOMPARE(tables.StateOfCity(u"1000"_s), QString());
    QCOMPARE(tables.decomposeBranchCode(u"102100000014"_s).StateCode, QString());
    QCOMPARE(tables.branchesWithPrefix(u"1021000"_s), Rows{});
    QCOMPARE(tables.firstBranchWithPrefix(u"1021000"_s), qsizetype(-1));
    QCOMPARE(tables.citiesOfState(u"0011"_s), Rows{});
    QCOMPARE(tables.findCityByName(QString()), qsizetype(-1));
    QCOMPARE(tables.findCityNameInside(u"北京市"_s), qsizetype(-1));
    QCOMPARE(tables.findBankTypeByName(QString()), qsizetype(-1));
    QCOMPARE(tables.findBankTypeNameInside(u"中国银行"_s), qsizetype(-1));
}

void TstReferenceTables::indexes_agreeWithAScanInFileOrder()
{
    // Many rows sharing names and prefixes, in runs and scattered, as in a national table.
    QRandomGenerator random(20261207);
    QList<BankCodeRow> branches;
    for (int row = 0; row < 6000; ++row) {
        const bool repeat = !branches.isEmpty() && random.bounded(3) == 0;
        const QString prefix =
            repeat ? branches.last().Code.left(7)
                   : QStringLiteral("%1%2").arg(100 + random.bounded(8)).arg(1000 + random.bounded(40));
        const QString code = prefix + QStringLiteral("%1").arg(row, 5, 10, QLatin1Char('0'));
        branches.append({QStringLiteral("支行%1").arg(random.bounded(1500)), code});
    }
    const ReferenceTables tables({}, branches, {}, {});

    QSet<QString> names{u"支行-1"_s, QString()};
    QSet<QString> prefixes{u"0000000"_s};
    for (const BankCodeRow &row : std::as_const(branches)) {
        names.insert(row.Name);
        prefixes.insert(row.Code.left(7));
    }
    for (const QString &name : std::as_const(names)) {
        QString scanned;
        for (const BankCodeRow &row : std::as_const(branches)) {
            if (row.Name == name) {
                scanned = row.Code;
                break;
            }
        }
        QCOMPARE(tables.FindBankCode(name), scanned);
    }
    for (const QString &prefix : std::as_const(prefixes)) {
        Rows scanned;
        for (qsizetype i = 0; i < branches.size(); ++i) {
            if (branches[i].Code.left(7) == prefix)
                scanned.append(i);
        }
        QCOMPARE(tables.branchesWithPrefix(prefix), scanned);
    }
}

void TstReferenceTables::indexes_growBeyondTheirFirstGuess()
{
    // Every branch its own bank and city: far more prefixes than the index first makes room for.
    QList<BankCodeRow> branches;
    for (int row = 0; row < 3000; ++row)
        branches.append(
            {QStringLiteral("支行%1").arg(row % 1000), QString::number(1000000 + row * 7) + u"00001"_s});
    const ReferenceTables tables({}, branches, {}, {});
    for (int row = 0; row < branches.size(); ++row) {
        QCOMPARE(tables.branchesWithPrefix(branches[row].Code.left(7)), Rows{row});
        QCOMPARE(tables.FindBankCode(branches[row].Name), branches[row % 1000].Code);
    }
}

QTEST_GUILESS_MAIN(TstReferenceTables)
#include "tst_referencetables.moc"
