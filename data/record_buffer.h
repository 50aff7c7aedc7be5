// TRecordBuffer: the records a dataset has fetched from its cursor, kept so that it can
// move back. Records are stored in blocks of a fixed number of records: a growing buffer
// never moves the values it already holds, so a long walk costs one store per value.
#pragma once

#include <QVariant>

#include <vector>

class TRecordCursor;

class TRecordBuffer {
public:
    // Forgets every record; the records to come have that many values.
    void reset(int columns);
    // Fetches the cursor's next record into the buffer; false at the end. A cursor that
    // hands over a short or long record is padded or cut, never trusted.
    bool fetch(TRecordCursor& cursor);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columns; }
    const QVariant& at(int row, int column) const
    {
        return m_blocks[size_t(row) / kBlockRows][(size_t(row) % kBlockRows) * size_t(m_columns) + size_t(column)];
    }

private:
    static constexpr size_t kBlockRows = 1024;

    std::vector<std::vector<QVariant>> m_blocks;
    int m_columns = 0;
    int m_rowCount = 0;
};
