#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

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

} // namespace GbkCodec
} // namespace lgbatch
