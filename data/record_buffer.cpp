#include "data/record_buffer.h"

#include "data/record_cursor.h"

void TRecordBuffer::reset(int columns)
{
    m_blocks.clear();
    m_inPlace.clear();
    m_inPlaceOwner.reset();
    m_columns = columns;
    m_rowCount = 0;
}

bool TRecordBuffer::fetch(TRecordCursor& cursor)
{
    if (fetchInPlace(cursor))
        return true;
    if (m_inPlaceOwner)
        return false;
    const size_t blockSize = kBlockRows * size_t(m_columns);
    if (m_blocks.empty() || (blockSize > 0 && m_blocks.back().size() >= blockSize)) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(blockSize);
    }
    std::vector<QVariant>& block = m_blocks.back();
    const size_t before = block.size();
    bool fetched = false;
    try {
        fetched = cursor.fetch(block);
    } catch (...) {
        block.resize(before);
        throw;
    }
    block.resize(fetched ? before + size_t(m_columns) : before);
    if (fetched)
        ++m_rowCount;
    return fetched;
}

// Records in place are taken only from a cursor whose records have as many values as the
// buffer's; any other is copied.
bool TRecordBuffer::fetchInPlace(TRecordCursor& cursor)
{
    if (m_rowCount == 0 && !m_inPlaceOwner && cursor.fieldDefs().size() == m_columns)
        m_inPlaceOwner = cursor.recordsOwner();
    if (!m_inPlaceOwner)
        return false;
    const QVariant* record = cursor.fetchInPlace();
    if (!record)
        return false;
    m_inPlace.push_back(record);
    ++m_rowCount;
    return true;
}
