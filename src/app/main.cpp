#include "core/ApplicationState.h"
#include "core/Console.h"
#include "core/GbkCodec.h"
#include "ui/AppServices.h"
#include "ui/ProgramDirSetup.h"
#include "ui/QtSeams.h"
#include "ui/frmChoose.h"
#include "workspace/InstanceLock.h"
#include "workspace/ScriptCommands.h"

#include <QApplication>
#include <QDate>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("lgbatch"));
    const QStringList arguments = lgbatch::argumentsOf(argc, argv);
    // check and convert serve scripts: no display, no window, only the core application.
    if (lgbatch::ScriptCommands::isCommand(arguments)) {
        QCoreApplication app(argc, argv);
        const auto placesOf = [](const std::optional<QString> &named) {
            lgbatch::StartOptions options;
            options.programDir = named;
            return lgbatch::placesOfThisRun(options);
        };
        return lgbatch::ScriptCommands::run(arguments, placesOf, &lgbatch::Console::write,
                                            QDate::currentDate());
    }
    // Before the application object: --help, --version and a mistake of the command line must
    // be answered without a display.
    if (const std::optional<int> answered = lgbatch::answerOnTerminal(arguments))
        return *answered;

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("cn.langgangbank.lgbatch"));

    // The whole program speaks Simplified Chinese whatever the system's locale, Qt's own
    // buttons, dialogs and context menus included.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // Qt's own texts lie where Qt was installed, or beside the program that brings its Qt along.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                          QCoreApplication::applicationDirPath() + QStringLiteral("/translations")))
        QApplication::installTranslator(&qtTranslator);

    lgbatch::ApplicationState state;
    lgbatch::QtPrompter prompter(state);
    lgbatch::QtFileChooser fileChooser;
    lgbatch::SystemClock clock;
    lgbatch::QtProcessEnder processEnder;

    // Every data file is GBK: without a converter nothing could be read or written safely.
    if (!lgbatch::GbkCodec::isAvailable()) {
        prompter.warning(QStringLiteral("系统缺少GBK字符集转换，无法读写数据文件，系统将会关闭！"));
        return 1;
    }

    const std::optional<QString> programDir = lgbatch::setUpProgramDir(QApplication::arguments(), prompter);
    if (!programDir)
        return 1;

    // Two copies in one folder would save their rosters over each other's: the first one holds
    // the folder until it ends, a later one says so and ends before anything is read.
    lgbatch::InstanceLock instanceLock(*programDir);
    if (instanceLock.acquire() == lgbatch::InstanceLock::State::HeldElsewhere) {
        prompter.warning(lgbatch::InstanceLock::runningMessage());
        return 1;
    }

    lgbatch::AppServices services{state, prompter, fileChooser, clock, processEnder, *programDir};
    lgbatch::frmChoose chooser(services);
    chooser.show();
    return app.exec();
}
