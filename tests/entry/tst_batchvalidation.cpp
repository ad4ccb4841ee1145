#include "entry/BatchValidation.h"

#include <QMetaType>
#include <QTest>

#include <initializer_list>
#include <utility>

using namespace lgbatch;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::Edition)
Q_DECLARE_METATYPE(lgbatch::BatchPanelInput)

namespace {

using Field = QString BatchPanelInput::*;
using P = BatchPanelInput;

const QString Branch = u"中国工商银行北京市分行营业部"_s;

// A corporate panel that passes every rule: another bank's beneficiary, 1,000.00, non-urgent.
BatchPanelInput validPanel()
{
    BatchPanelInput p;
    p.PayerName = u"上海澜港贸易有限公司"_s;
    p.PayerAccount = u"123456789012345"_s;
    p.BeneName = u"张三"_s;
    p.BeneAccount = u"6222020200112233"_s;
    p.State = u"北京市"_s;
    p.City = u"北京市"_s;
    p.BankType = u"中国工商银行"_s;
    p.Bank = Branch;
    p.Amount = u"1,000.00"_s;
    p.Emergency = u"非加急"_s;
    return p;
}

using Changes = std::initializer_list<std::pair<Field, QString>>;

BatchPanelInput apply(BatchPanelInput p, Changes changes)
{
    for (const auto &[field, value] : changes)
        p.*field = value;
    return p;
}

BatchPanelInput corporate(Changes changes = {})
{
    return apply(validPanel(), changes);
}

// The personal layout hides the payer fields and the payment mode; they stay empty.
BatchPanelInput personal(Changes changes = {})
{
    return apply(apply(validPanel(), {{&P::PayerName, {}}, {&P::PayerAccount, {}}, {&P::Emergency, {}}}),
                 changes);
}

// An own-bank beneficiary: the branch pickers are disabled and hold nothing.
BatchPanelInput ownBank(BatchPanelInput p, Changes changes = {})
{
    p.OwnBank = true;
    return apply(apply(p, {{&P::State, {}}, {&P::City, {}}, {&P::BankType, {}}, {&P::Bank, {}}}), changes);
}

} // namespace

class TstBatchValidation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void validate_firstFailingRuleDecides_data();
    void validate_firstFailingRuleDecides();

private:
    ReferenceTables m_tables;
    CheckDigit m_check;
};

void TstBatchValidation::init()
{
    m_tables = ReferenceTables({{u"中国工商银行"_s, u"102"_s}}, {{Branch, u"102100000014"_s}},
                               {{u"北京市"_s, u"11"_s}}, {{u"北京市"_s, u"1000"_s, u"0011"_s}});
    m_check = CheckDigit();
    m_check.InitCheckDigitWeights();
}

void TstBatchValidation::validate_firstFailingRuleDecides_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<BatchPanelInput>("panel");
    QTest::addColumn<QString>("failure"); // empty: the panel passes
    QTest::addColumn<QString>("emergency");

    const Edition C = Edition::Corporate;
    const Edition Pe = Edition::Personal;
    const QString pass;
    const QString none;
    const QString urgent = u"加急"_s;
    const QString nonUrgent = u"非加急"_s;
    const QString ownBankRefused = u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
    const QString noSuchBranch = u"收款开户行不存在！"_s;
    const QString badAmount = u"金额错误！"_s;

    QTest::newRow("complete corporate panel") << C << corporate() << pass << none;

    // 1-2: payer, corporate only
    QTest::newRow("1 payer name empty")
        << C << corporate({{&P::PayerName, {}}}) << u"付款人名称错误！"_s << none;
    QTest::newRow("1 a blank is a payer name") << C << corporate({{&P::PayerName, u" "_s}}) << pass << none;
    QTest::newRow("2 payer account empty")
        << C << corporate({{&P::PayerAccount, {}}}) << u"付款人账号错误！"_s << none;
    QTest::newRow("2 payer account not numeric")
        << C << corporate({{&P::PayerAccount, u"12a"_s}}) << u"付款人账号错误！"_s << none;
    QTest::newRow("2 payer check digit not tested here")
        << C << corporate({{&P::PayerAccount, u"123456789012347"_s}}) << pass << none;

    // 3-4: beneficiary
    QTest::newRow("3 beneficiary name empty")
        << C << corporate({{&P::BeneName, {}}}) << u"收款人名称错误！"_s << none;
    QTest::newRow("4 beneficiary account empty")
        << C << corporate({{&P::BeneAccount, {}}}) << u"收款人账号错误！"_s << none;
    QTest::newRow("4 beneficiary account not numeric")
        << C << corporate({{&P::BeneAccount, u"6222-0202"_s}}) << u"收款人账号错误！"_s << none;
    QTest::newRow("4 other bank: numeric is enough")
        << C << corporate({{&P::BeneAccount, u"123456789012347"_s}}) << pass << none;
    QTest::newRow("4 other bank: short number")
        << C << corporate({{&P::BeneAccount, u"42"_s}}) << pass << none;

    // 5: own bank, account or card
    QTest::newRow("5 own bank: 16-character card") << C << ownBank(corporate()) << pass << none;
    QTest::newRow("5 own bank: valid account")
        << C << ownBank(corporate(), {{&P::BeneAccount, u"123456789012345"_s}}) << pass << none;
    QTest::newRow("5 own bank: wrong check digit")
        << C << ownBank(corporate(), {{&P::BeneAccount, u"123456789012347"_s}}) << ownBankRefused << none;
    QTest::newRow("5 own bank: 17 digits")
        << C << ownBank(corporate(), {{&P::BeneAccount, u"62220202001122334"_s}}) << ownBankRefused << none;
    QTest::newRow("5 own bank: branch rules skipped")
        << C << ownBank(corporate(), {{&P::Bank, u"不存在的支行"_s}, {&P::City, u"北京市"_s}}) << pass
        << none;

    // 6-10: another bank's branch
    QTest::newRow("6 province empty") << C << corporate({{&P::State, {}}}) << u"收款开户省份错误！"_s << none;
    QTest::newRow("7 city empty") << C << corporate({{&P::City, {}}}) << u"收款开户城市错误！"_s << none;
    QTest::newRow("8 bank empty") << C << corporate({{&P::BankType, {}}}) << u"收款银行错误！"_s << none;
    QTest::newRow("9 branch empty") << C << corporate({{&P::Bank, {}}}) << u"收款账号开户行错误！"_s << none;
    QTest::newRow("10 branch with an extra blank")
        << C << corporate({{&P::Bank, Branch + u' '}}) << noSuchBranch << none;
    QTest::newRow("10 branch shortened")
        << C << corporate({{&P::Bank, u"中国工商银行北京市分行"_s}}) << noSuchBranch << none;
    QTest::newRow("10 own bank's name is not a branch")
        << C << corporate({{&P::Bank, u"澜港银行"_s}}) << noSuchBranch << none;

    // 11: amount
    QTest::newRow("11 amount 0.00") << C << corporate({{&P::Amount, u"0.00"_s}}) << badAmount << none;
    QTest::newRow("11 amount -5.00") << C << corporate({{&P::Amount, u"-5.00"_s}}) << badAmount << none;
    QTest::newRow("11 amount empty") << C << corporate({{&P::Amount, {}}}) << badAmount << none;
    QTest::newRow("11 amount blank") << C << corporate({{&P::Amount, u" "_s}}) << badAmount << none;
    QTest::newRow("11 amount abc") << C << corporate({{&P::Amount, u"abc"_s}}) << badAmount << none;
    QTest::newRow("11 smallest amount") << C << corporate({{&P::Amount, u"0.01"_s}}) << pass << none;

    // 12 and 14: payment mode, corporate
    QTest::newRow("12 no mode, small amount")
        << C << corporate({{&P::Emergency, {}}, {&P::Amount, u"0.01"_s}}) << u"支付方式错误！"_s << none;
    QTest::newRow("14 20,000.00 non-urgent")
        << C << corporate({{&P::Amount, u"20,000.00"_s}}) << pass << none;
    QTest::newRow("14 20,000.01 non-urgent") << C << corporate({{&P::Amount, u"20,000.01"_s}})
                                             << u"金额大于2万必须选择【加急】支付方式！"_s << none;
    QTest::newRow("14 20,000.01 urgent")
        << C << corporate({{&P::Amount, u"20,000.01"_s}, {&P::Emergency, urgent}}) << pass << none;
    QTest::newRow("14 small amount may be urgent")
        << C << corporate({{&P::Emergency, urgent}}) << pass << none;
    QTest::newRow("14 ungrouped amount")
        << C << corporate({{&P::Amount, u"25000"_s}}) << u"金额大于2万必须选择【加急】支付方式！"_s << none;

    // 13: personal edition sets the mode from the amount
    QTest::newRow("13 personal 50,000.00")
        << Pe << personal({{&P::Amount, u"50,000.00"_s}}) << pass << nonUrgent;
    QTest::newRow("13 personal 50,000.01")
        << Pe << personal({{&P::Amount, u"50,000.01"_s}}) << pass << urgent;
    QTest::newRow("13 personal: a picked mode is replaced")
        << Pe << personal({{&P::Emergency, urgent}}) << pass << nonUrgent;
    QTest::newRow("13 personal: payer not numeric ignored")
        << Pe << personal({{&P::PayerAccount, u"abc"_s}}) << pass << nonUrgent;
    QTest::newRow("13 personal: failed amount sets no mode")
        << Pe << personal({{&P::Amount, u"0"_s}}) << badAmount << none;
    QTest::newRow("13 personal: own bank")
        << Pe << ownBank(personal(), {{&P::Amount, u"60000"_s}}) << pass << urgent;

    // Last: what the batch file could not carry exactly
    QTest::newRow("file: pipe in a name")
        << C << corporate({{&P::BeneName, u"张|三"_s}}) << u"收款人名称不能含有字符“|”！"_s << none;
    QTest::newRow("file: line break in the remark")
        << C << corporate({{&P::Remark, u"a\nb"_s}}) << u"备注不能含有换行！"_s << none;
    QTest::newRow("file: character outside GBK") << C << corporate({{&P::PayerName, u"澜港😀"_s}})
                                                 << u"付款人名称含有字符“😀”无法以GBK编码保存！"_s << none;
    QTest::newRow("file: hidden payer not stored in the personal edition")
        << Pe << personal({{&P::PayerName, u"a|b"_s}}) << pass << nonUrgent;

    // Order: when two rules fail, the earlier one speaks
    QTest::newRow("order 1 before 3")
        << C << corporate({{&P::PayerName, {}}, {&P::BeneName, {}}}) << u"付款人名称错误！"_s << none;
    QTest::newRow("order 2 before 4")
        << C << corporate({{&P::PayerAccount, {}}, {&P::BeneAccount, {}}}) << u"付款人账号错误！"_s << none;
    QTest::newRow("order 4 before 5")
        << C << ownBank(corporate(), {{&P::BeneAccount, u"x"_s}}) << u"收款人账号错误！"_s << none;
    QTest::newRow("order 5 before 11")
        << C << ownBank(corporate(), {{&P::BeneAccount, u"1"_s}, {&P::Amount, {}}}) << ownBankRefused << none;
    QTest::newRow("order 6 before 7")
        << C << corporate({{&P::State, {}}, {&P::City, {}}}) << u"收款开户省份错误！"_s << none;
    QTest::newRow("order 9 before 11")
        << C << corporate({{&P::Bank, {}}, {&P::Amount, {}}}) << u"收款账号开户行错误！"_s << none;
    QTest::newRow("order 10 before 11")
        << C << corporate({{&P::Bank, u"x"_s}, {&P::Amount, u"0"_s}}) << noSuchBranch << none;
    QTest::newRow("order 11 before 12")
        << C << corporate({{&P::Amount, {}}, {&P::Emergency, {}}}) << badAmount << none;
    QTest::newRow("order personal 3 first")
        << Pe << personal({{&P::BeneName, {}}}) << u"收款人名称错误！"_s << none;
}

void TstBatchValidation::validate_firstFailingRuleDecides()
{
    QFETCH(Edition, edition);
    QFETCH(BatchPanelInput, panel);
    QFETCH(QString, failure);
    QFETCH(QString, emergency);

    const BatchValidation result = ValidateBatchInput(panel, edition, m_tables, m_check);
    QCOMPARE(result.failure.value_or(QString()), failure);
    QCOMPARE(result.ok(), failure.isEmpty());
    QCOMPARE(result.emergencyToSet.value_or(QString()), emergency);
}

QTEST_GUILESS_MAIN(TstBatchValidation)
#include "tst_batchvalidation.moc"
