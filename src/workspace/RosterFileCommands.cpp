#include "RosterFileCommands.h"

#include "core/FieldText.h"
#include "files/DataFile.h"
#include "files/FileFormats.h"
#include "files/RosterFiles.h"

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
        out.rows.append({rowTexts(record), ListRowBlack});
    out.error = read.error;
    return out;
}

RowsRead decodeRoster(const Workspace &workspace, Roster roster, const QByteArray &bytes)
{
    switch (roster) {
    case Roster::Beneficiaries: {
        const PartialRead<Beneficiary> read = RosterFiles::readBeneficiaries(bytes);
        RowsRead out = rowsOf(read, &BeneficiaryListModel::rowTextsOf);
        // A branch that has left the branch table is shown in red until the row is edited.
        for (qsizetype i = 0; i < read.records.size(); ++i) {
            const Beneficiary &record = read.records[i];
            if (record.branch.BankCode != ownBankMarker() &&
                workspace.tables().findBranchByName(record.BankName) < 0) {
                out.rows[i].colour = ListRowRed;
                ++out.red;
            }
        }
        return out;
    }
    case Roster::Payers:
        return rowsOf(RosterFiles::readPayers(bytes), &PayerListModel::rowTextsOf);
    case Roster::PayrollBeneficiaries:
        break;
    }
    return rowsOf(RosterFiles::readPayrollBeneficiaries(bytes), &PayrollBeneficiaryListModel::rowTextsOf);
}

Result<QByteArray> encodeRoster(Workspace &workspace, Roster roster)
{
    switch (roster) {
    case Roster::Beneficiaries: {
        const BeneficiaryListModel &list = workspace.beneRoster();
        QList<Beneficiary> records;
        records.reserve(list.count());
        for (int row = 1; row <= list.count(); ++row)
            records.append(list.ReadBeneficiaryRow(row));
        return RosterFiles::writeBeneficiaries(records);
    }
    case Roster::Payers: {
        const PayerListModel &list = workspace.payerRoster();
        QList<Payer> records;
        records.reserve(list.count());
        for (int row = 1; row <= list.count(); ++row)
            records.append(list.ReadPayerRow(row));
        return RosterFiles::writePayers(records);
    }
    case Roster::PayrollBeneficiaries:
        break;
    }
    const PayrollBeneficiaryListModel &list = workspace.payrollRoster();
    QList<PayrollBeneficiary> records;
    records.reserve(list.count());
    for (int row = 1; row <= list.count(); ++row)
        records.append(list.ReadPayrollBeneficiaryRow(row));
    return RosterFiles::writePayrollBeneficiaries(records);
}

} // namespace

RecordListModel &rosterList(Workspace &workspace, Roster roster)
{
    switch (roster) {
    case Roster::Beneficiaries:
        return workspace.beneRoster();
    case Roster::Payers:
        return workspace.payerRoster();
    case Roster::PayrollBeneficiaries:
        break;
    }
    return workspace.payrollRoster();
}

QString rosterFilePath(const Workspace &workspace, Roster roster)
{
    switch (roster) {
    case Roster::Beneficiaries:
        return workspace.programFile(ProgramFiles::beneRoster());
    case Roster::Payers:
        return workspace.programFile(ProgramFiles::payerRoster());
    case Roster::PayrollBeneficiaries:
        break;
    }
    return workspace.programFile(ProgramFiles::payrollRoster());
}

RosterFileRead readRosterFile(Workspace &workspace, Roster roster, bool clearFirst, const QString &path,
                              BrokenFile broken)
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
    // All rows in one step, so that the pickers are rebuilt once, not once per row.
    RecordListModel &list = rosterList(workspace, roster);
    if (clearFirst)
        list.replaceRows(std::move(read.rows));
    else
        list.appendRows(std::move(read.rows));
    return outcome;
}

std::optional<QString> writeRosterFile(Workspace &workspace, Roster roster)
{
    RecordListModel &list = rosterList(workspace, roster);
    const Status saved = DataFile::save(rosterFilePath(workspace, roster), encodeRoster(workspace, roster));
    list.setChanged(!saved.ok());
    if (!saved)
        return ErrorMessage::ofWriter(saved.errorInfo());
    return std::nullopt;
}

} // namespace lgbatch
