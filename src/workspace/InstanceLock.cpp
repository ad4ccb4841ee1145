#include "InstanceLock.h"

namespace lgbatch {

InstanceLock::InstanceLock(const QString &programDir) : m_lock(programDir + QLatin1Char('/') + lockFileName())
{
    // A lock is stale only when the copy that wrote it is gone: never because of its age, since
    // a copy may well run for days.
    m_lock.setStaleLockTime(0);
}

InstanceLock::State InstanceLock::acquire()
{
    if (m_lock.isLocked() || m_lock.tryLock(0))
        return State::Held;
    return m_lock.error() == QLockFile::LockFailedError ? State::HeldElsewhere : State::Unavailable;
}

QString InstanceLock::lockFileName()
{
    return QStringLiteral("lgbatch.lock");
}

QString InstanceLock::runningMessage()
{
    return QStringLiteral("本程序已经在此文件夹中运行，不能同时运行两个！");
}

} // namespace lgbatch
