#include "GbkCodec.h"

#include "GbkMap.h"

#include <algorithm>
#include <cstring>

namespace lgbatch::GbkCodec {

namespace {

QString invalidBytesMessage()
{
    return QStringLiteral("文件含有无效的GBK字符");
}

std::size_t pairIndex(uchar lead, uchar trail)
{
    return std::size_t(lead - GbkMap::FirstLead) * GbkMap::TrailSpan +
           std::size_t(trail - GbkMap::FirstTrail);
}

// The characters of [in, end) written from `out` on (at most one per byte); null at the first
// byte sequence that is not GBK. GBK is a byte for ASCII, a few other single bytes, and otherwise
// a lead byte 0x81-0xFE with a trail byte 0x40-0xFE other than 0x7F.
char16_t *decodeInto(const uchar *in, const uchar *end, char16_t *out)
{
    while (in < end) {
        // Codes, separators and line ends come in runs of ASCII: eight bytes at a time.
        while (end - in >= 8) {
            quint64 eight;
            std::memcpy(&eight, in, 8);
            if (eight & 0x8080808080808080ULL)
                break;
            for (int i = 0; i < 8; ++i)
                out[i] = in[i];
            in += 8;
            out += 8;
        }
        if (in == end)
            break;
        const uchar b = *in;
        if (b < 0x80) {
            *out++ = b;
            ++in;
        } else if (unsigned(b - GbkMap::FirstLead) < unsigned(GbkMap::LeadCount)) {
            // Most of a table's characters are Chinese: two bytes, the lead checked first.
            if (end - in < 2 || unsigned(in[1] - GbkMap::FirstTrail) >= unsigned(GbkMap::TrailSpan))
                return nullptr;
            const char16_t pair = GbkMap::pairs[pairIndex(b, in[1])];
            if (!pair)
                return nullptr;
            *out++ = pair;
            in += 2;
        } else if (const char16_t c = GbkMap::singles[b - 0x80]) {
            *out++ = c;
            ++in;
        } else {
            return nullptr;
        }
    }
    return out;
}

// The code of a character beyond ASCII: 0 when GBK cannot hold it (a surrogate never can, so
// a character beyond the BMP is refused by its first half).
std::uint16_t codeOf(char16_t c)
{
    return GbkMap::codes[std::size_t(GbkMap::pageOf[c >> 8]) * 0x100 + (c & 0xFF)];
}

// The bytes of [in, end) written from `out` on (at most two per character); null at the first
// character GBK cannot hold.
char *encodeInto(const char16_t *in, const char16_t *end, char *out)
{
    for (; in < end; ++in) {
        const char16_t c = *in;
        if (c < 0x80) {
            *out++ = char(c);
            continue;
        }
        const std::uint16_t code = codeOf(c);
        if (!code)
            return nullptr;
        if (code > 0xFF)
            *out++ = char(code >> 8);
        *out++ = char(code & 0xFF);
    }
    return out;
}

} // namespace

bool isAvailable()
{
    // The map is linked in, so this holds wherever the program runs; a known pair ("澜港" is
    // 0xC0BD 0xB8DB) both ways guards against a build that linked an empty or shifted map.
    const QByteArray sample("\xC0\xBD\xB8\xDB", 4);
    const Result<QString> text = decode(sample);
    const Result<QByteArray> bytes = encode(QStringLiteral("澜港"));
    return text.ok() && text.value() == QStringLiteral("澜港") && bytes.ok() && bytes.value() == sample;
}

Result<QString> decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *const out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    const char16_t *const end = decodeInto(in, in + bytes.size(), out);
    if (!end)
        return Result<QString>::failure(invalidBytesMessage());
    text.truncate(end - out);
    return text;
}

Result<QStringView> PieceDecoder::decode(QByteArrayView bytes)
{
    if (m_text.size() < bytes.size())
        m_text.resize(bytes.size());
    char16_t *const out = reinterpret_cast<char16_t *>(m_text.data());
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    const char16_t *const end = decodeInto(in, in + bytes.size(), out);
    if (!end)
        return Result<QStringView>::failure(invalidBytesMessage());
    return QStringView(out, end - out);
}

Result<QByteArray> encode(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const char16_t *>(text.constData());
    char *const end = encodeInto(in, in + text.size(), bytes.data());
    if (!end)
        return Result<QByteArray>::failure(unencodableMessage(text));
    bytes.truncate(end - bytes.constData());
    return bytes;
}

bool canEncode(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x80 || codeOf(c.unicode()); });
}

QString unencodableMessage(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || codeOf(c))
            continue;
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return QStringLiteral("字符“%1”无法以GBK编码保存").arg(text.mid(i, pair ? 2 : 1));
    }
    return QStringLiteral("文本无法以GBK编码保存");
}

} // namespace lgbatch::GbkCodec
