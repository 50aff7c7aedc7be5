// Where an export filter writes: a file that replaces the old one only when the export
// completes (a device, FIFO or "-" for standard output is written directly), or memory.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <memory>

class TVelOutputFile;

// A failed export; carries the text shown to the user.
class ERpExportError : public std::exception {
public:
    explicit ERpExportError(QString message);
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

class TRpExportOutput {
public:
    TRpExportOutput();
    ~TRpExportOutput();

    // Opens the file, or memory when fileName is empty and memory is allowed.
    void open(const QString& fileName, bool memoryWhenUnnamed);
    void write(const QString& text);
    // Completes the file; raises ERpExportError when any write failed.
    void commit();
    // Drops an unfinished file, keeping what was there before.
    void discard();

    bool isOpen() const { return m_open; }
    // What was written to memory.
    const QByteArray& memory() const { return m_memory; }

private:
    std::unique_ptr<TVelOutputFile> m_file;
    QByteArray m_memory;
    QString m_fileName;
    bool m_open = false;
};
