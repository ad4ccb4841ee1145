#include "SheetRepeats.h"

#include "core/Amount.h"

#include <QHash>
#include <QStringList>

namespace lgbatch {

namespace {

// The repeats the question names one by one; the rest are counted.
constexpr qsizetype NamedRepeats = 5;

struct PaymentKey
{
    int accountColumn = 0;
    int amountColumn = -1; // -1: the account alone

    // Empty for a row whose amount is not a number: it repeats nothing.
    QString of(const QStringList &texts) const
    {
        const QString account = texts.value(accountColumn);
        if (amountColumn < 0)
            return account;
        const std::optional<Amount> amount = Amount::fromText(texts.value(amountColumn));
        return amount ? account + QLatin1Char('\n') + QString::number(amount->units()) : QString();
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

    QHash<QString, FirstRow> firsts;
    // Room for every key at once: a full list never rehashes on the way.
    firsts.reserve(rows.size() + (clearFirst ? 0 : workspace.list(list).count()));
    if (!clearFirst) {
        const RecordListModel &model = workspace.list(list);
        for (int row = 1; row <= model.count(); ++row) {
            const QString text = key.of(model.rowTexts(row));
            if (!text.isEmpty() && !firsts.contains(text))
                firsts.insert(text, {row, 0});
        }
    }
    QList<SheetRepeat> repeats;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString text = key.of(rows[i].texts);
        if (text.isEmpty())
            continue;
        const auto first = firsts.constFind(text);
        if (first == firsts.cend())
            firsts.insert(text, {0, sheetRows.value(i)});
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
