#pragma once

#include "Result.h"

#include <QFileDevice>

namespace lgbatch {

// Errors of the system (files, folders, devices) in one stable scheme on every platform: the
// classic run-time error numbers that commands show ("错误 【61 磁盘已满】") and a Chinese text
// that says what happened, whatever the system's language.
namespace SystemError {

inline constexpr int FileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIo = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int RenameAcrossDisks = 74;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;

// The error for a C library error code (errno), as the system reports a failed call.
Error fromErrno(int code);

// The error of a failed operation on a file. `capturedErrno` is errno read right after the
// failing call (0 when the platform does not set it); without it the file's own error kind
// decides.
Error ofFile(const QFileDevice &file, int capturedErrno);

} // namespace SystemError
} // namespace lgbatch
