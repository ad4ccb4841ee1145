// The GBK conversion every file goes through: bytes it decodes encode back to the same bytes,
// text it encodes decodes back to the same text, and a failure always says what is wrong. The
// readers' decoding by lines keeps exactly the whole lines before a fault.
#include "FuzzSupport.h"

#include "files/PipeText.h"

using namespace lgbatch;

namespace {

void checkDecoding(const QByteArray &bytes)
{
    const Result<QString> text = GbkCodec::decode(bytes);
    if (!text) {
        fuzzing::requireMessage(text.error());
    } else {
        const Result<QByteArray> back = GbkCodec::encode(text.value());
        LGBATCH_PROMISE(back.ok(), back.error());
        LGBATCH_PROMISE(back.value() == bytes, QString::fromLatin1(bytes.toHex()));
    }

    const PipeText::DecodedLines lines = PipeText::decodeLines(bytes);
    LGBATCH_PROMISE(lines.error.has_value() == !text.ok(), QString::fromLatin1(bytes.toHex()));
    if (!lines.error) {
        LGBATCH_PROMISE(lines.text == text.value(), QString::fromLatin1(bytes.toHex()));
        return;
    }
    fuzzing::requireText(lines.error);
    // What was kept is whole lines, exactly as they stand in the file.
    const Result<QByteArray> kept = GbkCodec::encode(lines.text);
    LGBATCH_PROMISE(kept.ok(), kept.error());
    const qsizetype n = kept->size();
    LGBATCH_PROMISE(bytes.startsWith(kept.value()), QString::fromLatin1(bytes.toHex()));
    LGBATCH_PROMISE(n == 0 || bytes[n - 1] == '\n' || bytes[n - 1] == '\r',
                    QString::fromLatin1(bytes.toHex()));
    LGBATCH_PROMISE(n == 0 || bytes[n - 1] != '\r' || n == bytes.size() || bytes[n] != '\n',
                    QString::fromLatin1(bytes.toHex()));
}

void checkEncoding(const QByteArray &bytes)
{
    // The input taken as UTF-16 text, lone surrogates and all.
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
    const Result<QByteArray> encoded = GbkCodec::encode(text);
    if (!encoded) {
        fuzzing::requireMessage(encoded.error());
        fuzzing::requireMessage(GbkCodec::unencodableMessage(text));
        return;
    }
    const Result<QString> back = GbkCodec::decode(encoded.value());
    LGBATCH_PROMISE(back.ok() && back.value() == text, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    checkDecoding(bytes);
    // A copy, aligned for UTF-16.
    checkEncoding(QByteArray(bytes.constData(), bytes.size()));
    return 0;
}
