#pragma once

#include "Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

namespace lgbatch {

// Every conversion between the files' bytes and text goes through here. The data files are
// GBK (code page 936); a byte sequence GBK does not define, or a character GBK cannot hold,
// is an error for the caller, never a silent "?" or replacement character.
namespace GbkCodec {

// False when this build of Qt has no GBK converter; the program checks it once at start.
bool isAvailable();

Result<QString> decode(const QByteArray &bytes);

// Decodes a large text a piece at a time, for a reader that keeps only part of it: the whole
// text never exists at once. Each piece ends at a line end (CR LF or a bare CR) or at the end
// of the bytes, so it holds whole lines; its view is valid until `take` returns. Bytes GBK
// does not define fail before `take` sees their piece; a failure of `take` ends the decoding
// and is passed on.
Status decodeByLines(QByteArrayView bytes, const std::function<Status(QStringView piece)> &take);
Result<QByteArray> encode(const QString &text);

// The message for text that GBK cannot hold, naming the first offending character.
QString unencodableMessage(const QString &text);

} // namespace GbkCodec
} // namespace lgbatch
