#pragma once

#include <QString>

namespace lgbatch::testing {

// Holds a file open the way another program does on Windows (Excel with a sheet it shows, a
// virus scanner with a new file): reading allowed, nobody may write, rename or replace it for
// as long as the scope lasts. Other systems keep no one off an open file: there the scope
// holds nothing, and tests that need it skip.
class HeldOpenFile
{
public:
    explicit HeldOpenFile(const QString &path);
    ~HeldOpenFile();
    HeldOpenFile(const HeldOpenFile &) = delete;
    HeldOpenFile &operator=(const HeldOpenFile &) = delete;

    bool holding() const { return m_handle != nullptr; }
    void release();

private:
    void *m_handle = nullptr;
};

} // namespace lgbatch::testing
