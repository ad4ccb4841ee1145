#pragma once

#include "entry/RecordListModel.h"

#include <QTreeView>

namespace lgbatch {

// A report-style list of one RecordListModel: one row per record with its column headers,
// several rows selectable at once, each row's text in its colour (red for a branch missing
// from the branch table). Rows are counted from 1, as the lists' callers count them.
class RecordListView : public QTreeView
{
    Q_OBJECT
public:
    RecordListView(RecordListModel &records, const QString &objectName, QWidget *parent = nullptr);

    RecordListModel &records() const { return m_records; }

    // The row that has the focus (the one last clicked), or 0.
    int currentRow() const;
    // Makes the row current and the only selected one (0: none).
    void selectOnly(int row);
    void clearRowSelection();
    // Selected rows, ascending.
    QList<int> selectedRowNumbers() const;
    // How many rows are selected, counting no further than `limit`.
    int selectedRowCount(int limit) const;

Q_SIGNALS:
    // A row was clicked: the list's item-click event.
    void rowClicked(int row);

private:
    RecordListModel &m_records;
};

} // namespace lgbatch
