// The batch payment files: a ZPK file read back, a BPT file imported. Both must hand over
// records that the ZPK writer gives back unchanged, or refuse to write them with a reason.
#include "FuzzSupport.h"

#include "core/Amount.h"
#include "files/BatchFile.h"
#include "refdata/ReferenceTables.h"

using namespace lgbatch;

namespace {

bool mayNotBeWritten(const QList<BatchPayment> &records)
{
    Amount total;
    for (const BatchPayment &p : records) {
        const std::optional<Amount> amount = Amount::fromText(p.Amount);
        if (!amount || !total.plus(*amount))
            return true;
        total = *total.plus(*amount);
        for (const QString *field : {&p.PayerAccount, &p.PayerName, &p.BankName, &p.BeneAccount, &p.BeneName,
                                     &p.Amount, &p.Remark}) {
            // A bare LF stays inside a line when read, but a line break is never written.
            if (field->contains(u'\n') || !fuzzing::gbkCanHold(*field))
                return true;
        }
    }
    return false;
}

void check(const PartialRead<BatchPayment> &read)
{
    fuzzing::requireText(read.error);
    for (const BatchPayment &p : read.records) {
        for (const QString *field : {&p.PayerAccount, &p.PayerName, &p.BankName, &p.BeneAccount, &p.BeneName,
                                     &p.Amount, &p.Remark}) {
            LGBATCH_PROMISE(!field->contains(u'|') && !field->contains(u'\r'),
                            QStringLiteral("a field holds the file's structure: ") + *field);
        }
        LGBATCH_PROMISE(p.Emergency == urgentMode() || p.Emergency == nonUrgentMode(), p.Emergency);
        LGBATCH_PROMISE(p.branch.BankCode.isEmpty(), QStringLiteral("the reader looked up a branch code"));
    }
    // Saving looks the branch codes up first; any code will do for the round trip.
    const auto write = [](QList<BatchPayment> rows) {
        for (BatchPayment &p : rows)
            p.branch.BankCode =
                p.BankName == ownBankName() ? ownBankMarker() : QStringLiteral("102100099996");
        return BatchFile::writeZpk(rows, QDate(2024, 1, 5));
    };
    fuzzing::requireRoundTrip(read.records, mayNotBeWritten(read.records), write, &BatchFile::readZpk);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    check(BatchFile::readZpk(bytes));
    // An imported BPT file is saved as a ZPK file.
    const PartialRead<BatchPayment> bpt = BatchFile::readBpt(bytes);
    for (const BatchPayment &p : bpt.records)
        LGBATCH_PROMISE(Amount::fromText(p.Amount).has_value(), QStringLiteral("BPT amount ") + p.Amount);
    check(bpt);
    return 0;
}
