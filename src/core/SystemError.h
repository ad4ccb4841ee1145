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
inline constexpr int DiskNotReady = 71;
inline constexpr int RenameAcrossDisks = 74;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;

// The error for a C library error code (errno), as the system reports a failed call.
Error fromErrno(int code);

// The error for a Windows system error code (GetLastError()). Built on every platform, so that
// the table is tested wherever the tests run.
Error fromWindowsCode(unsigned long code);

// The code the system keeps of the last failed call on this thread: errno, or on Windows
// GetLastError() (Qt's file calls go to the system directly there and leave errno alone). Read
// it right after the failing call; clear it before a call that may fail without setting it, so
// that an earlier failure never speaks for this one.
int lastCode();
void clearLastCode();

// The error for a code from lastCode(); 0 (unknown) gives the general access error.
Error fromCode(int code);

// The error of a failed operation on a file. `capturedCode` is lastCode() read right after the
// failing call (0 when the system did not set it); without it the file's own error kind
// decides.
Error ofFile(const QFileDevice &file, int capturedCode);

// Whether the error says that another program holds the file (Windows keeps others off it).
bool isInUse(const Error &error);

// The error of a failed replacement of `target`. Windows reports a target that another program
// holds open as "access denied" when it is to be replaced: a second look tells the two apart.
Error ofReplace(const QString &target, const Error &error);

} // namespace SystemError
} // namespace lgbatch
