#include "FileTransaction.h"

#include "core/SystemError.h"
#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

namespace lgbatch {

namespace {

// Names of temporaries and set-aside files: the target's name and a random tag, so that they
// sort beside the target and never meet another file's.
QString siblingName(const QString &target, const QString &suffix)
{
    const QString tag =
        QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    return target + QLatin1Char('.') + tag + suffix;
}

constexpr int NameAttempts = 16;

// Until it returns, the bytes may sit in the system's cache only; a save that is reported
// done must survive a power cut.
Status flushToDisk(QFile &file)
{
    SystemError::clearLastCode();
    if (!file.flush())
        return SystemError::ofFile(file, SystemError::lastCode());
    return TextFile::syncToDisk(file);
}

Result<QString> writeTemporary(const QString &target, const QByteArray &bytes)
{
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QString path = siblingName(target, QStringLiteral(".tmp"));
        QFile file(path);
        SystemError::clearLastCode();
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const int code = SystemError::lastCode();
            if (QFileInfo::exists(path))
                continue;
            return SystemError::ofFile(file, code);
        }
        SystemError::clearLastCode();
        Status written = file.write(bytes) == bytes.size()
                             ? flushToDisk(file)
                             : SystemError::ofFile(file, SystemError::lastCode());
        file.close();
        if (written && file.error() != QFileDevice::NoError)
            written = SystemError::ofFile(file, SystemError::lastCode());
        if (!written) {
            QFile::remove(path);
            return written.errorInfo();
        }
        if (QFileInfo::exists(target))
            QFile::setPermissions(path, QFile::permissions(target));
        return path;
    }
    return SystemError::fromErrno(EEXIST);
}

Result<QString> moveAside(const QString &target)
{
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QString backup = siblingName(target, QStringLiteral(".bak"));
        QFile file(target);
        SystemError::clearLastCode();
        if (file.rename(backup))
            return backup;
        const int code = SystemError::lastCode();
        if (!QFileInfo::exists(backup))
            return SystemError::ofReplace(target, SystemError::ofFile(file, code));
    }
    return SystemError::fromErrno(EEXIST);
}

} // namespace

FileTransaction::~FileTransaction()
{
    removeStaged();
}

Status FileTransaction::stage(const QString &target, const QByteArray &bytes)
{
    QString path = target;
    if (const QFileInfo link(target); link.isSymLink())
        path = link.symLinkTarget();
    // Moving a folder aside and a file into its place would be no save at all.
    if (QFileInfo(path).isDir())
        return SystemError::fromErrno(EISDIR);
    const Result<QString> staged = writeTemporary(path, bytes);
    if (!staged)
        return staged.errorInfo();
    m_entries.append(Entry{path, staged.value(), QString(), false});
    return {};
}

Status FileTransaction::commit()
{
    for (Entry &entry : m_entries) {
        if (!QFileInfo::exists(entry.target))
            continue;
        const Result<QString> backup = moveAside(entry.target);
        if (!backup) {
            rollBack();
            return backup.errorInfo();
        }
        entry.backup = backup.value();
    }
    for (Entry &entry : m_entries) {
        QFile staged(entry.staged);
        SystemError::clearLastCode();
        if (!staged.rename(entry.target)) {
            const Error error = SystemError::ofFile(staged, SystemError::lastCode());
            rollBack();
            return error;
        }
        entry.placed = true;
    }
    for (const Entry &entry : m_entries) {
        if (!entry.backup.isEmpty())
            QFile::remove(entry.backup);
    }
    m_entries.clear();
    return {};
}

void FileTransaction::rollBack()
{
    for (Entry &entry : m_entries) {
        if (entry.placed && QFile::remove(entry.target))
            entry.placed = false;
    }
    // A set-aside file that cannot go back stays where it is, under its own name: never lost.
    for (Entry &entry : m_entries) {
        if (!entry.backup.isEmpty() && QFile::rename(entry.backup, entry.target))
            entry.backup.clear();
    }
    removeStaged();
}

void FileTransaction::removeStaged()
{
    for (Entry &entry : m_entries) {
        if (!entry.placed && !entry.staged.isEmpty())
            QFile::remove(entry.staged);
    }
    m_entries.clear();
}

} // namespace lgbatch
