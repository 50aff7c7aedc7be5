// The pages of a prepared report as records in a page stream, in the ".RPP" layout:
// the header, then one record per page — 32-bit page number, 32-bit offset of the next
// record, the payload, and a 32-bit back link to the record's own start. A compressed
// payload is a 32-bit plain length followed by the splay-coded bytes. The list keeps
// only the record offsets, never the pages themselves; every access takes its lock.
#pragma once

#include "engine/sink/rp_prepared_header.h"

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class TRpPageStream;
class QIODevice;

class TRpPageList {
public:
    // A new, empty list that writes into a fresh page stream.
    explicit TRpPageList(bool compressed, qint64 memoryLimit = 100000);
    // A list over an existing prepared report file; the header and every record link are
    // checked here, so a damaged or truncated file raises ERpPreparedFileError at once.
    static std::unique_ptr<TRpPageList> open(const QString& fileName);
    ~TRpPageList();

    int count() const;
    bool compressed() const;
    QDateTime created() const;
    bool isReadOnly() const;
    // The recording resolution and page size kept in the header's reserved bytes.
    void setPageGeometry(int dpiX, int dpiY, int pageWidth, int pageLength);
    TRpPreparedHeader header() const;

    // Adds the next page; the header is written with the first page.
    void append(const QByteArray& page);
    // Writes the header with the final page count.
    void finish();

    // The payload of page 1..count; nothing beyond the count. A payload that cannot be
    // decoded raises ERpPreparedFileError.
    std::optional<QByteArray> page(int pageNumber) const;
    qint64 recordOffset(int pageNumber) const;

    // Copies the whole file image to target in blocks; false when a write fails.
    bool copyTo(QIODevice& target) const;
    TRpPageStream& stream() const { return *m_stream; }

private:
    TRpPageList(std::unique_ptr<TRpPageStream> stream, const TRpPreparedHeader& header);
    void writeHeader();
    void indexRecords();
    QByteArray encodePayload(const QByteArray& page) const;
    QByteArray decodePayload(const QByteArray& payload, int pageNumber) const;

    mutable QMutex m_mutex;
    std::unique_ptr<TRpPageStream> m_stream;
    TRpPreparedHeader m_header;
    std::vector<qint64> m_offsets;
    bool m_headerWritten = false;
};
