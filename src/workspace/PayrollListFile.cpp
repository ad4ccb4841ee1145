#include "PayrollListFile.h"

#include "core/FieldText.h"
#include "files/PayrollFile.h"

namespace lgbatch {

namespace {

QList<RecordListModel::Row> listRowsOf(const QList<PayrollItem> &items)
{
    QList<RecordListModel::Row> rows;
    rows.reserve(items.size());
    for (const PayrollItem &item : items)
        rows.append({PayrollListModel::rowTextsOf(item)});
    return rows;
}

} // namespace

PayrollFileOutcome WritePayrollFile(Workspace &workspace)
{
    PayrollListModel &list = workspace.payrollList();
    QList<PayrollItem> items;
    items.reserve(list.count());
    for (int row = 1; row <= list.count(); ++row)
        items.append(list.ReadPayrollRow(row));

    const QString &fileName = workspace.CurrentPayrollFileName;
    const Status saved = fileName.isEmpty() ? Status::failure(QStringLiteral("未指定文件名"))
                                            : PayrollFile::save(fileName, items, workspace.transferDate());
    list.setChanged(!saved.ok());
    if (!saved)
        return {false, ErrorMessage::ofWriter(saved.errorInfo())};
    workspace.setFileOfList(Workspace::List::Payroll, fileName);
    return {};
}

PayrollFileOutcome ReadPayrollFile(Workspace &workspace, const QString &fileName, bool clearFirst)
{
    using Outcome = PayrollFile::ReadResult::Outcome;
    PayrollFile::ReadResult read = PayrollFile::read(fileName);
    switch (read.outcome) {
    case Outcome::NoFile:
        return {};
    case Outcome::Refused:
        return {false, read.message};
    case Outcome::Incomplete:
        // A replacing read that breaks would leave only part of a file where the whole list
        // was: the list stays as it was instead.
        if (clearFirst)
            return {false, read.message};
        if (!read.rows.isEmpty())
            workspace.setFileOfList(Workspace::List::Payroll, fileName);
        workspace.loadRows(Workspace::List::Payroll, listRowsOf(read.rows), false, false);
        return {false, read.message};
    case Outcome::Loaded:
        break;
    }
    if (clearFirst || !read.rows.isEmpty())
        workspace.setFileOfList(Workspace::List::Payroll, fileName);
    workspace.loadRows(Workspace::List::Payroll, listRowsOf(read.rows), clearFirst, false);
    return {};
}

} // namespace lgbatch
