#include "PrintCommands.h"

#include "HourGlass.h"
#include "print/SummaryPages.h"

#include "core/FieldText.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabWidget>

namespace lgbatch {

PrintCommands::PrintCommands(AppServices &services, Workspace &workspace, Pages pages, QObject *parent)
    : QObject(parent), m_services(services), m_workspace(workspace), m_pages(pages)
{
}

void PrintCommands::addItemsTo(QMenu *menu)
{
    m_preview = menu->addAction(QStringLiteral("打印预览..."));
    m_preview->setObjectName(QStringLiteral("PrintPreview"));
    m_preview->setShortcut(QKeySequence::Print);
    connect(m_preview, &QAction::triggered, this, &PrintCommands::PrintPreview_Click);
    m_export = menu->addAction(QStringLiteral("导出PDF..."));
    m_export->setObjectName(QStringLiteral("ExportPdf"));
    connect(m_export, &QAction::triggered, this, &PrintCommands::ExportPdf_Click);
    connect(m_pages.tabs, &QTabWidget::currentChanged, this, &PrintCommands::followCurrentTab);
    followCurrentTab();
}

void PrintCommands::followCurrentTab()
{
    QWidget *current = m_pages.tabs->currentWidget();
    const bool printable = current && (current == m_pages.batch || current == m_pages.payroll);
    m_preview->setEnabled(printable);
    m_export->setEnabled(printable);
}

std::optional<ListSummary> PrintCommands::summaryOfCurrentList()
{
    QWidget *current = m_pages.tabs->currentWidget();
    if (!current || (current != m_pages.batch && current != m_pages.payroll))
        return std::nullopt;
    Result<ListSummary> summary =
        summarizeList(m_workspace, current == m_pages.batch ? SummarizedList::Batch : SummarizedList::Payroll,
                      m_services.clock.today());
    if (!summary) {
        m_services.prompter.warning(summary.error());
        return std::nullopt;
    }
    return std::move(summary).value();
}

void PrintCommands::PrintPreview_Click()
{
    std::optional<ListSummary> summary;
    {
        HourGlass busy;
        summary = summaryOfCurrentList();
    }
    if (!summary)
        return;
    QPrinter printer(QPrinter::HighResolution);
    SummaryPages::setUpPage(printer);
    printer.setDocName(summary->title);
    QWidget *window = m_pages.tabs->window();
    QPrintPreviewDialog preview(&printer, window);
    preview.setObjectName(QStringLiteral("PrintPreviewDialog"));
    preview.setWindowTitle(QStringLiteral("打印预览 - ") + summary->title);
    if (window)
        preview.resize(window->size());
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&summary](QPrinter *target) {
        HourGlass busy;
        SummaryPages::paint(*summary, *target);
    });
    preview.exec();
}

void PrintCommands::ExportPdf_Click()
{
    std::optional<ListSummary> summary;
    {
        HourGlass busy;
        summary = summaryOfCurrentList();
    }
    if (!summary)
        return;
    std::optional<QString> chosen = m_services.fileChooser.saveFile(QStringLiteral("导出PDF..."),
                                                                    QStringLiteral("PDF文件 (*.pdf)|*.pdf|"));
    if (!chosen)
        return;
    // A name given without any ending gets the one its contents have.
    if (QFileInfo(*chosen).suffix().isEmpty())
        chosen->append(QStringLiteral(".pdf"));
    HourGlass busy;
    if (const Status written = SummaryPages::writePdf(*summary, *chosen); !written) {
        m_services.prompter.warning(ErrorMessage::ofWriter(written.errorInfo()));
        return;
    }
    m_services.prompter.information(QStringLiteral("导出PDF完毕！"));
}

} // namespace lgbatch
