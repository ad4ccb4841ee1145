#pragma once

#include "Workspace.h"

#include "core/Result.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace lgbatch {

// One column of a printed list: its header, and whether its texts are figures that read
// right-aligned and must not be broken across lines (accounts, amounts, row numbers), or
// words that may wrap.
struct SummaryColumn
{
    QString header;
    bool figures = false;
    bool rightAligned = false;
};

// What the printed summary of a payment list shows, for the person who checks and signs it
// before the file is uploaded: the list as it stands, row by row with all its columns, and
// its count and total in figures and in capitals.
struct ListSummary
{
    QString title;        // 批量支付汇总 / 代发工资汇总
    QString programTitle; // the application title, which names the edition
    // Label and value of the lines under the title: the list's file, the dates.
    QList<std::pair<QString, QString>> facts;
    QList<SummaryColumn> columns; // 序号 first, then the list's own columns
    QList<QStringList> rows;      // one text per column
    QString count;
    QString total;           // 12,345.60
    QString totalInCapitals; // 人民币壹万贰仟叁佰肆拾伍元陆角整
    // A warning printed under the total: the batch above the ceiling, which no file may carry.
    QString totalWarning;
};

enum class SummarizedList
{
    Batch,
    Payroll
};

// The summary of the batch or the payroll list on `printDate`. Refused, with the message to
// show, when the list is empty ("无记录打印！") or a row's amount is not a number: a summary
// whose total is wrong must never be signed. The batch total is shown as it is even above the
// ceiling, since the summary is there to show what the list holds, with the warning under it.
// The file named is the one the list was last read from or written to.
Result<ListSummary> summarizeList(Workspace &workspace, SummarizedList which, QDate printDate);

} // namespace lgbatch
