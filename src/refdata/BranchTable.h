#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace lgbatch {

struct BankCodeRow
{
    QString Name;
    QString Code;
};

// The branch table, one row per bank branch of the country, in file order. It is by far the
// largest table and is read at every start, so it is kept compact: the codes and names of all
// rows as one text, and for every row where its two fields end in it. A row's fields are views
// into that text; BankCodeRow copies are made only where a caller asks for one.
class BranchTable
{
public:
    BranchTable() = default;
    BranchTable(std::initializer_list<BankCodeRow> rows);
    BranchTable(const QList<BankCodeRow> &rows);

    qsizetype size() const { return m_nameEnd.size(); }
    bool isEmpty() const { return m_nameEnd.isEmpty(); }

    QStringView code(qsizetype row) const
    {
        const qsizetype start = row == 0 ? 0 : m_nameEnd[row - 1];
        return QStringView(m_text).sliced(start, m_codeEnd[row] - start);
    }
    QStringView name(qsizetype row) const
    {
        return QStringView(m_text).sliced(m_codeEnd[row], m_nameEnd[row] - m_codeEnd[row]);
    }

    BankCodeRow operator[](qsizetype row) const { return {name(row).toString(), code(row).toString()}; }
    BankCodeRow at(qsizetype row) const { return (*this)[row]; }
    BankCodeRow first() const { return (*this)[0]; }
    BankCodeRow last() const { return (*this)[size() - 1]; }

    // Rows in file order, each a copy.
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = BankCodeRow;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = BankCodeRow;

        const_iterator() = default;
        const_iterator(const BranchTable *table, qsizetype row) : m_table(table), m_row(row) {}
        BankCodeRow operator*() const { return (*m_table)[m_row]; }
        const_iterator &operator++()
        {
            ++m_row;
            return *this;
        }
        const_iterator operator++(int)
        {
            const const_iterator before = *this;
            ++m_row;
            return before;
        }
        bool operator==(const const_iterator &other) const { return m_row == other.m_row; }

    private:
        const BranchTable *m_table = nullptr;
        qsizetype m_row = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Fills a table row by row. Room is reserved up front from what the caller knows of the
    // file, so that a table of national size is written once instead of regrown; whatever is
    // left over is handed back when the table is finished.
    class Builder
    {
    public:
        void reserve(qsizetype rows, qsizetype characters);
        // False, adding nothing, when the table would outgrow the offsets of its rows (some
        // four thousand million characters, or two thousand million rows: no real table comes
        // near).
        bool append(QStringView code, QStringView name)
        {
            const qsizetype length = code.size() + name.size();
            if (m_rows == m_codeEnd.size() || length > m_textRoom - m_used)
                return appendBeyondRoom(code, name);
            // Copies that are safe for empty fields, whose views may have no characters at all.
            char16_t *const out = std::copy_n(code.utf16(), code.size(), m_out + m_used);
            std::copy_n(name.utf16(), name.size(), out);
            m_codeEndData[m_rows] = quint32(m_used + code.size());
            m_used += length;
            m_nameEndData[m_rows] = quint32(m_used);
            ++m_rows;
            return true;
        }
        BranchTable finish();

    private:
        bool appendBeyondRoom(QStringView code, QStringView name);
        void makeRoom(qsizetype rows, qsizetype characters);

        // Sized to the room; m_used characters and m_rows rows of it are filled.
        QString m_text;
        QList<quint32> m_codeEnd;
        QList<quint32> m_nameEnd;
        char16_t *m_out = nullptr;
        quint32 *m_codeEndData = nullptr;
        quint32 *m_nameEndData = nullptr;
        qsizetype m_textRoom = 0; // never beyond what the offsets can address
        qsizetype m_used = 0;
        qsizetype m_rows = 0;
    };

private:
    // Row r's code is m_text from the end of row r - 1 (or 0) up to m_codeEnd[r], its name
    // from there up to m_nameEnd[r].
    QString m_text;
    QList<quint32> m_codeEnd;
    QList<quint32> m_nameEnd;
};

} // namespace lgbatch
