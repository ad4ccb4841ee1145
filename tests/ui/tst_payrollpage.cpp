#include "UiFixture.h"

#include "ui/FieldBehaviours.h"
#include "ui/PayrollPage.h"
#include "ui/StatusPanels.h"

#include <QFocusEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::Prompter::Answer)

namespace {

const QString Account = u"123456789012345"_s;
const QString OwnBankMessage = u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
const QString RosterQuestion = u"收款人不存在，需要保存到名册吗？"_s;

// "name/account" of every roster row.
QStringList rosterRows(const PayrollBeneficiaryListModel &roster)
{
    QStringList rows;
    for (int row = 1; row <= roster.count(); ++row) {
        const PayrollBeneficiary known = roster.ReadPayrollBeneficiaryRow(row);
        rows.append(known.BeneName + u'/' + known.BeneAccount);
    }
    return rows;
}

} // namespace

class tst_PayrollPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void add_appendsTheRowAndOffersThePayrollRoster_data();
    void add_appendsTheRowAndOffersThePayrollRoster();
    void add_refusedLeavesListAndPanel();
    void add_totalAboveTheBatchCeilingShowsWithoutWarning();
    void edit_overwritesOnlyTheCurrentRow_data();
    void edit_overwritesOnlyTheCurrentRow();
    void rowClick_fillsThePanelUnlessSeveralRowsAreSelected();
    void leavingAField_reformatsOrRefuses_data();
    void leavingAField_reformatsOrRefuses();

private:
    PayrollInputPanel *panel() const { return m_page->frameInputPayroll(); }
    void fill(const QString &name, const QString &account, const QString &amount, const QString &remark)
    {
        typeInto(panel()->cbBeneName2(), name);
        typeInto(panel()->cbBeneAccount2(), account);
        panel()->txtAmount2()->setText(amount);
        panel()->txtRemark2()->setText(remark);
    }
    QStringList panelTexts() const
    {
        const PayrollItem shown = panel()->panelInput();
        return {shown.BeneName, shown.BeneAccount, shown.Amount, shown.Remark};
    }
    QStringList statusTexts() const
    {
        return {m_fx->window->StatusBar()->countText(), m_fx->window->StatusBar()->totalText()};
    }

    std::unique_ptr<UiFixture> m_fx;
    PayrollPage *m_page = nullptr;
};

void tst_PayrollPage::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
    QVERIFY(m_fx->openMainWindow());
    m_fx->window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fx->window.get()));
    m_fx->window->tabInput()->setCurrentIndex(frmDirectCreditInput::TabPayroll);
    m_page = m_fx->window->payrollPage();
}

void tst_PayrollPage::cleanup()
{
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
    QCOMPARE(m_fx->prompter.pendingAnswers(), 0);
    m_fx.reset();
}

void tst_PayrollPage::add_appendsTheRowAndOffersThePayrollRoster_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("rosterBefore"); // "name/account"
    QTest::addColumn<QString>("answer");           // to the roster question; empty: not asked
    QTest::addColumn<QStringList>("warnings");     // after the question
    QTest::addColumn<QStringList>("rosterAfter");

    const QString zhang = u"张三/"_s + Account;
    const QString zhangSi = u"张四/"_s + Account;
    QTest::newRow("new payee, 是") << u"张三"_s << QStringList{} << u"是"_s << QStringList{}
                                   << QStringList{zhang};
    QTest::newRow("new payee, 否") << u"张三"_s << QStringList{} << u"否"_s << QStringList{} << QStringList{};
    QTest::newRow("same name and account: no question")
        << u"张三"_s << QStringList{zhang} << QString() << QStringList{} << QStringList{zhang};
    QTest::newRow("account known under another name, 否")
        << u"张三"_s << QStringList{zhangSi} << u"否"_s << QStringList{} << QStringList{zhangSi};
    QTest::newRow("name the roster file cannot carry, 是")
        << u"张|三"_s << QStringList{} << u"是"_s << QStringList{u"收款人名称不能含有字符“|”！"_s}
        << QStringList{};
}

void tst_PayrollPage::add_appendsTheRowAndOffersThePayrollRoster()
{
    QFETCH(QString, name);
    QFETCH(QStringList, rosterBefore);
    QFETCH(QString, answer);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, rosterAfter);
    Workspace &ws = m_fx->window->workspace();
    for (const QString &known : rosterBefore)
        ws.payrollRoster().AddPayrollBeneficiary({known.section(u'/', 0, 0), known.section(u'/', 1)});
    if (!answer.isEmpty())
        m_fx->prompter.answerNext(answer == u"是"_s ? Prompter::Answer::Yes : Prompter::Answer::No);
    fill(name, Account, u"1234.5"_s, u"一月工资"_s);

    QTest::mouseClick(m_page->addButton(), Qt::LeftButton);

    QCOMPARE(ws.payrollList().count(), 1);
    QCOMPARE(ws.payrollList().rowTexts(1),
             (QStringList{name, Account, u"澜港银行"_s, u"1,234.50"_s, u"一月工资"_s}));
    QVERIFY(ws.payrollList().isChanged());
    QCOMPARE(statusTexts(), (QStringList{u"1"_s, u"1,234.50"_s}));
    QCOMPARE(m_fx->prompter.texts(),
             (answer.isEmpty() ? QStringList{} : QStringList{RosterQuestion}) + warnings);
    QCOMPARE(rosterRows(ws.payrollRoster()), rosterAfter);
    QCOMPARE(ws.payrollRoster().isChanged(), rosterAfter.size() > rosterBefore.size());
    QCOMPARE(panelTexts(), (QStringList{QString(), QString(), u"0.00"_s, QString()}));
    QVERIFY(panel()->cbBeneName2()->hasFocus());
}

void tst_PayrollPage::add_refusedLeavesListAndPanel()
{
    fill(QString(), Account, u"5.00"_s, u"奖金"_s);

    QTest::mouseClick(m_page->addButton(), Qt::LeftButton);

    QCOMPARE(m_fx->prompter.texts(), QStringList{u"收款人名称错误！"_s});
    QCOMPARE(m_fx->prompter.shown().first().kind, ScriptedPrompter::Kind::Warning);
    QCOMPARE(m_fx->window->workspace().payrollList().count(), 0);
    QVERIFY(!m_fx->window->workspace().payrollList().isChanged());
    QCOMPARE(panelTexts(), (QStringList{QString(), Account, u"5.00"_s, u"奖金"_s}));
}

void tst_PayrollPage::add_totalAboveTheBatchCeilingShowsWithoutWarning()
{
    m_fx->window->workspace().payrollRoster().AddPayrollBeneficiary({u"张三"_s, Account});
    for (int i = 0; i < 2; ++i) {
        fill(u"张三"_s, Account, u"100,000,000.00"_s, QString());
        QTest::mouseClick(m_page->addButton(), Qt::LeftButton);
    }

    QCOMPARE(statusTexts(), (QStringList{u"2"_s, u"200,000,000.00"_s}));
    QCOMPARE(m_fx->prompter.texts(), QStringList());
}

void tst_PayrollPage::edit_overwritesOnlyTheCurrentRow_data()
{
    QTest::addColumn<int>("current"); // 0: none
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("status");

    QTest::newRow("second row") << 2 << QStringList{u"甲"_s, u"丁"_s} << QStringList{u"2"_s, u"301.00"_s};
    QTest::newRow("no current row") << 0 << QStringList{u"甲"_s, u"乙"_s} << QStringList{u"2"_s, u"3.00"_s};
}

void tst_PayrollPage::edit_overwritesOnlyTheCurrentRow()
{
    QFETCH(int, current);
    QFETCH(QStringList, names);
    QFETCH(QStringList, status);
    PayrollListModel &list = m_fx->window->workspace().payrollList();
    list.AddPayrollRow({u"甲"_s, Account, u"1.00"_s, {}});
    list.AddPayrollRow({u"乙"_s, Account, u"2.00"_s, {}});
    list.setRowColour(2, ListRowRed);
    if (current > 0)
        m_page->list()->selectionModel()->setCurrentIndex(
            list.index(current - 1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_page->RefreshPayrollTotals();
    fill(u"丁"_s, u"6222020200112233"_s, u"300"_s, u"补发"_s);

    QTest::mouseClick(m_page->editButton(), Qt::LeftButton);

    QCOMPARE((QStringList{list.ReadPayrollRow(1).BeneName, list.ReadPayrollRow(2).BeneName}), names);
    QCOMPARE(statusTexts(), status);
    QCOMPARE(list.isChanged(), current > 0);
    // Neither the roster nor the row's colour is touched.
    QCOMPARE(m_fx->prompter.texts(), QStringList());
    QCOMPARE(list.rowColour(2), ListRowRed);
    if (current > 0) {
        QCOMPARE(list.rowTexts(2),
                 (QStringList{u"丁"_s, u"6222020200112233"_s, u"澜港银行"_s, u"300.00"_s, u"补发"_s}));
        QCOMPARE(panel()->txtAmount2()->text(), u"300.00"_s);
    }
}

void tst_PayrollPage::rowClick_fillsThePanelUnlessSeveralRowsAreSelected()
{
    PayrollListModel &list = m_fx->window->workspace().payrollList();
    list.AddPayrollRow({u"甲"_s, Account, u"1.00"_s, u"一月"_s});
    list.AddPayrollRow({u"乙"_s, u"6222020200112233"_s, u"2,000.00"_s, u"二月"_s});
    QTreeView *view = m_page->list();
    const auto click = [view, &list](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          view->visualRect(list.index(row - 1, 1)).center());
    };

    click(2, {});
    QCOMPARE(panelTexts(), (QStringList{u"乙"_s, u"6222020200112233"_s, u"2,000.00"_s, u"二月"_s}));
    click(1, Qt::ControlModifier);
    QCOMPARE(panelTexts(), (QStringList{QString(), QString(), u"0.00"_s, QString()}));
}

void tst_PayrollPage::leavingAField_reformatsOrRefuses_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message"); // empty: the field may be left

    QTest::newRow("amount reformatted") << u"txtAmount2"_s << u"1234.5"_s << u"1,234.50"_s << QString();
    QTest::newRow("amount empty") << u"txtAmount2"_s << QString() << QString() << u"金额错误！"_s;
    QTest::newRow("amount above the ceiling") << u"txtAmount2"_s << u"100000000.01"_s << u"100,000,000.01"_s
                                              << u"单笔金额金额不允许超出 100,000,000.00！"_s;
    QTest::newRow("account not numeric")
        << u"cbBeneAccount2"_s << u"12a"_s << u"12a"_s << u"收款人账号/卡号错误！"_s;
    QTest::newRow("account with a wrong check digit")
        << u"cbBeneAccount2"_s << u"123456789012347"_s << u"123456789012347"_s << OwnBankMessage;
    QTest::newRow("16-character card")
        << u"cbBeneAccount2"_s << u"6222020200112233"_s << u"6222020200112233"_s << QString();
    QTest::newRow("account empty") << u"cbBeneAccount2"_s << QString() << QString() << QString();
}

void tst_PayrollPage::leavingAField_reformatsOrRefuses()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    auto *widget = panel()->findChild<QWidget *>(field);
    QVERIFY(widget);
    QLineEdit *box = FieldBehaviours::textBoxOf(widget);
    box->setText(typed);
    // Left for another tab: a refusal brings the payroll tab back.
    m_fx->window->tabInput()->setCurrentIndex(frmDirectCreditInput::TabBatch);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
    QCoreApplication::processEvents();

    QCOMPARE(box->text(), shown);
    QCOMPARE(m_fx->prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(m_fx->window->tabInput()->currentIndex(), int(frmDirectCreditInput::TabPayroll));
        QVERIFY(widget->hasFocus());
        QCOMPARE(box->selectedText(), shown);
    }
}

QTEST_MAIN(tst_PayrollPage)
#include "tst_payrollpage.moc"
