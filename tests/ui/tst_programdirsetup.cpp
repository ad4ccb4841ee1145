#include "ScriptedSeams.h"
#include "TableFiles.h"

#include "ui/ProgramDirSetup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

class TstProgramDirSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void start_tellsWhatHappenedToTheProgramDir_data();
    void start_tellsWhatHappenedToTheProgramDir();
};

void TstProgramDirSetup::start_tellsWhatHappenedToTheProgramDir_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("yes"); // the answer to the offer of the newer table
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("started");

    const QString offer = u"随程序安装了新的支付系统行号表。\n确定更新支付系统行号表？"_s;
    QTest::newRow("newer table taken")
        << u"newer"_s << true << QStringList{offer, u"支付系统行号表更新完成!"_s} << true;
    QTest::newRow("newer table turned down") << u"newer"_s << false << QStringList{offer} << true;
    QTest::newRow("backup in the way: the start goes on with the user's table")
        << u"newer, backup"_s << true << QStringList{offer, u"错误 【58 文件已存在】"_s} << true;
    QTest::newRow("named folder is a file")
        << u"named file"_s << true << QStringList{u"程序目录 %1 不是文件夹"_s} << false;
    QTest::newRow("user's folder cannot be made")
        << u"blocked"_s << true << QStringList{u"无法准备程序目录 %1！【文件已存在】"_s} << false;
}

void TstProgramDirSetup::start_tellsWhatHappenedToTheProgramDir()
{
    QFETCH(QString, setup);
    QFETCH(bool, yes);
    QFETCH(QStringList, shown);
    QFETCH(bool, started);
    QTemporaryDir root;
    const QString user = root.filePath(u"user"_s);
    const QString share = root.filePath(u"share"_s);
    QVERIFY(QDir(root.path()).mkpath(u"share"_s) && writeMiniTables(share));
    ProgramDirectory::Places places{std::nullopt, root.filePath(u"exe"_s), user, {share}};
    ScriptedPrompter prompter;
    if (setup.startsWith(u"newer"_s)) {
        QCOMPARE(setUpProgramDir(places, prompter), user); // the first start, without a word
        QVERIFY(prompter.texts().isEmpty());
        QVERIFY(writeFile(share, u"BankCode.xml"_s, gbkLines({u"102100000014=中国工商银行北京分行"_s})));
    }
    if (setup.endsWith(u"backup"_s))
        QVERIFY(writeFile(user, u"BankCode.xml.bak"_s, "earlier"));
    if (setup == u"named file"_s)
        places.named = share + u"/BankCode.xml"_s;
    if (setup == u"blocked"_s)
        QVERIFY(writeFile(root.path(), u"user"_s, "x"));
    prompter.answerNext(yes ? Prompter::Answer::Yes : Prompter::Answer::No);

    const std::optional<QString> dir = setUpProgramDir(places, prompter);

    QCOMPARE(dir.has_value(), started);
    const QString named = QDir::toNativeSeparators(places.named.value_or(user));
    for (QString &text : shown)
        text.replace(u"%1"_s, named);
    QCOMPARE(prompter.texts(), shown);
    if (started && !yes) {
        prompter.clear();
        QCOMPARE(setUpProgramDir(places, prompter), user);
        QVERIFY2(prompter.texts().isEmpty(), "a table turned down is not offered again");
    }
}

QTEST_GUILESS_MAIN(TstProgramDirSetup)
#include "tst_programdirsetup.moc"
