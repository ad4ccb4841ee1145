#include "core/PinyinInitials.h"
#include "entry/RowFilter.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class tst_RowFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matches_textOrInitials_data();
    void matches_textOrInitials();
};

namespace {

// The batch list's columns: names (payer, beneficiary, branch) and the others.
const QStringList Headers{u"付款人名称"_s,       u"付款人账号"_s, u"收款人名称"_s, u"收款人账号"_s,
                          u"收款人银行开户行"_s, u"金额"_s,       u"支付方式"_s,   u"备注"_s};
const QStringList Row{u"澜港贸易有限公司"_s, u"123456789012345"_s, u"张三"_s,   u"6222020200112233"_s,
                      u"中国银行上海分行"_s, u"1,234.50"_s,        u"非加急"_s, u"Bonus 三月"_s};

} // namespace

void tst_RowFilter::matches_textOrInitials_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    // Text in any column, each kind once.
    QTest::newRow("payer name") << u"贸易"_s << true;
    QTest::newRow("account digits") << u"02020"_s << true;
    QTest::newRow("amount as shown") << u"1,234.5"_s << true;
    QTest::newRow("payment mode") << u"非加急"_s << true;
    QTest::newRow("remark, Latin in other case") << u"bONUS"_s << true;
    QTest::newRow("branch name") << u"上海分行"_s << true;
    QTest::newRow("Chinese exactly") << u"张四"_s << false;
    QTest::newRow("digits exactly") << u"6223"_s << false;
    // Initials of the name columns, every reading of 行 (háng, xíng) and 银 (yín).
    QTest::newRow("zs for 张三") << u"zs"_s << true;
    QTest::newRow("initials in capitals") << u"ZS"_s << true;
    QTest::newRow("yh: 银行 read háng") << u"yh"_s << true;
    QTest::newRow("yx: 银行 read xíng") << u"yx"_s << true;
    QTest::newRow("payer initials inside the name") << u"myyx"_s << true;
    QTest::newRow("branch initials") << u"zgyhshfh"_s << true;
    QTest::newRow("initials not consecutive") << u"zgsh"_s << false;
    QTest::newRow("initials of no name column") << u"fjj"_s << false;
    QTest::newRow("letters with a digit: text only") << u"zs1"_s << false;
    // Surrounding spaces do not count; nothing typed lets every row through.
    QTest::newRow("spaces around") << u"  zs "_s << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("only spaces") << u"   "_s << true;
    QTest::newRow("nothing like it") << u"qqq"_s << false;
}

void tst_RowFilter::matches_textOrInitials()
{
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    QCOMPARE(RowFilter(typed, nameColumnsOf(Headers)).matches(Row), matches);
}

QTEST_APPLESS_MAIN(tst_RowFilter)
#include "tst_rowfilter.moc"
