#pragma once

#include "core/ApplicationState.h"
#include "core/Result.h"
#include "entry/CheckDigit.h"
#include "entry/ListTotals.h"
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
    NameAccountListModel &payerRoster() { return m_payer; }
    NameAccountListModel &payrollRoster() { return m_payrollRoster; }
    RecordListModel &list(List which);
    const RecordListModel &list(List which) const { return const_cast<Workspace *>(this)->list(which); }
    static constexpr std::array<List, 5> AllLists{List::Batch, List::Payroll, List::BeneRoster,
                                                  List::PayerRoster, List::PayrollRoster};

    // What an operation did to a list, for whoever shows it.
    enum class Change
    {
        RowsAdded,   // a row typed in, or a payee kept in a roster
        RowReplaced, // 修改
        RowsRemoved, // 删除
        Loaded,      // rows of a file or a sheet, added to the list or in place of its rows
        Renewed,     // 新建: an empty list with no file of its own
    };

    // The operations a user performs on a list. Each keeps the list's changed flag (a row typed
    // in, changed or removed marks it; a successful save clears it) and emits listChanged once.
    void addPayment(const BatchPayment &payment);
    void addPayrollItem(const PayrollItem &item);
    void addBeneficiary(const Beneficiary &record);
    void addPayer(const Payer &record);
    void addPayrollBeneficiary(const PayrollBeneficiary &record);
    // Overwrites 1-based `row` with a record that has passed the list's checks: a row of a list
    // with branches is then no longer one to correct. False (and nothing changes) for a row out of range.
    bool replaceRow(List which, int row, const QStringList &texts);
    // Removes the given 1-based rows and answers how many went; the list is marked changed only
    // when rows went.
    int removeRows(List which, const QList<int> &rows);
    // Rows read from a file or a sheet, after the rows there are or in their place. A read
    // marks the list changed only when `markChanged` says so: rows read from the list's own
    // file are saved already.
    void loadRows(List which, QList<RecordListModel::Row> rows, bool replace, bool markChanged);
    // 新建: the list empties, unmarked, and forgets its file, so that 保存 asks for a new one.
    void renewList(List which);

    // A command reading a file into a list: while it is alive, loading rows into that list
    // emits nothing; its end emits listChanged(Loaded) once, whether rows came or not. So the
    // command tells the user what the read found before the totals follow the list, in the
    // order the user expects the messages.
    class Reading
    {
    public:
        Reading(Workspace &workspace, List which);
        ~Reading();
        Reading(const Reading &) = delete;
        Reading &operator=(const Reading &) = delete;

    private:
        Workspace &m_workspace;
        List m_which;
    };

    // The count and total the status bar shows for a list: the batch's total stops at the
    // ceiling; a roster has neither (0 and 0.00).
    ListTotal totalOf(List which) const;
    // Why the list cannot be saved as it is ("无记录保存！", a payroll row without a name), or
    // nothing.
    std::optional<QString> saveRefusal(List which) const;

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
    void listChanged(lgbatch::Workspace::List which, lgbatch::Workspace::Change change);

private:
    void changed(List which, Change change);

    const ApplicationState &m_state;
    QString m_programDir;
    ReferenceTables m_tables;
    CheckDigit m_checkDigit;
    BatchListModel m_batch;
    PayrollListModel m_payroll;
    BeneficiaryListModel m_bene;
    NameAccountListModel m_payer{NameAccountListModel::Kind::Payers};
    NameAccountListModel m_payrollRoster{NameAccountListModel::Kind::PayrollBeneficiaries};
    QDate m_transferDate;
    QString m_batchFile;
    QString m_payrollFile;
    std::array<int, AllLists.size()> m_readings{};
};

} // namespace lgbatch
