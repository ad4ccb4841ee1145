#include "rosters/RosterRules.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class TstRosterRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rules_firstFailingOneWins_data();
    void rules_firstFailingOneWins();
};

void TstRosterRules::rules_firstFailingOneWins_data()
{
    QTest::addColumn<QString>("roster");
    // beneficiaries: name/account/是 or 否/province/city/bank/branch/remark; others: name/account
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message"); // empty: may be stored

    const auto row = [](const QByteArray &name, const QString &roster, const QString &input,
                        const QString &message) {
        QTest::newRow(name.constData()) << roster << input << message;
    };
    // 123456789012345 carries a valid check digit, 123456789012347 does not; a card has 16 characters.
    const QString bene = u"bene"_s;
    row("bene: other bank", bene, u"张三/62170000/否/北京市/北京市/工行/朝阳支行/货款"_s, {});
    row("bene: no name", bene, u"/62170000/否/北京市/北京市/工行/朝阳支行/"_s, u"收款人名称错误！"_s);
    row("bene: no account", bene, u"张三//否/北京市/北京市/工行/朝阳支行/"_s, u"收款人账号错误！"_s);
    row("bene: not numeric", bene, u"张三/6217 0000/是/////"_s, u"收款人账号错误！"_s);
    row("bene: 是, wrong check digit", bene, u"张三/123456789012347/是/////"_s,
        u"收款人账号/卡号错误，必须为本行账号/卡号！"_s);
    row("bene: 是, card, no branch needed", bene, u"张三/6222020200112233/是/////"_s, {});
    row("bene: 否 tests no check digit", bene, u"张三/123456789012347/否/北京市/北京市/工行/朝阳支行/"_s, {});
    row("bene: no province", bene, u"张三/1/否//北京市/工行/朝阳支行/"_s, u"收款开户省份错误！"_s);
    row("bene: no city", bene, u"张三/1/否/北京市//工行/朝阳支行/"_s, u"收款开户城市错误！"_s);
    row("bene: no bank", bene, u"张三/1/否/北京市/北京市//朝阳支行/"_s, u"收款银行错误！"_s);
    row("bene: no branch", bene, u"张三/1/否/北京市/北京市/工行//"_s, u"收款账号开户行错误！"_s);
    row("bene: branch not in the table", bene, u"张三/1/否/北京市/北京市/工行/某某支行/"_s,
        u"收款开户行不存在！"_s);
    row("bene: pipe in the name", bene, u"张|三/1/否/北京市/北京市/工行/朝阳支行/"_s,
        u"收款人名称不能含有字符“|”！"_s);
    row("bene: line break in the remark", bene, u"张三/6222020200112233/是/////a\nb"_s,
        u"备注不能含有换行！"_s);
    row("bene: remark GBK cannot hold", bene, u"张三/6222020200112233/是/////😀"_s,
        u"备注含有字符“😀”无法以GBK编码保存！"_s);
    for (const QString &roster : {u"payer"_s, u"payroll"_s}) {
        const bool payer = roster == u"payer"_s;
        const QString account =
            payer ? u"付款人账号错误！"_s : u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
        const QByteArray tag = roster.toLatin1();
        row(tag + ": valid", roster, u"李四/123456789012345"_s, {});
        row(tag + ": no name", roster, u"/123456789012345"_s,
            payer ? u"付款人名称错误！"_s : u"收款人名称错误！"_s);
        row(tag + ": no account", roster, u"李四/"_s, account);
        row(tag + ": not numeric", roster, u"李四/12345678901234x"_s, account);
        row(tag + ": wrong check digit", roster, u"李四/123456789012347"_s, account);
        // A payer account admits no card number; a payroll beneficiary may give one.
        row(tag + ": card", roster, u"李四/6222020200112233"_s, payer ? account : QString());
        row(tag + ": pipe in the name", roster, u"李|四/123456789012345"_s,
            payer ? u"付款人名称不能含有字符“|”！"_s : u"收款人名称不能含有字符“|”！"_s);
    }
}

void TstRosterRules::rules_firstFailingOneWins()
{
    QFETCH(QString, roster);
    QFETCH(QString, input);
    QFETCH(QString, message);
    static const ReferenceTables tables({{u"工行"_s, u"102"_s}}, {{u"朝阳支行"_s, u"102100000022"_s}},
                                        {{u"北京市"_s, u"11"_s}}, {{u"北京市"_s, u"1000"_s, u"0011"_s}});
    CheckDigit checkDigit;
    checkDigit.InitCheckDigitWeights();
    const QStringList f = input.split(u'/');

    std::optional<QString> failure;
    if (roster == u"bene"_s) {
        const BeneficiaryPanelInput panel{f[0], f[1], f[2] == u"是"_s, f[3], f[4], f[5], f[6], f[7]};
        failure = ValidateBeneficiaryInput(panel, tables, checkDigit);
        QCOMPARE(beneficiaryOf(panel).BankName, panel.OwnBank ? u"澜港银行"_s : panel.Bank);
    } else {
        const auto rules =
            roster == u"payer"_s ? NameAccountRules::payers() : NameAccountRules::payrollBeneficiaries();
        failure = validateNameAndAccount(rules, f[0], f[1], checkDigit);
    }
    QCOMPARE(failure.value_or(QString()), message);
}

QTEST_GUILESS_MAIN(TstRosterRules)
#include "tst_rosterrules.moc"
