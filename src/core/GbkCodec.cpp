#include "GbkCodec.h"

#include <QStringEncoder>

#include <array>
#include <cstring>
#include <optional>

namespace lgbatch::GbkCodec {

namespace {
const char *const EncodingName = "GBK";

QString missingConverterMessage()
{
    return QStringLiteral("系统缺少GBK字符集转换");
}

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

QString invalidBytesMessage()
{
    return QStringLiteral("文件含有无效的GBK字符");
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
        QByteArray ascii(0x80, Qt::Uninitialized);
        for (int b = 0; b < 0x80; ++b)
            ascii[b] = char(b);
        QStringDecoder asciiDecoder(EncodingName, QStringConverter::Flag::Stateless);
        const QString asciiText = asciiDecoder(ascii);
        if (!asciiDecoder.isValid() || asciiDecoder.hasError() || asciiText != QLatin1StringView(ascii))
            return;
        // The bytes above ASCII that are no lead byte; a lead byte that were a character too
        // would make the grid below come out longer than its pairs.
        for (int b : {0x80, 0xFF}) {
            QStringDecoder single(EncodingName, QStringConverter::Flag::Stateless);
            const char byte = char(b);
            const QString one = single(QByteArrayView(&byte, 1));
            if (!single.hasError() && one.size() == 1 && one[0].unicode() != 0)
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
    QStringDecoder &decoder = cachedConverter<QStringDecoder>();
    if (!decoder.isValid())
        return Result<QString>::failure(missingConverterMessage());
    QString text = decoder(bytes);
    if (decoder.hasError())
        return Result<QString>::failure(invalidBytesMessage());
    return text;
}

PieceDecoder::PieceDecoder() : m_converter(EncodingName, QStringConverter::Flag::Stateless) {}

Result<QStringView> PieceDecoder::decode(QByteArrayView bytes)
{
    if (!m_converter.isValid())
        return Result<QStringView>::failure(missingConverterMessage());
    const GbkTable &table = gbkTable();
    // At most one character per byte from the table; the converter says what it needs.
    const qsizetype room = table.usable() ? bytes.size() : m_converter.requiredSpace(bytes.size());
    if (m_text.size() < room)
        m_text.resize(room);
    char16_t *const out = reinterpret_cast<char16_t *>(m_text.data());
    const char16_t *end = nullptr;
    if (table.usable()) {
        const auto *in = reinterpret_cast<const uchar *>(bytes.data());
        end = table.decode(in, in + bytes.size(), out);
    } else {
        // Stateless: decoded to its end, so a character cut off at the end is an error
        // rather than silently held back for a next piece.
        end = reinterpret_cast<const char16_t *>(m_converter.appendToBuffer(m_text.data(), bytes));
        if (m_converter.hasError())
            end = nullptr;
    }
    if (!end)
        return Result<QStringView>::failure(invalidBytesMessage());
    return QStringView(out, end - out);
}

Result<QByteArray> encode(const QString &text)
{
    QStringEncoder &encoder = cachedConverter<QStringEncoder>();
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
