#include "FileCommands.h"

#include "HourGlass.h"
#include "ProgramDirSetup.h"

#include "core/FieldText.h"
#include "refdata/BranchTableUpdate.h"
#include "workspace/BatchFiles.h"
#include "workspace/ListKinds.h"
#include "workspace/PayrollListFile.h"
#include "workspace/RosterFileCommands.h"

namespace lgbatch {

namespace {

// The 文件 menu's 导入文件 offers every kind of file the edition works with.
FileDialogText openCommandDialog(bool corporate)
{
    if (!corporate)
        return {QStringLiteral("导入文件..."),
                QStringLiteral("ZPK批量文件 (*.zpk)|*.zpk|ZPK收款人名册文件 (bene.xml)|bene.xml|")};
    return {
        QStringLiteral("导入文件..."),
        QStringLiteral("ZPK批量文件 (*.zpk)|*.zpk|ZPK代发工资文件 (*.csv)|*.csv|ZPK收款人名册文件 "
                       "(bene.xml)|bene.xml|ZPK付款人名册文件 (payer.xml)|payer.xml|其它 (*.bpt)|*.bpt|")};
}

Workspace::List rosterOf(ImportKind kind)
{
    switch (kind) {
    case ImportKind::PayerRoster:
        return Workspace::List::PayerRoster;
    case ImportKind::BeneRoster:
        return Workspace::List::BeneRoster;
    default:
        return Workspace::List::PayrollRoster;
    }
}

bool isPaymentList(Workspace::List list)
{
    return list == Workspace::List::Batch || list == Workspace::List::Payroll;
}

} // namespace

FileCommands::FileCommands(AppServices &services, Workspace &workspace, ListTabs &tabs, QObject *parent)
    : QObject(parent), m_services(services), m_workspace(workspace), m_tabs(tabs)
{
}

void FileCommands::New_Click()
{
    HourGlass busy;
    const Workspace::List list = m_tabs.currentList();
    if (!isPaymentList(list) || !m_workspace.list(list).isChanged())
        return;
    if (m_services.prompter.question(listKind(list).unsavedQuestion(), Prompter::Buttons::YesNoCancel) !=
        Prompter::Answer::Yes)
        return;
    // Rows that could not be saved stay: a new list must not cost the user the old one.
    if (!SaveCurrentTab(false))
        return;
    // The new list gets a file of its own: 保存 must not write it over the one just saved.
    m_workspace.renewList(list);
}

void FileCommands::Open_Click()
{
    PrepareImportDialog(true);
}

void FileCommands::cmdLoad_Click()
{
    PrepareImportDialog(false);
}

void FileCommands::PrepareImportDialog(bool openCommand)
{
    const FileDialogText dialog = openCommand ? openCommandDialog(m_workspace.isCorporate())
                                              : listKind(m_tabs.currentList()).importDialog;
    ImportSelectedFile(dialog.title, dialog.filter);
}

void FileCommands::ImportSelectedFile(const QString &title, const QString &filter)
{
    HourGlass busy;
    const Prompter::Answer mode = m_services.prompter.question(
        QStringLiteral("增量式导入【是】，覆盖式导入【否】？"), Prompter::Buttons::YesNoCancel);
    if (mode == Prompter::Answer::Cancel)
        return;
    const std::optional<QString> chosen = m_services.fileChooser.openFile(title, filter);
    if (!chosen)
        return;
    for (const ImportKind kind : importKindsOf(*chosen))
        importAs(kind, *chosen, mode == Prompter::Answer::No);
}

void FileCommands::importAs(ImportKind kind, const QString &fileName, bool clearFirst)
{
    Prompter &prompter = m_services.prompter;
    switch (kind) {
    case ImportKind::OtherBatch:
    case ImportKind::Batch: {
        BatchFileOutcome read;
        {
            const Workspace::Reading reading(m_workspace, Workspace::List::Batch);
            read = kind == ImportKind::Batch ? ReadBatchFile(m_workspace, fileName, clearFirst)
                                             : ReadOtherBatchFile(m_workspace, fileName, clearFirst);
            if (read.warning)
                prompter.warning(*read.warning);
        }
        // Only a file read whole becomes the list's file: 保存 would otherwise write the list
        // over the rows that could not be read.
        if (kind == ImportKind::Batch && !read.warning)
            m_workspace.CurrentBatchFileName = fileName;
        return;
    }
    case ImportKind::Payroll: {
        PayrollFileOutcome read;
        {
            const Workspace::Reading reading(m_workspace, Workspace::List::Payroll);
            read = ReadPayrollFile(m_workspace, fileName, clearFirst);
            if (!read.message.isEmpty())
                prompter.warning(read.message);
        }
        if (read.ok)
            m_workspace.CurrentPayrollFileName = fileName;
        return;
    }
    case ImportKind::PayerRoster:
    case ImportKind::BeneRoster:
    case ImportKind::PayrollRoster: {
        const Workspace::List roster = rosterOf(kind);
        const Workspace::Reading reading(m_workspace, roster);
        const RosterFileRead read =
            readRosterFile(m_workspace, roster, clearFirst, fileName, BrokenFile::LeavesListAlone);
        if (read.message)
            prompter.warning(*read.message);
        return;
    }
    }
}

void FileCommands::Save_Click()
{
    HourGlass busy;
    SaveCurrentTab(false);
}

void FileCommands::SaveAs_Click()
{
    HourGlass busy;
    SaveCurrentTab(true);
}

bool FileCommands::SaveCurrentTab(bool saveAs)
{
    return saveList(m_tabs.currentList(), saveAs);
}

bool FileCommands::saveList(Workspace::List which, bool saveAs)
{
    Prompter &prompter = m_services.prompter;
    if (const std::optional<QString> refusal = m_workspace.saveRefusal(which)) {
        prompter.warning(*refusal);
        return false;
    }
    std::optional<QString> failure;
    if (listKind(which).isRoster()) {
        // A roster's file is fixed: 另存为 saves it as 保存 does.
        failure = writeRosterFile(m_workspace, which);
    } else {
        QString &fileName = which == Workspace::List::Batch ? m_workspace.CurrentBatchFileName
                                                            : m_workspace.CurrentPayrollFileName;
        if (fileName.isEmpty() || saveAs) {
            const FileDialogText &dialog = listKind(which).saveDialog;
            const std::optional<QString> chosen =
                m_services.fileChooser.saveFile(dialog.title, dialog.filter);
            if (!chosen)
                return false;
            fileName = *chosen;
        }
        if (which == Workspace::List::Batch)
            failure = WriteBatchFile(m_workspace, m_services.clock).warning;
        else if (const PayrollFileOutcome written = WritePayrollFile(m_workspace); !written.ok)
            failure = written.message;
    }
    if (failure) {
        prompter.warning(*failure);
        return false;
    }
    prompter.information(QStringLiteral("保存完毕！"));
    return true;
}

bool FileCommands::saveFromTab(Workspace::List which)
{
    const Workspace::List previous = m_tabs.currentList();
    m_tabs.showList(which);
    const bool saved = saveList(which, false);
    m_tabs.showList(previous);
    return saved;
}

bool FileCommands::ConfirmUnsavedChanges()
{
    for (const Workspace::List which : Workspace::AllLists) {
        if (!m_workspace.list(which).isChanged())
            continue;
        const Prompter::Answer answer =
            m_services.prompter.question(listKind(which).unsavedQuestion(), Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Answer::Cancel)
            return false;
        if (answer == Prompter::Answer::No)
            continue;
        // A save that did not happen (a refusal, a failure, a cancelled dialog) keeps the program
        // running as Cancel would: ending now would lose what the user asked to keep.
        bool saved = false;
        if (isPaymentList(which))
            saved = saveFromTab(which);
        else if (const std::optional<QString> failure = writeRosterFile(m_workspace, which))
            m_services.prompter.warning(*failure);
        else
            saved = true;
        // A successful save has cleared the list's changed flag.
        if (!saved)
            return false;
    }
    return true;
}

void FileCommands::InterBankList_Click()
{
    HourGlass busy;
    Prompter &prompter = m_services.prompter;
    const std::optional<QString> picked =
        m_services.fileChooser.openFile(QStringLiteral("更新支付系统行号表..."),
                                        QStringLiteral("ZPK跨行行别列表 (BankCode.xml) |BankCode.xml|"));
    if (!picked)
        return;
    if (BranchTableUpdate::isTableInUse(m_workspace.programDir(), *picked)) {
        prompter.plain(QStringLiteral("更新失败!【不允许更新使用中的文件】"));
        return;
    }
    if (prompter.question(QStringLiteral("确定更新支付系统行号表？"), Prompter::Buttons::YesNo) !=
        Prompter::Answer::Yes)
        return;
    if (const Status replaced = BranchTableUpdate::replaceTable(m_workspace.programDir(), *picked);
        !replaced) {
        prompter.warning(branchTableUpdateFailure(replaced));
        return;
    }
    prompter.information(QStringLiteral("支付系统行号表更新完成，请重新启动!"));
}

} // namespace lgbatch
