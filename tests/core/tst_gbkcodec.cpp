#include "core/GbkCodec.h"

#include <QTest>

using namespace lgbatch;
using namespace Qt::StringLiterals;

namespace {

// What decodeByLines hands out, joined; `wholeLines` says whether every piece ended at a line
// end (CR LF, or a bare CR not followed by LF) or at the end of the text.
struct Pieces
{
    bool ok = false;
    QString text;
    bool wholeLines = true;
};

Pieces decodeInPieces(const QByteArray &bytes)
{
    Pieces pieces;
    pieces.ok = GbkCodec::decodeByLines(bytes, [&pieces](QStringView piece) {
                    if (!pieces.text.isEmpty() && (!pieces.text.endsWith(u'\r') || piece.startsWith(u'\n')) &&
                        !pieces.text.endsWith(u"\r\n"))
                        pieces.wholeLines = false;
                    pieces.text += piece;
                    return Status();
                }).ok();
    return pieces;
}

// Lines of changing length, Chinese and ASCII, some far longer than the rest: enough text for
// several pieces, with their ends falling anywhere.
QByteArray manyLines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += QByteArray::number(i) + "=\xd6\xa7\xd0\xd0" + QByteArray(i % 37, 'x') +
                 (i % 500 == 0 ? QByteArray(70000, 'y') : QByteArray()) + (i % 3 ? "\r\n" : "\r");
    return bytes;
}

} // namespace

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
    void decodeByLines_givesWholeLinesOfTheSameText_data();
    void decodeByLines_givesWholeLinesOfTheSameText();
    void decodeByLines_refusesInvalidBytes_data();
    void decodeByLines_refusesInvalidBytes();
    void decodeByLines_agreesWithTheConverterOnEveryByteAndPair();
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

void TstGbkCodec::decodeByLines_givesWholeLinesOfTheSameText_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("last line without its end") << QByteArray("102=a\r\n105=b");
    QTest::newRow("bare CR ends a line, bare LF does not") << QByteArray("a\rb\nc\r\nd\r\r\n");
    QTest::newRow("single-byte characters 0x80 and 0xFF") << QByteArray("\x80=\xff\r\n");
    QTest::newRow("many pieces") << manyLines(20000);
    QTest::newRow("CR LF across the first cut") << QByteArray(65535, 'a') + "\r\nb";
    QTest::newRow("bare CR at the first cut") << QByteArray(65535, 'a') + "\rb\r";
    QTest::newRow("one line longer than a piece") << QByteArray(200000, 'a');
}

void TstGbkCodec::decodeByLines_givesWholeLinesOfTheSameText()
{
    QFETCH(QByteArray, bytes);

    const Pieces pieces = decodeInPieces(bytes);
    QVERIFY(pieces.ok);
    QCOMPARE(pieces.text, GbkCodec::decode(bytes).value());
    QVERIFY(pieces.wholeLines);
}

void TstGbkCodec::decodeByLines_refusesInvalidBytes_data()
{
    decode_refusesInvalidBytes_data();
    QTest::newRow("lead byte far into the text") << manyLines(20000) + "\x81\x20\r\n";
}

void TstGbkCodec::decodeByLines_refusesInvalidBytes()
{
    QFETCH(QByteArray, bytes);

    const Pieces pieces = decodeInPieces(bytes);
    QVERIFY(!pieces.ok);
    // Nothing of the faulty piece was handed out, not even as a replacement character.
    QVERIFY(!pieces.text.contains(QChar::ReplacementCharacter));
}

void TstGbkCodec::decodeByLines_agreesWithTheConverterOnEveryByteAndPair()
{
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray bytes(1, char(first));
            if (second >= 0)
                bytes.append(char(second));
            const Result<QString> whole = GbkCodec::decode(bytes);
            const Pieces pieces = decodeInPieces(bytes);
            QVERIFY2(pieces.ok == whole.ok() && (!whole.ok() || pieces.text == whole.value()),
                     bytes.toHex(' ').constData());
        }
    }
}

QTEST_GUILESS_MAIN(TstGbkCodec)
#include "tst_gbkcodec.moc"
