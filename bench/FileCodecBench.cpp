// What the data files cost at their largest: a batch file of as many rows as the batch list
// holds (32,767), and a beneficiary roster of 20,000 rows. Codecs only, no disk: the bytes
// are made once and then turned into records and back.

#include "HeapMeter.h"

#include "core/Amount.h"
#include "files/BatchFile.h"
#include "files/RosterFiles.h"

#include <benchmark/benchmark.h>

#include <QList>
#include <QString>

namespace {

using namespace lgbatch;

constexpr qsizetype BatchRows = 32767;
constexpr qsizetype RosterRows = 20000;

// Realistic texts: Chinese names and branches, a remark on every other row, every fifth
// row at the own bank.
QString nameOf(qsizetype i)
{
    static const QString surnames = QStringLiteral("张王李赵钱孙周吴郑冯陈褚卫蒋沈韩杨");
    return surnames.at(i % surnames.size()) + QStringLiteral("某%1").arg(i);
}

QString branchOf(qsizetype i)
{
    return i % 5 == 0 ? QStringLiteral("澜港银行")
                      : QStringLiteral("中国工商银行北京市第%1支行").arg(i % 997);
}

const QList<BatchPayment> &batchRows()
{
    static const QList<BatchPayment> rows = [] {
        QList<BatchPayment> out;
        out.reserve(BatchRows);
        for (qsizetype i = 0; i < BatchRows; ++i) {
            BatchPayment p;
            p.PayerName = QStringLiteral("澜港贸易有限公司");
            p.PayerAccount = QStringLiteral("310000000000018");
            p.BeneName = nameOf(i);
            p.BeneAccount = QStringLiteral("62220202%1").arg(i, 11, 10, QLatin1Char('0'));
            p.BankName = branchOf(i);
            p.branch.BankCode = i % 5 == 0 ? QStringLiteral("ZPK")
                                           : QStringLiteral("102100%1").arg(i % 997, 6, 10, QLatin1Char('0'));
            p.Amount = Amount::fromUnits((i % 3000 + 1) * 12345).toDisplayText();
            p.Emergency = i % 2 ? urgentMode() : nonUrgentMode();
            p.Remark = i % 2 ? QStringLiteral("%1月工程款").arg(i % 12 + 1) : QString();
            out.append(p);
        }
        return out;
    }();
    return rows;
}

const QList<Beneficiary> &rosterRows()
{
    static const QList<Beneficiary> rows = [] {
        QList<Beneficiary> out;
        out.reserve(RosterRows);
        for (const BatchPayment &p : batchRows().first(RosterRows))
            out.append({p.BeneName, p.BeneAccount, p.BankName, {}, p.Remark});
        return out;
    }();
    return rows;
}

template <typename Write> QByteArray written(Write write)
{
    const Result<QByteArray> bytes = write();
    return bytes ? bytes.value() : QByteArray();
}

void BM_WriteZpk32767(benchmark::State &state)
{
    const QList<BatchPayment> &rows = batchRows();
    const QDate day(2024, 1, 5);
    qsizetype size = 0;
    for (auto _ : state) {
        const Result<QByteArray> bytes = BatchFile::writeZpk(rows, day);
        if (!bytes) {
            state.SkipWithError("the batch was refused");
            break;
        }
        size = bytes.value().size();
        benchmark::DoNotOptimize(bytes.value().constData());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteZpk32767)->Unit(benchmark::kMillisecond);

void BM_ReadZpk32767(benchmark::State &state)
{
    const QByteArray bytes = written([] { return BatchFile::writeZpk(batchRows(), QDate(2024, 1, 5)); });
    for (auto _ : state) {
        PartialRead<BatchPayment> read = BatchFile::readZpk(bytes);
        if (read.records.size() != BatchRows) {
            state.SkipWithError("the batch did not read back");
            break;
        }
        benchmark::DoNotOptimize(read.records.constData());
        // Freeing the records is not part of reading them.
        state.PauseTiming();
        read = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadZpk32767)->Unit(benchmark::kMillisecond);

void BM_WriteBeneRoster20000(benchmark::State &state)
{
    const QList<Beneficiary> &rows = rosterRows();
    qsizetype size = 0;
    for (auto _ : state) {
        const Result<QByteArray> bytes = RosterFiles::writeBeneficiaries(rows);
        if (!bytes) {
            state.SkipWithError("the roster was refused");
            break;
        }
        size = bytes.value().size();
        benchmark::DoNotOptimize(bytes.value().constData());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteBeneRoster20000)->Unit(benchmark::kMillisecond);

void BM_ReadBeneRoster20000(benchmark::State &state)
{
    const QByteArray bytes = written([] { return RosterFiles::writeBeneficiaries(rosterRows()); });
    for (auto _ : state) {
        PartialRead<Beneficiary> read = RosterFiles::readBeneficiaries(bytes);
        if (read.records.size() != RosterRows) {
            state.SkipWithError("the roster did not read back");
            break;
        }
        benchmark::DoNotOptimize(read.records.constData());
        state.PauseTiming();
        read = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadBeneRoster20000)->Unit(benchmark::kMillisecond);

// A file that is no batch file: 40 MiB of one line of separators after a detail mark, as a
// wrong or damaged file can be. The reader may cost what the text costs, not a piece per "|".
void BM_ReadZpkOneLine40MiB(benchmark::State &state)
{
    const QByteArray bytes = QByteArray("RMB|20240105|2") + QByteArray(qsizetype(40) << 20, '|');
    std::size_t peak = 0;
    for (auto _ : state) {
        HeapMeter::start();
        const PartialRead<BatchPayment> read = BatchFile::readZpk(bytes);
        peak = HeapMeter::peak();
        if (read.records.size() != 1) {
            state.SkipWithError("the line was not read as one payment");
            break;
        }
        benchmark::DoNotOptimize(read.records.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["peak_heap_MB"] = double(peak) / 1e6;
    state.counters["heap_x_file"] = double(peak) / double(bytes.size());
}
BENCHMARK(BM_ReadZpkOneLine40MiB)->Unit(benchmark::kMillisecond);

} // namespace
