#pragma once

#include "AppServices.h"
#include "frmDirectCreditInput.h"

#include <QPointer>
#include <QWidget>

namespace lgbatch {

// The start-up window: the user picks the edition, which is fixed for the whole run.
class frmChoose : public QWidget
{
    Q_OBJECT
public:
    explicit frmChoose(AppServices &services, QWidget *parent = nullptr);

    // The main window created by the choice; null before it, or when its load step failed.
    frmDirectCreditInput *mainWindow() const { return m_main; }

private:
    void cmdCoporate_Click();
    void cmdPersonal_Click();
    void choose(Edition edition);
    void AppendEditionToTitle(Edition edition);

    AppServices &m_services;
    QPointer<frmDirectCreditInput> m_main;
};

} // namespace lgbatch
