#pragma once

#include "Twips.h"

#include <array>

namespace lgbatch {

// The main window's layout on a resize, as a function of sizes in twips: no widgets. The frame
// keeps the geometry it last applied, passes it in with the new window size and the splitters'
// proportions, and applies what comes back to its five tabs (through twipsToPixels).

inline constexpr int MainWindowTabCount = 5;

// The window is designed at the smallest size its layout uses; a smaller window is laid out as
// if it had that size, and is clipped.
inline constexpr TwipSize MinimumLayoutSize{10005, 8340};
// Its client area at that size: below the menu bar, down to the bottom of the status bar.
inline constexpr TwipSize DesignedClientSize{9885, 7680};
// The layout computes in 16-bit integers; a larger window is laid out as if it had this size
// in that direction, so that no length wraps round.
inline constexpr int LargestLayoutLength = 32767;

// Where the layout puts the controls of one tab, in the tab strip's coordinates.
struct TabGeometry
{
    TwipRect splitter;
    TwipRect list;
    TwipRect panel;
    // The add/edit/delete row moves to this left edge; both button rows move to this top.
    int actionRowLeft = 0;
    int buttonRowsTop = 0;

    friend bool operator==(const TabGeometry &, const TabGeometry &) = default;
};

struct WindowGeometry
{
    TwipRect tabStrip;
    std::array<TabGeometry, MainWindowTabCount> tabs;

    friend bool operator==(const WindowGeometry &, const WindowGeometry &) = default;
};

// The designed positions, as the splitters leave them once attached at the designed size. The
// first layout at the minimum size reproduces them.
WindowGeometry designedWindowGeometry();

// The window's outer size, which the layout rules are stated in, for a client area of this
// size: the designed window's frame (border, caption and menu bar) added.
TwipSize outerSizeOfClient(TwipSize client);

// Lays the window out for its new outer size. The width comes first, then the height; each
// splitter whose size really changes lays its list and panel out at its proportion (percent)
// right then. So when only the width changed, the list widths and panel left edges set after
// the splitters stand; when the height changed too, the splitters' proportional layout replaces
// them.
WindowGeometry layOutMainWindow(const WindowGeometry &current, TwipSize outer,
                                const std::array<int, MainWindowTabCount> &proportions);

// The part of a tab's panel that lies within its splitter's area, which is where the panel is
// shown. When only the width changed, a panel keeps the width its splitter gave it while its
// left edge moves with the window's right edge: what lies beyond the splitter would be cut off
// by the tab strip, fields and all, so the panel ends with the splitter instead.
TwipRect panelWithinSplitter(const TabGeometry &tab);

} // namespace lgbatch
