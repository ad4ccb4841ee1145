#include "SheetRepeats.h"

#include "core/Amount.h"

#include <QHash>
#include <QStringList>

namespace lgbatch {

namespace {

// The repeats the question names one by one; the rest are counted.
constexpr qsizetype NamedRepeats = 5;

// What makes two payments the same: the account, and the amount in units when it counts.
struct Payment
{
    QString account;
    qint64 units = 0;

    bool operator==(const Payment &) const = default;
};

size_t qHash(const Payment &payment, size_t seed = 0)
{
    return qHashMulti(seed, payment.account, payment.units);
}

struct PaymentKey
{
    int accountColumn = 0;
    int amountColumn = -1; // -1: the account alone

    // None for a row whose amount is not a number, or (the account alone) whose account is
    // empty: it repeats nothing.
    std::optional<Payment> of(const QStringList &texts) const
    {
        QString account = texts.value(accountColumn);
        if (amountColumn < 0)
            return account.isEmpty() ? std::nullopt : std::optional<Payment>({std::move(account), 0});
        const std::optional<Amount> amount = Amount::fromText(texts.value(amountColumn));
        return amount ? std::optional<Payment>({std::move(account), amount->units()}) : std::nullopt;
    }
};

struct FirstRow
{
    int listRow = 0;
    int sheetRow = 0;
};

} // namespace

QList<SheetRepeat> repeatedPayments(Workspace &workspace, Workspace::List list,
                                    const QList<RecordListModel::Row> &rows, const QList<int> &sheetRows,
                                    bool clearFirst)
{
    PaymentKey key;
    if (list == Workspace::List::Batch)
        key = {workspace.batchList().beneAccountColumn(), workspace.batchList().amountColumn()};
    else if (list == Workspace::List::Payroll)
        key = {PayrollListModel::BeneAccountColumn, -1};
    else
        return {};

    QHash<Payment, FirstRow> firsts;
    // Room for every key at once: a full list never rehashes on the way.
    firsts.reserve(rows.size() + (clearFirst ? 0 : workspace.list(list).count()));
    if (!clearFirst) {
        const RecordListModel &model = workspace.list(list);
        for (int row = 1; row <= model.count(); ++row) {
            if (std::optional<Payment> payment = key.of(model.rowTexts(row));
                payment && !firsts.contains(*payment))
                firsts.insert(std::move(*payment), {row, 0});
        }
    }
    QList<SheetRepeat> repeats;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        std::optional<Payment> payment = key.of(rows[i].texts);
        if (!payment)
            continue;
        const auto first = firsts.constFind(*payment);
        if (first == firsts.cend())
            firsts.insert(std::move(*payment), {0, sheetRows.value(i)});
        else
            repeats.append({sheetRows.value(i), first->listRow, first->sheetRow});
    }
    return repeats;
}

QString repeatQuestion(const QList<SheetRepeat> &repeats)
{
    QStringList named;
    for (qsizetype i = 0; i < std::min(repeats.size(), NamedRepeats); ++i) {
        const SheetRepeat &repeat = repeats[i];
        named.append(
            repeat.listRow > 0
                ? QStringLiteral("表格第%1行与列表第%2行").arg(repeat.sheetRow).arg(repeat.listRow)
                : QStringLiteral("表格第%1行与表格第%2行").arg(repeat.sheetRow).arg(repeat.earlierSheetRow));
    }
    QString question = QStringLiteral("表格中有重复的付款：") + named.join(QStringLiteral("、"));
    if (repeats.size() > NamedRepeats)
        question += QStringLiteral("等共%1处").arg(repeats.size());
    return question + QStringLiteral("……确定导入吗？");
}

} // namespace lgbatch
