// The recovery copy of a 32,767-row payroll list: what one change costs the user-interface
// thread while a copy of the list is being written (the shared copy it hands over and the
// list's own copy at the next change), and what the worker thread spends on one copy.

#include "files/DataFile.h"
#include "files/RecoveryFile.h"
#include "workspace/ListKinds.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

using namespace lgbatch;

constexpr int PayrollRows = 32767;

struct RecoveryBench
{
    ApplicationState state;
    Workspace workspace{state, QString()};

    RecoveryBench()
    {
        QList<RecordListModel::Row> rows;
        rows.reserve(PayrollRows);
        for (int i = 0; i < PayrollRows; ++i)
            rows.append(
                {PayrollListModel::rowTextsOf({QStringLiteral("收款人%1").arg(i),
                                               QStringLiteral("62220202%1").arg(i, 8, 10, QLatin1Char('0')),
                                               QStringLiteral("1,234.50"), QStringLiteral("十二月工资")}),
                 RowState::Normal});
        workspace.loadRows(Workspace::List::Payroll, std::move(rows), true, true);
    }
};

void BM_RecoveryChangeOnUiThread32767(benchmark::State &state)
{
    RecoveryBench bench;
    const PayrollItem item{
        QStringLiteral("李四"), QStringLiteral("6222020200112233"), QStringLiteral("2.00"), {}};
    for (auto _ : state) {
        // The copy the worker holds while it writes; the change that follows pays for the list's
        // own copy of its rows.
        const QList<RecordListModel::Row> handedOver = bench.workspace.payrollList().rows();
        bench.workspace.addPayrollItem(item);
        benchmark::DoNotOptimize(handedOver.size());
    }
}
BENCHMARK(BM_RecoveryChangeOnUiThread32767)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyWritten32767(benchmark::State &state)
{
    RecoveryBench bench;
    QTemporaryDir dir;
    const RecoverySnapshot snapshot{
        QStringLiteral("payroll"),           Edition::Corporate, 5, {}, {}, QDate(2026, 12, 8),
        bench.workspace.payrollList().rows()};
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray written = RecoveryFile::write(snapshot);
        bytes = written.size();
        if (!DataFile::save(dir.filePath(QStringLiteral("payroll.json")), written))
            state.SkipWithError("the copy was not written");
    }
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_RecoveryCopyWritten32767)->Unit(benchmark::kMillisecond);

} // namespace
