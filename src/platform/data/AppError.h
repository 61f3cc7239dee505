#pragma once

#include <QString>
#include <exception>

// A failure that a command's error handler reports: a number and a description, as the
// original program's error object carried them. Engine errors, file errors and a cancelled
// file dialog all travel as an AppError up to the handler of the command that caused them.
class AppError : public std::exception {
public:
    // Raised by a file or font dialog closed with Cancel when its cancel error is on.
    static constexpr int CancelError = 32755;
    // Raised by the database layer (the engine refused a statement or a file).
    static constexpr int EngineError = 3000;
    // Raised for a file that is missing, unreadable or not a database.
    static constexpr int FileError = 3024;
    // Raised when a value cannot be converted (text where a number or a date is needed).
    static constexpr int TypeMismatch = 13;
    // Raised for an invalid procedure call or argument.
    static constexpr int InvalidCall = 5;
    // Raised when a result does not fit its type (currency beyond its range).
    static constexpr int Overflow = 6;

    AppError(int number, QString description)
        : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8()) {}

    static AppError cancelled() {
        return AppError(CancelError, QStringLiteral("Cancel was selected."));
    }

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    bool isCancel() const { return m_number == CancelError; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};
