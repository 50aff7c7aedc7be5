// The exception every model layer raises: it carries the message shown to the user.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

class EVelError : public std::exception {
public:
    explicit EVelError(QString message);

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
