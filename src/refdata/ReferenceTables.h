#pragma once

#include "BranchFields.h"
#include "BranchTable.h"
#include "KeyIndex.h"

#include "core/Result.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lgbatch {

struct BankTypeRow
{
    QString Name;
    QString Code;
};

struct StateRow
{
    QString Name;
    QString Code;
};

struct CityRow
{
    QString Name;
    QString CityCode;
    QString StateCode;
};

// A receiving bank of this name is the issuing bank itself; its records carry the marker
// instead of a payment-system code.
inline QString ownBankName()
{
    return QStringLiteral("澜港银行");
}
inline QString ownBankMarker()
{
    return QStringLiteral("ZPK");
}

// Left-fills a non-empty text shorter than `width` with "0"; an empty text or one of `width`
// or more characters is returned unchanged (never cut). The caller's text is replaced too.
QString PadLeftZeros(QString &text, qint16 width);

// The integer a code stands for in a picker's item data: decimal digits, optionally signed,
// within 32 bits. Empty when the code is not such a number.
std::optional<qint32> codeToItemData(const QString &code);

// Widths of the codes as the pickers carry them: bank type codes 3, province and city codes 4.
inline constexpr qint16 BankTypeCodeWidth = 3;
inline constexpr qint16 PlaceCodeWidth = 4;

// A code as a picker carries it as its item data: the number it stands for (`codeToItemData`)
// written in decimal and left-filled with "0" to `width` (`PadLeftZeros`), the text the city and
// branch filters compare with. Two codes stand for the same number exactly when these texts are
// equal. Empty when the code is no such number.
std::optional<QString> pickerCode(const QString &code, qint16 width);

// The four tables of the program directory, in file order, with indexes that keep "the first
// row in file order wins". Filled once at start and read-only afterwards.
class ReferenceTables
{
public:
    ReferenceTables() = default;
    ReferenceTables(QList<BankTypeRow> bankTypes, BranchTable bankCodes, QList<StateRow> states,
                    QList<CityRow> cities);

    const QList<BankTypeRow> &BankTypeTable() const { return m_bankTypes; }
    const BranchTable &BankCodeTable() const { return m_bankCodes; }
    const QList<StateRow> &StateTable() const { return m_states; }
    const QList<CityRow> &CityTable() const { return m_cities; }

    // Code of the first branch with exactly this name; empty when there is none.
    QString FindBankCode(const QString &name) const;
    // Row of that branch in BankCodeTable, or -1.
    qsizetype findBranchByName(const QString &name) const;
    // StateCode of the first city with exactly this city code; empty when there is none.
    QString StateOfCity(const QString &cityCode) const;
    // The code and its pieces: characters 1-3 the bank type, 4-7 the city; the province comes
    // from the city table.
    BranchFields decomposeBranchCode(const QString &branchCode) const;
    // The own-bank marker for the own bank's name (and no other code); the branch's code and
    // its pieces when the table has the name; all empty otherwise.
    BranchFields codesOfBranchName(const QString &bankName) const;

    // Rows (indexes into BankCodeTable, file order) whose code's first seven characters
    // equal the prefix (a prefix is bank type code + city code); empty when none does.
    QList<qsizetype> branchesWithPrefix(const QString &prefix) const;
    // The first of those, or -1.
    qsizetype firstBranchWithPrefix(const QString &prefix) const;

    // Rows of CityTable whose StateCode equals the given 4-character text, in file order.
    QList<qsizetype> citiesOfState(const QString &stateCode) const;
    // First city row whose name, with every "  - " removed, equals the text with every
    // "  - " removed; -1 when none does.
    qsizetype findCityByName(const QString &typedName) const;
    // First city row whose cleaned name occurs anywhere inside `text` (an empty name occurs
    // in every text); -1 when none does.
    qsizetype findCityNameInside(const QString &text) const;
    // First bank type row whose name equals the text exactly; -1 when none does.
    qsizetype findBankTypeByName(const QString &name) const;
    // First bank type row whose name occurs anywhere inside `text`; -1 when none does.
    qsizetype findBankTypeNameInside(const QString &text) const;

    // "  - " removed everywhere, as the city pickers' indented names are compared.
    static QString cleanCityName(const QString &name);

private:
    QList<BankTypeRow> m_bankTypes;
    BranchTable m_bankCodes;
    QList<StateRow> m_states;
    QList<CityRow> m_cities;

    QStringView branchName(qsizetype row) const { return m_bankCodes.name(row); }
    QStringView branchPrefix(qsizetype row) const;

    KeyIndex m_branchByName;
    KeyIndex m_branchesByPrefix;
    QHash<QString, qsizetype> m_cityByCode;
    QHash<QString, QList<qsizetype>> m_citiesByState;
    QHash<QString, qsizetype> m_cityByCleanName;
    QStringList m_cleanCityNames;
    QHash<QString, qsizetype> m_bankTypeByName;
};

} // namespace lgbatch
