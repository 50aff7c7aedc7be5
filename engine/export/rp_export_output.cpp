#include "engine/export/rp_export_output.h"

#include "core/output_file.h"

ERpExportError::ERpExportError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

TRpExportOutput::TRpExportOutput() = default;

TRpExportOutput::~TRpExportOutput()
{
    discard();
}

void TRpExportOutput::open(const QString& fileName, bool memoryWhenUnnamed)
{
    discard();
    m_memory.clear();
    m_fileName = fileName;
    if (fileName.isEmpty()) {
        if (!memoryWhenUnnamed)
            throw ERpExportError(QStringLiteral("No file name is given for the export"));
        m_open = true;
        return;
    }
    m_file = std::make_unique<TVelOutputFile>(fileName);
    if (!m_file->openOutput()) {
        const QString reason = m_file->errorString();
        m_file.reset();
        throw ERpExportError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason));
    }
    m_open = true;
}

void TRpExportOutput::write(const QString& text)
{
    if (!m_open)
        return;
    const QByteArray bytes = text.toUtf8();
    if (m_file)
        m_file->write(bytes); // a failed write stops the later ones and is reported by commit()
    else
        m_memory += bytes;
}

void TRpExportOutput::commit()
{
    if (!m_open)
        return;
    m_open = false;
    if (!m_file)
        return;
    const bool written = m_file->commit();
    const QString reason = m_file->errorString();
    m_file.reset();
    if (!written)
        throw ERpExportError(QStringLiteral("Cannot write \"%1\": %2").arg(m_fileName, reason));
}

void TRpExportOutput::discard()
{
    if (m_file)
        m_file->discard();
    m_file.reset();
    m_open = false;
}
