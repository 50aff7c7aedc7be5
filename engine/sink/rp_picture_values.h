// Checks of the Qt values a page picture's records hold, each consuming the value's bytes
// from the cursor in the layout of Qt's data stream version 6.0 (QColor, QBrush, QPen,
// QFont, QString, QPainterPath, QRegion, QImage, ...). A check raises TRpPictureFault
// for a value Qt would read past its bytes, reserve memory for without having the bytes,
// or hand to the painter out of its range.
#pragma once

#include "engine/sink/rp_picture_cursor.h"

namespace rppicture {

// The largest integer coordinate or page frame side, in device pixels: the extent Qt's
// rasteriser works in.
constexpr qint32 kMaxCoordinate = (1 << 23) - 1;
// The largest embedded image, as decoded: 160 MB holds a 600 dpi colour scan of an A4 page.
constexpr quint32 kMaxImageSide = 16384;
constexpr quint64 kMaxImageBytes = 160'000'000;
// The largest font, in points or pixels.
constexpr double kMaxFontSize = 10000;

void checkPoint(TRpPictureCursor& cursor);
void checkRect(TRpPictureCursor& cursor);
void checkTransform(TRpPictureCursor& cursor);
void checkColor(TRpPictureCursor& cursor);
void checkString(TRpPictureCursor& cursor);
void checkPolygon(TRpPictureCursor& cursor);
void checkPath(TRpPictureCursor& cursor);
void checkRegion(TRpPictureCursor& cursor);
void checkClipOperation(TRpPictureCursor& cursor);
void checkImage(TRpPictureCursor& cursor);
void checkBrush(TRpPictureCursor& cursor);
void checkPen(TRpPictureCursor& cursor);
void checkFont(TRpPictureCursor& cursor);

} // namespace rppicture
