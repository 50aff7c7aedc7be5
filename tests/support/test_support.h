// Small helpers shared by the test suites.
#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// Reads a whole file; an unreadable file gives an empty array.
QByteArray readFile(const QString& path);

// Writes a whole file, creating missing folders; returns false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace testsupport
