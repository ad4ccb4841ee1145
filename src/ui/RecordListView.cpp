#include "RecordListView.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace lgbatch {

namespace {

// The lists store a row's colour as 0x00BBGGRR.
QColor colourOf(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

class RowColourDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const qint32 colour = index.data(RecordListModel::RowColourRole).toInt();
        if (colour != ListRowBlack) {
            option->palette.setColor(QPalette::Text, colourOf(colour));
            option->palette.setColor(QPalette::HighlightedText, colourOf(colour));
        }
    }
};

} // namespace

RecordListView::RecordListView(RecordListModel &records, const QString &objectName, QWidget *parent)
    : QTreeView(parent), m_records(records)
{
    setObjectName(objectName);
    setModel(&records);
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
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT rowClicked(index.row() + 1);
    });
}

int RecordListView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void RecordListView::selectOnly(int row)
{
    if (row < 1 || row > m_records.count()) {
        clearRowSelection();
        return;
    }
    const QModelIndex index = m_records.index(row - 1, 0);
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
        rows.append(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    return rows;
}

int RecordListView::selectedRowCount(int limit) const
{
    return std::min(limit, int(selectionModel()->selectedRows().size()));
}

} // namespace lgbatch
