#include "RecordFilterModel.h"

namespace lgbatch {

RecordFilterModel::RecordFilterModel(RecordListModel &records, QObject *parent)
    : QSortFilterProxyModel(parent), m_records(records)
{
    // Never sorted here: a header click sorts the list's rows themselves, which this follows.
    setDynamicSortFilter(true);
    setSourceModel(&records);
    // The personal edition shows other columns: the names are found again among them.
    connect(&records, &QAbstractItemModel::modelReset, this, [this] {
        if (isFiltering())
            m_filter = RowFilter(m_filter.text(), nameColumnsOf(m_records.headers()));
    });
}

void RecordFilterModel::setFilterText(const QString &typed)
{
    RowFilter next(typed, nameColumnsOf(m_records.headers()));
    if (next.text() == m_filter.text())
        return;
    m_filter = std::move(next);
    // One change of layout for the views, whatever rows come and go: row by row, thousands of
    // scattered rows would each be announced to the view on their own, at a cost that grows with
    // the list, and a keystroke would lag behind the typing.
    invalidate();
}

int RecordFilterModel::listRowAt(int viewRow) const
{
    const QModelIndex source = mapToSource(index(viewRow, 0));
    return source.isValid() ? source.row() + 1 : 0;
}

int RecordFilterModel::viewRowOf(int listRow) const
{
    if (listRow < 1 || listRow > m_records.count())
        return -1;
    const QModelIndex shown = mapFromSource(m_records.index(listRow - 1, 0));
    return shown.isValid() ? shown.row() : -1;
}

bool RecordFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (sourceParent.isValid())
        return false;
    return m_filter.isEmpty() || m_filter.matches(m_records.rowTexts(sourceRow + 1));
}

} // namespace lgbatch
