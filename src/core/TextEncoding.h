#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

namespace lgbatch {

// Text files that come from elsewhere (a spreadsheet saved as CSV or text) arrive in whatever
// encoding the program that wrote them chose. What such a file holds is told apart here, beside
// the GBK codec, and decoded strictly: a byte sequence the encoding does not define is an
// error, never a replacement character.
namespace TextEncoding {

enum class Kind
{
    Gbk,
    Utf8,
    Utf8WithBom,
    Utf16LeWithBom, // Excel's "Unicode text"
    Utf16BeWithBom,
};

// A byte-order mark decides; without one, text that is valid UTF-8 and has a byte above 0x7F
// is UTF-8; everything else (plain ASCII included) is GBK.
Kind detect(const QByteArray &bytes);

// The text without its byte-order mark.
Result<QString> decode(const QByteArray &bytes, Kind kind);

// How the encoding is named to the user: "GBK", "UTF-8", "UTF-8（带BOM）", "UTF-16".
QString nameOf(Kind kind);

} // namespace TextEncoding
} // namespace lgbatch
