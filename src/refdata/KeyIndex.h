#pragma once

#include "core/Prefetch.h"

#include <QRandomGenerator>
#include <QStringView>

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace lgbatch {

// Rows grouped by a text key, each group in file order, so that "the first row in file order
// wins" costs one hash and a short probe instead of a scan. Built in one pass without an
// allocation per row: open addressing over row numbers, and, where every row of a group is
// wanted, a "next row with the same key" chain. The keys are not copied: every call is handed
// the accessor that reads a row's key.
class KeyIndex
{
public:
    enum class Rows
    {
        FirstOnly, // only the first row of a key is ever asked for
        All,       // next() walks every row of a key
    };

    // `expectedKeys` is a guess at the number of distinct keys: the index starts with room for
    // them and doubles when they are more, so that it stays sized to the keys it holds.
    template <typename KeyOf> void build(qsizetype rowCount, qsizetype expectedKeys, Rows rows, KeyOf keyOf)
    {
        m_keys = 0;
        m_seed = QRandomGenerator::global()->generate64();
        m_slots.assign(capacityFor(expectedKeys), Slot{});
        m_mask = m_slots.size() - 1;
        m_next.assign(rows == Rows::All ? std::size_t(rowCount) : 0, NoRow);
        // The last row of each group so far, beside its slot; only the chain needs it.
        std::vector<qint32> tails(rows == Rows::All ? m_slots.size() : 0, NoRow);
        // Rows go in a few at a time: their slots are fetched from memory together, instead of
        // one cache miss after the other on a table of national size.
        constexpr qsizetype Batch = 16;
        QStringView keys[Batch];
        quint32 hashes[Batch];
        QStringView previousKey;
        std::size_t previousSlot = 0;
        bool previousKnown = false;
        for (qsizetype start = 0; start < rowCount; start += Batch) {
            const qsizetype count = std::min(Batch, rowCount - start);
            for (qsizetype i = 0; i < count; ++i) {
                keys[i] = keyOf(start + i);
                hashes[i] = hashOf(keys[i]);
                prefetch(&m_slots[hashes[i] & m_mask]);
            }
            for (qsizetype i = 0; i < count; ++i) {
                const qsizetype row = start + i;
                // Tables sorted by their key (branch tables usually are, by code) repeat the
                // previous row's key: its slot is known.
                std::size_t slot = previousSlot;
                if (!previousKnown || !sameKey(keys[i], previousKey)) {
                    slot = probe(keys[i], hashes[i], keyOf);
                    if (m_slots[slot].head == NoRow) {
                        if (m_keys + 1 > maxKeys()) {
                            grow(tails);
                            slot = probe(keys[i], hashes[i], keyOf);
                        }
                        m_slots[slot] = Slot{qint32(row), hashes[i]};
                        ++m_keys;
                    }
                }
                if (rows == Rows::All) {
                    if (tails[slot] != NoRow)
                        m_next[std::size_t(tails[slot])] = qint32(row);
                    tails[slot] = qint32(row);
                }
                previousSlot = slot;
                previousKey = keys[i];
                previousKnown = true;
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

    // The next row with the same key as `row`, or -1. Only for an index of all rows.
    qsizetype next(qsizetype row) const { return m_next[std::size_t(row)]; }

private:
    static constexpr qint32 NoRow = -1;

    struct Slot
    {
        qint32 head = NoRow; // first row of the group
        quint32 hash = 0;    // of the group's key, to skip most key comparisons
    };

    // A hash of the characters eight bytes at a time. Qt's own string hash is stronger and,
    // where the processor lacks the instructions it is built on, several times slower; the
    // index hashes a national table's names at every start. The seed is drawn per index, so
    // that no file can be made to collide on purpose.
    quint32 hashOf(QStringView key) const
    {
        constexpr quint64 Multiplier = 0xff51afd7ed558ccdULL;
        quint64 h = m_seed ^ (quint64(key.size()) * 0x9e3779b97f4a7c15ULL);
        const char16_t *at = key.utf16();
        qsizetype left = key.size();
        for (; left >= 4; left -= 4, at += 4) {
            quint64 four;
            std::memcpy(&four, at, sizeof four);
            h = (h ^ four) * Multiplier;
            h ^= h >> 29;
        }
        quint64 rest = 0;
        if (left > 0)
            std::memcpy(&rest, at, std::size_t(left) * sizeof(char16_t));
        h = (h ^ rest) * Multiplier;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        h ^= h >> 33;
        return quint32(h);
    }

    // At most four keys in five slots: probes stay short, and the slots of a table whose
    // names are all different take some ten bytes per row.
    static std::size_t capacityFor(qsizetype keys)
    {
        return std::bit_ceil(std::size_t(std::max<qsizetype>(16, keys + keys / 4 + 1)));
    }
    qsizetype maxKeys() const { return qsizetype(m_slots.size() / 5 * 4); }

    // Twice the slots; every group keeps its head and tail. Keys are all different, so only
    // their hashes are needed to place them again.
    void grow(std::vector<qint32> &tails)
    {
        std::vector<Slot> grown(m_slots.size() * 2);
        std::vector<qint32> newTails(tails.empty() ? 0 : grown.size(), NoRow);
        const std::size_t mask = grown.size() - 1;
        for (std::size_t old = 0; old < m_slots.size(); ++old) {
            if (m_slots[old].head == NoRow)
                continue;
            std::size_t slot = m_slots[old].hash & mask;
            while (grown[slot].head != NoRow)
                slot = (slot + 1) & mask;
            grown[slot] = m_slots[old];
            if (!tails.empty())
                newTails[slot] = tails[old];
        }
        m_slots = std::move(grown);
        tails = std::move(newTails);
        m_mask = mask;
    }

    static bool sameKey(QStringView a, QStringView b)
    {
        return a.size() == b.size() &&
               (a.isEmpty() ||
                std::memcmp(a.utf16(), b.utf16(), std::size_t(a.size()) * sizeof(char16_t)) == 0);
    }

    // The slot holding this key's group, or the empty slot where it would go.
    template <typename KeyOf> std::size_t probe(QStringView key, quint32 hash, KeyOf &keyOf) const
    {
        std::size_t slot = hash & m_mask;
        while (m_slots[slot].head != NoRow &&
               (m_slots[slot].hash != hash || !sameKey(keyOf(m_slots[slot].head), key)))
            slot = (slot + 1) & m_mask;
        return slot;
    }

    std::vector<Slot> m_slots;
    std::vector<qint32> m_next;
    std::size_t m_mask = 0;
    qsizetype m_keys = 0;
    quint64 m_seed = 0;
};

} // namespace lgbatch
