#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace lgbatch::testing {

// Permissions do not stop root; for the length of a failing write the test acts as "nobody".
// Windows has no read-only folders to speak of (the attribute stops no one from writing in
// them): there the scope never restricts, and tests that need it skip.
class UnprivilegedScope
{
public:
    UnprivilegedScope()
    {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            m_dropped = seteuid(65534) == 0;
#endif
    }
    ~UnprivilegedScope()
    {
#ifdef Q_OS_UNIX
        if (m_dropped && seteuid(0) != 0)
            qFatal("cannot restore the effective user");
#endif
    }
    UnprivilegedScope(const UnprivilegedScope &) = delete;
    UnprivilegedScope &operator=(const UnprivilegedScope &) = delete;
    bool restricted() const
    {
#ifdef Q_OS_UNIX
        return geteuid() != 0;
#else
        return false;
#endif
    }

private:
    bool m_dropped = false;
};

} // namespace lgbatch::testing
