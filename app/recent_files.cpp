#include "app/recent_files.h"

namespace recentfiles {

void forget(QStringList& list, const QString& fileName)
{
    list.removeIf([&](const QString& entry) { return entry.compare(fileName, Qt::CaseInsensitive) == 0; });
}

void remember(QStringList& list, const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    forget(list, fileName);
    list.prepend(fileName);
    while (list.size() > kRecentFileCount)
        list.removeLast();
}

QList<ReopenEntry> reopenEntries(const RecentFiles& files, const std::function<bool(const QString&)>& isOpen)
{
    QList<ReopenEntry> entries;
    int letter = 0;
    for (const QStringList* list : {&files.reports, &files.projects, &files.dataModules}) {
        bool separated = entries.isEmpty();
        for (const QString& fileName : *list) {
            if (fileName.isEmpty() || (isOpen && isOpen(fileName)))
                continue;
            if (!separated) {
                entries.append(ReopenEntry{});
                separated = true;
            }
            const QChar mark(QLatin1Char('A').unicode() + letter++);
            entries.append(ReopenEntry{QStringLiteral("&") + mark + QLatin1Char(' ') + fileName, fileName});
        }
    }
    return entries;
}

} // namespace recentfiles
