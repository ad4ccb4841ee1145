#pragma once

#include "core/Result.h"

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <array>

namespace lgbatch {

// The digest that guards payroll files. It is RFC 1321 MD5 with two quirks that every
// verification file in the field carries, so they are kept on purpose:
// - MD5Final adds no 0x80 marker when the input ends 56 bytes into a block, and when it ends
//   past byte 56 of a block beyond the first it feeds no padding at all: the last block is then
//   the first 56 bytes of the input's tail followed by the length;
// - DigestFileToHexStr never compresses the block whose read reaches the end of the file, so a
//   final full block takes no part (a 64-byte file digests like an empty one).
// An object is made for each use and is not shared.
class MD5
{
public:
    MD5();

    // The chaining registers as decimal text of their signed 32-bit values.
    QString RegisterA() const;
    QString RegisterB() const;
    QString RegisterC() const;
    QString RegisterD() const;

    // The file's digest as 32 upper-case hex digits. A file that cannot be read gives the
    // system's error; a file longer than MaxFileSize gives the overflow error.
    Result<QString> DigestFileToHexStr(const QString &FileName);
    // One byte per character, its single-byte GBK code. A character whose GBK code has two
    // bytes, or a text of 32,768 characters or more, is the overflow error; a character GBK
    // cannot hold at all is refused rather than digested as some other byte.
    Result<QString> DigestStrToHexStr(const QString &SourceString);
    // A, B, C, D, each least significant byte first, as upper-case hex.
    QString GetValues() const;
    void MD5Init();
    // Pads and adds the length; afterwards GetValues is the digest. A byte counter outside
    // 0 .. 268,435,455 is the overflow error.
    Status MD5Final();
    // Feeds the first InputLen bytes of InputBuffer. An InputLen of 0 or less feeds nothing
    // but still moves the byte counter by its amount (MD5Final relies on this).
    void MD5Update(qint32 InputLen, const quint8 *InputBuffer);
    // Rotates left by bits modulo 32; a negative count rotates by its floored remainder.
    static quint32 LongLeftRotate(quint32 value, qint32 bits);

    // What DigestFileToHexStr gives for a file holding exactly these bytes, so that a writer
    // can know the digest before the file exists and check the file on disk against it.
    Result<QString> digestBytesToHexStr(QByteArrayView bytes);

    // The longest input whose byte counter stays below 256 MiB at MD5Final. For a file that is
    // 256 MiB exactly: its last block is dropped, so the counter ends 64 bytes short.
    static constexpr qint64 MaxFileSize = qint64(1) << 28;
    // "溢出" with the number 6: the error of a counter or a conversion that does not fit.
    static Error overflowError();

private:
    void compressBlocks(const quint8 *data, qint64 blockCount);
    // Ends a file-style digest whose whole blocks have been compressed: the tail (fewer than
    // 64 bytes, or a dropped final block) goes to the buffer, then MD5Final.
    Result<QString> finishFileDigest(qint64 compressedBytes, QByteArrayView tail);

    quint32 m_a = 0;
    quint32 m_b = 0;
    quint32 m_c = 0;
    quint32 m_d = 0;
    // Wider than the 32-bit counter it stands for, so that no sum of lengths can overflow;
    // MD5Final refuses any value the narrow counter could not have held.
    qint64 m_count = 0;
    std::array<quint8, 64> m_buffer{};
};

} // namespace lgbatch
