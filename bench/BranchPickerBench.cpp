// The branch picker's two heaviest steps on the national table, through the real widgets.

#include "BenchData.h"

#include "ui/BranchPicker.h"

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QWidget>

namespace {

using namespace lgbatch;

// Every question is answered No, so the picker's state stays as the benchmark set it.
class DecliningPrompter : public Prompter
{
public:
    void warning(const QString &) override {}
    void information(const QString &) override {}
    void plain(const QString &) override {}
    Answer question(const QString &, Buttons) override
    {
        ++questions;
        return Answer::No;
    }
    int questions = 0;
};

struct PickerBench
{
    QWidget panel;
    QLineEdit remark{&panel};
    DecliningPrompter prompter;
    BranchPicker picker{
        benchTables(), prompter, {QString(), BranchPicker::RedirectNoteRemoval::OnBranchPick}, &panel};

    PickerBench()
    {
        auto *form = new QFormLayout(&panel);
        picker.addRowsTo(form);
        picker.setRemarkBox(&remark);
        picker.fillFromTables();
    }

    // Province, city and bank of the largest prefix (中国工商银行 in 北京市).
    void pickLargestPrefix()
    {
        picker.cbState()->setCurrentIndex(picker.cbState()->findText(QStringLiteral("北京市")));
        picker.cbCity()->setCurrentIndex(picker.cbCity()->findText(QStringLiteral("北京市")));
        picker.cbBankType()->setCurrentIndex(picker.cbBankType()->findText(QStringLiteral("中国工商银行")));
    }
};

void BM_FillBankListLargestPrefix(benchmark::State &state)
{
    PickerBench bench;
    bench.pickLargestPrefix();
    for (auto _ : state)
        bench.picker.FillBankList();
    state.counters["branches"] = double(bench.picker.cbBank()->count());
    if (bench.picker.cbBank()->count() < 1000)
        state.SkipWithError("the largest prefix was not picked");
}
BENCHMARK(BM_FillBankListLargestPrefix)->Unit(benchmark::kMillisecond);

// A branch name that is not in the table: the guess from its words finds the superior
// branch and asks (answered No).
void BM_FindBankSuperiorByGuess(benchmark::State &state)
{
    PickerBench bench;
    bench.picker.cbBank()->setEditText(QStringLiteral("中国工商银行北京市某某新开支行"));
    for (auto _ : state)
        bench.picker.FindBank();
    if (bench.prompter.questions == 0)
        state.SkipWithError("no superior branch was offered");
}
BENCHMARK(BM_FindBankSuperiorByGuess)->Unit(benchmark::kMicrosecond);

// Nothing guessable in the name: every city and bank name is tried before the picked
// prefix gives the superior branch.
void BM_FindBankSuperiorByPickers(benchmark::State &state)
{
    PickerBench bench;
    bench.pickLargestPrefix();
    bench.picker.cbBank()->setEditText(QStringLiteral("第九十九储蓄所"));
    for (auto _ : state)
        bench.picker.FindBank();
    if (bench.prompter.questions == 0)
        state.SkipWithError("no superior branch was offered");
}
BENCHMARK(BM_FindBankSuperiorByPickers)->Unit(benchmark::kMicrosecond);

} // namespace
