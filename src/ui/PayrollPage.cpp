#include "PayrollPage.h"

#include "HourGlass.h"
#include "StatusPanels.h"

#include "core/FieldText.h"
#include "entry/DuplicateIndex.h"
#include "entry/FieldRules.h"
#include "entry/PayrollValidation.h"

#include <QPushButton>

namespace lgbatch {

PayrollPage::PayrollPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent)
    : ListPage(workspace, Workspace::List::Payroll,
               {QStringLiteral("lstPayroll"), QStringLiteral("frameActionPayroll"),
                QStringLiteral("frameActionPayroll2"), QStringLiteral("cmdAddPayroll"),
                QStringLiteral("cmdEditPayroll"), QStringLiteral("cmdDeletePayroll"),
                QStringLiteral("cmdLoadPayroll"), QStringLiteral("cmdSavePayroll"),
                QStringLiteral("保存文件")},
               prompter, parent),
      m_workspace(workspace), m_status(status), m_panel(new PayrollInputPanel(workspace, prompter, this)),
      m_duplicates(new DuplicateIndex(workspace.payrollList(), PayrollListModel::BeneAccountColumn, -1, this))
{
    setPanel(m_panel);
    connect(m_panel, &PayrollInputPanel::forwardRequested, this, &ListPage::forwardRequested);
    // The picker shows the workspace's date, and a date the user picks is the workspace's.
    connect(&workspace, &Workspace::transferDateChanged, m_panel, &PayrollInputPanel::setTransferDate);
    connect(m_panel, &PayrollInputPanel::transferDateChanged, &workspace, &Workspace::setTransferDate);
    connect(addButton(), &QPushButton::clicked, this, &PayrollPage::cmdAddPayroll_Click);
    connect(editButton(), &QPushButton::clicked, this, &PayrollPage::cmdEditPayroll_Click);
    connect(deleteButton(), &QPushButton::clicked, this, &PayrollPage::cmdDeletePayroll_Click);
    connect(list(), &RecordListView::rowClicked, this, &PayrollPage::lstPayroll_ItemClick);
}

void PayrollPage::RefreshPayrollTotals()
{
    m_status.showListTotal(m_workspace.totalOf(Workspace::List::Payroll), prompter());
}

void PayrollPage::ClearPayrollInput()
{
    m_panel->clear();
}

std::optional<PayrollItem> PayrollPage::ValidatePayrollInput()
{
    Result<PayrollItem> record = lgbatch::ValidatePayrollInput(m_panel->record(), m_workspace.checkDigit());
    if (!record) {
        prompter().warning(record.error());
        return std::nullopt;
    }
    return std::move(record).value();
}

void PayrollPage::cmdAddPayroll_Click()
{
    HourGlass busy;
    const std::optional<PayrollItem> record = ValidatePayrollInput();
    if (!record || !confirmRepeatedPayee(*record))
        return;
    m_workspace.addPayrollItem(*record);
    offerToPayrollRoster(*record);
    ClearPayrollInput();
    m_panel->focusNewEntry();
}

bool PayrollPage::confirmRepeatedPayee(const PayrollItem &record)
{
    const int row = m_duplicates->firstRowWith(record.BeneAccount);
    return row == 0 ||
           prompter().question(QStringLiteral("第%1行已有相同收款人账号，确定再次增加吗？").arg(row),
                               Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

void PayrollPage::offerToPayrollRoster(const PayrollItem &record)
{
    if (m_workspace.payrollRoster().find(record.BeneName, record.BeneAccount) > 0)
        return;
    if (prompter().question(QStringLiteral("收款人不存在，需要保存到名册吗？"), Prompter::Buttons::YesNo) !=
        Prompter::Answer::Yes)
        return;
    // The roster file is "|"-separated: a name it cannot carry stays out of the roster, where
    // it would stop every later save of it. The row itself is in the payroll list already.
    if (const std::optional<QString> unstorable = firstUnstorableField(
            {{QStringLiteral("收款人名称"), record.BeneName}}, FieldText::PipeFileReserved)) {
        prompter().warning(*unstorable);
        return;
    }
    m_workspace.addPayrollBeneficiary({record.BeneName, record.BeneAccount});
}

void PayrollPage::cmdEditPayroll_Click()
{
    HourGlass busy;
    const int row = rowToEdit();
    if (row == 0)
        return;
    const std::optional<PayrollItem> record = ValidatePayrollInput();
    if (!record)
        return;
    // The panel shows what the row now holds (the amount in its display form).
    m_panel->showAmount(record->Amount);
    m_workspace.replaceRow(Workspace::List::Payroll, row, PayrollListModel::rowTextsOf(*record));
}

void PayrollPage::cmdDeletePayroll_Click()
{
    HourGlass busy;
    confirmAndRemoveSelectedRows();
}

void PayrollPage::lstPayroll_ItemClick()
{
    ClearPayrollInput();
    const int row = rowToLoad();
    if (row == 0)
        return;
    m_panel->showRecord(m_workspace.payrollList().ReadPayrollRow(row));
}

} // namespace lgbatch
