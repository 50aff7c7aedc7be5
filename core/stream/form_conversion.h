// Conversion between the binary component stream ("TPF0" and one object record) and
// its text form. Binary to text to binary gives back the same bytes for every stream
// this system writes.
#pragma once

#include <QByteArray>

namespace formconversion {

// Raises EStreamError when the input is not a valid stream of its form.
QByteArray binaryToText(const QByteArray& binary, qsizetype position = 0);
QByteArray textToBinary(const QByteArray& text);

} // namespace formconversion
