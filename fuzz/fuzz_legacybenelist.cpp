// The beneficiary list of the older program: its entries go into the payroll roster, each name
// and account once, and must then be saved with the roster.
#include "FuzzSupport.h"

#include "files/LegacyBeneList.h"
#include "files/RosterFiles.h"

#include <QSet>

using namespace lgbatch;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const PartialRead<PayrollBeneficiary> read = LegacyBeneList::read(fuzzing::bytesOf(data, size));
    fuzzing::requireText(read.error);

    // A roster that already holds the first half of the entries takes only the others.
    const QList<PayrollBeneficiary> roster = read.records.first(read.records.size() / 2);
    const QList<PayrollBeneficiary> added = LegacyBeneList::entriesToAdd(roster, read.records);
    QSet<std::pair<QString, QString>> seen;
    for (const PayrollBeneficiary &row : roster)
        seen.insert({row.BeneName, row.BeneAccount});
    qsizetype from = 0;
    for (const PayrollBeneficiary &entry : read.records) {
        if (seen.contains({entry.BeneName, entry.BeneAccount}))
            continue;
        seen.insert({entry.BeneName, entry.BeneAccount});
        LGBATCH_PROMISE(from < added.size() && added[from] == entry, entry.BeneName);
        ++from;
    }
    LGBATCH_PROMISE(from == added.size(), QStringLiteral("entries added that are not new"));

    bool mayRefuse = false;
    for (const PayrollBeneficiary &entry : read.records) {
        for (const QString *field : {&entry.BeneName, &entry.BeneAccount}) {
            if (field->contains(u'|') || field->contains(u'\r') || field->contains(u'\n') ||
                !fuzzing::gbkCanHold(*field))
                mayRefuse = true;
        }
    }
    fuzzing::requireRoundTrip(read.records, mayRefuse, &RosterFiles::writePayrollBeneficiaries,
                              &RosterFiles::readPayrollBeneficiaries);
    return 0;
}
