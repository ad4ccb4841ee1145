#pragma once

#include "RecordListView.h"
#include "WindowLayout.h"

#include "core/Seams.h"
#include "workspace/Workspace.h"

#include <QPersistentModelIndex>
#include <QWidget>

class QFrame;
class QPushButton;
class QScrollArea;

namespace lgbatch {

class ListFilterBar;
class ctlSplitterEx;

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

// The shape every tab shares: its list on the left, its entry panel on the right, the splitter
// whose bar divides them, the row of 增加 / 修改 / 删除 under the panel and the row of import and
// save under the list. The controls sit where the window's layout puts them; the flows every
// list has in common (which row is current, deleting the selected rows after one question, a
// click while several rows are selected) live here once.
class ListPage : public QWidget
{
    Q_OBJECT
public:
    ListPage(Workspace &workspace, Workspace::List which, const PageNames &names, Prompter &prompter,
             QWidget *parent = nullptr);

    Workspace::List which() const { return m_which; }

    RecordListView *list() const { return m_list; }
    // The list with its filter field above it: what the splitter places on its left.
    QWidget *listArea() const { return m_listArea; }
    ListFilterBar *filterBar() const { return m_filterBar; }
    QWidget *panel() const { return m_panel; }
    ctlSplitterEx *splitter() const { return m_splitter; }
    QFrame *actionRow() const { return m_actionRow; }
    QFrame *fileRow() const { return m_fileRow; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *loadButton() const { return m_load; }
    QPushButton *saveButton() const { return m_save; }

    // The splitter takes the list on its left and the panel on its right, side by side, at
    // half and half.
    void attachSplitter();
    // Puts the splitter, the list, the panel and both button rows where the window's layout
    // placed them (twips, counted in the tab strip from its top left corner).
    void placeControls(const TabGeometry &geometry, double twipsPerPixel);

    // The status bar while this tab is in front: the list's count and total, or zeros for a
    // roster. Run whenever the tab comes to the front.
    virtual void refreshStatus() = 0;
    // Empties the entry panel (ClearBatchInput, ClearPayrollInput ...).
    virtual void clearInput() = 0;
    // The tab's own row click (the list's item-click handler) and delete command (its delete
    // button's handler), which the list's pop-up menu runs as well.
    virtual void runItemClick() = 0;
    virtual void runDelete() = 0;

Q_SIGNALS:
    // This tab must come to the front (a refused field, a message about this list).
    void forwardRequested();

protected:
    // The entry panel, once: it goes on the right of the splitter, and Tab reaches its fields
    // after the list and before the button rows.
    void setPanel(QWidget *panel);
    Prompter &prompter() const { return m_prompter; }
    RecordListModel &records() const { return m_list->records(); }

    // The list has rows and one of them is current: the condition of Edit and Delete.
    bool hasCurrentRow() const;
    // The row click's test, after the panel has been emptied: the row whose record the panel is
    // to show, or 0 when several rows are selected or none is current (the panel stays empty).
    // The panel counts as loaded from that row, wherever it moves, until the next click.
    int rowToLoad();
    // The row 修改 may overwrite: the one the panel was loaded from, while it is the one row
    // selected. 0 when the list has no current row (nothing happens), and 0 after the warning
    // "请先单击要修改的记录！" when the panel shows another row, or no row, or several.
    int rowToEdit();
    // Asks "确定删除所选定的记录？" and removes every selected row on Yes; answers how many
    // rows went (none, and no question, without a current row or a selected one).
    int confirmAndRemoveSelectedRows();
    // The workspace has changed this page's list: no row stays selected after a read, and a
    // payment list's figures follow every change (新建 empties its panel too).
    void onListChanged(Workspace::Change change);
    Workspace &workspace() const { return m_workspace; }

    bool event(QEvent *event) override;

private:
    void orderTabStops();

    Workspace &m_workspace;
    const Workspace::List m_which;
    Prompter &m_prompter;
    // Declared, and so created, from the bottom up: the splitter shows only through the gap
    // between list and panel, and the list's bottom edge lies over the top of the button rows.
    ctlSplitterEx *m_splitter;
    QFrame *m_actionRow;
    QFrame *m_fileRow;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_load;
    QPushButton *m_save;
    QWidget *m_listArea;
    RecordListView *m_list;
    ListFilterBar *m_filterBar;
    // Holds the panel; its fields scroll instead of being cut off when the panel is given less
    // room than they need.
    QScrollArea *m_panelArea;
    QWidget *m_panel = nullptr;
    // The row the panel was last loaded from; it follows the row through sorts and deletions
    // above it, and becomes invalid when the row itself goes.
    QPersistentModelIndex m_loadedRow;
};

} // namespace lgbatch
