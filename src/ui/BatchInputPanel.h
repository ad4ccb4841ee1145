#pragma once

#include "BranchPicker.h"

#include "core/ApplicationState.h"
#include "entry/BatchPayment.h"
#include "entry/BatchValidation.h"

#include <QFrame>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;

namespace lgbatch {

// The entry panel of the batch payments tab: payer block above the beneficiary block, with
// the branch pickers, amount, payment mode and remark.
class BatchInputPanel : public QFrame
{
    Q_OBJECT
public:
    BatchInputPanel(const ApplicationState &state, const ReferenceTables &tables,
                    const CheckDigit &checkDigit, Prompter &prompter, QWidget *parent = nullptr);

    // Checks the panel rule by rule; shows the first failing rule's message and answers false.
    // In the personal edition it sets the payment mode from the amount once that has passed.
    bool ValidateBatchInput();

    BatchPanelInput panelInput() const;
    // The payment the panel describes, as Add and Edit store it: the own bank's name as the
    // branch whenever 是 is chosen, whatever the branch picker shows.
    BatchPayment record() const;

    // The personal edition's panel: no payer block and no payment mode (the validation sets
    // it from the amount); the beneficiary block moves to the top and the remark up into the
    // freed row.
    void usePersonalLayout();

    BranchPicker *branchPicker() const { return m_branch; }
    QFrame *payerFrame() const { return m_payerFrame; }
    QFrame *beneFrame() const { return m_beneFrame; }
    QComboBox *cbPayerName() const { return m_payerName; }
    QComboBox *cbPayerAccount() const { return m_payerAccount; }
    QComboBox *cbBeneName() const { return m_beneName; }
    QComboBox *cbBeneAccount() const { return m_beneAccount; }
    QRadioButton *optYes() const { return m_optYes; }
    QRadioButton *optNo() const { return m_optNo; }
    QLineEdit *txtAmount() const { return m_amount; }
    QComboBox *cbEmergency() const { return m_emergency; }
    QLineEdit *txtRemark() const { return m_remark; }

private:
    void optYes_Click();
    void optNo_Click();

    const ApplicationState &m_state;
    const ReferenceTables &m_tables;
    const CheckDigit &m_checkDigit;
    Prompter &m_prompter;

    QFrame *m_payerFrame;
    QFrame *m_beneFrame;
    QFormLayout *m_beneForm = nullptr;
    QComboBox *m_payerName;
    QComboBox *m_payerAccount;
    QComboBox *m_beneName;
    QComboBox *m_beneAccount;
    BranchPicker *m_branch;
    QRadioButton *m_optYes = nullptr;
    QRadioButton *m_optNo = nullptr;
    QLineEdit *m_amount;
    QComboBox *m_emergency;
    QLineEdit *m_remark;
};

} // namespace lgbatch
