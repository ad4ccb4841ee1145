#include "RecordListView.h"

#include "HourGlass.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace lgbatch {

namespace {

class RowColourDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // A row to correct is red, selected or not, so that it stands out in any list.
        if (RowState(index.data(RecordListModel::RowStateRole).toInt()) == RowState::UnknownBranch) {
            option->palette.setColor(QPalette::Text, Qt::red);
            option->palette.setColor(QPalette::HighlightedText, Qt::red);
        }
    }
};

} // namespace

RecordListView::RecordListView(RecordListModel &records, const QString &objectName, QWidget *parent)
    : QTreeView(parent), m_records(records), m_shown(records)
{
    setObjectName(objectName);
    setModel(&m_shown);
    setItemDelegate(new RowColourDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // Every row is one line: the view need not measure thirty thousand rows to scroll.
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    header()->setDefaultSectionSize(110);
    // The rows themselves are sorted on a click, never by the view: no sort indicator, which a
    // row appended afterwards would belie.
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) { ColumnClick(section + 1); });
    // Every right button press comes to mousePressEvent; the parents never show a menu of their own.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT rowClicked(m_shown.listRowAt(index.row()));
    });
}

void RecordListView::ColumnClick(int columnHeader)
{
    HourGlass busy;
    // Nothing is drawn while the rows move: a long list is re-ordered without flicker.
    setUpdatesEnabled(false);
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_records.sortRows(columnHeader - 1, m_sortOrder);
    setUpdatesEnabled(true);
}

void RecordListView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    // Exactly the row under the pointer ends up selected, whatever was selected before; below
    // the rows nothing is.
    const QModelIndex hit = indexAt(event->position().toPoint());
    selectOnly(hit.isValid() ? m_shown.listRowAt(hit.row()) : 0);
    event->accept();
    if (currentRow() > 0)
        Q_EMIT rightClickMenuRequested(event->globalPosition().toPoint());
}

void RecordListView::keyPressEvent(QKeyEvent *event)
{
    // A row reached with the keyboard is loaded as a clicked one is: the entry panel never
    // shows one row while another is current, where 修改 would write it over the wrong row.
    const int before = currentRow();
    QTreeView::keyPressEvent(event);
    const int after = currentRow();
    if (after > 0 && after != before)
        Q_EMIT rowClicked(after);
}

int RecordListView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_shown.listRowAt(current.row()) : 0;
}

void RecordListView::setFilterText(const QString &typed)
{
    m_shown.setFilterText(typed);
}

void RecordListView::selectOnly(int row)
{
    const int shownAt = m_shown.viewRowOf(row);
    if (shownAt < 0) {
        clearRowSelection();
        return;
    }
    const QModelIndex index = m_shown.index(shownAt, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void RecordListView::clearRowSelection()
{
    selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

QList<int> RecordListView::selectedRowNumbers() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(m_shown.listRowAt(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool RecordListView::isRowSelected(int row) const
{
    const int shownAt = m_shown.viewRowOf(row);
    return shownAt >= 0 && selectionModel()->isRowSelected(shownAt, QModelIndex());
}

int RecordListView::selectedRowCount(int limit) const
{
    return std::min(limit, int(selectionModel()->selectedRows().size()));
}

} // namespace lgbatch
