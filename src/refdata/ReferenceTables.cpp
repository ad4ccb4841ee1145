#include "ReferenceTables.h"

#include <limits>

namespace lgbatch {

namespace {

const QString &cityIndent()
{
    static const QString indent = QStringLiteral("  - ");
    return indent;
}

constexpr qsizetype BranchPrefixLength = 7;

// A first guess at how many banks-in-a-city a branch table holds: the prefix index starts with
// room for that many and grows if there are more.
constexpr qsizetype BranchesPerPrefixGuess = 8;

} // namespace

QString PadLeftZeros(QString &text, qint16 width)
{
    if (!text.isEmpty() && text.size() < width)
        text = QString(width - text.size(), QLatin1Char('0')) + text;
    return text;
}

std::optional<qint32> codeToItemData(const QString &code)
{
    const QString t = code.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + t[i].digitValue();
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return qint32(value);
}

std::optional<QString> pickerCode(const QString &code, qint16 width)
{
    const std::optional<qint32> number = codeToItemData(code);
    if (!number)
        return std::nullopt;
    QString text = QString::number(*number);
    return PadLeftZeros(text, width);
}

QString ReferenceTables::cleanCityName(const QString &name)
{
    if (!name.contains(cityIndent()))
        return name;
    QString cleaned = name;
    cleaned.remove(cityIndent());
    return cleaned;
}

ReferenceTables::ReferenceTables(QList<BankTypeRow> bankTypes, BranchTable bankCodes, QList<StateRow> states,
                                 QList<CityRow> cities)
    : m_bankTypes(std::move(bankTypes)), m_bankCodes(std::move(bankCodes)), m_states(std::move(states)),
      m_cities(std::move(cities))
{
    // The branch table is national: its indexes are built in one pass without an allocation
    // per row. Its names are nearly all different and only their first row is looked for; a
    // prefix stands for a bank in a city, and its branch list wants all of its rows. The small
    // tables' indexes are filled from the last row to the first, each insert replacing the one
    // before, so the first row in file order wins as in a scan.
    const qsizetype branches = m_bankCodes.size();
    m_branchByName.build(branches, branches, KeyIndex::Rows::FirstOnly,
                         [this](qsizetype row) { return branchName(row); });
    m_branchesByPrefix.build(branches, branches / BranchesPerPrefixGuess, KeyIndex::Rows::All,
                             [this](qsizetype row) { return branchPrefix(row); });
    m_cleanCityNames.reserve(m_cities.size());
    for (const CityRow &row : std::as_const(m_cities))
        m_cleanCityNames.append(cleanCityName(row.Name));
    for (qsizetype i = m_cities.size() - 1; i >= 0; --i) {
        m_cityByCode.insert(m_cities[i].CityCode, i);
        m_cityByCleanName.insert(m_cleanCityNames[i], i);
    }
    for (qsizetype i = 0; i < m_cities.size(); ++i)
        m_citiesByState[m_cities[i].StateCode].append(i);
    for (qsizetype i = m_bankTypes.size() - 1; i >= 0; --i)
        m_bankTypeByName.insert(m_bankTypes[i].Name, i);
}

// A prefix is compared with the code's first seven characters, or the whole code where it
// is shorter.
QStringView ReferenceTables::branchPrefix(qsizetype row) const
{
    return m_bankCodes.code(row).left(BranchPrefixLength);
}

QString ReferenceTables::FindBankCode(const QString &name) const
{
    const qsizetype row = findBranchByName(name);
    return row < 0 ? QString() : m_bankCodes.code(row).toString();
}

qsizetype ReferenceTables::findBranchByName(const QString &name) const
{
    return m_branchByName.first(name, [this](qsizetype r) { return branchName(r); });
}

QString ReferenceTables::StateOfCity(const QString &cityCode) const
{
    const auto it = m_cityByCode.constFind(cityCode);
    return it == m_cityByCode.cend() ? QString() : m_cities[*it].StateCode;
}

BranchFields ReferenceTables::decomposeBranchCode(const QString &branchCode) const
{
    BranchFields parts;
    parts.BankCode = branchCode;
    parts.BankTypeCode = branchCode.left(3);
    parts.CityCode = branchCode.mid(3, 4);
    parts.StateCode = StateOfCity(parts.CityCode);
    return parts;
}

BranchFields ReferenceTables::codesOfBranchName(const QString &bankName) const
{
    if (bankName == ownBankName())
        return {ownBankMarker(), QString(), QString(), QString()};
    const QString code = FindBankCode(bankName);
    if (code.isEmpty())
        return {};
    return decomposeBranchCode(code);
}

QList<qsizetype> ReferenceTables::branchesWithPrefix(const QString &prefix) const
{
    QList<qsizetype> rows;
    for (qsizetype row = firstBranchWithPrefix(prefix); row >= 0; row = m_branchesByPrefix.next(row))
        rows.append(row);
    return rows;
}

qsizetype ReferenceTables::firstBranchWithPrefix(const QString &prefix) const
{
    return m_branchesByPrefix.first(prefix, [this](qsizetype r) { return branchPrefix(r); });
}

QList<qsizetype> ReferenceTables::citiesOfState(const QString &stateCode) const
{
    return m_citiesByState.value(stateCode);
}

qsizetype ReferenceTables::findCityByName(const QString &typedName) const
{
    return m_cityByCleanName.value(cleanCityName(typedName), -1);
}

qsizetype ReferenceTables::findCityNameInside(const QString &text) const
{
    for (qsizetype i = 0; i < m_cleanCityNames.size(); ++i) {
        if (text.contains(m_cleanCityNames[i]))
            return i;
    }
    return -1;
}

qsizetype ReferenceTables::findBankTypeByName(const QString &name) const
{
    return m_bankTypeByName.value(name, -1);
}

qsizetype ReferenceTables::findBankTypeNameInside(const QString &text) const
{
    for (qsizetype i = 0; i < m_bankTypes.size(); ++i) {
        if (text.contains(m_bankTypes[i].Name))
            return i;
    }
    return -1;
}

} // namespace lgbatch
