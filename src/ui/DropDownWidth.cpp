#include "DropDownWidth.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>

#include <QHash>

#include <algorithm>
#include <cmath>

namespace lgbatch {

namespace {

qint64 roundHalfEven(double value)
{
    return qint64(std::nearbyint(value)); // the default rounding mode takes halves to even
}

constexpr double TwipsPerInch = 1440.0;
constexpr int ScrollBarRoomPixels = 23;

} // namespace

int dropDownWidthPixels(double widestItemTwips, double comboWidthTwips, double twipsPerPixel)
{
    const qint64 widest = roundHalfEven(widestItemTwips);
    const qint64 wanted = roundHalfEven(double(widest) + ScrollBarRoomPixels * twipsPerPixel);
    const qint64 width = roundHalfEven(comboWidthTwips);
    const qint64 result =
        2 * comboWidthTwips >= double(wanted) ? std::max(wanted, width) : roundHalfEven(2 * comboWidthTwips);
    const qint64 factor = std::max<qint64>(1, roundHalfEven(twipsPerPixel));
    return int(result / factor);
}

void AutoSizeDropDown(QComboBox *combo)
{
    const double twipsPerPixel = TwipsPerInch / std::max(1, combo->logicalDpiX());
    const QFontMetrics metrics(combo->font());
    // Shaping a text to measure it costs tens of microseconds, and a branch list holds
    // thousands of names. Names are summed from the advances of their characters, each
    // character measured once; the widest name is then measured as a whole, so the width
    // is exact for it and within a pixel or two of exact for the rest.
    QHash<char16_t, int> advances;
    int widestPixels = 0;
    int widestIndex = -1;
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        int width = 0;
        for (QChar c : text) {
            auto it = advances.find(c.unicode());
            if (it == advances.end())
                it = advances.insert(c.unicode(), metrics.horizontalAdvance(c));
            width += *it;
        }
        if (width > widestPixels || widestIndex < 0) {
            widestPixels = width;
            widestIndex = i;
        }
    }
    if (widestIndex >= 0)
        widestPixels = std::max(widestPixels, metrics.horizontalAdvance(combo->itemText(widestIndex)));
    const int pixels = dropDownWidthPixels(roundHalfEven(widestPixels * twipsPerPixel),
                                           combo->width() * twipsPerPixel, twipsPerPixel);
    combo->view()->setMinimumWidth(pixels);
}

} // namespace lgbatch
