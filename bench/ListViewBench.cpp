// A click on a column header of a full list: the rows themselves re-ordered by the column's
// text under the Chinese collation, and the shown view brought up to date. And the filter
// above a full list: each keystroke, from the typed text to the view drawn again.

#include "core/PinyinInitialsTable.h"
#include "entry/PaymentLists.h"
#include "ui/RecordListView.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

using namespace lgbatch;

constexpr int ListRows = 32767;

struct ShownPayrollList
{
    PayrollListModel payroll;
    RecordListView view{payroll, QStringLiteral("lstPayroll")};

    ShownPayrollList()
    {
        static const QString surnames = QStringLiteral("张王李赵钱孙周吴郑冯陈褚卫蒋沈韩杨");
        QList<RecordListModel::Row> rows;
        rows.reserve(ListRows);
        for (int i = 0; i < ListRows; ++i) {
            // Scattered, so that no sort finds the rows already in order.
            const int n = int((i * 7919LL) % ListRows);
            rows.append({PayrollListModel::rowTextsOf(
                {surnames.at(n % surnames.size()) + QString::number(n),
                 QStringLiteral("6222%1").arg(n, 12, 10, QLatin1Char('0')),
                 QStringLiteral("%1.%2").arg(n % 5000).arg(n % 100, 2, 10, QLatin1Char('0')),
                 {}})});
        }
        payroll.appendRows(std::move(rows));
        view.resize(800, 600);
        view.show();
        QCoreApplication::processEvents();
    }
};

// Each iteration is one header click; every click flips the direction, so the rows are never
// in the order the click asks for.
void headerClick(benchmark::State &state, int columnHeader)
{
    ShownPayrollList list;
    for (auto _ : state) {
        list.view.ColumnClick(columnHeader);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * ListRows);
}

void BM_SortListByName32767(benchmark::State &state)
{
    headerClick(state, 1);
}
BENCHMARK(BM_SortListByName32767)->Unit(benchmark::kMillisecond);

void BM_SortListByAmount32767(benchmark::State &state)
{
    headerClick(state, PayrollListModel::AmountColumn + 1);
}
BENCHMARK(BM_SortListByAmount32767)->Unit(benchmark::kMillisecond);

// One iteration types the text a letter at a time and then empties the field, as a user
// looking for one name does; the figure per keystroke is the time divided by the keystrokes.
void typeIntoFilter(benchmark::State &state, const QString &text)
{
    ShownPayrollList list;
    for (auto _ : state) {
        for (qsizetype typed = 1; typed <= text.size(); ++typed) {
            list.view.setFilterText(text.left(typed));
            QCoreApplication::processEvents();
        }
        list.view.setFilterText({});
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * (text.size() + 1));
    state.counters["s_per_keystroke"] =
        benchmark::Counter(double(text.size() + 1) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["table_bytes"] = double(PinyinInitialsTable::tableBytes);
}

// Pinyin initials: "z" lets a sixteenth of the rows through (the 张 of the surnames), "zh"
// and "zha" narrow them.
void BM_FilterByInitials32767(benchmark::State &state)
{
    typeIntoFilter(state, QStringLiteral("zha"));
}
BENCHMARK(BM_FilterByInitials32767)->Unit(benchmark::kMillisecond)->UseRealTime();

// Digits of an account: "6" is in every row, then fewer and fewer.
void BM_FilterByAccount32767(benchmark::State &state)
{
    typeIntoFilter(state, QStringLiteral("62220000123"));
}
BENCHMARK(BM_FilterByAccount32767)->Unit(benchmark::kMillisecond)->UseRealTime();

// The slowest keystrokes alone: the first letter, which looks at every row (initials as well),
// and emptying the field, which brings every row back.
void BM_FilterFirstLetter32767(benchmark::State &state)
{
    ShownPayrollList list;
    for (auto _ : state) {
        list.view.setFilterText(QStringLiteral("z"));
        QCoreApplication::processEvents();
        state.PauseTiming();
        list.view.setFilterText({});
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FilterFirstLetter32767)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FilterEmptied32767(benchmark::State &state)
{
    ShownPayrollList list;
    for (auto _ : state) {
        state.PauseTiming();
        list.view.setFilterText(QStringLiteral("z"));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        list.view.setFilterText({});
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_FilterEmptied32767)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
