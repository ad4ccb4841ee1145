#include "SystemError.h"

#include <cerrno>

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace lgbatch {

Error SystemError::fromErrno(int code)
{
    switch (code) {
    case ENOENT:
        return {QStringLiteral("文件未找到"), FileNotFound};
    case ENOTDIR:
        return {QStringLiteral("路径未找到"), PathNotFound};
    case EACCES:
    case EPERM:
        return {QStringLiteral("没有权限"), PermissionDenied};
    case EROFS:
        return {QStringLiteral("没有权限（磁盘只读）"), PermissionDenied};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return {QStringLiteral("磁盘已满"), DiskFull};
    case EFBIG:
        return {QStringLiteral("磁盘已满（文件超出允许的大小）"), DiskFull};
    case EEXIST:
        return {QStringLiteral("文件已存在"), FileAlreadyExists};
    case EISDIR:
        return {QStringLiteral("路径/文件访问错误（这是一个文件夹）"), PathFileAccess};
    case EXDEV:
        return {QStringLiteral("不能用其他磁盘机重命名"), RenameAcrossDisks};
    case EMFILE:
    case ENFILE:
        return {QStringLiteral("文件太多"), TooManyFiles};
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return {QStringLiteral("路径/文件访问错误（文件正在使用）"), PathFileAccess};
    case EIO:
        return {QStringLiteral("设备 I/O 错误"), DeviceIo};
    case ENAMETOOLONG:
    case EINVAL:
        return {QStringLiteral("文件名或文件号错误"), FileNameOrNumber};
    default:
        return {QStringLiteral("路径/文件访问错误"), PathFileAccess};
    }
}

Error SystemError::fromWindowsCode(unsigned long code)
{
    // The numbers of winerror.h: the ones a file or folder operation meets, each with the text
    // that the same failure gives on Linux.
    switch (code) {
    case 2: // ERROR_FILE_NOT_FOUND
    case 3: // ERROR_PATH_NOT_FOUND: a missing folder, which Linux reports as a missing file too
        return fromErrno(ENOENT);
    case 15:  // ERROR_INVALID_DRIVE
    case 53:  // ERROR_BAD_NETPATH
    case 67:  // ERROR_BAD_NET_NAME
    case 267: // ERROR_DIRECTORY
        return fromErrno(ENOTDIR);
    case 4: // ERROR_TOO_MANY_OPEN_FILES
        return fromErrno(EMFILE);
    case 5:  // ERROR_ACCESS_DENIED
    case 65: // ERROR_NETWORK_ACCESS_DENIED
        return fromErrno(EACCES);
    case 17: // ERROR_NOT_SAME_DEVICE
        return fromErrno(EXDEV);
    case 19: // ERROR_WRITE_PROTECT
        return fromErrno(EROFS);
    case 21: // ERROR_NOT_READY: a drive without its disk, a stick pulled out
        return {QStringLiteral("磁盘未准备好"), DiskNotReady};
    case 23:   // ERROR_CRC
    case 25:   // ERROR_SEEK
    case 29:   // ERROR_WRITE_FAULT
    case 30:   // ERROR_READ_FAULT
    case 31:   // ERROR_GEN_FAILURE
    case 1117: // ERROR_IO_DEVICE
        return fromErrno(EIO);
    case 32:   // ERROR_SHARING_VIOLATION: another program (Excel, a virus scanner) holds the file
    case 33:   // ERROR_LOCK_VIOLATION
    case 303:  // ERROR_DELETE_PENDING
    case 1224: // ERROR_USER_MAPPED_FILE
        return fromErrno(EBUSY);
    case 39:   // ERROR_HANDLE_DISK_FULL
    case 112:  // ERROR_DISK_FULL
    case 1295: // ERROR_DISK_QUOTA_EXCEEDED
        return fromErrno(ENOSPC);
    case 223: // ERROR_FILE_TOO_LARGE
        return fromErrno(EFBIG);
    case 80:  // ERROR_FILE_EXISTS
    case 183: // ERROR_ALREADY_EXISTS
        return fromErrno(EEXIST);
    case 87:  // ERROR_INVALID_PARAMETER
    case 123: // ERROR_INVALID_NAME
    case 161: // ERROR_BAD_PATHNAME
    case 206: // ERROR_FILENAME_EXCED_RANGE
        return fromErrno(EINVAL);
    default:
        return {QStringLiteral("路径/文件访问错误"), PathFileAccess};
    }
}

int SystemError::lastCode()
{
#ifdef Q_OS_WIN
    return int(GetLastError());
#else
    return errno;
#endif
}

void SystemError::clearLastCode()
{
#ifdef Q_OS_WIN
    SetLastError(0);
#endif
    errno = 0;
}

Error SystemError::fromCode(int code)
{
#ifdef Q_OS_WIN
    return fromWindowsCode((unsigned long)code);
#else
    return fromErrno(code);
#endif
}

Error SystemError::ofFile(const QFileDevice &file, int capturedCode)
{
    if (capturedCode != 0)
        return fromCode(capturedCode);
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return {QStringLiteral("磁盘已满"), DiskFull};
    case QFileDevice::PermissionsError:
        return {QStringLiteral("没有权限"), PermissionDenied};
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
    case QFileDevice::FatalError:
    case QFileDevice::TimeOutError:
    case QFileDevice::PositionError:
    case QFileDevice::ResizeError:
        return {QStringLiteral("设备 I/O 错误"), DeviceIo};
    default:
        return {QStringLiteral("路径/文件访问错误"), PathFileAccess};
    }
}

bool SystemError::isInUse(const Error &error)
{
    const Error inUse = fromErrno(EBUSY);
    return error.number == inUse.number && error.text == inUse.text;
}

Error SystemError::ofReplace(const QString &target, const Error &error)
{
#ifdef Q_OS_WIN
    if (error.number != PermissionDenied)
        return error;
    // Asking for the right to delete the file, while letting everyone else do anything, fails
    // with a sharing violation only when another program holds the file.
    const QString native = QDir::toNativeSeparators(target);
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return error;
    }
    const DWORD code = GetLastError();
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ? fromWindowsCode(code) : error;
#else
    Q_UNUSED(target);
    return error;
#endif
}

} // namespace lgbatch
