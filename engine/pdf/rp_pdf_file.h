// The object layer of a PDF file: numbered objects written in order through an output file,
// their offsets for the cross-reference table, and the trailer.
#pragma once

#include "engine/pdf/rp_pdf_bytes.h"

#include <QString>

#include <memory>
#include <string_view>
#include <vector>

class QByteArray;
class TVelOutputFile;

class TRpPdfFile {
public:
    TRpPdfFile();
    ~TRpPdfFile();

    // Opens the file for writing (through a temporary file until commit) and writes the
    // header; false with errorString() when it cannot.
    bool open(const QString& fileName);
    bool isOpen() const;
    // True once a write has failed; the file is then cancelled on commit.
    bool failed() const { return !m_error.isEmpty(); }
    const QString& errorString() const { return m_error; }

    // A number for an object written later.
    int reserveObject();
    // Starts the object (writing "n 0 obj"); its body follows through body().
    void beginObject(int number);
    TRpPdfBytes& body() { return m_buffer; }
    void endObject();
    // A whole stream object: `dictionary` holds the entries other than /Length and /Filter;
    // the data is compressed when `compress` is set.
    void writeStream(int number, std::string_view dictionary, const char* data, size_t size, bool compress = true);
    void writeStream(int number, std::string_view dictionary, const QByteArray& data, bool compress = true);

    // Writes the cross-reference table and trailer and commits the file; false with
    // errorString() when any write failed or an object was reserved but never written.
    bool commit(int catalogObject, int infoObject);
    // Drops the file; an existing file of that name stays untouched.
    void cancel();

private:
    void flushBuffer();
    void fail(const QString& message);

    std::unique_ptr<TVelOutputFile> m_file;
    QString m_fileName;
    TRpPdfBytes m_buffer;
    int64_t m_written = 0;
    std::vector<int64_t> m_offsets; // by object number; -1 until written
    QString m_error;
};
