#pragma once

#include "core/ApplicationState.h"
#include "core/Seams.h"

class QWidget;

namespace lgbatch {

// Message boxes captioned with the application title as it stands at the moment of the call.
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(const ApplicationState &state) : m_state(state) {}
    void warning(const QString &text) override;
    void information(const QString &text) override;
    void plain(const QString &text) override;
    Answer question(const QString &text, Buttons buttons) override;

private:
    const ApplicationState &m_state;
};

// The program's file filters are pairs of description and pattern, all separated by "|"
// ("ZPK批量支付文件 (*.zpk) |*.zpk|其它 (*.bpt)|*.bpt|"); Qt's dialogs take "description
// (patterns)" entries separated by ";;". The description keeps its words; the patterns are
// the pair's own.
QString qtFileFilter(const QString &pairs);

class QtFileChooser : public FileChooser
{
public:
    std::optional<QString> openFile(const QString &title, const QString &filter) override;
    // Does not ask before replacing a file and adds no extension of its own.
    std::optional<QString> saveFile(const QString &title, const QString &filter) override;
};

class SystemClock : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
};

// Ends the process on the spot: no further events, nothing saved.
class QtProcessEnder : public ProcessEnder
{
public:
    void endProcess(int exitCode) override;
};

} // namespace lgbatch
