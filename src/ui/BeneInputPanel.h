#pragma once

#include "BranchPicker.h"

#include <QFrame>

class QLineEdit;

namespace lgbatch {

// The entry panel of the beneficiary roster tab: the beneficiary's branch and remark.
class BeneInputPanel : public QFrame
{
    Q_OBJECT
public:
    BeneInputPanel(const ReferenceTables &tables, Prompter &prompter, QWidget *parent = nullptr);

    BranchPicker *branchPicker() const { return m_branch; }
    QLineEdit *txtRemark3() const { return m_remark; }

private:
    BranchPicker *m_branch;
    QLineEdit *m_remark;
};

} // namespace lgbatch
