#pragma once

#include "BranchPicker.h"
#include "PanelWidgets.h"

#include "rosters/RosterRules.h"

#include <QFrame>

class QLineEdit;
class QRadioButton;

namespace lgbatch {

// The entry panel of the beneficiary roster tab: name, account, the own-bank question, the
// beneficiary's branch and the remark.
class BeneInputPanel : public QFrame
{
    Q_OBJECT
public:
    BeneInputPanel(const ReferenceTables &tables, Prompter &prompter, QWidget *parent = nullptr);

    // The panel's texts as the user left them.
    BeneficiaryPanelInput panelInput() const;

    BranchPicker *branchPicker() const { return m_branch; }
    QLineEdit *txtBeneName() const { return m_name; }
    QLineEdit *txtBeneAccount() const { return m_account; }
    QRadioButton *optYes2() const { return m_ownBank.yes; }
    QRadioButton *optNo2() const { return m_ownBank.no; }
    QLineEdit *txtRemark3() const { return m_remark; }

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
