// The batch list at its largest (32,767 rows, the most its count can show) on the national
// branch table, through the list model with its view as the program holds them: importing
// and saving the batch file, recomputing the totals, and adding one row.

#include "BenchData.h"

#include "core/Amount.h"
#include "ui/BatchPage.h"
#include "ui/StatusPanels.h"
#include "workspace/BatchFiles.h"

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

namespace {

using namespace lgbatch;

constexpr int BatchRows = 32767;
constexpr int RosterRows = 20000;

class DecliningPrompter : public Prompter
{
public:
    void warning(const QString &text) override { warnings.append(text); }
    void information(const QString &) override {}
    void plain(const QString &) override {}
    Answer question(const QString &, Buttons) override { return Answer::No; }
    QStringList warnings;
};

class FixedDay : public Clock
{
public:
    QDate today() const override { return QDate(2024, 1, 5); }
};

// One corporate window's batch tab over the national tables, its list view shown.
struct BatchBench
{
    ApplicationState state;
    DecliningPrompter prompter;
    FixedDay clock;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<StatusPanels> status;
    std::unique_ptr<BatchPage> page;
    QTemporaryDir dir;

    BatchBench()
    {
        workspace = benchCorporateWorkspace(state);
        status = std::make_unique<StatusPanels>();
        page = std::make_unique<BatchPage>(*workspace, prompter, *status);
        page->frameInput()->fillBranchPickers();
        page->resize(1000, 700);
        page->show();
        workspace->CurrentBatchFileName = dir.filePath(QStringLiteral("batch.zpk"));
    }

    // Row i of the full list: a branch of the table, every fifth at the own bank.
    BatchPayment payment(int i) const
    {
        const BranchTable &branches = workspace->tables().BankCodeTable();
        BatchPayment p;
        p.PayerName = QStringLiteral("澜港贸易有限公司");
        p.PayerAccount = QStringLiteral("310000000000018");
        p.BeneName = QStringLiteral("收款人%1").arg(i);
        p.BeneAccount = QStringLiteral("62220202%1").arg(i, 11, 10, QLatin1Char('0'));
        p.BankName = i % 5 == 0 ? ownBankName() : branches[(i * 7) % branches.size()].Name;
        p.Amount = Amount::fromUnits((i % 3000 + 1) * 12345).toDisplayText();
        p.Emergency = i % 2 ? urgentMode() : nonUrgentMode();
        p.Remark = i % 2 ? QStringLiteral("%1月工程款").arg(i % 12 + 1) : QString();
        return p;
    }

    void fill(int rows)
    {
        BatchListModel &list = workspace->batchList();
        QList<RecordListModel::Row> all;
        all.reserve(rows);
        for (int i = 0; i < rows; ++i)
            all.append({list.rowTextsOf(payment(i)), RowState::Normal});
        list.replaceRows(std::move(all));
    }
};

BatchBench &bench()
{
    static BatchBench shared;
    return shared;
}

void BM_ImportZpk32767(benchmark::State &state)
{
    BatchBench &b = bench();
    b.fill(BatchRows);
    if (WriteBatchFile(*b.workspace, b.clock).warning) {
        state.SkipWithError("the batch file could not be written");
        return;
    }
    for (auto _ : state) {
        const BatchFileOutcome read = ReadBatchFile(*b.workspace, b.workspace->CurrentBatchFileName, true);
        if (read.rowsRead != BatchRows || read.warning) {
            state.SkipWithError("the batch file did not read back");
            break;
        }
    }
}
BENCHMARK(BM_ImportZpk32767)->Unit(benchmark::kMillisecond);

void BM_SaveZpk32767(benchmark::State &state)
{
    BatchBench &b = bench();
    b.fill(BatchRows);
    for (auto _ : state) {
        if (WriteBatchFile(*b.workspace, b.clock).warning) {
            state.SkipWithError("the batch file could not be written");
            break;
        }
    }
}
BENCHMARK(BM_SaveZpk32767)->Unit(benchmark::kMillisecond);

void BM_RefreshBatchTotals32767(benchmark::State &state)
{
    BatchBench &b = bench();
    b.fill(BatchRows);
    for (auto _ : state)
        b.page->RefreshBatchTotals();
    if (b.status->countText() != QString::number(BatchRows) || !b.prompter.warnings.isEmpty())
        state.SkipWithError("the totals were not shown");
}
BENCHMARK(BM_RefreshBatchTotals32767)->Unit(benchmark::kMillisecond);

// AddBatchRow of the 32,767th row, as 增加 and the readers append.
void BM_AddBatchRowToFullList(benchmark::State &state)
{
    BatchBench &b = bench();
    b.fill(BatchRows - 1);
    BatchListModel &list = b.workspace->batchList();
    const BatchPayment added = b.payment(BatchRows);
    for (auto _ : state) {
        list.AddBatchRow(added);
        state.PauseTiming();
        list.removeRowNumbers({BatchRows});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddBatchRowToFullList)->Unit(benchmark::kMicrosecond);

// The whole 增加 command on a full list: validation, the row, the totals, and the search of a
// 20,000-row beneficiary roster that does not hold the payee (the offer is declined).
void BM_AddCommandToFullList(benchmark::State &state)
{
    BatchBench &b = bench();
    b.fill(BatchRows - 1);
    BeneficiaryListModel &roster = b.workspace->beneRoster();
    for (int i = 0; i < RosterRows; ++i) {
        const BatchPayment p = b.payment(i);
        roster.AddBeneficiary({p.BeneName, p.BeneAccount, p.BankName, {}, p.Remark});
    }
    AddPayer(b.workspace->payerRoster(), {b.payment(0).PayerName, b.payment(0).PayerAccount});
    BatchInputPanel *panel = b.page->frameInput();
    const BatchPayment added = b.payment(BatchRows);
    for (auto _ : state) {
        state.PauseTiming();
        panel->findChild<QComboBox *>(QStringLiteral("cbPayerName"))->setEditText(added.PayerName);
        panel->findChild<QComboBox *>(QStringLiteral("cbPayerAccount"))->setEditText(added.PayerAccount);
        panel->findChild<QComboBox *>(QStringLiteral("cbBeneName"))->setEditText(QStringLiteral("新收款人"));
        panel->findChild<QComboBox *>(QStringLiteral("cbBeneAccount"))
            ->setEditText(QStringLiteral("6228480012345678"));
        panel->findChild<QRadioButton *>(QStringLiteral("optYes"))->setChecked(true);
        panel->findChild<QLineEdit *>(QStringLiteral("txtAmount"))->setText(QStringLiteral("100.00"));
        panel->findChild<QComboBox *>(QStringLiteral("cbEmergency"))->setCurrentIndex(0);
        state.ResumeTiming();
        b.page->addButton()->click();
        state.PauseTiming();
        if (b.workspace->batchList().count() != BatchRows) {
            state.SkipWithError("the row was not added");
            break;
        }
        b.workspace->batchList().removeRowNumbers({BatchRows});
        state.ResumeTiming();
    }
    roster.clear();
    b.workspace->payerRoster().clear();
}
BENCHMARK(BM_AddCommandToFullList)->Unit(benchmark::kMillisecond);

} // namespace
