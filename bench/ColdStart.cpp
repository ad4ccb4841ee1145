// Start-up as a user meets it: every figure is taken in a fresh process, whose memory has
// never been touched, so the first touch of every page is part of what is measured.
//
// Without arguments this program is the driver: it starts itself once per run (nine runs per
// figure) and prints the medians. With `--run MODE ARG` it is one run and prints one line,
// "<milliseconds> <peak KiB> <kept KiB>", for the driver to read.
//
//   load DIR     the four reference tables of DIR, as the main window loads them
//   decode FILE  reading FILE and decoding it from GBK, nothing more: the floor of any load
//   window DIR   the corporate edition button of the real chooser pressed, until the main
//                window over DIR's tables has been painted

#include "core/GbkCodec.h"
#include "refdata/TableLoaders.h"
#include "ui/AppServices.h"
#include "ui/frmChoose.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

using namespace lgbatch;

constexpr int Runs = 9;

[[noreturn]] void die(const QString &message)
{
    std::fprintf(stderr, "lgbatch_coldstart: %s\n", qUtf8Printable(message));
    std::exit(1);
}

// Resident memory now, and the most the process has ever had, in KiB (0 where unknown).
qint64 residentKiB()
{
#ifdef Q_OS_LINUX
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
#else
    return 0;
#endif
}

qint64 peakResidentKiB()
{
#ifdef Q_OS_LINUX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return 0;
#endif
}

class SilentPrompter : public Prompter
{
public:
    void warning(const QString &text) override { die(text); }
    void information(const QString &) override {}
    void plain(const QString &) override {}
    Answer question(const QString &, Buttons) override { return Answer::No; }
};

class NoFileChooser : public FileChooser
{
public:
    std::optional<QString> openFile(const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &) override { return std::nullopt; }
};

class TodayClock : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
};

class FailingEnder : public ProcessEnder
{
public:
    void endProcess(int) override { die(QStringLiteral("the program would end here")); }
};

// The time from the press to the first paint of the main window.
qint64 timeEditionButtonToMainWindow(const QString &dir)
{
    ApplicationState state;
    SilentPrompter prompter;
    NoFileChooser fileChooser;
    TodayClock clock;
    FailingEnder ender;
    AppServices services{state, prompter, fileChooser, clock, ender, dir};
    frmChoose chooser(services);
    chooser.show();
    QCoreApplication::processEvents();
    auto *button = chooser.findChild<QPushButton *>(QStringLiteral("cmdCoporate"));
    if (!button)
        die(QStringLiteral("the chooser has no corporate edition button"));

    struct PaintWatch : QObject
    {
        qint64 paintedAt = -1;
        QElapsedTimer *timer = nullptr;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (paintedAt < 0 && event->type() == QEvent::Paint && watched->isWidgetType() &&
                qobject_cast<frmDirectCreditInput *>(static_cast<QWidget *>(watched)->window())) {
                paintedAt = timer->nsecsElapsed();
                QCoreApplication::exit(0);
            }
            return false;
        }
    } watch;
    QElapsedTimer timer;
    watch.timer = &timer;
    qApp->installEventFilter(&watch);
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    timer.start();
    button->click();
    if (!chooser.mainWindow())
        die(QStringLiteral("no main window was opened"));
    if (watch.paintedAt < 0 && QCoreApplication::exec() != 0)
        die(QStringLiteral("the main window was never painted"));
    qApp->removeEventFilter(&watch);
    return watch.paintedAt;
}

// One run; prints "<ms> <peak KiB> <kept KiB>".
int runOnce(const QString &mode, const QString &arg)
{
    const qint64 before = residentKiB();
    QElapsedTimer timer;
    qint64 nsecs = 0;
    if (mode == QLatin1String("load")) {
        timer.start();
        const Result<ReferenceTables> tables = loadReferenceTables(arg);
        nsecs = timer.nsecsElapsed();
        if (!tables)
            die(tables.error());
        std::printf("%.2f %lld %lld\n", double(nsecs) / 1e6, peakResidentKiB() - before,
                    residentKiB() - before);
        return 0;
    }
    if (mode == QLatin1String("decode")) {
        timer.start();
        QFile file(arg);
        if (!file.open(QIODevice::ReadOnly))
            die(file.errorString());
        const QByteArray bytes = file.readAll();
        const Result<QString> text = GbkCodec::decode(bytes);
        nsecs = timer.nsecsElapsed();
        if (!text)
            die(text.error());
        std::printf("%.2f %lld %lld\n", double(nsecs) / 1e6, peakResidentKiB() - before,
                    residentKiB() - before);
        return 0;
    }
    if (mode == QLatin1String("window")) {
        nsecs = timeEditionButtonToMainWindow(arg);
        std::printf("%.2f %lld %lld\n", double(nsecs) / 1e6, peakResidentKiB() - before,
                    residentKiB() - before);
        return 0;
    }
    die(QStringLiteral("unknown mode %1").arg(mode));
}

struct Figures
{
    double ms = 0;
    qint64 peakKiB = 0;
    qint64 keptKiB = 0;
};

template <typename T> T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Figures medianOfRuns(const QString &mode, const QString &arg)
{
    QList<double> ms;
    QList<qint64> peak;
    QList<qint64> kept;
    for (int run = 0; run < Runs; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--run"), mode, arg});
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit ||
            child.exitCode() != 0) {
            // Only a failed run's own words are worth showing; Qt's chatter is not.
            std::fputs(child.readAllStandardError().constData(), stderr);
            die(QStringLiteral("a %1 run failed").arg(mode));
        }
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 3)
            die(QStringLiteral("a %1 run printed no figures").arg(mode));
        ms.append(fields[0].toDouble());
        peak.append(fields[1].toLongLong());
        kept.append(fields[2].toLongLong());
    }
    return {median(ms), median(peak), median(kept)};
}

QString nationalProgramDir(QTemporaryDir &dir)
{
    const QString sample = QString::fromUtf8(LGBATCH_BENCH_SAMPLE_DIR);
    for (TableKind kind : {TableKind::BankType, TableKind::State, TableKind::City}) {
        const QString name = tableFileName(kind);
        if (!QFile::copy(sample + QLatin1Char('/') + name, dir.filePath(name)))
            die(QStringLiteral("cannot copy %1 into %2").arg(name, dir.path()));
    }
    if (!QFile::copy(QString::fromUtf8(LGBATCH_BENCH_BRANCH_TABLE),
                     dir.filePath(QStringLiteral("BankCode.xml"))))
        die(QStringLiteral("cannot copy the national branch table into %1").arg(dir.path()));
    return dir.path();
}

int drive()
{
    QTemporaryDir dir;
    if (!dir.isValid())
        die(QStringLiteral("cannot create a temporary directory"));
    const QString national = nationalProgramDir(dir);
    const QString branchFile = national + QStringLiteral("/BankCode.xml");
    const QString sample = QString::fromUtf8(LGBATCH_BENCH_SAMPLE_DIR);
    const double fileKiB = double(QFile(branchFile).size()) / 1024;

    std::printf("Cold start, fresh process per run, median of %d runs; branch table %.0f KiB\n", Runs,
                fileKiB);
    std::printf("%-44s %10s %12s %12s\n", "", "ms", "peak KiB", "kept KiB");
    const auto row = [](const char *what, const Figures &f) {
        std::printf("%-44s %10.1f %12lld %12lld\n", what, f.ms, f.peakKiB, f.keptKiB);
        std::fflush(stdout);
    };
    const Figures decode = medianOfRuns(QStringLiteral("decode"), branchFile);
    row("read + GBK decode of the branch table", decode);
    const Figures load = medianOfRuns(QStringLiteral("load"), national);
    row("load of the four tables (national branches)", load);
    row("edition button to main window, sample", medianOfRuns(QStringLiteral("window"), sample));
    row("edition button to main window, national", medianOfRuns(QStringLiteral("window"), national));
    std::printf("load / (read + decode): %.2f; load peak / file size: %.2f\n", load.ms / decode.ms,
                double(load.peakKiB) / fileKiB);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // The windows need widgets but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The program checks its GBK map before the chooser is shown: that first use of it is
    // not part of any figure here either.
    if (!GbkCodec::isAvailable())
        die(QStringLiteral("the built-in GBK map does not convert"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--run"))
        return runOnce(args[2], args[3]);
    if (args.size() != 1)
        die(QStringLiteral("usage: lgbatch_coldstart [--run load|decode|window PATH]"));
    return drive();
}
