#pragma once

#include <QPointer>
#include <QWidget>

namespace lgbatch {

// Divides an area between a left and a right control and lets the user drag the bar between
// them. The control is sized to cover the whole area; the two controls lie on top of it (as its
// siblings, as a rule) and the gap left between them is the bar, through which this control
// shows. Lengths are pixels; the bar is 60 twips wide at the screen's logical resolution.
//
// Nothing is laid out before AttachObjects; afterwards every Refresh, every change of the
// control's size and every step of a drag lays the two controls out again, in tile mode 1 only.
class ctlSplitterEx : public QWidget
{
    Q_OBJECT
public:
    explicit ctlSplitterEx(QWidget *parent = nullptr);

    // 1 lays the controls out side by side; any other mode lays nothing out.
    void setTileMode(int tm);
    // The area is the control whose place and size are divided, in this system the splitter
    // itself. The proportion goes back to 50.
    void AttachObjects(QWidget *splitter, QWidget *oLeft, QWidget *oRight, bool InitZOrder);
    void Refresh();

    // The left control's share of the area in percent, for a caller that computes the same
    // layout itself.
    int proportion() const { return m_proportion; }
    // Puts the bar where a drag could have left it, as a proportion kept from an earlier run,
    // and lays the controls out. A proportion a drag could not reach is ignored.
    bool restoreProportion(int proportion);

    // Moves and sizes the control and, when that really changed its size, lays the controls out
    // at once. Qt tells a hidden widget of its new size only when it is shown, and a layout that
    // late would undo whatever the caller placed after this; the late notice then finds the layout
    // already done.
    void placeAndLayOut(const QRect &geometry);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool sideBySide() const { return m_tileMode == 1; }
    void layOutSideBySide();
    // Position along the dividing direction, and whether it lies on the bar.
    double along(const QPointF &position) const;
    bool isOnBar(double position) const;
    int barPixels() const;

    QPointer<QWidget> m_area;
    QPointer<QWidget> m_leftObject;
    QPointer<QWidget> m_rightObject;
    bool m_attached = false;
    int m_proportion = 50;
    int m_tileMode = 0;
    bool m_dragging = false;
    bool m_refreshing = false;
    QSize m_laidOutSize;
};

} // namespace lgbatch
