#include "data/record_buffer.h"

#include "data/record_cursor.h"

void TRecordBuffer::reset(int columns)
{
    m_blocks.clear();
    m_columns = columns;
    m_rowCount = 0;
}

bool TRecordBuffer::fetch(TRecordCursor& cursor)
{
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
