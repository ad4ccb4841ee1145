#include "entry/ListTotals.h"
#include "entry/PaymentLists.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class TstPaymentLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void batchRow_readsBackWithDerivedCodes_data();
    void batchRow_readsBackWithDerivedCodes();
    void payrollRow_showsOwnBankAndReadsBack();
    void totals_stopAtCeilingOrBadAmount_data();
    void totals_stopAtCeilingOrBadAmount();

private:
    ReferenceTables m_tables;
};

void TstPaymentLists::init()
{
    m_tables = ReferenceTables({{u"中国工商银行"_s, u"102"_s}},
                               {{u"中国工商银行北京市朝阳支行"_s, u"102100000022"_s}},
                               {{u"北京市"_s, u"11"_s}}, {{u"北京市"_s, u"1000"_s, u"0011"_s}});
}

void TstPaymentLists::batchRow_readsBackWithDerivedCodes_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QStringList>("codes"); // BankCode, BankTypeCode, StateCode, CityCode
    QTest::addColumn<int>("columns");

    const QStringList found{u"102100000022"_s, u"102"_s, u"0011"_s, u"1000"_s};
    QTest::newRow("corporate, branch in the table") << false << u"中国工商银行北京市朝阳支行"_s << found << 8;
    QTest::newRow("personal, branch in the table") << true << u"中国工商银行北京市朝阳支行"_s << found << 6;
    QTest::newRow("own bank") << false << u"澜港银行"_s << QStringList{u"ZPK"_s, {}, {}, {}} << 8;
    QTest::newRow("branch gone from the table")
        << true << u"已撤销支行"_s << QStringList{{}, {}, {}, {}} << 6;
}

void TstPaymentLists::batchRow_readsBackWithDerivedCodes()
{
    QFETCH(bool, personal);
    QFETCH(QString, bank);
    QFETCH(QStringList, codes);
    QFETCH(int, columns);
    BatchListModel list(personal ? Edition::Personal : Edition::Corporate, m_tables);
    BatchPayment in;
    in.PayerName = u"澜港科技"_s;
    in.PayerAccount = u"123456789012345"_s;
    in.BeneName = u"张三"_s;
    in.BeneAccount = u"6222"_s;
    in.BankName = bank;
    in.Amount = u"1,234.50"_s;
    in.Emergency = u"加急"_s;
    in.Remark = u"货款"_s;

    list.AddBatchRow(in);
    const BatchPayment out = list.ReadBatchRow(1);

    QCOMPARE(list.columnCount(), columns);
    QCOMPARE(list.cellText(1, list.amountColumn()), u"1,234.50"_s);
    BatchPayment expected = in;
    if (personal)
        expected.PayerName = expected.PayerAccount = QString();
    expected.branch.BankCode = codes[0];
    expected.branch.BankTypeCode = codes[1];
    expected.branch.StateCode = codes[2];
    expected.branch.CityCode = codes[3];
    QVERIFY(out == expected);
}

void TstPaymentLists::payrollRow_showsOwnBankAndReadsBack()
{
    PayrollListModel list;
    const PayrollItem item{u"李四"_s, u"6222020200112233"_s, u"8,000.00"_s, u"工资"_s};

    list.AddPayrollRow(item);

    QCOMPARE(list.rowTexts(1),
             (QStringList{u"李四"_s, u"6222020200112233"_s, u"澜港银行"_s, u"8,000.00"_s, u"工资"_s}));
    QVERIFY(list.ReadPayrollRow(1) == item);
}

void TstPaymentLists::totals_stopAtCeilingOrBadAmount_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("ceilingRow");
    QTest::addColumn<int>("badRow");

    QTest::newRow("exactly the ceiling")
        << QStringList{u"99,999,999.99"_s, u"0.01"_s} << u"100,000,000.00"_s << 0 << 0;
    QTest::newRow("one cent above") << QStringList{u"100,000,000.00"_s, u"0.01"_s, u"x"_s} << QString() << 2
                                    << 0;
    QTest::newRow("not a number") << QStringList{u"1.00"_s, u"abc"_s} << QString() << 0 << 2;
    QTest::newRow("empty list") << QStringList() << u"0.00"_s << 0 << 0;
}

void TstPaymentLists::totals_stopAtCeilingOrBadAmount()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, total);
    QFETCH(int, ceilingRow);
    QFETCH(int, badRow);
    PayrollListModel list;
    for (const QString &amount : amounts)
        list.AddPayrollRow({u"李四"_s, u"1"_s, amount, {}});

    const ListTotal result = totalOfAmountColumn(list, PayrollListModel::AmountColumn, Amount::ceiling());

    QCOMPARE(result.count, amounts.size());
    QCOMPARE(result.ceilingExceededAtRow, ceilingRow);
    QCOMPARE(result.badAmountRow, badRow);
    if (result.ok())
        QCOMPARE(result.total.toDisplayText(), total);
}

QTEST_GUILESS_MAIN(TstPaymentLists)
#include "tst_paymentlists.moc"
