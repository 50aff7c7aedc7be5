#include "engine/pdf/rp_pdf_deflate.h"

#include <zlib.h>

QByteArray rpPdfDeflate(const char* data, size_t size, int level)
{
    uLongf compressedSize = compressBound(static_cast<uLong>(size));
    QByteArray compressed(static_cast<qsizetype>(compressedSize), Qt::Uninitialized);
    const int status = compress2(reinterpret_cast<Bytef*>(compressed.data()), &compressedSize,
                                 reinterpret_cast<const Bytef*>(data), static_cast<uLong>(size), level);
    if (status != Z_OK)
        return {};
    compressed.truncate(static_cast<qsizetype>(compressedSize));
    return compressed;
}
