#include "engine/pdf/rp_pdf_file.h"

#include "engine/pdf/rp_pdf_deflate.h"

#include "core/output_file.h"

#include <QByteArray>

#include <cstdio>

namespace {

// Bytes kept before they go to the file: large enough that writes stay few.
constexpr size_t kFlushSize = 1 << 20;

} // namespace

TRpPdfFile::TRpPdfFile() = default;

TRpPdfFile::~TRpPdfFile()
{
    cancel();
}

bool TRpPdfFile::open(const QString& fileName)
{
    cancel();
    m_error.clear();
    m_fileName = fileName;
    m_file = std::make_unique<TVelOutputFile>(fileName);
    if (!m_file->openOutput()) {
        m_error = QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(fileName, m_file->errorString());
        m_file.reset();
        return false;
    }
    m_written = 0;
    m_offsets.assign(1, 0); // object 0 heads the free list
    m_buffer.clear();
    m_buffer.reserve(kFlushSize + (1 << 16));
    // The binary comment marks the file as binary for transfer programs.
    m_buffer << "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    return true;
}

bool TRpPdfFile::isOpen() const
{
    return m_file != nullptr;
}

int TRpPdfFile::reserveObject()
{
    m_offsets.push_back(-1);
    return static_cast<int>(m_offsets.size() - 1);
}

void TRpPdfFile::beginObject(int number)
{
    m_offsets[static_cast<size_t>(number)] = m_written + static_cast<int64_t>(m_buffer.size());
    m_buffer.appendInt(number);
    m_buffer << " 0 obj\n";
}

void TRpPdfFile::endObject()
{
    m_buffer << "\nendobj\n";
    if (m_buffer.size() >= kFlushSize)
        flushBuffer();
}

void TRpPdfFile::writeStream(int number, std::string_view dictionary, const char* data, size_t size, bool compress)
{
    QByteArray compressed;
    if (compress && size > 0) {
        compressed = rpPdfDeflate(data, size);
        if (compressed.isEmpty()) {
            fail(QStringLiteral("Cannot compress the PDF file \"%1\"").arg(m_fileName));
            compress = false;
        } else {
            data = compressed.constData();
            size = static_cast<size_t>(compressed.size());
        }
    } else {
        compress = false;
    }
    beginObject(number);
    m_buffer << "<<" << dictionary << "/Length ";
    m_buffer.appendInt(static_cast<int64_t>(size));
    if (compress)
        m_buffer << "/Filter/FlateDecode";
    m_buffer << ">>\nstream\n";
    if (size >= kFlushSize) {
        flushBuffer();
        if (m_file && m_file->write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
            fail(QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(m_fileName, m_file->errorString()));
        m_written += static_cast<int64_t>(size);
    } else {
        m_buffer << std::string_view(data, size);
    }
    m_buffer << "\nendstream";
    endObject();
}

void TRpPdfFile::writeStream(int number, std::string_view dictionary, const QByteArray& data, bool compress)
{
    writeStream(number, dictionary, data.constData(), static_cast<size_t>(data.size()), compress);
}

bool TRpPdfFile::commit(int catalogObject, int infoObject)
{
    if (!m_file)
        return false;
    for (size_t number = 1; number < m_offsets.size(); ++number) {
        if (m_offsets[number] < 0) {
            fail(QStringLiteral("The PDF file \"%1\" is incomplete").arg(m_fileName));
            break;
        }
    }
    const int64_t xrefOffset = m_written + static_cast<int64_t>(m_buffer.size());
    m_buffer << "xref\n0 ";
    m_buffer.appendInt(static_cast<int64_t>(m_offsets.size()));
    m_buffer << "\n0000000000 65535 f \n";
    for (size_t number = 1; number < m_offsets.size(); ++number) {
        char entry[24];
        std::snprintf(entry, sizeof(entry), "%010lld 00000 n \n", static_cast<long long>(m_offsets[number]));
        m_buffer << std::string_view(entry, 20);
        if (m_buffer.size() >= kFlushSize)
            flushBuffer();
    }
    m_buffer << "trailer\n<</Size ";
    m_buffer.appendInt(static_cast<int64_t>(m_offsets.size()));
    m_buffer << "/Root ";
    m_buffer.appendInt(catalogObject);
    m_buffer << " 0 R/Info ";
    m_buffer.appendInt(infoObject);
    m_buffer << " 0 R>>\nstartxref\n";
    m_buffer.appendInt(xrefOffset);
    m_buffer << "\n%%EOF\n";
    flushBuffer();
    if (failed()) {
        cancel();
        return false;
    }
    if (!m_file->commit()) {
        fail(QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(m_fileName, m_file->errorString()));
        m_file.reset();
        return false;
    }
    m_file.reset();
    return true;
}

void TRpPdfFile::cancel()
{
    if (m_file) {
        m_file->discard();
        m_file.reset();
    }
    m_buffer.clear();
}

void TRpPdfFile::flushBuffer()
{
    if (m_buffer.empty())
        return;
    if (m_file && !failed()) {
        const auto size = static_cast<qint64>(m_buffer.size());
        if (m_file->write(m_buffer.data(), size) != size)
            fail(QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(m_fileName, m_file->errorString()));
    }
    m_written += static_cast<int64_t>(m_buffer.size());
    m_buffer.clear();
}

void TRpPdfFile::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
}
