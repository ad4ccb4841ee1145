#pragma once

#include "AppServices.h"

#include "entry/CheckDigit.h"
#include "refdata/ReferenceTables.h"

#include <QMainWindow>

class QDateEdit;
class QTabWidget;

namespace lgbatch {

class BatchInputPanel;
class BeneInputPanel;

// The working window: one tab per list, each with its entry panel.
class frmDirectCreditInput : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmDirectCreditInput(AppServices &services, QWidget *parent = nullptr);

    // The load step. Answers false when a reference table could not be read: its message has
    // been shown and the end of the process requested, so the window must not be shown.
    bool Form_Load();

    enum Tab
    {
        TabBatch = 0,
        TabPayroll = 1,
        TabBeneRoster = 2,
        TabPayerRoster = 3,
        TabPayrollRoster = 4
    };

    QTabWidget *tabInput() const { return m_tabs; }
    BatchInputPanel *frameInput() const { return m_batchPanel; }
    BeneInputPanel *frameBeneInput() const { return m_benePanel; }
    QDateEdit *DTPickerTransferDate2() const { return m_transferDate; }
    const ReferenceTables &tables() const { return m_tables; }

protected:
    bool event(QEvent *event) override;

private:
    bool loadReferenceTables();
    void Form_Activate();
    void MigrateLegacyBeneList();
    void About_Click();
    QWidget *makePage(QWidget *panel);

    AppServices &m_services;
    ReferenceTables m_tables;
    CheckDigit m_checkDigit;
    QTabWidget *m_tabs;
    BatchInputPanel *m_batchPanel;
    BeneInputPanel *m_benePanel;
    QDateEdit *m_transferDate;
};

} // namespace lgbatch
