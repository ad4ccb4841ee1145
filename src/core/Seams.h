#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace lgbatch {

// Every message box of the program goes through this, so tests can answer in advance.
// The caption is always the application title; implementations read it at call time.
class Prompter
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };
    enum class Buttons
    {
        YesNo,
        YesNoCancel
    };

    virtual ~Prompter() = default;
    virtual void warning(const QString &text) = 0;     // exclamation icon, OK
    virtual void information(const QString &text) = 0; // information icon, OK
    virtual void plain(const QString &text) = 0;       // no icon, OK
    virtual Answer question(const QString &text, Buttons buttons) = 0;
};

// The standard open and save dialogs; an empty optional means the user cancelled.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> openFile(const QString &title, const QString &filter) = 0;
    virtual std::optional<QString> saveFile(const QString &title, const QString &filter) = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

// Ending the run at once: nothing further runs and nothing is saved. Tests record the call.
class ProcessEnder
{
public:
    virtual ~ProcessEnder() = default;
    virtual void endProcess(int exitCode) = 0;
};

} // namespace lgbatch
