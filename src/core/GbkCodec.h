#pragma once

#include "Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

namespace lgbatch {

// Every conversion between the files' bytes and text goes through here. The data files are
// GBK (code page 936); a byte sequence GBK does not define, or a character GBK cannot hold,
// is an error for the caller, never a silent "?" or replacement character.
namespace GbkCodec {

// False when this build of Qt has no GBK converter; the program checks it once at start.
bool isAvailable();

Result<QString> decode(const QByteArray &bytes);
Result<QByteArray> encode(const QString &text);

// The message for text that GBK cannot hold, naming the first offending character.
QString unencodableMessage(const QString &text);

// Decodes a large text one piece after the other, for a reader that keeps only part of it, so
// that the whole text never exists at once. The pieces must not cut a character in two (a cut
// just after a line end never does). A file of national size is decoded through a table taken
// once from the converter, without a call into the converter per piece.
class PieceDecoder
{
public:
    PieceDecoder();
    // The text of `bytes`, valid until the next call; bytes GBK does not define are an error.
    Result<QStringView> decode(QByteArrayView bytes);

private:
    QStringDecoder m_converter;
    QString m_text;
};

} // namespace GbkCodec
} // namespace lgbatch
