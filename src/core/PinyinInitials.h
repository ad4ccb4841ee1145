#pragma once

#include <QStringView>

#include <cstdint>

namespace lgbatch {

// The letters a character's pinyin readings begin with, as a mask: bit 0 for a ... bit 25 for
// z. A character with several readings has several letters (行: h and x). A Latin letter stands
// for itself, whatever its case, so that "ABC公司" reads as abcgs; anything else has none.
std::uint32_t pinyinInitials(char32_t c);

// The bit of a Latin letter of either case, 0 for any other character.
std::uint32_t initialBitOfLetter(QChar letter);

// Whether the typed letters, in order, are the initials of consecutive characters of `name`
// (with any of each character's readings). `letters` holds Latin letters only; an empty text
// is found everywhere.
bool initialsContain(QStringView name, QStringView letters);

} // namespace lgbatch
