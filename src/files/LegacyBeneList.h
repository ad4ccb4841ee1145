#pragma once

#include "PartialRead.h"

#include "rosters/RosterRecords.h"

#include <QByteArray>
#include <QList>

namespace lgbatch::LegacyBeneList {

// BeneList.dat, the beneficiary list an older program kept: a stream of comma-separated
// values (quotes optional, line structure meaningless) whose first value is not used and
// whose others are pairs of name and account. An empty file holds no entries.

// The entries in file order. A file that ends inside a pair gives the entries before it and
// an error; a file that is not valid GBK gives no entries at all, since its values do not
// keep to lines and so cannot be cut safely before the fault.
PartialRead<PayrollBeneficiary> read(const QByteArray &bytes);

// The entries to append to a payroll roster that holds `roster`, in file order: an entry the
// roster already holds, or one added earlier in the same run, is left out, so every name and
// account pair ends up in the roster once (exact comparison of both).
QList<PayrollBeneficiary> entriesToAdd(const QList<PayrollBeneficiary> &roster,
                                       const QList<PayrollBeneficiary> &entries);

} // namespace lgbatch::LegacyBeneList
