#include "app/import_naming.h"

#include <QFileInfo>

QString importedReportName(const QString& importedFile)
{
    const QFileInfo info(importedFile);
    const QString stem = info.absolutePath() + QLatin1Char('/') + info.completeBaseName();
    for (const char* extension : {".VRP", ".VTX"}) {
        const QString candidate = stem + QLatin1String(extension);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}
