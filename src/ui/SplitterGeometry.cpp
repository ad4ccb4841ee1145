#include "SplitterGeometry.h"

#include "Twips.h"

#include <algorithm>
#include <cmath>

namespace lgbatch {

Span splitLeftSpan(Span area, int proportion)
{
    const double length = std::nearbyint(double(area.length) * proportion / 100.0);
    return {area.start, std::max(0, int(length))};
}

Span splitRightSpan(Span area, Span left, int bar)
{
    const int start = left.start + left.length + bar;
    return {start, std::max(0, area.start + area.length - start)};
}

bool isOnSplitterBar(double position, int leftLength, int bar)
{
    return leftLength < position && position < double(leftLength) + bar;
}

std::optional<int> draggedSplitterProportion(double position, double total, int minimum, int maximum)
{
    if (!(total > 0))
        return std::nullopt;
    // The same order of operations as the rule states, so that a position on a half lands
    // where the rule puts it.
    const double n = std::nearbyint(100.0 / total * position);
    if (!(minimum < n && n < maximum))
        return std::nullopt;
    return int(n);
}

int splitterBarPixels(double twipsPerPixel)
{
    return std::max(1, twipsToPixels(SplitterBarTwips, twipsPerPixel));
}

} // namespace lgbatch
