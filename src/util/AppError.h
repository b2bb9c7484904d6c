#pragma once

#include <QString>
#include <exception>
#include <optional>
#include <type_traits>
#include <utility>

// An error that reaches the caller. Its number is one of the original
// platform's run-time error numbers (53 file not found, 61 disk full, ...),
// which the program's messages and stored behaviour rely on; they are not
// errno values. The calling command's guard decides what the user sees.
class AppError : public std::exception {
public:
    enum Number : int {
        InvalidArgument = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        FileNotFound = 53,
        DeviceUnavailable = 68,
        PathNotFound = 76,
        DiskFull = 61,
    };

    explicit AppError(int number, QString detail = {})
        : m_number(number), m_detail(std::move(detail))
    {
    }

    int number() const noexcept { return m_number; }
    const QString &detail() const noexcept { return m_detail; }
    const char *what() const noexcept override { return "Velmora error"; }

private:
    int m_number;
    QString m_detail;
};

// The value fn gives, or nothing where it fails with an AppError: for callers
// that only want "a value or nothing".
template <typename Fn> auto tryValue(Fn &&fn) -> std::optional<std::invoke_result_t<Fn>>
{
    try {
        return std::forward<Fn>(fn)();
    } catch (const AppError &) {
        return std::nullopt;
    }
}

// Runs a command or an event handler: a failure it did not handle itself
// ends the handler, never the event loop. False when it ended that way.
template <typename Handler> bool guarded(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
