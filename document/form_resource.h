// The form resource of a DFM file: resource type 10 (0xFF 0x0A 0x00), the resource name
// ending with a zero byte, 16-bit flags, the 32-bit size of the component stream that
// follows, then the stream.
#pragma once

#include <QByteArray>
#include <QString>

namespace formresource {

inline constexpr quint16 kFlags = 0x1030;

QByteArray write(const QString& resourceName, const QByteArray& stream);

// Where the component stream of a form resource starts; raises EStreamError when the
// bytes are not a form resource.
qsizetype streamStart(const QByteArray& data);

bool looksLikeResource(const QByteArray& data);

} // namespace formresource
