#include "PayrollPage.h"

#include "FieldBehaviours.h"
#include "HourGlass.h"
#include "RosterPicker.h"
#include "StatusPanels.h"

#include "core/FieldText.h"
#include "entry/DuplicateIndex.h"
#include "entry/FieldRules.h"
#include "entry/PayrollValidation.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
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
      m_workspace(workspace), m_status(status), m_panel(new PayrollInputPanel(this)),
      m_duplicates(new DuplicateIndex(workspace.payrollList(), PayrollListModel::BeneAccountColumn, -1, this))
{
    setPanel(m_panel);
    new RosterPicker(workspace.payrollRoster(), m_panel->cbBeneName2(), m_panel->cbBeneAccount2());
    // The picker shows the workspace's date, and a date the user picks is the workspace's.
    QDateEdit *date = m_panel->DTPickerTransferDate2();
    connect(&workspace, &Workspace::transferDateChanged, date, &QDateEdit::setDate);
    connect(date, &QDateEdit::dateChanged, &workspace, &Workspace::setTransferDate);
    connect(addButton(), &QPushButton::clicked, this, &PayrollPage::cmdAddPayroll_Click);
    connect(editButton(), &QPushButton::clicked, this, &PayrollPage::cmdEditPayroll_Click);
    connect(deleteButton(), &QPushButton::clicked, this, &PayrollPage::cmdDeletePayroll_Click);
    connect(list(), &RecordListView::rowClicked, this, &PayrollPage::lstPayroll_ItemClick);
    installFieldBehaviours();
}

void PayrollPage::installFieldBehaviours()
{
    const auto bringForward = [this] { Q_EMIT forwardRequested(); };
    FieldBehaviours::installAmountField(m_panel->txtAmount2(), prompter(), bringForward);
    // Every payroll payee is at the own bank: the account-or-card test always runs.
    const AccountFieldRule account{QStringLiteral("收款人账号/卡号错误！"),
                                   AccountFieldRule::OwnBank::AccountOrCard,
                                   QStringLiteral("收款人账号/卡号错误，必须为本行账号/卡号！")};
    FieldBehaviours::installAccountField(
        m_panel->cbBeneAccount2(), account, [] { return true; }, m_workspace.checkDigit(), prompter(),
        bringForward);
}

void PayrollPage::RefreshPayrollTotals()
{
    m_status.showListTotal(m_workspace.totalOf(Workspace::List::Payroll), prompter());
}

void PayrollPage::onListChanged(Workspace::Change change)
{
    ListPage::onListChanged(change);
    if (change == Workspace::Change::Renewed)
        ClearPayrollInput();
    RefreshPayrollTotals();
}

void PayrollPage::ClearPayrollInput()
{
    m_panel->cbBeneName2()->setEditText(QString());
    m_panel->cbBeneAccount2()->setEditText(QString());
    m_panel->txtAmount2()->setText(QStringLiteral("0.00"));
    m_panel->txtRemark2()->clear();
}

std::optional<PayrollItem> PayrollPage::ValidatePayrollInput()
{
    Result<PayrollItem> record =
        lgbatch::ValidatePayrollInput(m_panel->panelInput(), m_workspace.checkDigit());
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
    m_panel->cbBeneName2()->setFocus(Qt::OtherFocusReason);
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
    m_panel->txtAmount2()->setText(record->Amount);
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
    const PayrollItem record = m_workspace.payrollList().ReadPayrollRow(row);
    m_panel->cbBeneName2()->setEditText(record.BeneName);
    m_panel->cbBeneAccount2()->setEditText(record.BeneAccount);
    m_panel->txtAmount2()->setText(record.Amount);
    m_panel->txtRemark2()->setText(record.Remark);
}

} // namespace lgbatch
