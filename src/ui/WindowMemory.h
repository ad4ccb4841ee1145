#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;

namespace lgbatch {

class ListPage;

// Where the main window was and how its tabs were arranged when the user last closed it,
// kept in the program's settings file (lgbatch.ini, which the spreadsheet import uses too):
// the window's place and size and whether it was maximized, each tab's splitter position and
// each list's column widths. Nothing kept, a value edited into nonsense or a place off every
// screen leaves the window as it is designed.
class WindowMemory
{
public:
    explicit WindowMemory(QString settingsFile);

    // Before the window is shown: its place, size and maximized state, and the lists' column
    // widths.
    void restoreWindow(QWidget &window, const QList<ListPage *> &pages) const;
    // Once the window has been laid out at its restored size: the splitters' positions.
    void restoreSplitters(const QList<ListPage *> &pages) const;
    void remember(const QWidget &window, const QList<ListPage *> &pages) const;

    // The kept place of the window, when some screen shows enough of it to be grabbed again.
    static bool isReachable(const QRect &place, const QList<QRect> &screens);

private:
    QString m_path;
};

} // namespace lgbatch
