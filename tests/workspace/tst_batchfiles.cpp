#include "workspace/BatchFiles.h"
#include "workspace/ListSummary.h"

#include "ScriptedSeams.h"
#include "TableFiles.h"
#include "WriteFaults.h"

#include "core/FieldText.h"
#include "core/SystemError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lgbatch;
using namespace lgbatch::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lgbatch::Edition)
Q_DECLARE_METATYPE(lgbatch::testing::WriteFault)

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray golden(const QString &name)
{
    return bytesOf(QStringLiteral(LGBATCH_TEST_DATA_DIR "/files/") + name);
}

BatchPayment payment(const QString &payerName, const QString &beneName, const QString &beneAccount,
                     const QString &bankName, const QString &amount, const QString &mode,
                     const QString &remark)
{
    BatchPayment p;
    p.PayerName = payerName;
    p.PayerAccount = payerName.isEmpty() ? QString() : u"310000000000018"_s;
    p.BeneName = beneName;
    p.BeneAccount = beneAccount;
    p.BankName = bankName;
    p.Amount = amount;
    p.Emergency = mode;
    p.Remark = remark;
    return p;
}

// The rows of the two golden batch files, as the list holds them.
QList<BatchPayment> goldenRows(Edition edition)
{
    if (edition == Edition::Corporate) {
        const QString payer = u"澜港贸易有限公司"_s;
        return {payment(payer, u"张三"_s, u"6222020200112233445"_s, u"中国工商银行北京市分行营业部"_s,
                        u"12,345.60"_s, u"加急"_s, u"三月货款"_s),
                payment(payer, u"李四"_s, u"310000000000026"_s, u"澜港银行"_s, u"300.00"_s, u"非加急"_s, {})};
    }
    return {payment({}, u"王五"_s, u"6217000010001234567"_s, u"中国建设银行北京市分行"_s, u"60,000.00"_s,
                    u"加急"_s, u"学费"_s),
            payment({}, u"赵六"_s, u"310000000000034"_s, u"澜港银行"_s, u"0.50"_s, u"非加急"_s, u"房租"_s)};
}

QString zpkLine(const QString &name, const QString &bank)
{
    return u"RMB|20240105|2|310000000000018|澜港贸易有限公司|"_s + bank + u"|x|6222|"_s + name +
           u"|1.00|false||"_s;
}

QString bptLine(const QString &name, const QString &bank)
{
    return u"D|20240105|2|01|02|310000000000018|澜港贸易有限公司|"_s + bank + u"|x|y|z|6222|"_s + name +
           u"|100|备注|"_s;
}

const QString KnownBranch = u"中国工商银行北京市朝阳支行"_s;
const QString GoneBranch = u"已撤销的支行"_s;

} // namespace

class TstBatchFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void write_matchesGoldenAndReadsBack_data();
    void write_matchesGoldenAndReadsBack();
    void write_refusedLeavesPreviousFile_data();
    void write_refusedLeavesPreviousFile();
    void write_faultKeepsFileFlagAndList_data();
    void write_faultKeepsFileFlagAndList();
    void write_aboveTheCeilingWritesNothing();
    void summary_namesTheFileTheListLastMet_data();
    void summary_namesTheFileTheListLastMet();
    void read_parsesBeforeTouchingTheList_data();
    void read_parsesBeforeTouchingTheList();

private:
    // A workspace of the mini tables whose batch list holds `rows`.
    std::unique_ptr<Workspace> open(Edition edition, const QList<BatchPayment> &rows = {});

    QTemporaryDir m_dir;
    ApplicationState m_state;
};

std::unique_ptr<Workspace> TstBatchFiles::open(Edition edition, const QList<BatchPayment> &rows)
{
    m_state = ApplicationState();
    m_state.chooseEdition(edition);
    if (!m_dir.isValid() || !writeMiniTables(m_dir.path()))
        return nullptr;
    auto workspace = std::make_unique<Workspace>(m_state, m_dir.path());
    if (!workspace->loadReferenceTables())
        return nullptr;
    for (const BatchPayment &p : rows)
        workspace->batchList().AddBatchRow(p);
    return workspace;
}

void TstBatchFiles::write_matchesGoldenAndReadsBack_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("file");

    QTest::newRow("corporate") << Edition::Corporate << u"batch_corporate.zpk"_s;
    QTest::newRow("personal: empty payer columns") << Edition::Personal << u"batch_personal.zpk"_s;
}

void TstBatchFiles::write_matchesGoldenAndReadsBack()
{
    QFETCH(Edition, edition);
    QFETCH(QString, file);
    std::unique_ptr<Workspace> ws = open(edition, goldenRows(edition));
    QVERIFY(ws);
    ws->CurrentBatchFileName = m_dir.filePath(u"out.zpk"_s);
    ws->batchList().setChanged(true);

    const BatchFileOutcome written = WriteBatchFile(*ws, FixedClock(QDate(2024, 1, 5)));

    QCOMPARE(written.warning, std::nullopt);
    QCOMPARE(bytesOf(ws->CurrentBatchFileName), golden(file));
    QVERIFY(!ws->batchList().isChanged());

    std::unique_ptr<Workspace> back = open(edition);
    const BatchFileOutcome read = ReadBatchFile(*back, ws->CurrentBatchFileName, true);
    QCOMPARE(read.warning, std::nullopt);
    QCOMPARE(read.rowsRead, 2);
    for (int row = 1; row <= 2; ++row)
        QCOMPARE(back->batchList().rowTexts(row), ws->batchList().rowTexts(row));
}

void TstBatchFiles::write_refusedLeavesPreviousFile_data()
{
    QTest::addColumn<QStringList>("branches"); // one row each
    QTest::addColumn<QString>("beneName");     // of the last row
    QTest::addColumn<bool>("intoFolder");      // the file name names a folder
    QTest::addColumn<QList<int>>("redRows");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("changed");

    const QString noBranch = u"收款账号开户行不存在/已被删除，请重新选择！"_s;
    QTest::newRow("rows without a branch, each painted")
        << QStringList{GoneBranch, KnownBranch, GoneBranch} << u"张三"_s << false << QList<int>{1, 3}
        << noBranch << false;
    QTest::newRow("a name the file cannot carry")
        << QStringList{KnownBranch} << u"张|三"_s << false << QList<int>{}
        << u"保存文件失败！【第1行收款人名称不能含有字符“|”】"_s << true;
    QTest::newRow("no file can be made there")
        << QStringList{KnownBranch} << u"张三"_s << true << QList<int>{} << u"保存文件失败！【"_s << true;
}

void TstBatchFiles::write_refusedLeavesPreviousFile()
{
    QFETCH(QStringList, branches);
    QFETCH(QString, beneName);
    QFETCH(bool, intoFolder);
    QFETCH(QList<int>, redRows);
    QFETCH(QString, message);
    QFETCH(bool, changed);
    QList<BatchPayment> rows;
    for (const QString &branch : branches)
        rows.append(payment(u"付款人"_s, u"张三"_s, u"6222"_s, branch, u"1.00"_s, u"非加急"_s, {}));
    rows.last().BeneName = beneName;
    std::unique_ptr<Workspace> ws = open(Edition::Corporate, rows);
    QVERIFY(ws);
    ws->CurrentBatchFileName = intoFolder ? m_dir.path() : m_dir.filePath(u"kept.zpk"_s);
    QVERIFY(writeFile(m_dir.path(), u"kept.zpk"_s, "previous"));

    const BatchFileOutcome outcome = WriteBatchFile(*ws, FixedClock());

    // The system's own text of a failed write varies; the message's form does not.
    const QString warning = outcome.warning.value_or(QString());
    QVERIFY2(warning.startsWith(message), qPrintable(warning));
    QCOMPARE(outcome.redRows, redRows);
    QList<int> painted;
    for (int row = 1; row <= ws->batchList().count(); ++row)
        if (ws->batchList().rowState(row) == RowState::UnknownBranch)
            painted.append(row);
    QCOMPARE(painted, redRows);
    QCOMPARE(bytesOf(m_dir.filePath(u"kept.zpk"_s)), QByteArray("previous"));
    QCOMPARE(ws->batchList().isChanged(), changed);
}

void TstBatchFiles::write_faultKeepsFileFlagAndList_data()
{
    QTest::addColumn<WriteFault>("fault");

    QTest::newRow("disk full") << WriteFault::DiskFull;
    QTest::newRow("read-only folder") << WriteFault::ReadOnlyFolder;
    QTest::newRow("name is a folder") << WriteFault::NameIsFolder;
}

void TstBatchFiles::write_faultKeepsFileFlagAndList()
{
    QFETCH(WriteFault, fault);
    std::unique_ptr<Workspace> ws = open(Edition::Corporate, goldenRows(Edition::Corporate));
    QVERIFY(ws);
    BatchListModel &list = ws->batchList();
    list.setChanged(false); // the failure itself must mark the list as unsaved
    const QString dir = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(dir) && writeFile(dir, u"out.zpk"_s, golden(u"batch_personal.zpk"_s)));
    ws->CurrentBatchFileName = dir + u"/out.zpk"_s;
    const auto shown = [&list] {
        QStringList rows;
        for (int row = 1; row <= list.count(); ++row)
            rows.append(list.rowTexts(row).join(u'|') + u'/' +
                        (list.rowState(row) == RowState::UnknownBranch ? u"255"_s : u"0"_s));
        return rows;
    };
    const QStringList rowsBefore = shown();

    WriteFaultScope scope(fault, ws->CurrentBatchFileName);
    if (!scope.active())
        QSKIP("this fault cannot be made here");
    const QMap<QString, QByteArray> before = snapshot(dir);
    const BatchFileOutcome written = WriteBatchFile(*ws, FixedClock(QDate(2024, 1, 5)));

    QCOMPARE(written.warning,
             ErrorMessage::ofWriter(SystemError::fromErrno(WriteFaultScope::systemErrorOf(fault))));
    QVERIFY(written.redRows.isEmpty());
    QVERIFY(list.isChanged());
    QCOMPARE(snapshot(dir), before);
    QCOMPARE(shown(), rowsBefore);
}

void TstBatchFiles::write_aboveTheCeilingWritesNothing()
{
    const auto paying = [](const QString &amount) {
        return payment(u"付款人"_s, u"甲"_s, u"6222"_s, KnownBranch, amount, u"加急"_s, {});
    };
    std::unique_ptr<Workspace> ws =
        open(Edition::Corporate, {paying(u"1.00"_s), paying(u"60,000,000.00"_s), paying(u"60,000,000.00"_s)});
    QVERIFY(ws);
    ws->CurrentBatchFileName = m_dir.filePath(u"kept.zpk"_s);
    QVERIFY(writeFile(m_dir.path(), u"kept.zpk"_s, "previous"));
    const QString ceiling = u"总金额金额不允许超出 100,000,000.00！"_s;
    for (bool changed : {true, false}) {
        ws->batchList().setChanged(changed);
        QCOMPARE(WriteBatchFile(*ws, FixedClock()).warning, ceiling);
        QCOMPARE(bytesOf(ws->CurrentBatchFileName), QByteArray("previous"));
        QCOMPARE(ws->batchList().count(), 3);
        QCOMPARE(ws->batchList().isChanged(), changed);
    }

    const Result<ListSummary> summary = summarizeList(*ws, SummarizedList::Batch, QDate(2026, 12, 7));
    QVERIFY(summary);
    QCOMPARE(summary.value().total, u"120,000,001.00"_s);
    QCOMPARE(summary.value().totalWarning, ceiling);
    ws->batchList().removeRowNumbers({3});
    QCOMPARE(summarizeList(*ws, SummarizedList::Batch, QDate(2026, 12, 7)).value().totalWarning, QString());
}

void TstBatchFiles::summary_namesTheFileTheListLastMet_data()
{
    QTest::addColumn<QStringList>("steps"); // "save NAME" or "read NAME"; saving to "folder" fails
    QTest::addColumn<QString>("named");     // empty: none

    QTest::newRow("no file yet") << QStringList() << QString();
    QTest::newRow("a failed save") << QStringList{u"save folder"_s} << QString();
    QTest::newRow("saved, then a failed save")
        << QStringList{u"save a.zpk"_s, u"save folder"_s} << u"a.zpk"_s;
    QTest::newRow("saved twice, then read")
        << QStringList{u"save a.zpk"_s, u"save b.zpk"_s, u"read a.zpk"_s} << u"a.zpk"_s;
}

void TstBatchFiles::summary_namesTheFileTheListLastMet()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, named);
    std::unique_ptr<Workspace> ws =
        open(Edition::Corporate, {payment(u"付款人"_s, u"甲"_s, u"6222"_s, KnownBranch, u"1.00"_s, {}, {})});
    QVERIFY(ws);
    for (const QString &step : steps) {
        const QString name = step.section(u' ', 1);
        const QString path = name == u"folder"_s ? m_dir.path() : m_dir.filePath(name);
        if (step.startsWith(u"save"_s)) {
            ws->CurrentBatchFileName = path;
            WriteBatchFile(*ws, FixedClock());
        } else {
            QCOMPARE(ReadBatchFile(*ws, path, false).warning, std::nullopt);
        }
    }

    const Result<ListSummary> summary = summarizeList(*ws, SummarizedList::Batch, QDate(2026, 12, 7));
    QVERIFY(summary);
    QCOMPARE(summary.value().facts.first(),
             std::pair(u"文件："_s,
                       named.isEmpty() ? u"（未保存）"_s : QDir::toNativeSeparators(m_dir.filePath(named))));
}

void TstBatchFiles::read_parsesBeforeTouchingTheList_data()
{
    QTest::addColumn<bool>("bpt");
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QStringList>("lines"); // none: no such file
    QTest::addColumn<QStringList>("list");  // beneficiary names afterwards; "*" marks a red row
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("changed");

    const QStringList zpk{u"#币种|日期"_s, u"RMB|20240105|1|2|2|"_s, zpkLine(u"甲"_s, KnownBranch),
                          zpkLine(u"乙"_s, GoneBranch), zpkLine(u"丙"_s, u"澜港银行"_s)};
    const QStringList brokenZpk{zpkLine(u"甲"_s, KnownBranch), u"RMB|20240105|2|a|b"_s};
    const QStringList bpt{bptLine(u"甲"_s, KnownBranch), bptLine(u"乙"_s, u"澜港市商业银行营业部"_s),
                          bptLine(u"丙"_s, GoneBranch)};
    const QStringList brokenBpt{bptLine(u"甲"_s, KnownBranch),
                                bptLine(u"乙"_s, KnownBranch).replace(u"|100|"_s, u"|1x|"_s)};
    const QString tooShort = u"【第2行列数不足12列】"_s;
    const QString notNumber = u"【第2行金额“1x”不是数字】"_s;

    // The list holds 原有 before each import, not changed.
    QTest::newRow("zpk overwrite") << false << true << zpk << QStringList{u"甲"_s, u"乙*"_s, u"丙"_s}
                                   << QString() << false;
    QTest::newRow("zpk append") << false << false << zpk << QStringList{u"原有"_s, u"甲"_s, u"乙*"_s, u"丙"_s}
                                << QString() << false;
    QTest::newRow("broken zpk, overwrite: list as it was")
        << false << true << brokenZpk << QStringList{u"原有"_s} << tooShort << false;
    QTest::newRow("broken zpk, append: rows before the fault kept")
        << false << false << brokenZpk << QStringList{u"原有"_s, u"甲"_s} << tooShort << false;
    QTest::newRow("no such file, overwrite")
        << false << true << QStringList() << QStringList{u"原有"_s} << QString() << false;
    QTest::newRow("bpt overwrite marks the list changed")
        << true << true << bpt << QStringList{u"甲"_s, u"乙"_s, u"丙*"_s} << QString() << true;
    QTest::newRow("broken bpt, overwrite: list as it was")
        << true << true << brokenBpt << QStringList{u"原有"_s} << notNumber << false;
    QTest::newRow("broken bpt, append: kept rows mark the list changed")
        << true << false << brokenBpt << QStringList{u"原有"_s, u"甲"_s} << notNumber << true;
}

void TstBatchFiles::read_parsesBeforeTouchingTheList()
{
    QFETCH(bool, bpt);
    QFETCH(bool, clearFirst);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, list);
    QFETCH(QString, message);
    QFETCH(bool, changed);
    std::unique_ptr<Workspace> ws =
        open(Edition::Corporate, {payment(u"付款人"_s, u"原有"_s, u"1"_s, KnownBranch, u"1.00"_s, {}, {})});
    QVERIFY(ws);
    const QString file = m_dir.filePath(bpt ? u"in.bpt"_s : u"in.zpk"_s);
    QFile::remove(file);
    if (!lines.isEmpty())
        QVERIFY(writeFile(m_dir.path(), QFileInfo(file).fileName(), gbkLines(lines)));

    const BatchFileOutcome outcome =
        bpt ? ReadOtherBatchFile(*ws, file, clearFirst) : ReadBatchFile(*ws, file, clearFirst);

    BatchListModel &batch = ws->batchList();
    QStringList shown;
    QList<int> red;
    for (int row = 1; row <= batch.count(); ++row) {
        const bool isRed = batch.rowState(row) == RowState::UnknownBranch;
        shown.append(batch.ReadBatchRow(row).BeneName + (isRed ? u"*"_s : QString()));
        if (isRed)
            red.append(row);
    }
    QCOMPARE(shown, list);
    QCOMPARE(outcome.redRows, red);
    QCOMPARE(outcome.warning.value_or(QString()), message);
    QCOMPARE(batch.isChanged(), changed);
}

QTEST_GUILESS_MAIN(TstBatchFiles)
#include "tst_batchfiles.moc"
