#include "TableLoaders.h"

#include "core/GbkCodec.h"
#include "core/TextFile.h"

namespace lgbatch {

namespace {

// The fields of one line: cut at every "=", at most `wanted` pieces kept (the rest dropped).
// Returns false when the line has fewer pieces than wanted.
bool cutFields(QStringView line, qsizetype wanted, QStringView *fields)
{
    qsizetype start = 0;
    for (qsizetype k = 0; k < wanted; ++k) {
        if (start > line.size())
            return false;
        qsizetype end = line.indexOf(QLatin1Char('='), start);
        if (end < 0)
            end = line.size();
        fields[k] = line.mid(start, end - start);
        start = end + 1;
    }
    return true;
}

template <typename Row, typename Store>
Result<QList<Row>> parseTable(const QByteArray &bytes, TableKind kind, qsizetype fieldCount, Store store)
{
    const auto failure = [kind] { return Result<QList<Row>>::failure(tableFailureMessage(kind)); };
    const Result<QString> text = GbkCodec::decode(bytes);
    if (!text || lineFeedsOnly(text.value()))
        return failure();
    // One row per line. Room for the rows is reserved from the file's size (a branch line is
    // some forty bytes), so a table of national size is not regrown again and again.
    constexpr qsizetype TypicalLineBytes = 32;
    const QStringView all(text.value());
    QList<Row> rows;
    rows.reserve(bytes.size() / TypicalLineBytes + 1);
    QStringView fields[3];
    LineCursor cursor(all);
    for (QStringView line; cursor.next(line);) {
        if (kind != TableKind::BankCode && rows.size() >= SmallTableRowLimit)
            return failure();
        if (!cutFields(line, fieldCount, fields))
            return failure();
        Row row;
        if (!store(row, fields))
            return failure();
        rows.append(std::move(row));
    }
    return rows;
}

template <typename Row>
Result<QList<Row>> loadTable(const QString &programDir, TableKind kind,
                             Result<QList<Row>> (*parse)(const QByteArray &))
{
    const Result<QByteArray> bytes = TextFile::readBytes(programDir + QLatin1Char('/') + tableFileName(kind));
    if (!bytes)
        return Result<QList<Row>>::failure(tableFailureMessage(kind));
    return parse(bytes.value());
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
    return parseTable<BankTypeRow>(bytes, TableKind::BankType, 2, [](BankTypeRow &row, const QStringView *f) {
        row.Code = f[0].toString();
        row.Name = f[1].toString();
        // The code becomes a picker's integer item data.
        return codeToItemData(row.Code).has_value();
    });
}

Result<QList<BankCodeRow>> parseBankCodeTable(const QByteArray &bytes)
{
    // Branch codes are never turned into numbers: any text loads.
    return parseTable<BankCodeRow>(bytes, TableKind::BankCode, 2, [](BankCodeRow &row, const QStringView *f) {
        row.Code = f[0].toString();
        row.Name = f[1].toString();
        return true;
    });
}

Result<QList<StateRow>> parseStateTable(const QByteArray &bytes)
{
    return parseTable<StateRow>(bytes, TableKind::State, 2, [](StateRow &row, const QStringView *f) {
        row.Code = f[0].toString();
        row.Name = f[1].toString();
        return codeToItemData(row.Code).has_value();
    });
}

Result<QList<CityRow>> parseCityTable(const QByteArray &bytes)
{
    return parseTable<CityRow>(bytes, TableKind::City, 3, [](CityRow &row, const QStringView *f) {
        row.StateCode = f[0].toString();
        row.CityCode = f[1].toString();
        row.Name = f[2].toString();
        // Sub-areas (4th digit not "0") and short codes show indented under their city.
        if (row.CityCode.size() < 4 || row.CityCode[3] != QLatin1Char('0'))
            row.Name.prepend(QStringLiteral("  - "));
        return true;
    });
}

Result<QList<BankTypeRow>> LoadBankTypeTable(const QString &programDir)
{
    return loadTable<BankTypeRow>(programDir, TableKind::BankType, &parseBankTypeTable);
}

Result<QList<BankCodeRow>> LoadBankCodeTable(const QString &programDir)
{
    return loadTable<BankCodeRow>(programDir, TableKind::BankCode, &parseBankCodeTable);
}

Result<QList<StateRow>> LoadStateTable(const QString &programDir)
{
    return loadTable<StateRow>(programDir, TableKind::State, &parseStateTable);
}

Result<QList<CityRow>> LoadCityTable(const QString &programDir)
{
    return loadTable<CityRow>(programDir, TableKind::City, &parseCityTable);
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
