#pragma once

#include "core/ApplicationState.h"
#include "core/Result.h"
#include "entry/CheckDigit.h"
#include "entry/PaymentLists.h"
#include "refdata/ReferenceTables.h"
#include "rosters/RosterLists.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <array>

namespace lgbatch {

// What the program works on, without any widget: the reference tables, the check-digit
// weights, the five lists with their changed flags, the payroll's transfer date and the two
// remembered file names. The pages show it and the commands act on it; tests drive it
// directly.
class Workspace : public QObject
{
    Q_OBJECT
public:
    // The lists in the order of the tabs, which is also the order of the unsaved-changes
    // questions.
    enum class List
    {
        Batch,
        Payroll,
        BeneRoster,
        PayerRoster,
        PayrollRoster
    };

    Workspace(const ApplicationState &state, QString programDir, QObject *parent = nullptr);

    Edition edition() const { return m_state.edition(); }
    bool isCorporate() const { return m_state.isCorporate(); }
    const ApplicationState &state() const { return m_state; }
    // Where the reference tables, the rosters and the legacy list lie.
    const QString &programDir() const { return m_programDir; }
    QString programFile(const QString &name) const;

    // The four tables in their fixed order; the error is the first failing table's message.
    // The tables stay as they were on failure.
    Status loadReferenceTables();
    const ReferenceTables &tables() const { return m_tables; }

    void InitCheckDigitWeights() { m_checkDigit.InitCheckDigitWeights(); }
    const CheckDigit &checkDigit() const { return m_checkDigit; }

    BatchListModel &batchList() { return m_batch; }
    PayrollListModel &payrollList() { return m_payroll; }
    BeneficiaryListModel &beneRoster() { return m_bene; }
    PayerListModel &payerRoster() { return m_payer; }
    PayrollBeneficiaryListModel &payrollRoster() { return m_payrollRoster; }
    RecordListModel &list(List which);
    static constexpr std::array<List, 5> AllLists{List::Batch, List::Payroll, List::BeneRoster,
                                                  List::PayerRoster, List::PayrollRoster};

    // One transfer date for the whole payroll list.
    QDate transferDate() const { return m_transferDate; }
    void setTransferDate(QDate date);

    // The files the batch and payroll lists were last saved to or read from; 保存 writes to
    // them without asking.
    QString CurrentBatchFileName;
    QString CurrentPayrollFileName;

    // The file the batch or payroll list was last read from or written to, for the printed
    // summary to name: unlike the remembered names, never a name whose save failed. Empty
    // while the list has met no file, and for the rosters, whose files are fixed.
    QString fileOfList(List which) const;
    void setFileOfList(List which, const QString &fileName);

Q_SIGNALS:
    void transferDateChanged(QDate date);

private:
    const ApplicationState &m_state;
    QString m_programDir;
    ReferenceTables m_tables;
    CheckDigit m_checkDigit;
    BatchListModel m_batch;
    PayrollListModel m_payroll;
    BeneficiaryListModel m_bene;
    PayerListModel m_payer;
    PayrollBeneficiaryListModel m_payrollRoster;
    QDate m_transferDate;
    QString m_batchFile;
    QString m_payrollFile;
};

} // namespace lgbatch
