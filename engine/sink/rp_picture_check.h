// The check a page picture read from outside passes before Qt plays it.
//
// QPicture::play trusts its stream: an element count, a string length or an image size
// in a record makes Qt reserve that much memory before it notices the bytes are missing,
// and a malformed path or an out-of-range style reaches the painter unchecked. The check
// walks the picture as play() would — the "QPIC" header, its checksum and version, the
// frame record, then every record's op-code and length — and accepts only the records
// Qt's picture painter writes, each holding exactly the values its op-code stands for,
// with counts its bytes can hold and images no larger than a page needs.
#pragma once

#include <QByteArrayView>
#include <QString>

// Why the picture would be unsafe to play; empty when it is sound.
QString rpPagePictureFault(QByteArrayView picture);

// Raises ERpPreparedFileError naming the page when the picture is unsafe to play.
void rpCheckPagePicture(QByteArrayView picture, int pageNumber);
