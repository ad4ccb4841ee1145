#include "UnprivilegedScope.h"
#include "workspace/InstanceLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace lgbatch;
using namespace Qt::StringLiterals;
using State = InstanceLock::State;

class TstInstanceLock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void acquire_onlyOneRunningCopyPerFolder_data();
    void acquire_onlyOneRunningCopyPerFolder();
};

namespace {

// Set in the environment of the test program started again as a copy of the program that
// takes the lock and ends without giving it back, as in a crash.
constexpr char LockAndDieVariable[] = "LGBATCH_TEST_LOCK_AND_DIE";

bool lockAndDie(const QString &path)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(LockAndDieVariable), path);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    return child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit &&
           child.exitCode() == 0;
}

qint64 holderOf(const QString &path)
{
    qint64 pid = 0;
    QString host;
    QString app;
    return QLockFile(path).getLockInfo(&pid, &host, &app) ? pid : 0;
}

} // namespace

void TstInstanceLock::acquire_onlyOneRunningCopyPerFolder_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<State>("state");

    QTest::newRow("first copy") << u"nothing"_s << State::Held;
    QTest::newRow("a copy is running") << u"running"_s << State::HeldElsewhere;
    QTest::newRow("a copy has run for an hour") << u"running for an hour"_s << State::HeldElsewhere;
    QTest::newRow("a copy crashed") << u"crashed"_s << State::Held;
    QTest::newRow("read-only folder") << u"read-only"_s << State::Unavailable;
}

void TstInstanceLock::acquire_onlyOneRunningCopyPerFolder()
{
    QFETCH(QString, before);
    QFETCH(State, state);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(InstanceLock::lockFileName());
    QLockFile running(path);
    if (before.startsWith(u"running"_s))
        QVERIFY(running.tryLock(0));
    if (before == u"running for an hour"_s) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(
            file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    if (before == u"crashed"_s)
        QVERIFY(lockAndDie(path));
    const qint64 holderBefore = holderOf(path);

    State got;
    if (before == u"read-only"_s) {
        const auto enter = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                           QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
        QVERIFY(QFile::setPermissions(dir.path(), enter));
        testing::UnprivilegedScope scope;
        if (!scope.restricted())
            QSKIP("cannot give up root rights here, so the folder cannot be made read-only");
        got = InstanceLock(dir.path()).acquire();
    } else {
        InstanceLock lock(dir.path());
        got = lock.acquire();
        QCOMPARE(holderOf(path), got == State::Held ? QCoreApplication::applicationPid() : holderBefore);
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(got, state);
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(LockAndDieVariable)) {
        QCoreApplication app(argc, argv);
        QLockFile lock(qEnvironmentVariable(LockAndDieVariable));
        // No destructors: the lock stays behind as a crash leaves it.
        std::_Exit(lock.tryLock(0) ? 0 : 1);
    }
    QCoreApplication app(argc, argv);
    TstInstanceLock test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_instancelock.moc"
