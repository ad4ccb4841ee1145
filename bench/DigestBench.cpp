// The payroll digest beside OpenSSL's MD5 (the hardware's limit for this algorithm) over the
// same 200 MB file, and the save and import of a payroll list of the largest size the list
// holds. OpenSSL is linked into the benchmarks only, never into the program.

#include "core/Result.h"
#include "entry/PayrollItem.h"
#include "files/MD5.h"
#include "files/PayrollFile.h"
#include "workspace/PayrollListFile.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace lgbatch;

constexpr qint64 DigestFileSize = 200'000'000;
constexpr qint64 PieceSize = qint64(1) << 20;
constexpr qsizetype InMemorySize = qsizetype(32) << 20;
// The list counts its rows in 16 bits.
constexpr qsizetype LargestPayroll = 32767;

[[noreturn]] void die(const QString &message)
{
    std::fprintf(stderr, "lgbatch_bench: %s\n", message.toLocal8Bit().constData());
    std::exit(1);
}

// Deterministic bytes that look random to the digest.
void fillSample(char *data, qsizetype size, quint64 &state)
{
    for (qsizetype i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        data[i] = char(state >> 24);
    }
}

// Made once into the build directory and kept for later runs.
const QString &digestFile()
{
    static const QString path = [] {
        const QString p = QString::fromUtf8(LGBATCH_BENCH_DIGEST_FILE);
        if (QFileInfo(p).size() == DigestFileSize)
            return p;
        QDir().mkpath(QFileInfo(p).path());
        QFile file(p);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            die(QStringLiteral("cannot create %1: %2").arg(p, file.errorString()));
        QByteArray piece(PieceSize, Qt::Uninitialized);
        quint64 state = 88172645463325252ull;
        for (qint64 left = DigestFileSize; left > 0; left -= PieceSize) {
            const qint64 n = qMin(left, PieceSize);
            fillSample(piece.data(), n, state);
            if (file.write(piece.constData(), n) != n)
                die(QStringLiteral("cannot write %1: %2").arg(p, file.errorString()));
        }
        return p;
    }();
    return path;
}

const QByteArray &inMemorySample()
{
    static const QByteArray bytes = [] {
        QByteArray b(InMemorySize, Qt::Uninitialized);
        quint64 state = 2463534242ull;
        fillSample(b.data(), b.size(), state);
        return b;
    }();
    return bytes;
}

void reportThroughput(benchmark::State &state, qint64 bytesPerIteration)
{
    state.SetBytesProcessed(state.iterations() * bytesPerIteration);
    state.counters["MB/s"] =
        benchmark::Counter(double(bytesPerIteration) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DigestFile200MB(benchmark::State &state)
{
    const QString &path = digestFile();
    for (auto _ : state) {
        const Result<QString> digest = MD5().DigestFileToHexStr(path);
        if (!digest) {
            state.SkipWithError("the digest failed");
            break;
        }
        benchmark::DoNotOptimize(digest.value().constData());
    }
    reportThroughput(state, DigestFileSize);
}
BENCHMARK(BM_DigestFile200MB)->Unit(benchmark::kMillisecond);

// The same file read the same way, through OpenSSL's MD5.
void BM_OpenSslMd5File200MB(benchmark::State &state)
{
    const QString &path = digestFile();
    QByteArray piece(PieceSize, Qt::Uninitialized);
    EVP_MD_CTX *context = EVP_MD_CTX_new();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            state.SkipWithError("cannot open the sample file");
            break;
        }
        EVP_DigestInit_ex(context, EVP_md5(), nullptr);
        for (qint64 got; (got = file.read(piece.data(), PieceSize)) > 0;)
            EVP_DigestUpdate(context, piece.constData(), size_t(got));
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        EVP_DigestFinal_ex(context, digest, &length);
        benchmark::DoNotOptimize(digest);
    }
    EVP_MD_CTX_free(context);
    reportThroughput(state, DigestFileSize);
}
BENCHMARK(BM_OpenSslMd5File200MB)->Unit(benchmark::kMillisecond);

// Without the file system: the compression function alone, against OpenSSL's.
void BM_DigestBytes32MiB(benchmark::State &state)
{
    const QByteArray &bytes = inMemorySample();
    for (auto _ : state) {
        const Result<QString> digest = MD5().digestBytesToHexStr(bytes);
        benchmark::DoNotOptimize(digest.value().constData());
    }
    reportThroughput(state, bytes.size());
}
BENCHMARK(BM_DigestBytes32MiB)->Unit(benchmark::kMillisecond);

void BM_OpenSslMd5Bytes32MiB(benchmark::State &state)
{
    const QByteArray &bytes = inMemorySample();
    for (auto _ : state) {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        EVP_Digest(bytes.constData(), size_t(bytes.size()), digest, &length, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    reportThroughput(state, bytes.size());
}
BENCHMARK(BM_OpenSslMd5Bytes32MiB)->Unit(benchmark::kMillisecond);

QList<PayrollItem> largestPayroll()
{
    QList<PayrollItem> rows;
    rows.reserve(LargestPayroll);
    for (qsizetype i = 0; i < LargestPayroll; ++i) {
        rows.append(PayrollItem{QStringLiteral("员工%1").arg(i),
                                QStringLiteral("62220202%1").arg(i, 7, 10, QLatin1Char('0')),
                                QStringLiteral("%1,%2.%3")
                                    .arg(1 + i % 97)
                                    .arg(i % 1000, 3, 10, QLatin1Char('0'))
                                    .arg(i % 100, 2, 10, QLatin1Char('0')),
                                QStringLiteral("2024年1月工资")});
    }
    return rows;
}

QString payrollPath(const QTemporaryDir &dir)
{
    if (!dir.isValid())
        die(QStringLiteral("cannot create a temporary directory: %1").arg(dir.errorString()));
    return dir.filePath(QStringLiteral("salary.csv"));
}

// What 保存 costs for a full list: encode, digest, write both files, check, put in place.
void BM_SavePayroll32767(benchmark::State &state)
{
    const QList<PayrollItem> rows = largestPayroll();
    QTemporaryDir dir;
    const QString path = payrollPath(dir);
    for (auto _ : state) {
        const Status saved = PayrollFile::save(path, rows, QDate(2024, 1, 5));
        if (!saved) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_SavePayroll32767)->Unit(benchmark::kMillisecond);

// The bytes of the same list without the disk: how much of the save is encoding.
void BM_EncodePayroll32767(benchmark::State &state)
{
    const QList<PayrollItem> rows = largestPayroll();
    for (auto _ : state) {
        const Result<QByteArray> bytes = PayrollFile::encode(rows, QDate(2024, 1, 5));
        benchmark::DoNotOptimize(bytes.value().constData());
    }
}
BENCHMARK(BM_EncodePayroll32767)->Unit(benchmark::kMillisecond);

// What an import costs for a full list: read, verify, decode every row.
void BM_ReadPayroll32767(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = payrollPath(dir);
    if (!PayrollFile::save(path, largestPayroll(), QDate(2024, 1, 5)))
        die(QStringLiteral("cannot save the sample payroll file"));
    for (auto _ : state) {
        const PayrollFile::ReadResult read = PayrollFile::read(path);
        if (read.outcome != PayrollFile::ReadResult::Outcome::Loaded || read.rows.size() != LargestPayroll) {
            state.SkipWithError("the payroll file did not load");
            break;
        }
        benchmark::DoNotOptimize(read.rows.constData());
    }
}
BENCHMARK(BM_ReadPayroll32767)->Unit(benchmark::kMillisecond);

// The same through the list: every row read back from the payroll list, then the save of both
// files, as 保存 runs it.
void BM_WritePayrollList32767(benchmark::State &state)
{
    ApplicationState appState;
    QTemporaryDir dir;
    Workspace workspace(appState, dir.path());
    QList<RecordListModel::Row> rows;
    for (const PayrollItem &item : largestPayroll())
        rows.append({PayrollListModel::rowTextsOf(item)});
    workspace.payrollList().appendRows(std::move(rows));
    workspace.setTransferDate(QDate(2024, 1, 5));
    workspace.CurrentPayrollFileName = payrollPath(dir);
    for (auto _ : state) {
        if (!WritePayrollFile(workspace).ok) {
            state.SkipWithError("the save failed");
            break;
        }
    }
}
BENCHMARK(BM_WritePayrollList32767)->Unit(benchmark::kMillisecond);

// An overwriting import of the full file into the list: verify, decode, replace every row.
void BM_ReadPayrollList32767(benchmark::State &state)
{
    ApplicationState appState;
    QTemporaryDir dir;
    const QString path = payrollPath(dir);
    if (!PayrollFile::save(path, largestPayroll(), QDate(2024, 1, 5)))
        die(QStringLiteral("cannot save the sample payroll file"));
    Workspace workspace(appState, dir.path());
    for (auto _ : state) {
        if (!ReadPayrollFile(workspace, path, true).ok || workspace.payrollList().count() != LargestPayroll) {
            state.SkipWithError("the payroll file did not load into the list");
            break;
        }
    }
}
BENCHMARK(BM_ReadPayrollList32767)->Unit(benchmark::kMillisecond);

} // namespace
