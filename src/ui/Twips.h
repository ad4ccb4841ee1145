#pragma once

#include <QRect>

namespace lgbatch {

// Window geometry in twips (1/1440 inch), the unit in which the window's layout rules are
// stated; the widgets are placed in pixels through the conversions below.
struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipRect &, const TwipRect &) = default;
};

struct TwipSize
{
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipSize &, const TwipSize &) = default;
};

// Twips that one pixel covers at a logical resolution in dots per inch: 15 at 96 dpi.
double twipsPerPixel(int logicalDpi);

// The nearest whole number of pixels or twips; halves go to even.
int twipsToPixels(double twips, double twipsPerPixel);
int pixelsToTwips(double pixels, double twipsPerPixel);

// Each edge goes to its nearest pixel, so that controls which abut in twips abut in pixels
// and a gap between two controls keeps its width to within a pixel.
QRect twipsToPixels(const TwipRect &rect, double twipsPerPixel);

} // namespace lgbatch
