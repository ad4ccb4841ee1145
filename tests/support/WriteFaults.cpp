#include "WriteFaults.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace lgbatch::testing {

namespace {

constexpr auto Enterable = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                           QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

#ifdef Q_OS_UNIX
void setFileSizeLimit(rlim_t bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        qFatal("cannot set the file-size limit");
}
#endif

} // namespace

WriteFaultScope::WriteFaultScope(WriteFault fault, const QString &target, qint64 bytesAllowed)
    : m_fault(fault), m_folder(QFileInfo(target).absolutePath())
{
    switch (fault) {
    case WriteFault::DiskFull:
#ifdef Q_OS_UNIX
        std::signal(SIGXFSZ, SIG_IGN);
        setFileSizeLimit(rlim_t(bytesAllowed));
#else
        // Windows has no limit of a process's file size to stand in for a full disk.
        Q_UNUSED(bytesAllowed);
        m_active = false;
#endif
        break;
    case WriteFault::ReadOnlyFolder:
        // "nobody" must be able to reach the folder and read what lies in it.
        // Only folders of the test's own, below the temporary folder, are opened up.
        for (QDir up(m_folder);
             up.cdUp() && up.absolutePath().startsWith(QDir::tempPath() + QLatin1Char('/'));)
            QFile::setPermissions(up.absolutePath(), Enterable | QFileDevice::WriteOwner);
        QFile::setPermissions(m_folder, Enterable);
        m_unprivileged = std::make_unique<UnprivilegedScope>();
        m_active = m_unprivileged->restricted();
        break;
    case WriteFault::NameIsFolder:
        QFile::remove(target);
        m_active =
            QDir().mkpath(target) && QFile(target + QStringLiteral("/inside.txt")).open(QIODevice::WriteOnly);
        break;
    }
}

WriteFaultScope::~WriteFaultScope()
{
    switch (m_fault) {
    case WriteFault::DiskFull:
#ifdef Q_OS_UNIX
        setFileSizeLimit(RLIM_INFINITY);
        std::signal(SIGXFSZ, SIG_DFL);
#endif
        break;
    case WriteFault::ReadOnlyFolder:
        m_unprivileged.reset();
        QFile::setPermissions(m_folder, Enterable | QFileDevice::WriteOwner);
        break;
    case WriteFault::NameIsFolder:
        break;
    }
}

int WriteFaultScope::systemErrorOf(WriteFault fault)
{
    switch (fault) {
    case WriteFault::DiskFull:
        return EFBIG;
    case WriteFault::ReadOnlyFolder:
        return EACCES;
    case WriteFault::NameIsFolder:
        return EISDIR;
    }
    return 0;
}

QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const QString name = QDir(folder).relativeFilePath(path);
        files.insert(name, QFileInfo(path).isDir()          ? QByteArray("<folder>")
                           : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                            : QByteArray("<unreadable>"));
    }
    return files;
}

} // namespace lgbatch::testing
