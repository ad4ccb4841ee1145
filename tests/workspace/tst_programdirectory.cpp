#include "TableFiles.h"
#include "UnprivilegedScope.h"

#include "core/TextFile.h"
#include "workspace/ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;
using ProgramDirectory::Kind;

Q_DECLARE_METATYPE(lgbatch::ProgramDirectory::Kind)

class TstProgramDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void start_findsAndFillsTheProgramDir_data();
    void start_findsAndFillsTheProgramDir();

private:
    QString at(const QString &name) const { return m_root->filePath(name); }
    bool makeUserDir(const QString &state);

    std::unique_ptr<QTemporaryDir> m_root;
};

namespace {

// A branch table the user took through 更新, and the one an older installation shipped.
const QByteArray OwnTable = gbkLines({u"102100000014=中国工商银行北京分行"_s});
const QByteArray OlderShipped = gbkLines({u"102100000014=中国工商银行北京市分行"_s});

QByteArray bytesOf(const QString &path)
{
    const Result<QByteArray> bytes = TextFile::readBytes(path);
    return bytes ? bytes.value() : QByteArray("<missing>");
}

} // namespace

void TstProgramDirectory::init()
{
    // exe/ is the program's folder, share/ the tables installed with it, user/ the user's own.
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_root->path()).mkpath(u"exe"_s));
    QVERIFY(QDir(m_root->path()).mkpath(u"share"_s));
    QVERIFY(writeMiniTables(at(u"share"_s)));
}

// "" no folder; "own" the user's own branch table and no note;
// "saw this" the installed tables, noted; "saw older" the same, noted as an older installation;
// "own, saw older" the user's own table, noted as an older installation; "no city" like
// "saw this" without city.xml.
bool TstProgramDirectory::makeUserDir(const QString &state)
{
    const QString dir = at(u"user"_s);
    if (state.isEmpty())
        return true;
    if (!QDir().mkpath(dir) || !writeMiniTables(dir))
        return false;
    if (state.startsWith(u"own"_s) && !writeFile(dir, u"BankCode.xml"_s, OwnTable))
        return false;
    if (state == u"no city"_s && !QFile::remove(dir + u"/city.xml"_s))
        return false;
    if (state == u"own"_s)
        return true;
    QTemporaryDir older;
    ProgramDirectory::Plan seen{dir, Kind::PerUser, at(u"share"_s), {}, false, false};
    if (state.contains(u"older"_s)) {
        seen.shippedDir = older.path();
        if (!writeFile(older.path(), u"BankCode.xml"_s, OlderShipped))
            return false;
    }
    return ProgramDirectory::declineShippedTable(seen).ok();
}

void TstProgramDirectory::start_findsAndFillsTheProgramDir_data()
{
    // "" empty, "tables", "tables but BankCode.xml"; "read-only tables" and "not installed" come
    // without installed tables
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("user");  // as makeUserDir says
    QTest::addColumn<QString>("named"); // --dir: "" none, or a new folder
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("table"); // whose tables the folder holds: shipped, own, exe, "" none

    const QStringList all{u"banktype.xml"_s, u"BankCode.xml"_s, u"state.xml"_s, u"city.xml"_s};
    const QStringList none;
    const QString s = u"shipped"_s;
    QTest::newRow("named folder, made and filled")
        << u"tables"_s << u""_s << u"named"_s << Kind::Named << u"named"_s << all << false << s;
    QTest::newRow("portable copy, as it always was")
        << u"tables"_s << u"own"_s << u""_s << Kind::Portable << u"exe"_s << none << false << u"exe"_s;
    QTest::newRow("portable copy that lost its branch table: still its folder")
        << u"tables but BankCode.xml"_s << u""_s << u""_s << Kind::Portable << u"exe"_s << none << false
        << u""_s;
    QTest::newRow("read-only copy: the user's folder, filled from it")
        << u"read-only tables"_s << u""_s << u""_s << Kind::PerUser << u"user"_s << all << false << u"exe"_s;
    QTest::newRow("nothing installed: no folder made")
        << u"not installed"_s << u""_s << u""_s << Kind::PerUser << u"user"_s << none << false << u""_s;
    QTest::newRow("first start") << u""_s << u""_s << u""_s << Kind::PerUser << u"user"_s << all << false
                                 << s;
    QTest::newRow("table never noted: kept, nothing offered")
        << u""_s << u"own"_s << u""_s << Kind::PerUser << u"user"_s << none << false << u"own"_s;
    QTest::newRow("same installation")
        << u""_s << u"saw this"_s << u""_s << Kind::PerUser << u"user"_s << none << false << s;
    QTest::newRow("newer installation: offered, never overwritten")
        << u""_s << u"own, saw older"_s << u""_s << Kind::PerUser << u"user"_s << none << true << u"own"_s;
    QTest::newRow("newer installation already taken through 更新")
        << u""_s << u"saw older"_s << u""_s << Kind::PerUser << u"user"_s << none << false << s;
    QTest::newRow("one table lost: only it copied") << u""_s << u"no city"_s << u""_s << Kind::PerUser
                                                    << u"user"_s << QStringList{u"city.xml"_s} << false << s;
}

void TstProgramDirectory::start_findsAndFillsTheProgramDir()
{
    QFETCH(QString, exe);
    QFETCH(QString, user);
    QFETCH(QString, named);
    QFETCH(Kind, kind);
    QFETCH(QString, dir);
    QFETCH(QStringList, copied);
    QFETCH(bool, offered);
    QFETCH(QString, table);
    if (exe.contains(u"tables"_s)) {
        QVERIFY(writeMiniTables(at(u"exe"_s)));
        QVERIFY(writeFile(at(u"exe"_s), u"BankCode.xml"_s, OlderShipped));
    }
    if (exe.contains(u"but"_s))
        QVERIFY(QFile::remove(at(u"exe/BankCode.xml"_s)));
    const bool readOnly = exe.startsWith(u"read-only"_s);
    if (readOnly || exe == u"not installed"_s)
        QVERIFY(QDir(at(u"share"_s)).removeRecursively());
    if (readOnly) {
        const auto readAndEnter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(at(u"exe"_s), readAndEnter));
        QVERIFY(QFile::setPermissions(m_root->path(), readAndEnter | QFile::WriteOwner));
    }
    QVERIFY(makeUserDir(user));
    ProgramDirectory::Places places{
        std::nullopt, at(u"exe"_s), at(u"user"_s), {at(u"share"_s), at(u"exe"_s)}};
    if (!named.isEmpty())
        places.named = QDir(m_root->path()).relativeFilePath(at(named)); // relative to the working folder
    QVERIFY(QDir::setCurrent(m_root->path()));

    if (readOnly && !UnprivilegedScope().restricted())
        QSKIP("cannot give up the rights to write in the program's folder here");
    const auto start = [&] {
        std::optional<UnprivilegedScope> unprivileged; // root may write anywhere
        if (readOnly)
            unprivileged.emplace();
        return ProgramDirectory::choose(places);
    };
    const Result<ProgramDirectory::Plan> plan = start();
    QVERIFY(plan);
    QCOMPARE(plan->kind, kind);
    QCOMPARE(plan->dir, at(dir));
    QCOMPARE(plan->missingTables, copied);
    QCOMPARE(plan->offerShippedTable, offered);

    const Status prepared = ProgramDirectory::prepare(*plan);
    QVERIFY2(prepared, qPrintable(prepared.error()));
    const QString source = table == u"shipped"_s ? at(u"share/BankCode.xml"_s) : at(u"exe/BankCode.xml"_s);
    const QByteArray expected = table == u"own"_s ? OwnTable
                                : table.isEmpty() ? "<missing>"
                                                  : bytesOf(source);
    QCOMPARE(bytesOf(plan->dir + u"/BankCode.xml"_s), expected);
    for (const QString &name : {u"banktype.xml"_s, u"state.xml"_s, u"city.xml"_s})
        QCOMPARE(QFile::exists(plan->dir + u'/' + name), kind == Kind::Portable || !table.isEmpty());

    // The next start of the same user finds nothing left to do but the open question.
    const Result<ProgramDirectory::Plan> again = start();
    QVERIFY(again);
    QCOMPARE(again->dir, plan->dir);
    QVERIFY(again->missingTables.isEmpty());
    QVERIFY(!again->noteShippedTable);
    QCOMPARE(again->offerShippedTable, offered);
}

QTEST_GUILESS_MAIN(TstProgramDirectory)
#include "tst_programdirectory.moc"
