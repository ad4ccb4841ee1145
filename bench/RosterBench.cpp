// The beneficiary roster at 20,000 rows through the real main window, on the national branch
// table: loading bene.xml as the load step and the import do it (list, red rows, the batch
// panel's pickers), and adding one beneficiary on the roster tab.

#include "BenchData.h"
#include "ScriptedSeams.h"

#include "files/RosterFiles.h"
#include "ui/AppServices.h"
#include "ui/BatchInputPanel.h"
#include "ui/RosterPages.h"
#include "ui/frmDirectCreditInput.h"
#include "workspace/RosterFileCommands.h"

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

namespace {

using namespace lgbatch;

constexpr int RosterRows = 20000;

// Half the beneficiaries at the own bank, half at branches spread over the whole branch
// table; every name and account its own, so that the pickers are as long as the roster.
QByteArray beneFile()
{
    const BranchTable &branches = benchTables().BankCodeTable();
    QList<Beneficiary> rows;
    rows.reserve(RosterRows);
    for (int i = 0; i < RosterRows; ++i) {
        Beneficiary b;
        b.BeneName = QStringLiteral("张某%1").arg(i);
        b.BeneAccount = QStringLiteral("62220202%1").arg(i, 11, 10, QLatin1Char('0'));
        b.BankName = i % 2 ? ownBankName() : branches[(qsizetype(i) * 9973) % branches.size()].Name;
        b.Remark = i % 3 ? QString() : QStringLiteral("%1月货款").arg(i % 12 + 1);
        rows.append(b);
    }
    const Result<QByteArray> bytes = RosterFiles::writeBeneficiaries(rows);
    return bytes ? bytes.value() : QByteArray();
}

// The program directory with the national tables and the roster, and the main window after
// its load step.
struct WindowBench
{
    QTemporaryDir dir;
    ApplicationState state;
    testing::ScriptedPrompter prompter;
    testing::ScriptedFileChooser fileChooser;
    testing::FixedClock clock;
    testing::RecordingProcessEnder processEnder;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<frmDirectCreditInput> window;

    bool open()
    {
        const QDir tables(benchProgramDir());
        for (const QString &name : tables.entryList(QDir::Files)) {
            if (!QFile::copy(tables.filePath(name), dir.filePath(name)))
                return false;
        }
        QFile roster(dir.filePath(QStringLiteral("bene.xml")));
        if (!roster.open(QIODevice::WriteOnly) || roster.write(beneFile()) <= 0)
            return false;
        roster.close();
        state.chooseEdition(Edition::Corporate);
        services = std::make_unique<AppServices>(
            AppServices{state, prompter, fileChooser, clock, processEnder, dir.path()});
        window = std::make_unique<frmDirectCreditInput>(*services);
        return window->Form_Load() && prompter.shown().isEmpty() &&
               window->workspace().beneRoster().count() == RosterRows;
    }
};

void BM_LoadBeneRoster20000(benchmark::State &state)
{
    WindowBench bench;
    if (!bench.open()) {
        state.SkipWithError("the window did not load the roster");
        return;
    }
    Workspace &ws = bench.window->workspace();
    RosterFileRead read;
    for (auto _ : state)
        read = readRosterFile(ws, Workspace::List::BeneRoster, true);
    const QComboBox *names = bench.window->frameInput()->findChild<QComboBox *>(QStringLiteral("cbBeneName"));
    if (read.message || ws.beneRoster().count() != RosterRows || names->count() != RosterRows)
        state.SkipWithError("the roster or its pickers did not load whole");
    state.counters["rows"] = double(read.rowsRead);
    state.counters["red"] = double(read.rowsPaintedRed);
}
BENCHMARK(BM_LoadBeneRoster20000)->Unit(benchmark::kMillisecond);

// 增加 on the roster tab: validation, the duplicate test over every row, the append and the
// batch panel's pickers taking the new name up. The row goes again between iterations, out of
// the timing, so that every add meets 20,000 rows.
void BM_AddBeneficiaryTo20000(benchmark::State &state)
{
    WindowBench bench;
    if (!bench.open()) {
        state.SkipWithError("the window did not load the roster");
        return;
    }
    frmDirectCreditInput &window = *bench.window;
    window.tabInput()->setCurrentIndex(int(Workspace::List::BeneRoster));
    BeneInputPanel *panel = window.frameBeneInput();
    BeneficiaryListModel &roster = window.workspace().beneRoster();
    QPushButton *add = window.beneRosterPage()->addButton();
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        panel->findChild<QRadioButton *>(QStringLiteral("optYes2"))->setChecked(true);
        panel->findChild<QLineEdit *>(QStringLiteral("txtBeneName"))
            ->setText(QStringLiteral("新收款人%1").arg(++serial));
        panel->findChild<QLineEdit *>(QStringLiteral("txtBeneAccount"))
            ->setText(QStringLiteral("6222020299998888"));
        state.ResumeTiming();

        add->click();

        state.PauseTiming();
        const bool added = roster.count() == RosterRows + 1;
        roster.removeRowNumbers({roster.count()});
        state.ResumeTiming();
        if (!added) {
            state.SkipWithError("the beneficiary was not added");
            break;
        }
    }
    if (window.frameInput()->findChild<QComboBox *>(QStringLiteral("cbBeneName"))->count() != RosterRows ||
        !bench.prompter.shown().isEmpty())
        state.SkipWithError("the pickers did not follow the roster");
}
BENCHMARK(BM_AddBeneficiaryTo20000)->Unit(benchmark::kMillisecond);

} // namespace
