// The body shared by the table file targets: the input, written to a file of the
// reader's extension, must either read as a table with one value per field of every
// record, or be refused with EVelError. Any other exception escapes and is a finding.
#pragma once

#include "input_file.h"

#include "core/error.h"
#include "data/file_table.h"

#include <memory>

namespace fuzzinput {

using TableReader = std::shared_ptr<TFileTable> (*)(const QString& path);

inline int readTableFile(const QString& fileName, TableReader reader, const std::uint8_t* data, std::size_t size)
{
    const QString path = write(fileName, data, size);
    if (path.isEmpty())
        return 0;
    std::shared_ptr<TFileTable> table;
    try {
        table = reader(path);
    } catch (const EVelError& error) {
        if (error.message().isEmpty())
            __builtin_trap(); // a refusal says why
        return 0;
    }
    if (!table || table->rowCount < 0
        || table->values.size() != size_t(table->rowCount) * size_t(table->defs.size()))
        __builtin_trap();
    return 0;
}

} // namespace fuzzinput
