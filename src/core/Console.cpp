#include "Console.h"

#include <QByteArray>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs
#else
#include <cstdio>
#endif

namespace lgbatch::Console {

#ifdef Q_OS_WIN

namespace {

HANDLE handleOf(Stream stream)
{
    const DWORD which = stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        return handle;
    // A window program started from a console has no handles of its own: borrow the console of
    // the process that started it, if any.
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (!attached)
        return nullptr;
    handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    SetStdHandle(which, handle);
    return handle;
}

} // namespace

void write(Stream stream, const QString &text)
{
    HANDLE handle = handleOf(stream);
    if (!handle)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(text.utf16()), DWORD(text.size()), &written,
                      nullptr);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
}

QStringList arguments(int argc, char *argv[])
{
    int count = 0;
    wchar_t **typed = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!typed) {
        QStringList fallback;
        for (int i = 0; i < argc; ++i)
            fallback.append(QString::fromLocal8Bit(argv[i]));
        return fallback;
    }
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QString::fromWCharArray(typed[i]));
    LocalFree(typed);
    return list;
}

#else

QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

void write(Stream stream, const QString &text)
{
    std::FILE *file = stream == Stream::Output ? stdout : stderr;
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
    std::fflush(file);
}

#endif

} // namespace lgbatch::Console
