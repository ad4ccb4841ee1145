#include "rosters/RosterLists.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class TstRosterLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void beneficiary_readsBackWithDerivedCodes_data();
    void beneficiary_readsBackWithDerivedCodes();
    void payerAndPayrollRows_showOwnBank();
};

void TstRosterLists::beneficiary_readsBackWithDerivedCodes_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QStringList>("codes"); // BankCode, BankTypeCode, StateCode, CityCode

    QTest::newRow("branch in the table")
        << u"中国工商银行北京市朝阳支行"_s << QStringList{u"102100000022"_s, u"102"_s, u"0011"_s, u"1000"_s};
    QTest::newRow("own bank") << u"澜港银行"_s << QStringList{u"ZPK"_s, {}, {}, {}};
    QTest::newRow("branch gone from the table") << u"已撤销支行"_s << QStringList{{}, {}, {}, {}};
}

void TstRosterLists::beneficiary_readsBackWithDerivedCodes()
{
    QFETCH(QString, bank);
    QFETCH(QStringList, codes);
    const ReferenceTables tables({{u"中国工商银行"_s, u"102"_s}},
                                 {{u"中国工商银行北京市朝阳支行"_s, u"102100000022"_s}},
                                 {{u"北京市"_s, u"11"_s}}, {{u"北京市"_s, u"1000"_s, u"0011"_s}});
    BeneficiaryListModel roster(tables);

    roster.AddBeneficiary({u"张三"_s, u"6222"_s, bank, u"X"_s, u"X"_s, u"X"_s, u"X"_s, u"备注"_s});
    const Beneficiary read = roster.ReadBeneficiaryRow(1);

    QCOMPARE(roster.rowTexts(1), (QStringList{u"张三"_s, u"6222"_s, bank, u"备注"_s}));
    QCOMPARE((QStringList{read.branch.BankCode, read.branch.BankTypeCode, read.branch.StateCode,
                          read.branch.CityCode}),
             codes);
    QCOMPARE(read.Remark, u"备注"_s);
}

void TstRosterLists::payerAndPayrollRows_showOwnBank()
{
    NameAccountListModel payers(NameAccountListModel::Kind::Payers);
    NameAccountListModel payroll(NameAccountListModel::Kind::PayrollBeneficiaries);

    AddPayer(payers, {u"澜港科技"_s, u"123456789012345"_s});
    AddPayrollBeneficiary(payroll, {u"李四"_s, u"6222020200112233"_s});

    QCOMPARE(payers.rowTexts(1), (QStringList{u"澜港科技"_s, u"123456789012345"_s, u"澜港银行"_s}));
    QCOMPARE(payroll.headerData(2, Qt::Horizontal).toString(), u"付款人银行开户行"_s);
    QVERIFY((ReadPayerRow(payers, 1) == Payer{u"澜港科技"_s, u"123456789012345"_s}));
    QVERIFY((ReadPayrollBeneficiaryRow(payroll, 1) == PayrollBeneficiary{u"李四"_s, u"6222020200112233"_s}));
}

QTEST_GUILESS_MAIN(TstRosterLists)
#include "tst_rosterlists.moc"
