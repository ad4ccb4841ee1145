#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace lgbatch {

// What went wrong: the text the user reads and, for failures of the system (files, devices),
// the error's number, which commands show as "错误 【number text】". 0: no number.
struct Error
{
    QString text;
    int number = 0;
};

// A value or the error of what went wrong. Lower layers return this instead of showing
// messages; the user interface decides how to present the error. An Error converts to any
// Result or Status, so a failure is passed on with `return other.errorInfo();` or LGBATCH_TRY.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Error error) : m_error(std::move(error)) {}
    static Result failure(QString text, int number = 0) { return Result(Error{std::move(text), number}); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &value() const &
    {
        requireValue();
        return *m_value;
    }
    T &value() &
    {
        requireValue();
        return *m_value;
    }
    T &&value() &&
    {
        requireValue();
        return std::move(*m_value);
    }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    const QString &error() const { return m_error.text; }
    int errorNumber() const { return m_error.number; }
    const Error &errorInfo() const { return m_error; }

private:
    void requireValue() const
    {
        // Reading the value of a failure is a programming error, never a user's: stop at once
        // rather than go on with garbage.
        if (!m_value)
            qFatal("Result::value() of a failure: %s", qUtf8Printable(m_error.text));
    }
    std::optional<T> m_value;
    Error m_error;
};

// For operations that have no value to hand back.
class [[nodiscard]] Status
{
public:
    Status() = default;
    Status(Error error) : m_failed(true), m_error(std::move(error)) {}
    static Status failure(QString text, int number = 0) { return Status(Error{std::move(text), number}); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error.text; }
    int errorNumber() const { return m_error.number; }
    const Error &errorInfo() const { return m_error; }

private:
    bool m_failed = false;
    Error m_error;
};

} // namespace lgbatch

// Runs a step that returns a Result or Status and, when it failed, returns its error from the
// calling function (which returns a Result or Status itself).
#define LGBATCH_TRY(expr)                                                                                    \
    do {                                                                                                     \
        if (const auto &lgbatchStep_ = (expr); !lgbatchStep_.ok())                                           \
            return lgbatchStep_.errorInfo();                                                                 \
    } while (false)
