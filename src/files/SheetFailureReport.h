#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lgbatch {

// A row of a sheet that cannot go into its list, as the result table shows it.
struct SheetFailure
{
    int row = 0;    // the sheet's own row number
    QString column; // "C（开户行）", or the field's name when it has no column
    QString message;

    bool operator==(const SheetFailure &) const = default;
};

// The result table as a CSV file a spreadsheet opens: GBK, CR LF, a header row "行号,列,错误信息"
// and one row per failure, quoted where a value holds a comma, a quote or a line break. A text
// GBK cannot hold is an error, never a "?".
Result<QByteArray> encodeFailureReport(const QList<SheetFailure> &failures);

} // namespace lgbatch
