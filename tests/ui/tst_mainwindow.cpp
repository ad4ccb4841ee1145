#include "Collation.h"
#include "UiFixture.h"

#include "ui/ListPage.h"
#include "ui/QtSeams.h"
#include "ui/RecordListView.h"
#include "ui/StatusPanels.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
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
    void edit_changesOnlyTheRowThePanelWasLoadedFrom_data();
    void edit_changesOnlyTheRowThePanelWasLoadedFrom();

    // Layout, menus and keyboard
    void resize_laysEveryTabOut_data();
    void resize_laysEveryTabOut();
    void menus_inOrderAndSettingItemsStayChecked_data();
    void menus_inOrderAndSettingItemsStayChecked();
    void tabKey_goesThroughThePanelThenTheButtons_data();
    void tabKey_goesThroughThePanelThenTheButtons();

    // The lists
    void headerClicks_sortTheRowsByText_data();
    void headerClicks_sortTheRowsByText();
    void mouseButton_onlyTheRightOneSelectsOneRowForTheMenu_data();
    void mouseButton_onlyTheRightOneSelectsOneRowForTheMenu();
    void arrowKey_loadsTheRowLikeAClick();

private:
    // Rows 甲 乙 丙 丁 on a tab, every other cell 1.00; the column that holds the names.
    int addNamedRows(ListPage *page, int tab) const;
    // The window shown with tab 3 in front, its payers 甲 乙 丙 丁 with accounts 1 to 4.
    ListPage *showPayerTabWithFourRows();
    QStringList firstColumn(const ListPage *page) const;

    std::unique_ptr<UiFixture> m_fx;
};

Q_DECLARE_METATYPE(lgbatch::TwipRect)

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
    QTest::addColumn<QList<int>>("selected"); // the last one current; negative: current, not selected
    QTest::addColumn<QStringList>("left");

    const QStringList all{u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
    for (int tab = 0; tab < 5; ++tab) {
        QTest::addRow("tab %d, three rows, 是", tab)
            << tab << true << QList<int>{1, 3, 4} << QStringList{u"乙"_s};
        QTest::addRow("tab %d, 否", tab) << tab << false << QList<int>{2} << all;
        QTest::addRow("tab %d, the current row unselected: no question", tab)
            << tab << true << QList<int>{-2} << all;
    }
    QTest::newRow("no row selected: no question") << 3 << true << QList<int>() << all;
}

void tst_MainWindow::delete_removesEverySelectedRowAfterOneQuestion()
{
    QFETCH(int, tab);
    QFETCH(bool, yes);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, left);
    auto *page = m_fx->window->page(Workspace::AllLists[std::size_t(tab)]);
    RecordListModel &records = page->list()->records();
    const int nameColumn = addNamedRows(page, tab);
    for (int row : selected) {
        const QModelIndex index = page->list()->model()->index(std::abs(row) - 1, 0);
        page->list()->selectionModel()->setCurrentIndex(
            index, (row > 0 ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                       QItemSelectionModel::Rows);
    }
    const bool asked = !selected.isEmpty() && selected.first() > 0;
    if (asked)
        m_fx->prompter.answerNext(yes ? Prompter::Answer::Yes : Prompter::Answer::No);

    QTest::mouseClick(page->deleteButton(), Qt::LeftButton);

    QStringList names;
    for (int row = 1; row <= records.count(); ++row)
        names.append(records.cellText(row, nameColumn));
    QCOMPARE(names, left);
    QCOMPARE(m_fx->prompter.texts(), asked ? QStringList{u"确定删除所选定的记录？"_s} : QStringList());
    QCOMPARE(records.isChanged(), names.size() < 4);
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
}

void tst_MainWindow::edit_changesOnlyTheRowThePanelWasLoadedFrom_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("rightClick"); // else the loaded row Ctrl-clicked again, unselecting it

    for (int tab = 0; tab < 5; ++tab) {
        QTest::addRow("tab %d, another row right-clicked", tab) << tab << true;
        QTest::addRow("tab %d, the row unselected", tab) << tab << false;
    }
}

void tst_MainWindow::edit_changesOnlyTheRowThePanelWasLoadedFrom()
{
    QFETCH(int, tab);
    QFETCH(bool, rightClick);
    m_fx->window->show();
    auto *page = m_fx->window->page(Workspace::AllLists[std::size_t(tab)]);
    RecordListView *list = page->list();
    addNamedRows(page, tab);
    const auto rows = [list] {
        QList<QStringList> texts;
        for (int row = 1; row <= list->records().count(); ++row)
            texts.append(list->records().rowTexts(row));
        return texts;
    };
    const QList<QStringList> before = rows();
    const auto at = [list](int row) { return list->visualRect(list->model()->index(row - 1, 0)).center(); };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at(1));
    if (rightClick) {
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, at(3));
        QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at(3));
        QVERIFY(m_fx->window->RightClickMenu()->isVisible());
        QTest::keyClick(m_fx->window->RightClickMenu(), Qt::Key_Escape);
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, at(1));
        QCOMPARE(list->selectedRowNumbers(), QList<int>());
    }

    QTest::mouseClick(page->editButton(), Qt::LeftButton);

    QCOMPARE(m_fx->prompter.texts(), QStringList{u"请先单击要修改的记录！"_s});
    QCOMPARE(rows(), before);
    QVERIFY(!list->records().isChanged());
}

int tst_MainWindow::addNamedRows(ListPage *page, int tab) const
{
    RecordListModel &records = page->list()->records();
    // The name column is the first but in the corporate batch list, which starts with the payer.
    const int nameColumn = tab == 0 ? 2 : 0;
    for (const QString &name : {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}) {
        QStringList texts(records.columnCount(), u"1.00"_s);
        texts[nameColumn] = name;
        records.appendRow(texts);
    }
    m_fx->window->tabInput()->setCurrentIndex(tab);
    return nameColumn;
}

ListPage *tst_MainWindow::showPayerTabWithFourRows()
{
    m_fx->window->show();
    ListPage *page = m_fx->window->page(Workspace::List::PayerRoster);
    for (const QString &name : {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s})
        page->list()->records().appendRow({name, QString::number(page->list()->records().count() + 1)});
    m_fx->window->tabInput()->setCurrentWidget(page);
    return page;
}

QStringList tst_MainWindow::firstColumn(const ListPage *page) const
{
    QStringList texts;
    for (int row = 1; row <= page->list()->records().count(); ++row)
        texts.append(page->list()->records().cellText(row, 0));
    return texts;
}

void tst_MainWindow::resize_laysEveryTabOut_data()
{
    QTest::addColumn<QSize>("growth"); // twips, from the designed size
    QTest::addColumn<TwipRect>("list");
    QTest::addColumn<TwipRect>("panel");
    QTest::addColumn<QPoint>("actionRow");

    const TwipRect list{60, 360, 4838, 6375};
    const TwipRect panel{4958, 360, 4777, 6375};
    QTest::newRow("designed") << QSize() << list << panel << QPoint(4958, 6660);
    QTest::newRow("smaller") << QSize(-3000, -3000) << list << panel << QPoint(4958, 6660);
    // The panel keeps its splitter's width but is shown only as far as the splitter reaches.
    QTest::newRow("1200 wider") << QSize(1200, 0) << TwipRect{60, 360, 6038, 6375}
                                << TwipRect{6158, 360, 4777, 6375} << QPoint(6158, 6660);
    QTest::newRow("1200 larger each way") << QSize(1200, 1200) << TwipRect{60, 360, 5438, 7575}
                                          << TwipRect{5558, 360, 5377, 7575} << QPoint(6158, 7860);
}

void tst_MainWindow::resize_laysEveryTabOut()
{
    QFETCH(QSize, growth);
    QFETCH(TwipRect, list);
    QFETCH(TwipRect, panel);
    QFETCH(QPoint, actionRow);
    frmDirectCreditInput *window = m_fx->window.get();
    window->show();
    QCOMPARE(window->size(), window->minimumSize());
    const double tpp = twipsPerPixel(window->logicalDpiX());
    const auto pixels = [tpp](int twips) { return twipsToPixels(twips, tpp); };

    window->resize(window->size() + QSize(pixels(growth.width()), pixels(growth.height())));

    const TwipRect tabStrip{0, 0, 9840 + std::max(0, growth.width()), 7305 + std::max(0, growth.height())};
    QCOMPARE(window->tabInput()->size(), twipsToPixels(tabStrip, tpp).size());
    for (int tab = 0; tab < 5; ++tab) {
        ListPage *page = window->page(Workspace::AllLists[std::size_t(tab)]);
        window->tabInput()->setCurrentWidget(page);
        QCOMPARE(page->listArea()->geometry().size(), twipsToPixels(list, tpp).size());
        QCOMPARE(page->listArea()->x(), pixels(list.left));
        QCOMPARE(page->panel()->mapTo(page, QPoint()).x(), twipsToPixels(panel, tpp).x());
        QCOMPARE(page->panel()->width(), twipsToPixels(panel, tpp).width());
        QCOMPARE(page->actionRow()->x(), pixels(actionRow.x()));
        // The page starts below the tab headers: its rows are placed from the list's top.
        QCOMPARE(page->actionRow()->y() - page->listArea()->y(), pixels(actionRow.y()) - pixels(list.top));
        QCOMPARE(page->fileRow()->y(), page->actionRow()->y());
        QVERIFY(page->actionRow()->geometry().bottom() < page->height());
    }
}

void tst_MainWindow::menus_inOrderAndSettingItemsStayChecked_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::newRow("企业版") << Edition::Corporate;
    QTest::newRow("个人版") << Edition::Personal;
}

void tst_MainWindow::menus_inOrderAndSettingItemsStayChecked()
{
    QFETCH(Edition, edition);
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables() && m_fx->openMainWindow(edition));

    QStringList menus;
    for (QAction *menu : m_fx->window->menuBar()->actions())
        menus.append(menu->text());
    QCOMPARE(menus, (QStringList{u"文件 (&F)"_s, u"更新 (&U)"_s, u"设置 (&S)"_s, u"帮助 (&H)"_s}));
    QStringList fileItems;
    for (QAction *item : m_fx->window->findChild<QMenu *>(u"File"_s)->actions())
        fileItems.append(item->isSeparator() ? u"-"_s : item->text());
    QCOMPARE(fileItems, (QStringList{u"新建 (&N)"_s, u"导入文件 (&O)"_s, u"-"_s, u"保存 (&S)"_s,
                                     u"另存为 (&A)"_s, u"-"_s, u"从表格导入..."_s, u"-"_s, u"打印预览..."_s,
                                     u"导出PDF..."_s, u"-"_s, u"退出 (&X)"_s}));
    for (const QString &name : {u"AutoBene"_s, u"autoPayer"_s}) {
        auto *item = m_fx->window->findChild<QAction *>(name);
        item->trigger();
        QVERIFY(item->isChecked());
    }
    QCOMPARE(m_fx->window->findChild<QAction *>(u"autoPayer"_s)->isVisible(), edition == Edition::Corporate);
}

void tst_MainWindow::tabKey_goesThroughThePanelThenTheButtons_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 0; tab < 5; ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

void tst_MainWindow::tabKey_goesThroughThePanelThenTheButtons()
{
    QFETCH(int, tab);
    m_fx->window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fx->window.get()));
    ListPage *page = m_fx->window->page(Workspace::AllLists[std::size_t(tab)]);
    m_fx->window->tabInput()->setCurrentWidget(page);
    page->list()->setFocus();

    QList<QWidget *> reached; // from the list until Tab leaves the page
    for (int press = 0; press < 40; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (!page->isAncestorOf(QApplication::focusWidget()))
            break;
        reached.append(QApplication::focusWidget());
    }
    const auto firstButton = std::find(reached.cbegin(), reached.cend(), page->addButton());
    QVERIFY(firstButton != reached.cbegin());
    QVERIFY(std::all_of(reached.cbegin(), firstButton,
                        [page](QWidget *w) { return page->panel()->isAncestorOf(w); }));
    QCOMPARE(QList<QWidget *>(firstButton, reached.cend()),
             (QList<QWidget *>{page->addButton(), page->editButton(), page->deleteButton(),
                               page->loadButton(), page->saveButton()}));
}

void tst_MainWindow::headerClicks_sortTheRowsByText_data()
{
    QTest::addColumn<QList<int>>("headers"); // clicked in turn, 1-based
    QTest::addColumn<QStringList>("names");

    // 乙 9.00, 甲 10.00, 丙 100.00: amounts sort as text; one direction per list, flipped per click.
    QTest::newRow("金额") << QList<int>{4} << QStringList{u"甲"_s, u"丙"_s, u"乙"_s};
    QTest::newRow("金额 twice") << QList<int>{4, 4} << QStringList{u"乙"_s, u"丙"_s, u"甲"_s};
    QTest::newRow("金额, then 名称") << QList<int>{4, 1} << QStringList{u"乙"_s, u"甲"_s, u"丙"_s};
}

void tst_MainWindow::headerClicks_sortTheRowsByText()
{
    QFETCH(QList<int>, headers);
    QFETCH(QStringList, names);
    if (!testing::hasChineseCollation())
        QSKIP("this system does not sort Chinese by pinyin");
    m_fx->window->show();
    ListPage *page = m_fx->window->page(Workspace::List::Payroll);
    m_fx->window->tabInput()->setCurrentWidget(page);
    PayrollListModel &payroll = m_fx->window->workspace().payrollList();
    for (const auto &[name, amount] :
         {std::pair{u"乙"_s, u"9.00"_s}, {u"甲"_s, u"10.00"_s}, {u"丙"_s, u"100.00"_s}})
        payroll.AddPayrollRow({name, u"1"_s, amount, {}});

    QHeaderView *header = page->list()->header();
    for (int column : headers)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column - 1) + 5, header->height() / 2));
    payroll.AddPayrollRow({u"丁"_s, u"1"_s, u"0.01"_s, {}});
    QCOMPARE(firstColumn(page), names << u"丁"_s);
}

void tst_MainWindow::mouseButton_onlyTheRightOneSelectsOneRowForTheMenu_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("row");          // 0: the space below the rows
    QTest::addColumn<QStringList>("left"); // after the menu's delete, answered 是

    const QStringList all{u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
    QTest::newRow("right, on one of the selected rows")
        << Qt::RightButton << 2 << QStringList{u"甲"_s, u"丙"_s, u"丁"_s};
    QTest::newRow("right, on another row") << Qt::RightButton << 4 << QStringList{u"甲"_s, u"乙"_s, u"丙"_s};
    QTest::newRow("right, below the rows") << Qt::RightButton << 0 << all;
    QTest::newRow("left") << Qt::LeftButton << 4 << all;
    QTest::newRow("middle") << Qt::MiddleButton << 4 << all;
}

void tst_MainWindow::mouseButton_onlyTheRightOneSelectsOneRowForTheMenu()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, row);
    QFETCH(QStringList, left);
    RecordListView *list = showPayerTabWithFourRows()->list();
    for (int selected : {1, 2, 3})
        list->selectionModel()->select(list->model()->index(selected - 1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QPoint at = row > 0 ? list->visualRect(list->model()->index(row - 1, 0)).center()
                              : QPoint(5, list->viewport()->height() - 5);
    QTest::mousePress(list->viewport(), button, {}, at);
    QTest::mouseRelease(list->viewport(), button, {}, at);

    QMenu *menu = m_fx->window->RightClickMenu();
    const bool menuShown = left.size() < 4;
    QCOMPARE(menu->isVisible(), menuShown);
    if (button == Qt::RightButton)
        QCOMPARE(list->selectedRowNumbers(), row > 0 ? QList<int>{row} : QList<int>());
    if (!menuShown)
        return;
    menu->hide();
    menu->actions().at(0)->trigger(); // (&N)新增/修改: as a click on the row
    QCOMPARE(m_fx->find<QLineEdit>(u"txtPayerName"_s)->text(), list->records().cellText(row, 0));
    m_fx->prompter.answerNext(Prompter::Answer::Yes);
    menu->actions().at(1)->trigger(); // (&D)删除
    QCOMPARE(m_fx->prompter.texts(), QStringList{u"确定删除所选定的记录？"_s});
    QCOMPARE(firstColumn(m_fx->window->page(Workspace::List::PayerRoster)), left);
}

void tst_MainWindow::arrowKey_loadsTheRowLikeAClick()
{
    RecordListView *list = showPayerTabWithFourRows()->list();
    list->selectOnly(1);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(m_fx->find<QLineEdit>(u"txtPayerName"_s)->text(), u"乙"_s);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
