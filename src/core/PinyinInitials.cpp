#include "PinyinInitials.h"

#include "PinyinInitialsTable.h"

#include <QVarLengthArray>

namespace lgbatch {

std::uint32_t initialBitOfLetter(QChar letter)
{
    const char16_t c = letter.unicode();
    if (c >= u'a' && c <= u'z')
        return 1u << (c - u'a');
    if (c >= u'A' && c <= u'Z')
        return 1u << (c - u'A');
    return 0;
}

std::uint32_t pinyinInitials(char32_t c)
{
    using namespace PinyinInitialsTable;
    if (c < 0x80)
        return initialBitOfLetter(QChar(char16_t(c)));
    if (c > LastCodePoint)
        return 0;
    const std::uint16_t page = pageOf[c >> PageBits];
    return palette[entries[std::size_t(page) << PageBits | (c & 0xFF)]];
}

bool initialsContain(QStringView name, QStringView letters)
{
    if (letters.isEmpty())
        return true;
    // One mask per character (not per UTF-16 unit): a character beyond the BMP is one place.
    QVarLengthArray<std::uint32_t, 64> masks;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        masks.append(pinyinInitials(c));
    }
    const qsizetype wanted = letters.size();
    for (qsizetype start = 0; start + wanted <= masks.size(); ++start) {
        qsizetype i = 0;
        while (i < wanted && (masks[start + i] & initialBitOfLetter(letters[i])))
            ++i;
        if (i == wanted)
            return true;
    }
    return false;
}

} // namespace lgbatch
