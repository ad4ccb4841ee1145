#include "BranchTable.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace lgbatch {

namespace {

constexpr qsizetype OffsetLimit = std::numeric_limits<quint32>::max();
// Rows are counted in 32 bits by the indexes.
constexpr qsizetype RowLimit = std::numeric_limits<qint32>::max();

template <typename Rows> BranchTable tableOf(const Rows &rows)
{
    BranchTable::Builder builder;
    qsizetype characters = 0;
    for (const BankCodeRow &row : rows)
        characters += row.Code.size() + row.Name.size();
    builder.reserve(qsizetype(rows.size()), characters);
    for (const BankCodeRow &row : rows) {
        if (!builder.append(row.Code, row.Name))
            qFatal("BranchTable: more text than a branch table can hold");
    }
    return builder.finish();
}

} // namespace

BranchTable::BranchTable(std::initializer_list<BankCodeRow> rows) : BranchTable(tableOf(rows)) {}

BranchTable::BranchTable(const QList<BankCodeRow> &rows) : BranchTable(tableOf(rows)) {}

void BranchTable::Builder::reserve(qsizetype rows, qsizetype characters)
{
    makeRoom(std::max(rows, m_rows), std::max(characters, m_used));
}

void BranchTable::Builder::makeRoom(qsizetype rows, qsizetype characters)
{
    // Room for text that stays unused is never touched, and costs no memory until finish()
    // hands it back.
    m_text.resize(characters);
    m_codeEnd.resize(std::min(rows, RowLimit));
    m_nameEnd.resize(std::min(rows, RowLimit));
    m_out = reinterpret_cast<char16_t *>(m_text.data());
    m_codeEndData = m_codeEnd.data();
    m_nameEndData = m_nameEnd.data();
    m_textRoom = std::min(characters, OffsetLimit);
}

bool BranchTable::Builder::appendBeyondRoom(QStringView code, QStringView name)
{
    const qsizetype length = code.size() + name.size();
    if (length > OffsetLimit - m_used || m_rows >= RowLimit)
        return false;
    // Rows grow by an eighth (room for rows is cleared as it is made, so it is touched); the
    // text is only ever short of room when the caller's bound was wrong, and then doubles.
    const qsizetype rows = m_rows + std::max<qsizetype>(4096, m_rows / 8);
    const qsizetype characters =
        length > m_textRoom - m_used ? std::max<qsizetype>(64, (m_used + length) * 2) : m_text.size();
    makeRoom(rows, characters);
    return append(code, name);
}

BranchTable BranchTable::Builder::finish()
{
    m_text.resize(m_used);
    m_codeEnd.resize(m_rows);
    m_nameEnd.resize(m_rows);
    m_text.squeeze();
    m_codeEnd.squeeze();
    m_nameEnd.squeeze();
    BranchTable table;
    table.m_text = std::exchange(m_text, QString());
    table.m_codeEnd = std::exchange(m_codeEnd, {});
    table.m_nameEnd = std::exchange(m_nameEnd, {});
    *this = Builder();
    return table;
}

} // namespace lgbatch
