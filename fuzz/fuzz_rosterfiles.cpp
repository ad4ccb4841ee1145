// The three roster files of the program directory: what a reader accepted, the roster's writer
// gives back unchanged, or it refuses to write with a reason.
#include "FuzzSupport.h"

#include "files/RosterFiles.h"
#include "refdata/ReferenceTables.h"

#include <QList>

using namespace lgbatch;

namespace {

bool unwritable(const QList<const QString *> &fields)
{
    for (const QString *field : fields) {
        LGBATCH_PROMISE(!field->contains(u'|') && !field->contains(u'\r'),
                        QStringLiteral("a field holds the file's structure: ") + *field);
        if (field->contains(u'\n') || !fuzzing::gbkCanHold(*field))
            return true;
    }
    return false;
}

template <typename Record, typename FieldsOf, typename Write, typename Read>
void check(const QByteArray &bytes, Read read, Write write, FieldsOf fieldsOf)
{
    const PartialRead<Record> got = read(bytes);
    fuzzing::requireText(got.error);
    bool mayRefuse = false;
    for (const Record &record : got.records)
        mayRefuse = unwritable(fieldsOf(record)) || mayRefuse;
    fuzzing::requireRoundTrip(got.records, mayRefuse, write, read);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    check<Beneficiary>(
        bytes, &RosterFiles::readBeneficiaries, &RosterFiles::writeBeneficiaries, [](const Beneficiary &b) {
            LGBATCH_PROMISE(b.branch.BankCode == (b.BankName == ownBankName() ? ownBankMarker() : QString()),
                            QStringLiteral("branch code ") + b.branch.BankCode);
            return QList<const QString *>{&b.BeneName, &b.BeneAccount, &b.BankName, &b.Remark};
        });
    check<Payer>(bytes, &RosterFiles::readPayers, &RosterFiles::writePayers, [](const Payer &p) {
        return QList<const QString *>{&p.PayerName, &p.PayerAccount};
    });
    check<PayrollBeneficiary>(bytes, &RosterFiles::readPayrollBeneficiaries,
                              &RosterFiles::writePayrollBeneficiaries, [](const PayrollBeneficiary &b) {
                                  return QList<const QString *>{&b.BeneName, &b.BeneAccount};
                              });
    return 0;
}
