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
        if (isRealMove(focus->reason())) {
            const auto &handler = event->type() == QEvent::FocusIn ? m_gotFocus : m_lostFocus;
            if (handler) {
                // Let the widget finish its own focus handling first, so that what the handler
                // does (selecting the text, taking the focus back) is not undone by it.
                watched->event(event);
                handler();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lgbatch
