#pragma once

class QComboBox;

namespace lgbatch {

// Width in pixels of a drop-down list wide enough for its widest item plus room for the
// scroll bar, never narrower than the combo box and never wider than twice it. Widths in
// twips; every conversion rounds to the nearest integer, halves to even.
int dropDownWidthPixels(double widestItemTwips, double comboWidthTwips, double twipsPerPixel);

// Sets the drop-down width of the combo box from its current items; the box keeps its width.
void AutoSizeDropDown(QComboBox *combo);

} // namespace lgbatch
