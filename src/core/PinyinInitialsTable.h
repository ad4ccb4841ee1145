#pragma once

#include <cstddef>
#include <cstdint>

// The pinyin initials of every character with a Mandarin reading, generated at build time by
// tools/gen_pinyin_initials.py from Unicode's Unihan data. Only PinyinInitials.cpp reads it.
namespace lgbatch::PinyinInitialsTable {

inline constexpr int PageBits = 8;
inline constexpr char32_t LastCodePoint = 0x10FFFF;

// The initials of code point c are palette[entries[pageOf[c >> PageBits] << PageBits | (c & 0xFF)]],
// a mask with bit 0 for a ... bit 25 for z. Page 0 and palette entry 0 are empty.
extern const std::uint32_t palette[];
extern const std::uint16_t pageOf[];
extern const std::uint16_t entries[];

// How many characters have readings, and what the arrays take, for the benchmark's report.
extern const std::size_t characterCount;
extern const std::size_t tableBytes;

} // namespace lgbatch::PinyinInitialsTable
