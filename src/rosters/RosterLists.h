#pragma once

#include "RosterRecords.h"

#include "entry/RecordListModel.h"
#include "refdata/ReferenceTables.h"

namespace lgbatch {

// The beneficiary roster `lstBene`. Only name, account, branch name and remark are stored;
// reading a row back derives the codes from the branch table.
class BeneficiaryListModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit BeneficiaryListModel(const ReferenceTables &tables, QObject *parent = nullptr);

    static QStringList rowTextsOf(const Beneficiary &record);

    void AddBeneficiary(const Beneficiary &record);
    Beneficiary ReadBeneficiaryRow(int index) const;

private:
    const ReferenceTables &m_tables;
};

// The payer roster `lstPayer`; its bank column shows the own bank on every row.
class PayerListModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit PayerListModel(QObject *parent = nullptr);

    static QStringList rowTextsOf(const Payer &record);

    void AddPayer(const Payer &record);
    Payer ReadPayerRow(int index) const;
};

// The payroll roster `lstBenePayroll`; its bank column shows the own bank on every row.
class PayrollBeneficiaryListModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit PayrollBeneficiaryListModel(QObject *parent = nullptr);

    static QStringList rowTextsOf(const PayrollBeneficiary &record);

    void AddPayrollBeneficiary(const PayrollBeneficiary &record);
    PayrollBeneficiary ReadPayrollBeneficiaryRow(int index) const;
};

} // namespace lgbatch
