#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace lgbatch {

// Row colours as the lists store them: 0x00BBGGRR, so 255 is red.
inline constexpr qint32 ListRowBlack = 0;
inline constexpr qint32 ListRowRed = 255;

// The rows of one list view in display order: the list is the store, there is no other copy
// of its records. Rows are addressed from 1, as the lists' callers count them; each row is
// its column texts and one colour for all of them.
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The row's colour number under this role; the view turns it into the text colour.
    static constexpr int RowColourRole = Qt::UserRole;

    explicit RecordListModel(QStringList headers, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Texts beyond the column count are dropped, missing ones are empty.
    void appendRow(QStringList texts, qint32 colour = ListRowBlack);
    void clear();

    // 1-based row; out-of-range rows read as nothing and are not written.
    QStringList rowTexts(int row) const;
    qint32 rowColour(int row) const;
    bool setRowColour(int row, qint32 colour);

private:
    struct Row
    {
        QStringList texts;
        qint32 colour = ListRowBlack;
    };
    bool isRow(int row) const { return row >= 1 && row <= m_rows.size(); }

    QStringList m_headers;
    QList<Row> m_rows;
};

// Paints a list row and every one of its columns in the colour given as decimal text
// ("255" red: its branch is not in the branch table; "0" black). A text that is not a colour
// number changes nothing and answers false.
bool ColorListRow(RecordListModel &list, int row, const QString &colour);

} // namespace lgbatch
