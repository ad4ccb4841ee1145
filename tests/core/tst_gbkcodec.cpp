#include "core/GbkCodec.h"

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
    void pieceDecoder_agreesWithTheConverterOnEveryByteAndPair();
};

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

// The decoder's own table must read every byte and every pair of bytes as the converter does.
void TstGbkCodec::pieceDecoder_agreesWithTheConverterOnEveryByteAndPair()
{
    GbkCodec::PieceDecoder decoder;
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray bytes(1, char(first));
            if (second >= 0)
                bytes.append(char(second));
            const Result<QString> whole = GbkCodec::decode(bytes);
            const Result<QStringView> piece = decoder.decode(bytes);
            QVERIFY2(piece.ok() == whole.ok() && (!whole.ok() || piece.value() == whole.value()),
                     bytes.toHex(' ').constData());
        }
    }
}

QTEST_GUILESS_MAIN(TstGbkCodec)
#include "tst_gbkcodec.moc"
