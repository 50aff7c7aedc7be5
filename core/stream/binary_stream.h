// The binary component stream: the signature "TPF0" followed by one object record.
#pragma once

#include "core/stream/byte_buffer.h"
#include "core/stream/stream_object.h"

namespace binarystream {

inline constexpr char kSignature[] = "TPF0";

// Whether the bytes at `position` are the signature.
bool hasSignature(const QByteArray& data, qsizetype position = 0);

// Reads the signature and the root record; raises EStreamError on malformed data.
TStreamObject read(const QByteArray& data, qsizetype position = 0, qsizetype* end = nullptr);
TStreamObject readObject(TByteReader& reader);
TStreamValue readValue(TByteReader& reader);

QByteArray write(const TStreamObject& root);
void writeObject(TByteWriter& writer, const TStreamObject& object);
void writeValue(TByteWriter& writer, const TStreamValue& value);

// Nesting deeper than this (objects in objects, lists in lists) is refused as corrupt.
inline constexpr int kMaxDepth = 100;

} // namespace binarystream
