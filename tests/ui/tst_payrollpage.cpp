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

namespace {

const QString Account = u"123456789012345"_s;
const QString Card = u"6222020200112233"_s;
const QString EmptyPanel = u"||0.00|"_s;

} // namespace

class tst_PayrollPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void add_appendsTheRowAndOffersThePayrollRoster_data();
    void add_appendsTheRowAndOffersThePayrollRoster();
    void add_totalAboveTheBatchCeilingShowsWithoutWarning();
    void editAndRowClick_workOnTheCurrentRowOnly();
    void leavingAField_reformatsOrRefuses_data();
    void leavingAField_reformatsOrRefuses();

private:
    PayrollInputPanel *panel() const { return control<PayrollInputPanel>(m_page, u"frameInputPayroll"_s); }
    PayrollListModel &list() const { return m_fx->window->workspace().payrollList(); }
    void fill(const QString &name, const QString &account, const QString &amount, const QString &remark)
    {
        typeInto(control<QComboBox>(panel(), u"cbBeneName2"_s), name);
        typeInto(control<QComboBox>(panel(), u"cbBeneAccount2"_s), account);
        control<QLineEdit>(panel(), u"txtAmount2"_s)->setText(amount);
        control<QLineEdit>(panel(), u"txtRemark2"_s)->setText(remark);
    }
    QString shownInPanel() const
    {
        const PayrollItem shown = panel()->record();
        return QStringList{shown.BeneName, shown.BeneAccount, shown.Amount, shown.Remark}.join(u'|');
    }
    QString shownInStatusBar() const
    {
        return m_fx->window->StatusBar()->countText() + u'|' + m_fx->window->StatusBar()->totalText();
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
    m_fx->window->tabInput()->setCurrentIndex(int(Workspace::List::Payroll));
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
    QTest::addColumn<QString>("known");     // in the roster before, with this account
    QTest::addColumn<QString>("answer");    // to the roster question; empty: not asked
    QTest::addColumn<QStringList>("shown"); // the messages
    QTest::addColumn<QStringList>("roster");

    const QString question = u"收款人不存在，需要保存到名册吗？"_s;
    QTest::newRow("new payee, 是") << u"张三"_s << QString() << u"是"_s << QStringList{question}
                                   << QStringList{u"张三"_s};
    QTest::newRow("new payee, 否") << u"张三"_s << QString() << u"否"_s << QStringList{question}
                                   << QStringList{};
    QTest::newRow("same name and account")
        << u"张三"_s << u"张三"_s << QString() << QStringList{} << QStringList{u"张三"_s};
    QTest::newRow("account known under another name, 否")
        << u"张三"_s << u"张四"_s << u"否"_s << QStringList{question} << QStringList{u"张四"_s};
    QTest::newRow("name the roster file cannot carry, 是")
        << u"张|三"_s << QString() << u"是"_s << QStringList{question, u"收款人名称不能含有字符“|”！"_s}
        << QStringList{};
    QTest::newRow("refused: no name")
        << QString() << QString() << QString() << QStringList{u"收款人名称错误！"_s} << QStringList{};
}

void tst_PayrollPage::add_appendsTheRowAndOffersThePayrollRoster()
{
    QFETCH(QString, name);
    QFETCH(QString, known);
    QFETCH(QString, answer);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, roster);
    NameAccountListModel &payees = m_fx->window->workspace().payrollRoster();
    if (!known.isEmpty())
        AddPayrollBeneficiary(payees, {known, Account});
    if (!answer.isEmpty())
        m_fx->prompter.answerNext(answer == u"是"_s ? Prompter::Answer::Yes : Prompter::Answer::No);
    fill(name, Account, u"1234.5"_s, u"一月工资"_s);

    QTest::mouseClick(m_page->addButton(), Qt::LeftButton);

    QCOMPARE(m_fx->prompter.texts(), shown);
    QStringList inRoster;
    for (int row = 1; row <= payees.count(); ++row)
        inRoster.append(ReadPayrollBeneficiaryRow(payees, row).BeneName);
    QCOMPARE(inRoster, roster);
    QCOMPARE(payees.isChanged(), roster.size() > int(!known.isEmpty()));
    if (name.isEmpty()) {
        QCOMPARE(list().count(), 0);
        QVERIFY(!list().isChanged());
        QCOMPARE(shownInPanel(), u"|"_s + Account + u"|1234.5|一月工资"_s);
        return;
    }
    QCOMPARE(list().count(), 1);
    QCOMPARE(list().rowTexts(1), (QStringList{name, Account, u"澜港银行"_s, u"1,234.50"_s, u"一月工资"_s}));
    QVERIFY(list().isChanged());
    QCOMPARE(shownInStatusBar(), u"1|1,234.50"_s);
    QCOMPARE(shownInPanel(), EmptyPanel);
    QVERIFY(control<QComboBox>(panel(), u"cbBeneName2"_s)->hasFocus());
}

void tst_PayrollPage::add_totalAboveTheBatchCeilingShowsWithoutWarning()
{
    // Two payees: paying the same one twice would be asked about.
    for (const auto &[name, account] : {std::pair{u"张三"_s, Account}, {u"李四"_s, Card}}) {
        AddPayrollBeneficiary(m_fx->window->workspace().payrollRoster(), {name, account});
        fill(name, account, u"100,000,000.00"_s, QString());
        QTest::mouseClick(m_page->addButton(), Qt::LeftButton);
    }

    QCOMPARE(shownInStatusBar(), u"2|200,000,000.00"_s);
    QCOMPARE(m_fx->prompter.texts(), QStringList());
}

void tst_PayrollPage::editAndRowClick_workOnTheCurrentRowOnly()
{
    list().AddPayrollRow({u"甲"_s, Account, u"1.00"_s, u"一月"_s});
    list().AddPayrollRow({u"乙"_s, Card, u"2,000.00"_s, u"二月"_s});
    list().setRowState(2, RowState::UnknownBranch);
    QTreeView *view = m_page->list();
    const auto click = [this, view](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          view->visualRect(view->model()->index(row - 1, 1)).center());
    };
    // Without a current row Edit does nothing.
    fill(u"丁"_s, Card, u"300"_s, u"补发"_s);
    QTest::mouseClick(m_page->editButton(), Qt::LeftButton);
    QVERIFY(!list().isChanged());

    click(2, {});
    QCOMPARE(shownInPanel(), u"乙|"_s + Card + u"|2,000.00|二月"_s);
    fill(u"丁"_s, Card, u"300"_s, u"补发"_s);
    QTest::mouseClick(m_page->editButton(), Qt::LeftButton);

    QCOMPARE(list().rowTexts(2), (QStringList{u"丁"_s, Card, u"澜港银行"_s, u"300.00"_s, u"补发"_s}));
    QCOMPARE(list().ReadPayrollRow(1).BeneName, u"甲"_s);
    QCOMPARE(list().rowState(2), RowState::UnknownBranch);
    QVERIFY(list().isChanged());
    QCOMPARE(shownInStatusBar(), u"2|301.00"_s);
    QCOMPARE(m_fx->prompter.texts(), QStringList()); // the roster is not consulted

    // A second row added to the selection empties the panel.
    click(1, Qt::ControlModifier);
    QCOMPARE(shownInPanel(), EmptyPanel);
}

void tst_PayrollPage::leavingAField_reformatsOrRefuses_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message"); // empty: the field may be left

    const QString amount = u"txtAmount2"_s;
    const QString account = u"cbBeneAccount2"_s;
    QTest::newRow("amount reformatted") << amount << u"1234.5"_s << u"1,234.50"_s << QString();
    QTest::newRow("account not numeric") << account << u"12a"_s << u"12a"_s << u"收款人账号/卡号错误！"_s;
    QTest::newRow("account with a wrong check digit")
        << account << u"123456789012347"_s << u"123456789012347"_s
        << u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
}

void tst_PayrollPage::leavingAField_reformatsOrRefuses()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    auto *widget = panel()->findChild<QWidget *>(field);
    QLineEdit *box = FieldBehaviours::textBoxOf(widget);
    box->setText(typed);
    // Left for another tab: a refusal brings the payroll tab back.
    m_fx->window->tabInput()->setCurrentIndex(int(Workspace::List::Batch));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
    QCoreApplication::processEvents();

    QCOMPARE(box->text(), shown);
    QCOMPARE(m_fx->prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(m_fx->window->tabInput()->currentIndex(), int(Workspace::List::Payroll));
        QVERIFY(widget->hasFocus());
        QCOMPARE(box->selectedText(), shown);
    }
}

QTEST_MAIN(tst_PayrollPage)
#include "tst_payrollpage.moc"
