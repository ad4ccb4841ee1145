#include "NameAccountPanel.h"

#include "FieldBehaviours.h"
#include "PanelWidgets.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lgbatch {

NameAccountPanel::NameAccountPanel(const Names &names, const AccountFieldRule &accountRule,
                                   const CheckDigit &checkDigit, Prompter &prompter, QWidget *parent)
    : QFrame(parent), m_name(makeTextField(this, names.nameField)),
      m_account(makeTextField(this, names.accountField))
{
    setObjectName(names.panel);
    setFrameShape(QFrame::StyledPanel);
    auto *form = new QFormLayout;
    addLabelledRow(form, names.nameLabel, m_name);
    addLabelledRow(form, names.accountLabel, m_account);
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addStretch();
    // Both rosters take only own-bank numbers: the account is tested whenever it is left.
    FieldBehaviours::installAccountField(
        m_account, accountRule, [] { return true; }, checkDigit, prompter,
        [this] { Q_EMIT forwardRequested(); });
}

QString NameAccountPanel::name() const
{
    return m_name->text();
}

QString NameAccountPanel::account() const
{
    return m_account->text();
}

void NameAccountPanel::showRecord(const QString &name, const QString &account)
{
    m_name->setText(name);
    m_account->setText(account);
}

void NameAccountPanel::clear()
{
    m_name->clear();
    m_account->clear();
}

void NameAccountPanel::focusNewEntry()
{
    m_name->setFocus(Qt::OtherFocusReason);
}

} // namespace lgbatch
