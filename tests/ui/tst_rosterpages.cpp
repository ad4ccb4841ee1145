#include "Collation.h"
#include "UiFixture.h"

#include "ui/RosterPages.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Account = u"123456789012345"_s; // a valid check digit
const QString Card = u"6222020200112233"_s;   // 16 characters
const QString Branch = u"中国工商银行北京市朝阳支行"_s;

} // namespace

class tst_RosterPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // The roster tabs
    void add_storesValidRowsOnceEach_data();
    void add_storesValidRowsOnceEach();
    void edit_rewritesTheCurrentRowInBlack_data();
    void edit_rewritesTheCurrentRowInBlack();
    void save_writesTheProgramDirectoryFile_data();
    void save_writesTheProgramDirectoryFile();
    void accountField_testsOnLeaving_data();
    void accountField_testsOnLeaving();

    // The pickers of tabs 0 and 1
    void pickers_offerDistinctNamesAndNarrowAccounts_data();
    void pickers_offerDistinctNamesAndNarrowAccounts();
    void pickers_restoreTheTextsThatStillStand_data();
    void pickers_restoreTheTextsThatStillStand();

private:
    ListPage *page(int tab) const { return m_fx->window->page(Workspace::AllLists[std::size_t(tab)]); }
    // Types an entry into a roster tab's panel: "name/account" and, on tab 2, "/remark/branch"
    // (no branch: 是).
    void enter(int tab, const QString &entry);
    std::pair<QComboBox *, QComboBox *> pickers(int tab) const;
    QLineEdit *field(int tab, bool account) const;

    std::unique_ptr<UiFixture> m_fx;
};

void tst_RosterPages::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
    QVERIFY(m_fx->openMainWindow());
    m_fx->window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fx->window.get()));
}

void tst_RosterPages::cleanup()
{
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
    m_fx.reset();
}

void tst_RosterPages::enter(int tab, const QString &entry)
{
    const QStringList f = entry.split(u'/');
    m_fx->window->tabInput()->setCurrentIndex(tab);
    field(tab, false)->setText(f[0]);
    field(tab, true)->setText(f[1]);
    if (tab != int(Workspace::List::BeneRoster))
        return;
    BeneInputPanel *panel = m_fx->window->frameBeneInput();
    BranchPicker *b = panel->findChild<BranchPicker *>();
    (f.value(3).isEmpty() ? control<QRadioButton>(panel, u"optYes2"_s)
                          : control<QRadioButton>(panel, u"optNo2"_s))
        ->setChecked(true);
    QVERIFY(f.value(3).isEmpty() || (pick(b->cbState(), u"北京市"_s) && pick(b->cbCity(), u"北京市"_s) &&
                                     pick(b->cbBankType(), u"中国工商银行"_s) && pick(b->cbBank(), f[3])));
    control<QLineEdit>(panel, u"txtRemark3"_s)->setText(f.value(2));
}

QLineEdit *tst_RosterPages::field(int tab, bool account) const
{
    static const QStringList names{u"txtBeneName"_s,     u"txtBeneAccount"_s, u"txtPayerName"_s,
                                   u"txtPayerAccount"_s, u"txtBeneName2"_s,   u"txtBeneAccount2"_s};
    return m_fx->find<QLineEdit>(names[(tab - 2) * 2 + (account ? 1 : 0)]);
}

std::pair<QComboBox *, QComboBox *> tst_RosterPages::pickers(int tab) const
{
    static const QStringList names{u"cbBeneName"_s,     u"cbBeneAccount"_s, u"cbPayerName"_s,
                                   u"cbPayerAccount"_s, u"cbBeneName2"_s,   u"cbBeneAccount2"_s};
    return {m_fx->find<QComboBox>(names[(tab - 2) * 2]), m_fx->find<QComboBox>(names[(tab - 2) * 2 + 1])};
}

void tst_RosterPages::add_storesValidRowsOnceEach_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("tab 2: another remark is another entry")
        << 2 << QStringList{u"张三/"_s + Card + u"/一月"_s, u"张三/"_s + Card + u"/二月/"_s + Branch} << 2
        << QStringList();
    QTest::newRow("tab 2: the same three texts")
        << 2 << QStringList{u"张三/1/x/"_s + Branch, u"张三/1/x/"_s + Branch} << 1
        << QStringList{u"收款人账号已存在！"_s};
    QTest::newRow("tab 3: name and account") << 3 << QStringList{u"甲/"_s + Account, u"甲/"_s + Account} << 1
                                             << QStringList{u"付款人账号已存在！"_s};
    QTest::newRow("tab 3: no card") << 3 << QStringList{u"甲/"_s + Card} << 0
                                    << QStringList{u"付款人账号错误！"_s};
    QTest::newRow("tab 4: card, then the same again")
        << 4 << QStringList{u"乙/"_s + Card, u"乙/"_s + Card} << 1 << QStringList{u"收款人账号已存在！"_s};
    QTest::newRow("tab 4: a pipe in the name")
        << 4 << QStringList{u"乙|丙/"_s + Card} << 0 << QStringList{u"收款人名称不能含有字符“|”！"_s};
}

void tst_RosterPages::add_storesValidRowsOnceEach()
{
    QFETCH(int, tab);
    QFETCH(QStringList, entries);
    QFETCH(int, rows);
    QFETCH(QStringList, messages);
    ListPage *p = page(tab);
    QLineEdit *name = field(tab, false);

    for (const QString &entry : entries) {
        enter(tab, entry);
        QTest::mouseClick(p->addButton(), Qt::LeftButton);
    }

    QCOMPARE(p->list()->records().count(), rows);
    QCOMPARE(m_fx->prompter.texts(), messages);
    QCOMPARE(p->list()->records().isChanged(), rows > 0);
    QCOMPARE(itemTexts(pickers(tab).first).size(), rows > 0 ? 1 : 0);
    // A stored entry empties the panel for the next one; a refused one keeps what was typed.
    QCOMPARE(name->text().isEmpty(), messages.isEmpty());
    if (messages.isEmpty())
        QTRY_VERIFY(name->hasFocus());
}

void tst_RosterPages::edit_rewritesTheCurrentRowInBlack_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("row");

    QTest::newRow("tab 2") << 2 << u"张三丰/62170000/新/"_s + Branch
                           << QStringList{u"张三丰"_s, u"62170000"_s, Branch, u"新"_s};
    QTest::newRow("tab 3") << 3 << u"张三丰/"_s + Account << QStringList{u"张三丰"_s, Account, u"澜港银行"_s};
    QTest::newRow("tab 4") << 4 << u"张三丰/"_s + Card << QStringList{u"张三丰"_s, Card, u"澜港银行"_s};
}

void tst_RosterPages::edit_rewritesTheCurrentRowInBlack()
{
    QFETCH(int, tab);
    QFETCH(QString, entry);
    QFETCH(QStringList, row);
    ListPage *p = page(tab);
    RecordListModel &records = p->list()->records();
    // A branch that has left the table paints the row red.
    records.appendRow({u"张三"_s, u"1"_s, u"已撤销支行"_s, u"旧"_s},
                      tab == 2 ? RowState::UnknownBranch : RowState::Normal);
    records.appendRow({u"李四"_s, u"2"_s, u"澜港银行"_s});
    p->list()->selectOnly(1);
    p->runItemClick();

    enter(tab, entry);
    QTest::mouseClick(p->editButton(), Qt::LeftButton);

    QCOMPARE(records.count(), 2);
    QCOMPARE(records.rowTexts(1), row);
    QCOMPARE(records.rowState(1), RowState::Normal);
    QVERIFY(records.isChanged());
    QVERIFY(m_fx->prompter.texts().isEmpty());
    // The pickers take an edit or a sort up at the next add, delete or load, not before.
    QComboBox *names = pickers(tab).first;
    if (!testing::hasChineseCollation())
        QSKIP("this system does not sort Chinese by pinyin");
    records.sortRows(0, Qt::AscendingOrder);
    QCOMPARE(itemTexts(names), (QStringList{u"张三"_s, u"李四"_s}));
    records.appendRow({u"王五"_s, u"3"_s});
    QCOMPARE(itemTexts(names), (QStringList{u"李四"_s, u"张三丰"_s, u"王五"_s}));
}

void tst_RosterPages::save_writesTheProgramDirectoryFile_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("folderInTheWay");
    QTest::addColumn<QString>("message");

    QTest::newRow("tab 2, empty") << 2 << u"bene.xml"_s << 0 << false << u"无记录保存！"_s;
    QTest::newRow("tab 3, written") << 3 << u"payer.xml"_s << 2 << false << u"保存完毕！"_s;
    QTest::newRow("tab 4, written") << 4 << u"benepayroll.xml"_s << 1 << false << u"保存完毕！"_s;
    QTest::newRow("tab 2, failed") << 2 << u"bene.xml"_s << 2 << true << u"保存文件失败！【"_s;
}

void tst_RosterPages::save_writesTheProgramDirectoryFile()
{
    QFETCH(int, tab);
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(bool, folderInTheWay);
    QFETCH(QString, message);
    ListPage *p = page(tab);
    RecordListModel &records = p->list()->records();
    for (int i = 1; i <= rows; ++i)
        records.appendRow({u"甲%1"_s.arg(i), Account, u"澜港银行"_s});
    records.setChanged(true);
    if (folderInTheWay)
        QVERIFY(QDir(m_fx->dir.path()).mkpath(file + u"/inside"_s));

    m_fx->window->tabInput()->setCurrentIndex(tab);
    QTest::mouseClick(p->saveButton(), Qt::LeftButton);

    QCOMPARE(m_fx->prompter.texts().size(), 1);
    QVERIFY2(m_fx->prompter.texts().first().startsWith(message), qPrintable(m_fx->prompter.texts().first()));
    const bool saved = message == u"保存完毕！"_s;
    QCOMPARE(m_fx->prompter.shown().first().kind,
             saved ? ScriptedPrompter::Kind::Information : ScriptedPrompter::Kind::Warning);
    QCOMPARE(QFileInfo(m_fx->dir.filePath(file)).isFile(), saved);
    QCOMPARE(records.isChanged(), !saved);
}

void tst_RosterPages::accountField_testsOnLeaving_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("ownBank");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("message");

    QTest::newRow("tab 2, 否: another bank's account") << 2 << false << u"123456789012347"_s << QString();
    QTest::newRow("tab 2, 是: wrong check digit")
        << 2 << true << u"123456789012347"_s << u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
    QTest::newRow("tab 3: no card") << 3 << false << Card << u"付款人账号错误，必须为本行账号！"_s;
    QTest::newRow("tab 4: not numeric") << 4 << false << u"12a"_s << u"收款人账号/卡号错误！"_s;
}

void tst_RosterPages::accountField_testsOnLeaving()
{
    QFETCH(int, tab);
    QFETCH(bool, ownBank);
    QFETCH(QString, account);
    QFETCH(QString, message);
    m_fx->window->tabInput()->setCurrentIndex(tab);
    QLineEdit *accountField = field(tab, true);
    control<QRadioButton>(m_fx->window->frameBeneInput(), u"optYes2"_s)->setChecked(ownBank);
    accountField->setFocus(Qt::TabFocusReason);
    accountField->setText(account);
    m_fx->window->tabInput()->setCurrentIndex(0);
    QCoreApplication::processEvents();

    QTRY_COMPARE(m_fx->prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(m_fx->window->tabInput()->currentIndex(), tab);
        QTRY_VERIFY(accountField->hasFocus());
        QCOMPARE(accountField->selectedText(), account);
    }
}

void tst_RosterPages::pickers_offerDistinctNamesAndNarrowAccounts_data()
{
    QTest::addColumn<int>("tab");
    for (int tab = 2; tab <= 4; ++tab)
        QTest::addRow("roster of tab %d", tab) << tab;
}

void tst_RosterPages::pickers_offerDistinctNamesAndNarrowAccounts()
{
    QFETCH(int, tab);
    const auto [name, account] = pickers(tab);
    RecordListModel &records = page(tab)->list()->records();
    for (const QString &row : {u"张三/1"_s, u"李四/2"_s, u"张三/3"_s, u"李四/2"_s})
        records.appendRow(row.split(u'/'));

    QCOMPARE(itemTexts(name), (QStringList{u"张三"_s, u"李四"_s}));
    QCOMPARE(itemTexts(account), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    QCOMPARE(name->currentIndex(), -1);
    QCOMPARE(account->currentIndex(), -1);

    // Two accounts are left for the user to choose; a single one is chosen at once.
    QVERIFY(pick(name, u"张三"_s));
    QCOMPARE(itemTexts(account), (QStringList{u"1"_s, u"3"_s}));
    QCOMPARE(account->currentText(), QString());
    records.removeRowNumbers({4});
    QVERIFY(pick(name, u"李四"_s));
    QCOMPARE(itemTexts(account), QStringList{u"2"_s});
    QCOMPARE(account->currentText(), u"2"_s);
}

void tst_RosterPages::pickers_restoreTheTextsThatStillStand_data()
{
    QTest::addColumn<QString>("typed");   // name/account shown before the rebuild
    QTest::addColumn<QString>("removed"); // the row removed, which rebuilds the pickers
    QTest::addColumn<QString>("shown");   // name/account shown after it

    QTest::newRow("both still there") << u"张三/3"_s << u"李四/2"_s << u"张三/3"_s;
    QTest::newRow("account gone: no name either") << u"张三/3"_s << u"张三/3"_s << u"/"_s;
    QTest::newRow("no account: the single one is not kept") << u"李四/"_s << u"张三/1"_s << u"李四/"_s;
    QTest::newRow("typed name not in the roster") << u"王五/"_s << u"李四/2"_s << u"/"_s;
}

void tst_RosterPages::pickers_restoreTheTextsThatStillStand()
{
    QFETCH(QString, typed);
    QFETCH(QString, removed);
    QFETCH(QString, shown);
    const auto [name, account] = pickers(int(Workspace::List::BeneRoster));
    BeneficiaryListModel &roster = m_fx->window->workspace().beneRoster();
    const QStringList rows{u"张三/1"_s, u"李四/2"_s, u"张三/3"_s};
    for (const QString &row : rows)
        roster.appendRow(row.split(u'/'));
    typeInto(name, typed.section(u'/', 0, 0));
    typeInto(account, typed.section(u'/', 1, 1));

    roster.removeRowNumbers({int(rows.indexOf(removed)) + 1});

    QCOMPARE(name->currentText() + u'/' + account->currentText(), shown);
    QCOMPARE(name->currentIndex() >= 0, !shown.startsWith(u'/'));
}

QTEST_MAIN(tst_RosterPages)
#include "tst_rosterpages.moc"
