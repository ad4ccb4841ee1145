#include "files/CsvSheet.h"
#include "files/SheetFailureReport.h"
#include "files/Spreadsheet.h"
#include "files/XlsxWorkbook.h"

#include "TableFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

QString sheetFile(const QString &name)
{
    return QStringLiteral(LGBATCH_TEST_DATA_DIR "/sheets/") + name;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ReadBack
{
    QList<QStringList> rows;
    QList<int> numbers;
    QString error;
};

ReadBack readAll(const Spreadsheet &sheet, int index = 0)
{
    ReadBack back;
    const std::unique_ptr<SheetReader> reader = sheet.rows(index);
    for (SheetRow row; reader->next(row);) {
        back.rows.append(row.cells);
        back.numbers.append(row.number);
    }
    if (reader->error())
        back.error = reader->error()->text;
    return back;
}

QByteArray utf16le(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return bytes;
}

} // namespace

class tst_Spreadsheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csv_readsTextAsASpreadsheetWroteIt_data();
    void csv_readsTextAsASpreadsheetWroteIt();
    void xlsx_readsEveryKindOfCell();
    void xlsx_listsItsSheetsAndReadsTheOneChosen();
    void refusesWhatIsNotTheSpreadsheetItClaims_data();
    void refusesWhatIsNotTheSpreadsheetItClaims();
    void numbersAndDates_readAsTheSpreadsheetShowsThem_data();
    void numbersAndDates_readAsTheSpreadsheetShowsThem();
    void failureReport_isTheGoldenCsv();
};

void tst_Spreadsheet::csv_readsTextAsASpreadsheetWroteIt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QString>("error");

    const QList<QStringList> names{{u"姓名"_s, u"账号"_s}, {u"张三"_s, u"123"_s}};
    QTest::newRow("GBK, commas") << testing::gbkLines({u"姓名,账号"_s, u"张三,123"_s}) << u"GBK"_s
                                 << u"逗号"_s << names << QString();
    QTest::newRow("UTF-8, tabs") << u"姓名\t账号\n张三\t123\n"_s.toUtf8() << u"UTF-8"_s << u"制表符"_s
                                 << names << QString();
    QTest::newRow("UTF-8 with BOM, semicolons")
        << QByteArray("\xEF\xBB\xBF") + u"姓名;账号\r\n张三;123"_s.toUtf8() << u"UTF-8（带BOM）"_s
        << u"分号"_s << names << QString();
    QTest::newRow("Excel's Unicode text")
        << utf16le(u"姓名\t账号\r\n张三\t123\r\n"_s) << u"UTF-16"_s << u"制表符"_s << names << QString();
    QTest::newRow("ASCII is read as GBK")
        << QByteArray("a,b\r\n1,2\r\n") << u"GBK"_s << u"逗号"_s
        << QList<QStringList>{{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}} << QString();
    QTest::newRow("quotes: separators, line breaks, doubled quotes, an empty last value")
        << testing::gbkLines({u"a,\"b,c\",\"d"_s, u"e\",\"f\"\"g\","_s, u"x\"y,,"_s}) << u"GBK"_s << u"逗号"_s
        << QList<QStringList>{{u"a"_s, u"b,c"_s, u"d\r\ne"_s, u"f\"g"_s, QString()},
                              {u"x\"y"_s, QString(), QString()}}
        << QString();
    QTest::newRow("bare CR and LF end records; a blank line is a row")
        << QByteArray("a;b\rc;d\n\ne;f") << u"GBK"_s << u"分号"_s
        << QList<QStringList>{{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}, {QString()}, {u"e"_s, u"f"_s}} << QString();
    QTest::newRow("a quote never closed")
        << QByteArray("a,b\r\nc,\"d\r\n") << u"GBK"_s << u"逗号"_s << QList<QStringList>{{u"a"_s, u"b"_s}}
        << u"第2行第B列的引号没有结束"_s;
    QTest::newRow("text after the closing quote")
        << QByteArray("\"a\"b,c\r\n") << u"GBK"_s << u"逗号"_s << QList<QStringList>()
        << u"第1行第A列的引号之后还有其它字符"_s;
    QTest::newRow("bytes GBK does not define") << QByteArray("a,\x81\x20") << QString() << QString()
                                               << QList<QStringList>() << u"文件含有无效的GBK字符"_s;
    QTest::newRow("a binary file") << QByteArray("a,b\0\0c", 6) << QString() << QString()
                                   << QList<QStringList>() << u"文件不是文本文件"_s;
    QTest::newRow("a workbook named .csv")
        << bytesOf(sheetFile(u"batch.xlsx"_s)) << QString() << QString() << QList<QStringList>()
        << u"文件不是文本文件（Excel文件请选择.xlsx格式导入）"_s;
}

void tst_Spreadsheet::csv_readsTextAsASpreadsheetWroteIt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QFETCH(QString, separator);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QString, error);

    Result<Spreadsheet> sheet = Spreadsheet::fromBytes(bytes, Spreadsheet::Format::Csv);
    if (encoding.isEmpty()) {
        QCOMPARE(sheet.error(), error);
        return;
    }
    QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
    QCOMPARE(TextEncoding::nameOf(sheet->encoding()), encoding);
    QCOMPARE(CsvSheet::separatorName(sheet->separator()), separator);
    const ReadBack back = readAll(sheet.value());
    QCOMPARE(back.rows, rows);
    QCOMPARE(back.error, error);
}

void tst_Spreadsheet::xlsx_readsEveryKindOfCell()
{
    Result<Spreadsheet> sheet = Spreadsheet::open(sheetFile(u"cells.xlsx"_s));
    QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
    QCOMPARE(sheet->sheetNames(), QStringList{u"cells"_s});
    const std::unique_ptr<SheetReader> reader = sheet->rows(0);
    SheetRow row;
    QVERIFY(reader->next(row));
    QCOMPARE(row.number, 1);
    const QStringList first{u"共享文字"_s,   u"富文本 "_s,
                            u"TRUE"_s,       QString(),
                            QString(),       u"12345.6"_s,
                            u"12345.6"_s,    u"0.3"_s,
                            u"2024-01-05"_s, u"2024-01-05 08:30:00"_s,
                            u"08:30:00"_s,   u"100000000000000000000"_s,
                            u"-3.5"_s,       u"6222020200112233"_s,
                            u"2024-02-29"_s, u"0.125"_s};
    QCOMPARE(row.cells, first);
    QCOMPARE(row.unreadable.keys(), (QList<int>{3, 4, 11, 13}));
    QCOMPARE(row.unreadable.value(13),
             u"数字超过15位，Excel只保存数字的前15位，请把该列设为文本后重新填写"_s);
    QCOMPARE(row.unreadable.value(3), u"单元格的值是错误值#N/A"_s);
    QCOMPARE(row.unreadable.value(4), u"公式没有保存计算结果，请在Excel中打开并保存后再导入"_s);
    // Row 2 is not in the file: the next row keeps its own number and its cells their columns.
    QVERIFY(reader->next(row));
    QCOMPARE(row.number, 3);
    QCOMPARE(row.cells, (QStringList{u"第三行"_s, QString(), QString(), u"稀疏"_s}));
    QVERIFY(!reader->next(row));
    QVERIFY(!reader->error());
    QCOMPARE(reader->progress(), 1.0);
}

void tst_Spreadsheet::xlsx_listsItsSheetsAndReadsTheOneChosen()
{
    Result<Spreadsheet> sheet = Spreadsheet::open(sheetFile(u"batch.xlsx"_s));
    QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
    QCOMPARE(sheet->sheetNames(), (QStringList{u"批量付款"_s, u"说明"_s}));
    QCOMPARE(readAll(sheet.value(), 1).rows, QList<QStringList>{{u"本表由财务部填写"_s}});
    const ReadBack payments = readAll(sheet.value(), 0);
    QCOMPARE(payments.numbers, (QList<int>{1, 2, 3, 4, 5}));
    // The merged title keeps its text in its first cell only.
    QCOMPARE(payments.rows[0], QStringList{u"2024年1月供应商付款"_s});
    QCOMPARE(payments.rows[3][2], u"李四"_s);
    QCOMPARE(payments.rows[4][7], u"备注含逗号, \"引号\""_s);
    QCOMPARE(sheet->firstRows(0, 2).size(), 2);
}

void tst_Spreadsheet::refusesWhatIsNotTheSpreadsheetItClaims_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    const QByteArray workbook = bytesOf(sheetFile(u"batch.xlsx"_s));
    QTest::newRow("encrypted, or an old .xls")
        << u"a.xlsx"_s << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1....")
        << u"表格文件已加密或是旧版Excel（.xls）文件，请在Excel中取消密码并另存为.xlsx文件再导入"_s;
    QTest::newRow("text named .xlsx")
        << u"a.xlsx"_s << QByteArray("a,b\r\n") << u"文件不是有效的.xlsx表格文件"_s;
    QTest::newRow("a cut-off workbook")
        << u"a.xlsx"_s << workbook.left(workbook.size() / 2) << u"文件不是有效的.xlsx表格文件"_s;
    QTest::newRow("another ending") << u"a.xls"_s << workbook << u"只能从CSV、TXT或XLSX表格文件导入"_s;
    QTest::newRow("larger than 50 MB") << u"big.csv"_s << QByteArray() << u"表格文件超过50MB，不能导入"_s;
}

void tst_Spreadsheet::refusesWhatIsNotTheSpreadsheetItClaims()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(testing::writeFile(dir.path(), name, bytes));
    // A file past the limit is refused by its size, before it is read: a sparse one will do.
    if (bytes.isEmpty())
        QVERIFY(QFile::resize(dir.filePath(name), Spreadsheet::SizeLimit + 1));
    QCOMPARE(Spreadsheet::open(dir.filePath(name)).error(), error);
}

void tst_Spreadsheet::numbersAndDates_readAsTheSpreadsheetShowsThem_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("date");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QString>("shown");

    QTest::newRow("binary rounding") << u"12345.599999999999"_s << false << false << u"12345.6"_s;
    QTest::newRow("an exponent") << u"6.2220202001122304E+15"_s << false << false << u"6222020200112230"_s;
    QTest::newRow("an integer, digit for digit")
        << u"62220202001122334455"_s << false << false << u"62220202001122334455"_s;
    QTest::newRow("negative zero") << u"-0.0"_s << false << false << u"0"_s;
    QTest::newRow("a short decimal as it stands") << u"-1895.0043"_s << false << false << u"-1895.0043"_s;
    QTest::newRow("a trailing zero") << u"1.50"_s << false << false << u"1.5"_s;
    QTest::newRow("a leading zero") << u"00.5"_s << false << false << u"0.5"_s;
    QTest::newRow("sixteen significant digits")
        << u"0.0001234567890123456"_s << false << false << u"0.000123456789012346"_s;
    QTest::newRow("not a number") << u"n/a"_s << false << false << u"n/a"_s;
    QTest::newRow("the last day before Excel's 1900-02-29") << u"59"_s << true << false << u"1900-02-28"_s;
    QTest::newRow("Excel's 1900-02-29") << u"60"_s << true << false << u"1900-02-29"_s;
    QTest::newRow("the day after it") << u"61"_s << true << false << u"1900-03-01"_s;
    QTest::newRow("a time just before midnight rounds to the next day")
        << u"45296.99999999"_s << true << false << u"2024-01-06"_s;
    QTest::newRow("the 1904 system") << u"1"_s << true << true << u"1904-01-02"_s;
}

void tst_Spreadsheet::numbersAndDates_readAsTheSpreadsheetShowsThem()
{
    QFETCH(QString, stored);
    QFETCH(bool, date);
    QFETCH(bool, date1904);
    QFETCH(QString, shown);
    QCOMPARE(date ? XlsxWorkbook::dateText(stored.toDouble(), date1904) : XlsxWorkbook::numberText(stored),
             shown);
}

void tst_Spreadsheet::failureReport_isTheGoldenCsv()
{
    const QList<SheetFailure> failures{{3, u"C（开户行）"_s, u"收款开户行不存在！"_s},
                                       {7, u"付款人名称"_s, u"备注含有\"引号\", 和逗号"_s}};
    const Result<QByteArray> bytes = encodeFailureReport(failures);
    QVERIFY2(bytes.ok(), qPrintable(bytes.error()));
    QCOMPARE(bytes.value(), bytesOf(sheetFile(u"failures.csv"_s)));
    QVERIFY(!encodeFailureReport({{1, u"A"_s, u"😀"_s}}).ok());
}

QTEST_GUILESS_MAIN(tst_Spreadsheet)
#include "tst_spreadsheet.moc"
