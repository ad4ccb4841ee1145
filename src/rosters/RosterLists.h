#pragma once

#include "RosterRecords.h"

#include "entry/RecordListModel.h"
#include "refdata/ReferenceTables.h"

namespace lgbatch {

// Every roster keeps the name in its first column and the account in its second.
inline constexpr int RosterNameColumn = 0;
inline constexpr int RosterAccountColumn = 1;

// The first row (from 1) whose name and account equal these texts exactly, or 0: a payer and a
// payroll beneficiary are known by name and account.
int findNameAndAccount(const RecordListModel &roster, const QString &name, const QString &account);

// The beneficiary roster `lstBene`. Only name, account, branch name and remark are stored;
// reading a row back derives the codes from the branch table.
class BeneficiaryListModel : public RecordListModel
{
    Q_OBJECT
public:
    static constexpr int RemarkColumn = 3;

    explicit BeneficiaryListModel(const ReferenceTables &tables, QObject *parent = nullptr);

    static QStringList rowTextsOf(const Beneficiary &record);

    void AddBeneficiary(const Beneficiary &record);
    Beneficiary ReadBeneficiaryRow(int index) const;
    // The first row (from 1) with exactly this name, account and remark, or 0: a beneficiary
    // is known by all three, so one account may be kept under several remarks.
    int findBeneficiary(const QString &name, const QString &account, const QString &remark) const;

private:
    const ReferenceTables &m_tables;
};

// The payer roster `lstPayer` and the payroll roster `lstBenePayroll`, which differ only in their
// headers: a name and an own-bank account per row, the bank column showing the own bank on every
// row. The procedures below read and write each roster in its own record type.
class NameAccountListModel : public RecordListModel
{
    Q_OBJECT
public:
    enum class Kind
    {
        Payers,
        PayrollBeneficiaries
    };

    explicit NameAccountListModel(Kind kind, QObject *parent = nullptr);

    static QStringList rowTextsOf(const QString &name, const QString &account);

    void addEntry(const QString &name, const QString &account);
    int find(const QString &name, const QString &account) const
    {
        return findNameAndAccount(*this, name, account);
    }
};

void AddPayer(NameAccountListModel &roster, const Payer &record);
Payer ReadPayerRow(const NameAccountListModel &roster, int index);
void AddPayrollBeneficiary(NameAccountListModel &roster, const PayrollBeneficiary &record);
PayrollBeneficiary ReadPayrollBeneficiaryRow(const NameAccountListModel &roster, int index);

} // namespace lgbatch
