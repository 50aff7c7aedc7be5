#include "engine/sink/rp_page_stream.h"

#include "engine/sink/rp_errors.h"

#include "core/exit_cleanup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cerrno>

TRpPageStream::TRpPageStream(qint64 memoryLimit) : m_memoryLimit(memoryLimit)
{
    m_memory.open(QIODevice::ReadWrite);
    m_device = &m_memory;
}

TRpPageStream::TRpPageStream(std::unique_ptr<QFile> file)
    : m_memoryLimit(0), m_readOnly(true), m_file(std::move(file))
{
    m_device = m_file.get();
}

TRpPageStream::~TRpPageStream()
{
    m_temporary.reset();
    exitcleanup::forget(m_cleanupHandle);
}

std::unique_ptr<TRpPageStream> TRpPageStream::openReadOnly(const QString& fileName)
{
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly))
        throw ERpPreparedFileError(QStringLiteral("Cannot open the prepared report \"%1\": %2")
                                       .arg(fileName, file->errorString()));
    return std::unique_ptr<TRpPageStream>(new TRpPageStream(std::move(file)));
}

qint64 TRpPageStream::size() const
{
    QMutexLocker lock(&m_mutex);
    return m_device->size();
}

qint64 TRpPageStream::pos() const
{
    QMutexLocker lock(&m_mutex);
    return m_device->pos();
}

bool TRpPageStream::seek(qint64 position)
{
    QMutexLocker lock(&m_mutex);
    return position >= 0 && position <= m_device->size() && m_device->seek(position);
}

QByteArray TRpPageStream::read(qint64 count)
{
    QMutexLocker lock(&m_mutex);
    return count > 0 ? m_device->read(count) : QByteArray();
}

void TRpPageStream::write(QByteArrayView bytes)
{
    QMutexLocker lock(&m_mutex);
    writeLocked(bytes);
}

QByteArray TRpPageStream::readAt(qint64 position, qint64 count)
{
    QMutexLocker lock(&m_mutex);
    if (count <= 0 || position < 0 || position > m_device->size() || !m_device->seek(position))
        return {};
    return m_device->read(count);
}

void TRpPageStream::writeAt(qint64 position, QByteArrayView bytes)
{
    QMutexLocker lock(&m_mutex);
    if (!m_device->seek(position))
        throw ERpPrinterError(QStringLiteral("Cannot position the page stream"));
    writeLocked(bytes);
}

qint64 TRpPageStream::append(QByteArrayView bytes)
{
    QMutexLocker lock(&m_mutex);
    const qint64 start = m_device->size();
    if (!m_device->seek(start))
        throw ERpPrinterError(QStringLiteral("Cannot position the page stream"));
    writeLocked(bytes);
    return start;
}

void TRpPageStream::writeLocked(QByteArrayView bytes)
{
    if (m_readOnly)
        throw ERpPrinterError(QStringLiteral("The prepared report is open for reading only"));
    if (m_device == &m_memory && m_device->pos() + bytes.size() > m_memoryLimit)
        moveToTemporaryFile();
    // The temporary file is flushed at once, so that a full disk is reported here and not
    // as a damaged page when the pages are read back.
    errno = 0;
    if (m_device->write(bytes.data(), bytes.size()) != bytes.size() || (m_temporary && !m_temporary->flush()))
        throw ERpPrinterError(QStringLiteral("Cannot write the page stream: %1").arg(writeFailure()));
}

QString TRpPageStream::writeFailure() const
{
    // A write cut short leaves Qt without a reason of its own; the system's is in errno.
    if (errno != 0)
        return qt_error_string(errno);
    return m_device->errorString();
}

void TRpPageStream::moveToTemporaryFile()
{
    auto temporary = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/RPPXXXXXX"));
    temporary->setAutoRemove(true);
    if (!temporary->open())
        throw ERpPrinterError(QStringLiteral("Cannot create a temporary file for the pages: %1")
                                  .arg(temporary->errorString()));
    // Removed with the stream, or by the signal handlers if the process is killed first.
    m_cleanupHandle = exitcleanup::remember(temporary->fileName(), false);
    const QByteArray& kept = m_memory.buffer();
    errno = 0;
    if (temporary->write(kept) != kept.size() || !temporary->flush())
        throw ERpPrinterError(QStringLiteral("Cannot write the temporary page file: %1")
                                  .arg(errno != 0 ? qt_error_string(errno) : temporary->errorString()));
    temporary->seek(m_memory.pos());
    m_memory.close();
    m_memory.setData(QByteArray());
    m_temporary = std::move(temporary);
    m_device = m_temporary.get();
}

bool TRpPageStream::copyTo(QIODevice& target, qint64 blockSize)
{
    QMutexLocker lock(&m_mutex);
    const qint64 total = m_device->size();
    if (!m_device->seek(0))
        return false;
    for (qint64 done = 0; done < total;) {
        const QByteArray block = m_device->read(qMin(blockSize, total - done));
        if (block.isEmpty() || target.write(block) != block.size())
            return false;
        done += block.size();
    }
    return true;
}

bool TRpPageStream::isInTemporaryFile() const
{
    QMutexLocker lock(&m_mutex);
    return m_temporary != nullptr;
}

QString TRpPageStream::temporaryFileName() const
{
    QMutexLocker lock(&m_mutex);
    return m_temporary ? m_temporary->fileName() : QString();
}
