// The alias file "VelmorAliases.ini" beside the program: one INI section per alias.
//
//   [Sales]
//   Driver=PostgreSQL          ; SQLite, PostgreSQL, Firebird, ODBC or a Qt driver name;
//                              ; none: Database is a local file or directory
//   Database=sales             ; file, directory, database or ODBC connection string
//   Host=127.0.0.1
//   Port=5432
//   User=report
//   Password=secret
//   Options=connect_timeout=5  ; the driver's connect options
//
// A ";" or "#" starts a comment only at the start of a line or after white space, so an
// ODBC connection string (DRIVER={SQLite3};Database=/data/sales.db) keeps its separators.
// Section and key names are matched without regard to case.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct TDatabaseAlias {
    QString name;
    QString driver; // the Qt driver name ("QSQLITE", "QPSQL", "QIBASE", "QODBC"), empty: local
    QString database;
    QString host;
    int port = -1;
    QString user;
    QString password;
    QString options;
};

namespace aliasfile {

inline constexpr const char* kFileName = "VelmorAliases.ini";

// The path of the alias file found by the program's file-location rule; empty if none.
QString path();
// The aliases of a file, sorted by name; an unreadable file has none.
QList<TDatabaseAlias> read(const QString& filePath);
// The alias of that name (without regard to case) in the program's alias file.
std::optional<TDatabaseAlias> find(const QString& name);
// "SQLite" → "QSQLITE" and so on; a Qt driver name stays as it is.
QString qtDriverName(const QString& driver);

} // namespace aliasfile
