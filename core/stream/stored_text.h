// The 8-bit form of stored texts: the Windows-1252 code page, whose "€", curly quotes
// and dashes older files use. The five bytes the code page leaves undefined stand for
// the control characters of the same code, so every byte string reads and writes back
// unchanged.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace storedtext {

QString decode(QByteArrayView bytes);
QChar decodeByte(quint8 byte);

// The byte of a character the 8-bit form can carry.
std::optional<quint8> byteOf(QChar c);
bool fitsEightBit(QStringView text);
// The 8-bit form of a text for which fitsEightBit() holds; other characters give "?".
QByteArray encode(QStringView text);

} // namespace storedtext
