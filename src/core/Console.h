#pragma once

#include <QString>
#include <QStringList>

namespace lgbatch::Console {

enum class Stream
{
    Output,
    Error
};

// Writes text to the program's standard output or error so that Chinese reads right wherever it
// goes. On Windows the program is a window program: started from a console it borrows its
// parent's, writes to a console as text and to a file or pipe as UTF-8. Elsewhere the text goes
// out in the locale's encoding, as any terminal program's.
void write(Stream stream, const QString &text);

// The program's command line as the user typed it, before the application object exists. On
// Windows argv is in the system's 8-bit code page, which cannot hold every folder name (Chinese
// on a system of another language): there the line is taken from the system as it was typed.
QStringList arguments(int argc, char *argv[]);

} // namespace lgbatch::Console
