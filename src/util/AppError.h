#pragma once

#include <QString>
#include <exception>

// An error that reaches the caller, carrying the platform's error number.
// The calling command's guard decides what the user sees.
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
        DialogCancelled = 32755,
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
