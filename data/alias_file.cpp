#include "data/alias_file.h"

#include "core/settings/file_locations.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace aliasfile {

QString path()
{
    return programfiles::findProgramFile(QString::fromLatin1(kFileName));
}

QString qtDriverName(const QString& driver)
{
    const QString key = driver.trimmed().toLower();
    if (key == QLatin1String("sqlite") || key == QLatin1String("sqlite3"))
        return QStringLiteral("QSQLITE");
    if (key == QLatin1String("postgresql") || key == QLatin1String("postgres"))
        return QStringLiteral("QPSQL");
    if (key == QLatin1String("firebird") || key == QLatin1String("interbase"))
        return QStringLiteral("QIBASE");
    if (key == QLatin1String("odbc"))
        return QStringLiteral("QODBC");
    return driver.trimmed().toUpper();
}

namespace {

// The INI reader splits values at commas; an ODBC connection string keeps them.
QString text(const QSettings& file, const QString& key)
{
    const QVariant value = file.value(key);
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

} // namespace

QList<TDatabaseAlias> read(const QString& filePath)
{
    QList<TDatabaseAlias> aliases;
    if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
        return aliases;
    QSettings file(filePath, QSettings::IniFormat);
    for (const QString& group : file.childGroups()) {
        file.beginGroup(group);
        TDatabaseAlias alias;
        alias.name = group;
        alias.driver = qtDriverName(text(file, QStringLiteral("Driver")));
        alias.database = text(file, QStringLiteral("Database"));
        alias.host = text(file, QStringLiteral("Host"));
        bool ok = false;
        const int port = file.value(QStringLiteral("Port")).toInt(&ok);
        alias.port = ok ? port : -1;
        alias.user = text(file, QStringLiteral("User"));
        alias.password = text(file, QStringLiteral("Password"));
        alias.options = text(file, QStringLiteral("Options"));
        file.endGroup();
        // A relative path is relative to the alias file.
        if (alias.driver.isEmpty() || alias.driver == QLatin1String("QSQLITE")) {
            if (!alias.database.isEmpty() && QFileInfo(alias.database).isRelative())
                alias.database = QFileInfo(filePath).absoluteDir().filePath(alias.database);
        }
        aliases.append(alias);
    }
    return aliases;
}

std::optional<TDatabaseAlias> find(const QString& name)
{
    for (const TDatabaseAlias& alias : read(path())) {
        if (alias.name.compare(name, Qt::CaseInsensitive) == 0)
            return alias;
    }
    return std::nullopt;
}

} // namespace aliasfile
