#pragma once

#include <QtGlobal>

#include <unistd.h>

namespace lgbatch::testing {

// Permissions do not stop root; for the length of a failing write the test acts as "nobody".
class UnprivilegedScope
{
public:
    UnprivilegedScope()
    {
        if (geteuid() == 0)
            m_dropped = seteuid(65534) == 0;
    }
    ~UnprivilegedScope()
    {
        if (m_dropped && seteuid(0) != 0)
            qFatal("cannot restore the effective user");
    }
    UnprivilegedScope(const UnprivilegedScope &) = delete;
    UnprivilegedScope &operator=(const UnprivilegedScope &) = delete;
    bool restricted() const { return geteuid() != 0; }

private:
    bool m_dropped = false;
};

} // namespace lgbatch::testing
