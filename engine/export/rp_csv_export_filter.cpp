#include "engine/export/rp_csv_export_filter.h"

namespace {

constexpr QChar kCellSeparator = u',';

// A quote inside a cell is doubled so that the cell stays one field.
QString quoted(QString text)
{
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

} // namespace

void TRpCommaSeparatedFilter::writePage()
{
    for (int line = 1; line <= lineCount(); ++line) {
        QString row;
        for (int column = 1; column <= columnCount(); ++column) {
            const Entry* entry = cell(line, column);
            row += quoted(entry ? entry->text : QString());
            row += column == columnCount() ? QStringLiteral("\r\n") : QString(kCellSeparator);
        }
        write(row);
    }
}
