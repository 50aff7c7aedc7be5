// Small helpers shared by the test suites.
#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Lets GoogleTest print QString values readably in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace testsupport {

// Reads a whole file; an unreadable file gives an empty array.
QByteArray readFile(const QString& path);

// Writes a whole file, creating missing folders; returns false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace testsupport
