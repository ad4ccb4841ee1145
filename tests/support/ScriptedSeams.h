#pragma once

#include "core/Seams.h"

#include <QDate>
#include <QList>
#include <QQueue>
#include <QString>

namespace lgbatch::testing {

// Records every message and answers questions from a script prepared by the test. A question
// without a scripted answer is recorded as unexpected and answered Cancel, so a test sees it
// instead of blocking on a modal box.
class ScriptedPrompter : public Prompter
{
public:
    enum class Kind
    {
        Warning,
        Information,
        Plain,
        Question
    };
    struct Shown
    {
        Kind kind;
        QString text;
        Buttons buttons = Buttons::YesNo;
    };

    void answerNext(Answer answer) { m_answers.enqueue(answer); }

    void warning(const QString &text) override { m_shown.append({Kind::Warning, text}); }
    void information(const QString &text) override { m_shown.append({Kind::Information, text}); }
    void plain(const QString &text) override { m_shown.append({Kind::Plain, text}); }
    Answer question(const QString &text, Buttons buttons) override
    {
        m_shown.append({Kind::Question, text, buttons});
        if (m_answers.isEmpty()) {
            ++m_unanswered;
            return Answer::Cancel;
        }
        return m_answers.dequeue();
    }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : m_shown)
            out.append(s.text);
        return out;
    }
    int unansweredQuestions() const { return m_unanswered; }
    int pendingAnswers() const { return int(m_answers.size()); }
    void clear()
    {
        m_shown.clear();
        m_answers.clear();
        m_unanswered = 0;
    }

private:
    QList<Shown> m_shown;
    QQueue<Answer> m_answers;
    int m_unanswered = 0;
};

class ScriptedFileChooser : public FileChooser
{
public:
    struct Asked
    {
        bool save;
        QString title;
        QString filter;
    };
    // An empty optional answers "cancelled".
    void answerNext(std::optional<QString> path) { m_answers.enqueue(std::move(path)); }

    std::optional<QString> openFile(const QString &title, const QString &filter) override
    {
        return ask(false, title, filter);
    }
    std::optional<QString> saveFile(const QString &title, const QString &filter) override
    {
        return ask(true, title, filter);
    }
    const QList<Asked> &asked() const { return m_asked; }

private:
    std::optional<QString> ask(bool save, const QString &title, const QString &filter)
    {
        m_asked.append({save, title, filter});
        return m_answers.isEmpty() ? std::nullopt : m_answers.dequeue();
    }
    QQueue<std::optional<QString>> m_answers;
    QList<Asked> m_asked;
};

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDate date = QDate(2026, 12, 7)) : m_date(date) {}
    QDate today() const override { return m_date; }
    void set(QDate date) { m_date = date; }

private:
    QDate m_date;
};

// Records the end of the run instead of ending the test process.
class RecordingProcessEnder : public ProcessEnder
{
public:
    void endProcess(int exitCode) override
    {
        ++m_calls;
        m_lastCode = exitCode;
    }
    int calls() const { return m_calls; }
    int lastCode() const { return m_lastCode; }

private:
    int m_calls = 0;
    int m_lastCode = 0;
};

} // namespace lgbatch::testing
