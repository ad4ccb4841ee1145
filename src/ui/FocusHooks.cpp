#include "FocusHooks.h"

#include <QFocusEvent>
#include <QWidget>

namespace lgbatch {

namespace {

bool isRealMove(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

} // namespace

FocusHooks::FocusHooks(QWidget *field, std::function<void()> gotFocus, std::function<void()> lostFocus)
    : QObject(field), m_gotFocus(std::move(gotFocus)), m_lostFocus(std::move(lostFocus))
{
}

void FocusHooks::install(QWidget *field, std::function<void()> gotFocus, std::function<void()> lostFocus)
{
    field->installEventFilter(new FocusHooks(field, std::move(gotFocus), std::move(lostFocus)));
}

bool FocusHooks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const auto *focus = static_cast<QFocusEvent *>(event);
        const auto &handler = event->type() == QEvent::FocusIn ? m_gotFocus : m_lostFocus;
        if (handler && isRealMove(focus->reason())) {
            // The handler runs once the event that moved the focus is over: a tab switch or a
            // click must finish before a check may bring its tab back and take the focus
            // back, and a mouse click must have placed its cursor before the text is selected.
            QMetaObject::invokeMethod(this, handler, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lgbatch
