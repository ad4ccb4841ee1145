#include "UiFixture.h"

#include "ui/BatchInputPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Urgent = u"加急"_s;
const QString NonUrgent = u"非加急"_s;

} // namespace

class tst_BatchPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // ValidateBatchInput through the panel's widgets
    void panelInput_readsEachFieldFromItsOwnControl();
    void validation_showsFirstFailingRuleOnly_data();
    void validation_showsFirstFailingRuleOnly();
    void personalEdition_setsPaymentModeFromAmount_data();
    void personalEdition_setsPaymentModeFromAmount();

    // The panel as its page shows and reads a row
    void showRecord_thenRecord_givesThePaymentBack_data();
    void showRecord_thenRecord_givesThePaymentBack();

    // Fields
    void remark_takesAtMostFiftyCharacters();
    void paymentMode_offersNonUrgentThenUrgentWithoutSelection();
    void label_isBuddyOfItsField_data();
    void label_isBuddyOfItsField();

private:
    BatchInputPanel *open(Edition edition);
    // A panel that passes every rule in the corporate edition: an ICBC branch in Beijing,
    // 100.00, non-urgent.
    bool fillValidPanel();
    bool setField(const QString &objectName, const QString &value);

    std::unique_ptr<UiFixture> m_fx;
};

void tst_BatchPanel::init()
{
    m_fx = std::make_unique<UiFixture>();
    QVERIFY(m_fx->writeTables());
}

void tst_BatchPanel::cleanup()
{
    m_fx.reset();
}

BatchInputPanel *tst_BatchPanel::open(Edition edition)
{
    return m_fx->openMainWindow(edition) ? m_fx->window->frameInput() : nullptr;
}

// Sets a field as the user leaves it: picks the item of that text where there is one (so
// the branch cascade runs), else types the text; "" in a pick-only list picks nothing;
// "是"/"否" answers the own-bank option.
bool tst_BatchPanel::setField(const QString &objectName, const QString &value)
{
    BatchInputPanel *panel = m_fx->window->frameInput();
    if (objectName == u"ownBank"_s) {
        (value == u"是"_s ? control<QRadioButton>(panel, u"optYes"_s)
                          : control<QRadioButton>(panel, u"optNo"_s))
            ->setChecked(true);
        return true;
    }
    if (auto *edit = panel->findChild<QLineEdit *>(objectName)) {
        edit->setText(value);
        return true;
    }
    auto *combo = panel->findChild<QComboBox *>(objectName);
    if (!combo)
        return false;
    if (pick(combo, value))
        return true;
    if (combo->isEditable())
        combo->setEditText(value);
    else if (value.isEmpty())
        combo->setCurrentIndex(-1);
    else
        return false;
    return true;
}

bool tst_BatchPanel::fillValidPanel()
{
    const QList<std::pair<QString, QString>> fields{
        {u"cbPayerName"_s, u"澜港科技有限公司"_s},
        {u"cbPayerAccount"_s, u"123456789012345"_s},
        {u"cbBeneName"_s, u"张三"_s},
        {u"cbBeneAccount"_s, u"6222020200112233"_s},
        {u"cbState"_s, u"北京市"_s},
        {u"cbCity"_s, u"北京市"_s},
        {u"cbBankType"_s, u"中国工商银行"_s},
        {u"cbBank"_s, u"中国工商银行北京市朝阳支行"_s},
        {u"txtAmount"_s, u"100.00"_s},
        {u"cbEmergency"_s, NonUrgent},
    };
    return std::all_of(fields.begin(), fields.end(),
                       [this](const auto &field) { return setField(field.first, field.second); });
}

// ---- ValidateBatchInput ----

void tst_BatchPanel::panelInput_readsEachFieldFromItsOwnControl()
{
    BatchInputPanel *panel = open(Edition::Corporate);
    QVERIFY(panel);
    // A distinct text in every field, so that two fields read from swapped controls show.
    const QList<std::pair<QString, QString>> fields{
        {u"cbPayerName"_s, u"付款人A"_s}, {u"cbPayerAccount"_s, u"111"_s}, {u"cbBeneName"_s, u"收款人B"_s},
        {u"cbBeneAccount"_s, u"222"_s},   {u"cbState"_s, u"上海市"_s},     {u"cbCity"_s, u"城市C"_s},
        {u"cbBankType"_s, u"银行D"_s},    {u"cbBank"_s, u"支行E"_s},       {u"txtAmount"_s, u"333"_s},
        {u"cbEmergency"_s, Urgent},       {u"ownBank"_s, u"是"_s},
    };
    for (const auto &[field, value] : fields)
        QVERIFY2(setField(field, value), qPrintable(field));

    const BatchPanelInput input = panel->panelInput();

    const QStringList read{input.PayerName, input.PayerAccount, input.BeneName, input.BeneAccount,
                           input.State,     input.City,         input.BankType, input.Bank,
                           input.Amount,    input.Emergency};
    QStringList typed;
    for (qsizetype i = 0; i + 1 < fields.size(); ++i)
        typed.append(fields[i].second);
    QCOMPARE(read, typed);
    QVERIFY(input.OwnBank);
}

void tst_BatchPanel::validation_showsFirstFailingRuleOnly_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<QVariantMap>("changes"); // object name -> value, over the valid panel
    QTest::addColumn<QString>("message");     // empty: the panel passes

    const auto row = [](const char *name, bool personal, QVariantMap changes, const QString &message) {
        QTest::newRow(name) << personal << changes << message;
    };
    row("valid panel", false, {}, QString());
    row("payer name empty", false, {{u"cbPayerName"_s, QString()}}, u"付款人名称错误！"_s);
    row("several failures: the first rule wins", false,
        {{u"cbPayerName"_s, QString()}, {u"cbBeneName"_s, QString()}, {u"txtAmount"_s, QString()}},
        u"付款人名称错误！"_s);
    row("payer account not numeric", false, {{u"cbPayerAccount"_s, u"12345678901234a"_s}},
        u"付款人账号错误！"_s);
    row("personal: payer fields ignored", true,
        {{u"cbPayerName"_s, QString()}, {u"cbPayerAccount"_s, QString()}, {u"cbBeneName"_s, QString()}},
        u"收款人名称错误！"_s);
    row("own bank: 16-character card without check digit", false,
        {{u"ownBank"_s, u"是"_s}, {u"cbBeneAccount"_s, u"1234567890123456"_s}, {u"cbBank"_s, QString()}},
        QString());
    row("own bank: wrong check digit", false,
        {{u"ownBank"_s, u"是"_s}, {u"cbBeneAccount"_s, u"123456789012340"_s}},
        u"收款人账号/卡号错误，必须为本行账号/卡号！"_s);
    row("other bank: no city", false, {{u"cbCity"_s, QString()}}, u"收款开户城市错误！"_s);
    row("other bank: branch with an extra blank", false, {{u"cbBank"_s, u"中国工商银行北京市朝阳支行 "_s}},
        u"收款开户行不存在！"_s);
    row("amount zero", false, {{u"txtAmount"_s, u"0.00"_s}}, u"金额错误！"_s);
    row("amount not numeric", false, {{u"txtAmount"_s, u"1O0.00"_s}}, u"金额错误！"_s);
    row("no payment mode", false, {{u"cbEmergency"_s, QString()}}, u"支付方式错误！"_s);
    row("20,000.00 non-urgent", false, {{u"txtAmount"_s, u"20,000.00"_s}}, QString());
    row("20,000.01 non-urgent", false, {{u"txtAmount"_s, u"20,000.01"_s}},
        u"金额大于2万必须选择【加急】支付方式！"_s);
    row("20,000.01 urgent", false, {{u"txtAmount"_s, u"20,000.01"_s}, {u"cbEmergency"_s, Urgent}}, QString());
}

void tst_BatchPanel::validation_showsFirstFailingRuleOnly()
{
    QFETCH(bool, personal);
    QFETCH(QVariantMap, changes);
    QFETCH(QString, message);
    BatchInputPanel *panel = open(personal ? Edition::Personal : Edition::Corporate);
    QVERIFY(panel);
    QVERIFY(fillValidPanel());
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        QVERIFY2(setField(it.key(), it.value().toString()), qPrintable(it.key()));

    const bool passed = panel->ValidateBatchInput();

    QCOMPARE(passed, message.isEmpty());
    QCOMPARE(m_fx->prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(m_fx->prompter.shown().first().kind, ScriptedPrompter::Kind::Warning);
}

void tst_BatchPanel::personalEdition_setsPaymentModeFromAmount_data()
{
    QTest::addColumn<QString>("modeBefore");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("mode");

    QTest::newRow("50,000.00 is non-urgent") << Urgent << u"50,000.00"_s << NonUrgent;
    QTest::newRow("50,000.01 is urgent") << NonUrgent << u"50,000.01"_s << Urgent;
    QTest::newRow("set from nothing") << QString() << u"50,000.01"_s << Urgent;
}

void tst_BatchPanel::personalEdition_setsPaymentModeFromAmount()
{
    QFETCH(QString, modeBefore);
    QFETCH(QString, amount);
    QFETCH(QString, mode);
    BatchInputPanel *panel = open(Edition::Personal);
    QVERIFY(panel);
    QVERIFY(fillValidPanel());
    QVERIFY(setField(u"cbEmergency"_s, modeBefore));
    QVERIFY(setField(u"txtAmount"_s, amount));

    QVERIFY(panel->ValidateBatchInput());

    QCOMPARE(control<QComboBox>(panel, u"cbEmergency"_s)->currentText(), mode);
    QVERIFY(m_fx->prompter.shown().isEmpty());
}

// ---- Showing and reading a row ----

void tst_BatchPanel::showRecord_thenRecord_givesThePaymentBack_data()
{
    QTest::addColumn<QString>("bankName");
    QTest::addColumn<QString>("emergency");
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QStringList>("pickers"); // province, city, bank, branch as shown

    QTest::newRow("branch of another bank")
        << u"中国工商银行北京市朝阳支行"_s << NonUrgent << u"货款"_s
        << QStringList{u"北京市"_s, u"北京市"_s, u"中国工商银行"_s, u"中国工商银行北京市朝阳支行"_s};
    QTest::newRow("own bank") << ownBankName() << Urgent << u"工资"_s << QStringList{{}, {}, {}, {}};
    QTest::newRow("branch not in the table")
        << u"已撤销支行"_s << QString() << QString() << QStringList{{}, {}, {}, u"已撤销支行"_s};
}

void tst_BatchPanel::showRecord_thenRecord_givesThePaymentBack()
{
    QFETCH(QString, bankName);
    QFETCH(QString, emergency);
    QFETCH(QString, remark);
    QFETCH(QStringList, pickers);
    BatchInputPanel *panel = open(Edition::Corporate);
    QVERIFY(panel);
    // As the batch list reads it back: the codes derived from the branch name.
    const BatchPayment payment{u"澜港科技有限公司"_s,
                               u"123456789012345"_s,
                               u"张三"_s,
                               u"6222020200112233"_s,
                               bankName,
                               m_fx->window->workspace().tables().codesOfBranchName(bankName),
                               u"1,234.50"_s,
                               emergency,
                               remark};

    panel->clear();
    panel->showRecord(payment);

    BatchPayment expected = payment;
    expected.branch = {}; // the panel stores the branch by its name only
    QVERIFY(panel->record() == expected);
    QStringList shown;
    for (const QString &picker : {u"cbState"_s, u"cbCity"_s, u"cbBankType"_s, u"cbBank"_s})
        shown.append(control<QComboBox>(panel, picker)->currentText());
    QCOMPARE(shown, pickers);
    QCOMPARE(control<QRadioButton>(panel, u"optYes"_s)->isChecked(), bankName == ownBankName());
}

// ---- Fields ----

void tst_BatchPanel::remark_takesAtMostFiftyCharacters()
{
    BatchInputPanel *panel = open(Edition::Corporate);
    QVERIFY(panel);

    QTest::keyClicks(control<QLineEdit>(panel, u"txtRemark"_s), QString(55, u'x'));

    QCOMPARE(control<QLineEdit>(panel, u"txtRemark"_s)->maxLength(), 50);
    QCOMPARE(control<QLineEdit>(panel, u"txtRemark"_s)->text(), QString(50, u'x'));
}

void tst_BatchPanel::paymentMode_offersNonUrgentThenUrgentWithoutSelection()
{
    BatchInputPanel *panel = open(Edition::Corporate);
    QVERIFY(panel);

    QCOMPARE(itemTexts(control<QComboBox>(panel, u"cbEmergency"_s)), (QStringList{NonUrgent, Urgent}));
    QCOMPARE(control<QComboBox>(panel, u"cbEmergency"_s)->currentIndex(), -1);
    QVERIFY(!control<QComboBox>(panel, u"cbEmergency"_s)->isEditable());
}

void tst_BatchPanel::label_isBuddyOfItsField_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");

    const QList<std::pair<QString, QString>> batch{
        {u"付款人名称："_s, u"cbPayerName"_s}, {u"付款人账号："_s, u"cbPayerAccount"_s},
        {u"收款人名称："_s, u"cbBeneName"_s},  {u"收款人账号/卡号："_s, u"cbBeneAccount"_s},
        {u"省份："_s, u"cbState"_s},           {u"城市："_s, u"cbCity"_s},
        {u"收款银行："_s, u"cbBankType"_s},    {u"收款开户行："_s, u"cbBank"_s},
        {u"金额："_s, u"txtAmount"_s},         {u"支付方式："_s, u"cbEmergency"_s},
        {u"备注："_s, u"txtRemark"_s},
    };
    for (const auto &[label, field] : batch)
        QTest::addRow("frameInput %s", qPrintable(field)) << u"frameInput"_s << label << field;
    const QList<std::pair<QString, QString>> bene{
        {u"省份："_s, u"cbState2"_s},        {u"城市："_s, u"cbCity2"_s},
        {u"收款银行："_s, u"cbBankType2"_s}, {u"收款开户行："_s, u"cbBank2"_s},
        {u"备注："_s, u"txtRemark3"_s},
    };
    for (const auto &[label, field] : bene)
        QTest::addRow("frameBeneInput %s", qPrintable(field)) << u"frameBeneInput"_s << label << field;
}

void tst_BatchPanel::label_isBuddyOfItsField()
{
    QFETCH(QString, panel);
    QFETCH(QString, label);
    QFETCH(QString, field);
    QVERIFY(open(Edition::Corporate));
    auto *frame = m_fx->find<QWidget>(panel);
    QVERIFY(frame);

    QList<QWidget *> buddies;
    for (const QLabel *candidate : frame->findChildren<QLabel *>())
        if (candidate->text() == label)
            buddies.append(candidate->buddy());

    QCOMPARE(buddies.size(), 1);
    QVERIFY(buddies.first());
    QCOMPARE(buddies.first()->objectName(), field);
}

QTEST_MAIN(tst_BatchPanel)
#include "tst_batchpanel.moc"
