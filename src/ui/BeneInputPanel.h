#pragma once

#include "BranchPicker.h"
#include "PanelWidgets.h"

#include "rosters/RosterRecords.h"
#include "rosters/RosterRules.h"

#include <QFrame>

class QLineEdit;
class QRadioButton;

namespace lgbatch {

class CheckDigit;

// The entry panel of the beneficiary roster tab: name, account, the own-bank question, the
// beneficiary's branch and the remark.
class BeneInputPanel : public QFrame
{
    Q_OBJECT
public:
    BeneInputPanel(const ReferenceTables &tables, const CheckDigit &checkDigit, Prompter &prompter,
                   QWidget *parent = nullptr);

    // The panel's texts as the user left them.
    BeneficiaryPanelInput panelInput() const;
    // The beneficiary Add and Edit store (`beneficiaryOf` the panel's texts).
    Beneficiary record() const;
    // Puts a beneficiary into the emptied panel: its texts, 是 or 否 with the branch name, and
    // its province, city, bank and branch in the pickers (which set the remark again).
    void showRecord(const Beneficiary &bene);
    // ClearBeneficiaryInput: no selection in the branch pickers, empty name, account and
    // remark. The own-bank option keeps its state.
    void clear();
    // The focus where the next beneficiary begins: the name.
    void focusNewEntry();
    // 是 or 否 of "是否本行账号?", as the user's choice would.
    void setOwnBank(bool ownBank);
    // Province and bank pickers from the loaded tables.
    void fillBranchPickers();

Q_SIGNALS:
    // A field refused its text: the panel's tab must come to the front before the message.
    void forwardRequested();

private:
    void optYes2_Click();
    void optNo2_Click();

    QLineEdit *m_name;
    QLineEdit *m_account;
    BranchPicker *m_branch;
    QLineEdit *m_remark;
    OwnBankOption m_ownBank{};
};

} // namespace lgbatch
