#include "QtSeams.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace lgbatch {

namespace {

// A question or a dialog never shows the busy pointer of the handler that asked it: the user
// is asked to act. The handler's busy pointer comes back once the answer is in.
class NormalPointer
{
public:
    NormalPointer() : m_busy(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_busy)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~NormalPointer()
    {
        if (m_busy)
            QGuiApplication::restoreOverrideCursor();
    }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;

private:
    bool m_busy;
};

QMessageBox::StandardButton showBox(const ApplicationState &state, QMessageBox::Icon icon,
                                    const QString &text, QMessageBox::StandardButtons buttons)
{
    const NormalPointer pointer;
    QMessageBox box(icon, state.title(), text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void QtPrompter::warning(const QString &text)
{
    showBox(m_state, QMessageBox::Warning, text, QMessageBox::Ok);
}

void QtPrompter::information(const QString &text)
{
    showBox(m_state, QMessageBox::Information, text, QMessageBox::Ok);
}

void QtPrompter::plain(const QString &text)
{
    showBox(m_state, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

Prompter::Answer QtPrompter::question(const QString &text, Buttons buttons)
{
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel)
        set |= QMessageBox::Cancel;
    switch (showBox(m_state, QMessageBox::Question, text, set)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Escape or closing the box: No where there is no Cancel button.
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

QString qtFileFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty())
            continue;
        // Qt reads the patterns from the parentheses that end an entry: the description's own
        // "(...)" gives way to the pattern that belongs to it.
        const QString own = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (description.endsWith(own))
            description.chop(own.size());
        entries.append((description.trimmed() + QLatin1Char(' ') + own).trimmed());
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtFileChooser::openFile(const QString &title, const QString &filter)
{
    const NormalPointer pointer;
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), qtFileFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtFileChooser::saveFile(const QString &title, const QString &filter)
{
    const NormalPointer pointer;
    const QString path =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), title, QString(), qtFileFilter(filter),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void QtProcessEnder::endProcess(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace lgbatch
