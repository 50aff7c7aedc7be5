// The byte stream that holds a prepared report while it is generated or previewed.
//
// It starts in memory and moves itself into a temporary file (prefix "RPP", in the
// system's temporary folder) as soon as it would grow past its memory limit; the
// temporary file is deleted when the stream is destroyed. A stream can also be opened
// read-only on an existing prepared report file. Every operation takes the stream's
// lock, so pages can be read while others are appended.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QMutex>
#include <QString>

#include <memory>

class QFile;
class QIODevice;
class QTemporaryFile;

class TRpPageStream {
public:
    static constexpr qint64 kDefaultMemoryLimit = 100000;

    explicit TRpPageStream(qint64 memoryLimit = kDefaultMemoryLimit);
    ~TRpPageStream();
    TRpPageStream(const TRpPageStream&) = delete;
    TRpPageStream& operator=(const TRpPageStream&) = delete;

    // Opens an existing file for reading; raises ERpPreparedFileError when it cannot.
    static std::unique_ptr<TRpPageStream> openReadOnly(const QString& fileName);

    qint64 size() const;
    qint64 pos() const;
    bool seek(qint64 position);
    // Reads up to count bytes from the current position.
    QByteArray read(qint64 count);
    // Writes at the current position; raises ERpPrinterError when the bytes cannot be kept.
    void write(QByteArrayView bytes);

    // Seek and read or write as one locked step.
    QByteArray readAt(qint64 position, qint64 count);
    void writeAt(qint64 position, QByteArrayView bytes);
    // Appends at the end and answers where the bytes start.
    qint64 append(QByteArrayView bytes);

    // Copies the whole stream, block by block, to an open device; false when a write fails.
    bool copyTo(QIODevice& target, qint64 blockSize = 10240);

    bool isReadOnly() const { return m_readOnly; }
    bool isInTemporaryFile() const;
    QString temporaryFileName() const;

private:
    TRpPageStream(std::unique_ptr<QFile> file);
    void writeLocked(QByteArrayView bytes);
    void moveToTemporaryFile();
    QString writeFailure() const;

    mutable QMutex m_mutex;
    qint64 m_memoryLimit;
    bool m_readOnly = false;
    QBuffer m_memory;
    std::unique_ptr<QTemporaryFile> m_temporary;
    int m_cleanupHandle = -1;
    std::unique_ptr<QFile> m_file;
    QIODevice* m_device = nullptr;
};
