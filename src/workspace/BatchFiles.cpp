#include "BatchFiles.h"

#include "core/FieldText.h"
#include "entry/ListTotals.h"
#include "files/BatchFile.h"
#include "files/DataFile.h"

namespace lgbatch {

namespace {

using BatchReader = PartialRead<BatchPayment> (*)(const QByteArray &);

bool branchIsKnown(const ReferenceTables &tables, const QString &bankName)
{
    return bankName == ownBankName() || !tables.FindBankCode(bankName).isEmpty();
}

// Whether the rows read are in a saved batch file: a ZPK is one, a file of another format is
// not, so leaving the program must still offer to save its rows.
enum class ReadRows
{
    AreSaved,
    AreUnsaved
};

BatchFileOutcome readInto(Workspace &workspace, const QString &fileName, bool clearFirst, BatchReader read,
                          ReadRows saved)
{
    BatchFileOutcome outcome;
    const Result<std::optional<QByteArray>> bytes = DataFile::readIfPresent(fileName);
    if (!bytes) {
        outcome.warning = ErrorMessage::ofReader(bytes.errorInfo());
        return outcome;
    }
    if (!bytes.value())
        return outcome;
    // The whole file is read before the list is touched: an overwriting import of a broken
    // file must not leave the user with an emptied list.
    const PartialRead<BatchPayment> payments = read(*bytes.value());
    if (payments.error) {
        outcome.warning = ErrorMessage::ofReader(*payments.error);
        if (clearFirst)
            return outcome;
    }

    BatchListModel &list = workspace.batchList();
    const int firstRow = clearFirst ? 1 : list.count() + 1;
    QList<RecordListModel::Row> rows;
    rows.reserve(payments.records.size());
    for (const BatchPayment &payment : payments.records) {
        const bool known = branchIsKnown(workspace.tables(), payment.BankName);
        if (!known)
            outcome.redRows.append(firstRow + int(rows.size()));
        rows.append({list.rowTextsOf(payment), known ? RowState::Normal : RowState::UnknownBranch});
    }
    outcome.rowsRead = int(rows.size());
    const bool markChanged = saved == ReadRows::AreUnsaved && (!payments.error || outcome.rowsRead > 0);
    if (clearFirst || outcome.rowsRead > 0)
        workspace.setFileOfList(Workspace::List::Batch, fileName);
    workspace.loadRows(Workspace::List::Batch, std::move(rows), clearFirst, markChanged);
    return outcome;
}

} // namespace

BatchFileOutcome WriteBatchFile(Workspace &workspace, const Clock &clock)
{
    BatchListModel &list = workspace.batchList();
    BatchFileOutcome outcome;
    QList<BatchPayment> rows;
    rows.reserve(list.count());
    // Every row is looked at, so that the user sees all the rows to correct at once.
    for (int row = 1; row <= list.count(); ++row) {
        BatchPayment payment = list.ReadBatchRow(row);
        if (payment.branch.BankCode.isEmpty()) {
            list.setRowState(row, RowState::UnknownBranch);
            outcome.redRows.append(row);
        }
        rows.append(std::move(payment));
    }
    if (!outcome.redRows.isEmpty()) {
        outcome.warning = QStringLiteral("收款账号开户行不存在/已被删除，请重新选择！");
        return outcome;
    }
    // The bank refuses a batch above the ceiling: a file it would refuse is no save.
    if (totalOfAmountColumn(list, list.amountColumn(), Amount::ceiling()).ceilingExceededAtRow > 0) {
        outcome.warning = totalCeilingMessage();
        return outcome;
    }
    const Status saved =
        DataFile::save(workspace.CurrentBatchFileName, BatchFile::writeZpk(rows, clock.today()));
    list.setChanged(!saved.ok());
    if (!saved)
        outcome.warning = ErrorMessage::ofWriter(saved.errorInfo());
    else
        workspace.setFileOfList(Workspace::List::Batch, workspace.CurrentBatchFileName);
    return outcome;
}

BatchFileOutcome ReadBatchFile(Workspace &workspace, const QString &fileName, bool clearFirst)
{
    return readInto(workspace, fileName, clearFirst, &BatchFile::readZpk, ReadRows::AreSaved);
}

BatchFileOutcome ReadOtherBatchFile(Workspace &workspace, const QString &fileName, bool clearFirst)
{
    return readInto(workspace, fileName, clearFirst, &BatchFile::readBpt, ReadRows::AreUnsaved);
}

} // namespace lgbatch
