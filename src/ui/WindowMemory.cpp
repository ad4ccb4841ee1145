#include "WindowMemory.h"

#include "ListPage.h"
#include "ctlSplitterEx.h"

#include "workspace/ListKinds.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace lgbatch {

namespace {

const QString WindowGroup = QStringLiteral("Window");
// A column narrower than this could not be found again to be widened; wider is nonsense.
constexpr int NarrowestColumn = 8;
constexpr int WidestColumn = 4000;
// How much of the window a screen must show for the window to be reachable: enough of its
// top to grab it by the caption.
constexpr int GrabWidth = 100;
constexpr int GrabHeight = 30;

QString listGroup(const ListPage &page)
{
    return QStringLiteral("Lists/") + listKind(page.which()).settingsKey;
}

// The personal edition shows fewer columns in the batch list: each set of columns keeps its
// own widths.
QString columnsKey(const ListPage &page)
{
    return QStringLiteral("columns%1").arg(page.list()->header()->count());
}

} // namespace

WindowMemory::WindowMemory(QString settingsFile) : m_path(std::move(settingsFile)) {}

bool WindowMemory::isReachable(const QRect &place, const QList<QRect> &screens)
{
    const QRect top(place.topLeft(), QSize(place.width(), GrabHeight));
    for (const QRect &screen : screens) {
        const QRect seen = screen.intersected(top);
        if (seen.width() >= std::min(GrabWidth, place.width()) && seen.height() >= GrabHeight / 2)
            return true;
    }
    return false;
}

void WindowMemory::restoreWindow(QWidget &window, const QList<ListPage *> &pages) const
{
    const QSettings settings(m_path, QSettings::IniFormat);
    const QRect place = settings.value(WindowGroup + QStringLiteral("/geometry")).toRect();
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    if (place.isValid() && isReachable(place, screens)) {
        window.setGeometry(place);
        if (settings.value(WindowGroup + QStringLiteral("/maximized")).toBool())
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
    for (ListPage *page : pages) {
        const QStringList widths =
            settings.value(listGroup(*page) + QLatin1Char('/') + columnsKey(*page)).toStringList();
        QHeaderView *header = page->list()->header();
        if (widths.size() != header->count())
            continue;
        for (int column = 0; column < widths.size(); ++column) {
            bool ok = false;
            const int width = widths[column].toInt(&ok);
            if (ok && width >= NarrowestColumn && width <= WidestColumn)
                header->resizeSection(column, width);
        }
    }
}

void WindowMemory::restoreSplitters(const QList<ListPage *> &pages) const
{
    const QSettings settings(m_path, QSettings::IniFormat);
    for (ListPage *page : pages) {
        bool ok = false;
        const int proportion = settings.value(listGroup(*page) + QStringLiteral("/splitter")).toInt(&ok);
        if (ok)
            page->splitter()->restoreProportion(proportion);
    }
}

void WindowMemory::remember(const QWidget &window, const QList<ListPage *> &pages) const
{
    QSettings settings(m_path, QSettings::IniFormat);
    const bool maximized = window.isMaximized();
    settings.setValue(WindowGroup + QStringLiteral("/geometry"),
                      maximized ? window.normalGeometry() : window.geometry());
    settings.setValue(WindowGroup + QStringLiteral("/maximized"), maximized);
    for (const ListPage *page : pages) {
        settings.beginGroup(listGroup(*page));
        settings.setValue(QStringLiteral("splitter"), page->splitter()->proportion());
        QStringList widths;
        const QHeaderView *header = page->list()->header();
        for (int column = 0; column < header->count(); ++column)
            widths.append(QString::number(header->sectionSize(column)));
        settings.setValue(columnsKey(*page), widths);
        settings.endGroup();
    }
    // A settings file that cannot be written costs only the arrangement next time.
    settings.sync();
}

} // namespace lgbatch
