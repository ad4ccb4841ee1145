#include "WindowLayout.h"

#include "SplitterGeometry.h"

#include <algorithm>

namespace lgbatch {

namespace {

// Design-time positions that the layout never changes.
constexpr int SplitterLeft = 60;
constexpr int SplitterTop = 360; // below the tab headers

// Each rule is the window's outer length less a constant of the design.
constexpr int SplitterWidthAllowance = 330;
constexpr int TabStripWidthAllowance = 165;
constexpr int ListWidthAllowance = 5167;
constexpr int PanelLeftAllowance = 5047;
constexpr int SplitterHeightAllowance = 1965;
constexpr int TabStripHeightAllowance = 1035;
constexpr int ButtonRowsTopAllowance = 1680;

// Border, caption and menu bar of the designed window.
constexpr TwipSize DesignedFrame{MinimumLayoutSize.width - DesignedClientSize.width,
                                 MinimumLayoutSize.height - DesignedClientSize.height};

// A splitter given a new size lays its two objects out again, but only when the size really
// changed.
void resizeSplitter(TabGeometry &tab, int width, int height, int proportion)
{
    if (tab.splitter.width == width && tab.splitter.height == height)
        return;
    tab.splitter.width = width;
    tab.splitter.height = height;
    const TwipRect &area = tab.splitter;
    const Span left = splitLeftSpan({area.left, area.width}, proportion);
    const Span right = splitRightSpan({area.left, area.width}, left, SplitterBarTwips);
    tab.list = {left.start, area.top, left.length, area.height};
    tab.panel = {right.start, area.top, right.length, area.height};
}

} // namespace

WindowGeometry designedWindowGeometry()
{
    WindowGeometry designed;
    const int width = MinimumLayoutSize.width;
    const int height = MinimumLayoutSize.height;
    designed.tabStrip = {0, 0, width - TabStripWidthAllowance, height - TabStripHeightAllowance};
    for (TabGeometry &tab : designed.tabs) {
        tab.splitter = {SplitterLeft, SplitterTop, 0, 0};
        resizeSplitter(tab, width - SplitterWidthAllowance, height - SplitterHeightAllowance, 50);
        tab.actionRowLeft = width - PanelLeftAllowance;
        tab.buttonRowsTop = height - ButtonRowsTopAllowance;
    }
    return designed;
}

TwipSize outerSizeOfClient(TwipSize client)
{
    return {client.width + DesignedFrame.width, client.height + DesignedFrame.height};
}

WindowGeometry layOutMainWindow(const WindowGeometry &current, TwipSize outer,
                                const std::array<int, MainWindowTabCount> &proportions)
{
    WindowGeometry next = current;
    const int width = std::clamp(outer.width, MinimumLayoutSize.width, LargestLayoutLength);
    const int height = std::clamp(outer.height, MinimumLayoutSize.height, LargestLayoutLength);

    for (int t = 0; t < MainWindowTabCount; ++t) {
        TabGeometry &tab = next.tabs[t];
        resizeSplitter(tab, width - SplitterWidthAllowance, tab.splitter.height, proportions[t]);
    }
    next.tabStrip.width = width - TabStripWidthAllowance;
    for (TabGeometry &tab : next.tabs) {
        tab.list.width = width - ListWidthAllowance;
        tab.panel.left = width - PanelLeftAllowance;
        tab.actionRowLeft = width - PanelLeftAllowance;
    }

    for (int t = 0; t < MainWindowTabCount; ++t) {
        TabGeometry &tab = next.tabs[t];
        resizeSplitter(tab, tab.splitter.width, height - SplitterHeightAllowance, proportions[t]);
    }
    next.tabStrip.height = height - TabStripHeightAllowance;
    for (int t = 0; t < MainWindowTabCount; ++t) {
        TabGeometry &tab = next.tabs[t];
        tab.list.height = height - SplitterHeightAllowance;
        // Only the batch panel is given the height; the others keep what their splitter gave them.
        if (t == 0)
            tab.panel.height = height - SplitterHeightAllowance;
        tab.buttonRowsTop = height - ButtonRowsTopAllowance;
    }
    return next;
}

TwipRect panelWithinSplitter(const TabGeometry &tab)
{
    TwipRect panel = tab.panel;
    const int splitterRight = tab.splitter.left + tab.splitter.width;
    panel.width = std::clamp(splitterRight - panel.left, 0, std::max(panel.width, 0));
    return panel;
}

} // namespace lgbatch
