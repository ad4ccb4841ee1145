#include "GbkCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstring>

namespace lgbatch::GbkCodec {

namespace {
const char *const EncodingName = "GBK";

QString missingConverterMessage()
{
    return QStringLiteral("系统缺少GBK字符集转换");
}

QString invalidBytesMessage()
{
    return QStringLiteral("文件含有无效的GBK字符");
}

// Small enough for the decoded piece to stay in the processor's cache while it is read.
constexpr qsizetype PieceBytes = 64 * 1024;

// Where a piece that starts at `start` ends: just after the first line end at or past the
// piece size. A CR byte is never part of a two-byte GBK character, so the cut cannot split one.
qsizetype pieceEnd(QByteArrayView bytes, qsizetype start)
{
    const qsizetype from = start + PieceBytes - 1;
    if (from >= bytes.size())
        return bytes.size();
    const void *cr = std::memchr(bytes.data() + from, '\r', std::size_t(bytes.size() - from));
    if (!cr)
        return bytes.size();
    qsizetype end = static_cast<const char *>(cr) - bytes.data() + 1;
    if (end < bytes.size() && bytes[end] == '\n')
        ++end;
    return end;
}

// The converter's map of GBK taken once into two tables, so that a file of national size is
// decoded without going through the converter's general machinery. GBK is a byte for ASCII, a
// few other single bytes, and otherwise a lead byte 0x81-0xFE with a trail byte 0x40-0xFE
// other than 0x7F; what each stands for comes from the converter itself, never from us.
class GbkTable
{
public:
    GbkTable()
    {
        QStringDecoder decoder(EncodingName, QStringConverter::Flag::Stateless);
        if (!decoder.isValid())
            return;
        for (int b = 0; b < 0x80; ++b) {
            const char byte = char(b);
            const QString one = decoder(QByteArrayView(&byte, 1));
            if (decoder.hasError() || one != QChar(char16_t(b)))
                return;
        }
        for (int b = 0x80; b <= 0xFF; ++b) {
            QStringDecoder single(EncodingName, QStringConverter::Flag::Stateless);
            const char byte = char(b);
            const QString one = single(QByteArrayView(&byte, 1));
            const bool lead = b >= FirstLead && b <= LastLead;
            const bool character = !single.hasError() && one.size() == 1 && one[0].unicode() != 0;
            if (lead == character)
                return; // a lead byte that is a character too, or neither: a map we do not know
            if (character)
                m_single[b - 0x80] = one[0].unicode();
        }
        // Every lead with every trail in one call: when the converter takes them all, as one
        // character each, their characters are the table.
        QByteArray grid;
        grid.reserve(LeadCount * TrailSpan * 2);
        for (int lead = FirstLead; lead <= LastLead; ++lead) {
            for (int trail = FirstTrail; trail <= LastTrail; ++trail) {
                if (trail != 0x7F)
                    grid.append(char(lead)).append(char(trail));
            }
        }
        QStringDecoder all(EncodingName, QStringConverter::Flag::Stateless);
        const QString characters = all(grid);
        if (all.hasError() || characters.size() != grid.size() / 2 || characters.contains(QChar(0)))
            return;
        qsizetype next = 0;
        for (int lead = FirstLead; lead <= LastLead; ++lead) {
            for (int trail = FirstTrail; trail <= LastTrail; ++trail) {
                if (trail != 0x7F)
                    m_pairs[pairIndex(uchar(lead), uchar(trail))] = characters[next++].unicode();
            }
        }
        m_usable = true;
    }

    bool usable() const { return m_usable; }

    // The characters of [in, end) written from `out` on (at most one per byte); null at the
    // first byte sequence that is not GBK.
    char16_t *decode(const uchar *in, const uchar *end, char16_t *out) const
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
            } else if (unsigned(b - FirstLead) < unsigned(LeadCount)) {
                // Most of a table's characters are Chinese: two bytes, the lead checked first.
                if (end - in < 2 || unsigned(in[1] - FirstTrail) >= unsigned(TrailSpan))
                    return nullptr;
                const char16_t pair = m_pairs[pairIndex(b, in[1])];
                if (!pair)
                    return nullptr;
                *out++ = pair;
                in += 2;
            } else if (const char16_t c = m_single[b - 0x80]) {
                *out++ = c;
                ++in;
            } else {
                return nullptr;
            }
        }
        return out;
    }

private:
    static constexpr int FirstLead = 0x81;
    static constexpr int LastLead = 0xFE;
    static constexpr int FirstTrail = 0x40;
    static constexpr int LastTrail = 0xFE;
    static constexpr int LeadCount = LastLead - FirstLead + 1;
    static constexpr int TrailSpan = LastTrail - FirstTrail + 1;

    static std::size_t pairIndex(uchar lead, uchar trail)
    {
        return std::size_t(lead - FirstLead) * TrailSpan + std::size_t(trail - FirstTrail);
    }

    bool m_usable = false;
    std::array<char16_t, 0x80> m_single{}; // bytes 0x80-0xFF that are a character alone; 0: not
    std::array<char16_t, LeadCount * TrailSpan> m_pairs{}; // 0: no character (0x7F as a trail)
};

// Taken from the converter once per run: the map cannot change while the program runs.
const GbkTable &gbkTable()
{
    static const GbkTable table;
    return table;
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
    QStringDecoder decoder(EncodingName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return Result<QString>::failure(missingConverterMessage());
    QString text = decoder(bytes);
    if (decoder.hasError())
        return Result<QString>::failure(invalidBytesMessage());
    return text;
}

Status decodeByLines(QByteArrayView bytes, const std::function<Status(QStringView piece)> &take)
{
    // Stateless: every piece is decoded to its end, so a character cut off at the end of the
    // bytes is an error rather than silently held back.
    QStringDecoder decoder(EncodingName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return Status::failure(missingConverterMessage());
    const GbkTable &table = gbkTable();
    QString scratch;
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype end = pieceEnd(bytes, start);
        const QByteArrayView piece = bytes.sliced(start, end - start);
        const qsizetype room = table.usable() ? piece.size() : decoder.requiredSpace(piece.size());
        if (scratch.size() < room)
            scratch.resize(room);
        char16_t *const out = reinterpret_cast<char16_t *>(scratch.data());
        const char16_t *decodedEnd = nullptr;
        if (table.usable()) {
            const auto *in = reinterpret_cast<const uchar *>(piece.data());
            decodedEnd = table.decode(in, in + piece.size(), out);
        } else {
            decodedEnd = reinterpret_cast<const char16_t *>(decoder.appendToBuffer(scratch.data(), piece));
            if (decoder.hasError())
                decodedEnd = nullptr;
        }
        if (!decodedEnd)
            return Status::failure(invalidBytesMessage());
        LGBATCH_TRY(take(QStringView(out, decodedEnd - out)));
        start = end;
    }
    return {};
}

Result<QByteArray> encode(const QString &text)
{
    QStringEncoder encoder(EncodingName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return Result<QByteArray>::failure(missingConverterMessage());
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
