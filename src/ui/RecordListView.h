#pragma once

#include "entry/RecordFilterModel.h"

#include <QTreeView>

namespace lgbatch {

// A report-style list of one RecordListModel: one row per record with its column headers,
// several rows selectable at once, each row's text in its colour (red for a branch missing
// from the branch table). Rows are counted from 1, as the lists' callers count them.
//
// A typed filter may hide rows; the view then shows fewer rows than the list has, and every
// row it reports or is given is still the list's own row: a click, a selection, 修改 and 删除
// reach the row the user sees, wherever it stands in the whole list.
//
// A click on a column header sorts the rows themselves; the right button selects the row under
// the pointer and asks for the lists' pop-up menu.
class RecordListView : public QTreeView
{
    Q_OBJECT
public:
    RecordListView(RecordListModel &records, const QString &objectName, QWidget *parent = nullptr);

    RecordListModel &records() const { return m_records; }
    // The rows shown: the list through the typed filter.
    RecordFilterModel &shownRows() { return m_shown; }
    const RecordFilterModel &shownRows() const { return m_shown; }
    void setFilterText(const QString &typed);

    // The row that has the focus (the one last clicked), or 0.
    int currentRow() const;
    // Makes the row current and the only selected one (0: none).
    void selectOnly(int row);
    void clearRowSelection();
    // Selected rows, ascending: only shown rows can be selected.
    QList<int> selectedRowNumbers() const;
    bool isRowSelected(int row) const;
    // How many rows are selected, counting no further than `limit`.
    int selectedRowCount(int limit) const;

    // The list's ColumnClick: flips the list's one sort direction, whichever column was
    // clicked, and reorders the rows by the texts of that column (1-based) in the new
    // direction. Rows added later are appended, not sorted in.
    void ColumnClick(int columnHeader);
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

Q_SIGNALS:
    // A row was clicked, or became current from the keyboard: the list's item-click event.
    void rowClicked(int row);
    // The right button left a row selected: the pop-up menu belongs at this point on the screen.
    void rightClickMenuRequested(const QPoint &globalPosition);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    RecordListModel &m_records;
    RecordFilterModel m_shown;
    // Before the first click: the first click sorts ascending.
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

} // namespace lgbatch
