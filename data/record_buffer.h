// TRecordBuffer: the records a dataset has fetched from its cursor, kept so that it can
// move back. Records are stored in blocks of a fixed number of records: a growing buffer
// never moves the values it already holds, so a long walk costs one store per value.
// Records a cursor already holds in memory are not copied: the buffer keeps where each
// one stands, and keeps their owner alive.
#pragma once

#include <QVariant>

#include <memory>
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
        if (m_inPlaceOwner)
            return m_inPlace[size_t(row)][column];
        return m_blocks[size_t(row) / kBlockRows][(size_t(row) % kBlockRows) * size_t(m_columns) + size_t(column)];
    }

private:
    static constexpr size_t kBlockRows = 1024;

    bool fetchInPlace(TRecordCursor& cursor);

    std::vector<std::vector<QVariant>> m_blocks;
    std::shared_ptr<const void> m_inPlaceOwner; // set while records are kept where they stand
    std::vector<const QVariant*> m_inPlace;
    int m_columns = 0;
    int m_rowCount = 0;
};
