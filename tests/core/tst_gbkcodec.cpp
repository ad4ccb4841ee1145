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

QTEST_GUILESS_MAIN(TstGbkCodec)
#include "tst_gbkcodec.moc"
