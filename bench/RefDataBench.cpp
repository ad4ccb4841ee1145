// Start-up and lookup costs of the reference tables with a branch table of national size.
// The branch table is synthetic (see tools/gen_national_bankcode.py); the other three
// tables are the committed samples.

#include "BenchData.h"

#include "core/GbkCodec.h"
#include "refdata/ReferenceTables.h"
#include "refdata/TableLoaders.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace lgbatch;

constexpr qint64 LookupsPerIteration = 1'000'000;

// The prefix the generator makes largest: the longest list a branch picker can show.
QString largestPrefix()
{
    return QStringLiteral("1021000");
}

[[noreturn]] void die(const QString &message)
{
    std::fprintf(stderr, "lgbatch_bench: %s\n", message.toLocal8Bit().constData());
    std::exit(1);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        die(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

QString branchTablePath()
{
    return QString::fromUtf8(LGBATCH_BENCH_BRANCH_TABLE);
}

const QByteArray &branchTableBytes()
{
    static const QByteArray bytes = readFile(branchTablePath());
    return bytes;
}

// A program directory as the program finds it at start: the sample bank, province and
// city tables next to the national branch table.
const QString &programDirImpl()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (!dir.isValid())
            die(QStringLiteral("cannot create a temporary directory: %1").arg(dir.errorString()));
        const QString sample = QString::fromUtf8(LGBATCH_BENCH_SAMPLE_DIR);
        const QList<TableKind> small = {TableKind::BankType, TableKind::State, TableKind::City};
        for (TableKind kind : small) {
            const QString name = tableFileName(kind);
            if (!QFile::copy(sample + QLatin1Char('/') + name, dir.filePath(name)))
                die(QStringLiteral("cannot copy %1 into %2").arg(name, dir.path()));
        }
        if (!QFile::copy(branchTablePath(), dir.filePath(tableFileName(TableKind::BankCode))))
            die(QStringLiteral("cannot copy %1 into %2").arg(branchTablePath(), dir.path()));
        return dir.path();
    }();
    return path;
}

const ReferenceTables &loadedTablesImpl()
{
    static const ReferenceTables tables = [] {
        Result<ReferenceTables> loaded = loadReferenceTables(programDirImpl());
        if (!loaded)
            die(loaded.error());
        return std::move(loaded).value();
    }();
    return tables;
}

void BM_DecodeBranchFileGbk(benchmark::State &state)
{
    const QByteArray &bytes = branchTableBytes();
    for (auto _ : state) {
        Result<QString> text = GbkCodec::decode(bytes);
        if (!text) {
            state.SkipWithError("the branch table is not GBK");
            break;
        }
        benchmark::DoNotOptimize(text.value().constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeBranchFileGbk)->Unit(benchmark::kMillisecond);

void BM_ParseBankCodeTable(benchmark::State &state)
{
    const QByteArray &bytes = branchTableBytes();
    qsizetype rows = 0;
    for (auto _ : state) {
        Result<BranchTable> table = parseBankCodeTable(bytes);
        if (!table) {
            state.SkipWithError("the branch table does not parse");
            break;
        }
        rows = table.value().size();
        benchmark::DoNotOptimize(&table.value());
        // Freeing the rows is not part of reading them.
        state.PauseTiming();
        table = Result<BranchTable>(BranchTable());
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseBankCodeTable)->Unit(benchmark::kMillisecond);

// The indexes alone: what the tables cost on top of parsing.
void BM_BuildReferenceTables(benchmark::State &state)
{
    const ReferenceTables &loaded = loadedTablesImpl();
    for (auto _ : state) {
        ReferenceTables tables(loaded.BankTypeTable(), loaded.BankCodeTable(), loaded.StateTable(),
                               loaded.CityTable());
        benchmark::DoNotOptimize(&tables);
    }
}
BENCHMARK(BM_BuildReferenceTables)->Unit(benchmark::kMillisecond);

// Everything the main window waits for at start: read, decode, parse and index all four.
void BM_LoadReferenceTables(benchmark::State &state)
{
    const QString &dir = programDirImpl();
    qsizetype rows = 0;
    for (auto _ : state) {
        Result<ReferenceTables> tables = loadReferenceTables(dir);
        if (!tables) {
            state.SkipWithError("the tables do not load");
            break;
        }
        rows = tables.value().BankCodeTable().size();
        benchmark::DoNotOptimize(&tables.value());
        // The program keeps its tables to the end: freeing them is not part of the start-up.
        state.PauseTiming();
        tables = Result<ReferenceTables>(ReferenceTables());
        state.ResumeTiming();
    }
    state.counters["branch_rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_LoadReferenceTables)->Unit(benchmark::kMillisecond);

// Every list row read back and every file written looks its branch up by name; half the
// names here are in the table (spread over all of it), half are not.
void BM_FindBankCode1M(benchmark::State &state)
{
    const ReferenceTables &tables = loadedTablesImpl();
    const BranchTable &rows = tables.BankCodeTable();
    if (rows.isEmpty()) {
        state.SkipWithError("the branch table is empty");
        return;
    }
    QStringList names;
    constexpr qsizetype Distinct = 4096;
    for (qsizetype i = 0; i < Distinct; ++i) {
        const QString present = rows.name((i * 7919) % rows.size()).toString();
        names.append(i % 2 == 0 ? present : present + QStringLiteral("营业室"));
    }
    qint64 found = 0;
    for (auto _ : state) {
        found = 0;
        for (qint64 i = 0; i < LookupsPerIteration; ++i) {
            const QString code = tables.FindBankCode(names[i % Distinct]);
            found += code.isEmpty() ? 0 : 1;
        }
        benchmark::DoNotOptimize(found);
    }
    if (found != LookupsPerIteration / 2)
        state.SkipWithError("unexpected number of names found");
    state.SetItemsProcessed(state.iterations() * LookupsPerIteration);
}
BENCHMARK(BM_FindBankCode1M)->Unit(benchmark::kMillisecond);

// The names a branch picker shows for the largest bank-and-city prefix.
void BM_BranchNamesOfLargestPrefix(benchmark::State &state)
{
    const ReferenceTables &tables = loadedTablesImpl();
    const QString prefix = largestPrefix();
    qsizetype count = 0;
    for (auto _ : state) {
        const QList<qsizetype> indexes = tables.branchesWithPrefix(prefix);
        QStringList names;
        names.reserve(indexes.size());
        for (qsizetype i : indexes)
            names.append(tables.BankCodeTable().name(i).toString());
        count = names.size();
        benchmark::DoNotOptimize(names.constData());
    }
    state.counters["branches"] = static_cast<double>(count);
}
BENCHMARK(BM_BranchNamesOfLargestPrefix)->Unit(benchmark::kMillisecond);

} // namespace

const QString &benchProgramDir()
{
    return programDirImpl();
}

const lgbatch::ReferenceTables &benchTables()
{
    return loadedTablesImpl();
}
