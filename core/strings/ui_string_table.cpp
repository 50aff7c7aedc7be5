#include "core/strings/ui_string_table.h"

#include <QList>

#include <algorithm>
#include <cstddef>

extern const unsigned char kUiStringTableData[];
extern const std::size_t kUiStringTableDataSize;

namespace {

bool parseTableLine(QByteArrayView line, int* id, QString* text)
{
    const qsizetype tab = line.indexOf('\t');
    const qsizetype openQuote = line.indexOf('"');
    const qsizetype closeQuote = line.lastIndexOf('"');
    if (tab <= 0 || openQuote < tab || closeQuote <= openQuote)
        return false;
    bool ok = false;
    *id = line.first(tab).trimmed().toInt(&ok);
    if (!ok)
        return false;
    *text = QString::fromUtf8(line.sliced(openQuote + 1, closeQuote - openQuote - 1));
    return true;
}

const QHash<int, QString>& builtInTable()
{
    static const QHash<int, QString> table = parseUiStringTable(QByteArrayView(
        reinterpret_cast<const char*>(kUiStringTableData), qsizetype(kUiStringTableDataSize)));
    return table;
}

} // namespace

QHash<int, QString> parseUiStringTable(QByteArrayView text)
{
    QHash<int, QString> table;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        int id = 0;
        QString entry;
        if (!line.startsWith('#') && parseTableLine(line, &id, &entry))
            table.insert(id, entry);
        start = end + 1;
    }
    return table;
}

QString builtInUiString(int id)
{
    return builtInTable().value(id);
}

QList<int> builtInUiStringIds()
{
    QList<int> ids = builtInTable().keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}
