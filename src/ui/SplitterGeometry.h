#pragma once

#include <optional>

namespace lgbatch {

// The arithmetic of the splitter, in whatever unit its caller measures: twips for the window's
// layout rules, pixels for the widget.

// Width of the bar between the two objects of a splitter.
inline constexpr int SplitterBarTwips = 60;

// Where an object starts and how long it is along the direction the splitter divides.
struct Span
{
    int start = 0;
    int length = 0;

    friend bool operator==(const Span &, const Span &) = default;
};

// The left object starts with the area and takes the proportion (percent) of its length,
// halves rounded to even; never less than nothing.
Span splitLeftSpan(Span area, int proportion);

// The right object starts one bar after the end of the left object and fills the area to its
// end; never less than nothing.
Span splitRightSpan(Span area, Span left, int bar);

// Whether a position lies strictly inside the bar that follows a left object of this length.
bool isOnSplitterBar(double position, int leftLength, int bar);

// The proportion a drag to this position asks for: 100 / total x position, halves rounded to
// even, when it lies strictly between the two limits; nothing beyond them, and nothing for an
// area without length.
std::optional<int> draggedSplitterProportion(double position, double total, int minimum, int maximum);

// The bar's width in whole pixels, at least one so that it can still be grabbed.
int splitterBarPixels(double twipsPerPixel);

} // namespace lgbatch
