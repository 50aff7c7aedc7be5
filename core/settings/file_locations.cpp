#include "core/settings/file_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef VELMOR_INSTALLED_DATA_DIR
#define VELMOR_INSTALLED_DATA_DIR "/usr/local/share/velmor"
#endif

namespace programfiles {
namespace {

QString& programDirectoryOverride()
{
    static QString directory;
    return directory;
}

QString& installedDataDirectoryOverride()
{
    static QString directory;
    return directory;
}

} // namespace

QString programDirectory()
{
    if (!programDirectoryOverride().isEmpty())
        return programDirectoryOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramDirectory(const QString& directory)
{
    programDirectoryOverride() = directory;
}

QString installedDataDirectory()
{
    if (!installedDataDirectoryOverride().isEmpty())
        return installedDataDirectoryOverride();
    return QStringLiteral(VELMOR_INSTALLED_DATA_DIR);
}

void setInstalledDataDirectory(const QString& directory)
{
    installedDataDirectoryOverride() = directory;
}

QString userDataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/velmor");
}

QString programBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = path.isEmpty() ? QStringLiteral("velmor") : QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString programFileName(const QString& extension)
{
    return programBaseName() + extension;
}

QStringList searchDirectories()
{
    QStringList directories;
    for (const QString& directory : {programDirectory(), userDataDirectory(), installedDataDirectory()}) {
        if (!directory.isEmpty() && !directories.contains(directory))
            directories.append(directory);
    }
    return directories;
}

QString findProgramFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    for (const QString& directory : searchDirectories()) {
        const QString path = QDir(directory).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString writableProgramFile(const QString& fileName)
{
    const QString beside = programDirectory();
    if (!beside.isEmpty() && QFileInfo(beside).isDir() && QFileInfo(beside).isWritable())
        return QDir(beside).filePath(fileName);
    const QString userFolder = userDataDirectory();
    QDir().mkpath(userFolder);
    return QDir(userFolder).filePath(fileName);
}

} // namespace programfiles
