#include "UiFixture.h"

#include "ui/BatchInputPanel.h"
#include "ui/BeneInputPanel.h"
#include "ui/BranchPicker.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>
#include <utility>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr int BatchTab = 0;
constexpr int BeneTab = 2;

const QString BadCity = u"您输入的城市无效！"_s;
const QString BadBank = u"您输入的收款银行无效！"_s;
const QString NothingToFind = u"请选择省份、城市、收款银行以便可以精确的查找！"_s;

QString superiorQuestion(const QString &branch)
{
    return u"该收款开户行不存在，是否转入上级开户行？【"_s + branch + u"】"_s;
}

// The branch controls of one entry panel; the data column "tab" says which (0 batch, 2 beneficiary).
struct Panel
{
    BranchPicker *branch;
    QLineEdit *remark;
    int tab;

    QComboBox *state() const { return branch->cbState(); }
    QComboBox *city() const { return branch->cbCity(); }
    QComboBox *bankType() const { return branch->cbBankType(); }
    QComboBox *bank() const { return branch->cbBank(); }
    QComboBox *picker(const QString &role) const { return role == u"city"_s ? city() : bankType(); }

    // Picks province, city and bank, as a user narrowing the branch list does.
    bool narrowTo(const QString &province, const QString &cityName, const QString &bankName) const
    {
        return pick(state(), province) && pick(city(), cityName) && pick(bankType(), bankName);
    }
};

// One data row per panel: the panel's tab first, then the given values.
template <typename... Values> void addForBothPanels(const char *name, const Values &...values)
{
    for (const auto &[tab, panelName] : {std::pair{BatchTab, "batch"}, std::pair{BeneTab, "beneficiary"}}) {
        QTestData &row = QTest::addRow("%s: %s", panelName, name) << tab;
        (row << ... << values);
    }
}

void bothPanels()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("batch") << BatchTab;
    QTest::newRow("beneficiary") << BeneTab;
}

void leaveByFocusEvent(QWidget *picker, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(picker, &out);
    // The check runs once the event that moved the focus is over.
    QCoreApplication::processEvents();
}

const QStringList BeijingIcbcCodes{u"102100000014"_s, u"102100000022"_s, u"102100000039"_s};

} // namespace

class tst_BranchPicker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // The province -> city -> branch cascade
    void pickedProvince_emptiesCityListAndKeepsBranchList_data() { bothPanels(); }
    void pickedProvince_emptiesCityListAndKeepsBranchList();
    void pickedCityAndBank_fillBranchListWithItsCodes_data();
    void pickedCityAndBank_fillBranchListWithItsCodes();
    void prefixWithoutBranches_keepsPreviousList_data() { bothPanels(); }
    void prefixWithoutBranches_keepsPreviousList();
    void typedBranchText_survivesRefill_data() { bothPanels(); }
    void typedBranchText_survivesRefill();
    void refilledPickers_startWithoutSelectionAndCascadeNothing_data() { bothPanels(); }
    void refilledPickers_startWithoutSelectionAndCascadeNothing();
    void refilledPickers_widenTheirDropDown_data() { bothPanels(); }
    void refilledPickers_widenTheirDropDown();

    // Typed city and bank, checked when the focus leaves
    void typedCity_selectsItsProvinceThenTheCity_data();
    void typedCity_selectsItsProvinceThenTheCity();
    void typedBank_selectsBankAndFillsBranchList_data() { bothPanels(); }
    void typedBank_selectsBankAndFillsBranchList();
    void unknownTypedName_warnsBringsPanelTabBackAndRefocuses_data();
    void unknownTypedName_warnsBringsPanelTabBackAndRefocuses();
    void unknownTypedName_leftBySwitchingTab_warnsOnceWithPanelInFront_data();
    void unknownTypedName_leftBySwitchingTab_warnsOnceWithPanelInFront();
    void focusLeavingForWindowOrPopup_runsNoCheck_data();
    void focusLeavingForWindowOrPopup_runsNoCheck();
    void typedPickerGettingFocus_selectsWholeText_data();
    void typedPickerGettingFocus_selectsWholeText();

    // 查找
    void findExactName_selectsBranchAndDropsOnlyRedirectNote_data();
    void findExactName_selectsBranchAndDropsOnlyRedirectNote();
    void findUnknownName_offersSuperiorBranch_data();
    void findUnknownName_offersSuperiorBranch();
    void findWithNothingToGoOn_warnsAndChangesNothing_data();
    void findWithNothingToGoOn_warnsAndChangesNothing();
    void findEmptyText_doesNothing_data() { bothPanels(); }
    void findEmptyText_doesNothing();

    // Redirect notes and records shown in the pickers
    void redirectNote_removedOnlyByPanelsOwnTrigger_data();
    void redirectNote_removedOnlyByPanelsOwnTrigger();
    void ownBankRecord_clearsPickersAndKeepsRemark_data() { bothPanels(); }
    void ownBankRecord_clearsPickersAndKeepsRemark();
    void recordWithLeadingZeroCodes_selectsItsBranch_data() { bothPanels(); }
    void recordWithLeadingZeroCodes_selectsItsBranch();

private:
    Panel panel() const;
    // What a step that "changes nothing" must leave alone.
    struct Snapshot
    {
        QList<int> indexes;
        QStringList texts;
        QStringList branchItems;
        QStringList codes;
        QString remark;
        bool operator==(const Snapshot &) const = default;
    };
    static Snapshot snapshot(const Panel &p);

    std::unique_ptr<UiFixture> m_fx;
};

void tst_BranchPicker::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
    QVERIFY(m_fx->openMainWindow());
    // Shown and active, so that focus really moves as it does for a user.
    m_fx->window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fx->window.get()));
}

void tst_BranchPicker::cleanup()
{
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
    QCOMPARE(m_fx->prompter.pendingAnswers(), 0);
    m_fx.reset();
}

Panel tst_BranchPicker::panel() const
{
    QFETCH(int, tab);
    frmDirectCreditInput &w = *m_fx->window;
    if (tab == BatchTab)
        return {w.frameInput()->findChild<BranchPicker *>(),
                control<QLineEdit>(w.frameInput(), u"txtRemark"_s), tab};
    return {w.frameBeneInput()->findChild<BranchPicker *>(),
            control<QLineEdit>(w.frameBeneInput(), u"txtRemark3"_s), tab};
}

tst_BranchPicker::Snapshot tst_BranchPicker::snapshot(const Panel &p)
{
    Snapshot s;
    for (QComboBox *picker : {p.state(), p.city(), p.bankType(), p.bank()}) {
        s.indexes.append(picker->currentIndex());
        s.texts.append(picker->currentText());
    }
    s.branchItems = itemTexts(p.bank());
    s.codes = p.branch->BankListCodes();
    s.remark = p.remark->text();
    return s;
}

// ---- The province -> city -> branch cascade ----

void tst_BranchPicker::pickedProvince_emptiesCityListAndKeepsBranchList()
{
    const Panel p = panel();
    QVERIFY(p.narrowTo(u"北京市"_s, u"北京市"_s, u"中国工商银行"_s));
    const QStringList branches = itemTexts(p.bank());
    QCOMPARE(branches.size(), 3);

    QVERIFY(pick(p.state(), u"广东省"_s));

    QCOMPARE(itemTexts(p.city()), (QStringList{u"广州市"_s, u"深圳市"_s, u"  - 宝安区"_s}));
    QCOMPARE(itemData(p.city()), (QVariantList{u"5810"_s, u"5840"_s, u"5841"_s}));
    QCOMPARE(p.city()->currentIndex(), -1);
    QCOMPARE(p.city()->currentText(), QString());
    QCOMPARE(itemTexts(p.bank()), branches);
    QCOMPARE(p.branch->BankListCodes(), BeijingIcbcCodes);
}

void tst_BranchPicker::pickedCityAndBank_fillBranchListWithItsCodes_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("bank");
    QTest::addColumn<bool>("bankFirst");
    QTest::addColumn<QStringList>("branches");
    QTest::addColumn<QStringList>("codes");

    const QStringList beijingIcbc{u"中国工商银行北京市分行营业部"_s, u"中国工商银行北京市朝阳支行"_s,
                                  u"中国工商银行北京市海淀支行"_s};
    addForBothPanels("city, then bank", u"北京市"_s, u"北京市"_s, u"中国工商银行"_s, false, beijingIcbc,
                     BeijingIcbcCodes);
    addForBothPanels("bank, then city", u"北京市"_s, u"北京市"_s, u"中国工商银行"_s, true, beijingIcbc,
                     BeijingIcbcCodes);
    addForBothPanels("other bank", u"北京市"_s, u"北京市"_s, u"中国建设银行"_s, false,
                     QStringList{u"中国建设银行北京市分行"_s, u"中国建设银行北京市西城支行"_s},
                     QStringList{u"105100000017"_s, u"105100000025"_s});
    addForBothPanels("sub-area", u"广东省"_s, u"  - 宝安区"_s, u"中国工商银行"_s, false,
                     QStringList{u"中国工商银行深圳宝安支行"_s}, QStringList{u"102584100018"_s});
}

void tst_BranchPicker::pickedCityAndBank_fillBranchListWithItsCodes()
{
    QFETCH(QString, province);
    QFETCH(QString, city);
    QFETCH(QString, bank);
    QFETCH(bool, bankFirst);
    QFETCH(QStringList, branches);
    QFETCH(QStringList, codes);
    const Panel p = panel();

    if (bankFirst)
        QVERIFY(pick(p.bankType(), bank));
    QVERIFY(pick(p.state(), province));
    QVERIFY(pick(p.city(), city));
    if (!bankFirst)
        QVERIFY(pick(p.bankType(), bank));

    QCOMPARE(itemTexts(p.bank()), branches);
    QCOMPARE(p.branch->BankListCodes(), codes);
}

void tst_BranchPicker::prefixWithoutBranches_keepsPreviousList()
{
    const Panel p = panel();
    QVERIFY(p.narrowTo(u"北京市"_s, u"北京市"_s, u"中国工商银行"_s));
    const QStringList branches = itemTexts(p.bank());

    QVERIFY(pick(p.bankType(), u"澜港银行"_s)); // no branch of bank 313 anywhere
    QVERIFY(pick(p.state(), u"上海市"_s));
    QVERIFY(pick(p.city(), u"上海市"_s));

    QCOMPARE(itemTexts(p.bank()), branches);
    QCOMPARE(p.branch->BankListCodes(), BeijingIcbcCodes);
}

void tst_BranchPicker::typedBranchText_survivesRefill()
{
    const Panel p = panel();
    typeInto(p.bank(), u"我记得的支行"_s);

    QVERIFY(p.narrowTo(u"北京市"_s, u"北京市"_s, u"中国工商银行"_s));

    QCOMPARE(p.bank()->count(), 3);
    QCOMPARE(p.bank()->currentText(), u"我记得的支行"_s);
}

void tst_BranchPicker::refilledPickers_startWithoutSelectionAndCascadeNothing()
{
    const Panel p = panel();
    const QString note = BranchPicker::redirectNote(u"某支行"_s);
    p.remark->setText(note);
    QVERIFY(pick(p.bankType(), u"中国工商银行"_s));

    // Were the first city selected by itself, the bank picked above would fill the branch list.
    QVERIFY(pick(p.state(), u"北京市"_s));
    QCOMPARE(p.city()->count(), 1);
    QCOMPARE(p.city()->currentIndex(), -1);
    QCOMPARE(p.city()->currentText(), QString());
    QCOMPARE(p.bank()->count(), 0);
    QVERIFY(p.branch->BankListCodes().isEmpty());

    // Were the first branch selected by itself, the batch panel would take it for a pick.
    QVERIFY(pick(p.city(), u"北京市"_s));
    QCOMPARE(p.bank()->count(), 3);
    QCOMPARE(p.bank()->currentIndex(), -1);
    QCOMPARE(p.bank()->currentText(), QString());
    QCOMPARE(p.remark->text(), note);
    QVERIFY(m_fx->prompter.shown().isEmpty());
}

void tst_BranchPicker::refilledPickers_widenTheirDropDown()
{
    const Panel p = panel();
    m_fx->window->tabInput()->setCurrentIndex(p.tab); // laid out at their real width
    QCOMPARE(p.city()->logicalDpiX(), 96);            // 15 twips a pixel: the sum below is exact

    // Widest item plus 23 pixels of room, at least the box's own width and at most twice it.
    const auto expectedWidth = [](const QComboBox *combo) {
        int widest = 0;
        for (const QString &text : itemTexts(combo))
            widest = std::max(widest, combo->fontMetrics().horizontalAdvance(text));
        return std::clamp(widest + 23, combo->width(), 2 * combo->width());
    };

    QVERIFY(pick(p.state(), u"广东省"_s));
    QCOMPARE(p.city()->view()->minimumWidth(), expectedWidth(p.city()));
    QVERIFY(pick(p.city(), u"深圳市"_s));
    QVERIFY(pick(p.bankType(), u"中国工商银行"_s));
    QCOMPARE(p.bank()->view()->minimumWidth(), expectedWidth(p.bank()));

    // The list that drops down is that wide.
    p.bank()->showPopup();
    QVERIFY(p.bank()->view()->window()->width() >= expectedWidth(p.bank()));
    p.bank()->hidePopup();
}

// ---- Typed city and bank ----

void tst_BranchPicker::typedCity_selectsItsProvinceThenTheCity_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("provinceBefore");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("provinceData");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("firstBranchCode");

    // city.xml writes the province codes "0011" and "0044", as the pickers carry them.
    addForBothPanels("city", QString(), u"北京市"_s, u"北京市"_s, u"0011"_s, u"北京市"_s, u"102100000014"_s);
    addForBothPanels("sub-area without indent", QString(), u"宝安区"_s, u"广东省"_s, u"0044"_s,
                     u"  - 宝安区"_s, u"102584100018"_s);
    addForBothPanels("sub-area with indent", QString(), u"  - 宝安区"_s, u"广东省"_s, u"0044"_s,
                     u"  - 宝安区"_s, u"102584100018"_s);
    addForBothPanels("city of another province", u"北京市"_s, u"深圳市"_s, u"广东省"_s, u"0044"_s,
                     u"深圳市"_s, u"102584000013"_s);
}

void tst_BranchPicker::typedCity_selectsItsProvinceThenTheCity()
{
    QFETCH(QString, provinceBefore);
    QFETCH(QString, typed);
    QFETCH(QString, province);
    QFETCH(QString, provinceData);
    QFETCH(QString, city);
    QFETCH(QString, firstBranchCode);
    const Panel p = panel();
    QVERIFY(pick(p.bankType(), u"中国工商银行"_s));
    if (!provinceBefore.isEmpty())
        QVERIFY(pick(p.state(), provinceBefore));

    typeInto(p.city(), typed);
    leaveByFocusEvent(p.city());

    QCOMPARE(p.state()->currentText(), province);
    QCOMPARE(p.state()->currentData().toString(), provinceData);
    QCOMPARE(p.city()->currentText(), city);
    QCOMPARE(p.city()->currentIndex(), p.city()->findText(city));
    QVERIFY(!p.branch->BankListCodes().isEmpty());
    QCOMPARE(p.branch->BankListCodes().first(), firstBranchCode);
    QVERIFY(m_fx->prompter.shown().isEmpty());
}

void tst_BranchPicker::typedBank_selectsBankAndFillsBranchList()
{
    const Panel p = panel();
    QVERIFY(pick(p.state(), u"北京市"_s));
    QVERIFY(pick(p.city(), u"北京市"_s));

    typeInto(p.bankType(), u"中国建设银行"_s);
    p.branch->CheckTypedBankType();

    QCOMPARE(p.bankType()->currentIndex(), 1);
    QCOMPARE(p.branch->BankListCodes(), (QStringList{u"105100000017"_s, u"105100000025"_s}));
    QVERIFY(m_fx->prompter.shown().isEmpty());
}

void tst_BranchPicker::unknownTypedName_warnsBringsPanelTabBackAndRefocuses_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    addForBothPanels("city", u"city"_s, u"火星市"_s, BadCity);
    // Bank names are compared exactly: a trailing blank is another bank.
    addForBothPanels("bank", u"bankType"_s, u"中国工商银行 "_s, BadBank);
}

void tst_BranchPicker::unknownTypedName_warnsBringsPanelTabBackAndRefocuses()
{
    QFETCH(QString, role);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    const Panel p = panel();
    QTabWidget *tabs = m_fx->window->tabInput();
    QComboBox *picker = p.picker(role);
    typeInto(picker, typed);
    tabs->setCurrentIndex(p.tab == BatchTab ? BeneTab : BatchTab);
    QLineEdit *elsewhere = p.tab == BatchTab
                               ? control<QLineEdit>(m_fx->window->frameBeneInput(), u"txtRemark3"_s)
                               : control<QLineEdit>(m_fx->window->frameInput(), u"txtRemark"_s);
    elsewhere->setFocus(Qt::TabFocusReason);
    QVERIFY(elsewhere->hasFocus());

    leaveByFocusEvent(picker);

    QCOMPARE(m_fx->prompter.texts(), QStringList{message});
    QCOMPARE(m_fx->prompter.shown().first().kind, ScriptedPrompter::Kind::Warning);
    QCOMPARE(tabs->currentIndex(), p.tab);
    QVERIFY(picker->isVisible());
    QVERIFY(picker->hasFocus());
    QCOMPARE(picker->lineEdit()->selectedText(), typed);
}

void tst_BranchPicker::unknownTypedName_leftBySwitchingTab_warnsOnceWithPanelInFront_data()
{
    unknownTypedName_warnsBringsPanelTabBackAndRefocuses_data();
}

// The user types a wrong name and clicks another tab: the check runs while the tab widget is
// still switching pages.
void tst_BranchPicker::unknownTypedName_leftBySwitchingTab_warnsOnceWithPanelInFront()
{
    QFETCH(QString, role);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    const Panel p = panel();
    QTabWidget *tabs = m_fx->window->tabInput();
    QComboBox *picker = p.picker(role);
    tabs->setCurrentIndex(p.tab);
    picker->setFocus(Qt::MouseFocusReason);
    typeInto(picker, typed);

    const int otherTab = p.tab == BatchTab ? BeneTab : BatchTab;
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(otherTab).center());
    QCoreApplication::processEvents();

    // All of what the user sees in one line, so that a failure tells the whole story.
    const auto seen = [](qsizetype messages, int tab, const QString &pages, bool focused) {
        return u"%1 message(s), tab %2 selected, page(s) %3 shown, picker %4"_s.arg(messages).arg(tab).arg(
            pages, focused ? u"focused"_s : u"not focused"_s);
    };
    QStringList pages;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isVisible())
            pages.append(QString::number(i));
    QCOMPARE(seen(m_fx->prompter.texts().size(), tabs->currentIndex(), pages.join(u','),
                  picker->isVisible() && picker->hasFocus()),
             seen(1, p.tab, QString::number(p.tab), true));
    QCOMPARE(m_fx->prompter.texts(), QStringList{message});
}

void tst_BranchPicker::focusLeavingForWindowOrPopup_runsNoCheck_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<Qt::FocusReason>("reason");
    QTest::addColumn<bool>("checked");

    addForBothPanels("to another window", Qt::ActiveWindowFocusReason, false);
    addForBothPanels("to a popup", Qt::PopupFocusReason, false);
    addForBothPanels("by tab", Qt::TabFocusReason, true);
    addForBothPanels("by mouse", Qt::MouseFocusReason, true);
}

void tst_BranchPicker::focusLeavingForWindowOrPopup_runsNoCheck()
{
    QFETCH(Qt::FocusReason, reason);
    QFETCH(bool, checked);
    const Panel p = panel();
    typeInto(p.city(), u"火星市"_s);

    leaveByFocusEvent(p.city(), reason);

    QCOMPARE(m_fx->prompter.texts(), checked ? QStringList{BadCity} : QStringList());
}

void tst_BranchPicker::typedPickerGettingFocus_selectsWholeText_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("role");

    addForBothPanels("city", u"city"_s);
    addForBothPanels("bank", u"bankType"_s);
}

void tst_BranchPicker::typedPickerGettingFocus_selectsWholeText()
{
    QFETCH(QString, role);
    const Panel p = panel();
    m_fx->window->tabInput()->setCurrentIndex(p.tab);
    QComboBox *picker = p.picker(role);
    typeInto(picker, u"深圳市"_s);
    picker->lineEdit()->deselect();

    // A line edit selects its text by itself only when tabbed into.
    picker->setFocus(Qt::MouseFocusReason);

    QVERIFY(picker->hasFocus());
    QTRY_COMPARE(picker->lineEdit()->selectedText(), u"深圳市"_s);
}

// ---- 查找 ----

void tst_BranchPicker::findExactName_selectsBranchAndDropsOnlyRedirectNote_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("remarkAfter");

    addForBothPanels("ordinary remark kept", u"工资"_s, u"工资"_s);
    addForBothPanels("redirect note removed", u"请转：（某支行）"_s, QString());
}

void tst_BranchPicker::findExactName_selectsBranchAndDropsOnlyRedirectNote()
{
    QFETCH(QString, remark);
    QFETCH(QString, remarkAfter);
    const Panel p = panel();
    QVERIFY(pick(p.state(), u"上海市"_s)); // the find must move away from what is picked
    typeInto(p.bank(), u"中国工商银行北京市朝阳支行"_s);
    p.remark->setText(remark);

    p.branch->cmdFindBank()->click();

    QCOMPARE(p.state()->currentText(), u"北京市"_s);
    QCOMPARE(p.city()->currentText(), u"北京市"_s);
    QCOMPARE(p.bankType()->currentText(), u"中国工商银行"_s);
    QCOMPARE(p.bank()->currentIndex(), 1);
    QCOMPARE(p.bank()->currentText(), u"中国工商银行北京市朝阳支行"_s);
    QCOMPARE(p.branch->BankListCodes().at(1), u"102100000022"_s);
    QCOMPARE(p.remark->text(), remarkAfter);
    QVERIFY(m_fx->prompter.shown().isEmpty());
}

void tst_BranchPicker::findUnknownName_offersSuperiorBranch_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("narrowed"); // 北京市, 北京市, 中国建设银行 picked first
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("superior");
    QTest::addColumn<QStringList>("pickers"); // province, city, bank after Yes

    const QStringList shenzhenIcbc{u"广东省"_s, u"深圳市"_s, u"中国工商银行"_s};
    const QStringList beijingCcb{u"北京市"_s, u"北京市"_s, u"中国建设银行"_s};
    addForBothPanels("city and bank in the name", false, u"中国工商银行深圳市福田支行"_s,
                     u"中国工商银行深圳市分行"_s, shenzhenIcbc);
    addForBothPanels("the name wins over the pickers", true, u"中国工商银行深圳市福田支行"_s,
                     u"中国工商银行深圳市分行"_s, shenzhenIcbc);
    addForBothPanels("sub-area and bank in the name", false, u"中国工商银行宝安区西乡支行"_s,
                     u"中国工商银行深圳宝安支行"_s,
                     QStringList{u"广东省"_s, u"  - 宝安区"_s, u"中国工商银行"_s});
    addForBothPanels("nothing in the name: the picked prefix", true, u"某某路支行"_s,
                     u"中国建设银行北京市分行"_s, beijingCcb);
    // A bank alone makes no seven-character prefix.
    addForBothPanels("only a bank in the name: the picked prefix", true, u"中国工商银行某某路支行"_s,
                     u"中国建设银行北京市分行"_s, beijingCcb);
}

void tst_BranchPicker::findUnknownName_offersSuperiorBranch()
{
    QFETCH(bool, narrowed);
    QFETCH(QString, typed);
    QFETCH(QString, superior);
    QFETCH(QStringList, pickers);
    const Panel p = panel();
    if (narrowed)
        QVERIFY(p.narrowTo(u"北京市"_s, u"北京市"_s, u"中国建设银行"_s));
    typeInto(p.bank(), typed);
    p.remark->setText(u"房租"_s);
    const Snapshot before = snapshot(p);

    // No: nothing changes.
    m_fx->prompter.answerNext(Prompter::Answer::No);
    p.branch->cmdFindBank()->click();
    QCOMPARE(m_fx->prompter.texts(), QStringList{superiorQuestion(superior)});
    QCOMPARE(m_fx->prompter.shown().first().kind, ScriptedPrompter::Kind::Question);
    QVERIFY(snapshot(p) == before);

    // Yes: the superior branch in its pickers, and a note of what was typed.
    m_fx->prompter.answerNext(Prompter::Answer::Yes);
    p.branch->cmdFindBank()->click();
    QCOMPARE(m_fx->prompter.texts().size(), 2);
    QCOMPARE(p.bank()->currentText(), superior);
    QCOMPARE(p.remark->text(), u"请转：（"_s + typed + u"）"_s);
    QCOMPARE((QStringList{p.state()->currentText(), p.city()->currentText(), p.bankType()->currentText()}),
             pickers);
}

void tst_BranchPicker::findWithNothingToGoOn_warnsAndChangesNothing_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("bank");

    addForBothPanels("nothing picked", QString(), QString(), QString());
    addForBothPanels("no city picked", u"北京市"_s, QString(), u"中国建设银行"_s);
    addForBothPanels("picked prefix without branches", u"上海市"_s, u"上海市"_s, u"中国建设银行"_s);
}

void tst_BranchPicker::findWithNothingToGoOn_warnsAndChangesNothing()
{
    QFETCH(QString, province);
    QFETCH(QString, city);
    QFETCH(QString, bank);
    const Panel p = panel();
    if (!province.isEmpty())
        QVERIFY(pick(p.state(), province));
    if (!city.isEmpty())
        QVERIFY(pick(p.city(), city));
    if (!bank.isEmpty())
        QVERIFY(pick(p.bankType(), bank));
    typeInto(p.bank(), u"某某路支行"_s);
    p.remark->setText(u"请转：（旧支行）"_s);
    const Snapshot before = snapshot(p);

    p.branch->cmdFindBank()->click();

    QCOMPARE(m_fx->prompter.texts(), QStringList{NothingToFind});
    QCOMPARE(m_fx->prompter.shown().first().kind, ScriptedPrompter::Kind::Warning);
    QVERIFY(snapshot(p) == before);
}

void tst_BranchPicker::findEmptyText_doesNothing()
{
    const Panel p = panel();
    QVERIFY(p.narrowTo(u"北京市"_s, u"北京市"_s, u"中国工商银行"_s));
    p.remark->setText(u"请转：（旧支行）"_s);
    const Snapshot before = snapshot(p);

    p.branch->cmdFindBank()->click();

    QVERIFY(m_fx->prompter.shown().isEmpty());
    QVERIFY(snapshot(p) == before);
}

// ---- Redirect notes and records ----

void tst_BranchPicker::redirectNote_removedOnlyByPanelsOwnTrigger_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("byPick"); // a pick from the branch list, or typing
    QTest::addColumn<QString>("remark");
    QTest::addColumn<bool>("removed");

    const QString note = u"请转：（某支行）"_s;
    QTest::newRow("batch: pick drops a note") << BatchTab << true << note << true;
    QTest::newRow("batch: pick drops a bare prefix") << BatchTab << true << u"请转："_s << true;
    QTest::newRow("batch: pick keeps two characters") << BatchTab << true << u"请转"_s << false;
    QTest::newRow("batch: pick keeps an ordinary remark") << BatchTab << true << u"请转账给张三"_s << false;
    QTest::newRow("batch: typing keeps the note") << BatchTab << false << note << false;
    QTest::newRow("beneficiary: typing drops a note") << BeneTab << false << note << true;
    QTest::newRow("beneficiary: typing drops a bare prefix") << BeneTab << false << u"请转："_s << true;
    QTest::newRow("beneficiary: typing keeps two characters") << BeneTab << false << u"请转"_s << false;
    QTest::newRow("beneficiary: pick drops a note") << BeneTab << true << note << true;
}

void tst_BranchPicker::redirectNote_removedOnlyByPanelsOwnTrigger()
{
    QFETCH(bool, byPick);
    QFETCH(QString, remark);
    QFETCH(bool, removed);
    const Panel p = panel();
    QVERIFY(p.narrowTo(u"北京市"_s, u"北京市"_s, u"中国工商银行"_s));
    p.remark->setText(remark);

    if (byPick)
        p.bank()->setCurrentIndex(2);
    else
        typeInto(p.bank(), u"中国工商银行北京市"_s);

    QCOMPARE(p.remark->text(), removed ? QString() : remark);
}

void tst_BranchPicker::ownBankRecord_clearsPickersAndKeepsRemark()
{
    const Panel p = panel();
    p.branch->ShowBankOfRecord({u"102100000022"_s, u"102"_s, u"0011"_s, u"1000"_s});
    QCOMPARE(p.bank()->currentIndex(), 1);
    const QString note = u"请转：（某支行）"_s;
    p.remark->setText(note);

    p.branch->ShowBankOfRecord({u"ZPK"_s, QString(), QString(), QString()}, u"另一备注"_s);

    for (QComboBox *picker : {p.state(), p.city(), p.bankType(), p.bank()}) {
        QCOMPARE(picker->currentIndex(), -1);
        QCOMPARE(picker->currentText(), QString());
    }
    QCOMPARE(p.remark->text(), note);
    QVERIFY(m_fx->prompter.shown().isEmpty());
}

// Province codes are written with four characters ("0044") and bank codes may be too ("0102"),
// while the pickers carry them left-filled to 4 and 3 characters: they must still be found.
void tst_BranchPicker::recordWithLeadingZeroCodes_selectsItsBranch()
{
    const Panel p = panel();

    p.branch->ShowBankOfRecord({u"102584000013"_s, u"0102"_s, u"0044"_s, u"5840"_s}, u"工资"_s);

    QCOMPARE(p.state()->currentText(), u"广东省"_s);
    QCOMPARE(p.city()->currentText(), u"深圳市"_s);
    QCOMPARE(p.bankType()->currentText(), u"中国工商银行"_s);
    QCOMPARE(p.bank()->currentIndex(), 0);
    QCOMPARE(p.bank()->currentText(), u"中国工商银行深圳市分行"_s);
    QCOMPARE(p.remark->text(), u"工资"_s);
}

QTEST_MAIN(tst_BranchPicker)
#include "tst_branchpicker.moc"
