#pragma once

#include "AppServices.h"

#include "workspace/ImportKinds.h"
#include "workspace/Workspace.h"

#include <QObject>

class QTabWidget;

namespace lgbatch {

class BatchPage;
class ListPage;
class PayrollPage;

// The commands of the 文件 and 更新 menus and of the tabs' import and save buttons: importing a
// file into a list, saving the current tab's list, starting a new list, the questions about
// unsaved changes before the program ends, and replacing the branch table. Every one acts on
// the tab in front; what a file holds decides which list it goes to.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    struct Pages
    {
        QTabWidget *tabs;
        BatchPage *batch;
        PayrollPage *payroll;
    };

    FileCommands(AppServices &services, Workspace &workspace, Pages pages, QObject *parent = nullptr);

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
    bool saveBatch(bool saveAs);
    bool savePayroll(bool saveAs);
    bool saveRoster(Workspace::List which);
    // Saves one of the two payment lists from its own tab, then shows the tab that was in front.
    bool saveFromTab(int tab);
    int currentTab() const;

    AppServices &m_services;
    Workspace &m_workspace;
    Pages m_pages;
};

} // namespace lgbatch
