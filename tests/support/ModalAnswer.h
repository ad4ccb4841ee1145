#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace lgbatch::testing {

// Answers the modal window of type T that the code under test is about to show and wait on
// (exec): as soon as one is active and modal, `act` runs on it and must close it. Where none comes
// within `timeoutMs`, whatever modal window there is gets closed instead, so that the code under
// test returns and the test fails with a message rather than waiting for QtTest's timeout or
// reaching into a window that is not there:
//
//     ModalAnswer<QMessageBox> answer([](QMessageBox *box) { box->close(); });
//     prompter.question(...);
//     QVERIFY2(answer.acted(), qPrintable(answer.failure()));
template <typename T> class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(T *)> act, int timeoutMs = 10000)
        : m_act(std::move(act)), m_timeoutMs(timeoutMs), m_timer(std::make_unique<QTimer>())
    {
        m_clock.start();
        m_timer->setInterval(10);
        QObject::connect(m_timer.get(), &QTimer::timeout, m_timer.get(), [this] { poll(); });
        m_timer->start();
    }
    ModalAnswer(const ModalAnswer &) = delete;
    ModalAnswer &operator=(const ModalAnswer &) = delete;

    bool acted() const { return m_acted; }
    // Why it has not acted; empty once it has.
    QString failure() const
    {
        if (m_acted)
            return {};
        if (!m_failure.isEmpty())
            return m_failure;
        return QStringLiteral("no modal %1 was shown").arg(QLatin1String(T::staticMetaObject.className()));
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (T *window = qobject_cast<T *>(modal)) {
            m_timer->stop();
            m_acted = true;
            m_act(window);
            return;
        }
        if (m_clock.elapsed() < m_timeoutMs)
            return;
        m_timer->stop();
        m_failure = QStringLiteral("no modal %1 within %2 ms; the modal window was %3")
                        .arg(QLatin1String(T::staticMetaObject.className()))
                        .arg(m_timeoutMs)
                        .arg(modal ? QLatin1String(modal->metaObject()->className()) + QLatin1Char(' ') +
                                         modal->objectName()
                                   : QStringLiteral("none"));
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else if (modal)
            modal->close();
    }

    std::function<void(T *)> m_act;
    int m_timeoutMs;
    std::unique_ptr<QTimer> m_timer;
    QElapsedTimer m_clock;
    bool m_acted = false;
    QString m_failure;
};

} // namespace lgbatch::testing
