#pragma once

#include "AppServices.h"

#include "workspace/ListSummary.h"

#include <QObject>

#include <optional>

class QAction;
class QMenu;
class QTabWidget;
class QWidget;

namespace lgbatch {

// The 文件 menu's "打印预览..." and "导出PDF...": the printed summary of the payment list in
// front (batch or payroll), previewed and printed through Qt's print preview, or written as a
// PDF file. On the roster tabs there is no summary to print and both items stand disabled.
class PrintCommands : public QObject
{
    Q_OBJECT
public:
    struct Pages
    {
        QTabWidget *tabs;
        QWidget *batch;
        QWidget *payroll;
    };

    PrintCommands(AppServices &services, Workspace &workspace, Pages pages, QObject *parent = nullptr);

    // Adds the two items, in this order, at the end of `menu`.
    void addItemsTo(QMenu *menu);

    void PrintPreview_Click();
    void ExportPdf_Click();

private:
    // The summary of the list in front; none (and the refusal shown) when there is nothing to
    // print.
    std::optional<ListSummary> summaryOfCurrentList();
    void followCurrentTab();

    AppServices &m_services;
    Workspace &m_workspace;
    Pages m_pages;
    QAction *m_preview = nullptr;
    QAction *m_export = nullptr;
};

} // namespace lgbatch
