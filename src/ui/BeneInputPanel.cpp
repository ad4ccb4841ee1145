#include "BeneInputPanel.h"

#include "PanelWidgets.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lgbatch {

BeneInputPanel::BeneInputPanel(const ReferenceTables &tables, Prompter &prompter, QWidget *parent)
    : QFrame(parent),
      // This panel's branch text is free to edit, so any change of it drops a redirect note.
      m_branch(new BranchPicker(tables, prompter,
                                {QStringLiteral("2"), BranchPicker::RedirectNoteRemoval::OnBranchTextChange},
                                this)),
      m_remark(makeTextField(this, QStringLiteral("txtRemark3"), RemarkMaxLength))
{
    setObjectName(QStringLiteral("frameBeneInput"));
    setFrameShape(QFrame::StyledPanel);
    auto *form = new QFormLayout;
    m_branch->addRowsTo(form);
    form->addRow(QStringLiteral("备注："), m_remark);
    m_branch->setRemarkBox(m_remark);
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addStretch();
}

} // namespace lgbatch
