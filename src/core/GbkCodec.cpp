#include "GbkCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace lgbatch::GbkCodec {

namespace {
const char *const EncodingName = "GBK";

// Opening a converter costs far more than converting a field with it, and every field of a large
// list is checked: each thread keeps one of each kind. One that met an error is replaced, so that
// its error never speaks for the next text.
template <typename Converter> Converter &cachedConverter()
{
    thread_local std::optional<Converter> converter;
    if (!converter || converter->hasError())
        converter.emplace(EncodingName, QStringConverter::Flag::Stateless);
    return *converter;
}
} // namespace

bool isAvailable()
{
    QStringDecoder decoder(EncodingName, QStringConverter::Flag::Stateless);
    QStringEncoder encoder(EncodingName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid() || !encoder.isValid())
        return false;
    // A known pair: "澜港" is 0xC0BD 0xB8DB in GBK. Guards against a converter that is there
    // in name only.
    const QByteArray sample("\xC0\xBD\xB8\xDB", 4);
    return QString(decoder(sample)) == QStringLiteral("澜港");
}

Result<QString> decode(const QByteArray &bytes)
{
    QStringDecoder &decoder = cachedConverter<QStringDecoder>();
    if (!decoder.isValid())
        return Result<QString>::failure(QStringLiteral("系统缺少GBK字符集转换"));
    QString text = decoder(bytes);
    if (decoder.hasError())
        return Result<QString>::failure(QStringLiteral("文件含有无效的GBK字符"));
    return text;
}

Result<QByteArray> encode(const QString &text)
{
    QStringEncoder &encoder = cachedConverter<QStringEncoder>();
    if (!encoder.isValid())
        return Result<QByteArray>::failure(QStringLiteral("系统缺少GBK字符集转换"));
    QByteArray bytes = encoder(text);
    // Some converters substitute instead of flagging: a round trip tells for sure.
    if (encoder.hasError())
        return Result<QByteArray>::failure(unencodableMessage(text));
    const Result<QString> back = decode(bytes);
    if (!back.ok() || back.value() != text)
        return Result<QByteArray>::failure(unencodableMessage(text));
    return bytes;
}

QString unencodableMessage(const QString &text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = text.mid(i, len);
        QStringEncoder one(EncodingName, QStringConverter::Flag::Stateless);
        const QByteArray b = one(piece);
        QStringDecoder back(EncodingName, QStringConverter::Flag::Stateless);
        if (one.hasError() || QString(back(b)) != piece)
            return QStringLiteral("字符“%1”无法以GBK编码保存").arg(piece);
        i += len;
    }
    return QStringLiteral("文本无法以GBK编码保存");
}

} // namespace lgbatch::GbkCodec
