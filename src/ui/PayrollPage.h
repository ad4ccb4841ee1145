#pragma once

#include "ListPage.h"
#include "PayrollInputPanel.h"

#include "workspace/Workspace.h"

#include <optional>

namespace lgbatch {

class DuplicateIndex;
class StatusPanels;

// Tab 1, 代发工资: the payroll list, its entry panel and the list's one transfer date.
class PayrollPage : public ListPage
{
    Q_OBJECT
public:
    PayrollPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent = nullptr);

    void refreshStatus() override { RefreshPayrollTotals(); }
    void runItemClick() override { lstPayroll_ItemClick(); }
    void runDelete() override { cmdDeletePayroll_Click(); }
    // Count and total of the payroll into the status bar; the payroll total has no ceiling.
    void RefreshPayrollTotals();
    void ClearPayrollInput();
    void clearInput() override { ClearPayrollInput(); }

private:
    void cmdAddPayroll_Click();
    void cmdEditPayroll_Click();
    void cmdDeletePayroll_Click();
    void lstPayroll_ItemClick();
    // The row the panel stands for, or nothing once the first failing rule's warning is shown.
    std::optional<PayrollItem> ValidatePayrollInput();
    // Before an Add: true unless the list already pays this account and the user answers 否
    // to paying it again.
    bool confirmRepeatedPayee(const PayrollItem &record);
    // Offers to keep a payee the payroll roster does not hold under this name and account.
    void offerToPayrollRoster(const PayrollItem &record);

    Workspace &m_workspace;
    StatusPanels &m_status;
    PayrollInputPanel *m_panel;
    DuplicateIndex *m_duplicates;
};

} // namespace lgbatch
