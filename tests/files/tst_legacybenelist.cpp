#include "files/LegacyBeneList.h"

#include "TableFiles.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

// Entries written "name/account".
QList<PayrollBeneficiary> entries(const QStringList &texts)
{
    QList<PayrollBeneficiary> out;
    for (const QString &t : texts)
        out.append({t.section(u'/', 0, 0), t.section(u'/', 1)});
    return out;
}

QStringList texts(const QList<PayrollBeneficiary> &entries)
{
    QStringList out;
    for (const PayrollBeneficiary &e : entries)
        out.append(e.BeneName + u'/' + e.BeneAccount);
    return out;
}

} // namespace

class TstLegacyBeneList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_takesPairsAfterTheFirstValue_data();
    void read_takesPairsAfterTheFirstValue();
    void entriesToAdd_addsEachPairOnce_data();
    void entriesToAdd_addsEachPairOnce();
};

void TstLegacyBeneList::read_takesPairsAfterTheFirstValue_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("error");

    QTest::newRow("quoted, a pair a line")
        << testing::gbkLines({u"\"2.0\""_s, u"\"张三\",\"6222\""_s, u"\"李四\", \"310\""_s})
        << QStringList{u"张三/6222"_s, u"李四/310"_s} << QString();
    QTest::newRow("pairs across lines") << testing::gbkLines({u"1,张三"_s, u"6222,李四,310"_s})
                                        << QStringList{u"张三/6222"_s, u"李四/310"_s} << QString();
    QTest::newRow("version only") << testing::gbkLines({u"1"_s}) << QStringList{} << QString();
    QTest::newRow("empty file") << QByteArray() << QStringList{} << QString();
    QTest::newRow("ends inside a pair")
        << testing::gbkLines({u"1,张三,6222,李四"_s}) << QStringList{u"张三/6222"_s}
        << u"文件在第2个收款人“李四”的账号之前结束"_s;
    QTest::newRow("ends inside a quoted account")
        << QByteArray("1,\"a\",\"6222\",\"b\",\"62220") << QStringList{u"a/6222"_s}
        << u"文件在第2个收款人“b”的账号中间结束"_s;
    QTest::newRow("a long name is quoted in short")
        << testing::gbkLines({u"1,"_s + u"李"_s.repeated(300)}) << QStringList{}
        << u"文件在第1个收款人“%1…”的账号之前结束"_s.arg(u"李"_s.repeated(24));
    QTest::newRow("invalid GBK") << testing::gbkLines({u"1,张三,6222"_s}) + QByteArray("\x81\x20,1\r\n")
                                 << QStringList{} << u"文件含有无效的GBK字符"_s;
}

void TstLegacyBeneList::read_takesPairsAfterTheFirstValue()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QFETCH(QString, error);

    const PartialRead<PayrollBeneficiary> read = LegacyBeneList::read(bytes);

    QCOMPARE(texts(read.records), entries);
    QCOMPARE(read.error.value_or(Error()).text, error);
}

void TstLegacyBeneList::entriesToAdd_addsEachPairOnce_data()
{
    QTest::addColumn<QStringList>("roster");
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("added");

    QTest::newRow("repeat in the file added once")
        << QStringList{} << QStringList{u"张三/1"_s, u"李四/2"_s, u"张三/1"_s}
        << QStringList{u"张三/1"_s, u"李四/2"_s};
    QTest::newRow("all held: nothing")
        << QStringList{u"张三/1"_s, u"李四/2"_s} << QStringList{u"李四/2"_s, u"张三/1"_s} << QStringList{};
    QTest::newRow("same name, two accounts")
        << QStringList{u"张三/1"_s} << QStringList{u"张三/2"_s, u"张三/3"_s}
        << QStringList{u"张三/2"_s, u"张三/3"_s};
    QTest::newRow("exact comparison")
        << QStringList{u"abc/1"_s} << QStringList{u"ABC/1"_s, u"abc /1"_s, u"abc/1 "_s}
        << QStringList{u"ABC/1"_s, u"abc /1"_s, u"abc/1 "_s};
    QTest::newRow("name and account kept apart")
        << QStringList{u"ab/c"_s} << QStringList{u"a/bc"_s} << QStringList{u"a/bc"_s};
}

void TstLegacyBeneList::entriesToAdd_addsEachPairOnce()
{
    QFETCH(QStringList, roster);
    QFETCH(QStringList, file);
    QFETCH(QStringList, added);

    QCOMPARE(texts(LegacyBeneList::entriesToAdd(entries(roster), entries(file))), added);
}

QTEST_GUILESS_MAIN(TstLegacyBeneList)
#include "tst_legacybenelist.moc"
