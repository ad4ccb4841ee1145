#pragma once

#include "core/Result.h"
#include "entry/PayrollItem.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace lgbatch {

// The payroll file (*.csv) and the verification file beside it that carries its digest.
// Both are GBK with CR LF after every line. Writer errors are shown in the writer's form
// (ErrorMessage::ofWriter); a read gives its message ready to show.
namespace PayrollFile {

// "salary.csv" -> "salary.csv.checksum".
QString checksumFileName(const QString &payrollFileName);

// The payroll file: the header ("H", row count, total, transfer date "yyyy/M/d"), then one
// detail line per row in list order. Refuses, producing nothing, a row whose amount does not
// convert and a value the layout cannot carry exactly; the error names the row
// ("第3行收款人名称不能含有字符“"”").
Result<QByteArray> encode(const QList<PayrollItem> &rows, QDate transferDate);

// The verification file for a digest: the digest quoted, then CR LF.
Result<QByteArray> encodeChecksum(const QString &digest);

// The rows of a payroll file's bytes. The header's values are not used; each row's amount is
// read as a number and given in display form (1000.00 -> 1,000.00). On an error (the file ends
// inside a row, an amount that is not a number) `rows` holds the rows before it and `status`
// the error's text, without the reader's brackets.
struct DecodedRows
{
    QList<PayrollItem> rows;
    Status status;
};
DecodedRows decodeRows(const QByteArray &bytes);

struct ReadResult
{
    enum class Outcome
    {
        NoFile,     // no file of that name: nothing to show
        Refused,    // nothing read: `message` says why, and the list is to stay as it was
        Incomplete, // `rows` holds the rows before the error that `message` tells of
        Loaded      // `rows` holds every row
    };
    Outcome outcome = Outcome::NoFile;
    QList<PayrollItem> rows;
    QString message; // shown as it stands
};

// Checks the file against its verification file (missing: "代发工资检验文件不存在！"; another
// digest, compared exactly: "代发工资检验文件错误"), then reads its rows. The bytes read are
// the bytes checked.
ReadResult read(const QString &fileName);

// Saves the payroll file and its verification file together: both are written beside their
// targets and the written payroll file's digest is checked against that of the bytes before
// either is put in place. On any failure nothing is left half-written and the files that were
// there before stay as they were.
Status save(const QString &fileName, const QList<PayrollItem> &rows, QDate transferDate);

} // namespace PayrollFile
} // namespace lgbatch
