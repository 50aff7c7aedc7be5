#include "data/alias_file.h"

#include "core/settings/file_locations.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHash>

#include <algorithm>

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

// A ";" or "#" after white space starts a comment; one inside a value (an ODBC connection
// string's separator) or inside double quotes belongs to the value.
QString withoutComment(const QString& text)
{
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u';' || c == u'#') && (i == 0 || text[i - 1].isSpace()))
            return text.left(i);
    }
    return text;
}

QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

// The sections of an INI text in file order, each a map of lower-cased keys to values.
QList<QPair<QString, QHash<QString, QString>>> sections(const QString& text)
{
    QList<QPair<QString, QHash<QString, QString>>> found;
    for (const QString& rawLine : text.split(u'\n')) {
        const QString line = withoutComment(rawLine).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            found.append({line.mid(1, line.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || found.isEmpty())
            continue;
        found.last().second.insert(line.left(equals).trimmed().toLower(), unquoted(line.mid(equals + 1).trimmed()));
    }
    return found;
}

TDatabaseAlias aliasOf(const QString& name, const QHash<QString, QString>& values, const QString& filePath)
{
    TDatabaseAlias alias;
    alias.name = name;
    alias.driver = qtDriverName(values.value(QStringLiteral("driver")));
    alias.database = values.value(QStringLiteral("database"));
    alias.host = values.value(QStringLiteral("host"));
    bool ok = false;
    const int port = values.value(QStringLiteral("port")).toInt(&ok);
    alias.port = ok ? port : -1;
    alias.user = values.value(QStringLiteral("user"));
    alias.password = values.value(QStringLiteral("password"));
    alias.options = values.value(QStringLiteral("options"));
    // A relative path is relative to the alias file.
    if (alias.driver.isEmpty() || alias.driver == QLatin1String("QSQLITE")) {
        if (!alias.database.isEmpty() && QFileInfo(alias.database).isRelative())
            alias.database = QFileInfo(filePath).absoluteDir().filePath(alias.database);
    }
    return alias;
}

} // namespace

QList<TDatabaseAlias> read(const QString& filePath)
{
    QList<TDatabaseAlias> aliases;
    if (filePath.isEmpty())
        return aliases;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return aliases;
    QString text = QString::fromUtf8(file.readAll());
    text.remove(u'\r');
    for (const auto& [name, values] : sections(text)) {
        if (!name.isEmpty())
            aliases.append(aliasOf(name, values, filePath));
    }
    std::sort(aliases.begin(), aliases.end(), [](const TDatabaseAlias& a, const TDatabaseAlias& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
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
