#pragma once

#include <array>
#include <cstdint>

// The map between GBK and the characters it holds, generated at build time by
// tools/gen_gbk_map.py: the program's own, so that every platform reads and writes the same
// bytes whatever its Qt was built with. Only the GBK codec uses it.
namespace lgbatch::GbkMap {

inline constexpr int FirstLead = 0x81;
inline constexpr int LastLead = 0xFE;
inline constexpr int FirstTrail = 0x40;
inline constexpr int LastTrail = 0xFE;
inline constexpr int LeadCount = LastLead - FirstLead + 1;
inline constexpr int TrailSpan = LastTrail - FirstTrail + 1;

// The character of each byte 0x80-0xFF that stands alone; 0 where it does not.
extern const std::array<char16_t, 0x80> singles;
// The character of each lead byte with each trail byte, a row of TrailSpan per lead byte; 0 where
// the pair is no character (0x7F as a trail byte).
extern const std::array<char16_t, LeadCount * TrailSpan> pairs;

// The code of a character c beyond ASCII is codes[pageOf[c >> 8] * 0x100 + (c & 0xFF)]: 0 when
// GBK cannot hold it, below 0x100 a single byte, otherwise lead << 8 | trail. Page 0 is empty.
extern const std::array<std::uint8_t, 0x100> pageOf;
extern const std::uint16_t codes[];

} // namespace lgbatch::GbkMap
