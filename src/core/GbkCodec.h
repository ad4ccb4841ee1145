#pragma once

#include "Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace lgbatch {

// Every conversion between the files' bytes and text goes through here. The data files are
// GBK (code page 936); a byte sequence GBK does not define, or a character GBK cannot hold,
// is an error for the caller, never a silent "?" or replacement character.
namespace GbkCodec {

// Whether the built-in map converts a known pair both ways. It always should, on every platform;
// the program still checks it once at start rather than read or write a file through a broken one.
bool isAvailable();

Result<QString> decode(const QByteArray &bytes);
Result<QByteArray> encode(const QString &text);
// Whether encode would take the text, without making its bytes.
bool canEncode(QStringView text);

// The message for text that GBK cannot hold, naming the first offending character.
QString unencodableMessage(const QString &text);

// Decodes a large text one piece after the other, for a reader that keeps only part of it, so
// that the whole text never exists at once. The pieces must not cut a character in two (a cut
// just after a line end never does).
class PieceDecoder
{
public:
    // The text of `bytes`, valid until the next call; bytes GBK does not define are an error.
    Result<QStringView> decode(QByteArrayView bytes);

private:
    QString m_text;
};

} // namespace GbkCodec
} // namespace lgbatch
