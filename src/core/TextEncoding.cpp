#include "TextEncoding.h"

#include "GbkCodec.h"

#include <QStringDecoder>

namespace lgbatch::TextEncoding {

namespace {

bool startsWith(const QByteArray &bytes, const char *mark, qsizetype size)
{
    return bytes.size() >= size && std::equal(mark, mark + size, bytes.constData());
}

bool hasHighByte(const QByteArray &bytes)
{
    return std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return quint8(c) > 0x7F; });
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF), told without decoding them: a large file is not decoded twice.
bool isUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const quint8 *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const quint8 lead = *p++;
        if (lead < 0x80)
            continue;
        int more = 0;
        quint8 low = 0x80;
        quint8 high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (end - p < more || *p < low || *p > high)
            return false;
        for (++p, --more; more > 0; --more, ++p) {
            if (*p < 0x80 || *p > 0xBF)
                return false;
        }
    }
    return true;
}

Result<QString> strictly(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return Result<QString>::failure(
            QStringLiteral("文件含有无效的%1字符")
                .arg(QLatin1StringView(QStringConverter::nameForEncoding(encoding))));
    return text;
}

} // namespace

Kind detect(const QByteArray &bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF", 3))
        return Kind::Utf8WithBom;
    if (startsWith(bytes, "\xFF\xFE", 2))
        return Kind::Utf16LeWithBom;
    if (startsWith(bytes, "\xFE\xFF", 2))
        return Kind::Utf16BeWithBom;
    if (hasHighByte(bytes) && isUtf8(bytes))
        return Kind::Utf8;
    return Kind::Gbk;
}

Result<QString> decode(const QByteArray &bytes, Kind kind)
{
    switch (kind) {
    case Kind::Gbk:
        return GbkCodec::decode(bytes);
    case Kind::Utf8:
        return strictly(QStringConverter::Utf8, bytes);
    case Kind::Utf8WithBom:
        return strictly(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    case Kind::Utf16LeWithBom:
        return strictly(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    case Kind::Utf16BeWithBom:
        return strictly(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    }
    return Result<QString>::failure(QStringLiteral("未知的文本编码"));
}

QString nameOf(Kind kind)
{
    switch (kind) {
    case Kind::Gbk:
        return QStringLiteral("GBK");
    case Kind::Utf8:
        return QStringLiteral("UTF-8");
    case Kind::Utf8WithBom:
        return QStringLiteral("UTF-8（带BOM）");
    case Kind::Utf16LeWithBom:
    case Kind::Utf16BeWithBom:
        return QStringLiteral("UTF-16");
    }
    return QString();
}

} // namespace lgbatch::TextEncoding
