#include "TableFiles.h"
#include "core/SystemError.h"
#include "files/MD5.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

const QString EmptyDigest = u"D41D8CD98F00B204E9800998ECF8427E"_s;

QString standardMd5(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
}

// Bytes that differ from block to block, so that a block dropped or counted twice shows.
QByteArray sampleBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (char &b : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = char(x);
    }
    return bytes;
}

// The file digest as the system has always made it: 64-byte reads, each block compressed
// unless its read reached the end of the file, then the length mod 64 added to the counter.
QString blockLoopDigest(const QByteArray &file)
{
    MD5 md5;
    for (qsizetype pos = 0;; pos += 64) {
        const QByteArray block = file.mid(pos, 64);
        const auto *data = reinterpret_cast<const quint8 *>(block.constData());
        if (pos + block.size() < file.size()) {
            md5.MD5Update(64, data);
        } else {
            md5.MD5Update(qint32(file.size() % 64), data);
            break;
        }
    }
    if (!md5.MD5Final())
        return QString();
    return md5.GetValues();
}

} // namespace

class TstMD5 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Text digests
    void strDigest_givesTheRfcSuite_data();
    void strDigest_givesTheRfcSuite();
    void strDigest_departsFromStandardOnlyAtTheSystemsPadding_data();
    void strDigest_departsFromStandardOnlyAtTheSystemsPadding();
    void strDigest_overflowsOnLongTextAndDoubleByteCharacters_data();
    void strDigest_overflowsOnLongTextAndDoubleByteCharacters();
    void strDigest_refusesACharacterGbkCannotHold();

    // File digests
    void fileDigest_equalsTheBlockLoop_data();
    void fileDigest_equalsTheBlockLoop();
    void fileDigest_dropsAFinalFullBlock();
    void fileDigest_overflowsPast256MiB();
    void fileDigest_reportsAFileThatCannotBeRead();

    // Registers and helpers
    void init_setsTheRfcRegisters();
    void final_refusesACounterOutOfRange();
    void longLeftRotate_rotatesByBitsModulo32_data();
    void longLeftRotate_rotatesByBitsModulo32();

private:
    QString writeSample(const QByteArray &bytes)
    {
        const QString path = m_dir->filePath(u"sample.bin"_s);
        return testing::writeFile(m_dir->path(), u"sample.bin"_s, bytes) ? path : QString();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstMD5::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstMD5::cleanup()
{
    m_dir.reset();
}

void TstMD5::strDigest_givesTheRfcSuite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digest");

    QTest::newRow("empty") << QString() << EmptyDigest;
    QTest::newRow("a") << u"a"_s << u"0CC175B9C0F1B6A831C399E269772661"_s;
    QTest::newRow("abc") << u"abc"_s << u"900150983CD24FB0D6963F7D28E17F72"_s;
    QTest::newRow("message digest") << u"message digest"_s << u"F96B697D7CB7938D525A2F31AAF161D0"_s;
    QTest::newRow("alphabet") << u"abcdefghijklmnopqrstuvwxyz"_s << u"C3FCD3D76192E4007DFB496CCA67E13B"_s;
    QTest::newRow("alphanumeric") << u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"_s
                                  << u"D174AB98D277D9F5A5611C2C9F419D9F"_s;
    QTest::newRow("digits")
        << u"12345678901234567890123456789012345678901234567890123456789012345678901234567890"_s
        << u"57EDF4A22BE3C955AC49DA2E2107B67A"_s;
}

void TstMD5::strDigest_givesTheRfcSuite()
{
    QFETCH(QString, text);
    QFETCH(QString, digest);

    const Result<QString> got = MD5().DigestStrToHexStr(text);
    QVERIFY2(got.ok(), qPrintable(got.error()));
    QCOMPARE(got.value(), digest);
}

void TstMD5::strDigest_departsFromStandardOnlyAtTheSystemsPadding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("standard");

    // 56 into the last block gets no marker; past 56 beyond the first block gets no padding.
    for (int n = 0; n <= 200; ++n) {
        QString text;
        for (int i = 0; i < n; ++i)
            text += QLatin1Char(char('a' + (i * 7) % 26));
        const int c = n % 64;
        QTest::addRow("%d bytes", n) << text << !(c == 56 || (c > 56 && n >= 64));
    }
}

void TstMD5::strDigest_departsFromStandardOnlyAtTheSystemsPadding()
{
    QFETCH(QString, text);
    QFETCH(bool, standard);

    const Result<QString> got = MD5().DigestStrToHexStr(text);
    QVERIFY2(got.ok(), qPrintable(got.error()));
    QCOMPARE(got.value() == standardMd5(text.toLatin1()), standard);
}

void TstMD5::strDigest_overflowsOnLongTextAndDoubleByteCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("32,767 characters") << QString(32767, u'x') << false;
    QTest::newRow("32,768 characters") << QString(32768, u'x') << true;
    QTest::newRow("a Chinese character") << u"工资"_s << true;
    QTest::newRow("euro sign is one GBK byte") << u"€"_s << false;
}

void TstMD5::strDigest_overflowsOnLongTextAndDoubleByteCharacters()
{
    QFETCH(QString, text);
    QFETCH(bool, overflow);

    const Result<QString> got = MD5().DigestStrToHexStr(text);
    QCOMPARE(!got.ok(), overflow);
    if (overflow) {
        QCOMPARE(got.error(), u"溢出"_s);
        QCOMPARE(got.errorNumber(), 6);
    }
}

void TstMD5::strDigest_refusesACharacterGbkCannotHold()
{
    const Result<QString> got = MD5().DigestStrToHexStr(u"a😀"_s);
    QVERIFY(!got.ok());
    QVERIFY2(got.error().contains(u"😀"_s), qPrintable(got.error()));
}

void TstMD5::fileDigest_equalsTheBlockLoop_data()
{
    QTest::addColumn<qsizetype>("size");

    // Around the end-of-file rules and around the pieces the file is read in.
    for (qsizetype size : {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 127, 128, 129, 1000})
        QTest::addRow("%lld bytes", qlonglong(size)) << size;
    const qsizetype mib = 1 << 20;
    for (qsizetype size : {mib - 1, mib, mib + 1, mib + 56, mib + 64, 2 * mib + 57, 3 * mib})
        QTest::addRow("1 MiB piece, %lld bytes", qlonglong(size)) << size;
}

void TstMD5::fileDigest_equalsTheBlockLoop()
{
    QFETCH(qsizetype, size);

    const QByteArray bytes = sampleBytes(size);
    const QString expected = blockLoopDigest(bytes);
    const QString path = writeSample(bytes);
    QVERIFY(!path.isEmpty());

    const Result<QString> fromFile = MD5().DigestFileToHexStr(path);
    QVERIFY2(fromFile.ok(), qPrintable(fromFile.error()));
    QCOMPARE(fromFile.value(), expected);
    const Result<QString> fromMemory = MD5().digestBytesToHexStr(bytes);
    QVERIFY2(fromMemory.ok(), qPrintable(fromMemory.error()));
    QCOMPARE(fromMemory.value(), expected);
}

void TstMD5::fileDigest_dropsAFinalFullBlock()
{
    const QByteArray bytes = sampleBytes(128);
    const auto digestOf = [this](const QByteArray &content) {
        const Result<QString> got = MD5().DigestFileToHexStr(writeSample(content));
        return got.ok() ? got.value() : got.error();
    };
    QCOMPARE(digestOf(QByteArray()), EmptyDigest);
    QCOMPARE(digestOf(bytes.first(64)), EmptyDigest);
    QCOMPARE(digestOf(bytes), standardMd5(bytes.first(64)));
    // Length mod 64 between 1 and 55: the standard digest.
    QCOMPARE(digestOf(bytes.first(100)), standardMd5(bytes.first(100)));
}

void TstMD5::fileDigest_overflowsPast256MiB()
{
    QFile file(m_dir->filePath(u"huge.bin"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Sparse: costs no disk space, and the digest refuses it before reading.
    QVERIFY(file.resize(MD5::MaxFileSize + 1));
    file.close();

    const Result<QString> got = MD5().DigestFileToHexStr(file.fileName());
    QVERIFY(!got.ok());
    QCOMPARE(got.error(), u"溢出"_s);
    QCOMPARE(got.errorNumber(), 6);
}

void TstMD5::fileDigest_reportsAFileThatCannotBeRead()
{
    const Result<QString> missing = MD5().DigestFileToHexStr(m_dir->filePath(u"missing.csv"_s));
    QVERIFY(!missing.ok());
    QCOMPARE(missing.error(), SystemError::fromErrno(ENOENT).text);

    const Result<QString> folder = MD5().DigestFileToHexStr(m_dir->path());
    QVERIFY(!folder.ok());
    QVERIFY(!folder.error().isEmpty());
}

void TstMD5::init_setsTheRfcRegisters()
{
    MD5 md5;
    QVERIFY(md5.DigestStrToHexStr(u"abc"_s).ok());
    md5.MD5Init();
    QCOMPARE(md5.RegisterA(), u"1732584193"_s);
    QCOMPARE(md5.RegisterB(), u"-271733879"_s);
    QCOMPARE(md5.RegisterC(), u"-1732584194"_s);
    QCOMPARE(md5.RegisterD(), u"271733878"_s);
    QCOMPARE(md5.GetValues(), u"0123456789ABCDEFFEDCBA9876543210"_s);
}

void TstMD5::final_refusesACounterOutOfRange()
{
    MD5 md5;
    md5.MD5Update(-1, nullptr);
    const Status done = md5.MD5Final();
    QVERIFY(!done.ok());
    QCOMPARE(done.errorNumber(), 6);
}

void TstMD5::longLeftRotate_rotatesByBitsModulo32_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<qint32>("bits");
    QTest::addColumn<quint32>("rotated");

    QTest::newRow("0 bits") << 0x80000001u << 0 << 0x80000001u;
    QTest::newRow("1 bit") << 0x80000001u << 1 << 0x00000003u;
    QTest::newRow("31 bits") << 0x80000001u << 31 << 0xC0000000u;
    QTest::newRow("32 bits") << 0x12345678u << 32 << 0x12345678u;
    QTest::newRow("33 bits") << 0x80000001u << 33 << 0x00000003u;
    QTest::newRow("-1 bits is 31") << 0x80000001u << -1 << 0xC0000000u;
}

void TstMD5::longLeftRotate_rotatesByBitsModulo32()
{
    QFETCH(quint32, value);
    QFETCH(qint32, bits);
    QFETCH(quint32, rotated);

    QCOMPARE(MD5::LongLeftRotate(value, bits), rotated);
}

QTEST_GUILESS_MAIN(TstMD5)
#include "tst_md5.moc"
