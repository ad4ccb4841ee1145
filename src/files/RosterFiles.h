#pragma once

#include "PartialRead.h"

#include "core/Result.h"
#include "rosters/RosterRecords.h"

#include <QByteArray>
#include <QList>

namespace lgbatch::RosterFiles {

// The three roster files of the program directory (bene.xml, payer.xml, benepayroll.xml):
// one line per roster row in the list's order, every field followed by "|", GBK, CR LF after
// every line; an empty roster is an empty file. Despite the name they are not XML.

// A beneficiary line holds name, account, branch name and remark; payer and payroll lines
// name and account. Refused, with nothing produced, when a field holds what the file cannot
// carry ("|", a line break, a character GBK cannot hold); the message names the row and the
// field ("第2行备注不能含有换行").
Result<QByteArray> writeBeneficiaries(const QList<Beneficiary> &rows);
Result<QByteArray> writePayers(const QList<Payer> &rows);
Result<QByteArray> writePayrollBeneficiaries(const QList<PayrollBeneficiary> &rows);

// The records of a roster file, taken as they stand. A line needs at least 4 pieces (2 in
// the payer and payroll files); a blank line, a trailing one too, stops the reading. A
// beneficiary of the own bank gets the own-bank marker as `BankCode`; the other codes are the
// caller's to look up.
PartialRead<Beneficiary> readBeneficiaries(const QByteArray &bytes);
PartialRead<Payer> readPayers(const QByteArray &bytes);
PartialRead<PayrollBeneficiary> readPayrollBeneficiaries(const QByteArray &bytes);

} // namespace lgbatch::RosterFiles
