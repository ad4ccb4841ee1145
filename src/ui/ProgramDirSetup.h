#pragma once

#include "core/CommandLine.h"
#include "core/Result.h"
#include "core/Seams.h"
#include "workspace/ProgramDirectory.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lgbatch {

// The command line's own arguments, before the toolkit has taken its options out.
QStringList argumentsOf(int argc, char *argv[]);

// --help and --version print their answer, and a mistake of the command line its text and
// the hint, and give the exit code; they need no window and no display. Anything else is left
// to the start.
std::optional<int> answerOnTerminal(const QStringList &arguments);

// Where this run's program directory may be: the folder named by --dir, the executable's, the
// user's own, the tables installed with the program.
ProgramDirectory::Places placesOfThisRun(const StartOptions &options);

// Finds the program directory and makes it ready for the tables: a mistake of the command line
// is printed on the terminal, anything else shown in a message box; a newer installed branch
// table is offered as the 更新 command offers one. Empty when the program cannot start.
std::optional<QString> setUpProgramDir(const QStringList &arguments, Prompter &prompter);
std::optional<QString> setUpProgramDir(const ProgramDirectory::Places &places, Prompter &prompter);

// The message of a branch table that could not be put in place: the program's own refusals
// read "更新失败!【...】", failures of the system "错误 【number text】".
QString branchTableUpdateFailure(const Status &failure);

} // namespace lgbatch
