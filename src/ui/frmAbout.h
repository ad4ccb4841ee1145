#pragma once

#include "core/ApplicationState.h"

#include <QDialog>

namespace lgbatch {

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(const ApplicationState &state, QWidget *parent = nullptr);

    // "版本 4.2.3", as the chooser shows it too.
    static QString versionCaption(const Version &version = ProgramVersion);

private:
    void cmdOK_Click();
};

} // namespace lgbatch
