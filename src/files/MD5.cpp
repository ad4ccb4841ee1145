#include "MD5.h"

#include "core/GbkCodec.h"
#include "core/SystemError.h"

#include <QFile>

#include <QtEndian>
#include <cerrno>

#include <cstring>

namespace lgbatch {

namespace {

// Register values of RFC 1321 before the first block.
constexpr quint32 InitA = 0x67452301;
constexpr quint32 InitB = 0xefcdab89;
constexpr quint32 InitC = 0x98badcfe;
constexpr quint32 InitD = 0x10325476;

// Files are read in large pieces for speed; the digest is still defined block by block.
constexpr qint64 ReadPieceSize = qint64(1) << 20;

// The longest text DigestStrToHexStr takes: its conversion counts characters in 16 bits.
constexpr qsizetype MaxStringLength = 32767;

// The byte counter must stay below this for its bit count to fit in 32 signed bits.
constexpr qint64 CounterLimit = qint64(1) << 28;

inline quint32 rotl(quint32 x, int s)
{
    return (x << s) | (x >> (32 - s));
}

// The four round functions, in the forms that need one operation less than the RFC's.
inline quint32 fnF(quint32 x, quint32 y, quint32 z)
{
    return z ^ (x & (y ^ z));
}
inline quint32 fnG(quint32 x, quint32 y, quint32 z)
{
    return y ^ (z & (x ^ y));
}
inline quint32 fnH(quint32 x, quint32 y, quint32 z)
{
    return x ^ y ^ z;
}
inline quint32 fnI(quint32 x, quint32 y, quint32 z)
{
    return y ^ (x | ~z);
}

// One step: a = b + ((a + fn(b, c, d) + word + constant) <<< shift).
template <quint32 (*Fn)(quint32, quint32, quint32), int Shift>
inline void step(quint32 &a, quint32 b, quint32 c, quint32 d, quint32 word, quint32 constant)
{
    a = b + rotl(a + Fn(b, c, d) + word + constant, Shift);
}

QString registerAsHex(quint32 value)
{
    // Least significant byte first, two upper-case digits each.
    QString out;
    out.reserve(8);
    for (int i = 0; i < 4; ++i)
        out += QStringLiteral("%1").arg((value >> (8 * i)) & 0xff, 2, 16, QLatin1Char('0')).toUpper();
    return out;
}

} // namespace

MD5::MD5()
{
    MD5Init();
}

QString MD5::RegisterA() const
{
    return QString::number(qint32(m_a));
}

QString MD5::RegisterB() const
{
    return QString::number(qint32(m_b));
}

QString MD5::RegisterC() const
{
    return QString::number(qint32(m_c));
}

QString MD5::RegisterD() const
{
    return QString::number(qint32(m_d));
}

Result<QString> MD5::DigestFileToHexStr(const QString &FileName)
{
    MD5Init();
    QFile file(FileName);
    SystemError::clearLastCode();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return SystemError::ofFile(file, SystemError::lastCode());
    // Refuse a file too long before reading it; the count below still guards a file that grows
    // while it is read, or one that has no size (a pipe, a device).
    if (file.size() > MaxFileSize)
        return overflowError();

    // The block that reaches the end of the file takes no part, and which block that is shows
    // only once the file has ended: so the last 1 to 64 bytes read always wait in `piece`
    // before the next read decides their fate.
    QByteArray piece(ReadPieceSize + 64, Qt::Uninitialized);
    auto *bytes = reinterpret_cast<quint8 *>(piece.data());
    qint64 waiting = 0;
    qint64 compressed = 0;
    for (;;) {
        const qint64 got = file.read(piece.data() + waiting, ReadPieceSize);
        if (got < 0)
            return SystemError::ofFile(file, SystemError::lastCode());
        if (got == 0)
            break;
        waiting += got;
        if (compressed + waiting > MaxFileSize)
            return overflowError();
        const qint64 blocks = (waiting - 1) / 64;
        compressBlocks(bytes, blocks);
        compressed += blocks * 64;
        const qint64 kept = waiting - blocks * 64;
        std::memmove(bytes, bytes + blocks * 64, size_t(kept));
        waiting = kept;
    }
    return finishFileDigest(compressed, QByteArrayView(piece.constData(), waiting));
}

Result<QString> MD5::DigestStrToHexStr(const QString &SourceString)
{
    MD5Init();
    if (SourceString.size() > MaxStringLength)
        return overflowError();
    const Result<QByteArray> bytes = GbkCodec::encode(SourceString);
    if (!bytes)
        return bytes.errorInfo();
    // More bytes than characters: some character needs two bytes of GBK.
    if (bytes->size() != SourceString.size())
        return overflowError();
    MD5Update(qint32(bytes->size()), reinterpret_cast<const quint8 *>(bytes->constData()));
    LGBATCH_TRY(MD5Final());
    return GetValues();
}

QString MD5::GetValues() const
{
    return registerAsHex(m_a) + registerAsHex(m_b) + registerAsHex(m_c) + registerAsHex(m_d);
}

void MD5::MD5Init()
{
    m_a = InitA;
    m_b = InitB;
    m_c = InitC;
    m_d = InitD;
    m_count = 0;
}

Status MD5::MD5Final()
{
    const qint64 n = m_count;
    if (n < 0 || n >= CounterLimit)
        return overflowError();
    const quint32 bitLength = quint32(n) * 8;

    static const std::array<quint8, 64> padding = {0x80};
    const qint64 c = n % 64;
    // The system's rule, not the RFC's: c = 56 feeds nothing (no marker); c > 56 feeds
    // 120 - n bytes, which for n >= 64 is negative and only moves the counter to 120.
    if (c <= 56)
        MD5Update(qint32(56 - c), padding.data());
    else
        MD5Update(qint32(120 - n), padding.data());

    std::array<quint8, 8> length{};
    qToLittleEndian(bitLength, length.data());
    MD5Update(qint32(length.size()), length.data());
    return {};
}

void MD5::MD5Update(qint32 InputLen, const quint8 *InputBuffer)
{
    // The counter is never negative in normal use; the mask keeps the buffer position inside
    // the buffer even when a caller has driven it below zero.
    qint64 index = m_count & 63;
    m_count += InputLen;
    if (InputLen <= 0)
        return;
    qint64 done = 0;
    if (InputLen >= 64 - index) {
        done = 64 - index;
        std::memcpy(m_buffer.data() + index, InputBuffer, size_t(done));
        compressBlocks(m_buffer.data(), 1);
        const qint64 blocks = (InputLen - done) / 64;
        compressBlocks(InputBuffer + done, blocks);
        done += blocks * 64;
        index = 0;
    }
    std::memcpy(m_buffer.data() + index, InputBuffer + done, size_t(InputLen - done));
}

quint32 MD5::LongLeftRotate(quint32 value, qint32 bits)
{
    const int s = bits & 31;
    return s == 0 ? value : rotl(value, s);
}

Result<QString> MD5::digestBytesToHexStr(QByteArrayView bytes)
{
    MD5Init();
    const qint64 size = bytes.size();
    if (size > MaxFileSize)
        return overflowError();
    // Every whole block but the one that reaches the end: for a length that is a multiple
    // of 64 that drops the last block, otherwise it leaves the partial tail.
    const qint64 blocks = size > 0 ? (size - 1) / 64 : 0;
    compressBlocks(reinterpret_cast<const quint8 *>(bytes.data()), blocks);
    return finishFileDigest(blocks * 64, bytes.sliced(blocks * 64));
}

Error MD5::overflowError()
{
    return Error{QStringLiteral("溢出"), 6};
}

Result<QString> MD5::finishFileDigest(qint64 compressedBytes, QByteArrayView tail)
{
    // The last read block lies in the buffer from position 0; only a partial one counts.
    if (!tail.isEmpty())
        std::memcpy(m_buffer.data(), tail.data(), size_t(tail.size()));
    m_count = compressedBytes + tail.size() % 64;
    LGBATCH_TRY(MD5Final());
    return GetValues();
}

void MD5::compressBlocks(const quint8 *data, qint64 blockCount)
{
    quint32 a0 = m_a;
    quint32 b0 = m_b;
    quint32 c0 = m_c;
    quint32 d0 = m_d;
    for (qint64 block = 0; block < blockCount; ++block, data += 64) {
        quint32 x[16];
        for (int i = 0; i < 16; ++i)
            x[i] = qFromLittleEndian<quint32>(data + 4 * i);
        quint32 a = a0;
        quint32 b = b0;
        quint32 c = c0;
        quint32 d = d0;

        step<fnF, 7>(a, b, c, d, x[0], 0xd76aa478);
        step<fnF, 12>(d, a, b, c, x[1], 0xe8c7b756);
        step<fnF, 17>(c, d, a, b, x[2], 0x242070db);
        step<fnF, 22>(b, c, d, a, x[3], 0xc1bdceee);
        step<fnF, 7>(a, b, c, d, x[4], 0xf57c0faf);
        step<fnF, 12>(d, a, b, c, x[5], 0x4787c62a);
        step<fnF, 17>(c, d, a, b, x[6], 0xa8304613);
        step<fnF, 22>(b, c, d, a, x[7], 0xfd469501);
        step<fnF, 7>(a, b, c, d, x[8], 0x698098d8);
        step<fnF, 12>(d, a, b, c, x[9], 0x8b44f7af);
        step<fnF, 17>(c, d, a, b, x[10], 0xffff5bb1);
        step<fnF, 22>(b, c, d, a, x[11], 0x895cd7be);
        step<fnF, 7>(a, b, c, d, x[12], 0x6b901122);
        step<fnF, 12>(d, a, b, c, x[13], 0xfd987193);
        step<fnF, 17>(c, d, a, b, x[14], 0xa679438e);
        step<fnF, 22>(b, c, d, a, x[15], 0x49b40821);

        step<fnG, 5>(a, b, c, d, x[1], 0xf61e2562);
        step<fnG, 9>(d, a, b, c, x[6], 0xc040b340);
        step<fnG, 14>(c, d, a, b, x[11], 0x265e5a51);
        step<fnG, 20>(b, c, d, a, x[0], 0xe9b6c7aa);
        step<fnG, 5>(a, b, c, d, x[5], 0xd62f105d);
        step<fnG, 9>(d, a, b, c, x[10], 0x02441453);
        step<fnG, 14>(c, d, a, b, x[15], 0xd8a1e681);
        step<fnG, 20>(b, c, d, a, x[4], 0xe7d3fbc8);
        step<fnG, 5>(a, b, c, d, x[9], 0x21e1cde6);
        step<fnG, 9>(d, a, b, c, x[14], 0xc33707d6);
        step<fnG, 14>(c, d, a, b, x[3], 0xf4d50d87);
        step<fnG, 20>(b, c, d, a, x[8], 0x455a14ed);
        step<fnG, 5>(a, b, c, d, x[13], 0xa9e3e905);
        step<fnG, 9>(d, a, b, c, x[2], 0xfcefa3f8);
        step<fnG, 14>(c, d, a, b, x[7], 0x676f02d9);
        step<fnG, 20>(b, c, d, a, x[12], 0x8d2a4c8a);

        step<fnH, 4>(a, b, c, d, x[5], 0xfffa3942);
        step<fnH, 11>(d, a, b, c, x[8], 0x8771f681);
        step<fnH, 16>(c, d, a, b, x[11], 0x6d9d6122);
        step<fnH, 23>(b, c, d, a, x[14], 0xfde5380c);
        step<fnH, 4>(a, b, c, d, x[1], 0xa4beea44);
        step<fnH, 11>(d, a, b, c, x[4], 0x4bdecfa9);
        step<fnH, 16>(c, d, a, b, x[7], 0xf6bb4b60);
        step<fnH, 23>(b, c, d, a, x[10], 0xbebfbc70);
        step<fnH, 4>(a, b, c, d, x[13], 0x289b7ec6);
        step<fnH, 11>(d, a, b, c, x[0], 0xeaa127fa);
        step<fnH, 16>(c, d, a, b, x[3], 0xd4ef3085);
        step<fnH, 23>(b, c, d, a, x[6], 0x04881d05);
        step<fnH, 4>(a, b, c, d, x[9], 0xd9d4d039);
        step<fnH, 11>(d, a, b, c, x[12], 0xe6db99e5);
        step<fnH, 16>(c, d, a, b, x[15], 0x1fa27cf8);
        step<fnH, 23>(b, c, d, a, x[2], 0xc4ac5665);

        step<fnI, 6>(a, b, c, d, x[0], 0xf4292244);
        step<fnI, 10>(d, a, b, c, x[7], 0x432aff97);
        step<fnI, 15>(c, d, a, b, x[14], 0xab9423a7);
        step<fnI, 21>(b, c, d, a, x[5], 0xfc93a039);
        step<fnI, 6>(a, b, c, d, x[12], 0x655b59c3);
        step<fnI, 10>(d, a, b, c, x[3], 0x8f0ccc92);
        step<fnI, 15>(c, d, a, b, x[10], 0xffeff47d);
        step<fnI, 21>(b, c, d, a, x[1], 0x85845dd1);
        step<fnI, 6>(a, b, c, d, x[8], 0x6fa87e4f);
        step<fnI, 10>(d, a, b, c, x[15], 0xfe2ce6e0);
        step<fnI, 15>(c, d, a, b, x[6], 0xa3014314);
        step<fnI, 21>(b, c, d, a, x[13], 0x4e0811a1);
        step<fnI, 6>(a, b, c, d, x[4], 0xf7537e82);
        step<fnI, 10>(d, a, b, c, x[11], 0xbd3af235);
        step<fnI, 15>(c, d, a, b, x[2], 0x2ad7d2bb);
        step<fnI, 21>(b, c, d, a, x[9], 0xeb86d391);

        a0 += a;
        b0 += b;
        c0 += c;
        d0 += d;
    }
    m_a = a0;
    m_b = b0;
    m_c = c0;
    m_d = d0;
}

} // namespace lgbatch
