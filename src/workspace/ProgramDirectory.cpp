#include "ProgramDirectory.h"

#include "core/SystemError.h"
#include "core/TextFile.h"
#include "files/FileFormats.h"
#include "refdata/BranchTableUpdate.h"
#include "refdata/TableLoaders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>

namespace lgbatch {

using ProgramDirectory::Kind;
using ProgramDirectory::Plan;

namespace {

QString branchTable()
{
    return tableFileName(TableKind::BankCode);
}

QString inDir(const QString &dir, const QString &name)
{
    return dir + QLatin1Char('/') + name;
}

// One spelling per folder, so that a folder given twice under two names is seen as one.
QString sameFolderKey(const QString &dir)
{
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(dir).absolutePath()) : canonical;
}

std::optional<QByteArray> digestOf(const QString &path)
{
    const Result<QByteArray> bytes = TextFile::readBytes(path);
    if (!bytes)
        return std::nullopt;
    return QCryptographicHash::hash(bytes.value(), QCryptographicHash::Sha256).toHex();
}

std::optional<QByteArray> noteOf(const QString &dir)
{
    const Result<QByteArray> bytes = TextFile::readBytes(ProgramDirectory::shippedNoteFile(dir));
    if (!bytes)
        return std::nullopt;
    return bytes.value().trimmed();
}

Status writeNote(const Plan &plan)
{
    const std::optional<QByteArray> shipped = digestOf(inDir(plan.shippedDir, branchTable()));
    if (!shipped)
        return Status::failure(SystemError::fromErrno(ENOENT).text, SystemError::FileNotFound);
    return TextFile::saveAtomically(ProgramDirectory::shippedNoteFile(plan.dir), *shipped + "\r\n");
}

// Tried rather than read from the folder's permissions, which do not tell on every system
// (access lists, folders the system guards for the program's installer).
bool canWriteIn(const QString &dir)
{
    QTemporaryFile probe(inDir(dir, QStringLiteral(".lgbatch-XXXXXX")));
    return probe.open();
}

QStringList tableFiles()
{
    return {tableFileName(TableKind::BankType), tableFileName(TableKind::BankCode),
            tableFileName(TableKind::State), tableFileName(TableKind::City)};
}

// A folder the program has lived in. One that has lost its branch table is still the user's
// program directory: the start ends with the table's message, and its rosters are not left
// behind for an empty folder elsewhere.
bool holdsProgramFiles(const QString &dir)
{
    QStringList names = tableFiles();
    names << ProgramFiles::beneRoster() << ProgramFiles::payerRoster() << ProgramFiles::payrollRoster()
          << ProgramFiles::legacyBeneList();
    return std::any_of(names.cbegin(), names.cend(),
                       [&dir](const QString &name) { return QFileInfo::exists(inDir(dir, name)); });
}

} // namespace

QString ProgramDirectory::shippedNoteFile(const QString &dir)
{
    return inDir(dir, branchTable() + QStringLiteral(".shipped"));
}

Result<Plan> ProgramDirectory::choose(const Places &places)
{
    Plan plan;
    if (places.named) {
        plan.dir = QDir::cleanPath(QDir(*places.named).absolutePath());
        plan.kind = Kind::Named;
        const QFileInfo info(plan.dir);
        if (info.exists() && !info.isDir())
            return Result<Plan>::failure(
                QStringLiteral("程序目录 %1 不是文件夹").arg(QDir::toNativeSeparators(plan.dir)));
    } else if (holdsProgramFiles(places.executableDir) && canWriteIn(places.executableDir)) {
        // A portable copy keeps everything beside the program, as it always has: nothing is
        // copied into it and nothing is offered.
        plan.dir = places.executableDir;
        plan.kind = Kind::Portable;
        return plan;
    } else {
        plan.dir = places.perUserDir;
        plan.kind = Kind::PerUser;
        if (plan.dir.isEmpty())
            return Result<Plan>::failure(
                QStringLiteral("找不到当前用户的数据文件夹，请用 --dir 指定程序目录"));
    }

    const QString dirKey = sameFolderKey(plan.dir);
    for (const QString &shipped : places.shippedDirs) {
        if (QFileInfo::exists(inDir(shipped, branchTable())) && sameFolderKey(shipped) != dirKey) {
            plan.shippedDir = shipped;
            break;
        }
    }
    if (plan.shippedDir.isEmpty())
        return plan;

    for (const QString &table : tableFiles())
        if (!QFileInfo::exists(inDir(plan.dir, table)) && QFileInfo::exists(inDir(plan.shippedDir, table)))
            plan.missingTables.append(table);

    const std::optional<QByteArray> shipped = digestOf(inDir(plan.shippedDir, branchTable()));
    if (!shipped)
        return plan; // unreadable: copying it fails with its own error, and there is nothing to offer
    if (plan.missingTables.contains(branchTable())) {
        plan.noteShippedTable = true;
        return plan;
    }
    const std::optional<QByteArray> noted = noteOf(plan.dir);
    if (!noted) {
        // A folder that holds a table but no note was filled by hand or by another copy of the
        // program: its table is what its user chose, and nothing says the installed one is newer.
        plan.noteShippedTable = true;
    } else if (*noted != *shipped) {
        if (digestOf(inDir(plan.dir, branchTable())) == shipped)
            plan.noteShippedTable = true; // the user has taken this table already (更新)
        else
            plan.offerShippedTable = true;
    }
    return plan;
}

Status ProgramDirectory::prepare(const Plan &plan)
{
    // With nothing to put in, no folder is made: the start ends with the missing table's message.
    if (!plan.missingTables.isEmpty() && !QFileInfo(plan.dir).isDir()) {
        SystemError::clearLastCode();
        // A code of 0 (none known) gives the general access error.
        if (!QDir().mkpath(plan.dir))
            return SystemError::fromCode(SystemError::lastCode());
    }
    for (const QString &table : plan.missingTables) {
        const Result<QByteArray> bytes = TextFile::readBytes(inDir(plan.shippedDir, table));
        if (!bytes)
            return bytes.errorInfo();
        LGBATCH_TRY(TextFile::saveAtomically(inDir(plan.dir, table), bytes.value()));
    }
    // Without the note the next start looks again and writes it then: nothing is lost, so a
    // folder that refuses it does not stop this start.
    if (plan.noteShippedTable)
        (void)writeNote(plan);
    return {};
}

Status ProgramDirectory::takeShippedTable(const Plan &plan)
{
    return BranchTableUpdate::replaceTable(plan.dir, inDir(plan.shippedDir, branchTable()));
}

Status ProgramDirectory::declineShippedTable(const Plan &plan)
{
    return writeNote(plan);
}

} // namespace lgbatch
