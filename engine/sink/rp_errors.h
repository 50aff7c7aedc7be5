// Exceptions raised by the page sink, its page stream and the prepared report reader.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// A failure of the page sink or its page stream; carries the text shown to the user.
class ERpPrinterError : public std::exception {
public:
    explicit ERpPrinterError(QString message);

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A prepared report file that is not one, or is damaged or truncated.
class ERpPreparedFileError : public ERpPrinterError {
public:
    using ERpPrinterError::ERpPrinterError;
};
