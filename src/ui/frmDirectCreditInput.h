#pragma once

#include "AppServices.h"
#include "ListTabs.h"

#include "WindowLayout.h"
#include "WindowMemory.h"

#include "workspace/Workspace.h"

#include <QMainWindow>

class QMenu;
class QTabWidget;
class QWindow;

namespace lgbatch {

class BatchInputPanel;
class BatchPage;
class BeneInputPanel;
class BeneRosterPage;
class FileCommands;
class ListPage;
class PayrollPage;
class RecoveryKeeper;
class SimpleRosterPage;
class StatusPanels;

// The working window: the frame around the five tabs (tab strip, menus, status bar, the lists'
// pop-up menu, the layout on a resize). Each tab is a page of its own that owns its list, entry
// panel, splitter and buttons; what they work on is the workspace.
class frmDirectCreditInput : public QMainWindow, public ListTabs
{
    Q_OBJECT
public:
    explicit frmDirectCreditInput(AppServices &services, QWidget *parent = nullptr);
    ~frmDirectCreditInput() override;

    // The load step. Answers false when a reference table could not be read: its message has
    // been shown and the end of the process requested, so the window must not be shown.
    bool Form_Load();

    Workspace &workspace() { return m_workspace; }
    QTabWidget *tabInput() const { return m_tabs; }
    StatusPanels *StatusBar() const { return m_status; }
    // The tab of each list; the tabs stand in the order of Workspace::AllLists.
    ListPage *page(Workspace::List list) const;
    Workspace::List currentList() const override;
    void showList(Workspace::List list) override;
    BatchPage *batchPage() const { return m_batchPage; }
    PayrollPage *payrollPage() const { return m_payrollPage; }
    BeneRosterPage *beneRosterPage() const { return m_beneRosterPage; }

    BatchInputPanel *frameInput() const;
    BeneInputPanel *frameBeneInput() const;

    // The pop-up menu of the five lists: "(&N)新增/修改" and "(&D)删除" for the tab in front.
    QMenu *RightClickMenu() const { return m_rightClickMenu; }
    FileCommands *fileCommands() const { return m_commands; }

    // What became active before this window did, when this window becomes active again.
    enum class PreviousWindow
    {
        None,         // nothing yet: the first activation
        OtherProgram, // another program's window, or none
        Question,     // one of this program's message boxes or file dialogs
        OwnWindow,    // another window of this program (the about box, the chooser)
    };
    // Whether becoming active after such a window is an activation that runs the activation
    // handler: a closed message box or file dialog, or a return from another program, is not.
    static bool countsAsActivation(PreviousWindow previous);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createMenus();
    void Form_Resize();
    // Puts the tab strip and every tab's controls where the layout last placed them.
    void applyGeometry();
    ListPage *currentPage() const;
    void RightClickMenuNewEdit_Click();
    void RightClickMenuDelete_Click();
    void tabInput_Click(int previousTab);
    // The personal edition works with the batch and beneficiary tabs only; nothing in the
    // corporate edition.
    void ApplyPersonalLayout();
    void Form_Activate();
    // Before anything else is asked once the window shows: one question per list that a run
    // which did not end normally left changes of. Then every change is kept from now on.
    void offerRecovery();
    void MigrateLegacyBeneList();
    void About_Click();
    void Exit_Click();
    void noteFocusWindow(QWindow *window);
    void bringForward(ListPage *page);
    QList<ListPage *> pages() const;

    AppServices &m_services;
    Workspace m_workspace;
    // The client area below the menu bar, down to the status bar; the tab strip lies in it.
    QWidget *m_client;
    QTabWidget *m_tabs;
    StatusPanels *m_status;
    BatchPage *m_batchPage;
    PayrollPage *m_payrollPage;
    BeneRosterPage *m_beneRosterPage;
    SimpleRosterPage *m_payerRosterPage;
    SimpleRosterPage *m_payrollRosterPage;
    QMenu *m_rightClickMenu = nullptr;
    FileCommands *m_commands = nullptr;
    PreviousWindow m_previousWindow = PreviousWindow::None;
    RecoveryKeeper *m_recovery;
    enum class RecoveryOffer
    {
        NotYet,
        Asking,
        Done
    };
    RecoveryOffer m_recoveryOffer = RecoveryOffer::NotYet;
    // The window was activated while the recovery questions were open: its own question
    // comes after them.
    bool m_activationWaiting = false;
    int m_currentTab = 0;
    // Where the layout last placed the controls, in twips; the next resize starts from it.
    WindowGeometry m_geometry = designedWindowGeometry();
    // The arrangement the user left at the last close; the splitters follow once the window
    // has its restored size.
    WindowMemory m_windowMemory{m_workspace.programFile(QStringLiteral("lgbatch.ini"))};
    bool m_splittersRestored = false;
};

} // namespace lgbatch
