#include "PdfTextMaps.h"

#include <QBitArray>
#include <QHash>
#include <QRawFont>
#include <QRegularExpression>

#include <cctype>

namespace lgbatch {

namespace {

using Renames = QHash<char16_t, char16_t>;

bool isSurrogate(uint code)
{
    return code >= 0xD800 && code <= 0xDFFF;
}

// For one font: the code point Qt names each drawn character's glyph after, where that is not
// the character itself (nor another character that was drawn).
void collectRenames(const QFont &font, const QString &drawnCharacters, const QBitArray &drawn,
                    Renames &renames)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return;
    QString everyCode;
    everyCode.reserve(0x10000);
    for (uint code = 1; code < 0x10000; ++code)
        everyCode.append(QChar(isSurrogate(code) ? u' ' : char16_t(code)));
    const QList<quint32> glyphOfCode = raw.glyphIndexesForString(everyCode);
    QHash<quint32, char16_t> lowestCodeOfGlyph;
    for (qsizetype i = 0; i < glyphOfCode.size(); ++i) {
        const uint code = uint(i) + 1;
        if (glyphOfCode[i] != 0 && !isSurrogate(code) && !lowestCodeOfGlyph.contains(glyphOfCode[i]))
            lowestCodeOfGlyph.insert(glyphOfCode[i], char16_t(code));
    }
    const QList<quint32> glyphOfDrawn = raw.glyphIndexesForString(drawnCharacters);
    for (qsizetype i = 0; i < glyphOfDrawn.size() && i < drawnCharacters.size(); ++i) {
        const char16_t character = drawnCharacters[i].unicode();
        const char16_t named = lowestCodeOfGlyph.value(glyphOfDrawn[i], character);
        if (named != character && !drawn.testBit(named) && !renames.contains(named))
            renames.insert(named, character);
    }
}

QByteArray hex4(char16_t code)
{
    return QByteArray::number(uint(code), 16).toUpper().rightJustified(4, '0');
}

// One text map, in place: the destinations of each "<from> <to> <dest>" or
// "<from> <to> [<dest> ...]" line. A single destination for several codes counts up from it and
// is only renamed when it stands for one code.
void renameInMap(char *map, qsizetype length, const Renames &renames)
{
    static const QRegularExpression rangeLine(QStringLiteral("^<([0-9A-F]{4})> <([0-9A-F]{4})> (\\[?)(.*)$"));
    qsizetype lineStart = 0;
    while (lineStart < length) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < length && map[lineEnd] != '\n')
            ++lineEnd;
        const QString line = QString::fromLatin1(map + lineStart, lineEnd - lineStart);
        const QRegularExpressionMatch range = rangeLine.match(line);
        if (range.hasMatch() &&
            (range.capturedView(3) == u"[" || range.capturedView(1) == range.capturedView(2))) {
            // Each destination "<XXXX>" lies at a known place; rewriting it keeps its length.
            for (qsizetype at = range.capturedStart(4); at + 6 <= line.size(); ++at) {
                if (line[at] != u'<' || line[at + 5] != u'>')
                    continue;
                bool ok = false;
                const uint code = line.mid(at + 1, 4).toUInt(&ok, 16);
                if (ok && renames.contains(char16_t(code))) {
                    const QByteArray name = hex4(renames.value(char16_t(code)));
                    std::copy(name.begin(), name.end(), map + lineStart + at + 1);
                }
                at += 5;
            }
        }
        lineStart = lineEnd + 1;
    }
}

} // namespace

QByteArray PdfTextMaps::repaired(QByteArray pdf, const QList<QFont> &fonts, const QString &drawn)
{
    QBitArray drawnBits(0x10000);
    for (QChar c : drawn)
        drawnBits.setBit(c.unicode());
    Renames renames;
    for (const QFont &font : fonts)
        collectRenames(font, drawn, drawnBits, renames);
    if (renames.isEmpty())
        return pdf;

    // The whole file is searched as bytes: a list's PDF can be tens of megabytes.
    const QByteArray reference = "/ToUnicode ";
    const QByteArray lengthKey = "<< /Length ";
    const QByteArray streamKey = " >>\nstream\n";
    for (qsizetype from = pdf.indexOf(reference); from >= 0; from = pdf.indexOf(reference, from)) {
        from += reference.size();
        qsizetype digits = from;
        while (digits < pdf.size() && std::isdigit(static_cast<unsigned char>(pdf[digits])))
            ++digits;
        const QByteArray objectStart = '\n' + pdf.mid(from, digits - from) + " 0 obj\n";
        const qsizetype object = pdf.indexOf(objectStart);
        if (digits == from || object < 0)
            continue;
        const qsizetype dictionary = object + objectStart.size();
        if (!QByteArrayView(pdf).sliced(dictionary).startsWith(lengthKey))
            continue;
        const qsizetype lengthEnd = pdf.indexOf(streamKey, dictionary);
        bool ok = false;
        const qsizetype length =
            pdf.mid(dictionary + lengthKey.size(), lengthEnd - dictionary - lengthKey.size()).toLongLong(&ok);
        const qsizetype start = lengthEnd + streamKey.size();
        if (lengthEnd > 0 && ok && start + length <= pdf.size())
            renameInMap(pdf.data() + start, length, renames);
    }
    return pdf;
}

} // namespace lgbatch
