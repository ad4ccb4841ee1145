#include "UiFixture.h"

#include "ui/BatchPage.h"
#include "ui/FileCommands.h"
#include "ui/PayrollPage.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

const QString PayerName = u"澜港科技有限公司"_s;
const QString PayerAccount = u"123456789012345"_s;
const QString Bene = u"李四"_s;
const QString Card = u"6222020200112233"_s;
const QString OtherCard = u"6222020200112234"_s;

} // namespace

class tst_PaymentChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void add_asksBeforePayingTheSameAgain_data();
    void add_asksBeforePayingTheSameAgain();
    void importAndEdit_askNothing();
    void capitals_followTheAmountAsItIsTyped_data();
    void capitals_followTheAmountAsItIsTyped();
    void panels_fitTheSmallestWindow_data();
    void panels_fitTheSmallestWindow();

private:
    bool open(Edition edition = Edition::Corporate);
    Workspace &workspace() const { return m_fx->window->workspace(); }
    // The payment panel of a tab filled with an own-bank payee whom the rosters know, so that
    // nothing but the repeated payment can be asked.
    void fillBatch(const QString &account, const QString &amount);
    void fillPayroll(const QString &account, const QString &amount);

    std::unique_ptr<UiFixture> m_fx;
};

void tst_PaymentChecks::init()
{
    m_fx = std::make_unique<UiFixture>();
}

void tst_PaymentChecks::cleanup()
{
    QCOMPARE(m_fx->prompter.unansweredQuestions(), 0);
    QCOMPARE(m_fx->prompter.pendingAnswers(), 0);
    m_fx.reset();
}

bool tst_PaymentChecks::open(Edition edition)
{
    if (!m_fx->writeTables() || !m_fx->openMainWindow(edition))
        return false;
    m_fx->window->show();
    return QTest::qWaitForWindowExposed(m_fx->window.get());
}

void tst_PaymentChecks::fillBatch(const QString &account, const QString &amount)
{
    BatchInputPanel *panel = m_fx->window->frameInput();
    workspace().beneRoster().AddBeneficiary({Bene, account, ownBankName(), {}, {}});
    if (workspace().isCorporate()) {
        AddPayer(workspace().payerRoster(), {PayerName, PayerAccount});
        typeInto(control<QComboBox>(panel, u"cbPayerName"_s), PayerName);
        typeInto(control<QComboBox>(panel, u"cbPayerAccount"_s), PayerAccount);
    }
    typeInto(control<QComboBox>(panel, u"cbBeneName"_s), Bene);
    typeInto(control<QComboBox>(panel, u"cbBeneAccount"_s), account);
    control<QRadioButton>(panel, u"optYes"_s)->setChecked(true);
    control<QLineEdit>(panel, u"txtAmount"_s)->setText(amount);
    control<QComboBox>(panel, u"cbEmergency"_s)
        ->setCurrentIndex(control<QComboBox>(panel, u"cbEmergency"_s)->findText(nonUrgentMode()));
}

void tst_PaymentChecks::fillPayroll(const QString &account, const QString &amount)
{
    PayrollInputPanel *panel =
        control<PayrollInputPanel>(m_fx->window->payrollPage(), u"frameInputPayroll"_s);
    AddPayrollBeneficiary(workspace().payrollRoster(), {Bene, account});
    typeInto(control<QComboBox>(panel, u"cbBeneName2"_s), Bene);
    typeInto(control<QComboBox>(panel, u"cbBeneAccount2"_s), account);
    control<QLineEdit>(panel, u"txtAmount2"_s)->setText(amount);
}

// ---- The repeated payment ----

void tst_PaymentChecks::add_asksBeforePayingTheSameAgain_data()
{
    QTest::addColumn<bool>("payroll");
    QTest::addColumn<bool>("personal");
    QTest::addColumn<QStringList>("rows"); // account|amount, in the list before the Add
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("answer"); // 是 or 否; empty: nothing is asked
    QTest::addColumn<QString>("question");

    const QStringList batchRows{OtherCard + u"|300.00"_s, Card + u"|300.00"_s};
    const QString again = u"第2行已有相同收款人账号和金额的付款，确定再次增加吗？"_s;
    QTest::newRow("batch: same account and amount, 是")
        << false << false << batchRows << Card << u"300.00"_s << u"是"_s << again;
    QTest::newRow("batch: 否 changes nothing")
        << false << false << batchRows << Card << u"300.00"_s << u"否"_s << again;
    QTest::newRow("batch: the same value written otherwise")
        << false << false << QStringList{Card + u"|1000"_s} << Card << u"1,000.00"_s << u"否"_s
        << u"第1行已有相同收款人账号和金额的付款，确定再次增加吗？"_s;
    QTest::newRow("personal batch: same account and amount")
        << false << true << batchRows << Card << u"300.00"_s << u"否"_s << again;
    QTest::newRow("batch: another amount")
        << false << false << batchRows << Card << u"300.01"_s << QString() << QString();
    QTest::newRow("batch: the amount of another account")
        << false << false << QStringList{OtherCard + u"|300.00"_s} << Card << u"300.00"_s << QString()
        << QString();

    const QStringList payrollRows{OtherCard + u"|1.00"_s, Card + u"|2.00"_s};
    const QString payeeAgain = u"第2行已有相同收款人账号，确定再次增加吗？"_s;
    QTest::newRow("payroll: same account, 是")
        << true << false << payrollRows << Card << u"5.00"_s << u"是"_s << payeeAgain;
    QTest::newRow("payroll: 否 changes nothing")
        << true << false << payrollRows << Card << u"2.00"_s << u"否"_s << payeeAgain;
    QTest::newRow("payroll: another account")
        << true << false << payrollRows.first(1) << Card << u"1.00"_s << QString() << QString();
}

void tst_PaymentChecks::add_asksBeforePayingTheSameAgain()
{
    QFETCH(bool, payroll);
    QFETCH(bool, personal);
    QFETCH(QStringList, rows);
    QFETCH(QString, account);
    QFETCH(QString, amount);
    QFETCH(QString, answer);
    QFETCH(QString, question);
    QVERIFY(open(personal ? Edition::Personal : Edition::Corporate));
    RecordListModel &list = payroll ? static_cast<RecordListModel &>(workspace().payrollList())
                                    : static_cast<RecordListModel &>(workspace().batchList());
    for (const QString &row : rows) {
        const QStringList parts = row.split(u'|');
        if (payroll) {
            workspace().payrollList().AddPayrollRow({Bene, parts[0], parts[1], {}});
        } else {
            BatchPayment p;
            p.BeneName = Bene;
            p.BeneAccount = parts[0];
            p.BankName = ownBankName();
            p.Amount = parts[1];
            workspace().batchList().AddBatchRow(p);
        }
    }
    ListPage *page = payroll ? static_cast<ListPage *>(m_fx->window->payrollPage())
                             : static_cast<ListPage *>(m_fx->window->batchPage());
    m_fx->window->tabInput()->setCurrentWidget(page);
    payroll ? fillPayroll(account, amount) : fillBatch(account, amount);
    if (!answer.isEmpty())
        m_fx->prompter.answerNext(answer == u"是"_s ? Prompter::Answer::Yes : Prompter::Answer::No);
    const QList<QLineEdit *> fields = page->panel()->findChildren<QLineEdit *>();
    QStringList panelBefore;
    for (const QLineEdit *field : fields)
        panelBefore.append(field->text());

    QTest::mouseClick(page->addButton(), Qt::LeftButton);

    QCOMPARE(m_fx->prompter.texts(), question.isEmpty() ? QStringList() : QStringList{question});
    const bool added = answer != u"否"_s;
    QCOMPARE(list.count(), int(rows.size()) + (added ? 1 : 0));
    QCOMPARE(list.isChanged(), added);
    if (!added) {
        QStringList panelAfter;
        for (const QLineEdit *field : fields)
            panelAfter.append(field->text());
        QCOMPARE(panelAfter, panelBefore);
    }
}

void tst_PaymentChecks::importAndEdit_askNothing()
{
    QVERIFY(open());
    const QString file = QStringLiteral(LGBATCH_TEST_DATA_DIR "/files/batch_corporate.zpk");
    for (int i = 0; i < 2; ++i) {
        m_fx->prompter.answerNext(Prompter::Answer::Yes); // 增量式导入
        m_fx->fileChooser.answerNext(file);
        m_fx->window->fileCommands()->cmdLoad_Click();
    }
    QCOMPARE(workspace().batchList().count(), 4);
    QCOMPARE(m_fx->prompter.texts(), QStringList(2, u"增量式导入【是】，覆盖式导入【否】？"_s));
    m_fx->prompter.clear();
    BatchPage *page = m_fx->window->batchPage();
    page->list()->selectOnly(3);
    page->runItemClick();

    QTest::mouseClick(page->editButton(), Qt::LeftButton);

    QVERIFY(m_fx->prompter.texts().isEmpty());
    // The imported rows are known: adding the same payment again is asked about.
    m_fx->prompter.answerNext(Prompter::Answer::No);
    QTest::mouseClick(page->addButton(), Qt::LeftButton);
    QCOMPARE(m_fx->prompter.texts(), QStringList{u"第1行已有相同收款人账号和金额的付款，确定再次增加吗？"_s});
    QCOMPARE(workspace().batchList().count(), 4);
}

// ---- The amount in capitals ----

void tst_PaymentChecks::capitals_followTheAmountAsItIsTyped_data()
{
    QTest::addColumn<bool>("payroll");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("capitals");

    QTest::newRow("batch, as typed") << false << u"12345.6"_s << u"壹万贰仟叁佰肆拾伍元陆角整"_s;
    QTest::newRow("batch, not a number") << false << u"12a"_s << QString();
    QTest::newRow("payroll, as typed") << true << u"1005.05"_s << u"壹仟零伍元零伍分"_s;
    QTest::newRow("payroll, nothing typed") << true << QString() << QString();
}

void tst_PaymentChecks::capitals_followTheAmountAsItIsTyped()
{
    QFETCH(bool, payroll);
    QFETCH(QString, typed);
    QFETCH(QString, capitals);
    QVERIFY(open());
    if (payroll)
        m_fx->window->tabInput()->setCurrentIndex(int(Workspace::List::Payroll));
    const QString suffix = payroll ? u"2"_s : QString();
    auto *amount = m_fx->find<QLineEdit>(u"txtAmount"_s + suffix);
    auto *shown = m_fx->find<QLabel>(u"lblAmountCapitals"_s + suffix);
    QCOMPARE(shown->text(), u"大写：零元整"_s);
    amount->setFocus();
    amount->selectAll();

    QTest::keyClicks(amount, typed.isEmpty() ? u" "_s : typed);
    if (typed.isEmpty())
        QTest::keyClick(amount, Qt::Key_Backspace);

    QCOMPARE(shown->text(), u"大写："_s + capitals);
}

// ---- Layout ----

void tst_PaymentChecks::panels_fitTheSmallestWindow_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<int>("tab");
    QTest::newRow("corporate batch") << false << int(Workspace::List::Batch);
    QTest::newRow("personal batch") << true << int(Workspace::List::Batch);
    QTest::newRow("payroll") << false << int(Workspace::List::Payroll);
}

void tst_PaymentChecks::panels_fitTheSmallestWindow()
{
    QFETCH(bool, personal);
    QFETCH(int, tab);
    QVERIFY(open(personal ? Edition::Personal : Edition::Corporate));
    m_fx->window->resize(m_fx->window->minimumSize());
    m_fx->window->tabInput()->setCurrentIndex(tab);
    QCoreApplication::processEvents();
    QWidget *panel = m_fx->window->page(Workspace::AllLists[std::size_t(tab)])->panel();
    auto *area = qobject_cast<QScrollArea *>(panel->parentWidget()->parentWidget());
    QVERIFY(area);

    QVERIFY2(panel->minimumSizeHint().height() <= area->viewport()->height(),
             qPrintable(u"%1 > %2"_s.arg(panel->minimumSizeHint().height()).arg(area->viewport()->height())));
    QVERIFY(!area->verticalScrollBar()->isVisible());
}

QTEST_MAIN(tst_PaymentChecks)
#include "tst_paymentchecks.moc"
