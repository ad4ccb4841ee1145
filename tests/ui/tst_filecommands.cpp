#include "UiFixture.h"

#include "ui/BatchPage.h"
#include "ui/FileCommands.h"
#include "ui/StatusPanels.h"

#include <QFile>
#include <QTabWidget>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

using Answer = Prompter::Answer;

const QString ImportQuestion = u"增量式导入【是】，覆盖式导入【否】？"_s;
const QString Saved = u"保存完毕！"_s;

QString golden(const QString &name)
{
    return QStringLiteral(LGBATCH_TEST_DATA_DIR) + u"/files/"_s + name;
}

Answer answerOf(QChar c)
{
    return c == u'是' ? Answer::Yes : c == u'否' ? Answer::No : Answer::Cancel;
}

} // namespace

class tst_FileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void import_readsTheListItsEndingNames_data();
    void import_readsTheListItsEndingNames();
    void save_writesOnlyWhatCanBeWritten_data();
    void save_writesOnlyWhatCanBeWritten();
    void exit_asksInOrderAndEndsOnlyWhenNothingIsLost_data();
    void exit_asksInOrderAndEndsOnlyWhenNothingIsLost();
    void new_clearsOnlyASavedList_data();
    void new_clearsOnlyASavedList();
    void update_replacesTheTableOnlyWhenSafe_data();
    void update_replacesTheTableOnlyWhenSafe();
    void activation_afterOwnQuestionsDoesNotCount();

private:
    FileCommands &commands() const { return *m_fx->window->fileCommands(); }
    Workspace &workspace() const { return m_fx->window->workspace(); }
    void addBatchRow(const QString &bank = u"澜港银行"_s)
    {
        BatchPayment payment;
        payment.BeneName = u"王五"_s;
        payment.BeneAccount = u"123456789012345"_s;
        payment.BankName = bank;
        payment.Amount = u"1.00"_s;
        payment.Emergency = u"非加急"_s;
        workspace().batchList().AddBatchRow(payment);
        workspace().batchList().setChanged(true);
    }

    std::unique_ptr<UiFixture> m_fx;
};

void tst_FileCommands::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
    QVERIFY(m_fx->openMainWindow());
}

void tst_FileCommands::cleanup()
{
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
    m_fx.reset();
}

void tst_FileCommands::import_readsTheListItsEndingNames_data()
{
    QTest::addColumn<QString>("answers"); // the import question's answer, then any after it
    QTest::addColumn<QString>("file");    // a golden file's name, or "-" for a cancelled dialog
    QTest::addColumn<QString>("list");    // the list that must change
    QTest::addColumn<int>("rows");        // its rows afterwards (it starts with one)
    QTest::addColumn<bool>("remembered"); // the batch file name is now that file's

    QTest::newRow("zpk, overwrite") << u"否"_s << u"batch_corporate.zpk"_s << u"batch"_s << 2 << true;
    QTest::newRow("zpk, incremental") << u"是"_s << u"batch_corporate.zpk"_s << u"batch"_s << 3 << true;
    QTest::newRow("bpt: never remembered") << u"否"_s << u"batch.bpt"_s << u"batch"_s << 2 << false;
    QTest::newRow("cancel at the question") << u"取"_s << u"-"_s << u"batch"_s << 1 << false;
    QTest::newRow("cancel at the dialog") << u"是"_s << u"-"_s << u"batch"_s << 1 << false;
    QTest::newRow("a roster file chosen elsewhere") << u"是"_s << u"payer.xml"_s << u"payer"_s << 3 << false;
    QTest::newRow("a roster, overwrite") << u"否"_s << u"bene.xml"_s << u"bene"_s << 3 << false;
    QTest::newRow("three characters: ignored") << u"否"_s << u"zpk"_s << u"batch"_s << 1 << false;
}

void tst_FileCommands::import_readsTheListItsEndingNames()
{
    QFETCH(QString, answers);
    QFETCH(QString, file);
    QFETCH(QString, list);
    QFETCH(int, rows);
    QFETCH(bool, remembered);
    addBatchRow();
    workspace().batchList().setChanged(false);
    AddPayer(workspace().payerRoster(), {u"老付款人"_s, u"123456789012345"_s});
    workspace().beneRoster().AddBeneficiary({u"老收款人"_s, u"1"_s, u"澜港银行"_s, {}, {}});
    for (QChar answer : answers)
        m_fx->prompter.answerNext(answerOf(answer));
    // A short name stands as it is; the others are the golden files.
    const QString path = file.size() <= 3 ? file : golden(file);
    if (file != u"-"_s)
        m_fx->fileChooser.answerNext(path);

    commands().cmdLoad_Click();

    RecordListModel &changed = list == u"batch"_s ? static_cast<RecordListModel &>(workspace().batchList())
                               : list == u"payer"_s
                                   ? static_cast<RecordListModel &>(workspace().payerRoster())
                                   : workspace().beneRoster();
    QCOMPARE(changed.count(), rows);
    QCOMPARE(m_fx->prompter.texts().value(0), ImportQuestion);
    QCOMPARE(workspace().CurrentBatchFileName, remembered ? path : QString());
    // Only rows read from another file than the program directory's leave the list unsaved.
    QCOMPARE(changed.isChanged(), list != u"batch"_s || file == u"batch.bpt"_s);
    if (list == u"batch"_s && rows > 1)
        QCOMPARE(m_fx->window->StatusBar()->countText(), QString::number(rows));
    if (answers == u"是"_s && file != u"-"_s)
        QCOMPARE(m_fx->fileChooser.asked().last().title, u"导入ZPK批量支付文件..."_s);
}

void tst_FileCommands::save_writesOnlyWhatCanBeWritten_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("setup");   // "rows", "known file", "red row", "empty name", "" (empty list)
    QTest::addColumn<QString>("dialog");  // the name the dialog answers, "-" cancelled, "" not asked
    QTest::addColumn<QString>("message"); // the last message shown
    QTest::addColumn<bool>("stillChanged");

    QTest::newRow("batch, empty list") << 0 << u""_s << u""_s << u"无记录保存！"_s << false;
    QTest::newRow("batch, first save asks") << 0 << u"rows"_s << u"batch.zpk"_s << Saved << false;
    QTest::newRow("batch, known file: no dialog") << 0 << u"known file"_s << u""_s << Saved << false;
    QTest::newRow("batch, dialog cancelled") << 0 << u"rows"_s << u"-"_s << QString() << true;
    QTest::newRow("batch, branch gone: no 保存完毕")
        << 0 << u"red row"_s << u"batch.zpk"_s << u"收款账号开户行不存在/已被删除，请重新选择！"_s << true;
    QTest::newRow("payroll, a row without a name")
        << 1 << u"empty name"_s << u""_s << u"保存ZPK代发工资文件失败！【收款人名称不得为空】"_s << true;
    QTest::newRow("roster: its own file, no dialog") << 3 << u"rows"_s << u""_s << Saved << false;
    QTest::newRow("roster, empty list") << 4 << u""_s << u""_s << u"无记录保存！"_s << false;
}

void tst_FileCommands::save_writesOnlyWhatCanBeWritten()
{
    QFETCH(int, tab);
    QFETCH(QString, setup);
    QFETCH(QString, dialog);
    QFETCH(QString, message);
    QFETCH(bool, stillChanged);
    RecordListModel &list = workspace().list(Workspace::AllLists[tab]);
    if (!setup.isEmpty()) {
        if (tab == 0)
            addBatchRow(setup == u"red row"_s ? u"已撤销支行"_s : u"澜港银行"_s);
        else if (tab == 1)
            workspace().payrollList().AddPayrollRow(
                {setup == u"empty name"_s ? QString() : u"李四"_s, u"6222020200112233"_s, u"1.00"_s, {}});
        else
            AddPayer(workspace().payerRoster(), {u"澜港贸易"_s, u"123456789012345"_s});
        list.setChanged(true);
    }
    if (setup == u"known file"_s)
        workspace().CurrentBatchFileName = m_fx->dir.filePath(u"known.zpk"_s);
    if (!dialog.isEmpty())
        m_fx->fileChooser.answerNext(dialog == u"-"_s ? std::nullopt
                                                      : std::optional<QString>(m_fx->dir.filePath(dialog)));
    m_fx->window->tabInput()->setCurrentIndex(tab);
    m_fx->prompter.clear();

    commands().Save_Click();

    QCOMPARE(m_fx->prompter.texts().value(m_fx->prompter.texts().size() - 1), message);
    QCOMPARE(m_fx->fileChooser.asked().size(), dialog.isEmpty() ? 0 : 1);
    QCOMPARE(list.isChanged(), stillChanged);
    if (message == Saved && tab == 0)
        QVERIFY(QFile::exists(workspace().CurrentBatchFileName));
}

void tst_FileCommands::exit_asksInOrderAndEndsOnlyWhenNothingIsLost_data()
{
    QTest::addColumn<QList<int>>("changed"); // tabs whose list is changed
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("ends");

    const QString batch = u"批量支付列表已经更新，需要保存吗？"_s;
    const QString payer = u"付款人名册已经更新，需要保存吗？"_s;
    const QString bene = u"收款人名册已经更新，需要保存吗？"_s;
    QTest::newRow("no changes: no question") << QList<int>() << u""_s << QStringList() << true;
    QTest::newRow("batch No, payer Cancel: keeps running")
        << QList<int>{3, 0} << u"否取"_s << QStringList{batch, payer} << false;
    QTest::newRow("No to every question ends")
        << QList<int>{2, 3} << u"否否"_s << QStringList{bene, payer} << true;
    QTest::newRow("a roster saved on 是, then ends")
        << QList<int>{3} << u"是"_s << QStringList{payer} << true;
    QTest::newRow("a save that fails keeps running")
        << QList<int>{0} << u"是"_s << QStringList{batch, u"收款账号开户行不存在/已被删除，请重新选择！"_s}
        << false;
}

void tst_FileCommands::exit_asksInOrderAndEndsOnlyWhenNothingIsLost()
{
    QFETCH(QList<int>, changed);
    QFETCH(QString, answers);
    QFETCH(QStringList, questions);
    QFETCH(bool, ends);
    for (int tab : changed) {
        if (tab == 0) {
            addBatchRow(u"已撤销支行"_s);
            workspace().CurrentBatchFileName = m_fx->dir.filePath(u"x.zpk"_s);
        }
        if (tab == 3)
            AddPayer(workspace().payerRoster(), {u"澜港贸易"_s, u"123456789012345"_s});
        workspace().list(Workspace::AllLists[tab]).setChanged(true);
    }
    for (QChar answer : answers)
        m_fx->prompter.answerNext(answerOf(answer));

    const bool ended = commands().ConfirmUnsavedChanges();

    QCOMPARE(ended, ends);
    QCOMPARE(m_fx->prompter.texts().mid(0, questions.size()), questions);
    if (answers == u"是"_s && changed == QList<int>{3})
        QVERIFY(QFile::exists(m_fx->dir.filePath(u"payer.xml"_s)));
}

void tst_FileCommands::new_clearsOnlyASavedList_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("saveFails");
    QTest::addColumn<int>("rowsLeft");

    QTest::newRow("是: saved, then a new list") << u"是"_s << false << 0;
    QTest::newRow("否: the list keeps its rows") << u"否"_s << false << 1;
    QTest::newRow("是, but the save fails: nothing lost") << u"是"_s << true << 1;
}

void tst_FileCommands::new_clearsOnlyASavedList()
{
    QFETCH(QString, answer);
    QFETCH(bool, saveFails);
    QFETCH(int, rowsLeft);
    addBatchRow(saveFails ? u"已撤销支行"_s : u"澜港银行"_s);
    const QString file = m_fx->dir.filePath(u"old.zpk"_s);
    workspace().CurrentBatchFileName = file;
    m_fx->window->batchPage()->RefreshBatchTotals();
    m_fx->prompter.answerNext(answerOf(answer[0]));

    commands().New_Click();

    QCOMPARE(workspace().batchList().count(), rowsLeft);
    QCOMPARE(m_fx->window->StatusBar()->countText(), QString::number(rowsLeft));
    // A new list never goes over the file of the one before.
    QCOMPARE(workspace().CurrentBatchFileName, rowsLeft == 0 ? QString() : file);
    QCOMPARE(workspace().batchList().isChanged(), rowsLeft != 0);
}

void tst_FileCommands::update_replacesTheTableOnlyWhenSafe_data()
{
    QTest::addColumn<QString>("picked"); // "current", "new", "-" cancelled
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("earlierBackup");
    QTest::addColumn<QString>("message");

    QTest::newRow("the table in use")
        << u"current"_s << u""_s << false << u"更新失败!【不允许更新使用中的文件】"_s;
    QTest::newRow("否 changes nothing") << u"new"_s << u"否"_s << false << u"确定更新支付系统行号表？"_s;
    QTest::newRow("updated") << u"new"_s << u"是"_s << false << u"支付系统行号表更新完成，请重新启动!"_s;
    QTest::newRow("a backup already there") << u"new"_s << u"是"_s << true << u"错误 【58 文件已存在】"_s;
    QTest::newRow("dialog cancelled") << u"-"_s << u""_s << false << QString();
}

void tst_FileCommands::update_replacesTheTableOnlyWhenSafe()
{
    QFETCH(QString, picked);
    QFETCH(QString, answer);
    QFETCH(bool, earlierBackup);
    QFETCH(QString, message);
    QTemporaryDir downloads;
    QVERIFY(writeFile(downloads.path(), u"BankCode.xml"_s, gbkLines({u"102100000014=新表里的支行"_s})));
    if (earlierBackup)
        QVERIFY(writeFile(m_fx->dir.path(), u"BankCode.xml.bak"_s, "earlier"));
    const QString current = m_fx->dir.filePath(u"BankCode.xml"_s);
    m_fx->fileChooser.answerNext(picked == u"-"_s         ? std::nullopt
                                 : picked == u"current"_s ? std::optional<QString>(current)
                                                          : downloads.filePath(u"BankCode.xml"_s));
    if (!answer.isEmpty())
        m_fx->prompter.answerNext(answerOf(answer[0]));

    commands().InterBankList_Click();

    QCOMPARE(m_fx->prompter.texts().value(m_fx->prompter.texts().size() - 1), message);
    QCOMPARE(QFile::exists(current + u".bak"_s), earlierBackup || message.startsWith(u"支付系统"_s));
    // The table in memory stays the one the program started with.
    QCOMPARE(workspace().tables().FindBankCode(u"新表里的支行"_s), QString());
    QCOMPARE(m_fx->fileChooser.asked().first().filter, u"ZPK跨行行别列表 (BankCode.xml) |BankCode.xml|"_s);
}

void tst_FileCommands::activation_afterOwnQuestionsDoesNotCount()
{
    using Previous = frmDirectCreditInput::PreviousWindow;
    QVERIFY(frmDirectCreditInput::countsAsActivation(Previous::None));
    QVERIFY(frmDirectCreditInput::countsAsActivation(Previous::OwnWindow));
    QVERIFY(!frmDirectCreditInput::countsAsActivation(Previous::Question));
    QVERIFY(!frmDirectCreditInput::countsAsActivation(Previous::OtherProgram));
}

QTEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"
