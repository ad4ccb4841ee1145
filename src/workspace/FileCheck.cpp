#include "FileCheck.h"

#include "BatchFiles.h"
#include "ImportKinds.h"
#include "PayrollListFile.h"
#include "RosterFileCommands.h"
#include "SheetImport.h"
#include "SheetRepeats.h"

#include "entry/ListTotals.h"

#include <QFileInfo>

#include <array>

namespace lgbatch {

using namespace Qt::StringLiterals;

namespace {

using List = Workspace::List;

// The fields of a list's columns, left to right, as the list shows them in the corporate
// edition; none where a column holds no field of its own (the own bank of a payroll row).
struct ListColumns
{
    List list;
    std::array<std::optional<SheetField>, SheetFieldCount> fields;
};
constexpr std::array<ListColumns, 5> ColumnsOfLists{{
    {List::Batch,
     {SheetField::PayerName, SheetField::PayerAccount, SheetField::BeneName, SheetField::BeneAccount,
      SheetField::Bank, SheetField::Amount, SheetField::Emergency, SheetField::Remark}},
    {List::Payroll,
     {SheetField::BeneName, SheetField::BeneAccount, std::nullopt, SheetField::Amount, SheetField::Remark}},
    {List::BeneRoster, {SheetField::BeneName, SheetField::BeneAccount, SheetField::Bank, SheetField::Remark}},
    {List::PayerRoster, {SheetField::PayerName, SheetField::PayerAccount}},
    {List::PayrollRoster, {SheetField::BeneName, SheetField::BeneAccount}},
}};

// A list's rows as the rows of a table, numbered from 1 as the file holds them.
class ListRowsReader final : public SheetReader
{
public:
    explicit ListRowsReader(const RecordListModel &list) : m_list(list) {}

    bool next(SheetRow &row) override
    {
        if (m_next > m_list.count())
            return false;
        row.number = m_next;
        row.cells = m_list.rowTexts(m_next++);
        row.unreadable.clear();
        return true;
    }
    const std::optional<Error> &error() const override { return m_error; }
    double progress() const override { return m_list.count() ? double(m_next - 1) / m_list.count() : 1.0; }
    qsizetype rowCountHint() const override { return m_list.count(); }

private:
    const RecordListModel &m_list;
    int m_next = 1;
    std::optional<Error> m_error;
};

// Reads the file into its list in place of the rows there; the reader's message when the file
// could not be read whole.
std::optional<QString> readInto(Workspace &workspace, const BankFileKind &kind, const QString &path)
{
    if (kind.name == u"zpk" || kind.name == u"bpt") {
        const BatchFileOutcome read = kind.name == u"zpk" ? ReadBatchFile(workspace, path, true)
                                                          : ReadOtherBatchFile(workspace, path, true);
        return read.warning;
    }
    if (kind.list == List::Payroll) {
        const PayrollFileOutcome read = ReadPayrollFile(workspace, path, true);
        return read.ok ? std::nullopt : std::optional<QString>(read.message);
    }
    return readRosterFile(workspace, kind.list, true, path, BrokenFile::LeavesListAlone).message;
}

QList<FileReport::Problem> repeatWarnings(const QList<SheetRepeat> &repeats, List list)
{
    const QString text =
        list == List::Batch ? u"第%1行已有相同收款人账号和金额的付款"_s : u"第%1行已有相同收款人账号"_s;
    QList<FileReport::Problem> warnings;
    for (const SheetRepeat &repeat : repeats)
        warnings.append({repeat.sheetRow, text.arg(repeat.earlierSheetRow)});
    return warnings;
}

QList<FileReport::Problem> repeatWarnings(Workspace &workspace, List list)
{
    const RecordListModel &model = workspace.list(list);
    QList<RecordListModel::Row> rows;
    QList<int> numbers;
    rows.reserve(model.count());
    numbers.reserve(model.count());
    for (int row = 1; row <= model.count(); ++row) {
        rows.append({model.rowTexts(row), RowState::Normal});
        numbers.append(row);
    }
    return repeatWarnings(repeatedPayments(workspace, list, rows, numbers, true), list);
}

} // namespace

std::optional<BankFileKind> bankFileKindOf(const QString &fileName)
{
    static const std::array<std::pair<ImportKind, BankFileKind>, 6> kinds{{
        {ImportKind::Batch, {List::Batch, u"zpk"_s}},
        {ImportKind::OtherBatch, {List::Batch, u"bpt"_s}},
        {ImportKind::Payroll, {List::Payroll, u"payroll"_s}},
        {ImportKind::BeneRoster, {List::BeneRoster, u"bene"_s}},
        {ImportKind::PayerRoster, {List::PayerRoster, u"payer"_s}},
        {ImportKind::PayrollRoster, {List::PayrollRoster, u"benepayroll"_s}},
    }};
    // The longest ending wins: benepayroll.xml is no bene.xml.
    std::optional<BankFileKind> found;
    qsizetype foundLength = 0;
    const QString upper = QFileInfo(fileName).fileName().toUpper();
    for (const ImportKind kind : importKindsOf(upper)) {
        for (const auto &[importKind, bankKind] : kinds) {
            const qsizetype length = bankKind.name.size();
            if (importKind == kind && length > foundLength) {
                found = bankKind;
                foundLength = length;
            }
        }
    }
    return found;
}

SheetMapping listColumnsMapping(List list, Edition edition)
{
    SheetMapping mapping;
    const auto layout = std::find_if(ColumnsOfLists.cbegin(), ColumnsOfLists.cend(),
                                     [list](const ListColumns &c) { return c.list == list; });
    // The personal edition's batch list shows no payer columns.
    const int skipped = list == List::Batch && edition == Edition::Personal ? 2 : 0;
    for (int column = skipped; column < SheetFieldCount; ++column) {
        if (const std::optional<SheetField> field = layout->fields[std::size_t(column)])
            mapping.column(*field) = column - skipped;
    }
    return mapping;
}

FileReport checkBankFile(Workspace &workspace, const QString &path, const QString &shownName)
{
    const std::optional<BankFileKind> kind = bankFileKindOf(path);
    if (!kind)
        return FileReport::unreadable(
            shownName, QString(),
            u"无法识别的文件类型，只能检查 *.zpk、*.bpt、*.csv、bene.xml、payer.xml 和 benepayroll.xml 文件！"_s);
    if (!QFileInfo::exists(path))
        return FileReport::unreadable(shownName, kind->name, u"文件不存在！"_s);
    if (const std::optional<QString> failure = readInto(workspace, *kind, path))
        return FileReport::unreadable(shownName, kind->name, *failure);

    FileReport report;
    report.file = shownName;
    report.kind = kind->name;
    const RecordListModel &list = workspace.list(kind->list);
    report.rows = list.count();

    SheetImportPlan plan;
    plan.list = kind->list;
    plan.mapping = listColumnsMapping(kind->list, workspace.edition());
    plan.clearFirst = true;
    plan.passOverBlankRows = false;
    ListRowsReader reader(list);
    const SheetImportCheck checked = checkTableRows(workspace, reader, plan);
    for (const SheetFailure &failure : checked.failures) {
        // The ceiling is told below from the whole file, also when other rows fail.
        if (failure.message != totalCeilingMessage())
            report.errors.append({failure.row, failure.message});
    }
    if (kind->list == List::Batch || kind->list == List::Payroll) {
        const bool batch = kind->list == List::Batch;
        const int amountColumn =
            batch ? workspace.batchList().amountColumn() : PayrollListModel::AmountColumn;
        ListTotal total = totalOfAmountColumn(list, amountColumn, Amount::ceiling());
        if (total.ceilingExceededAtRow > 0) {
            if (batch)
                report.errors.append({total.ceilingExceededAtRow, totalCeilingMessage()});
            total = totalOfAmountColumn(list, amountColumn, std::nullopt);
        }
        report.total = total.total;
        // A file whose rows all passed has its repeats found already.
        report.warnings = checked.outcome == SheetImportCheck::Outcome::Ready
                              ? repeatWarnings(checked.repeats, kind->list)
                              : repeatWarnings(workspace, kind->list);
    }
    std::stable_sort(
        report.errors.begin(), report.errors.end(),
        [](const FileReport::Problem &a, const FileReport::Problem &b) { return a.row < b.row; });
    return report;
}

} // namespace lgbatch
