#include "ColumnWidths.h"

#include <algorithm>
#include <numeric>

namespace lgbatch {

namespace {

// Widths between `least` and `most`, each column at a common level clamped to its own bounds,
// the level chosen so that they add up to `total` (or the bounds, where they cannot).
QList<qreal> levelled(const QList<qreal> &least, const QList<qreal> &most, qreal total)
{
    const auto widthsAt = [&](qreal level) {
        QList<qreal> widths(least.size());
        for (qsizetype c = 0; c < least.size(); ++c)
            widths[c] = std::clamp(level, least[c], std::max(least[c], most[c]));
        return widths;
    };
    const auto sumAt = [&](qreal level) {
        const QList<qreal> widths = widthsAt(level);
        return std::accumulate(widths.begin(), widths.end(), qreal(0));
    };
    qreal low = 0;
    qreal high = *std::max_element(most.begin(), most.end());
    for (int step = 0; step < 60; ++step) {
        const qreal middle = (low + high) / 2;
        (sumAt(middle) > total ? high : low) = middle;
    }
    return widthsAt(low);
}

} // namespace

QList<qreal> columnWidths(const QList<ColumnTexts> &columns, const ColumnFonts &fonts, qreal pageWidth)
{
    if (columns.isEmpty())
        return {};
    const qsizetype count = columns.size();
    QList<qreal> natural(count);
    QList<qreal> narrowest(count);
    QList<qreal> thinnest(count);
    for (qsizetype c = 0; c < count; ++c) {
        const ColumnTexts &column = columns[c];
        natural[c] = std::max(column.widest, std::min(column.header, fonts.narrowestWords)) +
                     2 * fonts.padding + fonts.slack;
        const qreal whole = column.figures ? fonts.longestFigure : fonts.narrowestWords;
        narrowest[c] = std::min(natural[c], whole + 2 * fonts.padding);
        thinnest[c] = std::min(narrowest[c], fonts.em + 2 * fonts.padding);
    }
    const qreal naturalSum = std::accumulate(natural.begin(), natural.end(), qreal(0));
    QList<qreal> widths = natural;
    if (naturalSum <= pageWidth) {
        for (qreal &width : widths)
            width *= pageWidth / naturalSum;
    } else if (std::accumulate(narrowest.begin(), narrowest.end(), qreal(0)) <= pageWidth) {
        widths = levelled(narrowest, natural, pageWidth);
    } else {
        widths = levelled(thinnest, narrowest, pageWidth);
    }
    // Whatever the rounding, the table ends at the right margin.
    const qreal sum = std::accumulate(widths.begin(), widths.end(), qreal(0));
    for (qreal &width : widths)
        width = width * pageWidth / sum;
    return widths;
}

} // namespace lgbatch
