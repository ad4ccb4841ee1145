#include "core/CommandLine.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class TstCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_takesTheThreeOptions_data();
    void parse_takesTheThreeOptions();
    void toolkitOptions_areLeftToTheToolkit_data();
    void toolkitOptions_areLeftToTheToolkit();
};

void TstCommandLine::parse_takesTheThreeOptions_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's own name
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");
    QTest::addColumn<QString>("dir"); // "-" none
    QTest::addColumn<QString>("error");

    QTest::newRow("nothing") << QStringList{} << false << false << u"-"_s << u""_s;
    QTest::newRow("help and version")
        << QStringList{u"-h"_s, u"--version"_s} << true << true << u"-"_s << u""_s;
    QTest::newRow("dir, then its folder even with a dash")
        << QStringList{u"--dir"_s, u"-客户 B"_s} << false << false << u"-客户 B"_s << u""_s;
    QTest::newRow("dir with =") << QStringList{u"--dir=/srv/工资"_s} << false << false << u"/srv/工资"_s
                                << u""_s;
    QTest::newRow("dir without a folder")
        << QStringList{u"--dir"_s} << false << false << u"-"_s << u"选项 --dir 后面缺少目录"_s;
    QTest::newRow("dir twice") << QStringList{u"--dir=a"_s, u"--dir"_s, u"b"_s} << false << false << u"a"_s
                               << u"选项 --dir 只能给一次"_s;
    QTest::newRow("unknown option, help still seen")
        << QStringList{u"-platform"_s, u"--help"_s} << true << false << u"-"_s << u"未知的选项：-platform"_s;
    QTest::newRow("a stray word") << QStringList{u"a.zpk"_s} << false << false << u"-"_s
                                  << u"多余的参数：a.zpk"_s;
}

void TstCommandLine::parse_takesTheThreeOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, help);
    QFETCH(bool, version);
    QFETCH(QString, dir);
    QFETCH(QString, error);

    const StartOptions options = CommandLine::parse(QStringList{u"lgbatch"_s} + arguments);

    QCOMPARE(options.help, help);
    QCOMPARE(options.version, version);
    QCOMPARE(options.programDir.value_or(u"-"_s), dir);
    QCOMPARE(options.error, error);
}

void TstCommandLine::toolkitOptions_areLeftToTheToolkit_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's own name
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("options with their values, one dash or two")
        << QStringList{u"-platform"_s, u"xcb"_s,    u"--dir"_s,    u"d"_s,
                       u"--style"_s,   u"Fusion"_s, u"-display"_s, u":1"_s}
        << QStringList{u"--dir"_s, u"d"_s};
    QTest::newRow("flags and joined values")
        << QStringList{u"-reverse"_s, u"--style=Fusion"_s, u"-stylesheet=a.qss"_s, u"--bogus"_s}
        << QStringList{u"--bogus"_s};
    QTest::newRow("a value missing at the end")
        << QStringList{u"--help"_s, u"-platform"_s} << QStringList{u"--help"_s};
    QTest::newRow("our own mistakes stay") << QStringList{u"--dir"_s, u"a.zpk"_s, u"-platforms"_s}
                                           << QStringList{u"--dir"_s, u"a.zpk"_s, u"-platforms"_s};
}

void TstCommandLine::toolkitOptions_areLeftToTheToolkit()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, kept);
    QCOMPARE(CommandLine::withoutToolkitOptions(QStringList{u"lgbatch"_s} + arguments),
             QStringList{u"lgbatch"_s} + kept);
}

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"
