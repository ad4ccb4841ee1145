#include "ListSummary.h"

#include "core/AmountInCapitals.h"
#include "entry/ListTotals.h"

#include <QDir>

namespace lgbatch {

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

QString fileFact(const QString &fileName)
{
    return fileName.isEmpty() ? QStringLiteral("（未保存）") : QDir::toNativeSeparators(fileName);
}

} // namespace

Result<ListSummary> summarizeList(Workspace &workspace, SummarizedList which, QDate printDate)
{
    const bool batch = which == SummarizedList::Batch;
    const RecordListModel &list = batch ? static_cast<RecordListModel &>(workspace.batchList())
                                        : static_cast<RecordListModel &>(workspace.payrollList());
    if (list.count() == 0)
        return Result<ListSummary>::failure(QStringLiteral("无记录打印！"));
    const int amountColumn = batch ? workspace.batchList().amountColumn() : PayrollListModel::AmountColumn;
    const ListTotal total = totalOfAmountColumn(list, amountColumn, std::nullopt);
    if (total.badAmountRow > 0)
        return Result<ListSummary>::failure(
            QStringLiteral("第%1行金额错误，无法计算总金额！").arg(total.badAmountRow));

    ListSummary summary;
    summary.title = batch ? QStringLiteral("批量支付汇总") : QStringLiteral("代发工资汇总");
    summary.programTitle = workspace.state().title();
    summary.facts.append(
        {QStringLiteral("文件："),
         fileFact(workspace.fileOfList(batch ? Workspace::List::Batch : Workspace::List::Payroll))});
    if (!batch)
        summary.facts.append({QStringLiteral("支付日期："), workspace.transferDate().toString(DateFormat)});
    summary.facts.append({QStringLiteral("打印日期："), printDate.toString(DateFormat)});

    const int accountColumn =
        batch ? workspace.batchList().beneAccountColumn() : PayrollListModel::BeneAccountColumn;
    const int payerAccountColumn = batch ? workspace.batchList().payerAccountColumn() : -1;
    summary.columns.append({QStringLiteral("序号"), true, true});
    for (int column = 0; column < list.headers().size(); ++column) {
        const bool amount = column == amountColumn;
        const bool figures = amount || column == accountColumn || column == payerAccountColumn;
        summary.columns.append({list.headers()[column], figures, amount});
    }
    summary.rows.reserve(list.count());
    for (int row = 1; row <= list.count(); ++row)
        summary.rows.append(QStringList{QString::number(row)} + list.rowTexts(row));
    summary.count = QString::number(total.count);
    summary.total = total.total.toDisplayText();
    summary.totalInCapitals = amountInCapitals(total.total, CurrencyPrefix::Renminbi);
    if (batch && total.total > Amount::ceiling())
        summary.totalWarning = totalCeilingMessage();
    return summary;
}

} // namespace lgbatch
