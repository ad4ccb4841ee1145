#pragma once

#include "Workspace.h"

#include "files/SheetRow.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace lgbatch {

// What a list takes from a spreadsheet's columns.
enum class SheetField
{
    PayerName,
    PayerAccount,
    BeneName,
    BeneAccount,
    Bank, // the branch's name or its 12-digit code; the own bank by its name
    Amount,
    Emergency,
    Remark,
};
inline constexpr int SheetFieldCount = 8;

struct SheetFieldEntry
{
    SheetField field;
    QString label;         // as the mapping dialog names it: "收款人名称"
    bool required = false; // the list cannot take a row without it
};

// The fields of a list, in the order the mapping dialog offers them. The batch list has the
// payer fields and the payment mode in the corporate edition only.
QList<SheetFieldEntry> sheetFieldsOf(Workspace::List list, Edition edition);

// Where each field of a list comes from in a sheet.
struct SheetMapping
{
    // The sheet row the table starts at: rows above it (a title) are passed over.
    int firstRow = 1;
    // The table's first row names the columns and is not read as a record.
    bool firstRowIsHeader = false;
    // By field: the 0-based column, or -1 for none.
    std::array<int, SheetFieldCount> columns{-1, -1, -1, -1, -1, -1, -1, -1};
    // By field: the text every row takes when the field has no column (the payer of the whole
    // batch, say).
    std::array<QString, SheetFieldCount> fixedTexts;

    int &column(SheetField field) { return columns[std::size_t(field)]; }
    int column(SheetField field) const { return columns[std::size_t(field)]; }
    QString &fixedText(SheetField field) { return fixedTexts[std::size_t(field)]; }
    const QString &fixedText(SheetField field) const { return fixedTexts[std::size_t(field)]; }

    bool operator==(const SheetMapping &) const = default;
};

// A header text as compared: every blank removed (full-width ones too).
QString cleanHeaderText(const QString &text);

// The field of a list that a column header's words point to (户名/收款人/姓名, 账号/卡号,
// 开户行/行号, 金额/实发/工资, 加急, 备注/用途/摘要 ...); none when they point to none of them.
// A header that names the payer (付款, 付款单位 ...) never points to a beneficiary's field, nor
// one that names the beneficiary (收款 ...) to a payer's, whether or not the list has the other.
std::optional<SheetField> fieldOfHeader(const QString &header, const QList<SheetFieldEntry> &fields);

// The table as its first rows suggest it: the first row (within the first ten, and above any
// row with a number) that names at least two fields is the header. Each field takes the first
// column whose whole header is the field's label or a known synonym of it (收款人名称, 户名,
// 收款人账号, 开户行 ...); the fields left take the first column left whose words point to them
// (fieldOfHeader), and a field with no such column stays without one. Without a header row the
// table starts at the sheet's first row with no header and no field has a column.
SheetMapping guessMapping(const QList<SheetFieldEntry> &fields, const QList<SheetRow> &firstRows);

// Why the mapping cannot be used, as the user is told: a required field without a column (or,
// for the payer, without a text for the whole batch), or two fields on one column.
std::optional<QString> mappingProblem(const QList<SheetFieldEntry> &fields, const SheetMapping &mapping);

// The last mapping used for each header row, per list, kept in lgbatch.ini in the program
// directory, so that next month's sheet of the same layout is mapped alike.
class SheetMappingMemory
{
public:
    explicit SheetMappingMemory(const Workspace &workspace);

    void remember(Workspace::List list, const SheetRow &header, const SheetMapping &mapping);
    std::optional<SheetMapping> recall(Workspace::List list, const SheetRow &header) const;

    // The mapping to offer first: a remembered one whose header row is among the first rows,
    // else the guess.
    SheetMapping initialMapping(Workspace::List list, const QList<SheetFieldEntry> &fields,
                                const QList<SheetRow> &firstRows) const;

private:
    QString m_path;
};

} // namespace lgbatch
