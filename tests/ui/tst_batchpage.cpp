#include "UiFixture.h"

#include "ui/BatchPage.h"
#include "ui/FieldBehaviours.h"
#include "ui/StatusPanels.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

const QString PayerName = u"澜港科技有限公司"_s;
const QString PayerAccount = u"123456789012345"_s;
const QString Bene = u"张三"_s;
const QString BeneAccount = u"6222020200112233"_s;
const QString Branch = u"中国工商银行北京市朝阳支行"_s;
const QString NonUrgent = u"非加急"_s;

} // namespace

class tst_BatchPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void add_appendsRowAndOffersWhatTheRostersLack_data();
    void add_appendsRowAndOffersWhatTheRostersLack();
    void edit_overwritesCurrentRowOnlyAndPaintsItBlack_data();
    void edit_overwritesCurrentRowOnlyAndPaintsItBlack();
    void totals_refusedTotalKeepsTheStatusBar_data();
    void totals_refusedTotalKeepsTheStatusBar();
    void beneAccountPick_fillsPanelFromRoster_data();
    void beneAccountPick_fillsPanelFromRoster();
    void addWithoutLeavingTheAmount_storesItsShownForm_data();
    void addWithoutLeavingTheAmount_storesItsShownForm();
    void fieldLeft_reformatsOrRefusesItsText_data();
    void fieldLeft_reformatsOrRefusesItsText();
    void personalLayout_leavesBatchAndBeneficiaryTabsOnly_data();
    void personalLayout_leavesBatchAndBeneficiaryTabsOnly();

private:
    // The main window of `edition`, shown and active so that focus moves as for a user.
    BatchInputPanel *open(Edition edition = Edition::Corporate);
    // A panel that passes every rule: an ICBC branch in Beijing, 100.00, non-urgent.
    bool fillPanel(const QString &remark = {});
    BatchPage *page() const { return m_fx->window->batchPage(); }
    BatchListModel &batch() const { return m_fx->window->workspace().batchList(); }
    QStringList status() const
    {
        return {m_fx->window->StatusBar()->countText(), m_fx->window->StatusBar()->totalText()};
    }
    void addRows(const QStringList &amounts, const QString &branch = Branch);
    // The panel's controls by their names.
    QComboBox *picker(const QString &name) const { return control<QComboBox>(m_panel, name); }
    QLineEdit *textBox(const QString &name) const { return control<QLineEdit>(m_panel, name); }

    std::unique_ptr<UiFixture> m_fx;
    BatchInputPanel *m_panel = nullptr;
};

void tst_BatchPage::cleanup()
{
    m_fx.reset();
}

BatchInputPanel *tst_BatchPage::open(Edition edition)
{
    m_fx = std::make_unique<UiFixture>();
    if (!m_fx->writeTables() || !m_fx->openMainWindow(edition))
        return nullptr;
    m_fx->window->show();
    if (!QTest::qWaitForWindowActive(m_fx->window.get()))
        return nullptr;
    return m_panel = m_fx->window->frameInput();
}

bool tst_BatchPage::fillPanel(const QString &remark)
{
    if (m_fx->state.isCorporate()) {
        typeInto(picker(u"cbPayerName"_s), PayerName);
        typeInto(picker(u"cbPayerAccount"_s), PayerAccount);
        if (!pick(picker(u"cbEmergency"_s), NonUrgent))
            return false;
    }
    typeInto(picker(u"cbBeneName"_s), Bene);
    typeInto(picker(u"cbBeneAccount"_s), BeneAccount);
    BranchPicker *branch = m_panel->findChild<BranchPicker *>();
    textBox(u"txtAmount"_s)->setText(u"100.00"_s);
    textBox(u"txtRemark"_s)->setText(remark);
    return pick(branch->cbState(), u"北京市"_s) && pick(branch->cbCity(), u"北京市"_s) &&
           pick(branch->cbBankType(), u"中国工商银行"_s) && pick(branch->cbBank(), Branch);
}

void tst_BatchPage::addRows(const QStringList &amounts, const QString &branch)
{
    for (const QString &amount : amounts) {
        BatchPayment p;
        p.PayerName = PayerName;
        p.BeneName = u"行%1"_s.arg(batch().count() + 1);
        p.BankName = branch;
        p.Amount = amount;
        batch().AddBatchRow(p);
    }
}

// ---- Add ----

void tst_BatchPage::add_appendsRowAndOffersWhatTheRostersLack_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<bool>("payerKnown");
    QTest::addColumn<QString>("rosterRemark"); // of the beneficiary in the roster; "-": not there
    QTest::addColumn<QString>("remark");       // typed into the panel
    QTest::addColumn<QString>("answers");      // 是/否, one per question
    QTest::addColumn<QStringList>("shown");    // every message, in order
    QTest::addColumn<int>("payersAdded");
    QTest::addColumn<int>("benesAdded");

    const QString askPayer = u"付款人不存在，需要保存到名册吗？"_s;
    const QString askBene = u"收款人不存在，需要保存到名册吗？"_s;
    QTest::newRow("both new, both kept")
        << false << false << u"-"_s << u"货款"_s << u"是是"_s << QStringList{askPayer, askBene} << 1 << 1;
    QTest::newRow("new payer declined")
        << false << false << u"货款"_s << u"货款"_s << u"否"_s << QStringList{askPayer} << 0 << 0;
    QTest::newRow("both known") << false << true << u"货款"_s << u"货款"_s << QString() << QStringList{} << 0
                                << 0;
    QTest::newRow("known beneficiary, other remark")
        << false << true << u"货款"_s << u"工资"_s << u"是"_s << QStringList{askBene} << 0 << 1;
    QTest::newRow("personal: no payer question")
        << true << false << u"-"_s << QString() << u"否"_s << QStringList{askBene} << 0 << 0;
}

void tst_BatchPage::add_appendsRowAndOffersWhatTheRostersLack()
{
    QFETCH(bool, personal);
    QFETCH(bool, payerKnown);
    QFETCH(QString, rosterRemark);
    QFETCH(QString, remark);
    QFETCH(QString, answers);
    QFETCH(QStringList, shown);
    QFETCH(int, payersAdded);
    QFETCH(int, benesAdded);
    QVERIFY(open(personal ? Edition::Personal : Edition::Corporate));
    Workspace &ws = m_fx->window->workspace();
    if (payerKnown)
        AddPayer(ws.payerRoster(), {PayerName, PayerAccount});
    if (rosterRemark != u"-"_s)
        ws.beneRoster().AddBeneficiary({Bene, BeneAccount, Branch, {}, rosterRemark});
    const int payers = ws.payerRoster().count();
    const int benes = ws.beneRoster().count();
    for (QChar answer : answers)
        m_fx->prompter.answerNext(answer == u'是' ? Prompter::Answer::Yes : Prompter::Answer::No);
    QVERIFY(fillPanel(remark));
    textBox(u"txtAmount"_s)->setFocus();

    QTest::mouseClick(page()->addButton(), Qt::LeftButton);

    QCOMPARE(m_fx->prompter.texts(), shown);
    QCOMPARE(m_fx->prompter.pendingAnswers(), 0);
    QCOMPARE(ws.payerRoster().count(), payers + payersAdded);
    QCOMPARE(ws.payerRoster().isChanged(), payersAdded > 0);
    QCOMPARE(ws.beneRoster().count(), benes + benesAdded);
    QCOMPARE(ws.beneRoster().isChanged(), benesAdded > 0);
    if (benesAdded)
        QCOMPARE(ws.beneRoster().rowTexts(ws.beneRoster().count()),
                 (QStringList{Bene, BeneAccount, Branch, remark}));
    const QStringList row{PayerName, PayerAccount, Bene, BeneAccount, Branch, u"100.00"_s, NonUrgent, remark};
    QCOMPARE(batch().rowTexts(1), personal ? row.mid(2) : row);
    QVERIFY(batch().isChanged());
    QCOMPARE(status(), (QStringList{u"1"_s, u"100.00"_s}));
    // The panel is empty for the next payment, which starts with the same payer.
    QCOMPARE(picker(u"cbPayerName"_s)->currentText(), personal ? QString() : PayerName);
    QCOMPARE(picker(u"cbPayerAccount"_s)->currentText(), personal ? QString() : PayerAccount);
    const QStringList panelNow{picker(u"cbBeneName"_s)->currentText(),
                               picker(u"cbBeneAccount"_s)->currentText(),
                               m_panel->findChild<BranchPicker *>()->cbBank()->currentText(),
                               textBox(u"txtAmount"_s)->text(),
                               picker(u"cbEmergency"_s)->currentText(),
                               textBox(u"txtRemark"_s)->text()};
    QCOMPARE(panelNow, (QStringList{{}, {}, {}, u"0.00"_s, {}, {}}));
    QVERIFY(picker(u"cbBeneName"_s)->hasFocus());
}

// ---- Edit ----

void tst_BatchPage::edit_overwritesCurrentRowOnlyAndPaintsItBlack_data()
{
    QTest::addColumn<QList<int>>("clicked"); // rows clicked in turn, all but the first with Ctrl
    QTest::addColumn<int>("edited");         // 0: none
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("the row clicked") << QList<int>{2} << 2 << QStringList();
    QTest::newRow("two rows selected: refused")
        << QList<int>{2, 1} << 0 << QStringList{u"请先单击要修改的记录！"_s};
    QTest::newRow("no current row: nothing happens") << QList<int>() << 0 << QStringList();
}

void tst_BatchPage::edit_overwritesCurrentRowOnlyAndPaintsItBlack()
{
    QFETCH(QList<int>, clicked);
    QFETCH(int, edited);
    QFETCH(QStringList, messages);
    QVERIFY(open());
    addRows({u"1.00"_s});
    addRows({u"2.00"_s}, u"已撤销的支行"_s);
    addRows({u"4.00"_s});
    QVERIFY(ColorListRow(batch(), 2, u"255"_s));
    const QList<QStringList> before{batch().rowTexts(1), batch().rowTexts(2), batch().rowTexts(3)};
    RecordListView *list = page()->list();
    for (int row : clicked)
        QTest::mouseClick(list->viewport(), Qt::LeftButton,
                          row == clicked.first() ? Qt::NoModifier : Qt::ControlModifier,
                          list->visualRect(list->model()->index(row - 1, 0)).center());
    QVERIFY(fillPanel(u"改过"_s));

    QTest::mouseClick(page()->editButton(), Qt::LeftButton);

    QList<QStringList> expected = before;
    if (edited)
        expected[edited - 1] = {PayerName, PayerAccount, Bene,      BeneAccount,
                                Branch,    u"100.00"_s,  NonUrgent, u"改过"_s};
    QCOMPARE((QList<QStringList>{batch().rowTexts(1), batch().rowTexts(2), batch().rowTexts(3)}), expected);
    QCOMPARE(batch().rowState(2), edited ? RowState::Normal : RowState::UnknownBranch);
    QCOMPARE(batch().isChanged(), edited > 0);
    QCOMPARE(status(), edited ? (QStringList{u"3"_s, u"105.00"_s}) : (QStringList{u"0"_s, u"0.00"_s}));
    // The panel stays as it was for another edit.
    QCOMPARE(textBox(u"txtRemark"_s)->text(), u"改过"_s);
    QCOMPARE(m_fx->prompter.texts(), messages);
}

// ---- Totals ----

void tst_BatchPage::totals_refusedTotalKeepsTheStatusBar_data()
{
    QTest::addColumn<QStringList>("amounts"); // the first is shown before the others come
    QTest::addColumn<QStringList>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("one cent more") << QStringList{u"99,999,999.99"_s, u"0.02"_s}
                                   << QStringList{u"1"_s, u"99,999,999.99"_s}
                                   << u"总金额金额不允许超出 100,000,000.00！"_s;
    QTest::newRow("an amount from a file that is no number")
        << QStringList{u"1.00"_s, u"2.00"_s, u"一百"_s} << QStringList{u"1"_s, u"1.00"_s}
        << u"第3行金额错误，无法计算总金额！"_s;
}

void tst_BatchPage::totals_refusedTotalKeepsTheStatusBar()
{
    QFETCH(QStringList, amounts);
    QFETCH(QStringList, status);
    QFETCH(QString, message);
    QVERIFY(open());
    addRows(amounts.first(1));
    page()->RefreshBatchTotals();
    addRows(amounts.mid(1));

    page()->RefreshBatchTotals();

    QCOMPARE(this->status(), status);
    QCOMPARE(m_fx->prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
}

// ---- Picking a known account ----

void tst_BatchPage::beneAccountPick_fillsPanelFromRoster_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QStringList>("panel"); // option, province, city, bank, branch, remark

    QTest::newRow("another bank's branch")
        << Bene << BeneAccount
        << QStringList{u"否"_s, u"北京市"_s, u"北京市"_s, u"中国工商银行"_s, Branch, u"货款"_s};
    QTest::newRow("own bank: no branch picked")
        << Bene << u"310000000000026"_s << QStringList{u"是"_s, {}, {}, {}, {}, u"工资"_s};
    QTest::newRow("account of another name: nothing changes")
        << u"李四"_s << BeneAccount << QStringList{u"否"_s, {}, {}, {}, {}, u"原来的"_s};
}

void tst_BatchPage::beneAccountPick_fillsPanelFromRoster()
{
    QFETCH(QString, name);
    QFETCH(QString, account);
    QFETCH(QStringList, panel);
    QVERIFY(open());
    BeneficiaryListModel &roster = m_fx->window->workspace().beneRoster();
    roster.AddBeneficiary({Bene, BeneAccount, Branch, {}, u"货款"_s});
    roster.AddBeneficiary({Bene, u"310000000000026"_s, u"澜港银行"_s, {}, u"工资"_s});
    QComboBox *accounts = picker(u"cbBeneAccount"_s);
    accounts->addItems({BeneAccount, u"310000000000026"_s});
    accounts->setCurrentIndex(-1);
    typeInto(picker(u"cbBeneName"_s), name);
    textBox(u"txtRemark"_s)->setText(u"原来的"_s);

    QVERIFY(pick(accounts, account));

    BranchPicker *branch = m_panel->findChild<BranchPicker *>();
    const QStringList shown{control<QRadioButton>(m_panel, u"optYes"_s)->isChecked() ? u"是"_s : u"否"_s,
                            branch->cbState()->currentText(),
                            branch->cbCity()->currentText(),
                            branch->cbBankType()->currentText(),
                            branch->cbBank()->currentText(),
                            textBox(u"txtRemark"_s)->text()};
    QCOMPARE(shown, panel);
}

// ---- Leaving a field ----

void tst_BatchPage::addWithoutLeavingTheAmount_storesItsShownForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // empty: refused
    QTest::addColumn<QString>("message");

    QTest::newRow("reformatted") << u"1234.5"_s << u"1,234.50"_s << QString();
    QTest::newRow("above the single-amount ceiling")
        << u"100000000.01"_s << QString() << u"单笔金额金额不允许超出 100,000,000.00！"_s;
}

// A button pressed from the keyboard leaves the amount field without a focus change.
void tst_BatchPage::addWithoutLeavingTheAmount_storesItsShownForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    QVERIFY(open());
    QVERIFY(fillPanel());
    picker(u"cbEmergency"_s)->setCurrentIndex(picker(u"cbEmergency"_s)->findText(u"加急"_s));
    textBox(u"txtAmount"_s)->setText(typed);
    m_fx->prompter.answerNext(Prompter::Answer::No);
    m_fx->prompter.answerNext(Prompter::Answer::No);

    page()->addButton()->click();

    QCOMPARE(batch().count(), stored.isEmpty() ? 0 : 1);
    if (!stored.isEmpty())
        QCOMPARE(batch().ReadBatchRow(1).Amount, stored);
    QCOMPARE(m_fx->prompter.texts().value(0),
             message.isEmpty() ? u"付款人不存在，需要保存到名册吗？"_s : message);
    m_fx->prompter.clear();
}

void tst_BatchPage::fieldLeft_reformatsOrRefusesItsText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("ownBank"); // 是 chosen
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");

    const QString amount = u"txtAmount"_s;
    const QString bene = u"cbBeneAccount"_s;
    const QString payer = u"cbPayerAccount"_s;
    const QString tooMuch = u"单笔金额金额不允许超出 100,000,000.00！"_s;
    const QString notOwn = u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
    const auto row = [](const char *name, const QString &field, bool ownBank, const QString &typed,
                        const QString &shown, const QString &message) {
        QTest::newRow(name) << field << ownBank << typed << shown << message;
    };
    row("amount regrouped", amount, false, u"1234.5"_s, u"1,234.50"_s, {});
    row("amount rounded to the ceiling", amount, false, u"100000000.004"_s, u"100,000,000.00"_s, {});
    row("amount a cent above the ceiling", amount, false, u"100000000.01"_s, u"100,000,000.01"_s, tooMuch);
    row("amount empty", amount, false, {}, {}, u"金额错误！"_s);
    row("other bank's account: no check digit", bene, false, u"123456789012347"_s, u"123456789012347"_s, {});
    row("own bank's account: check digit", bene, true, u"123456789012347"_s, u"123456789012347"_s, notOwn);
    row("beneficiary account not a number", bene, false, u"6222-02"_s, u"6222-02"_s,
        u"收款人账号/卡号错误！"_s);
    row("empty account not tested", bene, true, {}, {}, {});
    row("payer account with a card's length", payer, false, u"1234567890123456"_s, u"1234567890123456"_s,
        u"付款人账号错误！"_s);
}

void tst_BatchPage::fieldLeft_reformatsOrRefusesItsText()
{
    QFETCH(QString, field);
    QFETCH(bool, ownBank);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    QVERIFY(open());
    (ownBank ? control<QRadioButton>(m_panel, u"optYes"_s) : control<QRadioButton>(m_panel, u"optNo"_s))
        ->setChecked(true);
    auto *widget = m_panel->findChild<QWidget *>(field);
    QVERIFY(widget);
    QLineEdit *box = FieldBehaviours::textBoxOf(widget);
    widget->setFocus(Qt::MouseFocusReason);
    QVERIFY(widget->hasFocus());
    box->setText(typed);

    // The user leaves the field for another tab.
    m_fx->window->tabInput()->setCurrentIndex(int(Workspace::List::BeneRoster));
    QCoreApplication::processEvents();

    QCOMPARE(box->text(), shown);
    QCOMPARE(m_fx->prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m_fx->window->tabInput()->currentIndex(),
             message.isEmpty() ? int(Workspace::List::BeneRoster) : int(Workspace::List::Batch));
    if (!message.isEmpty()) {
        QVERIFY(widget->hasFocus());
        QCOMPARE(box->selectedText(), shown);
    }
}

// ---- Personal layout ----

Q_DECLARE_METATYPE(lgbatch::Edition)

void tst_BatchPage::personalLayout_leavesBatchAndBeneficiaryTabsOnly_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("usableTabs");
    QTest::addColumn<bool>("payerAndModeShown");

    QTest::newRow("corporate") << Edition::Corporate << 8 << u"01234"_s << true;
    QTest::newRow("personal") << Edition::Personal << 6 << u"02"_s << false;
}

void tst_BatchPage::personalLayout_leavesBatchAndBeneficiaryTabsOnly()
{
    QFETCH(Edition, edition);
    QFETCH(int, columns);
    QFETCH(QString, usableTabs);
    QFETCH(bool, payerAndModeShown);
    QVERIFY(open(edition));
    QTabWidget *tabs = m_fx->window->tabInput();

    QString usable;
    for (int tab = 0; tab < tabs->count(); ++tab)
        if (tabs->isTabVisible(tab) && tabs->isTabEnabled(tab))
            usable += QString::number(tab);
    QCOMPARE(usable, usableTabs);
    QCOMPARE(batch().columnCount(), columns);
    QCOMPARE(control<QFrame>(m_panel, u"payerFrame"_s)->isVisible(), payerAndModeShown);
    QCOMPARE(picker(u"cbEmergency"_s)->isVisible(), payerAndModeShown);
    QCOMPARE(m_panel->findChild<QLabel *>(u"lblEmergency"_s)->isVisible(), payerAndModeShown);
    // Without the payer block the beneficiary block is the first, and the remark takes the
    // row the payment mode leaves (under the amount and its line in capitals).
    QCOMPARE(control<QFrame>(m_panel, u"beneFrame"_s)->y() <
                 control<QFrame>(m_panel, u"payerFrame"_s)->height(),
             !payerAndModeShown);
    const int amountToRemark =
        textBox(u"txtRemark"_s)->y() - m_panel->findChild<QLabel *>(u"lblAmountCapitals"_s)->y();
    QCOMPARE(amountToRemark < 2 * textBox(u"txtAmount"_s)->height(), !payerAndModeShown);
}

QTEST_MAIN(tst_BatchPage)
#include "tst_batchpage.moc"
