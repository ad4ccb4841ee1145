#include "FileCommands.h"

#include "BatchPage.h"
#include "HourGlass.h"
#include "PayrollPage.h"
#include "ProgramDirSetup.h"

#include "core/FieldText.h"
#include "refdata/BranchTableUpdate.h"
#include "workspace/BatchFiles.h"
#include "workspace/PayrollListFile.h"
#include "workspace/RosterFileCommands.h"

#include <QFileInfo>
#include <QTabWidget>

namespace lgbatch {

namespace {

enum Tab
{
    BatchTab,
    PayrollTab,
    BeneRosterTab,
    PayerRosterTab,
    PayrollRosterTab
};

struct DialogText
{
    QString title;
    QString filter;
};

DialogText importDialog(int tab, bool openCommand, bool corporate)
{
    if (openCommand) {
        if (!corporate)
            return {QStringLiteral("导入文件..."),
                    QStringLiteral("ZPK批量文件 (*.zpk)|*.zpk|ZPK收款人名册文件 (bene.xml)|bene.xml|")};
        return {QStringLiteral("导入文件..."),
                QStringLiteral(
                    "ZPK批量文件 (*.zpk)|*.zpk|ZPK代发工资文件 (*.csv)|*.csv|ZPK收款人名册文件 "
                    "(bene.xml)|bene.xml|ZPK付款人名册文件 (payer.xml)|payer.xml|其它 (*.bpt)|*.bpt|")};
    }
    switch (tab) {
    case PayrollTab:
        return {QStringLiteral("导入ZPK代发工资文件..."), QStringLiteral("ZPK代发工资文件 (*.csv) |*.csv|")};
    case BeneRosterTab:
        return {QStringLiteral("导入ZPK收款人名册文件..."),
                QStringLiteral("ZPK收款人名册文件 (bene.xml)|bene.xml|")};
    case PayerRosterTab:
        return {QStringLiteral("导入ZPK付款人名册文件..."),
                QStringLiteral("ZPK付款人名册文件 (payer.xml)|payer.xml|")};
    case PayrollRosterTab:
        return {QStringLiteral("导入ZPK代发工资册文件..."),
                QStringLiteral("ZPK代发工资册 (benepayroll.xml)|benepayroll.xml|")};
    default:
        return {QStringLiteral("导入ZPK批量支付文件..."),
                QStringLiteral("ZPK批量支付文件 (*.zpk) |*.zpk|其它 (*.bpt)|*.bpt|")};
    }
}

const DialogText BatchSaveDialog{QStringLiteral("保存ZPK批量支付文件..."),
                                 QStringLiteral("ZPK批量支付文件 (*.zpk) |*.zpk|")};
const DialogText PayrollSaveDialog{QStringLiteral("保存ZPK代发工资文件..."),
                                   QStringLiteral("ZPK代发工资文件 (*.csv) |*.csv|")};

Roster rosterOf(Workspace::List which)
{
    switch (which) {
    case Workspace::List::BeneRoster:
        return Roster::Beneficiaries;
    case Workspace::List::PayerRoster:
        return Roster::Payers;
    default:
        return Roster::PayrollBeneficiaries;
    }
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return a == b ||
           (first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath());
}

} // namespace

FileCommands::FileCommands(AppServices &services, Workspace &workspace, Pages pages, QObject *parent)
    : QObject(parent), m_services(services), m_workspace(workspace), m_pages(pages)
{
}

int FileCommands::currentTab() const
{
    return m_pages.tabs->currentIndex();
}

void FileCommands::New_Click()
{
    HourGlass busy;
    const int tab = currentTab();
    if (tab != BatchTab && tab != PayrollTab)
        return;
    RecordListModel &list =
        m_workspace.list(tab == BatchTab ? Workspace::List::Batch : Workspace::List::Payroll);
    if (!list.isChanged())
        return;
    const QString question = tab == BatchTab ? QStringLiteral("批量支付列表已经更新，需要保存吗？")
                                             : QStringLiteral("代发工资列表已经更新，需要保存吗？");
    if (m_services.prompter.question(question, Prompter::Buttons::YesNoCancel) != Prompter::Answer::Yes)
        return;
    // Rows that could not be saved stay: a new list must not cost the user the old one.
    if (!SaveCurrentTab(false))
        return;
    list.setChanged(false);
    list.clear();
    m_workspace.setFileOfList(tab == BatchTab ? Workspace::List::Batch : Workspace::List::Payroll, QString());
    // The new list gets a file of its own: 保存 must not write it over the one just saved.
    if (tab == BatchTab) {
        m_workspace.CurrentBatchFileName.clear();
        m_pages.batch->ClearBatchInput();
        m_pages.batch->RefreshBatchTotals();
    } else {
        m_workspace.CurrentPayrollFileName.clear();
        m_pages.payroll->ClearPayrollInput();
        m_pages.payroll->RefreshPayrollTotals();
    }
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
    const DialogText dialog = importDialog(currentTab(), openCommand, m_workspace.isCorporate());
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
        const BatchFileOutcome read = kind == ImportKind::Batch
                                          ? ReadBatchFile(m_workspace, fileName, clearFirst)
                                          : ReadOtherBatchFile(m_workspace, fileName, clearFirst);
        m_pages.batch->list()->clearRowSelection();
        if (read.warning)
            prompter.warning(*read.warning);
        m_pages.batch->RefreshBatchTotals();
        // Only a file read whole becomes the list's file: 保存 would otherwise write the list
        // over the rows that could not be read.
        if (kind == ImportKind::Batch && !read.warning)
            m_workspace.CurrentBatchFileName = fileName;
        return;
    }
    case ImportKind::Payroll: {
        const PayrollFileOutcome read = ReadPayrollFile(m_workspace, fileName, clearFirst);
        m_pages.payroll->list()->clearRowSelection();
        if (!read.message.isEmpty())
            prompter.warning(read.message);
        m_pages.payroll->RefreshPayrollTotals();
        if (read.ok)
            m_workspace.CurrentPayrollFileName = fileName;
        return;
    }
    case ImportKind::PayerRoster:
    case ImportKind::BeneRoster:
    case ImportKind::PayrollRoster: {
        const Roster roster = kind == ImportKind::PayerRoster  ? Roster::Payers
                              : kind == ImportKind::BeneRoster ? Roster::Beneficiaries
                                                               : Roster::PayrollBeneficiaries;
        // The roster's home stays the program directory; rows from another file are not
        // saved there yet, so leaving the program asks about them.
        const RosterFileRead read =
            readRosterFile(m_workspace, roster, clearFirst, fileName, BrokenFile::LeavesListAlone);
        if (read.message)
            prompter.warning(*read.message);
        const bool listChanged = read.rowsRead > 0 || (clearFirst && read.found && !read.message);
        if (listChanged && !sameFile(fileName, rosterFilePath(m_workspace, roster)))
            rosterList(m_workspace, roster).setChanged(true);
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
    switch (currentTab()) {
    case BatchTab:
        return saveBatch(saveAs);
    case PayrollTab:
        return savePayroll(saveAs);
    case BeneRosterTab:
        return saveRoster(Workspace::List::BeneRoster);
    case PayerRosterTab:
        return saveRoster(Workspace::List::PayerRoster);
    default:
        return saveRoster(Workspace::List::PayrollRoster);
    }
}

bool FileCommands::saveBatch(bool saveAs)
{
    Prompter &prompter = m_services.prompter;
    if (m_workspace.batchList().count() == 0) {
        prompter.warning(QStringLiteral("无记录保存！"));
        return false;
    }
    if (m_workspace.CurrentBatchFileName.isEmpty() || saveAs) {
        const std::optional<QString> chosen =
            m_services.fileChooser.saveFile(BatchSaveDialog.title, BatchSaveDialog.filter);
        if (!chosen)
            return false;
        m_workspace.CurrentBatchFileName = *chosen;
    }
    if (const BatchFileOutcome written = WriteBatchFile(m_workspace, m_services.clock); written.warning) {
        prompter.warning(*written.warning);
        return false;
    }
    prompter.information(QStringLiteral("保存完毕！"));
    return true;
}

bool FileCommands::savePayroll(bool saveAs)
{
    Prompter &prompter = m_services.prompter;
    PayrollListModel &list = m_workspace.payrollList();
    if (list.count() == 0) {
        prompter.warning(QStringLiteral("无记录保存！"));
        return false;
    }
    for (int row = 1; row <= list.count(); ++row) {
        if (list.ReadPayrollRow(row).BeneName.isEmpty()) {
            prompter.warning(QStringLiteral("保存ZPK代发工资文件失败！【收款人名称不得为空】"));
            return false;
        }
    }
    if (m_workspace.CurrentPayrollFileName.isEmpty() || saveAs) {
        const std::optional<QString> chosen =
            m_services.fileChooser.saveFile(PayrollSaveDialog.title, PayrollSaveDialog.filter);
        if (!chosen)
            return false;
        m_workspace.CurrentPayrollFileName = *chosen;
    }
    if (const PayrollFileOutcome written = WritePayrollFile(m_workspace); !written.ok) {
        prompter.warning(written.message);
        return false;
    }
    prompter.information(QStringLiteral("保存完毕！"));
    return true;
}

bool FileCommands::saveRoster(Workspace::List which)
{
    Prompter &prompter = m_services.prompter;
    if (m_workspace.list(which).count() == 0) {
        prompter.warning(QStringLiteral("无记录保存！"));
        return false;
    }
    if (const std::optional<QString> failure = writeRosterFile(m_workspace, rosterOf(which))) {
        prompter.warning(*failure);
        return false;
    }
    prompter.information(QStringLiteral("保存完毕！"));
    return true;
}

bool FileCommands::saveFromTab(int tab)
{
    const int previous = currentTab();
    m_pages.tabs->setCurrentIndex(tab);
    const bool saved = tab == BatchTab ? saveBatch(false) : savePayroll(false);
    m_pages.tabs->setCurrentIndex(previous);
    return saved;
}

bool FileCommands::ConfirmUnsavedChanges()
{
    struct Question
    {
        Workspace::List list;
        QString text;
    };
    const Question questions[]{
        {Workspace::List::Batch, QStringLiteral("批量支付列表已经更新，需要保存吗？")},
        {Workspace::List::Payroll, QStringLiteral("代发工资列表已经更新，需要保存吗？")},
        {Workspace::List::BeneRoster, QStringLiteral("收款人名册已经更新，需要保存吗？")},
        {Workspace::List::PayerRoster, QStringLiteral("付款人名册已经更新，需要保存吗？")},
        {Workspace::List::PayrollRoster, QStringLiteral("代发工资名册已经更新，需要保存吗？")},
    };
    for (const Question &question : questions) {
        RecordListModel &list = m_workspace.list(question.list);
        if (!list.isChanged())
            continue;
        const Prompter::Answer answer =
            m_services.prompter.question(question.text, Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Answer::Cancel)
            return false;
        if (answer == Prompter::Answer::No)
            continue;
        // A save that did not happen (a refusal, a failure, a cancelled dialog) keeps the program
        // running as Cancel would: ending now would lose what the user asked to keep.
        bool saved = false;
        if (question.list == Workspace::List::Batch)
            saved = saveFromTab(BatchTab);
        else if (question.list == Workspace::List::Payroll)
            saved = saveFromTab(PayrollTab);
        else if (const std::optional<QString> failure = writeRosterFile(m_workspace, rosterOf(question.list)))
            m_services.prompter.warning(*failure);
        else
            saved = true;
        if (!saved)
            return false;
        list.setChanged(false);
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
