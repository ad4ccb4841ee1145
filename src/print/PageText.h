#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;
class QPaintDevice;
class QPointF;

namespace lgbatch {

// Text in one font on one paint device, measured, broken into lines and painted glyph by glyph
// from the font's own tables. Printed lists hold hundreds of thousands of short texts in
// Chinese, figures and Latin letters, none of which needs Qt's shaping; going past it makes
// the longest list print many times faster. Each character is looked up once. A text with a
// character the font lacks (or outside the basic plane) is measured and painted by Qt as
// usual, so that its fallback fonts still show it.
class PageText
{
public:
    PageText(const QFont &font, QPaintDevice &device);

    const QFont &font() const { return m_font; }
    const QFontMetricsF &metrics() const { return m_metrics; }
    qreal lineSpacing() const { return m_metrics.lineSpacing(); }
    qreal ascent() const { return m_metrics.ascent(); }

    qreal width(const QString &text) const;
    // The lines `text` takes at `width`: broken after a blank where a line has one, anywhere
    // where a word alone is wider than the line. Never fewer than one line.
    QStringList lines(const QString &text, qreal width) const;
    // Paints `text` with its baseline starting at `origin`; the painter's font is not used.
    void paint(QPainter &painter, const QPointF &origin, const QString &text) const;

    // Many texts of this font painted in one go (a table row): far fewer calls into the paint
    // engine than one per text.
    class Batch
    {
    public:
        explicit Batch(const PageText &face) : m_face(face) {}
        void add(const QPointF &origin, const QString &text);
        // Paints what was added and empties the batch.
        void paint(QPainter &painter);

    private:
        const PageText &m_face;
        QList<quint32> m_indexes;
        QList<QPointF> m_positions;
        // Texts with characters of other fonts, painted by Qt.
        QList<std::pair<QPointF, QString>> m_others;
    };

private:
    struct Glyph
    {
        quint32 index = 0;
        qreal advance = 0;
    };
    // The glyph of a character, or nothing when the font lacks it.
    std::optional<Glyph> glyphOf(QChar c) const;
    bool ownGlyphsFor(const QString &text) const;

    QFont m_font;
    QPaintDevice &m_device;
    QFontMetricsF m_metrics;
    QRawFont m_raw;
    // By character: 0 not yet looked up, 1 looked up (see m_glyphs), 2 not in the font.
    mutable QList<quint8> m_state;
    mutable QList<Glyph> m_glyphs;
};

} // namespace lgbatch
