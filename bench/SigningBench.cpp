// What the person who signs a batch waits for: the printed summary of the largest batch list
// (32,767 rows) as a PDF, and the repeated-payment test that every 增加 runs on that list.

#include "BenchData.h"

#include "core/Amount.h"
#include "entry/DuplicateIndex.h"
#include "print/SummaryPages.h"
#include "workspace/ListSummary.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace {

using namespace lgbatch;

constexpr int BatchRows = 32767;

// The process's peak resident memory so far, in megabytes; the peak is reset first when
// `reset` (Linux: /proc/self/clear_refs), so that one run can be measured on its own.
double peakMegabytes(bool reset = false)
{
    if (reset) {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
    }
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// A corporate batch list at its largest: real branch names of the national table (long ones
// wrap in their column), every fifth row at the own bank, a remark on every other row.
struct FullBatch
{
    ApplicationState state;
    std::unique_ptr<Workspace> workspace;

    FullBatch()
    {
        state.chooseEdition(Edition::Corporate);
        workspace = std::make_unique<Workspace>(state, benchProgramDir());
        const BranchTable &branches = benchTables().BankCodeTable();
        BatchListModel &list = workspace->batchList();
        QList<RecordListModel::Row> rows;
        rows.reserve(BatchRows);
        for (int i = 0; i < BatchRows; ++i) {
            BatchPayment p;
            p.PayerName = QStringLiteral("澜港贸易有限公司");
            p.PayerAccount = QStringLiteral("310000000000018");
            p.BeneName = QStringLiteral("收款人%1").arg(i);
            p.BeneAccount = QStringLiteral("62220202%1").arg(i, 11, 10, QLatin1Char('0'));
            p.BankName = i % 5 == 0 ? ownBankName() : branches[(qsizetype(i) * 7) % branches.size()].Name;
            p.Amount = Amount::fromUnits((i % 3000 + 1) * 12345).toDisplayText();
            p.Emergency = i % 2 ? urgentMode() : nonUrgentMode();
            p.Remark = i % 2 ? QStringLiteral("%1月工程款").arg(i % 12 + 1) : QString();
            rows.append({list.rowTextsOf(p), RowState::Normal});
        }
        list.replaceRows(std::move(rows));
        workspace->CurrentBatchFileName = QStringLiteral("/home/财务/2024年1月批量付款.zpk");
    }
};

FullBatch &fullBatch()
{
    static FullBatch shared;
    return shared;
}

// 导出PDF of the full list: the summary read from the list, laid out page by page, painted,
// the text maps repaired and the file written through a temporary.
void BM_SummaryPdf32767(benchmark::State &state)
{
    FullBatch &batch = fullBatch();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("汇总.pdf"));
    peakMegabytes(true);
    const double before = peakMegabytes();
    for (auto _ : state) {
        const Result<ListSummary> summary =
            summarizeList(*batch.workspace, SummarizedList::Batch, QDate(2024, 1, 5));
        if (!summary || !SummaryPages::writePdf(*summary, pdf)) {
            state.SkipWithError("the PDF was not written");
            break;
        }
    }
    state.counters["file_MB"] = double(QFileInfo(pdf).size()) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["added_peak_MB"] = peakMegabytes() - before;
}
BENCHMARK(BM_SummaryPdf32767)->Unit(benchmark::kMillisecond)->Iterations(3);

// The test of one 增加 on the full list: an account and amount the list does not hold, and one
// it holds only in its last row.
void BM_RepeatedPaymentTest32767(benchmark::State &state)
{
    FullBatch &batch = fullBatch();
    BatchListModel &list = batch.workspace->batchList();
    const DuplicateIndex index(list, list.beneAccountColumn(), list.amountColumn());
    const BatchPayment last = list.ReadBatchRow(BatchRows);
    const std::optional<Amount> lastAmount = Amount::fromText(last.Amount);
    const std::optional<Amount> newAmount = Amount::fromText(QStringLiteral("1.00"));
    int found = 0;
    for (auto _ : state) {
        found += index.firstRowWith(QStringLiteral("6228480000000000001"), newAmount);
        found += index.firstRowWith(last.BeneAccount, lastAmount);
    }
    if (found != BatchRows * int(state.iterations()))
        state.SkipWithError("the last row was not found");
}
BENCHMARK(BM_RepeatedPaymentTest32767)->Unit(benchmark::kMicrosecond);

// What the index adds to the row that 增加 or a reader appends to the full list.
void BM_IndexFollowsAppendedRow(benchmark::State &state)
{
    FullBatch &batch = fullBatch();
    BatchListModel &list = batch.workspace->batchList();
    const DuplicateIndex index(list, list.beneAccountColumn(), list.amountColumn());
    const BatchPayment added = list.ReadBatchRow(1);
    list.removeRowNumbers({BatchRows});
    for (auto _ : state) {
        list.AddBatchRow(added);
        state.PauseTiming();
        list.removeRowNumbers({BatchRows});
        state.ResumeTiming();
    }
    list.AddBatchRow(added);
}
BENCHMARK(BM_IndexFollowsAppendedRow)->Unit(benchmark::kMicrosecond);

// The index read again in full, as after an import, a sort or a new list.
void BM_IndexRebuilt32767(benchmark::State &state)
{
    FullBatch &batch = fullBatch();
    BatchListModel &list = batch.workspace->batchList();
    for (auto _ : state) {
        const DuplicateIndex index(list, list.beneAccountColumn(), list.amountColumn());
        benchmark::DoNotOptimize(index.firstRowWith(QString()));
    }
}
BENCHMARK(BM_IndexRebuilt32767)->Unit(benchmark::kMillisecond);

} // namespace
