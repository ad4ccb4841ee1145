#include "RosterFileCommands.h"

#include "core/FieldText.h"
#include "files/DataFile.h"
#include "files/FileFormats.h"
#include "files/RosterFiles.h"

#include <QFileInfo>

namespace lgbatch {

namespace {

// The rows a roster file gives its list, with the error that stopped the reading.
struct RowsRead
{
    QList<RecordListModel::Row> rows;
    std::optional<Error> error;
    qsizetype red = 0;
};

template <typename Record, typename RowTexts>
RowsRead rowsOf(const PartialRead<Record> &read, RowTexts rowTexts)
{
    RowsRead out;
    out.rows.reserve(read.records.size());
    for (const Record &record : read.records)
        out.rows.append({rowTexts(record), RowState::Normal});
    out.error = read.error;
    return out;
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return a == b ||
           (first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath());
}

RowsRead decodeRoster(const Workspace &workspace, Workspace::List roster, const QByteArray &bytes)
{
    switch (roster) {
    case Workspace::List::BeneRoster: {
        const PartialRead<Beneficiary> read = RosterFiles::readBeneficiaries(bytes);
        RowsRead out = rowsOf(read, &BeneficiaryListModel::rowTextsOf);
        // A branch that has left the branch table is shown in red until the row is edited.
        for (qsizetype i = 0; i < read.records.size(); ++i) {
            const Beneficiary &record = read.records[i];
            if (record.branch.BankCode != ownBankMarker() &&
                workspace.tables().findBranchByName(record.BankName) < 0) {
                out.rows[i].state = RowState::UnknownBranch;
                ++out.red;
            }
        }
        return out;
    }
    case Workspace::List::PayerRoster:
        return rowsOf(RosterFiles::readPayers(bytes), [](const Payer &record) {
            return NameAccountListModel::rowTextsOf(record.PayerName, record.PayerAccount);
        });
    default:
        break;
    }
    return rowsOf(RosterFiles::readPayrollBeneficiaries(bytes), [](const PayrollBeneficiary &record) {
        return NameAccountListModel::rowTextsOf(record.BeneName, record.BeneAccount);
    });
}

Result<QByteArray> encodeRoster(Workspace &workspace, Workspace::List roster)
{
    switch (roster) {
    case Workspace::List::BeneRoster: {
        const BeneficiaryListModel &list = workspace.beneRoster();
        QList<Beneficiary> records;
        records.reserve(list.count());
        for (int row = 1; row <= list.count(); ++row)
            records.append(list.ReadBeneficiaryRow(row));
        return RosterFiles::writeBeneficiaries(records);
    }
    case Workspace::List::PayerRoster: {
        const NameAccountListModel &list = workspace.payerRoster();
        QList<Payer> records;
        records.reserve(list.count());
        for (int row = 1; row <= list.count(); ++row)
            records.append(ReadPayerRow(list, row));
        return RosterFiles::writePayers(records);
    }
    default:
        break;
    }
    const NameAccountListModel &list = workspace.payrollRoster();
    QList<PayrollBeneficiary> records;
    records.reserve(list.count());
    for (int row = 1; row <= list.count(); ++row)
        records.append(ReadPayrollBeneficiaryRow(list, row));
    return RosterFiles::writePayrollBeneficiaries(records);
}

} // namespace

QString rosterFilePath(const Workspace &workspace, Workspace::List roster)
{
    return workspace.programFile(listKind(roster).rosterFile);
}

RosterFileRead readRosterFile(Workspace &workspace, Workspace::List roster, bool clearFirst,
                              const QString &path, BrokenFile broken)
{
    RosterFileRead outcome;
    const Result<std::optional<QByteArray>> bytes =
        DataFile::readIfPresent(path.isEmpty() ? rosterFilePath(workspace, roster) : path);
    if (!bytes) {
        // The list is emptied only for rows to take its place: a file that cannot be opened
        // at all must not cost the user the rows already in the list.
        outcome.found = true;
        outcome.message = ErrorMessage::ofReader(bytes.errorInfo());
        return outcome;
    }
    if (!bytes.value())
        return outcome;
    outcome.found = true;
    RowsRead read = decodeRoster(workspace, roster, *bytes.value());
    outcome.rowsRead = read.rows.size();
    outcome.rowsPaintedRed = read.red;
    if (read.error)
        outcome.message = ErrorMessage::ofReader(*read.error);
    if (read.error && clearFirst && broken == BrokenFile::LeavesListAlone) {
        outcome.rowsRead = 0;
        outcome.rowsPaintedRed = 0;
        return outcome;
    }
    // The roster's home stays the program directory: rows from another file are not saved
    // there yet, so leaving the program asks about them.
    const bool fromOtherFile = !path.isEmpty() && !sameFile(path, rosterFilePath(workspace, roster));
    const bool listChanges = outcome.rowsRead > 0 || (clearFirst && !read.error);
    // All rows in one step, so that the pickers are rebuilt once, not once per row.
    workspace.loadRows(roster, std::move(read.rows), clearFirst, fromOtherFile && listChanges);
    return outcome;
}

std::optional<QString> writeRosterFile(Workspace &workspace, Workspace::List roster)
{
    RecordListModel &list = workspace.list(roster);
    const Status saved = DataFile::save(rosterFilePath(workspace, roster), encodeRoster(workspace, roster));
    list.setChanged(!saved.ok());
    if (!saved)
        return ErrorMessage::ofWriter(saved.errorInfo());
    return std::nullopt;
}

} // namespace lgbatch
