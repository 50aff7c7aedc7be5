#include "core/output_file.h"

#include "core/exit_cleanup.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtGlobal>

#include <atomic>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes are gathered to this size before they go to the file.
constexpr qint64 kBufferSize = 64 * 1024;

// A test can make the Nth write of output files in this process fail as a full disk
// would: VELMOR_TEST_FAILING_WRITE=N.
bool injectedWriteFailure()
{
    static std::atomic<long> countdown{[] {
        bool ok = false;
        const long n = qEnvironmentVariableIntValue("VELMOR_TEST_FAILING_WRITE", &ok);
        return ok && n > 0 ? n : 0L;
    }()};
    long left = countdown.load();
    while (left > 0 && !countdown.compare_exchange_weak(left, left - 1)) {
    }
    return left == 1;
}

ssize_t writeOnce(int descriptor, const char* data, size_t size)
{
    if (injectedWriteFailure()) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(descriptor, data, size);
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray temporaryNameFor(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray name = slash < 0 ? target : target.mid(slash + 1);
    return folder + '.' + name + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

TVelOutputFile::TVelOutputFile(QString fileName) : m_fileName(std::move(fileName)) {}

TVelOutputFile::~TVelOutputFile()
{
    discard();
}

bool TVelOutputFile::openOutput()
{
    discard();
    m_errorNumber = 0;
    setErrorString(QString());
    if (m_fileName.isEmpty()) {
        setErrorString(QStringLiteral("The file name is empty"));
        m_errorNumber = ENOENT;
        return false;
    }
    if (m_fileName == QLatin1String("-")) {
        m_kind = Kind::StandardOutput;
        m_descriptor = STDOUT_FILENO;
    } else {
        const QByteArray path = QFile::encodeName(m_fileName);
        struct stat status {};
        if (::stat(path.constData(), &status) == 0) {
            if (S_ISDIR(status.st_mode))
                return fail(EISDIR);
            const bool opened = S_ISREG(status.st_mode)
                                    ? openReplacing(QFile::encodeName(QFileInfo(m_fileName).canonicalFilePath()), true,
                                                    status.st_mode & 07777, status.st_uid, status.st_gid)
                                    : openDirect(path);
            if (!opened)
                return false;
        } else if (errno != ENOENT || !openReplacing(path, false, newFileMode(), 0, 0)) {
            return m_errorNumber ? false : fail(errno);
        }
    }
    m_buffer.reserve(kBufferSize);
    QIODevice::open(QIODevice::WriteOnly);
    return true;
}

bool TVelOutputFile::openReplacing(const QByteArray& target, bool exists, mode_t mode, uid_t owner, gid_t group)
{
    m_kind = Kind::Replace;
    m_target = target;
    // An unnamed file vanishes by itself if the process dies before it is put in place.
    m_descriptor = ::open(folderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (m_descriptor < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        QByteArray name = temporaryNameFor(target);
        m_descriptor = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
        if (m_descriptor >= 0) {
            m_temporaryPath = name;
            m_cleanupHandle = exitcleanup::remember(QFile::decodeName(name), false);
        }
    }
    if (m_descriptor < 0)
        return fail(errno);
    if (exists) {
        ::fchmod(m_descriptor, mode);
        if (::geteuid() == 0 && ::fchown(m_descriptor, owner, group) != 0) {
            // The new file then belongs to whoever runs this; it is still written.
        }
    }
    return true;
}

bool TVelOutputFile::openDirect(const QByteArray& path)
{
    m_kind = Kind::Direct;
    m_descriptor = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    return m_descriptor >= 0 || fail(errno);
}

qint64 TVelOutputFile::readData(char*, qint64)
{
    return -1;
}

qint64 TVelOutputFile::writeData(const char* data, qint64 size)
{
    if (failed() || m_descriptor < 0)
        return -1;
    if (m_buffer.size() + size > kBufferSize && !flushBuffer())
        return -1;
    if (size >= kBufferSize)
        return writeAll(data, size) ? size : -1;
    m_buffer.append(data, size);
    return size;
}

bool TVelOutputFile::flushBuffer()
{
    if (m_buffer.isEmpty())
        return !failed();
    const bool written = writeAll(m_buffer.constData(), m_buffer.size());
    m_buffer.clear();
    return written;
}

bool TVelOutputFile::writeAll(const char* data, qint64 size)
{
    if (failed())
        return false;
    while (size > 0) {
        const ssize_t written = writeOnce(m_descriptor, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (written == 0)
            return fail(EIO);
        data += written;
        size -= written;
    }
    return true;
}

bool TVelOutputFile::sync()
{
    if (m_descriptor < 0)
        return false;
    if (!flushBuffer())
        return false;
    // Pipes, terminals and devices have nothing to flush; a regular file must reach the disk.
    if (::fsync(m_descriptor) != 0 && m_kind == Kind::Replace)
        return fail(errno);
    return true;
}

bool TVelOutputFile::commit()
{
    if (m_descriptor < 0 || !isOpen()) {
        if (!failed())
            setErrorString(QStringLiteral("The file is not open"));
        discard();
        return false;
    }
    bool done = sync();
    if (done && m_kind == Kind::Replace)
        done = putInPlace();
    else if (done && m_kind == Kind::Direct && ::close(std::exchange(m_descriptor, -1)) != 0)
        done = fail(errno);
    discard();
    return done;
}

bool TVelOutputFile::putInPlace()
{
    if (m_temporaryPath.isEmpty() && !linkUnnamed())
        return false;
    if (::close(std::exchange(m_descriptor, -1)) != 0)
        return fail(errno);
    if (::rename(m_temporaryPath.constData(), m_target.constData()) != 0)
        return fail(errno);
    m_temporaryPath.clear(); // it is the file now
    exitcleanup::forget(std::exchange(m_cleanupHandle, -1));
    const int folder = ::open(folderOf(m_target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder); // the rename itself reaches the disk; nothing to undo if it cannot
        ::close(folder);
    }
    return true;
}

// Gives the unnamed file a name beside the target, from which it is renamed into place.
bool TVelOutputFile::linkUnnamed()
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_descriptor);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = temporaryNameFor(m_target);
        m_cleanupHandle = exitcleanup::remember(QFile::decodeName(name), false);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            m_temporaryPath = name;
            return true;
        }
        const int error = errno;
        exitcleanup::forget(std::exchange(m_cleanupHandle, -1));
        if (error != EEXIST)
            return fail(error);
    }
    return fail(EEXIST);
}

void TVelOutputFile::discard()
{
    closeDescriptor();
    if (!m_temporaryPath.isEmpty())
        ::unlink(m_temporaryPath.constData());
    m_temporaryPath.clear();
    exitcleanup::forget(std::exchange(m_cleanupHandle, -1));
    m_buffer.clear();
    m_kind = Kind::None;
    if (isOpen()) {
        const QString reason = errorString(); // closing the device forgets it
        QIODevice::close();
        setErrorString(reason);
    }
}

void TVelOutputFile::closeDescriptor()
{
    if (m_descriptor >= 0 && m_kind != Kind::StandardOutput)
        ::close(m_descriptor);
    m_descriptor = -1;
}

bool TVelOutputFile::fail(int errorNumber)
{
    if (m_errorNumber == 0) {
        m_errorNumber = errorNumber ? errorNumber : EIO;
        setErrorString(qt_error_string(m_errorNumber));
    }
    return false;
}

bool velSameFile(const QString& first, const QString& second)
{
    struct stat a {}, b {};
    return ::stat(QFile::encodeName(first).constData(), &a) == 0 && ::stat(QFile::encodeName(second).constData(), &b) == 0
           && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
