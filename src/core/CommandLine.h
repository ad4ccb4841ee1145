#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace lgbatch {

// What the command line asks of a run. The program knows three options: "--dir PATH" (also
// "--dir=PATH"), "-h"/"--help" and "-v"/"--version".
struct StartOptions
{
    bool help = false;
    bool version = false;
    std::optional<QString> programDir; // as typed; relative to the working directory
    QString error;                     // the first mistake found; empty when the line is sound
};

namespace CommandLine {

// arguments[0] is the program itself. The toolkit's own options (-platform, -style ...) must
// have been taken out before, or they count as unknown.
StartOptions parse(const QStringList &arguments);

// The arguments without the options the toolkit takes for itself (-platform NAME, --style=NAME,
// -reverse ...), as the application object would leave them, so that the line can be judged
// before there is one, and without a display.
QStringList withoutToolkitOptions(const QStringList &arguments);

// What --help prints; perUserDir is the folder a user gets when no other program directory is
// found.
QString helpText(const QString &perUserDir);
QString versionText();
// The line that follows a mistake of the command line.
QString helpHint();

} // namespace CommandLine
} // namespace lgbatch
