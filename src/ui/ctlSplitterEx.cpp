#include "ctlSplitterEx.h"

#include "SplitterGeometry.h"
#include "Twips.h"

#include <QMouseEvent>
#include <QScopedValueRollback>

namespace lgbatch {

namespace {

// The exclusive limits of a drag, in percent (MinTilePercent and MaxTilePercent), which
// nothing ever changes from what AttachObjects sets.
constexpr int MinimumPercent = 5;
constexpr int MaximumPercent = 98;

// The geometry of a widget in the coordinates in which an object is placed (its parent's).
QRect rectWhereObjectLies(const QWidget *widget, const QWidget *object)
{
    const QWidget *parent = object->parentWidget();
    if (parent && widget->parentWidget() == parent)
        return widget->geometry();
    const QPoint topLeft = widget->mapToGlobal(QPoint(0, 0));
    return QRect(parent ? parent->mapFromGlobal(topLeft) : topLeft, widget->size());
}

} // namespace

ctlSplitterEx::ctlSplitterEx(QWidget *parent) : QWidget(parent)
{
    // The pointer shows the bar before any button is pressed.
    setMouseTracking(true);
}

void ctlSplitterEx::setTileMode(int tm)
{
    m_tileMode = tm;
    Refresh();
}

void ctlSplitterEx::AttachObjects(QWidget *splitter, QWidget *oLeft, QWidget *oRight, bool InitZOrder)
{
    m_leftObject = oLeft;
    m_rightObject = oRight;
    m_proportion = 50;
    m_attached = true;
    m_area = splitter;
    if (InitZOrder) {
        if (oLeft)
            oLeft->raise();
        if (oRight)
            oRight->raise();
    }
    Refresh();
}

void ctlSplitterEx::Refresh()
{
    // A splitter attached, directly or through others, as one of its own objects would
    // otherwise refresh itself for ever.
    if (m_refreshing)
        return;
    const QScopedValueRollback refreshing(m_refreshing, true);
    m_laidOutSize = size();
    if (sideBySide())
        layOutSideBySide();
    for (QWidget *object : {m_leftObject.data(), m_rightObject.data()}) {
        if (auto *nested = qobject_cast<ctlSplitterEx *>(object))
            nested->Refresh();
    }
}

bool ctlSplitterEx::restoreProportion(int proportion)
{
    if (!m_attached || proportion <= MinimumPercent || proportion >= MaximumPercent)
        return false;
    m_proportion = proportion;
    Refresh();
    return true;
}

void ctlSplitterEx::placeAndLayOut(const QRect &geometry)
{
    setGeometry(geometry);
    if (m_attached && size() != m_laidOutSize)
        Refresh();
}

void ctlSplitterEx::layOutSideBySide()
{
    // Each object is placed through its own geometry and read back, so that the right object
    // follows where the left one really ended (a widget keeps its minimum size). A missing
    // object, or an area that has gone, skips the steps that need it.
    if (!m_area)
        return;
    QWidget *left = m_leftObject;
    QWidget *right = m_rightObject;
    if (left) {
        const QRect area = rectWhereObjectLies(m_area, left);
        const Span span = splitLeftSpan({area.x(), area.width()}, m_proportion);
        left->setGeometry(span.start, area.y(), span.length, area.height());
    }
    if (right) {
        const QRect area = rectWhereObjectLies(m_area, right);
        Span span{right->x(), right->width()};
        if (left) {
            const QRect leftNow = rectWhereObjectLies(left, right);
            const int bar = splitterBarPixels(twipsPerPixel(logicalDpiX()));
            span = splitRightSpan({area.x(), area.width()}, {leftNow.x(), leftNow.width()}, bar);
        }
        right->setGeometry(span.start, area.y(), span.length, area.height());
    }
}

double ctlSplitterEx::along(const QPointF &position) const
{
    return sideBySide() ? position.x() : position.y();
}

int ctlSplitterEx::barPixels() const
{
    return splitterBarPixels(twipsPerPixel(sideBySide() ? logicalDpiX() : logicalDpiY()));
}

bool ctlSplitterEx::isOnBar(double position) const
{
    if (!m_leftObject)
        return false;
    const int leftLength = sideBySide() ? m_leftObject->width() : m_leftObject->height();
    return isOnSplitterBar(position, leftLength, barPixels());
}

void ctlSplitterEx::mousePressEvent(QMouseEvent *event)
{
    // Every button alike.
    m_dragging = m_dragging || isOnBar(along(event->position()));
    event->accept();
}

void ctlSplitterEx::mouseMoveEvent(QMouseEvent *event)
{
    const double position = along(event->position());
    if (m_dragging || isOnBar(position))
        setCursor(sideBySide() ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    else
        unsetCursor();
    if (!m_dragging)
        return;
    const double total = m_area ? (sideBySide() ? m_area->width() : m_area->height()) : 0;
    // Beyond a limit the bar stops following the pointer; it is not pulled to the limit.
    if (const std::optional<int> proportion =
            draggedSplitterProportion(position, total, MinimumPercent, MaximumPercent)) {
        m_proportion = *proportion;
        Refresh();
    }
}

void ctlSplitterEx::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    unsetCursor();
    event->accept();
}

void ctlSplitterEx::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A change of size that a layout has already answered (see placeAndLayOut) is not answered
    // twice.
    if (m_attached && size() != m_laidOutSize)
        Refresh();
}

} // namespace lgbatch
