#include "DropDownWidth.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>

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

int DropDownWidthPixels(double widestItemTwips, double comboWidthTwips, double twipsPerPixel)
{
    const qint64 widest = roundHalfEven(widestItemTwips);
    const qint64 wanted = roundHalfEven(double(widest) + ScrollBarRoomPixels * twipsPerPixel);
    const qint64 width = roundHalfEven(comboWidthTwips);
    const qint64 result = 2 * comboWidthTwips >= double(wanted) ? std::max(wanted, width)
                                                                : roundHalfEven(2 * comboWidthTwips);
    const qint64 factor = std::max<qint64>(1, roundHalfEven(twipsPerPixel));
    return int(result / factor);
}

void AutoSizeDropDown(QComboBox *combo)
{
    const double twipsPerPixel = TwipsPerInch / std::max(1, combo->logicalDpiX());
    const QFontMetrics metrics(combo->font());
    qint64 widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, roundHalfEven(metrics.horizontalAdvance(combo->itemText(i)) * twipsPerPixel));
    const int pixels = DropDownWidthPixels(double(widest), combo->width() * twipsPerPixel, twipsPerPixel);
    combo->view()->setMinimumWidth(pixels);
}

} // namespace lgbatch
