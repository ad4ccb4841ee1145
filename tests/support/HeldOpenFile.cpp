#include "HeldOpenFile.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace lgbatch::testing {

HeldOpenFile::HeldOpenFile(const QString &path)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(path);
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        m_handle = handle;
#else
    Q_UNUSED(path);
#endif
}

HeldOpenFile::~HeldOpenFile()
{
    release();
}

void HeldOpenFile::release()
{
#ifdef Q_OS_WIN
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
#endif
    m_handle = nullptr;
}

} // namespace lgbatch::testing
