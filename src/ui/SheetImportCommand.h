#pragma once

#include "AppServices.h"
#include "ListTabs.h"
#include "SheetImportDialogs.h"

#include "workspace/Workspace.h"

#include <QObject>

namespace lgbatch {

class BatchPage;

// 文件 -> 从表格导入...: brings a spreadsheet (CSV, text or .xlsx) into the list of the tab in
// front, after the same incremental-or-overwrite question as the other imports. The user maps
// the sheet's columns to the list's fields; every row is checked by the rules of the list's Add,
// and either every row comes in, in one go, or none does and the failing rows are listed.
class SheetImportCommand : public QObject
{
    Q_OBJECT
public:
    SheetImportCommand(AppServices &services, Workspace &workspace, ListTabs &tabs, BatchPage *batch,
                       QObject *parent = nullptr);
    ~SheetImportCommand() override;

    void FromSpreadsheet_Click();

    // Tests answer the import's windows themselves; null restores the real ones.
    void setDialogs(SheetImportDialogs *dialogs);

private:
    SheetImportDialogs &dialogs() { return m_dialogs ? *m_dialogs : *m_qtDialogs; }
    // The payer on the batch panel pays the whole sheet unless the sheet or the mapping says
    // otherwise.
    void offerPanelPayer(SheetMapping &mapping) const;

    AppServices &m_services;
    Workspace &m_workspace;
    ListTabs &m_tabs;
    BatchPage *m_batch;
    std::unique_ptr<QtSheetImportDialogs> m_qtDialogs;
    SheetImportDialogs *m_dialogs = nullptr;
};

} // namespace lgbatch
