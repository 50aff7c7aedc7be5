// The text form of the component stream: two-space indentation, CR LF line ends, "." as
// decimal separator, strings in 64-character pieces. Text bytes are Latin-1; characters
// from 256 upward only occur as "#" codes.
#pragma once

#include "core/stream/stream_object.h"

#include <QByteArray>

namespace textstream {

QByteArray write(const TStreamObject& root);

// Reads one object from the text; raises EStreamError with the line on bad text.
TStreamObject read(const QByteArray& text);

} // namespace textstream
