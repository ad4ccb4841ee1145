#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace lgbatch {

class RecordListView;

// The "查找：" field above a list and the count of the rows it lets through. What is typed
// filters the list's view as it is typed; Esc empties the field, and Ctrl+F anywhere in the
// window brings the cursor to the field of the tab in front.
class ListFilterBar : public QWidget
{
    Q_OBJECT
public:
    ListFilterBar(RecordListView &list, QWidget *parent = nullptr);

    QLineEdit *field() const { return m_field; }
    QLabel *countLabel() const { return m_count; }
    // Shows every row again.
    void clear();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showCount();

    RecordListView &m_list;
    QLineEdit *m_field;
    QLabel *m_count;
};

} // namespace lgbatch
