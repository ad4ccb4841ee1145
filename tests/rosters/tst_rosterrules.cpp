#include "rosters/RosterRules.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

// 123456789012345 carries a valid check digit, 123456789012347 does not.
const QString Account = u"123456789012345"_s;
const QString WrongDigit = u"123456789012347"_s;
const QString Card = u"6222020200112233"_s;
const QString Branch = u"中国工商银行北京市朝阳支行"_s;

const ReferenceTables &tables()
{
    static const ReferenceTables t({{u"中国工商银行"_s, u"102"_s}}, {{Branch, u"102100000022"_s}},
                                   {{u"北京市"_s, u"11"_s}}, {{u"北京市"_s, u"1000"_s, u"0011"_s}});
    return t;
}

const CheckDigit &checkDigit()
{
    static const CheckDigit digits = [] {
        CheckDigit d;
        d.InitCheckDigitWeights();
        return d;
    }();
    return digits;
}

} // namespace

Q_DECLARE_METATYPE(lgbatch::BeneficiaryPanelInput)

class TstRosterRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void beneficiary_firstFailingRuleWins_data();
    void beneficiary_firstFailingRuleWins();
    void nameAndAccount_firstFailingRuleWins_data();
    void nameAndAccount_firstFailingRuleWins();
};

void TstRosterRules::beneficiary_firstFailingRuleWins_data()
{
    QTest::addColumn<BeneficiaryPanelInput>("panel");
    QTest::addColumn<QString>("message"); // empty: may be stored

    const BeneficiaryPanelInput other{u"张三"_s,   u"6217 0000"_s,    false,  u"北京市"_s,
                                      u"北京市"_s, u"中国工商银行"_s, Branch, u"货款"_s};
    const auto with = [](BeneficiaryPanelInput p, auto change) {
        change(p);
        return p;
    };
    QTest::newRow("other bank, complete")
        << with(other, [](auto &p) { p.BeneAccount = u"62170000"_s; }) << QString();
    QTest::newRow("no name") << with(other, [](auto &p) { p.BeneName.clear(); }) << u"收款人名称错误！"_s;
    QTest::newRow("account not numeric") << other << u"收款人账号错误！"_s;
    QTest::newRow("no account") << with(other, [](auto &p) { p.BeneAccount.clear(); })
                                << u"收款人账号错误！"_s;
    QTest::newRow("是: wrong check digit")
        << with(other, [](auto &p) { p = {p.BeneName, WrongDigit, true, {}, {}, {}, {}, {}}; })
        << u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
    QTest::newRow("是: 16-character card, no branch needed")
        << with(other, [](auto &p) { p = {p.BeneName, Card, true, {}, {}, {}, {}, {}}; }) << QString();
    QTest::newRow("否: wrong check digit is another bank's business")
        << with(other, [](auto &p) { p.BeneAccount = WrongDigit; }) << QString();
    QTest::newRow("no province") << with(other, [](auto &p) { p.BeneAccount = Account, p.State.clear(); })
                                 << u"收款开户省份错误！"_s;
    QTest::newRow("no city") << with(other, [](auto &p) { p.BeneAccount = Account, p.City.clear(); })
                             << u"收款开户城市错误！"_s;
    QTest::newRow("no bank") << with(other, [](auto &p) { p.BeneAccount = Account, p.BankType.clear(); })
                             << u"收款银行错误！"_s;
    QTest::newRow("no branch") << with(other, [](auto &p) { p.BeneAccount = Account, p.Bank.clear(); })
                               << u"收款账号开户行错误！"_s;
    QTest::newRow("branch not in the table")
        << with(other, [](auto &p) { p.BeneAccount = Account, p.Bank = u"中国工商银行北京市某某支行"_s; })
        << u"收款开户行不存在！"_s;
    QTest::newRow("pipe in the name")
        << with(other, [](auto &p) { p.BeneAccount = Account, p.BeneName = u"张|三"_s; })
        << u"收款人名称不能含有字符“|”！"_s;
    QTest::newRow("line break in the remark")
        << with(other, [](auto &p) { p.BeneAccount = Account, p.Remark = u"a\nb"_s; })
        << u"备注不能含有换行！"_s;
    QTest::newRow("remark GBK cannot hold, own bank")
        << with(other, [](auto &p) { p = {p.BeneName, Card, true, {}, {}, {}, {}, u"😀"_s}; })
        << u"备注含有字符“😀”无法以GBK编码保存！"_s;
}

void TstRosterRules::beneficiary_firstFailingRuleWins()
{
    QFETCH(BeneficiaryPanelInput, panel);
    QFETCH(QString, message);

    QCOMPARE(ValidateBeneficiaryInput(panel, tables(), checkDigit()).value_or(QString()), message);
    QCOMPARE(beneficiaryOf(panel).BankName, panel.OwnBank ? u"澜港银行"_s : panel.Bank);
}

void TstRosterRules::nameAndAccount_firstFailingRuleWins_data()
{
    QTest::addColumn<bool>("payers");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("message");

    for (const bool payers : {true, false}) {
        const char *tab = payers ? "payer" : "payroll";
        const QString accountMessage =
            payers ? u"付款人账号错误！"_s : u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
        QTest::addRow("%s: valid", tab) << payers << u"李四"_s << Account << QString();
        QTest::addRow("%s: no name", tab)
            << payers << QString() << Account << (payers ? u"付款人名称错误！"_s : u"收款人名称错误！"_s);
        QTest::addRow("%s: no account", tab) << payers << u"李四"_s << QString() << accountMessage;
        QTest::addRow("%s: not numeric", tab)
            << payers << u"李四"_s << u"12345678901234x"_s << accountMessage;
        QTest::addRow("%s: wrong check digit", tab) << payers << u"李四"_s << WrongDigit << accountMessage;
        QTest::addRow("%s: pipe in the name", tab)
            << payers << u"李|四"_s << Account
            << (payers ? u"付款人名称不能含有字符“|”！"_s : u"收款人名称不能含有字符“|”！"_s);
    }
    // A payer account admits no card number; a payroll beneficiary may give one.
    QTest::newRow("payer: 16-character card") << true << u"李四"_s << Card << u"付款人账号错误！"_s;
    QTest::newRow("payroll: 16-character card") << false << u"李四"_s << Card << QString();
}

void TstRosterRules::nameAndAccount_firstFailingRuleWins()
{
    QFETCH(bool, payers);
    QFETCH(QString, name);
    QFETCH(QString, account);
    QFETCH(QString, message);
    const NameAccountRules rules =
        payers ? NameAccountRules::payers() : NameAccountRules::payrollBeneficiaries();

    QCOMPARE(validateNameAndAccount(rules, name, account, checkDigit()).value_or(QString()), message);
}

QTEST_GUILESS_MAIN(TstRosterRules)
#include "tst_rosterrules.moc"
