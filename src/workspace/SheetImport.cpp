#include "SheetImport.h"

#include "core/Amount.h"
#include "entry/BatchValidation.h"
#include "entry/FieldRules.h"
#include "entry/ListTotals.h"
#include "entry/PayrollValidation.h"
#include "refdata/KeyIndex.h"
#include "rosters/RosterRules.h"

#include <QSet>

namespace lgbatch {

namespace {

// The payment lists count their rows in 16 bits.
constexpr int PaymentListLimit = 32767;
constexpr int ProgressEveryRows = 256;
// What a sheet's own count of its rows may set aside: beyond the largest payment list.
constexpr qsizetype RowsReservedAtMost = 65536;

using FieldTexts = std::array<QString, SheetFieldCount>;

const QString &text(const FieldTexts &texts, SheetField field)
{
    return texts[std::size_t(field)];
}

// Why a row cannot go in, and the field to point the user to.
struct RowFault
{
    SheetField field;
    QString message;
};

// The field a rule's message speaks of, by the words it starts with.
SheetField fieldOfMessage(const QString &message)
{
    static const QList<std::pair<QStringView, SheetField>> starts{
        {u"付款人名称", SheetField::PayerName}, {u"付款人账号", SheetField::PayerAccount},
        {u"收款人名称", SheetField::BeneName},  {u"收款人账号", SheetField::BeneAccount},
        {u"收款开户", SheetField::Bank},        {u"收款银行", SheetField::Bank},
        {u"收款账号开户行", SheetField::Bank},  {u"支付方式", SheetField::Emergency},
        {u"备注", SheetField::Remark},
    };
    for (const auto &[start, field] : starts) {
        if (message.startsWith(start))
            return field;
    }
    return SheetField::Amount;
}

bool isUrgentText(const QString &text)
{
    return text == urgentMode() || text == u"是" || text == u"1";
}

bool isNonUrgentText(const QString &text)
{
    return text == nonUrgentMode() || text == u"否" || text == u"0";
}

bool isBranchCode(const QString &text)
{
    return text.size() == 12 &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A spreadsheet shows a long number it holds as a number in scientific notation, and a CSV saved
// from it keeps only that: the account's last digits are gone.
std::optional<RowFault> scientificAccount(const FieldTexts &texts)
{
    for (SheetField field : {SheetField::PayerAccount, SheetField::BeneAccount}) {
        const QString &account = text(texts, field);
        if ((account.contains(u'E') || account.contains(u'e')) && NumberFormat::isNumeric(account))
            return RowFault{
                field,
                QStringLiteral("账号“%1”是科学计数法，末几位已丢失，请在表格中把账号设为文本后重新填写！")
                    .arg(account)};
    }
    return std::nullopt;
}

std::optional<RowFault> longRemark(const QString &remark)
{
    if (remark.size() <= RemarkMaxLength)
        return std::nullopt;
    return RowFault{SheetField::Remark, QStringLiteral("备注不能超过%1个字！").arg(RemarkMaxLength)};
}

// Turns the texts of one row into a row of the list, by the list's Add rules.
class RowRules
{
public:
    RowRules(Workspace &workspace, Workspace::List list, bool clearFirst)
        : m_workspace(workspace), m_tables(workspace.tables()), m_checkDigit(workspace.checkDigit()),
          m_list(list)
    {
        if (!clearFirst && list != Workspace::List::Batch && list != Workspace::List::Payroll)
            rememberRosterRows();
    }

    std::variant<QStringList, RowFault> check(const FieldTexts &texts)
    {
        if (std::optional<RowFault> fault = scientificAccount(texts))
            return *fault;
        switch (m_list) {
        case Workspace::List::Batch:
            return batchRow(texts);
        case Workspace::List::Payroll:
            return payrollRow(texts);
        case Workspace::List::BeneRoster:
            return beneficiaryRow(texts);
        case Workspace::List::PayerRoster:
            return nameAccountRow(texts, NameAccountRules::payers(), SheetField::PayerName,
                                  SheetField::PayerAccount);
        case Workspace::List::PayrollRoster:
            return nameAccountRow(texts, NameAccountRules::payrollBeneficiaries(), SheetField::BeneName,
                                  SheetField::BeneAccount);
        }
        return RowFault{SheetField::BeneName, QString()};
    }

private:
    struct Branch
    {
        bool ownBank = false;
        QString name;
        BranchFields codes;
    };

    // The branch a cell names: the own bank by its name (or its marker), a branch by its exact
    // name or by its 12-digit code.
    Branch branchOf(const QString &cell)
    {
        Branch branch;
        if (cell == ownBankName() || cell == ownBankMarker()) {
            branch.ownBank = true;
            branch.name = ownBankName();
            return branch;
        }
        branch.name = cell;
        if (isBranchCode(cell)) {
            if (const qsizetype row = branchWithCode(cell); row >= 0)
                branch.name = m_tables.BankCodeTable().name(row).toString();
        }
        branch.codes = m_tables.codesOfBranchName(branch.name);
        return branch;
    }

    qsizetype branchWithCode(const QString &code)
    {
        const BranchTable &rows = m_tables.BankCodeTable();
        const auto codeOf = [&rows](qsizetype row) { return rows.code(row); };
        // Built at the first code met: sheets that name their branches never pay for it.
        if (!m_codeIndexBuilt) {
            m_codeIndex.build(rows.size(), rows.size(), KeyIndex::Rows::FirstOnly, codeOf);
            m_codeIndexBuilt = true;
        }
        return m_codeIndex.first(code, codeOf);
    }

    // The panel's province, city and bank pickers have no column of their own: the branch
    // decides them, as picking it would. A branch the table does not know leaves them as the
    // cell, so that the rules speak of the branch, not of a province nobody typed.
    template <typename Panel> void fillBranch(Panel &panel, const Branch &branch)
    {
        panel.OwnBank = branch.ownBank;
        panel.Bank = branch.ownBank ? QString() : branch.name;
        const QString unknown = branch.name.isEmpty() ? QStringLiteral("-") : branch.name;
        const bool known = !branch.codes.BankCode.isEmpty();
        panel.State = known ? branch.codes.StateCode : unknown;
        panel.City = known ? branch.codes.CityCode : unknown;
        panel.BankType = known ? branch.codes.BankTypeCode : unknown;
    }

    std::variant<QStringList, RowFault> batchRow(const FieldTexts &texts)
    {
        const bool corporate = m_workspace.isCorporate();
        BatchPanelInput panel;
        if (corporate) {
            panel.PayerName = text(texts, SheetField::PayerName);
            panel.PayerAccount = text(texts, SheetField::PayerAccount);
        }
        panel.BeneName = text(texts, SheetField::BeneName);
        panel.BeneAccount = text(texts, SheetField::BeneAccount);
        const Branch branch = branchOf(text(texts, SheetField::Bank));
        fillBranch(panel, branch);
        const QString &amountCell = text(texts, SheetField::Amount);
        const AmountFieldCheck amount = checkAmountField(amountCell);
        panel.Amount = amount.message ? amountCell : amount.text;
        panel.Remark = text(texts, SheetField::Remark);
        if (corporate) {
            const QString &mode = text(texts, SheetField::Emergency);
            if (isUrgentText(mode)) {
                panel.Emergency = urgentMode();
            } else if (isNonUrgentText(mode)) {
                panel.Emergency = nonUrgentMode();
            } else if (mode.isEmpty()) {
                const double value = NumberFormat::toDouble(panel.Amount).value_or(0);
                panel.Emergency = value > CorporateUrgentThreshold ? urgentMode() : nonUrgentMode();
            }
        }
        const BatchValidation validation =
            ValidateBatchInput(panel, m_workspace.edition(), m_tables, m_checkDigit);
        if (validation.failure)
            return RowFault{fieldOfMessage(*validation.failure), *validation.failure};
        // The payer account is checked when its field is left; a sheet has no field to leave.
        if (corporate) {
            const AccountFieldRule payerAccount{QString(), AccountFieldRule::OwnBank::AccountOnly,
                                                QStringLiteral("付款人账号错误！")};
            if (auto message = checkAccountField(panel.PayerAccount, payerAccount, true, m_checkDigit))
                return RowFault{SheetField::PayerAccount, *message};
        }
        if (amount.message)
            return RowFault{SheetField::Amount, *amount.message};
        if (std::optional<RowFault> fault = longRemark(panel.Remark))
            return *fault;
        BatchPayment payment;
        payment.PayerName = panel.PayerName;
        payment.PayerAccount = panel.PayerAccount;
        payment.BeneName = panel.BeneName;
        payment.BeneAccount = panel.BeneAccount;
        payment.BankName = branch.name;
        payment.Amount = panel.Amount;
        payment.Emergency = validation.emergencyToSet.value_or(panel.Emergency);
        payment.Remark = panel.Remark;
        return m_workspace.batchList().rowTextsOf(payment);
    }

    std::variant<QStringList, RowFault> payrollRow(const FieldTexts &texts)
    {
        const PayrollItem panel{text(texts, SheetField::BeneName), text(texts, SheetField::BeneAccount),
                                text(texts, SheetField::Amount), text(texts, SheetField::Remark)};
        const Result<PayrollItem> item = ValidatePayrollInput(panel, m_checkDigit);
        if (!item)
            return RowFault{fieldOfMessage(item.error()), item.error()};
        return PayrollListModel::rowTextsOf(item.value());
    }

    std::variant<QStringList, RowFault> beneficiaryRow(const FieldTexts &texts)
    {
        BeneficiaryPanelInput panel;
        panel.BeneName = text(texts, SheetField::BeneName);
        panel.BeneAccount = text(texts, SheetField::BeneAccount);
        const Branch branch = branchOf(text(texts, SheetField::Bank));
        fillBranch(panel, branch);
        panel.Remark = text(texts, SheetField::Remark);
        if (const std::optional<QString> message = ValidateBeneficiaryInput(panel, m_tables, m_checkDigit))
            return RowFault{fieldOfMessage(*message), *message};
        if (std::optional<RowFault> fault = longRemark(panel.Remark))
            return *fault;
        Beneficiary record = beneficiaryOf(panel);
        record.BankName = branch.name;
        if (!isNew({record.BeneName, record.BeneAccount, record.Remark}))
            return RowFault{SheetField::BeneAccount, QStringLiteral("收款人账号已存在！")};
        return BeneficiaryListModel::rowTextsOf(record);
    }

    std::variant<QStringList, RowFault> nameAccountRow(const FieldTexts &texts, const NameAccountRules &rules,
                                                       SheetField nameField, SheetField accountField)
    {
        const QString &name = text(texts, nameField);
        const QString &account = text(texts, accountField);
        if (const std::optional<QString> message = validateNameAndAccount(rules, name, account, m_checkDigit))
            return RowFault{message == rules.nameMessage ? nameField : accountField, *message};
        if (!isNew({name, account}))
            return RowFault{accountField, rules.duplicateMessage};
        return m_list == Workspace::List::PayerRoster ? NameAccountListModel::rowTextsOf(name, account)
                                                      : NameAccountListModel::rowTextsOf(name, account);
    }

    // A roster refuses what it holds already, as its Add does: the rows kept by an appending
    // import and the sheet's own earlier rows.
    bool isNew(const QStringList &identity)
    {
        const QString key = identity.join(QChar(0x1F));
        if (m_known.contains(key))
            return false;
        m_known.insert(key);
        return true;
    }

    void rememberRosterRows()
    {
        const RecordListModel &roster = m_workspace.list(m_list);
        for (int row = 1; row <= roster.count(); ++row) {
            QStringList identity{roster.cellText(row, RosterNameColumn),
                                 roster.cellText(row, RosterAccountColumn)};
            if (m_list == Workspace::List::BeneRoster)
                identity.append(roster.cellText(row, BeneficiaryListModel::RemarkColumn));
            m_known.insert(identity.join(QChar(0x1F)));
        }
    }

    Workspace &m_workspace;
    const ReferenceTables &m_tables;
    const CheckDigit &m_checkDigit;
    Workspace::List m_list;
    KeyIndex m_codeIndex;
    bool m_codeIndexBuilt = false;
    QSet<QString> m_known;
};

// The payer, the branch and the remark repeat down a sheet: each text is kept once and shared by
// the rows, so that a large list costs little more than its names and accounts. A column whose
// texts hardly repeat stops being remembered.
class RepeatedTexts
{
public:
    void keepOnce(SheetField field, QString &text)
    {
        if (field != SheetField::PayerName && field != SheetField::PayerAccount &&
            field != SheetField::Bank && field != SheetField::Remark)
            return;
        QSet<QString> &seen = m_seen[std::size_t(field)];
        if (const auto known = seen.constFind(text); known != seen.cend())
            text = *known;
        else if (seen.size() < DistinctLimit)
            seen.insert(text);
    }

private:
    static constexpr qsizetype DistinctLimit = 4096;
    std::array<QSet<QString>, SheetFieldCount> m_seen;
};

QString columnLabel(const SheetFieldEntry &entry, const SheetMapping &mapping, const SheetRow &header)
{
    const int column = mapping.column(entry.field);
    if (column < 0)
        return entry.label;
    const QString title = header.cell(column).trimmed();
    return title.isEmpty() ? sheetColumnName(column)
                           : sheetColumnName(column) + QStringLiteral("（%1）").arg(title);
}

} // namespace

SheetImportCheck checkSheetRows(Workspace &workspace, const Spreadsheet &sheet, const SheetImportPlan &plan,
                                const SheetImportProgress &progress)
{
    SheetImportCheck check;
    const QList<SheetFieldEntry> fields = sheetFieldsOf(plan.list, workspace.edition());
    const SheetMapping &mapping = plan.mapping;
    RowRules rules(workspace, plan.list, plan.clearFirst);
    const std::unique_ptr<SheetReader> reader = sheet.rows(plan.sheet);
    // The field a message points to; a message of no field of this list points to the first.
    const auto specOf = [&fields](SheetField field) {
        const auto found = std::find_if(fields.cbegin(), fields.cend(),
                                        [field](const SheetFieldEntry &s) { return s.field == field; });
        return found != fields.cend() ? *found : fields.first();
    };
    // The sheet row of every row that passed, for the list's limits.
    QList<int> passed;

    RepeatedTexts repeated;
    SheetRow header;
    SheetRow row;
    bool headerPending = mapping.firstRowIsHeader;
    int rowsRead = 0;
    while (reader->next(row)) {
        // Room for every row at once, as far as the sheet tells how many it has: the list of rows
        // never has to move while it grows.
        if (rowsRead == 0)
            check.rows.reserve(std::min<qsizetype>(reader->rowCountHint(), RowsReservedAtMost));
        if (++rowsRead % ProgressEveryRows == 0 && progress && !progress(rowsRead, reader->progress())) {
            check.outcome = SheetImportCheck::Outcome::Cancelled;
            return check;
        }
        if (row.number < mapping.firstRow)
            continue;
        if (headerPending) {
            header = row;
            headerPending = false;
            continue;
        }
        if (row.isBlank())
            continue;
        FieldTexts texts;
        std::optional<RowFault> fault;
        for (const SheetFieldEntry &entry : fields) {
            const int column = mapping.column(entry.field);
            if (column >= 0 && row.unreadable.contains(column) && !fault)
                fault = RowFault{entry.field, row.unreadable.value(column)};
            QString &text = texts[std::size_t(entry.field)];
            text = (column >= 0 ? row.cell(column) : mapping.fixedText(entry.field)).trimmed();
            repeated.keepOnce(entry.field, text);
        }
        std::variant<QStringList, RowFault> checked =
            fault ? std::variant<QStringList, RowFault>(*fault) : rules.check(texts);
        if (const RowFault *failed = std::get_if<RowFault>(&checked)) {
            check.failures.append(
                {row.number, columnLabel(specOf(failed->field), mapping, header), failed->message});
            continue;
        }
        check.rows.append({std::get<QStringList>(std::move(checked)), RowState::Normal});
        passed.append(row.number);
    }
    if (reader->error()) {
        check.outcome = SheetImportCheck::Outcome::Unreadable;
        check.error = reader->error();
        check.rows.clear();
        return check;
    }

    const bool paymentList = plan.list == Workspace::List::Batch || plan.list == Workspace::List::Payroll;
    const int kept = plan.clearFirst ? 0 : workspace.list(plan.list).count();
    if (paymentList && kept + passed.size() > PaymentListLimit) {
        check.failures.append({passed[std::max(0, PaymentListLimit - kept)], QString(),
                               QStringLiteral("列表最多只能有%1笔记录！").arg(PaymentListLimit)});
    } else if (plan.list == Workspace::List::Batch && check.failures.isEmpty()) {
        // The batch total has its ceiling, as the list's totals do.
        BatchListModel &batch = workspace.batchList();
        Amount total =
            plan.clearFirst ? Amount() : totalOfAmountColumn(batch, batch.amountColumn(), std::nullopt).total;
        for (qsizetype i = 0; i < passed.size(); ++i) {
            const std::optional<Amount> amount =
                Amount::fromText(check.rows[i].texts.value(batch.amountColumn()));
            const std::optional<Amount> sum = amount ? total.plus(*amount) : std::nullopt;
            if (!sum || *sum > Amount::ceiling()) {
                check.failures.append({passed[i], columnLabel(specOf(SheetField::Amount), mapping, header),
                                       totalCeilingMessage()});
                break;
            }
            total = *sum;
        }
    }
    if (!check.failures.isEmpty()) {
        check.outcome = SheetImportCheck::Outcome::Refused;
        check.rows.clear();
    } else {
        check.outcome =
            check.rows.isEmpty() ? SheetImportCheck::Outcome::Empty : SheetImportCheck::Outcome::Ready;
        check.repeats = repeatedPayments(workspace, plan.list, check.rows, passed, plan.clearFirst);
    }
    return check;
}

void addCheckedRows(Workspace &workspace, Workspace::List list, QList<RecordListModel::Row> rows,
                    bool clearFirst)
{
    workspace.loadRows(list, std::move(rows), clearFirst, true);
}

} // namespace lgbatch
