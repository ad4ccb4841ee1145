#include "workspace/RosterFileCommands.h"

#include "TableFiles.h"
#include "WriteFaults.h"

#include "core/FieldText.h"
#include "core/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QByteArray golden(const QString &name)
{
    return bytesOf(QStringLiteral(LGBATCH_TEST_DATA_DIR "/files/") + name);
}

// A roster's rows as "texts/colour".
QStringList shown(const RecordListModel &list)
{
    QStringList rows;
    for (int row = 1; row <= list.count(); ++row)
        rows.append(list.rowTexts(row).join(u'/') + u'/' +
                    (list.rowState(row) == RowState::UnknownBranch ? u"255"_s : u"0"_s));
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(lgbatch::Workspace::List)
Q_DECLARE_METATYPE(lgbatch::testing::WriteFault)

class TstRosterFileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void writeThenRead_givesTheGoldenFileAndTheSameRows_data();
    void writeThenRead_givesTheGoldenFileAndTheSameRows();
    void read_stopsAtABrokenLineAndLosesNothingElse_data();
    void read_stopsAtABrokenLineAndLosesNothingElse();
    void write_faultKeepsFileFlagAndList_data();
    void write_faultKeepsFileFlagAndList();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ApplicationState m_state;
    std::unique_ptr<Workspace> m_ws;
};

void TstRosterFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(testing::writeMiniTables(m_dir->path()));
    m_ws = std::make_unique<Workspace>(m_state, m_dir->path());
    QVERIFY(m_ws->loadReferenceTables().ok());
}

void TstRosterFileCommands::writeThenRead_givesTheGoldenFileAndTheSameRows_data()
{
    QTest::addColumn<Workspace::List>("roster");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("rows");

    // The last beneficiary's branch has left the branch table: it comes back red.
    QTest::newRow("beneficiaries")
        << Workspace::List::BeneRoster << u"bene.xml"_s
        << QStringList{u"张三/6222020200112233445/中国工商银行北京市分行营业部/三月货款/0"_s,
                       u"李四/310000000000026/澜港银行//0"_s,
                       u"钱七/6217000010001234567/已撤销的某某支行/旧账户/255"_s};
    QTest::newRow("payers") << Workspace::List::PayerRoster << u"payer.xml"_s
                            << QStringList{u"澜港贸易有限公司/310000000000018/澜港银行/0"_s,
                                           u"澜港贸易有限公司/310000000000034/澜港银行/0"_s};
    QTest::newRow("payroll beneficiaries")
        << Workspace::List::PayrollRoster << u"benepayroll.xml"_s
        << QStringList{u"张三/6222020200112233445/澜港银行/0"_s, u"李四/310000000000026/澜港银行/0"_s};
}

void TstRosterFileCommands::writeThenRead_givesTheGoldenFileAndTheSameRows()
{
    QFETCH(Workspace::List, roster);
    QFETCH(QString, file);
    QFETCH(QStringList, rows);
    RecordListModel &list = m_ws->list(roster);
    for (const QString &row : rows)
        list.appendRow(row.split(u'/'));
    list.setChanged(true);

    QCOMPARE(writeRosterFile(*m_ws, roster), std::nullopt);
    QCOMPARE(bytesOf(rosterFilePath(*m_ws, roster)), golden(file));
    QVERIFY(!list.isChanged());

    // Overwriting: the file's rows, in its order, with their colours; the flag stays clear.
    list.appendRow({u"多余"_s, u"1"_s});
    const RosterFileRead read = readRosterFile(*m_ws, roster, true);
    QVERIFY(read.found && !read.message);
    QCOMPARE(read.rowsPaintedRed, rows.filter(u"/255"_s).size());
    QCOMPARE(shown(list), rows);
    QVERIFY(!list.isChanged());

    // Appending the same file again doubles every row.
    QCOMPARE(readRosterFile(*m_ws, roster, false).rowsRead, rows.size());
    QCOMPARE(shown(list), rows + rows);

    // A row the file cannot carry (only a file from elsewhere could bring one; the entry
    // fields refuse it) fails the whole write: the file and the flag stay as they were.
    list.appendRow({u"甲|乙"_s, u"1"_s});
    list.setChanged(true);
    QVERIFY(writeRosterFile(*m_ws, roster).value_or(QString()).startsWith(u"保存文件失败！【第"_s));
    QCOMPARE(bytesOf(rosterFilePath(*m_ws, roster)), golden(file));
    QVERIFY(list.isChanged());

    // An empty roster is an empty file.
    list.clear();
    QCOMPARE(writeRosterFile(*m_ws, roster), std::nullopt);
    QCOMPARE(bytesOf(rosterFilePath(*m_ws, roster)), QByteArray());
}

void TstRosterFileCommands::read_stopsAtABrokenLineAndLosesNothingElse_data()
{
    QTest::addColumn<QString>("file"); // what lies in the program directory; "folder/": a folder
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("message");

    const QString before = u"旧/1/澜港银行/0"_s;
    const QByteArray twoAndBlank = testing::gbkLines({u"甲|1|"_s, u"乙|2|"_s, QString()});
    const QStringList two{u"甲/1/澜港银行/0"_s, u"乙/2/澜港银行/0"_s};
    QTest::newRow("blank line, overwriting")
        << u"payer.xml"_s << twoAndBlank << true << two << u"【第3行是空行】"_s;
    QTest::newRow("blank line, appending")
        << u"payer.xml"_s << twoAndBlank << false << QStringList{before} + two << u"【第3行是空行】"_s;
    QTest::newRow("no file: silent") << QString() << QByteArray() << true << QStringList{before} << QString();
    QTest::newRow("unreadable: list kept")
        << u"payer.xml/"_s << QByteArray() << true << QStringList{before} << u"【"_s;
    QTest::newRow("a file chosen elsewhere") << u"其它/payer.xml"_s << testing::gbkLines({u"丙|3|"_s}) << true
                                             << QStringList{u"丙/3/澜港银行/0"_s} << QString();
}

void TstRosterFileCommands::read_stopsAtABrokenLineAndLosesNothingElse()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, clearFirst);
    QFETCH(QStringList, rows);
    QFETCH(QString, message);
    NameAccountListModel &list = m_ws->payerRoster();
    AddPayer(list, {u"旧"_s, u"1"_s});
    const QFileInfo path(m_dir->filePath(file));
    if (!file.isEmpty())
        QVERIFY(QDir().mkpath(file.endsWith(u'/') ? path.filePath() : path.path()));
    if (!bytes.isEmpty())
        QVERIFY(testing::writeFile(path.path(), path.fileName(), bytes));

    const RosterFileRead read = readRosterFile(*m_ws, Workspace::List::PayerRoster, clearFirst,
                                               file.contains(u"其它"_s) ? path.filePath() : QString());

    QCOMPARE(shown(list), rows);
    QVERIFY(read.message.value_or(QString()).startsWith(message));
    QCOMPARE(read.found, !file.isEmpty());
    // Rows of the roster's own file are saved there already; rows of another file are not.
    QCOMPARE(list.isChanged(), file.contains(u"其它"_s));
}

void TstRosterFileCommands::write_faultKeepsFileFlagAndList_data()
{
    QTest::addColumn<Workspace::List>("roster");
    QTest::addColumn<QString>("file");
    QTest::addColumn<testing::WriteFault>("fault");

    const std::pair<Workspace::List, QString> rosters[]{
        {Workspace::List::BeneRoster, u"bene.xml"_s},
        {Workspace::List::PayerRoster, u"payer.xml"_s},
        {Workspace::List::PayrollRoster, u"benepayroll.xml"_s}};
    const std::pair<testing::WriteFault, const char *> faults[]{
        {testing::WriteFault::DiskFull, "disk full"},
        {testing::WriteFault::ReadOnlyFolder, "read-only folder"},
        {testing::WriteFault::NameIsFolder, "name is a folder"}};
    for (const auto &[roster, file] : rosters) {
        for (const auto &[fault, name] : faults)
            QTest::addRow("%s, %s", qPrintable(file), name) << roster << file << fault;
    }
}

void TstRosterFileCommands::write_faultKeepsFileFlagAndList()
{
    QFETCH(Workspace::List, roster);
    QFETCH(QString, file);
    QFETCH(testing::WriteFault, fault);
    const QString path = rosterFilePath(*m_ws, roster);
    QVERIFY(testing::writeFile(m_dir->path(), file, golden(file)));
    QVERIFY(readRosterFile(*m_ws, roster, true).rowsRead > 0);
    RecordListModel &list = m_ws->list(roster);
    list.appendRow({u"新增的一行"_s, u"310000000000042"_s, u"澜港银行"_s, {}});
    list.setChanged(false); // the failure itself must mark the roster as unsaved
    const QStringList rowsBefore = shown(list);

    testing::WriteFaultScope scope(fault, path);
    if (!scope.active())
        QSKIP("this fault cannot be made here");
    const QMap<QString, QByteArray> before = testing::snapshot(m_dir->path());
    const std::optional<QString> failure = writeRosterFile(*m_ws, roster);

    QCOMPARE(failure,
             ErrorMessage::ofWriter(SystemError::fromErrno(testing::WriteFaultScope::systemErrorOf(fault))));
    QVERIFY(list.isChanged());
    QCOMPARE(testing::snapshot(m_dir->path()), before);
    QCOMPARE(shown(list), rowsBefore);
}

QTEST_GUILESS_MAIN(TstRosterFileCommands)
#include "tst_rosterfilecommands.moc"
