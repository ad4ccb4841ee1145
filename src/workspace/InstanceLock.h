#pragma once

#include <QLockFile>
#include <QString>

namespace lgbatch {

// Two copies of the program started from one folder would each save the rosters of that folder
// over the other's. The first copy holds a lock file there for as long as it runs; a second one
// is to tell the user and end. A lock left behind by a copy that ended without releasing it (a
// crash, a power cut) is taken over without a word.
class InstanceLock
{
public:
    enum class State
    {
        Held,          // this copy holds the lock until it ends
        HeldElsewhere, // another running copy holds it
        Unavailable    // the folder takes no lock file (read-only): nothing can be saved there either
    };

    explicit InstanceLock(const QString &programDir);

    // One attempt, without waiting.
    State acquire();

    static QString lockFileName();   // "lgbatch.lock"
    static QString runningMessage(); // what the second copy tells the user

private:
    QLockFile m_lock;
};

} // namespace lgbatch
