#include "workspace/SheetImport.h"

#include "TableFiles.h"

#include "entry/ListTotals.h"

#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::Edition)
Q_DECLARE_METATYPE(lgbatch::Workspace::List)

namespace {

using List = Workspace::List;

const QString BatchHeader = u"付款人名称,付款人账号,户名,账号,开户行,金额,加急,备注"_s;
const QString PayerCells = u"澜港贸易,123456789012345,"_s;

Spreadsheet csv(const QStringList &lines)
{
    Result<Spreadsheet> sheet = Spreadsheet::fromBytes(gbkLines(lines), Spreadsheet::Format::Csv);
    if (!sheet)
        qFatal("test sheet: %s", qUtf8Printable(sheet.error()));
    return std::move(sheet).value();
}

// "收款人名称=A 金额=C": the fields that have a column, in the dialog's order.
QString columnsOf(const SheetMapping &mapping, const QList<SheetFieldEntry> &fields)
{
    QStringList parts;
    for (const SheetFieldEntry &entry : fields) {
        if (mapping.column(entry.field) >= 0)
            parts.append(entry.label + QLatin1Char('=') + sheetColumnName(mapping.column(entry.field)));
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class tst_SheetImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void guess_findsTheHeaderRowAndItsColumns_data();
    void guess_findsTheHeaderRowAndItsColumns();
    void workbook_comesInDigitForDigit();
    void unreadableCells_failTheirRows();
    void rows_passTheRulesOfTheirListsAdd_data();
    void rows_passTheRulesOfTheirListsAdd();
    void repeats_ofTheListOrTheSheetAreAskedAboutOnce_data();
    void repeats_ofTheListOrTheSheetAreAskedAboutOnce();
    void sheet_comesInWholeOrNotAtAll_data();
    void sheet_comesInWholeOrNotAtAll();
    void memory_offersTheLastMappingOfTheSameHeader();

private:
    Workspace &open(Edition edition = Edition::Corporate);
    SheetImportCheck check(List list, const Spreadsheet &sheet, bool clearFirst = false,
                           const SheetImportProgress &progress = {});

    QTemporaryDir m_dir;
    ApplicationState m_state;
    std::unique_ptr<Workspace> m_workspace;
};

Workspace &tst_SheetImport::open(Edition edition)
{
    m_state = ApplicationState();
    m_state.chooseEdition(edition);
    if (!writeMiniTables(m_dir.path()))
        qFatal("cannot write the tables");
    m_workspace = std::make_unique<Workspace>(m_state, m_dir.path());
    m_workspace->InitCheckDigitWeights();
    if (!m_workspace->loadReferenceTables())
        qFatal("cannot load the tables");
    return *m_workspace;
}

SheetImportCheck tst_SheetImport::check(List list, const Spreadsheet &sheet, bool clearFirst,
                                        const SheetImportProgress &progress)
{
    const QList<SheetFieldEntry> fields = sheetFieldsOf(list, m_workspace->edition());
    const SheetMapping mapping = guessMapping(fields, sheet.firstRows(0, 20));
    return checkSheetRows(*m_workspace, sheet, {list, 0, mapping, clearFirst}, progress);
}

void tst_SheetImport::guess_findsTheHeaderRowAndItsColumns_data()
{
    QTest::addColumn<List>("list");
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<QString>("columns");

    const Edition corporate = Edition::Corporate;
    const Edition personal = Edition::Personal;
    const QString bothParties = u"付款人名称,付款人账号,收款人名称,收款人账号,开户行,金额,加急,备注"_s;
    const QString payerWords = u"付款单位,付款账号,户名,账号,开户行,金额"_s;
    QTest::newRow("a title above the header")
        << List::Batch << corporate << QStringList{u"2024年1月付款"_s, BatchHeader} << 2
        << u"付款人名称=A 付款人账号=B 收款人名称=C 收款人账号/卡号=D "
           u"收款开户行/行号=E 金额=F 支付方式=G 备注=H"_s;
    QTest::newRow("both parties, corporate") << List::Batch << corporate << QStringList{bothParties} << 1
                                             << u"付款人名称=A 付款人账号=B 收款人名称=C 收款人账号/卡号=D "
                                                u"收款开户行/行号=E 金额=F 支付方式=G 备注=H"_s;
    QTest::newRow("both parties, personal: never the payer's columns")
        << List::Batch << personal << QStringList{bothParties} << 1
        << u"收款人名称=C 收款人账号/卡号=D 收款开户行/行号=E 金额=F 备注=H"_s;
    QTest::newRow("both parties, payroll") << List::Payroll << corporate << QStringList{bothParties} << 1
                                           << u"收款人名称=C 收款人账号=D 金额=F 备注=H"_s;
    QTest::newRow("payer words, personal") << List::Batch << personal << QStringList{payerWords} << 1
                                           << u"收款人名称=C 收款人账号/卡号=D 收款开户行/行号=E 金额=F"_s;
    QTest::newRow("payer words, corporate")
        << List::Batch << corporate << QStringList{payerWords} << 1
        << u"付款人名称=A 付款人账号=B 收款人名称=C 收款人账号/卡号=D 收款开户行/行号=E 金额=F"_s;
    QTest::newRow("payer words, payroll: no beneficiary's account rather than the payer's")
        << List::Payroll << corporate << QStringList{u"付款单位,付款账号,姓名,金额"_s} << 1
        << u"收款人名称=C 金额=D"_s;
    QTest::newRow("a whole name wins over a word in a name")
        << List::Payroll << corporate << QStringList{u"应发工资,实发工资,工资卡号,姓名"_s} << 1
        << u"收款人名称=D 收款人账号=C 金额=B"_s;
    QTest::newRow("payroll words") << List::Payroll << corporate
                                   << QStringList{u"序号,姓名,工资卡号,实发工资,摘要"_s} << 1
                                   << u"收款人名称=B 收款人账号=C 金额=D 备注=E"_s;
    QTest::newRow("a branch before the account its name holds")
        << List::BeneRoster << corporate << QStringList{u"收款人,收款人银行账号,收款账号开户行,用途"_s} << 1
        << u"收款人名称=A 收款人账号/卡号=B 收款开户行/行号=C 备注=D"_s;
    QTest::newRow("beneficiaries: not the payer's branch")
        << List::BeneRoster << personal << QStringList{u"付款人开户行,户名,账号"_s} << 1
        << u"收款人名称=B 收款人账号/卡号=C"_s;
    QTest::newRow("a payer roster takes any name and account")
        << List::PayerRoster << corporate << QStringList{u"户名,账号"_s} << 1
        << u"付款人名称=A 付款人账号=B"_s;
    QTest::newRow("a payer roster never the beneficiary's")
        << List::PayerRoster << corporate << QStringList{u"收款人名称,收款人账号,付款人名称,付款人账号"_s}
        << 1 << u"付款人名称=C 付款人账号=D"_s;
    QTest::newRow("data from the first row: no header")
        << List::Payroll << corporate << QStringList{u"张三,6222020200112233,100"_s, u"姓名,账号,金额"_s} << 1
        << QString();
    QTest::newRow("one known word is no header")
        << List::Payroll << corporate << QStringList{u"Name,账号,Amount"_s} << 1 << QString();
}

void tst_SheetImport::guess_findsTheHeaderRowAndItsColumns()
{
    QFETCH(List, list);
    QFETCH(Edition, edition);
    QFETCH(QStringList, lines);
    QFETCH(int, firstRow);
    QFETCH(QString, columns);
    const QList<SheetFieldEntry> fields = sheetFieldsOf(list, edition);
    const SheetMapping mapping = guessMapping(fields, csv(lines).firstRows(0, 20));
    QCOMPARE(mapping.firstRow, firstRow);
    QCOMPARE(mapping.firstRowIsHeader, !columns.isEmpty());
    QCOMPARE(columnsOf(mapping, fields), columns);
}

void tst_SheetImport::workbook_comesInDigitForDigit()
{
    Workspace &ws = open();
    Result<Spreadsheet> book = Spreadsheet::open(QStringLiteral(LGBATCH_TEST_DATA_DIR "/sheets/batch.xlsx"));
    QVERIFY2(book.ok(), qPrintable(book.error()));
    SheetImportCheck checked = check(List::Batch, book.value());
    QCOMPARE(checked.failures, QList<SheetFailure>());
    QCOMPARE(checked.outcome, SheetImportCheck::Outcome::Ready);
    addCheckedRows(ws, List::Batch, std::move(checked.rows), false);

    const QString payer = u"澜港贸易有限公司"_s;
    const QString account = u"123456789012345"_s;
    const QList<QStringList> expected{
        {payer, account, u"张三"_s, u"6222020200112233"_s, u"澜港银行"_s, u"12,345.60"_s, u"非加急"_s,
         u"货款"_s},
        {payer, account, u"李四"_s, u"6217000010012345678"_s, u"中国工商银行北京市分行营业部"_s,
         u"25,000.00"_s, u"加急"_s, u"2024-01-05"_s},
        {payer, account, u"王五"_s, u"6217000010099998888"_s, u"中国建设银行北京市分行"_s, u"12,345.60"_s,
         u"非加急"_s, u"备注含逗号, \"引号\""_s}};
    BatchListModel &list = ws.batchList();
    QCOMPARE(list.count(), 3);
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(list.rowTexts(row), expected[row - 1]);
    QCOMPARE(totalOfAmountColumn(list, list.amountColumn(), Amount::ceiling()).total.toDisplayText(),
             u"49,691.20"_s);
    QVERIFY(list.isChanged());
}

void tst_SheetImport::unreadableCells_failTheirRows()
{
    Workspace &ws = open();
    Result<Spreadsheet> cells = Spreadsheet::open(QStringLiteral(LGBATCH_TEST_DATA_DIR "/sheets/cells.xlsx"));
    QVERIFY2(cells.ok(), qPrintable(cells.error()));
    SheetMapping mapping;
    mapping.column(SheetField::BeneName) = 0;
    mapping.column(SheetField::BeneAccount) = 13; // a card number in a number cell
    const SheetImportCheck checked =
        checkSheetRows(ws, cells.value(), {List::PayrollRoster, 0, mapping, false});
    QCOMPARE(checked.outcome, SheetImportCheck::Outcome::Refused);
    QCOMPARE(checked.failures,
             (QList<SheetFailure>{
                 {1, u"N"_s, u"数字超过15位，Excel只保存数字的前15位，请把该列设为文本后重新填写"_s},
                 {3, u"N"_s, u"收款人账号/卡号错误，必须为本行账号/卡号！"_s}}));
}

void tst_SheetImport::rows_passTheRulesOfTheirListsAdd_data()
{
    QTest::addColumn<List>("list");
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QStringList>("lines"); // the header, then the rows
    QTest::addColumn<QStringList>("added"); // the last row's cells in the list, when every row passes
    QTest::addColumn<QString>("failure");   // else "row|column|message" of the first failure

    const auto batch = [](const QString &row) { return QStringList{BatchHeader, PayerCells + row}; };
    const Edition corporate = Edition::Corporate;
    QTest::newRow("own bank, mode by the 20,000 rule")
        << List::Batch << corporate << batch(u"张三,6222020200112233,澜港银行,\"20,000.01\",,"_s)
        << QStringList{u"澜港贸易"_s, u"123456789012345"_s, u"张三"_s, u"6222020200112233"_s,
                       u"澜港银行"_s, u"20,000.01"_s,       u"加急"_s, QString()}
        << QString();
    QTest::newRow("a branch by its code, mode 1")
        << List::Batch << corporate << batch(u" 李四 ,6217001,102100000022,100,1,房租"_s)
        << QStringList{u"澜港贸易"_s,
                       u"123456789012345"_s,
                       u"李四"_s,
                       u"6217001"_s,
                       u"中国工商银行北京市朝阳支行"_s,
                       u"100.00"_s,
                       u"加急"_s,
                       u"房租"_s}
        << QString();
    QTest::newRow("no payer name") << List::Batch << corporate
                                   << QStringList{BatchHeader, u",123456789012345,张三,1,澜港银行,1,,"_s}
                                   << QStringList() << u"2|A（付款人名称）|付款人名称错误！"_s;
    QTest::newRow("payer account's check digit")
        << List::Batch << corporate
        << QStringList{BatchHeader, u"澜港贸易,123456789012347,张三,6222020200112233,澜港银行,1,,"_s}
        << QStringList() << u"2|B（付款人账号）|付款人账号错误！"_s;
    QTest::newRow("own-bank account's check digit")
        << List::Batch << corporate << batch(u"张三,123456789012347,澜港银行,1,,"_s) << QStringList()
        << u"2|D（账号）|收款人账号/卡号错误，必须为本行账号/卡号！"_s;
    QTest::newRow("a branch not in the table")
        << List::Batch << corporate << batch(u"张三,1,中国工商银行北京市朝阳 支行,1,,"_s) << QStringList()
        << u"2|E（开户行）|收款开户行不存在！"_s;
    QTest::newRow("a code not in the table")
        << List::Batch << corporate << batch(u"张三,1,102100999999,1,,"_s) << QStringList()
        << u"2|E（开户行）|收款开户行不存在！"_s;
    QTest::newRow("no branch") << List::Batch << corporate << batch(u"张三,1,,1,,"_s) << QStringList()
                               << u"2|E（开户行）|收款账号开户行错误！"_s;
    QTest::newRow("an amount that is no number")
        << List::Batch << corporate << batch(u"张三,1,中国工商银行北京市朝阳支行,一百,,"_s) << QStringList()
        << u"2|F（金额）|金额错误！"_s;
    QTest::newRow("an amount that shows as 0.00")
        << List::Batch << corporate << batch(u"张三,6222020200112233,澜港银行,0.004,,"_s) << QStringList()
        << u"2|F（金额）|金额错误！"_s;
    QTest::newRow("above the single-amount ceiling")
        << List::Batch << corporate << batch(u"张三,6222020200112233,澜港银行,100000000.01,加急,"_s)
        << QStringList() << u"2|F（金额）|单笔金额金额不允许超出 100,000,000.00！"_s;
    QTest::newRow("非加急 above 20,000")
        << List::Batch << corporate << batch(u"张三,6222020200112233,澜港银行,20000.01,非加急,"_s)
        << QStringList() << u"2|F（金额）|金额大于2万必须选择【加急】支付方式！"_s;
    QTest::newRow("a mode of no kind")
        << List::Batch << corporate << batch(u"张三,6222020200112233,澜港银行,1,普通,"_s) << QStringList()
        << u"2|G（加急）|支付方式错误！"_s;
    QTest::newRow("a remark of 51 characters")
        << List::Batch << corporate << batch(u"张三,6222020200112233,澜港银行,1,,"_s + QString(51, u'字'))
        << QStringList() << u"2|H（备注）|备注不能超过50个字！"_s;
    QTest::newRow("a remark the file cannot carry")
        << List::Batch << corporate << batch(u"张三,6222020200112233,澜港银行,1,,a|b"_s) << QStringList()
        << u"2|H（备注）|备注不能含有字符“|”！"_s;
    QTest::newRow("an account in scientific notation")
        << List::Batch << corporate << batch(u"张三,6.22202E+15,中国工商银行北京市朝阳支行,1,,"_s)
        << QStringList()
        << u"2|D（账号）|账号“6.22202E+15”是科学计数法，末几位已丢失，请在表格中把账号设为文本后重新填写！"_s;
    QTest::newRow("personal: mode by the 50,000 rule, no payer")
        << List::Batch << Edition::Personal
        << QStringList{u"户名,账号,开户行,金额"_s, u"王五,1,中国建设银行北京市分行,50000.01"_s}
        << QStringList{u"王五"_s, u"1"_s, u"中国建设银行北京市分行"_s, u"50,000.01"_s, u"加急"_s, QString()}
        << QString();
    QTest::newRow("payroll: own bank only")
        << List::Payroll << corporate << QStringList{u"姓名,卡号,金额"_s, u"赵六,6217001,1"_s}
        << QStringList() << u"2|B（卡号）|收款人账号/卡号错误，必须为本行账号/卡号！"_s;
    QTest::newRow("payroll: a name the file cannot carry")
        << List::Payroll << corporate
        << QStringList{u"姓名,卡号,金额"_s, u"\"赵\"\"六\",6222020200112233,1"_s} << QStringList()
        << u"2|A（姓名）|收款人名称不能含有字符“\"”！"_s;
    QTest::newRow("beneficiaries: one already in the roster")
        << List::BeneRoster << corporate
        << QStringList{u"户名,账号,开户行,备注"_s, u"老收款人,6222020200112233,澜港银行,"_s} << QStringList()
        << u"2|B（账号）|收款人账号已存在！"_s;
    QTest::newRow("beneficiaries: the same name and account with another remark")
        << List::BeneRoster << corporate
        << QStringList{u"户名,账号,开户行,备注"_s, u"老收款人,6222020200112233,澜港银行,房租"_s}
        << QStringList{u"老收款人"_s, u"6222020200112233"_s, u"澜港银行"_s, u"房租"_s} << QString();
    QTest::newRow("payers: no card numbers")
        << List::PayerRoster << corporate << QStringList{u"户名,账号"_s, u"澜港贸易,6222020200112233"_s}
        << QStringList() << u"2|B（账号）|付款人账号错误！"_s;
    QTest::newRow("payroll roster: twice in the sheet")
        << List::PayrollRoster << corporate
        << QStringList{u"户名,账号"_s, u"赵六,6222020200112233"_s, u"赵六,6222020200112233"_s}
        << QStringList() << u"3|B（账号）|收款人账号已存在！"_s;
}

void tst_SheetImport::rows_passTheRulesOfTheirListsAdd()
{
    QFETCH(List, list);
    QFETCH(Edition, edition);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, added);
    QFETCH(QString, failure);
    Workspace &ws = open(edition);
    // The roster already knows this beneficiary under no remark.
    ws.beneRoster().AddBeneficiary({u"老收款人"_s, u"6222020200112233"_s, u"澜港银行"_s, {}, {}});

    SheetImportCheck checked = check(list, csv(lines));

    if (failure.isEmpty()) {
        QCOMPARE(checked.failures, QList<SheetFailure>());
        QCOMPARE(checked.rows.last().texts, added);
        return;
    }
    QCOMPARE(checked.outcome, SheetImportCheck::Outcome::Refused);
    QVERIFY(checked.rows.isEmpty());
    const SheetFailure &first = checked.failures.first();
    QCOMPARE(QStringList({QString::number(first.row), first.column, first.message}).join(u'|'), failure);
}

void tst_SheetImport::repeats_ofTheListOrTheSheetAreAskedAboutOnce_data()
{
    QTest::addColumn<List>("list");
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QStringList>("rows"); // under the header 户名,账号,开户行,金额
    QTest::addColumn<QString>("question"); // empty: none

    const QString paid = u"张三,6222020200112233,澜港银行,5"_s; // the list's row 1 pays this
    const QString twice = u"李四,6222020200112233,澜港银行,7"_s;
    QTest::newRow("batch: the list's payment and a row twice")
        << List::Batch << false << QStringList{paid, twice, twice}
        << u"表格中有重复的付款：表格第2行与列表第1行、表格第4行与表格第3行……确定导入吗？"_s;
    QTest::newRow("batch, overwriting: only the sheet's own")
        << List::Batch << true << QStringList{paid, twice, twice}
        << u"表格中有重复的付款：表格第4行与表格第3行……确定导入吗？"_s;
    QTest::newRow("batch: another amount is another payment")
        << List::Batch << false << QStringList{u"张三,6222020200112233,澜港银行,5.01"_s} << QString();
    QTest::newRow("payroll: the same account at any amount")
        << List::Payroll << false << QStringList{u"赵六,6222020200112233,,9"_s}
        << u"表格中有重复的付款：表格第2行与列表第1行……确定导入吗？"_s;
    QTest::newRow("five named, the rest counted")
        << List::Batch << true << QStringList(7, twice)
        << u"表格中有重复的付款：表格第3行与表格第2行、表格第4行与表格第2行、表格第5行与表格第2行、"
           u"表格第6行与表格第2行、表格第7行与表格第2行等共6处……确定导入吗？"_s;
}

void tst_SheetImport::repeats_ofTheListOrTheSheetAreAskedAboutOnce()
{
    QFETCH(List, list);
    QFETCH(bool, clearFirst);
    QFETCH(QStringList, rows);
    QFETCH(QString, question);
    Workspace &ws = open(Edition::Personal);
    ws.batchList().appendRow({u"张三"_s, u"6222020200112233"_s, u"澜港银行"_s, u"5.00"_s, u"非加急"_s, {}});
    ws.payrollList().appendRow({u"赵六"_s, u"6222020200112233"_s, u"澜港银行"_s, u"1.00"_s, {}});

    const SheetImportCheck checked =
        check(list, csv(QStringList{u"户名,账号,开户行,金额"_s} + rows), clearFirst);

    QCOMPARE(checked.outcome, SheetImportCheck::Outcome::Ready);
    QCOMPARE(checked.repeats.isEmpty() ? QString() : repeatQuestion(checked.repeats), question);
}

void tst_SheetImport::sheet_comesInWholeOrNotAtAll_data()
{
    QTest::addColumn<int>("rowsKept");   // rows in the list before
    QTest::addColumn<int>("badRow");     // the sheet row that fails, 0: none
    QTest::addColumn<QString>("amount"); // of every row
    QTest::addColumn<int>("cancelAt");   // rows read when the user cancels, 0: never
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("rowsAfter");

    QTest::newRow("a good sheet of 1,000") << 1 << 0 << u"1,234.56"_s << 0 << QString() << 1001;
    QTest::newRow("one bad row among 1,000") << 1 << 501 << u"1.00"_s << 0 << u"501|金额错误！"_s << 1;
    QTest::newRow("cancelled") << 1 << 0 << u"1.00"_s << 512 << QString() << 1;
    QTest::newRow("the batch total above the ceiling")
        << 1 << 0 << u"100,000.01"_s << 0 << u"1001|总金额金额不允许超出 100,000,000.00！"_s << 1;
    QTest::newRow("more rows than the list holds")
        << 31768 << 0 << u"1.00"_s << 0 << u"1001|列表最多只能有32767笔记录！"_s << 31768;
}

void tst_SheetImport::sheet_comesInWholeOrNotAtAll()
{
    QFETCH(int, rowsKept);
    QFETCH(int, badRow);
    QFETCH(QString, amount);
    QFETCH(int, cancelAt);
    QFETCH(QString, failure);
    QFETCH(int, rowsAfter);
    Workspace &ws = open();
    QList<RecordListModel::Row> kept(rowsKept,
                                     {{u"澜港贸易"_s, u"1"_s, u"张三"_s, u"1"_s, u"澜港银行"_s, u"0.01"_s}});
    ws.batchList().appendRows(kept);
    QStringList lines{BatchHeader};
    for (int row = 2; row <= 1001; ++row)
        lines.append(PayerCells + u"张三,6222020200112233,澜港银行,\""_s + (row == badRow ? u"x"_s : amount) +
                     u"\",加急,第"_s + QString::number(row) + u"行"_s);
    const SheetImportProgress progress = [cancelAt](int rowsRead, double fraction) {
        return !(fraction > 0 && fraction < 1 && cancelAt > 0 && rowsRead >= cancelAt);
    };

    SheetImportCheck checked = check(List::Batch, csv(lines), false, progress);

    if (cancelAt > 0)
        QCOMPARE(checked.outcome, SheetImportCheck::Outcome::Cancelled);
    if (!failure.isEmpty()) {
        QCOMPARE(checked.failures.size(), 1);
        QCOMPARE(QString::number(checked.failures[0].row) + u'|' + checked.failures[0].message, failure);
    }
    if (checked.outcome == SheetImportCheck::Outcome::Ready)
        addCheckedRows(ws, List::Batch, std::move(checked.rows), false);
    BatchListModel &list = ws.batchList();
    QCOMPARE(list.count(), rowsAfter);
    QCOMPARE(list.isChanged(), rowsAfter != rowsKept);
    if (rowsAfter == 1001) {
        QCOMPARE(list.rowTexts(1001).last(), u"第1001行"_s);
        QCOMPARE(totalOfAmountColumn(list, list.amountColumn(), Amount::ceiling()).total.toDisplayText(),
                 u"1,234,560.01"_s);
    }
}

void tst_SheetImport::memory_offersTheLastMappingOfTheSameHeader()
{
    Workspace &ws = open();
    const QList<SheetFieldEntry> fields = sheetFieldsOf(List::Payroll, Edition::Corporate);
    const QList<SheetRow> rows = csv({u"Name,Card,Pay"_s, u"赵六,6222020200112233,1"_s}).firstRows(0, 20);
    SheetMapping chosen;
    chosen.firstRowIsHeader = true;
    chosen.column(SheetField::BeneName) = 0;
    chosen.column(SheetField::BeneAccount) = 1;
    chosen.column(SheetField::Amount) = 2;
    SheetMappingMemory(ws).remember(List::Payroll, rows[0], chosen);

    // A title above the same header row, another day: the mapping comes back, read from the file.
    const QList<SheetRow> later = csv({u"三月工资"_s, u" Name ,Card,Pay"_s}).firstRows(0, 20);
    const SheetMapping offered = SheetMappingMemory(ws).initialMapping(List::Payroll, fields, later);
    QCOMPARE(offered.columns, chosen.columns);
    QCOMPARE(offered.firstRow, 2);
    QVERIFY(offered.firstRowIsHeader);
    QVERIFY(QFile::exists(ws.programFile(u"lgbatch.ini"_s)));
    // Another list, or another header, is guessed afresh.
    QCOMPARE(SheetMappingMemory(ws).initialMapping(List::PayrollRoster, fields, later),
             guessMapping(fields, later));
    const QList<SheetRow> other = csv({u"Name,Card,Amount"_s}).firstRows(0, 20);
    QCOMPARE(SheetMappingMemory(ws).initialMapping(List::Payroll, fields, other),
             guessMapping(fields, other));
    // A kept mapping that pays the payer is guessed afresh.
    const QList<SheetRow> payer = csv({u"付款人名称,付款人账号,姓名,卡号,金额"_s}).firstRows(0, 20);
    SheetMappingMemory(ws).remember(List::Payroll, payer[0], chosen);
    QCOMPARE(SheetMappingMemory(ws).initialMapping(List::Payroll, fields, payer),
             guessMapping(fields, payer));
}

QTEST_GUILESS_MAIN(tst_SheetImport)
#include "tst_sheetimport.moc"
