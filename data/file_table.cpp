#include "data/file_table.h"

#include "core/error.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

void TFileTable::appendRow(std::vector<QVariant>&& row)
{
    row.resize(size_t(defs.size()));
    for (QVariant& value : row)
        values.push_back(std::move(value));
    ++rowCount;
}

namespace filetables {

namespace {

struct CachedTable {
    QDateTime modified;
    qint64 size = -1;
    std::shared_ptr<const TFileTable> table;
};

QHash<QString, CachedTable>& cache()
{
    static QHash<QString, CachedTable> tables;
    return tables;
}

std::shared_ptr<TFileTable> readFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("db"))
        return readParadox(path);
    if (suffix == QLatin1String("dbf"))
        return readDbase(path);
    if (suffix == QLatin1String("csv"))
        return readCsv(path);
    throw EVelError(QStringLiteral("%1 is not a table file").arg(path));
}

} // namespace

const QStringList& extensions()
{
    static const QStringList list = {QStringLiteral(".db"), QStringLiteral(".dbf"), QStringLiteral(".csv")};
    return list;
}

bool isTableFile(const QString& fileName)
{
    for (const QString& extension : extensions()) {
        if (fileName.endsWith(extension, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

std::shared_ptr<const TFileTable> load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throw EVelError(QStringLiteral("Table %1 does not exist").arg(path));
    const QString key = info.absoluteFilePath();
    CachedTable& entry = cache()[key];
    if (entry.table && entry.modified == info.lastModified() && entry.size == info.size())
        return entry.table;
    entry = CachedTable{};
    auto table = readFile(key);
    entry = {info.lastModified(), info.size(), std::move(table)};
    return entry.table;
}

} // namespace filetables
