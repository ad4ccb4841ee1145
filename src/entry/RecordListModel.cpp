#include "RecordListModel.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace lgbatch {

RecordListModel::RecordListModel(QStringList headers, QObject *parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers))
{
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headers.size())
        return {};
    const Row &row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return row.texts.value(index.column());
    case RowStateRole:
        return int(row.state);
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

void RecordListModel::fitToColumns(QStringList &texts) const
{
    texts.resize(m_headers.size());
}

void RecordListModel::appendRow(QStringList texts, RowState state)
{
    fitToColumns(texts);
    const int at = int(m_rows.size());
    beginInsertRows(QModelIndex(), at, at);
    m_rows.append(Row{std::move(texts), state});
    endInsertRows();
}

void RecordListModel::appendRows(QList<Row> rows)
{
    if (rows.isEmpty())
        return;
    for (Row &row : rows)
        fitToColumns(row.texts);
    const int at = int(m_rows.size());
    beginInsertRows(QModelIndex(), at, at + int(rows.size()) - 1);
    m_rows.append(std::move(rows));
    endInsertRows();
}

void RecordListModel::replaceRows(QList<Row> rows)
{
    for (Row &row : rows)
        fitToColumns(row.texts);
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void RecordListModel::clear()
{
    replaceRows({});
}

QStringList RecordListModel::rowTexts(int row) const
{
    return isRow(row) ? m_rows[row - 1].texts : QStringList();
}

QString RecordListModel::cellText(int row, int column) const
{
    return isRow(row) ? m_rows[row - 1].texts.value(column) : QString();
}

bool RecordListModel::setRowTexts(int row, QStringList texts)
{
    if (!isRow(row))
        return false;
    fitToColumns(texts);
    m_rows[row - 1].texts = std::move(texts);
    Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1), {Qt::DisplayRole});
    return true;
}

RowState RecordListModel::rowState(int row) const
{
    return isRow(row) ? m_rows[row - 1].state : RowState::Normal;
}

bool RecordListModel::setRowState(int row, RowState state)
{
    if (!isRow(row))
        return false;
    m_rows[row - 1].state = state;
    Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1), {RowStateRole});
    return true;
}

int RecordListModel::removeRowNumbers(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int row) { return !isRow(row); });
    if (rows.isEmpty())
        return 0;
    // Runs of neighbouring rows go in one removal each, from the last run to the first, so
    // that the positions of the runs still to be removed stay valid.
    qsizetype end = rows.size();
    while (end > 0) {
        qsizetype start = end - 1;
        while (start > 0 && rows[start - 1] == rows[start] - 1)
            --start;
        const int first = rows[start] - 1;
        const int last = rows[end - 1] - 1;
        beginRemoveRows(QModelIndex(), first, last);
        m_rows.remove(first, last - first + 1);
        endRemoveRows();
        end = start;
    }
    return int(rows.size());
}

void RecordListModel::sortRows(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_headers.size() || m_rows.size() < 2)
        return;
    // The list's own text ordering: the collation of the program's language, computed once
    // per row rather than once per comparison.
    const QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    QList<QCollatorSortKey> keys;
    keys.reserve(m_rows.size());
    for (const Row &row : std::as_const(m_rows))
        keys.append(collator.sortKey(row.texts.value(column)));
    QList<qsizetype> permutation(m_rows.size());
    std::iota(permutation.begin(), permutation.end(), 0);
    std::stable_sort(permutation.begin(), permutation.end(), [&keys, order](qsizetype a, qsizetype b) {
        return order == Qt::AscendingOrder ? keys[a].compare(keys[b]) < 0 : keys[b].compare(keys[a]) < 0;
    });
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<qsizetype> newPosition(m_rows.size());
    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    for (qsizetype i = 0; i < permutation.size(); ++i) {
        newPosition[permutation[i]] = i;
        sorted.append(std::move(m_rows[permutation[i]]));
    }
    m_rows = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(this->index(int(newPosition[index.row()]), index.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RecordListModel::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT changedFlagChanged(changed);
}

void RecordListModel::setHeaders(QStringList headers)
{
    beginResetModel();
    m_headers = std::move(headers);
    for (Row &row : m_rows)
        fitToColumns(row.texts);
    endResetModel();
}

bool ColorListRow(RecordListModel &list, int row, const QString &colour)
{
    bool ok = false;
    const int value = colour.trimmed().toInt(&ok);
    if (!ok || (value != 0 && value != 255))
        return false;
    return list.setRowState(row, value == 255 ? RowState::UnknownBranch : RowState::Normal);
}

} // namespace lgbatch
