#include "core/settings/enumeration_names.h"

#include "core/settings/file_locations.h"
#include "core/settings/profile_file.h"

#include <QMetaEnum>

QStringList enumerationList(const std::optional<ProfileFile>& file, const QString& typeName,
                            const QStringList& valueNames)
{
    if (!file)
        return valueNames;
    bool ok = false;
    const int showEmptyValue = file->value(QStringLiteral("op") + typeName, QStringLiteral("ShowEmpty"))
                                   .value_or(QString())
                                   .toInt(&ok);
    const bool showEmpty = !ok || showEmptyValue != 0;
    QStringList entries;
    for (const QString& name : valueNames) {
        const QString display = file->value(typeName, name).value_or(QString());
        if (!display.isEmpty())
            entries.append(display + QLatin1Char('|') + name);
        else if (showEmpty)
            entries.append(name);
    }
    return entries;
}

QString enumerationNamesFilePath()
{
    return programfiles::findProgramFile(programfiles::programFileName(QStringLiteral(".INI")));
}

QStringList enumerationList(const QString& typeName, const QStringList& valueNames)
{
    const QString path = enumerationNamesFilePath();
    const std::optional<ProfileFile> file = path.isEmpty() ? std::nullopt : ProfileFile::load(path);
    return enumerationList(file, typeName, valueNames);
}

QStringList enumerationValueNames(const QMetaEnum& enumeration)
{
    QStringList names;
    for (int i = 0; i < enumeration.keyCount(); ++i)
        names.append(QString::fromLatin1(enumeration.key(i)));
    return names;
}

QStringList enumerationList(const QMetaEnum& enumeration)
{
    return enumerationList(QString::fromLatin1(enumeration.enumName()), enumerationValueNames(enumeration));
}

QString enumerationEntryValueName(const QString& entry)
{
    const qsizetype bar = entry.lastIndexOf(QLatin1Char('|'));
    return bar < 0 ? entry : entry.mid(bar + 1);
}
