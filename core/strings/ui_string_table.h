// The built-in English string table, compiled in from ui_strings.tsv.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

// Parses table text: lines of id, tab, text in double quotes; "#" starts a comment line.
// The text is everything between the first and the last quote of the line, so quotes and
// trailing blanks inside it survive. Malformed lines are skipped.
QHash<int, QString> parseUiStringTable(QByteArrayView text);

// The built-in text of an id; empty when the table has none.
QString builtInUiString(int id);

// Every id the built-in table holds a text for.
QList<int> builtInUiStringIds();
