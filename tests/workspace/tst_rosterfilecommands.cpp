#include "workspace/RosterFileCommands.h"

#include "TableFiles.h"

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
        rows.append(list.rowTexts(row).join(u'/') + u'/' + QString::number(list.rowColour(row)));
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(lgbatch::Roster)

class TstRosterFileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void writeThenRead_givesTheGoldenFileAndTheSameRows_data();
    void writeThenRead_givesTheGoldenFileAndTheSameRows();
    void read_stopsAtABrokenLineAndLosesNothingElse_data();
    void read_stopsAtABrokenLineAndLosesNothingElse();

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
    QTest::addColumn<Roster>("roster");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("rows");

    // The last beneficiary's branch has left the branch table: it comes back red.
    QTest::newRow("beneficiaries")
        << Roster::Beneficiaries << u"bene.xml"_s
        << QStringList{u"张三/6222020200112233445/中国工商银行北京市分行营业部/三月货款/0"_s,
                       u"李四/310000000000026/澜港银行//0"_s,
                       u"钱七/6217000010001234567/已撤销的某某支行/旧账户/255"_s};
    QTest::newRow("payers") << Roster::Payers << u"payer.xml"_s
                            << QStringList{u"澜港贸易有限公司/310000000000018/澜港银行/0"_s,
                                           u"澜港贸易有限公司/310000000000034/澜港银行/0"_s};
    QTest::newRow("payroll beneficiaries")
        << Roster::PayrollBeneficiaries << u"benepayroll.xml"_s
        << QStringList{u"张三/6222020200112233445/澜港银行/0"_s, u"李四/310000000000026/澜港银行/0"_s};
}

void TstRosterFileCommands::writeThenRead_givesTheGoldenFileAndTheSameRows()
{
    QFETCH(Roster, roster);
    QFETCH(QString, file);
    QFETCH(QStringList, rows);
    RecordListModel &list = rosterList(*m_ws, roster);
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
    PayerListModel &list = m_ws->payerRoster();
    list.AddPayer({u"旧"_s, u"1"_s});
    const QFileInfo path(m_dir->filePath(file));
    if (!file.isEmpty())
        QVERIFY(QDir().mkpath(file.endsWith(u'/') ? path.filePath() : path.path()));
    if (!bytes.isEmpty())
        QVERIFY(testing::writeFile(path.path(), path.fileName(), bytes));

    const RosterFileRead read = readRosterFile(*m_ws, Roster::Payers, clearFirst,
                                               file.contains(u"其它"_s) ? path.filePath() : QString());

    QCOMPARE(shown(list), rows);
    QVERIFY(read.message.value_or(QString()).startsWith(message));
    QCOMPARE(read.found, !file.isEmpty());
    QVERIFY(!list.isChanged());
}

QTEST_GUILESS_MAIN(TstRosterFileCommands)
#include "tst_rosterfilecommands.moc"
