// The line cursor and the comma-separated value stream under every file reader. The input is
// taken byte for byte as characters, so that every line end, quote and separator can occur.
#include "FuzzSupport.h"

#include "core/TextFile.h"

using namespace lgbatch;

namespace {

// The lines and their ends make up the whole text again: nothing is lost between lines, and a
// line end after the last line starts no further line.
void checkLines(const QString &text)
{
    const QList<QStringView> lines = splitLines(text);
    qsizetype pos = 0;
    for (const QStringView line : lines) {
        LGBATCH_PROMISE(pos < text.size(), QStringLiteral("a line past the end"));
        LGBATCH_PROMISE(QStringView(text).mid(pos, line.size()) == line,
                        QStringLiteral("a line that is not there"));
        LGBATCH_PROMISE(!line.contains(u'\r'), QStringLiteral("a CR inside a line"));
        pos += line.size();
        if (pos < text.size()) {
            LGBATCH_PROMISE(text[pos] == u'\r', QStringLiteral("a line that ends before its end"));
            ++pos;
            if (pos < text.size() && text[pos] == u'\n')
                ++pos;
        }
    }
    LGBATCH_PROMISE(pos == text.size(), QStringLiteral("text left after the last line"));

    // Lines as a writer puts them, read back.
    CrLfWriter writer;
    for (const QStringView line : lines)
        writer.addLine(line.toString());
    if (const Result<QByteArray> bytes = writer.bytes()) {
        const QString back = GbkCodec::decode(bytes.value()).value();
        LGBATCH_PROMISE(splitLines(back) == lines, QStringLiteral("written lines read back otherwise"));
    }
}

// Every call either ends the stream or takes a value and moves on; the values, written quoted,
// read back the same.
void checkValues(const QString &text)
{
    ValueStreamReader reader(text);
    QStringList values;
    bool quotable = true;
    for (;;) {
        const bool atEnd = reader.atEnd();
        const std::optional<QString> value = reader.next();
        LGBATCH_PROMISE(atEnd == !value.has_value(), QStringLiteral("atEnd() and next() disagree"));
        if (!value)
            break;
        LGBATCH_PROMISE(values.size() <= text.size(), QStringLiteral("more values than characters"));
        quotable = quotable && !value->contains(u'"');
        values.append(*value);
    }
    LGBATCH_PROMISE(!reader.next().has_value(), QStringLiteral("a value after the end"));
    if (!quotable)
        return;
    QString written;
    for (const QString &value : values)
        written += u'"' + value + QStringLiteral("\",");
    ValueStreamReader again(written);
    for (const QString &value : values)
        LGBATCH_PROMISE(again.next() == value, value);
    LGBATCH_PROMISE(again.atEnd(), written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    const QString text = QString::fromLatin1(bytes);
    checkLines(text);
    checkValues(text);
    // And as the readers get it: decoded from GBK.
    if (const Result<QString> decoded = GbkCodec::decode(bytes)) {
        checkLines(decoded.value());
        checkValues(decoded.value());
    }
    return 0;
}
