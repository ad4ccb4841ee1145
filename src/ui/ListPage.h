#pragma once

#include "RecordListView.h"

#include "core/Seams.h"

#include <QWidget>

class QFrame;
class QPushButton;

namespace lgbatch {

// The object names and captions of one tab's controls.
struct PageNames
{
    QString list;        // lstData
    QString actionRow;   // frameAction: 增加 修改 删除
    QString fileRow;     // frameAction2: 导入文件 and the save button
    QString add;         // cmdAdd
    QString edit;        // cmdEdit
    QString remove;      // cmdDelete
    QString load;        // cmdLoad
    QString save;        // cmdSave
    QString saveCaption; // "保存文件" on the payment tabs, "保存" on the roster tabs
};

// The shape every tab shares: its list on the left, its entry panel on the right, the row of
// 增加 / 修改 / 删除 under the panel and the row of import and save under the list. The
// flows every list has in common (which row is current, deleting the selected rows after
// one question, a click while several rows are selected) live here once.
class ListPage : public QWidget
{
    Q_OBJECT
public:
    ListPage(RecordListModel &records, const PageNames &names, Prompter &prompter, QWidget *parent = nullptr);

    RecordListView *list() const { return m_list; }
    QWidget *panel() const { return m_panel; }
    QFrame *actionRow() const { return m_actionRow; }
    QFrame *fileRow() const { return m_fileRow; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *loadButton() const { return m_load; }
    QPushButton *saveButton() const { return m_save; }

    // The status bar while this tab is in front: the list's count and total, or zeros for a
    // roster. Run whenever the tab comes to the front.
    virtual void refreshStatus() = 0;
    // The tab's own row click (the list's item-click handler) and delete command (its delete
    // button's handler), which the list's pop-up menu runs as well.
    virtual void runItemClick() = 0;
    virtual void runDelete() = 0;

Q_SIGNALS:
    // This tab must come to the front (a refused field, a message about this list).
    void forwardRequested();

protected:
    void setPanel(QWidget *panel);
    Prompter &prompter() const { return m_prompter; }
    RecordListModel &records() const { return m_list->records(); }

    // The list has rows and one of them is current: the condition of Edit and Delete.
    bool hasCurrentRow() const;
    // The row click's test: true when more than one row is selected (the panel stays empty).
    bool severalRowsSelected() const;
    // Asks "确定删除所选定的记录？" and removes every selected row on Yes; answers how many
    // rows went (none without a current row). The caller refreshes what depends on the list
    // and marks it changed when rows went.
    int confirmAndRemoveSelectedRows();

private:
    Prompter &m_prompter;
    RecordListView *m_list;
    QWidget *m_panel = nullptr;
    QFrame *m_actionRow;
    QFrame *m_fileRow;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_load;
    QPushButton *m_save;
};

} // namespace lgbatch
