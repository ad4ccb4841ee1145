#pragma once

#include "BranchPicker.h"
#include "PanelWidgets.h"

#include "entry/BatchPayment.h"
#include "entry/BatchValidation.h"
#include "rosters/RosterRecords.h"

#include <QFrame>

class QComboBox;
class QFormLayout;
class QLineEdit;

namespace lgbatch {

class Workspace;

// The entry panel of the batch payments tab: payer block above the beneficiary block, with
// the branch pickers, amount, payment mode and remark. The payer and beneficiary pickers offer
// the workspace's payer and beneficiary rosters.
class BatchInputPanel : public QFrame
{
    Q_OBJECT
public:
    BatchInputPanel(Workspace &workspace, Prompter &prompter, QWidget *parent = nullptr);

    // Checks the panel rule by rule; shows the first failing rule's message and answers false.
    // In the personal edition it sets the payment mode from the amount once that has passed.
    bool ValidateBatchInput();

    BatchPanelInput panelInput() const;
    // The payment the panel describes, as Add and Edit store it: the own bank's name as the
    // branch whenever 是 is chosen, whatever the branch picker shows.
    BatchPayment record() const;
    // Puts a payment into the emptied panel: its texts, 是 or 否 with the branch name, and its
    // province, city, bank and branch in the pickers (which set the remark again).
    void showRecord(const BatchPayment &payment);
    // The bank of a beneficiary picked from the roster: 是 or 否 with the branch name, the
    // remark, and the branch in the pickers.
    void showBeneficiaryBank(const Beneficiary &bene);
    // ClearBatchInput: no selection in the branch pickers, empty names and accounts, amount
    // "0.00", no payment mode, empty remark. The own-bank option keeps its state.
    void clear();
    // The payer of the last row, kept for the next one.
    void showPayer(const QString &name, const QString &account);
    // The focus where the next payment begins: the beneficiary's name.
    void focusNewEntry();
    // 是 or 否 of "是否本行账号?", as the user's choice would.
    void setOwnBank(bool ownBank);
    // Province and bank pickers from the loaded tables.
    void fillBranchPickers();
    // The amount in its shown form (and capped), as leaving the field would; false when it is
    // refused, with the field's message shown and the focus back.
    bool settleAmount();

    // The personal edition's panel: no payer block and no payment mode (the validation sets
    // it from the amount); the beneficiary block moves to the top and the remark up into the
    // freed row.
    void usePersonalLayout();

Q_SIGNALS:
    // A field refused its text: the panel's tab must come to the front before the message.
    void forwardRequested();
    // cbBeneAccount_Click: the beneficiary account picker's selection changed (-1: none).
    void beneAccountIndexChanged(int index);

private:
    void installFieldBehaviours();
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
    OwnBankOption m_ownBank{};
    QLineEdit *m_amount;
    QComboBox *m_emergency;
    QLineEdit *m_remark;
};

} // namespace lgbatch
