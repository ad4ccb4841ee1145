#include "ProgramDirSetup.h"

#include "core/BuildInfo.h"
#include "core/CommandLine.h"
#include "core/Console.h"
#include "core/FieldText.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace lgbatch {

namespace {

QString perUserDir()
{
    // ~/.local/share/lgbatch on Linux; on Windows the machine's own %LOCALAPPDATA%\lgbatch, not
    // the roaming profile that would carry the rosters from one computer to another.
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

} // namespace

QStringList argumentsOf(int argc, char *argv[])
{
    return Console::arguments(argc, argv);
}

std::optional<int> answerOnTerminal(const QStringList &arguments)
{
    // Judged before the application object exists: without a display it could not be made,
    // and a script must still learn what was wrong with its line.
    const StartOptions options = CommandLine::parse(CommandLine::withoutToolkitOptions(arguments));
    if (options.help) {
        Console::write(Console::Stream::Output,
                       CommandLine::helpText(QDir::toNativeSeparators(perUserDir())));
        return 0;
    }
    if (options.version) {
        Console::write(Console::Stream::Output, CommandLine::versionText());
        return 0;
    }
    if (!options.error.isEmpty()) {
        Console::write(Console::Stream::Error, options.error + QLatin1Char('\n') + CommandLine::helpHint());
        return 1;
    }
    return std::nullopt;
}

ProgramDirectory::Places placesOfThisRun(const StartOptions &options)
{
    const QString executableDir = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(executableDir + QLatin1Char('/') +
                                              QLatin1StringView(BuildInfo::ShippedTablesFromExecutable));
    // A read-only portable copy shared by several users hands its tables to each of them.
    return {options.programDir, executableDir, perUserDir(), {installed, executableDir}};
}

std::optional<QString> setUpProgramDir(const QStringList &arguments, Prompter &prompter)
{
    const StartOptions options = CommandLine::parse(arguments);
    if (!options.error.isEmpty()) {
        Console::write(Console::Stream::Error, options.error + QLatin1Char('\n') + CommandLine::helpHint());
        return std::nullopt;
    }
    return setUpProgramDir(placesOfThisRun(options), prompter);
}

std::optional<QString> setUpProgramDir(const ProgramDirectory::Places &places, Prompter &prompter)
{
    const Result<ProgramDirectory::Plan> plan = ProgramDirectory::choose(places);
    if (!plan) {
        prompter.warning(plan.error());
        return std::nullopt;
    }
    if (const Status prepared = ProgramDirectory::prepare(*plan); !prepared) {
        prompter.warning(QStringLiteral("无法准备程序目录 %1！").arg(QDir::toNativeSeparators(plan->dir)) +
                         ErrorMessage::ofReader(prepared.errorInfo()));
        return std::nullopt;
    }
    if (plan->offerShippedTable) {
        // The tables are read after this, so the new one is in use at once: no restart to ask for.
        const QString question = QStringLiteral("随程序安装了新的支付系统行号表。\n确定更新支付系统行号表？");
        if (prompter.question(question, Prompter::Buttons::YesNo) == Prompter::Answer::Yes) {
            if (const Status taken = ProgramDirectory::takeShippedTable(*plan); taken)
                prompter.information(QStringLiteral("支付系统行号表更新完成!"));
            else
                prompter.warning(branchTableUpdateFailure(taken));
        } else if (const Status declined = ProgramDirectory::declineShippedTable(*plan); !declined) {
            prompter.warning(ErrorMessage::ofWriter(declined.errorInfo()));
        }
    }
    return plan->dir;
}

QString branchTableUpdateFailure(const Status &failure)
{
    // A refusal of the program's own carries no number of the system.
    return failure.errorNumber() != 0
               ? ErrorMessage::ofCommand(failure.errorInfo())
               : QStringLiteral("更新失败!【") + failure.error() + QStringLiteral("】");
}

} // namespace lgbatch
