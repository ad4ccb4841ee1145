#pragma once

#include "UnprivilegedScope.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <memory>

namespace lgbatch::testing {

// The faults a save meets that the user cannot prevent: the disk fills up, the folder is
// read-only, the name is taken by a folder.
enum class WriteFault
{
    DiskFull,
    ReadOnlyFolder,
    NameIsFolder
};

// Puts a fault in place over the file `target` for the scope's lifetime:
// - DiskFull: no file may grow past `bytesAllowed` (the system's file-size limit with its signal
//   ignored, so that a write fails as on a full disk);
// - ReadOnlyFolder: the target's folder loses its write permission and the test acts as "nobody"
//   (root writes anyway); the folders above it stay enterable;
// - NameIsFolder: the target, if any, is removed and a folder holding one file takes its name.
class WriteFaultScope
{
public:
    WriteFaultScope(WriteFault fault, const QString &target, qint64 bytesAllowed = 16);
    ~WriteFaultScope();
    WriteFaultScope(const WriteFaultScope &) = delete;
    WriteFaultScope &operator=(const WriteFaultScope &) = delete;

    // False when the fault cannot be made here (root rights cannot be given up): skip the test.
    bool active() const { return m_active; }
    // errno of the failing call that the fault causes.
    static int systemErrorOf(WriteFault fault);

private:
    WriteFault m_fault;
    QString m_folder;
    bool m_active = true;
    std::unique_ptr<UnprivilegedScope> m_unprivileged;
};

// Every file below a folder with its bytes, to show that a failed write changed nothing.
QMap<QString, QByteArray> snapshot(const QString &folder);

} // namespace lgbatch::testing
