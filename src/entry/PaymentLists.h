#pragma once

#include "BatchPayment.h"
#include "PayrollItem.h"
#include "RecordListModel.h"

#include "core/ApplicationState.h"
#include "refdata/ReferenceTables.h"

namespace lgbatch {

// The batch list `lstData`: eight columns in the corporate edition, six in the personal one
// (no payer columns). The derived branch codes are not stored; they are looked up again
// whenever a row is read back.
class BatchListModel : public RecordListModel
{
    Q_OBJECT
public:
    BatchListModel(Edition edition, const ReferenceTables &tables, QObject *parent = nullptr);

    static QStringList headersFor(Edition edition);

    Edition edition() const { return m_edition; }
    // The 0-based column of the amounts.
    int amountColumn() const;
    // The 0-based columns of the beneficiaries' and the payers' accounts (-1: the personal
    // edition shows no payer).
    int beneAccountColumn() const;
    int payerAccountColumn() const;
    // The cells of a record in this list's column layout.
    QStringList rowTextsOf(const BatchPayment &record) const;

    void AddBatchRow(const BatchPayment &record);
    // Row `index` (1-based) as a record, with its branch codes derived from the branch name.
    BatchPayment ReadBatchRow(int index) const;

private:
    Edition m_edition;
    const ReferenceTables &m_tables;
};

// The payroll list `lstPayroll`: every payee is at the own bank, whose name the bank column
// shows on every row.
class PayrollListModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit PayrollListModel(QObject *parent = nullptr);

    static QStringList rowTextsOf(const PayrollItem &record);
    static constexpr int BeneAccountColumn = 1;
    static constexpr int AmountColumn = 3;

    void AddPayrollRow(const PayrollItem &record);
    PayrollItem ReadPayrollRow(int index) const;
};

} // namespace lgbatch
