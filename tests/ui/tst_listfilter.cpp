#include "UiFixture.h"

#include "ui/BeneInputPanel.h"
#include "ui/ListFilterBar.h"
#include "ui/RosterPages.h"
#include "ui/ctlSplitterEx.h"
#include "workspace/RosterFileCommands.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

Beneficiary ownBank(const QString &name)
{
    Beneficiary record;
    record.BeneName = name;
    record.BeneAccount = u"123456789012345"_s;
    record.BankName = u"澜港银行"_s;
    record.branch.BankCode = u"ZPK"_s;
    return record;
}

} // namespace

// The filter above the lists hides rows and nothing else; the window keeps its arrangement.
class tst_ListFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void filter_commandsActOnTheRowsShown();
    void filter_sortsWithinAndSavesEveryRow();
    void filter_emptiedByAddAndByEsc();
    void window_keepsItsArrangementAcrossARestart();
    void window_offEveryScreen_opensAsDesigned();

private:
    ListPage *bene() const { return m_fx->window->beneRosterPage(); }
    QLineEdit *field() const { return bene()->filterBar()->field(); }
    QStringList names() const;
    QStringList shownNames() const;
    void clickShown(int viewRow);
    void reopen();

    std::unique_ptr<UiFixture> m_fx;
};

void tst_ListFilter::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables() && m_fx->openMainWindow());
    for (const QString &name : {u"张三"_s, u"李四"_s, u"张伟"_s, u"王五"_s, u"赵六"_s})
        m_fx->window->workspace().addBeneficiary(ownBank(name));
    m_fx->window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fx->window.get()));
    m_fx->window->showList(Workspace::List::BeneRoster);
}

void tst_ListFilter::cleanup()
{
    m_fx.reset();
}

QStringList tst_ListFilter::names() const
{
    QStringList texts;
    for (int row = 1; row <= bene()->list()->records().count(); ++row)
        texts.append(bene()->list()->records().cellText(row, 0));
    return texts;
}

QStringList tst_ListFilter::shownNames() const
{
    QStringList texts;
    const QAbstractItemModel *shown = bene()->list()->model();
    for (int row = 0; row < shown->rowCount(); ++row)
        texts.append(shown->index(row, 0).data().toString());
    return texts;
}

void tst_ListFilter::clickShown(int viewRow)
{
    RecordListView *list = bene()->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(viewRow, 0)).center());
}

void tst_ListFilter::filter_commandsActOnTheRowsShown()
{
    QTest::keyClicks(field(), u"z"_s);
    QCOMPARE(shownNames(), (QStringList{u"张三"_s, u"张伟"_s, u"赵六"_s}));
    QCOMPARE(bene()->filterBar()->countLabel()->text(), u"显示 3 / 5"_s);

    // The click loads the row clicked, the third of the list.
    clickShown(1);
    QCOMPARE(m_fx->find<QLineEdit>(u"txtBeneName"_s)->text(), u"张伟"_s);
    // 修改 writes that row, with hidden rows before it.
    m_fx->find<QLineEdit>(u"txtBeneName"_s)->setText(u"张伟伟"_s);
    QTest::mouseClick(bene()->editButton(), Qt::LeftButton);
    QCOMPARE(names(), (QStringList{u"张三"_s, u"李四"_s, u"张伟伟"_s, u"王五"_s, u"赵六"_s}));

    // Rows selected before the filter hid some of them: 删除 removes only the shown ones.
    field()->clear();
    bene()->list()->selectAll();
    QTest::keyClicks(field(), u"z"_s);
    m_fx->prompter.answerNext(Prompter::Answer::Yes);
    QTest::mouseClick(bene()->deleteButton(), Qt::LeftButton);
    QCOMPARE(names(), (QStringList{u"李四"_s, u"王五"_s}));
    QCOMPARE(bene()->filterBar()->countLabel()->text(), u"显示 0 / 2"_s);
}

void tst_ListFilter::filter_sortsWithinAndSavesEveryRow()
{
    QTest::keyClicks(field(), u"Z"_s);
    bene()->list()->ColumnClick(1);
    QStringList ascending = shownNames();
    bene()->list()->ColumnClick(1);
    QCOMPARE(shownNames().size(), 3);
    QVERIFY(shownNames() != ascending);
    std::reverse(ascending.begin(), ascending.end());
    QCOMPARE(shownNames(), ascending);
    // The whole list is ordered too, hidden rows among the shown ones.
    QCOMPARE(names().size(), 5);

    QVERIFY(!writeRosterFile(m_fx->window->workspace(), Workspace::List::BeneRoster));
    m_fx->window->workspace().list(Workspace::List::BeneRoster).clear();
    QVERIFY(!readRosterFile(m_fx->window->workspace(), Workspace::List::BeneRoster, true).message);
    QCOMPARE(names().size(), 5);
}

void tst_ListFilter::filter_emptiedByAddAndByEsc()
{
    QTest::keyClick(m_fx->window.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), field());
    QTest::keyClicks(field(), u"zzz"_s);
    QCOMPARE(shownNames(), QStringList());
    QTest::keyClick(field(), Qt::Key_Escape);
    QCOMPARE(field()->text(), QString());
    QCOMPARE(shownNames(), names());
    QVERIFY(!bene()->filterBar()->countLabel()->isVisible());

    QTest::keyClicks(field(), u"zzz"_s);
    m_fx->window->workspace().addBeneficiary(ownBank(u"钱七"_s));
    QCOMPARE(field()->text(), QString());
    QCOMPARE(shownNames().last(), u"钱七"_s);
}

void tst_ListFilter::reopen()
{
    m_fx->window->close();
    QVERIFY(!m_fx->window->isVisible());
    m_fx->window.reset();
    QVERIFY(m_fx->openMainWindow());
    m_fx->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fx->window.get()));
}

void tst_ListFilter::window_keepsItsArrangementAcrossARestart()
{
    m_fx->window->workspace().list(Workspace::List::BeneRoster).setChanged(false);
    const QRect place = m_fx->window->geometry().adjusted(10, 10, 90, 60);
    m_fx->window->setGeometry(place);
    QTRY_COMPARE(m_fx->window->geometry(), place);
    QVERIFY(bene()->splitter()->restoreProportion(30));
    bene()->list()->header()->resizeSection(1, 77);
    const int listWidth = bene()->listArea()->width();

    reopen();
    QCOMPARE(m_fx->window->geometry().size(), place.size());
    QCOMPARE(bene()->splitter()->proportion(), 30);
    QCOMPARE(bene()->listArea()->width(), listWidth);
    QCOMPARE(bene()->list()->header()->sectionSize(1), 77);
    QCOMPARE(m_fx->window->page(Workspace::List::Batch)->splitter()->proportion(), 50);
}

void tst_ListFilter::window_offEveryScreen_opensAsDesigned()
{
    const QSize designed = m_fx->window->size();
    m_fx->window->workspace().list(Workspace::List::BeneRoster).setChanged(false);
    m_fx->window->close();
    m_fx->window.reset();
    QSettings settings(QDir(m_fx->dir.path()).filePath(u"lgbatch.ini"_s), QSettings::IniFormat);
    settings.setValue(u"Window/geometry"_s, QRect(-30000, -30000, 900, 700));
    settings.setValue(u"Lists/beneficiaries/splitter"_s, u"几"_s);
    settings.sync();

    QVERIFY(m_fx->openMainWindow());
    m_fx->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fx->window.get()));
    QCOMPARE(m_fx->window->size(), designed);
    QCOMPARE(bene()->splitter()->proportion(), 50);
}

QTEST_MAIN(tst_ListFilter)
#include "tst_listfilter.moc"
