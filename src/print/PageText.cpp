#include "PageText.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>

namespace lgbatch {

namespace {

enum : quint8
{
    Unknown,
    Known,
    Missing
};

} // namespace

PageText::PageText(const QFont &font, QPaintDevice &device)
    : m_font(font), m_device(device), m_metrics(font, &device), m_raw(QRawFont::fromFont(font)),
      m_state(0x10000, Unknown), m_glyphs(0x10000)
{
    // The raw font comes at the screen's size; the page wants the point size at its own
    // resolution.
    if (m_raw.isValid())
        m_raw.setPixelSize(font.pointSizeF() * device.logicalDpiY() / 72.0);
}

std::optional<PageText::Glyph> PageText::glyphOf(QChar c) const
{
    const char16_t code = c.unicode();
    if (m_state[code] == Unknown) {
        quint32 index = 0;
        int count = 1;
        m_state[code] = Missing;
        if (m_raw.isValid() && !c.isSurrogate() && m_raw.glyphIndexesForChars(&c, 1, &index, &count) &&
            index != 0) {
            QPointF advance;
            if (m_raw.advancesForGlyphIndexes(&index, &advance, 1)) {
                m_glyphs[code] = {index, advance.x()};
                m_state[code] = Known;
            }
        }
    }
    if (m_state[code] == Missing)
        return std::nullopt;
    return m_glyphs[code];
}

bool PageText::ownGlyphsFor(const QString &text) const
{
    for (QChar c : text) {
        if (!glyphOf(c))
            return false;
    }
    return true;
}

qreal PageText::width(const QString &text) const
{
    qreal sum = 0;
    for (QChar c : text) {
        const std::optional<Glyph> glyph = glyphOf(c);
        if (!glyph)
            return m_metrics.horizontalAdvance(text);
        sum += glyph->advance;
    }
    return sum;
}

QStringList PageText::lines(const QString &text, qreal width) const
{
    if (!ownGlyphsFor(text)) {
        // Characters of other fonts: measured piece by piece as Qt sets them.
        QStringList lines;
        qsizetype start = 0;
        for (qsizetype end = 1; end <= text.size(); ++end) {
            if (end - start > 1 && m_metrics.horizontalAdvance(text.mid(start, end - start)) > width) {
                lines.append(text.mid(start, end - 1 - start));
                start = end - 1;
            }
        }
        lines.append(text.mid(start));
        return lines;
    }
    QStringList lines;
    qsizetype start = 0;
    qsizetype lastBlank = -1;
    qreal used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qreal advance = glyphOf(text[i])->advance;
        if (used + advance > width && i > start) {
            const qsizetype cut = lastBlank > start ? lastBlank + 1 : i;
            lines.append(text.mid(start, cut - start));
            start = cut;
            lastBlank = -1;
            used = this->width(text.mid(start, i - start));
        }
        if (text[i] == u' ')
            lastBlank = i;
        used += advance;
    }
    lines.append(text.mid(start));
    return lines;
}

void PageText::paint(QPainter &painter, const QPointF &origin, const QString &text) const
{
    Batch batch(*this);
    batch.add(origin, text);
    batch.paint(painter);
}

void PageText::Batch::add(const QPointF &origin, const QString &text)
{
    if (text.isEmpty())
        return;
    if (!m_face.ownGlyphsFor(text)) {
        m_others.append({origin, text});
        return;
    }
    qreal x = origin.x();
    for (QChar c : text) {
        const Glyph glyph = *m_face.glyphOf(c);
        m_indexes.append(glyph.index);
        m_positions.append(QPointF(x, origin.y()));
        x += glyph.advance;
    }
}

void PageText::Batch::paint(QPainter &painter)
{
    if (!m_indexes.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(m_face.m_raw);
        run.setGlyphIndexes(m_indexes);
        run.setPositions(m_positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
        m_indexes.clear();
        m_positions.clear();
    }
    if (!m_others.isEmpty()) {
        painter.setFont(m_face.m_font);
        for (const auto &[origin, text] : std::as_const(m_others))
            painter.drawText(origin, text);
        m_others.clear();
    }
}

} // namespace lgbatch
