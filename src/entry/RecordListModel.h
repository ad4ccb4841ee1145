#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace lgbatch {

// What a row's colour tells the user; the view chooses the colour.
enum class RowState
{
    Normal,
    UnknownBranch, // its branch name is not in the branch table: the user must choose it again
};

// The rows of one list view in display order: the list is the store, there is no other copy
// of its records. Rows are addressed from 1, as the lists' callers count them; each row is
// its column texts and one state for all of them.
//
// The model also carries the list's "changed since the last save" flag: add, edit and delete
// set it, a successful write clears it, and the unsaved-changes questions read it.
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The row's RowState (as an int) under this role; the view turns it into the text colour.
    static constexpr int RowStateRole = Qt::UserRole;

    struct Row
    {
        QStringList texts;
        RowState state = RowState::Normal;
    };

    explicit RecordListModel(QStringList headers, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The number of rows, as the list's callers count them (1..count).
    int count() const { return int(m_rows.size()); }

    // Texts beyond the column count are dropped, missing ones are empty.
    void appendRow(QStringList texts, RowState state = RowState::Normal);
    // Many rows at once: one insertion for the views, whatever the number of rows.
    void appendRows(QList<Row> rows);
    // Replaces every row at once (an overwriting import, or a new list).
    void replaceRows(QList<Row> rows);
    void clear();

    // Every row at once, as a shared copy: cheap to take, and safe to read on another thread
    // while this list goes on changing.
    QList<Row> rows() const { return m_rows; }
    // 1-based row; out-of-range rows read as nothing and are not written.
    QStringList rowTexts(int row) const;
    QString cellText(int row, int column) const;
    bool setRowTexts(int row, QStringList texts);
    RowState rowState(int row) const;
    bool setRowState(int row, RowState state);

    // Removes the given 1-based rows (in any order; duplicates and rows out of range are
    // ignored) and answers how many went.
    int removeRowNumbers(QList<int> rows);

    // Reorders the rows themselves by the texts of one column (0-based). Equal texts keep their
    // order. Later rows are appended, not sorted in.
    void sortRows(int column, Qt::SortOrder order);

    bool isChanged() const { return m_changed; }
    void setChanged(bool changed);

    // The column headers, in column order.
    const QStringList &headers() const { return m_headers; }
    // Shows a different set of columns from now on; the rows keep their texts in the given
    // column order. Only for a list that has no rows yet.
    void setHeaders(QStringList headers);

Q_SIGNALS:
    void changedFlagChanged(bool changed);

private:
    bool isRow(int row) const { return row >= 1 && row <= m_rows.size(); }
    void fitToColumns(QStringList &texts) const;

    QStringList m_headers;
    QList<Row> m_rows;
    bool m_changed = false;
};

// Paints a list row and every one of its columns in the colour given as decimal text: "255"
// (red) marks a row whose branch is not in the branch table, "0" (black) a normal one. Any
// other text changes nothing and answers false.
bool ColorListRow(RecordListModel &list, int row, const QString &colour);

} // namespace lgbatch
