#include "SheetImportCommand.h"

#include "BatchPage.h"
#include "HourGlass.h"
#include "SheetMappingDialog.h"

#include "core/FieldText.h"

namespace lgbatch {

SheetImportCommand::SheetImportCommand(AppServices &services, Workspace &workspace, ListTabs &tabs,
                                       BatchPage *batch, QObject *parent)
    : QObject(parent), m_services(services), m_workspace(workspace), m_tabs(tabs), m_batch(batch),
      m_qtDialogs(std::make_unique<QtSheetImportDialogs>(services))
{
}

SheetImportCommand::~SheetImportCommand() = default;

void SheetImportCommand::setDialogs(SheetImportDialogs *dialogs)
{
    m_dialogs = dialogs;
}

void SheetImportCommand::FromSpreadsheet_Click()
{
    const Workspace::List list = m_tabs.currentList();
    Prompter &prompter = m_services.prompter;
    const Prompter::Answer mode = prompter.question(QStringLiteral("增量式导入【是】，覆盖式导入【否】？"),
                                                    Prompter::Buttons::YesNoCancel);
    if (mode == Prompter::Answer::Cancel)
        return;
    const std::optional<QString> chosen = m_services.fileChooser.openFile(
        QStringLiteral("从表格导入..."), QStringLiteral("表格文件|*.xlsx *.csv *.txt *.XLSX *.CSV *.TXT|"));
    if (!chosen)
        return;

    Result<Spreadsheet> opened = [&chosen] {
        HourGlass busy;
        return Spreadsheet::open(*chosen);
    }();
    if (!opened) {
        prompter.warning(ErrorMessage::ofReader(opened.errorInfo()));
        return;
    }
    Spreadsheet &sheet = opened.value();
    int sheetIndex = 0;
    if (const QStringList names = sheet.sheetNames(); names.size() > 1) {
        const std::optional<int> picked = dialogs().chooseSheet(names);
        if (!picked)
            return;
        sheetIndex = *picked;
    }

    SheetMappingMemory memory(m_workspace);
    SheetMappingRequest request{*chosen, list,       sheetFieldsOf(list, m_workspace.edition()),
                                &sheet,  sheetIndex, {}};
    request.initial = memory.initialMapping(list, request.fields,
                                            sheet.firstRows(sheetIndex, SheetMappingDialog::PreviewRows));
    if (list == Workspace::List::Batch && m_workspace.isCorporate())
        offerPanelPayer(request.initial);
    const std::optional<SheetMapping> mapping = dialogs().chooseMapping(request);
    if (!mapping)
        return;
    if (mapping->firstRowIsHeader) {
        const QList<SheetRow> top = sheet.firstRows(sheetIndex, mapping->firstRow);
        const auto header = std::find_if(
            top.cbegin(), top.cend(), [&](const SheetRow &row) { return row.number >= mapping->firstRow; });
        if (header != top.cend())
            memory.remember(list, *header, *mapping);
    }

    const bool clearFirst = mode == Prompter::Answer::No;
    SheetImportCheck checked;
    {
        HourGlass busy;
        checked = checkSheetRows(
            m_workspace, sheet, {list, sheetIndex, *mapping, clearFirst},
            [this](int rowsRead, double fraction) { return dialogs().showProgress(rowsRead, fraction); });
        dialogs().endProgress();
    }
    switch (checked.outcome) {
    case SheetImportCheck::Outcome::Cancelled:
        return;
    case SheetImportCheck::Outcome::Unreadable:
        prompter.warning(ErrorMessage::ofReader(*checked.error));
        return;
    case SheetImportCheck::Outcome::Empty:
        prompter.warning(QStringLiteral("表格中没有可导入的记录！"));
        return;
    case SheetImportCheck::Outcome::Refused:
        dialogs().showFailures(checked.failures, *chosen);
        return;
    case SheetImportCheck::Outcome::Ready:
        break;
    }
    // The protection of 增加 against paying twice, asked once for the whole sheet.
    if (!checked.repeats.isEmpty() &&
        prompter.question(repeatQuestion(checked.repeats), Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    const qsizetype added = checked.rows.size();
    {
        HourGlass busy;
        addCheckedRows(m_workspace, list, std::move(checked.rows), clearFirst);
    }
    prompter.information(QStringLiteral("已从表格导入%1条记录。").arg(added));
}

void SheetImportCommand::offerPanelPayer(SheetMapping &mapping) const
{
    const BatchPayment shown = m_batch->frameInput()->record();
    if (mapping.fixedText(SheetField::PayerName).isEmpty())
        mapping.fixedText(SheetField::PayerName) = shown.PayerName;
    if (mapping.fixedText(SheetField::PayerAccount).isEmpty())
        mapping.fixedText(SheetField::PayerAccount) = shown.PayerAccount;
}

} // namespace lgbatch
