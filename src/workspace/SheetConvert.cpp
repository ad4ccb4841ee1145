#include "SheetConvert.h"

#include "BatchFiles.h"
#include "PayrollListFile.h"
#include "SheetImport.h"
#include "SheetMapping.h"

#include "core/FieldText.h"
#include "core/Seams.h"
#include "entry/ListTotals.h"
#include "files/Spreadsheet.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace lgbatch {

using namespace Qt::StringLiterals;

namespace {

// How many rows the import's guess looks at.
constexpr int GuessRows = 20;

class FixedDate final : public Clock
{
public:
    explicit FixedDate(QDate date) : m_date(date) {}
    QDate today() const override { return m_date; }

private:
    QDate m_date;
};

// A field by the caption the mapping dialog gives it ("收款人账号/卡号"), or by one of the
// caption's parts ("收款人账号").
std::optional<SheetField> fieldNamed(const QList<SheetFieldEntry> &fields, const QString &name)
{
    for (const SheetFieldEntry &entry : fields) {
        if (entry.label == name || entry.label.split(u'/').contains(name))
            return entry.field;
    }
    return std::nullopt;
}

// "C", "AA": a column by its letters; otherwise the column whose header reads so.
std::optional<int> columnNamed(const QString &name, const SheetRow *header)
{
    static const QRegularExpression letters(u"^[A-Za-z]{1,2}$"_s);
    if (letters.match(name).hasMatch()) {
        int column = 0;
        for (const QChar c : name.toUpper())
            column = column * 26 + (c.unicode() - u'A' + 1);
        return column - 1;
    }
    if (header) {
        const QString wanted = cleanHeaderText(name);
        for (int column = 0; column < header->cells.size(); ++column) {
            if (!wanted.isEmpty() && cleanHeaderText(header->cell(column)) == wanted)
                return column;
        }
    }
    return std::nullopt;
}

QString fieldList(const QList<SheetFieldEntry> &fields)
{
    QStringList labels;
    for (const SheetFieldEntry &entry : fields)
        labels.append(entry.label);
    return labels.join(u"、"_s);
}

// The import's mapping for the sheet, with the conversion's own choices over it.
Result<SheetMapping> mappingFor(const Workspace &workspace, const SheetConversion &conversion,
                                const QList<SheetFieldEntry> &fields, const QList<SheetRow> &firstRows)
{
    SheetMapping mapping;
    std::optional<SheetRow> header;
    if (!conversion.headerRow) {
        mapping = SheetMappingMemory(workspace).initialMapping(conversion.list, fields, firstRows);
    } else if (*conversion.headerRow > 0) {
        const int wanted = *conversion.headerRow;
        const auto found = std::find_if(firstRows.cbegin(), firstRows.cend(),
                                        [wanted](const SheetRow &row) { return row.number == wanted; });
        if (found == firstRows.cend())
            return Result<SheetMapping>::failure(u"表格前%1行中没有第%2行！"_s.arg(GuessRows).arg(wanted));
        const std::optional<SheetMapping> remembered =
            SheetMappingMemory(workspace).recall(conversion.list, *found);
        mapping = remembered ? *remembered : guessMapping(fields, {*found});
        mapping.firstRow = wanted;
        mapping.firstRowIsHeader = true;
    }
    if (mapping.firstRowIsHeader) {
        for (const SheetRow &row : firstRows) {
            if (row.number == mapping.firstRow)
                header = row;
        }
    }
    std::array<bool, SheetFieldCount> chosen{};
    for (const auto &[name, column] : conversion.columns) {
        const std::optional<SheetField> field = fieldNamed(fields, name);
        if (!field)
            return Result<SheetMapping>::failure(
                u"“%1”不是这个列表的列，可用的列：%2"_s.arg(name, fieldList(fields)));
        const std::optional<int> index = columnNamed(column, header ? &*header : nullptr);
        if (!index)
            return Result<SheetMapping>::failure(u"表格中没有“%1”列！"_s.arg(column));
        // A column named on the command line is taken from whatever field the guess gave it.
        for (int other = 0; other < SheetFieldCount; ++other) {
            if (mapping.columns[std::size_t(other)] == *index && !chosen[std::size_t(other)])
                mapping.columns[std::size_t(other)] = -1;
        }
        mapping.column(*field) = *index;
        chosen[std::size_t(*field)] = true;
    }
    for (const auto &[name, text] : conversion.texts) {
        const std::optional<SheetField> field = fieldNamed(fields, name);
        if (!field)
            return Result<SheetMapping>::failure(
                u"“%1”不是这个列表的列，可用的列：%2"_s.arg(name, fieldList(fields)));
        if (!chosen[std::size_t(*field)])
            mapping.column(*field) = -1;
        mapping.fixedText(*field) = text;
    }
    if (const std::optional<QString> problem = mappingProblem(fields, mapping))
        return Result<SheetMapping>::failure(*problem);
    return mapping;
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

// Writes the checked rows as the window's 保存 does; the message when nothing was written.
std::optional<QString> writeList(Workspace &workspace, const SheetConversion &conversion)
{
    if (conversion.list == Workspace::List::Batch) {
        workspace.CurrentBatchFileName = conversion.outPath;
        return WriteBatchFile(workspace, FixedDate(conversion.date)).warning;
    }
    workspace.CurrentPayrollFileName = conversion.outPath;
    workspace.setTransferDate(conversion.date);
    const PayrollFileOutcome written = WritePayrollFile(workspace);
    return written.ok ? std::nullopt : std::optional<QString>(written.message);
}

} // namespace

ConversionResult convertSheet(Workspace &workspace, const SheetConversion &conversion)
{
    ConversionResult result;
    const QString kind = conversion.list == Workspace::List::Batch ? u"zpk"_s : u"payroll"_s;
    const auto fail = [&](const QString &message) {
        result.report = FileReport::unreadable(conversion.shownName, kind, message);
        result.setupFailed = true;
        return result;
    };
    if (!Spreadsheet::formatOfName(conversion.sheetPath))
        return fail(u"只能转换 *.xlsx、*.csv 或 *.txt 表格！"_s);
    if (!QFileInfo::exists(conversion.sheetPath))
        return fail(u"文件不存在！"_s);
    if (sameFile(conversion.sheetPath, conversion.outPath))
        return fail(u"输出文件不能是表格本身！"_s);
    Result<Spreadsheet> opened = Spreadsheet::open(conversion.sheetPath);
    if (!opened)
        return fail(ErrorMessage::ofReader(opened.errorInfo()));
    const Spreadsheet &sheet = opened.value();
    const QList<SheetFieldEntry> fields = sheetFieldsOf(conversion.list, workspace.edition());
    const Result<SheetMapping> mapping =
        mappingFor(workspace, conversion, fields, sheet.firstRows(0, GuessRows));
    if (!mapping)
        return fail(mapping.error());

    SheetImportCheck checked = checkSheetRows(workspace, sheet, {conversion.list, 0, mapping.value(), true});
    FileReport &report = result.report;
    report.file = conversion.shownName;
    report.kind = kind;
    switch (checked.outcome) {
    case SheetImportCheck::Outcome::Unreadable:
        return fail(ErrorMessage::ofReader(*checked.error));
    case SheetImportCheck::Outcome::Empty:
        report.errors.append({0, u"表格中没有可导入的记录！"_s});
        return result;
    case SheetImportCheck::Outcome::Refused:
        for (const SheetFailure &failure : checked.failures)
            report.errors.append({failure.row, failure.column.isEmpty()
                                                   ? failure.message
                                                   : failure.column + u"："_s + failure.message});
        return result;
    case SheetImportCheck::Outcome::Cancelled:
    case SheetImportCheck::Outcome::Ready:
        break;
    }
    const QString repeat = conversion.list == Workspace::List::Batch
                               ? u"第%1行已有相同收款人账号和金额的付款"_s
                               : u"第%1行已有相同收款人账号"_s;
    for (const SheetRepeat &found : checked.repeats)
        report.warnings.append({found.sheetRow, repeat.arg(found.earlierSheetRow)});

    addCheckedRows(workspace, conversion.list, std::move(checked.rows), true);
    const RecordListModel &list = workspace.list(conversion.list);
    report.rows = list.count();
    const int amountColumn = conversion.list == Workspace::List::Batch ? workspace.batchList().amountColumn()
                                                                       : PayrollListModel::AmountColumn;
    report.total = totalOfAmountColumn(list, amountColumn, std::nullopt).total;
    if (const std::optional<QString> failure = writeList(workspace, conversion)) {
        report.errors.append({0, *failure});
        result.setupFailed = true;
        return result;
    }
    result.outputWritten = true;
    return result;
}

} // namespace lgbatch
