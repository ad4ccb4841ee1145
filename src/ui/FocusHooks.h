#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace lgbatch {

// Got-focus and lost-focus handlers for a field, run right after the focus has moved. Focus
// that moves to a message box, a popup or another window is not a real leave: the check must
// not run again while its own message is on screen, and neither must the entry handler when
// the focus comes back from it.
class FocusHooks : public QObject
{
public:
    static void install(QWidget *field, std::function<void()> gotFocus, std::function<void()> lostFocus);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FocusHooks(QWidget *field, std::function<void()> gotFocus, std::function<void()> lostFocus);
    std::function<void()> m_gotFocus;
    std::function<void()> m_lostFocus;
};

} // namespace lgbatch
