#include "TableLoaders.h"

#include "core/TextFile.h"

#include <QFileInfo>

#include <cstring>

namespace lgbatch {

namespace {

// Where a table's text comes from: bytes already in memory, or its file, read a block at a
// time. `bytes` is the size of either: an upper bound for the characters of the text.
struct TableText
{
    std::function<Status(const TakePiece &)> read;
    qsizetype bytes = 0;
};

TableText textOf(const QByteArray &bytes)
{
    return {[&bytes](const TakePiece &take) { return decodeByLines(bytes, take); }, bytes.size()};
}

TableText textOfFile(const QString &programDir, TableKind kind)
{
    const QString path = programDir + QLatin1Char('/') + tableFileName(kind);
    return {[path](const TakePiece &take) { return TextFile::readByLines(path, take); },
            QFileInfo(path).size()};
}

// The first "=" or CR from `at` on, or `end`. Four characters are looked at in one step (a
// national table has millions of them); a step with none of the two goes on at once.
const char16_t *nextFieldOrLineEnd(const char16_t *at, const char16_t *end)
{
    constexpr quint64 Ones = 0x0001000100010001ULL;
    constexpr quint64 HighBits = 0x8000800080008000ULL;
    for (; end - at >= 4; at += 4) {
        quint64 four;
        std::memcpy(&four, at, sizeof four);
        const quint64 cr = four ^ (Ones * u'\r');
        const quint64 eq = four ^ (Ones * u'=');
        // A lane is zero (the character found) exactly when this sets its high bit, or a
        // higher lane's: either way the four are looked at one by one.
        if ((((cr - Ones) & ~cr) | ((eq - Ones) & ~eq)) & HighBits)
            break;
    }
    while (at < end && *at != u'=' && *at != u'\r')
        ++at;
    return at;
}

// Hands the fields of every line, in file order, to `take`; false at the first line with too
// few fields or that `take` refuses, for bytes that are not GBK and for a file that cannot be
// read. A line ends at CR LF or a bare CR (a bare LF stays inside it); it is cut at every "="
// and its first `fieldCount` parts are its fields, the rest is dropped. Only what `take` keeps
// of the text stays in memory.
template <typename Take> bool forEachLine(const TableText &text, qsizetype fieldCount, Take take)
{
    bool sawLineEnd = false;
    const Status read = text.read([&](QStringView piece) -> Status {
        const char16_t *at = piece.utf16();
        const char16_t *const end = at + piece.size();
        QStringView fields[3];
        while (at < end) {
            qsizetype found = 0;
            const char16_t *const lineStart = at;
            const char16_t *fieldStart = at;
            for (at = nextFieldOrLineEnd(at, end); at < end && *at == u'=';
                 at = nextFieldOrLineEnd(at + 1, end)) {
                if (found < fieldCount) {
                    fields[found++] = QStringView(fieldStart, at);
                    fieldStart = at + 1;
                }
            }
            if (found < fieldCount)
                fields[found++] = QStringView(fieldStart, at);
            if (found < fieldCount || !take(fields))
                return Status::failure(QString());
            // A text without a single CR is one line: lines that end in LF alone would all run
            // together into its first row.
            if (at < end)
                sawLineEnd = true;
            else if (!sawLineEnd && lineFeedsOnly(QStringView(lineStart, at)))
                return Status::failure(QString());
            // The line end after a piece's last line is still inside the piece.
            if (at < end && ++at < end && *at == u'\n')
                ++at;
        }
        return {};
    });
    return read.ok();
}

template <typename Row, typename Store>
Result<QList<Row>> smallTable(const TableText &text, TableKind kind, qsizetype fieldCount, Store store)
{
    QList<Row> rows;
    const bool read = forEachLine(text, fieldCount, [&](const QStringView *fields) {
        if (rows.size() >= SmallTableRowLimit)
            return false;
        Row row;
        if (!store(row, fields))
            return false;
        rows.append(std::move(row));
        return true;
    });
    if (!read)
        return Result<QList<Row>>::failure(tableFailureMessage(kind));
    return rows;
}

Result<QList<BankTypeRow>> bankTypeTable(const TableText &text)
{
    return smallTable<BankTypeRow>(text, TableKind::BankType, 2, [](BankTypeRow &row, const QStringView *f) {
        row.Code = f[0].toString();
        row.Name = f[1].toString();
        // The code becomes a picker's integer item data.
        return codeToItemData(row.Code).has_value();
    });
}

Result<BranchTable> bankCodeTable(const TableText &text)
{
    // No more characters than bytes; what is left over is handed back at the end.
    BranchTable::Builder table;
    table.reserve(0, text.bytes);
    // Branch codes are never turned into numbers: any text loads.
    const bool read = forEachLine(
        text, 2, [&table](const QStringView *fields) { return table.append(fields[0], fields[1]); });
    if (!read)
        return Result<BranchTable>::failure(tableFailureMessage(TableKind::BankCode));
    return table.finish();
}

Result<QList<StateRow>> stateTable(const TableText &text)
{
    return smallTable<StateRow>(text, TableKind::State, 2, [](StateRow &row, const QStringView *f) {
        row.Code = f[0].toString();
        row.Name = f[1].toString();
        return codeToItemData(row.Code).has_value();
    });
}

Result<QList<CityRow>> cityTable(const TableText &text)
{
    return smallTable<CityRow>(text, TableKind::City, 3, [](CityRow &row, const QStringView *f) {
        row.StateCode = f[0].toString();
        row.CityCode = f[1].toString();
        row.Name = f[2].toString();
        // Sub-areas (4th digit not "0") and short codes show indented under their city.
        if (row.CityCode.size() < 4 || row.CityCode[3] != QLatin1Char('0'))
            row.Name.prepend(QStringLiteral("  - "));
        return true;
    });
}

} // namespace

QString tableFileName(TableKind kind)
{
    switch (kind) {
    case TableKind::BankType:
        return QStringLiteral("banktype.xml");
    case TableKind::BankCode:
        return QStringLiteral("BankCode.xml");
    case TableKind::State:
        return QStringLiteral("state.xml");
    case TableKind::City:
        return QStringLiteral("city.xml");
    }
    return {};
}

QString tableFailureMessage(TableKind kind)
{
    switch (kind) {
    case TableKind::BankType:
        return QStringLiteral("银行表【banktype.xml】不存在，系统将会关闭！");
    case TableKind::BankCode:
        return QStringLiteral("支付系统行号表【BankCode.xml】不存在，系统将会关闭！");
    case TableKind::State:
        return QStringLiteral("省份表【state.xml】不存在，系统将会关闭！");
    case TableKind::City:
        return QStringLiteral("城市表【city.xml】不存在，系统将会关闭！");
    }
    return {};
}

Result<QList<BankTypeRow>> parseBankTypeTable(const QByteArray &bytes)
{
    return bankTypeTable(textOf(bytes));
}

Result<BranchTable> parseBankCodeTable(const QByteArray &bytes)
{
    return bankCodeTable(textOf(bytes));
}

Result<QList<StateRow>> parseStateTable(const QByteArray &bytes)
{
    return stateTable(textOf(bytes));
}

Result<QList<CityRow>> parseCityTable(const QByteArray &bytes)
{
    return cityTable(textOf(bytes));
}

// A file that is missing or cannot be read fails like any other fault of the table.
Result<QList<BankTypeRow>> LoadBankTypeTable(const QString &programDir)
{
    return bankTypeTable(textOfFile(programDir, TableKind::BankType));
}

Result<BranchTable> LoadBankCodeTable(const QString &programDir)
{
    return bankCodeTable(textOfFile(programDir, TableKind::BankCode));
}

Result<QList<StateRow>> LoadStateTable(const QString &programDir)
{
    return stateTable(textOfFile(programDir, TableKind::State));
}

Result<QList<CityRow>> LoadCityTable(const QString &programDir)
{
    return cityTable(textOfFile(programDir, TableKind::City));
}

Result<ReferenceTables> loadReferenceTables(const QString &programDir)
{
    auto bankTypes = LoadBankTypeTable(programDir);
    if (!bankTypes)
        return Result<ReferenceTables>::failure(bankTypes.error());
    auto bankCodes = LoadBankCodeTable(programDir);
    if (!bankCodes)
        return Result<ReferenceTables>::failure(bankCodes.error());
    auto states = LoadStateTable(programDir);
    if (!states)
        return Result<ReferenceTables>::failure(states.error());
    auto cities = LoadCityTable(programDir);
    if (!cities)
        return Result<ReferenceTables>::failure(cities.error());
    return ReferenceTables(std::move(bankTypes).value(), std::move(bankCodes).value(),
                           std::move(states).value(), std::move(cities).value());
}

} // namespace lgbatch
