// An output file that is never left half-written. A regular file is written beside its
// final name and takes that name only once every byte has reached the disk, so a failed
// or interrupted write keeps the old file as it was. A device or FIFO cannot be replaced
// and is written directly, as is standard output, named "-" as in other tools.
// Every write, the flush and the final rename are checked, and a failure keeps the
// system's own reason ("No space left on device") in errorString().
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <sys/types.h>

class TVelOutputFile : public QIODevice {
public:
    explicit TVelOutputFile(QString fileName);
    ~TVelOutputFile() override; // an uncommitted file is discarded

    // Opens for writing; false with errorString() when it cannot.
    bool openOutput();
    // Writes what is buffered and flushes it to the disk; false on failure.
    bool sync();
    // Puts the written file in place. False with errorString() when any write, the
    // flush or the rename failed; the old file then stays untouched.
    bool commit();
    // Drops what was written; the old file stays untouched.
    void discard();

    const QString& fileName() const { return m_fileName; }
    bool failed() const { return m_errorNumber != 0; }
    // True when the file replaces its old version only at commit (a regular file).
    bool replacesOnCommit() const { return m_kind == Kind::Replace; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    enum class Kind { None, Replace, Direct, StandardOutput };

    bool openReplacing(const QByteArray& target, bool exists, mode_t mode, uid_t owner, gid_t group);
    bool openDirect(const QByteArray& path);
    bool flushBuffer();
    bool writeAll(const char* data, qint64 size);
    bool linkUnnamed();
    bool putInPlace();
    bool fail(int errorNumber);
    void closeDescriptor();

    QString m_fileName;
    Kind m_kind = Kind::None;
    int m_descriptor = -1;
    QByteArray m_target;        // the final path (a symbolic link's target)
    QByteArray m_temporaryPath; // empty while the new file has no name
    int m_cleanupHandle = -1;
    QByteArray m_buffer;
    int m_errorNumber = 0;
};

// True when both names lead to the same existing file.
bool velSameFile(const QString& first, const QString& second);
