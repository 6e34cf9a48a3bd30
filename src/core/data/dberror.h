#pragma once

#include <QString>
#include <stdexcept>

// A database error carrying the engine's own message. Record objects and the database layer
// throw it; the application's notify() catches it and shows the message.
class TDbError : public std::runtime_error {
public:
    explicit TDbError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
