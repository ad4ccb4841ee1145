#pragma once

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>

namespace lgbatch {

// Qt's PDF writer names each glyph in a font's text map (the ToUnicode map that copying,
// searching and text extraction read) after the lowest code point the font maps to that
// glyph. CJK fonts draw the Kangxi and supplementary radicals with the very glyphs of the
// ideographs, so 支 would come back out of the PDF as the radical ⽀ and never be found by a
// search. This renames such glyphs after the characters that were drawn with them.
namespace PdfTextMaps {

// `pdf` as Qt wrote it with `fonts`, with every text map naming the characters of `drawn`
// that another code point had taken. The maps are rewritten code for code, each name keeping
// its length, so nothing else in the file moves; maps that are not in the plain form Qt writes
// are left as they are.
QByteArray repaired(QByteArray pdf, const QList<QFont> &fonts, const QString &drawn);

} // namespace PdfTextMaps
} // namespace lgbatch
