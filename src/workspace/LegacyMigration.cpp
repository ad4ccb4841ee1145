#include "LegacyMigration.h"

#include "core/SystemError.h"
#include "files/DataFile.h"
#include "files/FileFormats.h"
#include "files/LegacyBeneList.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace lgbatch {

QString LegacyMigration::legacyFile(const Workspace &workspace)
{
    return workspace.programFile(ProgramFiles::legacyBeneList());
}

QString LegacyMigration::doneFile(const Workspace &workspace)
{
    return legacyFile(workspace) + QStringLiteral(".bak");
}

bool LegacyMigration::isPending(const Workspace &workspace)
{
    return QFileInfo::exists(legacyFile(workspace));
}

LegacyMigration::Outcome LegacyMigration::MigrateLegacyBeneList(Workspace &workspace)
{
    Outcome outcome;
    const Result<std::optional<QByteArray>> bytes = DataFile::readIfPresent(legacyFile(workspace));
    if (!bytes) {
        outcome.error = bytes.errorInfo();
        return outcome;
    }
    if (!bytes.value())
        return outcome;

    const PartialRead<PayrollBeneficiary> read = LegacyBeneList::read(*bytes.value());
    const NameAccountListModel &roster = workspace.payrollRoster();
    QList<PayrollBeneficiary> held;
    held.reserve(roster.count());
    for (int row = 1; row <= roster.count(); ++row)
        held.append(ReadPayrollBeneficiaryRow(roster, row));
    const QList<PayrollBeneficiary> toAdd = LegacyBeneList::entriesToAdd(held, read.records);
    if (!toAdd.isEmpty()) {
        QList<RecordListModel::Row> rows;
        rows.reserve(toAdd.size());
        for (const PayrollBeneficiary &entry : toAdd)
            rows.append(
                {NameAccountListModel::rowTextsOf(entry.BeneName, entry.BeneAccount), RowState::Normal});
        workspace.loadRows(Workspace::List::PayrollRoster, std::move(rows), false, true);
        outcome.added = int(toAdd.size());
    }
    if (read.error) {
        outcome.error = read.error;
        return outcome;
    }
    // A rename onto an existing name would replace it on some systems: an earlier backup is
    // never overwritten.
    if (QFileInfo::exists(doneFile(workspace))) {
        outcome.error = SystemError::fromErrno(EEXIST);
        return outcome;
    }
    QFile file(legacyFile(workspace));
    SystemError::clearLastCode();
    if (!file.rename(doneFile(workspace)))
        outcome.error = SystemError::ofFile(file, SystemError::lastCode());
    return outcome;
}

} // namespace lgbatch
