// 8-bit text in the Windows-1252 code page, the encoding of the files that sit beside
// the program (language files, the enumeration names file, old report files).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

QString decodeWindows1252(QByteArrayView bytes);
// Characters the code page lacks become "?".
QByteArray encodeWindows1252(const QString& text);

// Splits text into lines at CR LF, LF or CR; a final line break does not start another
// line, so "a\nb\n" and "a\nb" both give two lines.
QStringList splitTextLines(const QString& text);
