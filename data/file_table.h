// TFileTable: a table file of a directory database (Paradox ".db", dBase ".dbf", CSV
// ".csv"), read whole into memory. Tables are kept once per file and read again when the
// file changes.
#pragma once

#include "data/field_def.h"

#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

struct TFileTable {
    TFieldDefs defs;
    std::vector<QVariant> values; // record after record
    int rowCount = 0;
    QStringList primaryKey;       // field names of the primary index, when the file has one

    const QVariant& at(int row, int column) const
    {
        return values[size_t(row) * size_t(defs.size()) + size_t(column)];
    }
    void appendRow(std::vector<QVariant>&& row);
};

namespace filetables {

// The file extensions of table files, with their dots, lower case.
const QStringList& extensions();
bool isTableFile(const QString& fileName);

// The table of that file, read when not cached or changed since; raises EVelError with
// the reader's message when the file cannot be read.
std::shared_ptr<const TFileTable> load(const QString& path);

// The readers.
std::shared_ptr<TFileTable> readParadox(const QString& path);
std::shared_ptr<TFileTable> readDbase(const QString& path);
std::shared_ptr<TFileTable> readCsv(const QString& path);

} // namespace filetables
