#include "Twips.h"

#include <algorithm>
#include <cmath>

namespace lgbatch {

namespace {

constexpr double TwipsPerInch = 1440.0;

} // namespace

double twipsPerPixel(int logicalDpi)
{
    return TwipsPerInch / std::max(1, logicalDpi);
}

int twipsToPixels(double twips, double twipsPerPixel)
{
    return int(std::nearbyint(twips / twipsPerPixel)); // the default rounding mode takes halves to even
}

int pixelsToTwips(double pixels, double twipsPerPixel)
{
    return int(std::nearbyint(pixels * twipsPerPixel));
}

QRect twipsToPixels(const TwipRect &rect, double twipsPerPixel)
{
    const int left = twipsToPixels(rect.left, twipsPerPixel);
    const int top = twipsToPixels(rect.top, twipsPerPixel);
    const int right = twipsToPixels(double(rect.left) + rect.width, twipsPerPixel);
    const int bottom = twipsToPixels(double(rect.top) + rect.height, twipsPerPixel);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace lgbatch
