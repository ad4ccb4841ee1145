#pragma once

#include "AppServices.h"
#include "ListTabs.h"

#include "workspace/ImportKinds.h"
#include "workspace/Workspace.h"

#include <QObject>

namespace lgbatch {

// The commands of the 文件 and 更新 menus and of the tabs' import and save buttons: importing a
// file into a list, saving the current tab's list, starting a new list, the questions about
// unsaved changes before the program ends, and replacing the branch table. Every one acts on
// the tab in front; what a file holds decides which list it goes to.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    FileCommands(AppServices &services, Workspace &workspace, ListTabs &tabs, QObject *parent = nullptr);

    void New_Click();
    void Open_Click();
    // The import button of any tab.
    void cmdLoad_Click();
    void Save_Click();
    void SaveAs_Click();
    void InterBankList_Click();

    // Asks about every changed list in the fixed order and saves those answered 是. Answers
    // true when the program may end; false when the user cancelled or a save did not succeed,
    // so that nothing unsaved is lost.
    bool ConfirmUnsavedChanges();

private:
    void PrepareImportDialog(bool openCommand);
    void ImportSelectedFile(const QString &title, const QString &filter);
    void importAs(ImportKind kind, const QString &fileName, bool clearFirst);
    // Saves the current tab's list; true only when it was written.
    bool SaveCurrentTab(bool saveAs);
    // Saves a list after its checks, asking for a payment list's file when it has none or
    // `saveAs`; true only when it was written. No message of success.
    bool saveList(Workspace::List which, bool saveAs);
    // Saves one of the two payment lists from its own tab, then shows the tab that was in front.
    bool saveFromTab(Workspace::List which);

    AppServices &m_services;
    Workspace &m_workspace;
    ListTabs &m_tabs;
};

} // namespace lgbatch
