#include "engine/sink/rp_page_list.h"

#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_stream.h"
#include "engine/sink/rp_splay_codec.h"

#include <QtEndian>

#include <limits>

namespace {

constexpr qint64 kRecordOverhead = 12; // page number, forward link, back link
constexpr qint64 kLengthSize = 4;
constexpr qint64 kLargestOffset = std::numeric_limits<qint32>::max();

QByteArray int32Bytes(qint64 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(static_cast<qint32>(value), bytes.data());
    return bytes;
}

qint64 int32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

ERpPreparedFileError damaged(const QString& detail)
{
    return ERpPreparedFileError(QStringLiteral("The prepared report file is damaged: %1").arg(detail));
}

} // namespace

TRpPageList::TRpPageList(bool compressed, qint64 memoryLimit)
    : m_stream(std::make_unique<TRpPageStream>(memoryLimit))
{
    m_header.compressed = compressed;
    m_header.created = rpDateTimeToDays(QDateTime::currentDateTime());
}

TRpPageList::TRpPageList(std::unique_ptr<TRpPageStream> stream, const TRpPreparedHeader& header)
    : m_stream(std::move(stream)), m_header(header), m_headerWritten(true)
{
}

TRpPageList::~TRpPageList() = default;

std::unique_ptr<TRpPageList> TRpPageList::open(const QString& fileName)
{
    std::unique_ptr<TRpPageStream> stream = TRpPageStream::openReadOnly(fileName);
    const std::optional<TRpPreparedHeader> header =
        TRpPreparedHeader::fromBytes(stream->readAt(0, TRpPreparedHeader::kSize));
    if (!header)
        throw ERpPreparedFileError(QStringLiteral("\"%1\" is not a prepared report file").arg(fileName));
    std::unique_ptr<TRpPageList> list(new TRpPageList(std::move(stream), *header));
    list->indexRecords();
    return list;
}

void TRpPageList::indexRecords()
{
    const qint64 fileSize = m_stream->size();
    const qint64 pageCount = m_header.pageCount;
    if (pageCount < 0 || pageCount > (fileSize - TRpPreparedHeader::kSize) / kRecordOverhead)
        throw damaged(QStringLiteral("the page count %1 does not fit the file").arg(pageCount));
    m_offsets.reserve(static_cast<size_t>(pageCount));
    qint64 start = TRpPreparedHeader::kSize;
    for (qint64 number = 1; number <= pageCount; ++number) {
        const QByteArray head = m_stream->readAt(start, 8);
        if (head.size() != 8)
            throw damaged(QStringLiteral("page %1 is missing").arg(number));
        const qint64 next = int32At(head, 4);
        const qint64 smallest = start + kRecordOverhead + (m_header.compressed ? kLengthSize : 0);
        if (int32At(head, 0) != number || next < smallest || next > fileSize)
            throw damaged(QStringLiteral("the record of page %1 is broken").arg(number));
        const QByteArray back = m_stream->readAt(next - 4, 4);
        if (back.size() != 4 || int32At(back, 0) != start)
            throw damaged(QStringLiteral("the back link of page %1 is broken").arg(number));
        m_offsets.push_back(start);
        start = next;
    }
    if (start != fileSize)
        throw damaged(QStringLiteral("the file does not end after page %1").arg(pageCount));
}

int TRpPageList::count() const
{
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_offsets.size());
}

bool TRpPageList::compressed() const
{
    QMutexLocker lock(&m_mutex);
    return m_header.compressed;
}

QDateTime TRpPageList::created() const
{
    QMutexLocker lock(&m_mutex);
    return rpDaysToDateTime(m_header.created);
}

bool TRpPageList::isReadOnly() const
{
    return m_stream->isReadOnly();
}

void TRpPageList::setPageGeometry(int dpiX, int dpiY, int pageWidth, int pageLength)
{
    QMutexLocker lock(&m_mutex);
    m_header.dpiX = dpiX;
    m_header.dpiY = dpiY;
    m_header.pageWidth = pageWidth;
    m_header.pageLength = pageLength;
}

TRpPreparedHeader TRpPageList::header() const
{
    QMutexLocker lock(&m_mutex);
    return m_header;
}

void TRpPageList::writeHeader()
{
    m_header.pageCount = static_cast<qint32>(m_offsets.size());
    m_stream->writeAt(0, m_header.toBytes());
    m_headerWritten = true;
}

void TRpPageList::append(const QByteArray& page)
{
    QMutexLocker lock(&m_mutex);
    if (!m_headerWritten)
        writeHeader();
    const QByteArray payload = encodePayload(page);
    const qint64 start = m_stream->size();
    const qint64 next = start + kRecordOverhead + payload.size();
    if (next > kLargestOffset)
        throw ERpPrinterError(QStringLiteral("The prepared report grows beyond 2 GB"));
    QByteArray record;
    record.reserve(payload.size() + kRecordOverhead);
    record += int32Bytes(static_cast<qint64>(m_offsets.size()) + 1);
    record += int32Bytes(next);
    record += payload;
    record += int32Bytes(start);
    m_stream->append(record);
    m_offsets.push_back(start);
}

void TRpPageList::finish()
{
    QMutexLocker lock(&m_mutex);
    if (!m_stream->isReadOnly())
        writeHeader();
}

QByteArray TRpPageList::encodePayload(const QByteArray& page) const
{
    if (!m_header.compressed)
        return page;
    return int32Bytes(page.size()) + splayEncode(page);
}

QByteArray TRpPageList::decodePayload(const QByteArray& payload, int pageNumber) const
{
    if (!m_header.compressed)
        return payload;
    const qint64 plainLength = int32At(payload, 0);
    const std::optional<QByteArray> plain = splayDecode(QByteArrayView(payload).sliced(kLengthSize), plainLength);
    if (!plain)
        throw damaged(QStringLiteral("page %1 cannot be decompressed").arg(pageNumber));
    return *plain;
}

qint64 TRpPageList::recordOffset(int pageNumber) const
{
    QMutexLocker lock(&m_mutex);
    if (pageNumber < 1 || pageNumber > static_cast<int>(m_offsets.size()))
        return -1;
    return m_offsets[static_cast<size_t>(pageNumber - 1)];
}

std::optional<QByteArray> TRpPageList::page(int pageNumber) const
{
    QMutexLocker lock(&m_mutex);
    if (pageNumber < 1 || pageNumber > static_cast<int>(m_offsets.size()))
        return std::nullopt;
    const auto index = static_cast<size_t>(pageNumber - 1);
    const qint64 start = m_offsets[index];
    const qint64 next = index + 1 < m_offsets.size() ? m_offsets[index + 1] : m_stream->size();
    const qint64 payloadLength = next - start - kRecordOverhead;
    const QByteArray payload = m_stream->readAt(start + 8, payloadLength);
    if (payload.size() != payloadLength)
        throw damaged(QStringLiteral("page %1 is truncated").arg(pageNumber));
    return decodePayload(payload, pageNumber);
}

bool TRpPageList::copyTo(QIODevice& target) const
{
    QMutexLocker lock(&m_mutex);
    return m_stream->copyTo(target);
}
