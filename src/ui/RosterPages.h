#pragma once

#include "BeneInputPanel.h"
#include "ListPage.h"
#include "NameAccountPanel.h"

#include "rosters/RosterRules.h"
#include "workspace/Workspace.h"

namespace lgbatch {

class StatusPanels;

// Tab 2, 收款人名册: the beneficiary roster and its entry panel with the branch pickers.
class BeneRosterPage : public ListPage
{
    Q_OBJECT
public:
    BeneRosterPage(Workspace &workspace, Prompter &prompter, StatusPanels &status, QWidget *parent = nullptr);

    BeneInputPanel *frameBeneInput() const { return m_panel; }
    void refreshStatus() override;
    void runItemClick() override { lstBene_ItemClick(); }
    void runDelete() override { cmdDeleteBene_Click(); }
    // Empties the entry panel; the own-bank option keeps its state.
    void ClearBeneficiaryInput();
    void clearInput() override { ClearBeneficiaryInput(); }

private:
    bool ValidateBeneficiaryInput();
    void cmdAddBene_Click();
    void cmdEditBene_Click();
    void cmdDeleteBene_Click();
    void lstBene_ItemClick();

    Workspace &m_workspace;
    StatusPanels &m_status;
    BeneInputPanel *m_panel;
};

// What tells the payer roster (tab 3) and the payroll roster (tab 4) apart: both keep a name
// and an own-bank account.
struct SimpleRosterNames
{
    PageNames page;
    QString panel;          // framePayerInput
    QString nameLabel;      // "付款人名称："
    QString nameField;      // txtPayerName
    QString accountLabel;   // "付款人账号："
    QString accountField;   // txtPayerAccount
    Workspace::List roster; // PayerRoster or PayrollRoster
    NameAccountRules rules;

    static SimpleRosterNames payers();
    static SimpleRosterNames payrollBeneficiaries();
};

// Tabs 3 and 4: a roster of names and own-bank accounts.
class SimpleRosterPage : public ListPage
{
    Q_OBJECT
public:
    SimpleRosterPage(Workspace &workspace, const SimpleRosterNames &names, Prompter &prompter,
                     StatusPanels &status, QWidget *parent = nullptr);

    void refreshStatus() override;
    void runItemClick() override { itemClick(); }
    void runDelete() override { deleteClick(); }
    // ClearPayerInput / ClearPayrollBeneficiaryInput.
    void clearInput() override;

private:
    // ValidatePayerInput / ValidatePayrollBeneficiaryInput.
    bool validateInput();
    // cmdAddPayer_Click / cmdAddBenePayroll_Click.
    void addClick();
    // cmdEditPayer_Click / cmdEditBenePayroll_Click.
    void editClick();
    // cmdDeletePayer_Click / cmdDeleteBenePayroll_Click.
    void deleteClick();
    // lstPayer_ItemClick / lstBenePayroll_ItemClick.
    void itemClick();

    Workspace &m_workspace;
    NameAccountRules m_rules;
    StatusPanels &m_status;
    NameAccountPanel *m_panel = nullptr;
};

} // namespace lgbatch
