#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lgbatch {

// Replaces several files as one. Each new content is first written to a temporary file beside
// its target; only when all are written are they put in place, the files they replace moved
// aside until the end. A failure at any point puts back what was there, so that a reader never
// finds a new file beside an old partner, and the temporaries of an abandoned transaction are
// removed. A file already in place keeps its permissions; a symbolic link is written through.
class FileTransaction
{
public:
    FileTransaction() = default;
    FileTransaction(const FileTransaction &) = delete;
    FileTransaction &operator=(const FileTransaction &) = delete;
    ~FileTransaction();

    // Writes the new content of `target` to a temporary beside it. Errors carry the system's
    // text; a target that is a directory is refused before anything is written.
    Status stage(const QString &target, const QByteArray &bytes);
    // Where the content staged `index`-th lies until the commit, to check it as written.
    QString stagedPath(qsizetype index) const { return m_entries.at(index).staged; }
    // Puts every staged file in place, in the order staged, or none of them. Once only.
    Status commit();

private:
    struct Entry
    {
        QString target;
        QString staged;
        QString backup;
        bool placed = false;
    };
    void rollBack();
    void removeStaged();

    QList<Entry> m_entries;
};

} // namespace lgbatch
