#include "UiFixture.h"

#include "ui/ListPage.h"
#include "ui/QtSeams.h"
#include "ui/RecordListView.h"
#include "ui/StatusPanels.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;
using namespace lgbatch::testing;

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void tabs_areFivePagesWithTheirOwnListPanelAndButtons_data();
    void tabs_areFivePagesWithTheirOwnListPanelAndButtons();
    void statusBar_followsTheCurrentTab();
    void fileFilter_becomesQtEntries_data();
    void fileFilter_becomesQtEntries();
    void delete_removesEverySelectedRowAfterOneQuestion_data();
    void delete_removesEverySelectedRowAfterOneQuestion();

private:
    std::unique_ptr<UiFixture> m_fx;
};

void tst_MainWindow::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
    QVERIFY(m_fx->openMainWindow());
}

void tst_MainWindow::cleanup()
{
    m_fx.reset();
}

void tst_MainWindow::tabs_areFivePagesWithTheirOwnListPanelAndButtons_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("buttons"); // object name=caption

    QTest::newRow("批量支付") << 0 << u"批量支付"_s << u"lstData"_s
                              << QStringList{u"付款人名称"_s,       u"付款人账号"_s,
                                             u"收款人名称"_s,       u"收款人账号"_s,
                                             u"收款人银行开户行"_s, u"金额"_s,
                                             u"支付方式"_s,         u"备注"_s}
                              << u"frameInput"_s
                              << QStringList{u"cmdAdd=增加"_s, u"cmdEdit=修改"_s, u"cmdDelete=删除"_s,
                                             u"cmdLoad=导入文件"_s, u"cmdSave=保存文件"_s};
    QTest::newRow("代发工资") << 1 << u"代发工资"_s << u"lstPayroll"_s
                              << QStringList{u"收款人名称"_s, u"收款人账号"_s, u"收款人银行开户行"_s,
                                             u"金额"_s, u"备注"_s}
                              << u"frameInputPayroll"_s
                              << QStringList{u"cmdAddPayroll=增加"_s, u"cmdLoadPayroll=导入文件"_s,
                                             u"cmdSavePayroll=保存文件"_s};
    QTest::newRow("收款人名册") << 2 << u"收款人名册"_s << u"lstBene"_s
                                << QStringList{u"收款人名称"_s, u"收款人账号"_s, u"收款人银行开户行"_s,
                                               u"备注"_s}
                                << u"frameBeneInput"_s
                                << QStringList{u"cmdDeleteBene=删除"_s, u"cmdSaveBene=保存"_s};
    QTest::newRow("付款人名册") << 3 << u"付款人名册"_s << u"lstPayer"_s
                                << QStringList{u"付款人名称"_s, u"付款人账号"_s, u"付款人银行开户行"_s}
                                << u"framePayerInput"_s
                                << QStringList{u"cmdEditPayer=修改"_s, u"cmdLoadPayer=导入文件"_s};
    QTest::newRow("代发工资名册") << 4 << u"代发工资名册"_s << u"lstBenePayroll"_s
                                  << QStringList{u"收款人名称"_s, u"收款人账号"_s, u"付款人银行开户行"_s}
                                  << u"frameInputBenePayroll"_s
                                  << QStringList{u"cmdAddBenePayroll=增加"_s, u"cmdSaveBenePayroll=保存"_s};
}

void tst_MainWindow::tabs_areFivePagesWithTheirOwnListPanelAndButtons()
{
    QFETCH(int, tab);
    QFETCH(QString, caption);
    QFETCH(QString, list);
    QFETCH(QStringList, headers);
    QFETCH(QString, panel);
    QFETCH(QStringList, buttons);
    QTabWidget *tabs = m_fx->window->tabInput();
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->tabText(tab), caption);
    QWidget *page = tabs->widget(tab);

    auto *view = page->findChild<QTreeView *>(list);
    QVERIFY(view);
    QStringList shown;
    for (int column = 0; column < view->model()->columnCount(); ++column)
        shown.append(view->model()->headerData(column, Qt::Horizontal).toString());
    QCOMPARE(shown, headers);
    QVERIFY(page->findChild<QWidget *>(panel));
    for (const QString &button : buttons) {
        const QStringList nameAndCaption = button.split(u'=');
        auto *found = page->findChild<QPushButton *>(nameAndCaption[0]);
        QVERIFY2(found, qPrintable(button));
        QCOMPARE(found->text(), nameAndCaption[1]);
    }
}

void tst_MainWindow::statusBar_followsTheCurrentTab()
{
    Workspace &ws = m_fx->window->workspace();
    for (const QString &amount : {u"12,345.60"_s, u"300.00"_s, u"0.05"_s}) {
        BatchPayment payment;
        payment.BeneName = u"张三"_s;
        payment.Amount = amount;
        ws.batchList().AddBatchRow(payment);
    }
    ws.payrollList().AddPayrollRow({u"李四"_s, u"6222020200112233"_s, u"8,000.00"_s, {}});
    StatusPanels *status = m_fx->window->StatusBar();
    QTabWidget *tabs = m_fx->window->tabInput();
    const auto shown = [status] { return QStringList{status->countText(), status->totalText()}; };
    QVERIFY(status->findChild<QLabel *>(u"StatusBarCountLabel"_s));
    QCOMPARE(status->findChild<QLabel *>(u"StatusBarTotalLabel"_s)->text(), u"总金额 ："_s);

    tabs->setCurrentIndex(1);
    QCOMPARE(shown(), (QStringList{u"1"_s, u"8,000.00"_s}));
    tabs->setCurrentIndex(2);
    QCOMPARE(shown(), (QStringList{u"0"_s, u"0.00"_s}));
    tabs->setCurrentIndex(0);
    QCOMPARE(shown(), (QStringList{u"3"_s, u"12,645.65"_s}));
}

void tst_MainWindow::fileFilter_becomesQtEntries_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("qt");

    QTest::newRow("descriptions with a trailing blank")
        << u"ZPK批量支付文件 (*.zpk) |*.zpk|其它 (*.bpt)|*.bpt|"_s
        << u"ZPK批量支付文件 (*.zpk);;其它 (*.bpt)"_s;
    QTest::newRow("a file name as the pattern")
        << u"ZPK跨行行别列表 (BankCode.xml) |BankCode.xml|"_s << u"ZPK跨行行别列表 (BankCode.xml)"_s;
    QTest::newRow("description without its pattern")
        << u"代发工资册|benepayroll.xml|"_s << u"代发工资册 (benepayroll.xml)"_s;
}

void tst_MainWindow::fileFilter_becomesQtEntries()
{
    QFETCH(QString, pairs);
    QFETCH(QString, qt);
    QCOMPARE(qtFileFilter(pairs), qt);
}

void tst_MainWindow::delete_removesEverySelectedRowAfterOneQuestion_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("left");

    for (int tab = 0; tab < 5; ++tab) {
        QTest::addRow("tab %d, three rows, 是", tab)
            << tab << true << QList<int>{1, 3, 4} << QStringList{u"乙"_s};
        QTest::addRow("tab %d, 否", tab)
            << tab << false << QList<int>{2} << QStringList{u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
    }
    QTest::newRow("no row selected: no question")
        << 3 << true << QList<int>() << QStringList{u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
}

void tst_MainWindow::delete_removesEverySelectedRowAfterOneQuestion()
{
    QFETCH(int, tab);
    QFETCH(bool, yes);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, left);
    auto *page = m_fx->window->page(frmDirectCreditInput::Tab(tab));
    RecordListModel &records = page->list()->records();
    // The name column is the first but in the corporate batch list, which starts with the payer.
    const int nameColumn = tab == 0 ? 2 : 0;
    for (const QString &name : {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}) {
        QStringList texts(records.columnCount(), u"1.00"_s);
        texts[nameColumn] = name;
        records.appendRow(texts);
    }
    m_fx->window->tabInput()->setCurrentIndex(tab);
    for (int row : selected) {
        const QModelIndex index = records.index(row - 1, 0);
        page->list()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select |
                                                                   QItemSelectionModel::Rows);
    }
    if (!selected.isEmpty())
        m_fx->prompter.answerNext(yes ? Prompter::Answer::Yes : Prompter::Answer::No);

    QTest::mouseClick(page->deleteButton(), Qt::LeftButton);

    QStringList names;
    for (int row = 1; row <= records.count(); ++row)
        names.append(records.cellText(row, nameColumn));
    QCOMPARE(names, left);
    QCOMPARE(m_fx->prompter.texts(),
             selected.isEmpty() ? QStringList() : QStringList{u"确定删除所选定的记录？"_s});
    QCOMPARE(records.isChanged(), names.size() < 4);
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
