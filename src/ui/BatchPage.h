#pragma once

#include "BatchInputPanel.h"
#include "ListPage.h"

#include "workspace/Workspace.h"

namespace lgbatch {

class DuplicateIndex;
class StatusPanels;

// Tab 0, 批量支付: the batch list and its entry panel.
class BatchPage : public ListPage
{
    Q_OBJECT
public:
    BatchPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent = nullptr);

    BatchInputPanel *frameInput() const { return m_panel; }

    void refreshStatus() override { RefreshBatchTotals(); }
    void runItemClick() override { lstData_ItemClick(); }
    void runDelete() override { cmdDelete_Click(); }
    // Count and total of the batch into the status bar; a total above the ceiling is refused
    // with a warning and the status bar keeps what it showed.
    void RefreshBatchTotals();
    // Empties the entry panel; the own-bank option keeps its state.
    void ClearBatchInput();
    void clearInput() override { ClearBatchInput(); }
    // The personal edition's panel (the list has its six columns from the start).
    void usePersonalLayout() { m_panel->usePersonalLayout(); }

private:
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void lstData_ItemClick();
    void cbBeneAccount_Click(int index);
    // Before an Add: true unless the list already pays this account this amount and the user
    // answers 否 to adding it again.
    bool settleAmount();
    bool confirmRepeatedPayment(const BatchPayment &payment);
    // After an Add: offers to keep a payer or beneficiary that its roster does not hold yet.
    void offerPayerToRoster(const BatchPayment &payment);
    void offerBeneficiaryToRoster(const BatchPayment &payment);

    Workspace &m_workspace;
    StatusPanels &m_status;
    BatchInputPanel *m_panel;
    DuplicateIndex *m_duplicates;
};

} // namespace lgbatch
