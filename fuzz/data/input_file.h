// The file a fuzz input is written to: one per target, under a temporary folder that
// lives as long as the process. Run the targets with TMPDIR on a memory file system
// (/dev/shm), since every input goes through a file.
#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace fuzzinput {

inline QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Writes the input to `fileName` in the folder and returns its path; empty when the file
// cannot be written, so the input is skipped.
inline QString write(const QString& fileName, const std::uint8_t* data, std::size_t size)
{
    const QString path = folder().filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return {};
    return path;
}

} // namespace fuzzinput
