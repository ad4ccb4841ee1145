#include "core/SystemError.h"

#include <QTest>

#include <cerrno>

using namespace lgbatch;

class TstSystemError : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromWindowsCode_saysWhatLinuxSaysOfTheSameFailure_data();
    void fromWindowsCode_saysWhatLinuxSaysOfTheSameFailure();
};

void TstSystemError::fromWindowsCode_saysWhatLinuxSaysOfTheSameFailure_data()
{
    QTest::addColumn<unsigned long>("windowsCode");
    QTest::addColumn<int>("linuxErrno");

    QTest::newRow("file not found") << 2UL << ENOENT;
    QTest::newRow("folder not found") << 3UL << ENOENT;
    QTest::newRow("no such drive") << 15UL << ENOTDIR;
    QTest::newRow("access denied") << 5UL << EACCES;
    QTest::newRow("write-protected disk") << 19UL << EROFS;
    QTest::newRow("held by another program") << 32UL << EBUSY;
    QTest::newRow("locked by another program") << 33UL << EBUSY;
    QTest::newRow("disk full") << 112UL << ENOSPC;
    QTest::newRow("file too large") << 223UL << EFBIG;
    QTest::newRow("file exists") << 80UL << EEXIST;
    QTest::newRow("already exists") << 183UL << EEXIST;
    QTest::newRow("invalid name") << 123UL << EINVAL;
    QTest::newRow("too many open files") << 4UL << EMFILE;
    QTest::newRow("another drive") << 17UL << EXDEV;
    QTest::newRow("device fault") << 31UL << EIO;
}

void TstSystemError::fromWindowsCode_saysWhatLinuxSaysOfTheSameFailure()
{
    QFETCH(unsigned long, windowsCode);
    QFETCH(int, linuxErrno);

    const Error windows = SystemError::fromWindowsCode(windowsCode);
    const Error onLinux = SystemError::fromErrno(linuxErrno);
    QCOMPARE(windows.number, onLinux.number);
    QCOMPARE(windows.text, onLinux.text);
}

QTEST_GUILESS_MAIN(TstSystemError)
#include "tst_systemerror.moc"
