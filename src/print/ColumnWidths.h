#pragma once

#include <QList>
#include <QtGlobal>

namespace lgbatch {

// What the widths of a printed table's columns are chosen from, measured on the paint device
// (any unit, the same for all).
struct ColumnTexts
{
    qreal widest = 0;     // the widest text of the column's rows
    qreal header = 0;     // the column's header
    bool figures = false; // accounts, amounts, row numbers: kept whole where the page leaves room
};

struct ColumnFonts
{
    qreal em = 0;             // one Chinese character
    qreal longestFigure = 0;  // the longest figure kept on one line
    qreal narrowestWords = 0; // a column of words is never made narrower, unless its texts are shorter
    qreal padding = 0;        // on either side of a cell's text
    qreal slack = 0;          // so that rounding never breaks a text that was measured to fit
};

// The widths of the columns of a table `pageWidth` wide, adding up to it exactly. Where every
// text fits on one line the columns share the spare width in proportion; where not, figures
// stay whole and the longest words give way first, each column only down to the width at which
// its texts all fit; texts too long for any page make even the figures give way, the longest
// first. A header longer than its column's texts takes two lines rather than width.
QList<qreal> columnWidths(const QList<ColumnTexts> &columns, const ColumnFonts &fonts, qreal pageWidth);

} // namespace lgbatch
