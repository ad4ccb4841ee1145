// A batch of 32,767 payments (as many as the batch list holds) brought in from a spreadsheet, as
// an Excel workbook and as the same table in a GBK CSV file, on the national branch table: the
// file read, the header and columns guessed, and every row turned into a payment and checked by
// the rules of 增加. Besides the time, the heap at its busiest, against the file's size.

#include "BenchData.h"
#include "HeapMeter.h"

#include "workspace/SheetConvert.h"
#include "workspace/SheetImport.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using namespace lgbatch;

struct SheetBench
{
    ApplicationState state;
    std::unique_ptr<Workspace> workspace;

    SheetBench() { workspace = benchCorporateWorkspace(state); }
};

SheetBench &sheetBench()
{
    static SheetBench bench;
    return bench;
}

void importSheet(benchmark::State &state, const QString &path)
{
    Workspace &workspace = *sheetBench().workspace;
    const QList<SheetFieldEntry> fields = sheetFieldsOf(Workspace::List::Batch, Edition::Corporate);
    qsizetype rows = 0;
    std::size_t peak = 0;
    for (auto _ : state) {
        HeapMeter::start();
        const Result<Spreadsheet> sheet = Spreadsheet::open(path);
        if (!sheet) {
            state.SkipWithError(qPrintable(sheet.error()));
            return;
        }
        const SheetMapping mapping = guessMapping(fields, sheet->firstRows(0, 20));
        const SheetImportCheck checked =
            checkSheetRows(workspace, sheet.value(), {Workspace::List::Batch, 0, mapping, true});
        peak = HeapMeter::peak();
        if (checked.outcome != SheetImportCheck::Outcome::Ready) {
            state.SkipWithError(qPrintable(checked.failures.isEmpty() ? QStringLiteral("not ready")
                                                                      : checked.failures[0].message));
            return;
        }
        rows = checked.rows.size();
        benchmark::DoNotOptimize(checked.rows.constData());
    }
    const double fileBytes = double(QFileInfo(path).size());
    state.counters["rows"] = double(rows);
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["peak_heap_MB"] = double(peak) / 1e6;
    state.counters["heap_x_file"] = double(peak) / fileBytes;
}

void BM_ImportSheetXlsx32767(benchmark::State &state)
{
    importSheet(state, QStringLiteral(LGBATCH_BENCH_SHEET_XLSX));
}
BENCHMARK(BM_ImportSheetXlsx32767)->Unit(benchmark::kMillisecond);

void BM_ImportSheetCsv32767(benchmark::State &state)
{
    importSheet(state, QStringLiteral(LGBATCH_BENCH_SHEET_CSV));
}
BENCHMARK(BM_ImportSheetCsv32767)->Unit(benchmark::kMillisecond);

// `lgbatch check` of a full batch file as a script meets it: a fresh process that finds the
// program directory, loads the national tables, reads the file and checks every row. The file is
// the benchmark sheet converted once by the same engine.
void BM_CheckZpkProcess32767(benchmark::State &state)
{
    static QTemporaryDir dir;
    const QString zpk = dir.filePath(QStringLiteral("batch32767.zpk"));
    if (!QFileInfo::exists(zpk)) {
        SheetConversion conversion;
        conversion.sheetPath = QStringLiteral(LGBATCH_BENCH_SHEET_CSV);
        conversion.outPath = zpk;
        conversion.date = QDate(2024, 1, 5);
        if (!convertSheet(*sheetBench().workspace, conversion).outputWritten) {
            state.SkipWithError("the sheet did not convert");
            return;
        }
    }
    for (auto _ : state) {
        QProcess check;
        check.start(QStringLiteral(LGBATCH_BENCH_PROGRAM),
                    {QStringLiteral("check"), QStringLiteral("--dir"), benchProgramDir(), zpk});
        if (!check.waitForFinished(60000) || check.exitStatus() != QProcess::NormalExit ||
            check.exitCode() != 0) {
            state.SkipWithError("check failed");
            return;
        }
    }
}
BENCHMARK(BM_CheckZpkProcess32767)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
