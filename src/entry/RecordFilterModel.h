#pragma once

#include "RecordListModel.h"
#include "RowFilter.h"

#include <QSortFilterProxyModel>

namespace lgbatch {

// The rows of one list that a typed filter lets through, in the list's own order: what the
// list's view shows. The filter only hides rows; the list itself, its order and everything that
// acts on it stay with the RecordListModel, whose 1-based rows are mapped here.
class RecordFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit RecordFilterModel(RecordListModel &records, QObject *parent = nullptr);

    RecordListModel &records() const { return m_records; }

    // Shows only the rows that match the typed text from now on (all of them for an empty one).
    void setFilterText(const QString &typed);
    const QString &filterText() const { return m_filter.text(); }
    bool isFiltering() const { return !m_filter.isEmpty(); }

    // How many rows are shown.
    int shownCount() const { return rowCount(); }
    // The list's 1-based row shown at 0-based `viewRow`, or 0.
    int listRowAt(int viewRow) const;
    // Where the list's 1-based row is shown (0-based), or -1 while it is hidden or out of range.
    int viewRowOf(int listRow) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    RecordListModel &m_records;
    RowFilter m_filter;
};

} // namespace lgbatch
