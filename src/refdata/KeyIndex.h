#pragma once

#include <QHashFunctions>
#include <QStringView>

#include <algorithm>
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
    template <typename KeyOf> void build(qsizetype rowCount, KeyOf keyOf)
    {
        const std::size_t capacity = std::bit_ceil(std::size_t(std::max<qsizetype>(16, rowCount * 2)));
        m_mask = capacity - 1;
        m_slots.assign(capacity, Slot{});
        m_next.assign(std::size_t(rowCount), NoRow);
        std::vector<qint32> tails(capacity, NoRow);
        // Rows go in a few at a time: their slots are fetched from memory together, instead of
        // one cache miss after the other on a table of national size.
        constexpr qsizetype Batch = 16;
        QStringView keys[Batch];
        quint32 hashes[Batch];
        QStringView previousKey;
        std::size_t previousSlot = 0;
        for (qsizetype start = 0; start < rowCount; start += Batch) {
            const qsizetype count = std::min(Batch, rowCount - start);
            for (qsizetype i = 0; i < count; ++i) {
                keys[i] = keyOf(start + i);
                hashes[i] = hashOf(keys[i]);
                __builtin_prefetch(&m_slots[hashes[i] & m_mask]);
                __builtin_prefetch(&tails[hashes[i] & m_mask]);
            }
            for (qsizetype i = 0; i < count; ++i) {
                const qsizetype row = start + i;
                // Tables sorted by their key (branch tables usually are, by code) repeat the
                // previous row's key: its slot is known.
                std::size_t slot = previousSlot;
                if (row == 0 || keys[i] != previousKey) {
                    slot = probe(keys[i], hashes[i], keyOf);
                    if (m_slots[slot].head == NoRow)
                        m_slots[slot] = Slot{qint32(row), hashes[i]};
                }
                if (tails[slot] != NoRow)
                    m_next[std::size_t(tails[slot])] = qint32(row);
                tails[slot] = qint32(row);
                previousSlot = slot;
                previousKey = keys[i];
            }
        }
    }

    // The first row with this key, or -1.
    template <typename KeyOf> qsizetype first(QStringView key, KeyOf keyOf) const
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
    template <typename KeyOf> std::size_t probe(QStringView key, quint32 hash, KeyOf &keyOf) const
    {
        std::size_t slot = hash & m_mask;
        while (m_slots[slot].head != NoRow &&
               (m_slots[slot].hash != hash || keyOf(m_slots[slot].head) != key))
            slot = (slot + 1) & m_mask;
        return slot;
    }

    std::vector<Slot> m_slots;
    std::vector<qint32> m_next;
    std::size_t m_mask = 0;
};

} // namespace lgbatch
