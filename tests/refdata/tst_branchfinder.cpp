#include "refdata/BranchFinder.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::BranchFindOutcome::Kind)

class TstBranchFinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findBranch_decidesInItsFixedOrder_data();
    void findBranch_decidesInItsFixedOrder();
};

void TstBranchFinder::findBranch_decidesInItsFixedOrder_data()
{
    using Kind = BranchFindOutcome::Kind;
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("picked"); // "-": nothing picked
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("row");

    QTest::newRow("empty text") << QString() << u"1021000"_s << Kind::Nothing << -1;
    QTest::newRow("exact name, first line wins")
        << u"中国工商银行北京市朝阳支行"_s << u"-"_s << Kind::Exact << 1;
    QTest::newRow("exact name beats a guess")
        << u"中国建设银行北京市分行"_s << u"1021000"_s << Kind::Exact << 2;
    QTest::newRow("bank and city guessed: first branch of the prefix in file order")
        << u"中国工商银行北京市不存在支行"_s << u"-"_s << Kind::SuperiorByGuess << 0;
    QTest::newRow("sub-area name guessed without its indent")
        << u"中国工商银行宝安不存在支行"_s << u"1021000"_s << Kind::SuperiorByGuess << 3;
    QTest::newRow("guess without branches, picked prefix has one")
        << u"无名银行无名支行"_s << u"1051000"_s << Kind::SuperiorByPicked << 2;
    QTest::newRow("nothing guessed, nothing picked")
        << u"无名银行无名支行"_s << u"-"_s << Kind::AskToPick << -1;
    QTest::newRow("nothing guessed, picked prefix without branches")
        << u"无名银行无名支行"_s << u"1045840"_s << Kind::AskToPick << -1;
}

void TstBranchFinder::findBranch_decidesInItsFixedOrder()
{
    QFETCH(QString, typed);
    QFETCH(QString, picked);
    QFETCH(BranchFindOutcome::Kind, kind);
    QFETCH(int, row);
    const ReferenceTables tables(
        {{u"中国工商银行"_s, u"102"_s}, {u"中国建设银行"_s, u"105"_s}, {u"中国银行"_s, u"104"_s}},
        {
            {u"中国工商银行北京市分行营业部"_s, u"102100000014"_s}, // 0
            {u"中国工商银行北京市朝阳支行"_s, u"102100000022"_s},   // 1
            {u"中国建设银行北京市分行"_s, u"105100000017"_s},       // 2
            {u"中国工商银行深圳宝安支行"_s, u"102584100018"_s},     // 3
        },
        {{u"北京市"_s, u"11"_s}, {u"广东省"_s, u"44"_s}},
        {{u"北京市"_s, u"1000"_s, u"0011"_s}, {u"  - 宝安"_s, u"5841"_s, u"0044"_s}});

    const BranchFindOutcome outcome =
        findBranch(tables, typed, picked == u"-"_s ? std::nullopt : std::optional<QString>(picked));

    QCOMPARE(outcome.kind, kind);
    QCOMPARE(outcome.row, qsizetype(row));
}

QTEST_GUILESS_MAIN(TstBranchFinder)
#include "tst_branchfinder.moc"
