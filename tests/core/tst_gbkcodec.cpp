#include "core/GbkCodec.h"

#include <QCryptographicHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

class TstGbkCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void converter_isAvailable();

    void roundTrip_keepsTextAndBytes_data();
    void roundTrip_keepsTextAndBytes();

    void encode_refusesWhatGbkCannotHold_data();
    void encode_refusesWhatGbkCannotHold();

    void decode_refusesInvalidBytes_data();
    void decode_refusesInvalidBytes();

    // A large text a piece at a time
    void pieceDecoder_refusesInvalidBytes_data();
    void pieceDecoder_refusesInvalidBytes();

    // The whole map, so that no platform and no rebuild of the table can differ by one code
    void map_isTheSameEverywhere();
    void map_equalsQtsGbkConverter();
};

namespace {

// Every single byte and every lead byte with every byte after it.
QList<QByteArray> everyOneAndTwoByteCode()
{
    QList<QByteArray> codes;
    for (int first = 0; first < 256; ++first) {
        codes.append(QByteArray(1, char(first)));
        for (int second = 0; first >= 0x81 && second < 256; ++second)
            codes.append(QByteArray(1, char(first)).append(char(second)));
    }
    return codes;
}

QString character(int code)
{
    return QString(QChar(char16_t(code)));
}

QByteArray shown(const Result<QString> &text)
{
    return text.ok() ? text.value().toUtf8().toHex() : QByteArray("invalid");
}

QByteArray shown(const Result<QByteArray> &bytes)
{
    return bytes.ok() ? bytes.value().toHex() : QByteArray("unencodable");
}

} // namespace

void TstGbkCodec::converter_isAvailable()
{
    QVERIFY(GbkCodec::isAvailable());
}

void TstGbkCodec::roundTrip_keepsTextAndBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("ascii") << u"H|1,234.50|\r\n"_s << QByteArray("H|1,234.50|\r\n");
    QTest::newRow("bank name") << u"澜港银行"_s << QByteArray::fromHex("c0bdb8dbd2f8d0d0");
    QTest::newRow("full-width brackets") << u"（个人版）"_s << QByteArray::fromHex("a3a8b8f6c8cbb0e6a3a9");
    QTest::newRow("mixed") << u"张三,加急"_s << QByteArray::fromHex("d5c5c8fd2cbcd3bcb1");
    QTest::newRow("euro sign: one byte") << u"€"_s << QByteArray("\x80", 1);
    QTest::newRow("0xFF: private use") << QString(QChar(0xF8F5)) << QByteArray("\xFF", 1);
    QTest::newRow("user-defined area") << QString(QChar(0xE000)) << QByteArray::fromHex("aaa1");
}

void TstGbkCodec::roundTrip_keepsTextAndBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    const Result<QByteArray> encoded = GbkCodec::encode(text);
    QVERIFY2(encoded.ok(), qPrintable(encoded.error()));
    QCOMPARE(encoded.value(), bytes);
    const Result<QString> decoded = GbkCodec::decode(bytes);
    QVERIFY2(decoded.ok(), qPrintable(decoded.error()));
    QCOMPARE(decoded.value(), text);
}

void TstGbkCodec::encode_refusesWhatGbkCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("offending");

    QTest::newRow("emoji (outside the BMP)") << u"张三😀"_s << u"😀"_s;
    QTest::newRow("hangul") << u"收款人한"_s << u"한"_s;
    QTest::newRow("thai first, hangul later") << u"aกb한"_s << u"ก"_s;
    QTest::newRow("lone surrogate") << u"a"_s + QChar(0xDC00) << QString(QChar(0xDC00));
}

void TstGbkCodec::encode_refusesWhatGbkCannotHold()
{
    QFETCH(QString, text);
    QFETCH(QString, offending);

    const Result<QByteArray> encoded = GbkCodec::encode(text);
    QVERIFY(!encoded.ok());
    // The user must learn which character to remove; a silent "?" would corrupt the file.
    QVERIFY2(encoded.error().contains(offending), qPrintable(encoded.error()));
    QVERIFY(!encoded.error().contains(u'?'));
}

void TstGbkCodec::decode_refusesInvalidBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("lead byte with a control trail byte") << QByteArray("\x81\x20", 2);
    QTest::newRow("lead byte with 0x7F") << QByteArray("ab\x81\x7f", 4);
    QTest::newRow("lead byte cut off at the end") << QByteArray("abc\xc0", 4);
    QTest::newRow("lead byte with 0xFF") << QByteArray("\xb0\xff", 2);
}

void TstGbkCodec::decode_refusesInvalidBytes()
{
    QFETCH(QByteArray, bytes);

    const Result<QString> decoded = GbkCodec::decode(bytes);
    QVERIFY(!decoded.ok());
    QVERIFY(!decoded.error().isEmpty());
}

void TstGbkCodec::pieceDecoder_refusesInvalidBytes_data()
{
    decode_refusesInvalidBytes_data();
}

void TstGbkCodec::pieceDecoder_refusesInvalidBytes()
{
    QFETCH(QByteArray, bytes);

    GbkCodec::PieceDecoder decoder;
    QVERIFY(decoder.decode("ok\r\n").ok());
    const Result<QStringView> decoded = decoder.decode(bytes);
    QVERIFY(!decoded.ok());
    QVERIFY(!decoded.error().isEmpty());
}

// Digests of the map as this build has it; the same test runs on Linux and on Windows. The
// expected values are those of Qt's own GBK converter on Linux, the map the program always had.
void TstGbkCodec::map_isTheSameEverywhere()
{
    QCryptographicHash decoding(QCryptographicHash::Sha256);
    GbkCodec::PieceDecoder pieces;
    for (const QByteArray &code : everyOneAndTwoByteCode()) {
        const Result<QString> text = GbkCodec::decode(code);
        const Result<QStringView> piece = pieces.decode(code);
        QVERIFY2(piece.ok() == text.ok() && (!text.ok() || piece.value() == text.value()),
                 code.toHex().constData());
        decoding.addData(code.toHex() + '=' + shown(text) + '\n');
    }
    QCryptographicHash encoding(QCryptographicHash::Sha256);
    for (int c = 0; c <= 0xFFFF; ++c)
        encoding.addData(QByteArray::number(c, 16) + '=' + shown(GbkCodec::encode(character(c))) + '\n');

    QCOMPARE(decoding.result().toHex(), "938a564a81419c833ec2eb125941213cd53a1c5fecd33df1d77924a3f009fc18");
    QCOMPARE(encoding.result().toHex(), "763556a1be8b37f009ef1c59f46a67cef40c312aa56c99cc365cd67a67bcb430");
}

// The map must stay the one the program has always had on Linux, where Qt converts GBK itself.
void TstGbkCodec::map_equalsQtsGbkConverter()
{
    if (!QStringDecoder("GBK").isValid())
        QSKIP("this Qt has no GBK converter to compare with");
    for (const QByteArray &code : everyOneAndTwoByteCode()) {
        QStringDecoder qt("GBK", QStringConverter::Flag::Stateless);
        const QString text = qt(code);
        const QByteArray theirs = qt.hasError() ? QByteArray("invalid") : text.toUtf8().toHex();
        const QByteArray ours = shown(GbkCodec::decode(code));
        QVERIFY2(ours == theirs, (code.toHex() + ": " + ours + " instead of " + theirs).constData());
    }
    for (int c = 0; c <= 0xFFFF; ++c) {
        QStringEncoder qt("GBK", QStringConverter::Flag::Stateless);
        const QByteArray bytes = qt(character(c));
        const QByteArray theirs = qt.hasError() ? QByteArray("unencodable") : bytes.toHex();
        const QByteArray ours = shown(GbkCodec::encode(character(c)));
        QVERIFY2(ours == theirs,
                 ("U+" + QByteArray::number(c, 16) + ": " + ours + " instead of " + theirs).constData());
    }
}

QTEST_GUILESS_MAIN(TstGbkCodec)
#include "tst_gbkcodec.moc"
