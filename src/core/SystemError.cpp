#include "SystemError.h"

#include <cerrno>

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

Error SystemError::ofFile(const QFileDevice &file, int capturedErrno)
{
    if (capturedErrno != 0)
        return fromErrno(capturedErrno);
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

} // namespace lgbatch
