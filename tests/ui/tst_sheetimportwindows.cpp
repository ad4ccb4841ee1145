#include "UiFixture.h"

#include "ui/BatchPage.h"
#include "ui/SheetFailuresDialog.h"
#include "ui/SheetImportCommand.h"
#include "ui/SheetMappingDialog.h"
#include "ui/StatusPanels.h"

#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

using Answer = Prompter::Answer;

QString sheetFile(const QString &name)
{
    return QStringLiteral(LGBATCH_TEST_DATA_DIR "/sheets/") + name;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the import's windows as a test prepares them: the sheet picker picks `sheet`, the
// mapping dialog takes what it is offered (or cancels), and the check is cancelled once
// `cancelAtRows` rows are read.
class ScriptedSheetDialogs : public SheetImportDialogs
{
public:
    std::optional<int> sheet = 0;
    bool cancelMapping = false;
    int cancelAtRows = 0;
    QStringList sheetsOffered;
    std::optional<SheetMapping> offered;
    QList<SheetFailure> failures;

    std::optional<int> chooseSheet(const QStringList &names) override
    {
        sheetsOffered = names;
        return sheet;
    }
    std::optional<SheetMapping> chooseMapping(const SheetMappingRequest &request) override
    {
        offered = request.initial;
        return cancelMapping ? std::nullopt : std::optional<SheetMapping>(request.initial);
    }
    void showFailures(const QList<SheetFailure> &shown, const QString &) override { failures = shown; }
    bool showProgress(int rowsRead, double) override { return cancelAtRows == 0 || rowsRead < cancelAtRows; }
    void endProgress() override {}
};

Spreadsheet openSheet(const QString &path)
{
    Result<Spreadsheet> sheet = Spreadsheet::open(path);
    if (!sheet)
        qFatal("test sheet %s: %s", qUtf8Printable(path), qUtf8Printable(sheet.error()));
    return std::move(sheet).value();
}

} // namespace

class tst_SheetImportUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void mappingDialog_showsTheSheetAndItsGuess();
    void mappingDialog_splitsTextAgainOnAnotherSeparator();
    void command_addsEveryRowOrNone_data();
    void command_addsEveryRowOrNone();
    void failures_areSavedAsCsv();
    void progress_showsForLargeSheetsOnlyAndCancels();

private:
    Workspace &workspace() const { return m_fx->window->workspace(); }
    QString writeCsv(const QStringList &lines)
    {
        const QString name = u"sheet%1.csv"_s.arg(++m_files);
        writeFile(m_fx->dir.path(), name, gbkLines(lines));
        return m_fx->dir.filePath(name);
    }

    std::unique_ptr<UiFixture> m_fx;
    int m_files = 0;
};

void tst_SheetImportUi::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
    QVERIFY(m_fx->openMainWindow());
}

void tst_SheetImportUi::cleanup()
{
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
    QCOMPARE(m_fx->prompter.pendingAnswers(), 0);
    m_fx.reset();
}

void tst_SheetImportUi::mappingDialog_showsTheSheetAndItsGuess()
{
    Spreadsheet sheet = openSheet(sheetFile(u"batch.xlsx"_s));
    const QList<SheetFieldEntry> fields = sheetFieldsOf(Workspace::List::Batch, Edition::Corporate);
    SheetMappingRequest request{u"batch.xlsx"_s, Workspace::List::Batch, fields, &sheet, 0, {}};
    request.initial = guessMapping(fields, sheet.firstRows(0, 20));
    SheetMappingDialog dialog(m_fx->state, m_fx->prompter, request);

    QCOMPARE(dialog.preview()->rowCount(), 5);
    QCOMPARE(dialog.preview()->columnCount(), 8);
    QCOMPARE(dialog.preview()->item(4, 5)->text(), u"12345.6"_s);
    QCOMPARE(dialog.firstRowBox()->value(), 2);
    QVERIFY(dialog.headerBox()->isChecked());
    QCOMPARE(dialog.picker(SheetField::BeneName)->currentText(), u"C列：收款人户名"_s);
    QCOMPARE(dialog.picker(SheetField::Remark)->currentText(), u"H列：用途"_s);
    QVERIFY(dialog.separatorPicker() == nullptr);
    QVERIFY(!dialog.wholeSheetText(SheetField::PayerName)->isEnabled());

    // Without a header the columns go by their letters; a required field left out is refused.
    dialog.headerBox()->setChecked(false);
    QCOMPARE(dialog.picker(SheetField::BeneName)->currentText(), u"C列"_s);
    dialog.picker(SheetField::Amount)->setCurrentIndex(0);
    dialog.accept();
    QCOMPARE(m_fx->prompter.texts(), QStringList{u"请选择“金额”所在的列！"_s});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    // The payer may be given for the whole sheet instead of a column.
    dialog.picker(SheetField::Amount)->setCurrentIndex(6);
    dialog.picker(SheetField::PayerName)->setCurrentIndex(0);
    QVERIFY(dialog.wholeSheetText(SheetField::PayerName)->isEnabled());
    dialog.wholeSheetText(SheetField::PayerName)->setText(u"澜港贸易"_s);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const SheetMapping chosen = dialog.mapping();
    QCOMPARE(chosen.column(SheetField::PayerName), -1);
    QCOMPARE(chosen.fixedText(SheetField::PayerName), u"澜港贸易"_s);
    QCOMPARE(chosen.column(SheetField::Amount), 5);
    QVERIFY(!chosen.firstRowIsHeader);
}

void tst_SheetImportUi::mappingDialog_splitsTextAgainOnAnotherSeparator()
{
    Spreadsheet sheet = openSheet(writeCsv({u"户名;账号;金额"_s, u"张三;6222020200112233;1,5"_s}));
    const QList<SheetFieldEntry> fields = sheetFieldsOf(Workspace::List::Payroll, Edition::Corporate);
    SheetMappingRequest request{u"a.csv"_s, Workspace::List::Payroll, fields, &sheet, 0, {}};
    request.initial = guessMapping(fields, sheet.firstRows(0, 20));
    SheetMappingDialog dialog(m_fx->state, m_fx->prompter, request);
    QCOMPARE(dialog.separatorPicker()->currentText(), u"分号"_s);
    QCOMPARE(dialog.mapping().column(SheetField::Amount), 2);

    QVERIFY(pick(dialog.separatorPicker(), u"逗号"_s));
    QCOMPARE(sheet.separator(), QLatin1Char(','));
    QCOMPARE(dialog.preview()->columnCount(), 2);
    QCOMPARE(dialog.mapping().column(SheetField::Amount), -1);
    QVERIFY(pick(dialog.separatorPicker(), u"分号"_s));
    QCOMPARE(dialog.mapping().column(SheetField::BeneAccount), 1);
}

void tst_SheetImportUi::command_addsEveryRowOrNone_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("answer");    // to the incremental-or-overwrite question
    QTest::addColumn<QStringList>("lines"); // a CSV to import, or one line naming a test workbook
    QTest::addColumn<QString>("script"); // "cancel mapping", "cancel at 2100", "repeats 是/否", or nothing
    QTest::addColumn<QStringList>("messages"); // after the question
    QTest::addColumn<int>("rows");             // in the list afterwards (it starts with one)
    QTest::addColumn<int>("failures");         // rows shown in the result table

    const QStringList payroll{u"姓名,卡号,实发工资"_s, u"赵六,6222020200112233,\"1,000.50\""_s};
    QTest::newRow("a workbook of two sheets, appended")
        << 0 << u"是"_s << QStringList{u"batch.xlsx"_s} << QString()
        << QStringList{u"已从表格导入3条记录。"_s} << 4 << 0;
    QTest::newRow("payroll, overwriting")
        << 1 << u"否"_s << payroll << QString() << QStringList{u"已从表格导入1条记录。"_s} << 1 << 0;
    QTest::newRow("a payer roster, overwriting")
        << 3 << u"否"_s
        << QStringList{u"户名,账号"_s, u"新付款人,123456789012345"_s, u"另一付款人,123456789012345"_s}
        << QString() << QStringList{u"已从表格导入2条记录。"_s} << 2 << 0;
    const QString repeated = u"表格中有重复的付款：表格第3行与表格第2行……确定导入吗？"_s;
    QTest::newRow("a repeated payment, 是: all added")
        << 1 << u"是"_s << (payroll + payroll.mid(1)) << u"repeats 是"_s
        << QStringList{repeated, u"已从表格导入2条记录。"_s} << 3 << 0;
    QTest::newRow("a repeated payment, 否: nothing added")
        << 1 << u"是"_s << (payroll + payroll.mid(1)) << u"repeats 否"_s << QStringList{repeated} << 1 << 0;
    QTest::newRow("one bad row: nothing added")
        << 1 << u"否"_s << (payroll + QStringList{u"钱七,6217001,1"_s}) << QString() << QStringList() << 1
        << 1;
    QTest::newRow("cancelled at the question")
        << 1 << u"取"_s << payroll << QString() << QStringList() << 1 << 0;
    QTest::newRow("cancelled in the mapping")
        << 1 << u"是"_s << payroll << u"cancel mapping"_s << QStringList() << 1 << 0;
    QTest::newRow("cancelled while checking")
        << 1 << u"否"_s << QStringList() << u"cancel at 2100"_s << QStringList() << 1 << 0;
    QTest::newRow("a sheet that cannot be read to its end")
        << 1 << u"否"_s << QStringList{u"姓名,卡号,实发工资"_s, u"\"赵六,1,1"_s} << QString()
        << QStringList{u"【第2行第A列的引号没有结束】"_s} << 1 << 0;
    QTest::newRow("nothing under the header")
        << 1 << u"否"_s << QStringList{u"姓名,卡号,实发工资"_s} << QString()
        << QStringList{u"表格中没有可导入的记录！"_s} << 1 << 0;
}

void tst_SheetImportUi::command_addsEveryRowOrNone()
{
    QFETCH(int, tab);
    QFETCH(QString, answer);
    QFETCH(QStringList, lines);
    QFETCH(QString, script);
    QFETCH(QStringList, messages);
    QFETCH(int, rows);
    QFETCH(int, failures);
    Workspace &ws = workspace();
    RecordListModel &list = ws.list(Workspace::AllLists[tab]);
    list.appendRow({u"已有"_s, u"123456789012345"_s, u"澜港银行"_s, u"0.01"_s, u"0.01"_s, u"0.01"_s});
    if (lines.isEmpty()) {
        for (int row = 0; row < 2100; ++row)
            lines.append(u"赵六,6222020200112233,1"_s);
    }
    const QString file =
        lines.size() == 1 && lines[0].endsWith(u".xlsx"_s) ? sheetFile(lines[0]) : writeCsv(lines);
    ScriptedSheetDialogs dialogs;
    dialogs.cancelMapping = script == u"cancel mapping"_s;
    dialogs.cancelAtRows = script == u"cancel at 2100"_s ? 2048 : 0;
    m_fx->window->findChild<SheetImportCommand *>()->setDialogs(&dialogs);
    m_fx->window->tabInput()->setCurrentIndex(tab);
    m_fx->prompter.answerNext(answer == u"是"_s   ? Answer::Yes
                              : answer == u"否"_s ? Answer::No
                                                  : Answer::Cancel);
    if (answer != u"取"_s)
        m_fx->fileChooser.answerNext(file);
    if (script.startsWith(u"repeats"_s))
        m_fx->prompter.answerNext(script.endsWith(u"是"_s) ? Answer::Yes : Answer::No);

    m_fx->window->findChild<QAction *>(u"FromSpreadsheet"_s)->trigger();

    QCOMPARE(m_fx->prompter.texts().mid(1), messages);
    QCOMPARE(list.count(), rows);
    QCOMPARE(dialogs.failures.size(), failures);
    QCOMPARE(list.isChanged(), !messages.isEmpty() && messages.last().startsWith(u"已从表格导入"_s));
    if (tab == 0 && rows == 4) {
        QCOMPARE(dialogs.sheetsOffered, (QStringList{u"批量付款"_s, u"说明"_s}));
        QCOMPARE(m_fx->window->StatusBar()->countText(), u"4"_s);
        QCOMPARE(m_fx->window->StatusBar()->totalText(), u"49,691.21"_s);
        QVERIFY(QFile::exists(ws.programFile(u"lgbatch.ini"_s)));
    }
    if (tab == 1 && rows == 1 && failures == 0 && messages.size() == 1 && messages[0].startsWith(u"已"_s))
        QCOMPARE(m_fx->window->StatusBar()->totalText(), u"1,000.50"_s);
    if (tab == 3)
        QCOMPARE(itemTexts(control<QComboBox>(m_fx->window->frameInput(), u"cbPayerName"_s)),
                 (QStringList{u"新付款人"_s, u"另一付款人"_s}));
    if (failures > 0)
        QCOMPARE(dialogs.failures[0].message, u"收款人账号/卡号错误，必须为本行账号/卡号！"_s);
}

void tst_SheetImportUi::failures_areSavedAsCsv()
{
    SheetFailuresDialog dialog(
        m_fx->services,
        {{3, u"C（开户行）"_s, u"收款开户行不存在！"_s}, {7, u"付款人名称"_s, u"备注含有\"引号\", 和逗号"_s}},
        u"/tmp/工资.xlsx"_s);
    QCOMPARE(dialog.table()->model()->rowCount(), 2);
    const QString target = m_fx->dir.filePath(u"result.csv"_s);
    m_fx->fileChooser.answerNext(target);
    dialog.findChild<QPushButton *>(u"cmdSaveFailures"_s)->click();
    QCOMPARE(bytesOf(target), bytesOf(sheetFile(u"failures.csv"_s)));
    QCOMPARE(m_fx->prompter.texts(), QStringList{u"保存完毕！"_s});
    // Cancelling the dialog writes nothing.
    dialog.findChild<QPushButton *>(u"cmdSaveFailures"_s)->click();
    QCOMPARE(m_fx->prompter.texts().size(), 1);
}

void tst_SheetImportUi::progress_showsForLargeSheetsOnlyAndCancels()
{
    const auto shown = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto found = std::find_if(windows.cbegin(), windows.cend(),
                                        [](QWidget *w) { return w->objectName() == u"frmSheetProgress"_s; });
        return found == windows.cend() ? nullptr : qobject_cast<QProgressDialog *>(*found);
    };
    QtSheetImportDialogs dialogs(m_fx->services);
    QVERIFY(dialogs.showProgress(QtSheetImportDialogs::ProgressRowThreshold, 0.5));
    QVERIFY(!shown());
    QVERIFY(dialogs.showProgress(2048, 0.5));
    QVERIFY(shown());
    QCOMPARE(shown()->value(), 500);
    shown()->cancel();
    QVERIFY(!dialogs.showProgress(2304, 0.6));
    dialogs.endProgress();
    QVERIFY(!shown());
}

QTEST_MAIN(tst_SheetImportUi)
#include "tst_sheetimportwindows.moc"
