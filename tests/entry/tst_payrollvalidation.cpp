#include "entry/PayrollValidation.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::PayrollItem)

class TstPayrollValidation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validate_firstFailingRuleDecides_data();
    void validate_firstFailingRuleDecides();
};

void TstPayrollValidation::validate_firstFailingRuleDecides_data()
{
    QTest::addColumn<PayrollItem>("panel");
    QTest::addColumn<QString>("failure"); // empty: passes
    QTest::addColumn<QString>("stored");  // the amount of the row stored when it passes

    const QString account = u"123456789012345"_s;
    const QString ownBank = u"收款人账号/卡号错误，必须为本行账号/卡号！"_s;
    const QString badAmount = u"金额错误！"_s;
    const auto panel = [&](const QString &name, const QString &acct, const QString &amount,
                           const QString &remark = QString()) {
        return PayrollItem{name, acct, amount, remark};
    };

    QTest::newRow("valid account") << panel(u"张三"_s, account, u"1,000.00"_s) << QString() << u"1,000.00"_s;
    QTest::newRow("16-character card, no check digit")
        << panel(u"张三"_s, u"6222020200112233"_s, u"1.00"_s) << QString() << u"1.00"_s;
    QTest::newRow("1 name empty") << panel({}, account, u"1.00"_s) << u"收款人名称错误！"_s << QString();
    QTest::newRow("2 account empty") << panel(u"张三"_s, {}, u"1.00"_s) << ownBank << QString();
    QTest::newRow("2 account not numeric")
        << panel(u"张三"_s, u"12345678901234a"_s, u"1.00"_s) << ownBank << QString();
    QTest::newRow("3 wrong check digit")
        << panel(u"张三"_s, u"123456789012347"_s, u"1.00"_s) << ownBank << QString();
    QTest::newRow("4 amount empty") << panel(u"张三"_s, account, {}) << badAmount << QString();
    QTest::newRow("4 amount zero") << panel(u"张三"_s, account, u"0.00"_s) << badAmount << QString();
    QTest::newRow("4 amount negative") << panel(u"张三"_s, account, u"-5"_s) << badAmount << QString();
    QTest::newRow("order: name before amount")
        << panel({}, account, {}) << u"收款人名称错误！"_s << QString();

    // The amount as the field shows it once left, whether or not the focus left it.
    QTest::newRow("amount stored in display form")
        << panel(u"张三"_s, account, u"1234.5"_s) << QString() << u"1,234.50"_s;
    QTest::newRow("amount at the ceiling")
        << panel(u"张三"_s, account, u"100000000.004"_s) << QString() << u"100,000,000.00"_s;
    QTest::newRow("amount above the ceiling") << panel(u"张三"_s, account, u"100000000.01"_s)
                                              << u"单笔金额金额不允许超出 100,000,000.00！"_s << QString();
    QTest::newRow("amount that shows as 0.00")
        << panel(u"张三"_s, account, u"0.004"_s) << badAmount << QString();

    // What the payroll file cannot carry exactly.
    QTest::newRow("quote in the name")
        << panel(u"张\"三"_s, account, u"1.00"_s) << u"收款人名称不能含有字符“\"”！"_s << QString();
    QTest::newRow("line break in the remark")
        << panel(u"张三"_s, account, u"1.00"_s, u"一月\n工资"_s) << u"备注不能含有换行！"_s << QString();
    QTest::newRow("character GBK has not") << panel(u"张三"_s, account, u"1.00"_s, u"奖金😀"_s)
                                           << u"备注含有字符“😀”无法以GBK编码保存！"_s << QString();
    QTest::newRow("comma and pipe are carried")
        << panel(u"张三, 李四|"_s, account, u"1.00"_s, u"a,b"_s) << QString() << u"1.00"_s;
}

void TstPayrollValidation::validate_firstFailingRuleDecides()
{
    QFETCH(PayrollItem, panel);
    QFETCH(QString, failure);
    QFETCH(QString, stored);
    CheckDigit check;
    check.InitCheckDigitWeights();

    const Result<PayrollItem> result = ValidatePayrollInput(panel, check);

    QCOMPARE(result.error(), failure);
    QCOMPARE(result.ok(), failure.isEmpty());
    if (result)
        QCOMPARE(result.value(), (PayrollItem{panel.BeneName, panel.BeneAccount, stored, panel.Remark}));
}

QTEST_GUILESS_MAIN(TstPayrollValidation)
#include "tst_payrollvalidation.moc"
