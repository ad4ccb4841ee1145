#include "ui/SplitterGeometry.h"
#include "ui/Twips.h"
#include "ui/ctlSplitterEx.h"

#include <QtTest>

using namespace lgbatch;

namespace {

// A splitter over an area of 1000 x 300 pixels with two sibling objects, in a host window that
// a test shows when it needs resize events.
struct SplitterHost
{
    QWidget host;
    ctlSplitterEx *splitter = new ctlSplitterEx(&host);
    QWidget *left = new QWidget(&host);
    QWidget *right = new QWidget(&host);

    SplitterHost()
    {
        host.resize(1200, 400);
        splitter->setGeometry(10, 20, 1000, 300);
        left->setGeometry(10, 20, 100, 50);
        right->setGeometry(200, 20, 100, 50);
    }
    void attach(int tileMode = 1)
    {
        splitter->setTileMode(tileMode);
        splitter->AttachObjects(splitter, left, right, true);
    }
    int bar() const { return splitterBarPixels(twipsPerPixel(splitter->logicalDpiX())); }
    void mouse(QEvent::Type type, QPointF position) const
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, position, splitter->mapToGlobal(position), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(splitter, &event);
    }
    Qt::CursorShape pointer() const { return splitter->cursor().shape(); }
};

// The geometry side by side in the host's area at 10, 20 with the bar of this many pixels.
QRect leftAt(int width)
{
    return QRect(10, 20, width, 300);
}
QRect rightAfter(int leftWidth, int bar)
{
    return QRect(10 + leftWidth + bar, 20, 1000 - leftWidth - bar, 300);
}

} // namespace

class tst_Splitter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Layout
    void layout_onlyOnceAttachedAndOnEveryResize();
    void layout_skipsWhatAnObjectCannotDo();
    void nestedSplitter_isRefreshedAfterItsParent();
    void placeAndLayOut_laysOutAtOnceWhileHidden();
    void tileModeOtherThanOne_laysNothingOutAndDragsVertically();

    // Mouse
    void drag_followsThePointerOnlyWithinTheLimits_data();
    void drag_followsThePointerOnlyWithinTheLimits();
    void pressOutsideTheBar_changesOnlyThePointer();
};

void tst_Splitter::layout_onlyOnceAttachedAndOnEveryResize()
{
    SplitterHost s;
    s.host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));

    s.splitter->setTileMode(1);
    s.splitter->resize(1000, 290);
    s.splitter->resize(1000, 300);
    QCOMPARE(s.left->geometry(), QRect(10, 20, 100, 50));

    s.splitter->AttachObjects(s.splitter, s.left, s.right, true);
    QCOMPARE(s.splitter->proportion(), 50);
    QCOMPARE(s.left->geometry(), leftAt(500));
    QCOMPARE(s.right->geometry(), rightAfter(500, s.bar()));

    // 645 pixels are 9675 twips at 96 dpi: the half goes to even in pixels too.
    s.splitter->resize(645, 300);
    QCOMPARE(s.left->width(), 322);
    QCOMPARE(s.right->x(), 10 + 322 + s.bar());
    QCOMPARE(s.right->x() + s.right->width(), 10 + 645);
}

void tst_Splitter::layout_skipsWhatAnObjectCannotDo()
{
    SplitterHost s;
    s.left->setMinimumWidth(700);
    s.attach();
    QCOMPARE(s.left->geometry(), leftAt(700));
    QCOMPARE(s.right->geometry(), rightAfter(700, s.bar()));

    // Without a left object the right one takes the area's top and height only.
    delete s.left;
    s.right->setGeometry(200, 0, 100, 50);
    s.splitter->Refresh();
    QCOMPARE(s.right->geometry(), QRect(200, 20, 100, 300));

    // A splitter attached as its own object does not refresh itself for ever.
    s.splitter->AttachObjects(s.splitter, s.splitter, s.right, false);
    QCOMPARE(s.splitter->geometry(), leftAt(500));
}

void tst_Splitter::nestedSplitter_isRefreshedAfterItsParent()
{
    // Hidden: no resize event lays the inner splitter out, only its parent's refresh.
    SplitterHost s;
    auto *inner = new ctlSplitterEx(&s.host);
    auto *innerLeft = new QWidget(&s.host);
    auto *innerRight = new QWidget(&s.host);
    inner->setGeometry(0, 0, 100, 100);
    inner->setTileMode(1);
    inner->AttachObjects(inner, innerLeft, innerRight, true);
    s.splitter->setTileMode(1);
    s.splitter->AttachObjects(s.splitter, s.left, inner, true);

    const QRect innerArea = rightAfter(500, s.bar());
    QCOMPARE(inner->geometry(), innerArea);
    QCOMPARE(innerLeft->geometry(), QRect(innerArea.x(), 20, qRound(innerArea.width() / 2.0), 300));
    QCOMPARE(innerRight->x() + innerRight->width(), innerArea.x() + innerArea.width());
}

void tst_Splitter::placeAndLayOut_laysOutAtOnceWhileHidden()
{
    SplitterHost s;
    s.attach();
    s.splitter->placeAndLayOut(QRect(10, 20, 800, 300));
    QCOMPARE(s.left->width(), 400);

    // What the caller places afterwards stands when the window shows.
    s.left->resize(600, 300);
    s.host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    QCOMPARE(s.left->width(), 600);
}

void tst_Splitter::tileModeOtherThanOne_laysNothingOutAndDragsVertically()
{
    SplitterHost s;
    s.attach(2);
    QCOMPARE(s.left->geometry(), QRect(10, 20, 100, 50));
    QCOMPARE(s.right->geometry(), QRect(200, 20, 100, 50));

    // The bar follows the left object's height; the drag measures the area's height.
    s.mouse(QEvent::MouseButtonPress, QPointF(5, 50 + s.bar() / 2.0));
    s.mouse(QEvent::MouseMove, QPointF(5, 90));
    QCOMPARE(s.pointer(), Qt::SizeVerCursor);
    QCOMPARE(s.splitter->proportion(), 30);
    QCOMPARE(s.left->geometry(), QRect(10, 20, 100, 50));
}

void tst_Splitter::drag_followsThePointerOnlyWithinTheLimits_data()
{
    QTest::addColumn<QList<int>>("percents"); // where the pointer goes, in percent of the width
    QTest::addColumn<int>("proportion");

    QTest::newRow("to 3 %") << QList<int>{20, 10, 6, 5, 3} << 6;
    QTest::newRow("to 97 %") << QList<int>{97} << 97;
    QTest::newRow("to 98 %") << QList<int>{80, 98} << 80;
    QTest::newRow("out of the area") << QList<int>{-10, 120} << 50;
}

void tst_Splitter::drag_followsThePointerOnlyWithinTheLimits()
{
    QFETCH(QList<int>, percents);
    QFETCH(int, proportion);

    SplitterHost s;
    s.attach();
    s.mouse(QEvent::MouseButtonPress, QPointF(500 + s.bar() / 2.0, 100));
    for (int percent : percents)
        s.mouse(QEvent::MouseMove, QPointF(percent * 10, 100));
    QCOMPARE(s.pointer(), Qt::SizeHorCursor);
    QCOMPARE(s.splitter->proportion(), proportion);
    QCOMPARE(s.left->geometry(), leftAt(proportion * 10));
    QCOMPARE(s.right->geometry(), rightAfter(proportion * 10, s.bar()));

    s.mouse(QEvent::MouseButtonRelease, QPointF(percents.last() * 10, 100));
    QCOMPARE(s.pointer(), Qt::ArrowCursor);
    s.mouse(QEvent::MouseMove, QPointF(500, 100));
    QCOMPARE(s.splitter->proportion(), proportion);
}

void tst_Splitter::pressOutsideTheBar_changesOnlyThePointer()
{
    SplitterHost s;
    s.attach();
    s.mouse(QEvent::MouseButtonPress, QPointF(100, 100));
    s.mouse(QEvent::MouseMove, QPointF(500 + s.bar() / 2.0, 100));
    QCOMPARE(s.pointer(), Qt::SizeHorCursor);
    s.mouse(QEvent::MouseMove, QPointF(700, 100));
    QCOMPARE(s.pointer(), Qt::ArrowCursor);
    QCOMPARE(s.splitter->proportion(), 50);
    QCOMPARE(s.left->geometry(), leftAt(500));
}

QTEST_MAIN(tst_Splitter)
#include "tst_splitter.moc"
