// The language list file (prefix + ".LNG") and the language files (prefix + "." + code):
// 8-bit Windows-1252 text, one entry per line, found by the program-file rule.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct LanguageListEntry {
    QString code;
    QString name;
    bool operator==(const LanguageListEntry&) const = default;
};

// File names; an empty prefix stands for the program's own name.
QString languageListFileName(const QString& prefix);
QString languageFileName(const QString& prefix, const QString& code);

// The path of the list or language file, empty when it does not exist. A code that would
// lead out of the program's folders (a path separator in it) has no file.
QString findLanguageListFile(const QString& prefix);
QString findLanguageFile(const QString& prefix, const QString& code);

// Decodes Windows-1252 bytes and splits them into lines at CR LF, LF or CR; a final line
// break does not start another line.
QStringList splitLanguageText(QByteArrayView bytes);

// The lines of a file, or nothing when it cannot be read.
std::optional<QStringList> readLanguageLines(const QString& path);

// Pairs of lines: code, then display name; a last line without a partner is ignored.
QList<LanguageListEntry> languageListFromLines(const QStringList& lines);
