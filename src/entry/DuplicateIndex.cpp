#include "DuplicateIndex.h"

namespace lgbatch {

DuplicateIndex::DuplicateIndex(const RecordListModel &list, int accountColumn, int amountColumn,
                               QObject *parent)
    : QObject(parent), m_list(list), m_accountColumn(accountColumn), m_amountColumn(amountColumn)
{
    connect(&list, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { rowsInserted(first, last); });
    connect(&list, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int last) { rowsRemoved(first, last); });
    connect(&list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                rowsChanged(topLeft.row(), bottomRight.row(), roles);
            });
    // A sort re-orders the rows, a reset replaces them, a move shifts them: the rows' order is
    // read again.
    connect(&list, &QAbstractItemModel::layoutChanged, this, &DuplicateIndex::rebuild);
    connect(&list, &QAbstractItemModel::modelReset, this, &DuplicateIndex::rebuild);
    connect(&list, &QAbstractItemModel::rowsMoved, this, &DuplicateIndex::rebuild);
    rebuild();
}

int DuplicateIndex::firstRowWith(const QString &account, std::optional<Amount> amount) const
{
    Key wanted{account, 0, true};
    if (m_amountColumn >= 0) {
        if (!amount)
            return 0;
        wanted.amountUnits = amount->units();
    }
    if (m_counts.value(wanted) == 0)
        return 0;
    // The key is known to be there: only its position is looked for.
    const qsizetype at = m_rowKeys.indexOf(wanted);
    return at < 0 ? 0 : int(at) + 1;
}

DuplicateIndex::Key DuplicateIndex::keyOfRow(int modelRow) const
{
    Key key{m_list.cellText(modelRow + 1, m_accountColumn), 0, true};
    if (m_amountColumn >= 0) {
        const std::optional<Amount> amount = Amount::fromText(m_list.cellText(modelRow + 1, m_amountColumn));
        key.valid = amount.has_value();
        key.amountUnits = amount ? amount->units() : 0;
    }
    return key;
}

void DuplicateIndex::count(const Key &key, int delta)
{
    if (!key.valid)
        return;
    int &n = m_counts[key];
    n += delta;
    if (n <= 0)
        m_counts.remove(key);
}

void DuplicateIndex::rowsInserted(int first, int last)
{
    QList<Key> added;
    added.reserve(last - first + 1);
    for (int row = first; row <= last; ++row) {
        added.append(keyOfRow(row));
        count(added.last(), +1);
    }
    if (first >= m_rowKeys.size())
        m_rowKeys.append(std::move(added));
    else
        m_rowKeys = m_rowKeys.first(first) + added + m_rowKeys.sliced(first);
}

void DuplicateIndex::rowsRemoved(int first, int last)
{
    for (int row = first; row <= last && row < m_rowKeys.size(); ++row)
        count(m_rowKeys[row], -1);
    m_rowKeys.remove(first, qMin<qsizetype>(last - first + 1, m_rowKeys.size() - first));
}

void DuplicateIndex::rowsChanged(int first, int last, const QList<int> &roles)
{
    // A row painted red or black keeps its texts.
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
        return;
    for (int row = first; row <= last && row < m_rowKeys.size(); ++row) {
        count(m_rowKeys[row], -1);
        m_rowKeys[row] = keyOfRow(row);
        count(m_rowKeys[row], +1);
    }
}

void DuplicateIndex::rebuild()
{
    m_rowKeys.clear();
    m_counts.clear();
    if (m_list.count() > 0)
        rowsInserted(0, m_list.count() - 1);
}

} // namespace lgbatch
