#include "BranchTableUpdate.h"

#include "TableLoaders.h"

#include "core/SystemError.h"
#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>

namespace lgbatch {

QString BranchTableUpdate::currentTable(const QString &programDir)
{
    return programDir + QLatin1Char('/') + tableFileName(TableKind::BankCode);
}

QString BranchTableUpdate::backupTable(const QString &programDir)
{
    return currentTable(programDir) + QStringLiteral(".bak");
}

bool BranchTableUpdate::isTableInUse(const QString &programDir, const QString &picked)
{
    const QString current = currentTable(programDir);
    if (picked == current)
        return true;
    const QFileInfo pickedInfo(picked);
    const QFileInfo currentInfo(current);
    return pickedInfo.exists() && currentInfo.exists() &&
           pickedInfo.canonicalFilePath() == currentInfo.canonicalFilePath();
}

Status BranchTableUpdate::replaceTable(const QString &programDir, const QString &picked)
{
    const QString current = currentTable(programDir);
    const QString backup = backupTable(programDir);
    // A rename onto an existing name would replace it without a word on some systems: the
    // backup of an earlier update is never overwritten.
    if (QFileInfo::exists(backup))
        return Error{SystemError::fromErrno(EEXIST).text, SystemError::FileAlreadyExists};

    const Result<QByteArray> bytes = TextFile::readBytes(picked);
    if (!bytes)
        return bytes.errorInfo();
    // A table the program could not load would end it at the next start; one without a branch
    // would leave no other bank to pick, and its backup would stand in the way of a repair.
    const Result<BranchTable> table = parseBankCodeTable(bytes.value());
    if (!table || table.value().isEmpty())
        return Status::failure(QStringLiteral("所选文件不是有效的支付系统行号表"));

    // The copy goes beside the current table first, so that the last step is a rename within
    // one folder.
    QTemporaryFile staged(current + QStringLiteral(".XXXXXX"));
    SystemError::clearLastCode();
    if (!staged.open())
        return SystemError::ofFile(staged, SystemError::lastCode());
    if (staged.write(bytes.value()) != bytes.value().size() || !staged.flush()) {
        const int code = SystemError::lastCode();
        return SystemError::ofFile(staged, code);
    }
    LGBATCH_TRY(TextFile::syncToDisk(staged));
    staged.close();
    // The temporary is private to its owner; the table keeps the rights the old one had.
    staged.setPermissions(QFile::permissions(current));

    QFile currentFile(current);
    SystemError::clearLastCode();
    if (!currentFile.rename(backup)) {
        const int code = SystemError::lastCode();
        return SystemError::ofFile(currentFile, code);
    }
    SystemError::clearLastCode();
    if (!staged.rename(current)) {
        const int code = SystemError::lastCode();
        const Error error = SystemError::ofFile(staged, code);
        QFile::rename(backup, current);
        return error;
    }
    staged.setAutoRemove(false);
    return {};
}

} // namespace lgbatch
