#include "RecordListModel.h"

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
    case RowColourRole:
        return row.colour;
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

void RecordListModel::appendRow(QStringList texts, qint32 colour)
{
    texts.resize(m_headers.size());
    const int at = int(m_rows.size());
    beginInsertRows(QModelIndex(), at, at);
    m_rows.append(Row{std::move(texts), colour});
    endInsertRows();
}

void RecordListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QStringList RecordListModel::rowTexts(int row) const
{
    return isRow(row) ? m_rows[row - 1].texts : QStringList();
}

qint32 RecordListModel::rowColour(int row) const
{
    return isRow(row) ? m_rows[row - 1].colour : ListRowBlack;
}

bool RecordListModel::setRowColour(int row, qint32 colour)
{
    if (!isRow(row))
        return false;
    m_rows[row - 1].colour = colour;
    Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1), {RowColourRole});
    return true;
}

bool ColorListRow(RecordListModel &list, int row, const QString &colour)
{
    bool ok = false;
    const qint32 value = colour.trimmed().toInt(&ok);
    return ok && list.setRowColour(row, value);
}

} // namespace lgbatch
