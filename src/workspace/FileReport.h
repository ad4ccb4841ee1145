#pragma once

#include "core/Amount.h"

#include <QList>
#include <QString>

#include <optional>

namespace lgbatch {

// What a check or a conversion found in one file, for a script to read: the problems row by
// row, as the window's messages word them, and the file's count and total.
struct FileReport
{
    struct Problem
    {
        int row = 0; // the 1-based data row (a sheet's own row number); 0: the file as a whole
        QString message;

        bool operator==(const Problem &) const = default;
    };

    QString file; // as the command line named it
    QString kind; // "zpk", "bpt", "payroll", "bene", "payer", "benepayroll"
    int rows = 0;
    Amount total;
    QList<Problem> errors;
    QList<Problem> warnings;
    bool readable = true;

    // A file that could not be read at all: its reader's message is then the only error.
    static FileReport unreadable(const QString &file, const QString &kind, const QString &message);
};

// One line per problem ("file:row: message", a warning marked 提醒), then the summary line
// "file: N笔，合计T，E处错误，W处提醒"; every line ends with a line feed.
QString reportText(const FileReport &report);

// The report as one line of JSON with the keys file, kind, rows, total ("12645.60": two
// decimals, no separators), errors, warnings (arrays of {row, message}) and readable, ending
// with a line feed. A conversion's report adds `output`: the file written, or null.
QString reportJson(const FileReport &report);
QString conversionJson(const FileReport &report, const std::optional<QString> &output);

} // namespace lgbatch
