#pragma once

#include "ProgramDirectory.h"

#include "core/Console.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lgbatch::ScriptCommands {

// The commands a script runs without a window: "lgbatch check ..." and "lgbatch convert ...".
// They read, check and write with the window's own readers, rules and writers, and answer on
// the terminal with an exit status: 0 all is well (warnings allowed), 1 a row has an error, 2
// a file could not be read or written, or the command line is wrong.

// arguments[0] is the program; true when arguments[1] names a command.
bool isCommand(const QStringList &arguments);

// Where the program directory may be, given the folder named by --dir (if any).
using PlacesOf = std::function<ProgramDirectory::Places(const std::optional<QString> &named)>;
using Output = std::function<void(Console::Stream stream, const QString &text)>;

// Runs the command and answers its exit status; `today` dates a file when --date is not given.
int run(const QStringList &arguments, const PlacesOf &placesOf, const Output &output, QDate today);

} // namespace lgbatch::ScriptCommands
