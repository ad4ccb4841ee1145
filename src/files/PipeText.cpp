#include "PipeText.h"

#include <algorithm>

namespace lgbatch::PipeText {

void split(QStringView line, QList<QStringView> &pieces, qsizetype most)
{
    pieces.clear();
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = pieces.size() + 1 < most ? line.indexOf(Separator, start) : -1;
        if (end < 0) {
            pieces.append(line.mid(start));
            return;
        }
        pieces.append(line.mid(start, end - start));
        start = end + 1;
    }
}

bool cutShort(QStringView line, const QString &text, const QList<QStringView> &pieces, qsizetype fields)
{
    const bool endsTheText = line.data() + line.size() == text.constData() + text.size();
    return endsTheText && pieces.size() <= fields;
}

Error lineCutShort(qsizetype lineNumber)
{
    return Error{QStringLiteral("第%1行不完整，文件在这一行的中间结束").arg(lineNumber)};
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

DecodedLines decodeLines(const QByteArray &bytes)
{
    Result<QString> whole = GbkCodec::decode(bytes);
    if (whole.ok())
        return {std::move(whole).value(), std::nullopt};
    // Only now look for the line at fault. A CR is never part of a GBK character, so the bytes
    // can be cut into lines before decoding, by the same rules as the text.
    qsizetype start = 0;
    for (qsizetype lineNumber = 1; start < bytes.size(); ++lineNumber) {
        const qsizetype cr = bytes.indexOf('\r', start);
        const qsizetype end = cr < 0 ? bytes.size() : cr;
        if (!GbkCodec::decode(bytes.sliced(start, end - start)).ok()) {
            Result<QString> before = GbkCodec::decode(bytes.first(start));
            return {before.ok() ? std::move(before).value() : QString(),
                    Error{QStringLiteral("第%1行含有无效的GBK字符").arg(lineNumber)}};
        }
        start = end + 1;
        if (cr >= 0 && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    // Every line decodes on its own but the whole does not: the converter itself failed.
    return {QString(), whole.errorInfo()};
}

Error tooFewColumns(qsizetype lineNumber, qsizetype needed)
{
    return Error{QStringLiteral("第%1行列数不足%2列").arg(lineNumber).arg(needed)};
}

std::optional<Error> whyNotStorable(qsizetype row, const NamedText &field, Check check)
{
    // A quick look first: most fields hold none of the few reserved characters, and text
    // below 0x80 is always GBK.
    const auto reserved = [](QChar c) {
        return std::any_of(FieldText::PipeFileReserved.begin(), FieldText::PipeFileReserved.end(),
                           [c](QChar r) { return r == c; });
    };
    const bool suspect = std::any_of(field.text->begin(), field.text->end(), [&](QChar c) {
        return reserved(c) || (check == Check::Full && c.unicode() >= 0x80);
    });
    if (!suspect)
        return std::nullopt;
    // FieldText names a structure character before one GBK cannot hold, so a structure check
    // never pays for the GBK test of a text that has a "|".
    std::optional<QString> why = FieldText::whyNotStorable(*field.text, FieldText::PipeFileReserved);
    if (!why)
        return std::nullopt;
    return Error{QStringLiteral("第%1行%2%3").arg(row).arg(field.name, *why)};
}

} // namespace lgbatch::PipeText
