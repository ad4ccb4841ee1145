#include "DataFile.h"

#include "core/TextFile.h"

#include <QFileInfo>

namespace lgbatch::DataFile {

QString inProgramDir(const QString &programDir, const QString &fileName)
{
    return programDir + QLatin1Char('/') + fileName;
}

Result<std::optional<QByteArray>> readIfPresent(const QString &path)
{
    if (!QFileInfo::exists(path))
        return std::optional<QByteArray>();
    Result<QByteArray> bytes = TextFile::readBytes(path);
    if (!bytes)
        return bytes.errorInfo();
    return std::optional<QByteArray>(std::move(bytes).value());
}

Status save(const QString &path, const Result<QByteArray> &bytes)
{
    if (!bytes)
        return bytes.errorInfo();
    return TextFile::saveAtomically(path, bytes.value());
}

} // namespace lgbatch::DataFile
