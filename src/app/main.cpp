#include "core/ApplicationState.h"
#include "core/GbkCodec.h"
#include "ui/AppServices.h"
#include "ui/QtSeams.h"
#include "ui/frmChoose.h"
#include "workspace/InstanceLock.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lgbatch"));

    // The whole program speaks Simplified Chinese whatever the system's locale, Qt's own
    // buttons, dialogs and context menus included.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
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

    // Two copies in one folder would save their rosters over each other's: the first one holds
    // the folder until it ends, a later one says so and ends before anything is read.
    lgbatch::InstanceLock instanceLock(QApplication::applicationDirPath());
    if (instanceLock.acquire() == lgbatch::InstanceLock::State::HeldElsewhere) {
        prompter.warning(lgbatch::InstanceLock::runningMessage());
        return 1;
    }

    lgbatch::AppServices services{state, prompter,     fileChooser,
                                  clock, processEnder, QApplication::applicationDirPath()};
    lgbatch::frmChoose chooser(services);
    chooser.show();
    return app.exec();
}
