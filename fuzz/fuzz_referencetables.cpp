// The four reference tables of the program directory. Every line is one row or the table is
// refused with its own message; the lookups over what was loaded find what a scan in file
// order finds.
#include "FuzzSupport.h"

#include "core/TextFile.h"
#include "refdata/TableLoaders.h"

using namespace lgbatch;

namespace {

// Lookups checked against a scan, per input: enough to cover the indexes, cheap enough to fuzz.
constexpr qsizetype CheckedRows = 48;

template <typename Table> Table loaded(const Result<Table> &table, TableKind kind, qsizetype lineCount)
{
    if (!table) {
        LGBATCH_PROMISE(table.error() == tableFailureMessage(kind), table.error());
        return {};
    }
    LGBATCH_PROMISE(table->size() == lineCount,
                    QStringLiteral("rows %1, lines %2").arg(table->size()).arg(lineCount));
    LGBATCH_PROMISE(kind == TableKind::BankCode || table->size() <= SmallTableRowLimit, tableFileName(kind));
    return table.value();
}

void checkLookups(const ReferenceTables &tables)
{
    const BranchTable &branches = tables.BankCodeTable();
    for (qsizetype row = 0; row < qMin(branches.size(), CheckedRows); ++row) {
        const QString name = branches.name(row).toString();
        qsizetype first = 0;
        while (branches.name(first) != name)
            ++first;
        LGBATCH_PROMISE(tables.findBranchByName(name) == first, name);
        LGBATCH_PROMISE(tables.FindBankCode(name) == branches.code(first), name);
        const QString prefix = branches.code(row).left(7).toString();
        if (prefix.size() == 7)
            LGBATCH_PROMISE(tables.branchesWithPrefix(prefix).contains(row), prefix);
    }
    const QList<CityRow> &cities = tables.CityTable();
    for (qsizetype row = 0; row < qMin(cities.size(), CheckedRows); ++row) {
        qsizetype first = 0;
        while (cities[first].CityCode != cities[row].CityCode)
            ++first;
        LGBATCH_PROMISE(tables.StateOfCity(cities[row].CityCode) == cities[first].StateCode,
                        cities[row].CityCode);
        const QList<qsizetype> ofState = tables.citiesOfState(cities[row].StateCode);
        LGBATCH_PROMISE(ofState.contains(row) && std::is_sorted(ofState.begin(), ofState.end()),
                        cities[row].StateCode);
        tables.findCityByName(cities[row].Name);
        tables.findCityNameInside(cities[row].Name);
    }
    for (qsizetype row = 0; row < qMin(tables.BankTypeTable().size(), CheckedRows); ++row) {
        const QString &name = tables.BankTypeTable()[row].Name;
        const qsizetype found = tables.findBankTypeByName(name);
        LGBATCH_PROMISE(found >= 0 && found <= row && tables.BankTypeTable()[found].Name == name, name);
        tables.findBankTypeNameInside(name);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    const Result<QString> text = GbkCodec::decode(bytes);
    const qsizetype lines = text ? splitLines(text.value()).size() : -1;

    QList<BankTypeRow> bankTypes = loaded(parseBankTypeTable(bytes), TableKind::BankType, lines);
    BranchTable branches = loaded(parseBankCodeTable(bytes), TableKind::BankCode, lines);
    QList<StateRow> states = loaded(parseStateTable(bytes), TableKind::State, lines);
    QList<CityRow> cities = loaded(parseCityTable(bytes), TableKind::City, lines);
    for (const BankTypeRow &row : bankTypes)
        LGBATCH_PROMISE(codeToItemData(row.Code).has_value(), row.Code);
    for (const StateRow &row : states)
        LGBATCH_PROMISE(codeToItemData(row.Code).has_value(), row.Code);
    for (const CityRow &row : cities) {
        const bool subArea = row.CityCode.size() < 4 || row.CityCode[3] != u'0';
        LGBATCH_PROMISE(!subArea || row.Name.startsWith(QStringLiteral("  - ")), row.Name);
    }
    checkLookups(
        ReferenceTables(std::move(bankTypes), std::move(branches), std::move(states), std::move(cities)));
    return 0;
}
