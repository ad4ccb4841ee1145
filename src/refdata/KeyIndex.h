#pragma once

#include <QHashFunctions>
#include <QStringView>

#include <bit>
#include <vector>

namespace lgbatch {

// Rows grouped by a text key, each group in file order, so that "the first row in file order
// wins" costs one hash and a short probe instead of a scan. Built in one pass without an
// allocation per row: open addressing over row numbers, and a "next row with the same key"
// chain. The keys are not copied: every call is handed the accessor that reads a row's key.
class KeyIndex
{
public:
    template <typename KeyOf>
    void build(qsizetype rowCount, KeyOf keyOf)
    {
        const std::size_t capacity = std::bit_ceil(std::size_t(std::max<qsizetype>(16, rowCount * 2)));
        m_mask = capacity - 1;
        m_slots.assign(capacity, Slot{});
        m_next.assign(std::size_t(rowCount), NoRow);
        std::vector<qint32> tails(capacity, NoRow);
        std::size_t previousSlot = 0;
        QStringView previousKey;
        for (qsizetype row = 0; row < rowCount; ++row) {
            const QStringView key = keyOf(row);
            // Tables sorted by their key (branch tables usually are, by code) repeat the
            // previous row's key: no need to hash it again.
            std::size_t slot = previousSlot;
            if (row == 0 || key != previousKey) {
                const quint32 hash = hashOf(key);
                slot = probe(key, hash, keyOf);
                if (m_slots[slot].head == NoRow)
                    m_slots[slot] = Slot{qint32(row), hash};
            }
            if (tails[slot] != NoRow)
                m_next[std::size_t(tails[slot])] = qint32(row);
            tails[slot] = qint32(row);
            previousSlot = slot;
            previousKey = key;
        }
    }

    // The first row with this key, or -1.
    template <typename KeyOf>
    qsizetype first(QStringView key, KeyOf keyOf) const
    {
        if (m_slots.empty())
            return -1;
        return m_slots[probe(key, hashOf(key), keyOf)].head;
    }

    // The next row with the same key as `row`, or -1.
    qsizetype next(qsizetype row) const { return m_next[std::size_t(row)]; }

private:
    static constexpr qint32 NoRow = -1;

    struct Slot
    {
        qint32 head = NoRow; // first row of the group
        quint32 hash = 0;    // of the group's key, to skip most key comparisons
    };

    static quint32 hashOf(QStringView key) { return quint32(qHash(key, 0)); }

    // The slot holding this key's group, or the empty slot where it would go.
    template <typename KeyOf>
    std::size_t probe(QStringView key, quint32 hash, KeyOf &keyOf) const
    {
        std::size_t slot = hash & m_mask;
        while (m_slots[slot].head != NoRow && (m_slots[slot].hash != hash || keyOf(m_slots[slot].head) != key))
            slot = (slot + 1) & m_mask;
        return slot;
    }

    std::vector<Slot> m_slots;
    std::vector<qint32> m_next;
    std::size_t m_mask = 0;
};

} // namespace lgbatch
