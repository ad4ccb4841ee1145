// The payroll file and its verification file, read from disk as an import reads them. The first
// byte of an input says what lies beside the payroll file: a verification file from the input,
// the one this program would write for it (so that the rows are read), or none at all.
#include "FuzzSupport.h"

#include "core/Amount.h"
#include "core/TextFile.h"
#include "files/MD5.h"
#include "files/PayrollFile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace lgbatch;
using Outcome = PayrollFile::ReadResult::Outcome;

namespace {

enum class Beside
{
    FromInput,
    Matching,
    Nothing
};

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fuzzing::broken("the fuzzer's own file can be written", path);
}

bool unwritable(const QList<PayrollItem> &rows)
{
    Amount total;
    for (const PayrollItem &item : rows) {
        const std::optional<Amount> sum = total.plus(Amount::fromText(item.Amount).value_or(Amount()));
        if (!sum)
            return true;
        total = *sum;
        for (const QString *field : {&item.BeneName, &item.BeneAccount, &item.Remark}) {
            if (field->contains(u'"') || field->contains(u'\r') || field->contains(u'\n') ||
                !fuzzing::gbkCanHold(*field))
                return true;
        }
    }
    return false;
}

struct Rows
{
    QList<PayrollItem> records;
    std::optional<Error> error;
    bool complete() const { return !error; }
};

Rows decoded(const QByteArray &bytes)
{
    PayrollFile::DecodedRows rows = PayrollFile::decodeRows(bytes);
    return Rows{rows.rows, rows.status.ok() ? std::nullopt : std::optional<Error>(rows.status.errorInfo())};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir dir;
    if (size == 0)
        return 0;
    const auto beside = Beside(data[0] % 3);
    QByteArray payroll = fuzzing::bytesOf(data + 1, size - 1);
    QByteArray checksum;
    if (beside == Beside::FromInput) {
        // The verification file is the input's head, its length given by the second byte.
        const qsizetype length =
            payroll.isEmpty() ? 0 : qMin<qsizetype>(uchar(payroll[0]), payroll.size() - 1);
        checksum = payroll.mid(1, length);
        payroll = payroll.mid(1 + length);
    } else if (beside == Beside::Matching) {
        checksum = PayrollFile::encodeChecksum(MD5().digestBytesToHexStr(payroll).value()).value();
    }
    const QString name = dir.filePath(QStringLiteral("salary.csv"));
    put(name, payroll);
    QFile::remove(PayrollFile::checksumFileName(name));
    if (beside != Beside::Nothing)
        put(PayrollFile::checksumFileName(name), checksum);

    const PayrollFile::ReadResult read = PayrollFile::read(name);
    LGBATCH_PROMISE(read.outcome != Outcome::NoFile, name);
    LGBATCH_PROMISE((read.outcome == Outcome::Loaded) == read.message.isEmpty(), read.message);
    if (read.outcome != Outcome::Loaded)
        fuzzing::requireMessage(read.message);
    LGBATCH_PROMISE(read.outcome != Outcome::Refused || read.rows.isEmpty(), read.message);
    LGBATCH_PROMISE(read.outcome != Outcome::Incomplete || !read.rows.isEmpty(), read.message);
    if (beside == Beside::Nothing)
        LGBATCH_PROMISE(read.message == QStringLiteral("代发工资检验文件不存在！"), read.message);
    if (beside == Beside::Matching)
        LGBATCH_PROMISE(read.message != QStringLiteral("代发工资检验文件错误"), read.message);
    if (read.outcome == Outcome::Refused)
        return 0;

    // Rows are only ever read from a file whose verification file holds its digest.
    const std::optional<QString> stored = ValueStreamReader(GbkCodec::decode(checksum).value()).next();
    LGBATCH_PROMISE(stored == MD5().digestBytesToHexStr(payroll).value(), read.message);
    for (const PayrollItem &item : read.rows)
        LGBATCH_PROMISE(Amount::fromText(item.Amount).has_value(), item.Amount);
    const auto write = [](const QList<PayrollItem> &rows) {
        return PayrollFile::encode(rows, QDate(2024, 1, 5));
    };
    fuzzing::requireRoundTrip(read.rows, unwritable(read.rows), write, &decoded);
    return 0;
}
