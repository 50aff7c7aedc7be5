// The exception the evaluator raises for the two failures that are not error results:
// asking an unprepared evaluator for a value, and turning an error result into text.
#pragma once

#include <QString>
#include <exception>

class ERpEvaluatorError : public std::exception
{
public:
    explicit ERpEvaluatorError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
