#pragma once

#include "workspace/ListSummary.h"

class QPagedPaintDevice;

namespace lgbatch {

// The printed form of a list summary: A4 portrait pages with the title, the facts, the rows
// in a ruled table whose columns never overlap (words wrap within their column; accounts and
// amounts stay whole wherever the page leaves room), the count and total in figures and
// capitals, the lines for the three signatures, and "第 N 页 共 M 页" at the foot of every
// page. Text is painted as text, so that a PDF of it can be searched and copied.
//
// The pages are laid out row by row rather than through a rich-text document, so that the
// longest list the program holds is printed in seconds and in little memory.
namespace SummaryPages {

// A4 portrait and the summary's margins, on a printer or a PDF writer before it is painted
// (a print preview sizes its pages from it).
void setUpPage(QPagedPaintDevice &device);

// Paints every page of the summary on a device that has been set up; answers the number of
// pages, 0 when the device could not be painted on.
int paint(const ListSummary &summary, QPagedPaintDevice &device);

// The summary as a PDF file, written whole through a temporary beside it or not at all; its
// text can be searched and copied. The error is the system's.
Status writePdf(const ListSummary &summary, const QString &fileName);

} // namespace SummaryPages
} // namespace lgbatch
