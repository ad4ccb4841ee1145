#pragma once

#include "ReferenceTables.h"

#include "core/Result.h"

#include <QByteArray>
#include <QString>

namespace lgbatch {

// The four table files of the program directory. Each is GBK text, one row per line, fields
// cut at every "="; none is XML despite the name. Any failure (file missing or unreadable, a
// line with too few fields, a bank or province code that is not a 32-bit number, more rows
// than the small tables allow) gives the table's own message, which speaks of a missing file
// whatever the cause: the program cannot go on without the table.
enum class TableKind
{
    BankType,
    BankCode,
    State,
    City
};

QString tableFileName(TableKind kind);
QString tableFailureMessage(TableKind kind);

// The small tables count their rows in 16 bits; the branch table has no such limit.
inline constexpr qsizetype SmallTableRowLimit = 32767;

// Parsers over a file's bytes (for tests and benchmarks); the error is the table's message.
Result<QList<BankTypeRow>> parseBankTypeTable(const QByteArray &bytes);
Result<BranchTable> parseBankCodeTable(const QByteArray &bytes);
Result<QList<StateRow>> parseStateTable(const QByteArray &bytes);
Result<QList<CityRow>> parseCityTable(const QByteArray &bytes);

// Read programDir + "/" + the table's file name.
Result<QList<BankTypeRow>> LoadBankTypeTable(const QString &programDir);
Result<BranchTable> LoadBankCodeTable(const QString &programDir);
Result<QList<StateRow>> LoadStateTable(const QString &programDir);
Result<QList<CityRow>> LoadCityTable(const QString &programDir);

// All four in their fixed order (bank types, branches, provinces, cities), stopping at the
// first failure, whose table's message is the error.
Result<ReferenceTables> loadReferenceTables(const QString &programDir);

} // namespace lgbatch
