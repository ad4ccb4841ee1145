#pragma once

#include "BatchInputPanel.h"
#include "ListPage.h"
#include "PayrollInputPanel.h"

#include "workspace/Workspace.h"

namespace lgbatch {

class StatusPanels;

// Tab 0, 批量支付: the batch list and its entry panel.
class BatchPage : public ListPage
{
    Q_OBJECT
public:
    BatchPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent = nullptr);

    BatchInputPanel *frameInput() const { return m_panel; }

    void refreshStatus() override { RefreshBatchTotals(); }
    // Count and total of the batch into the status bar; a total above the ceiling is refused
    // with a warning and the status bar keeps what it showed.
    void RefreshBatchTotals();

private:
    Workspace &m_workspace;
    StatusPanels &m_status;
    BatchInputPanel *m_panel;
};

// Tab 1, 代发工资: the payroll list, its entry panel and the list's one transfer date.
class PayrollPage : public ListPage
{
    Q_OBJECT
public:
    PayrollPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent = nullptr);

    PayrollInputPanel *frameInputPayroll() const { return m_panel; }

    void refreshStatus() override { RefreshPayrollTotals(); }
    // Count and total of the payroll into the status bar; the payroll total has no ceiling.
    void RefreshPayrollTotals();

private:
    Workspace &m_workspace;
    StatusPanels &m_status;
    PayrollInputPanel *m_panel;
};

} // namespace lgbatch
