// A click on a column header of a full list: the rows themselves re-ordered by the column's
// text under the Chinese collation, and the shown view brought up to date.

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

} // namespace
