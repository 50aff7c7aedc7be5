#include "engine/pdf/rp_pdf_deflate.h"

#include <libdeflate.h>

#include <memory>

namespace {

struct TCompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

// libdeflate writes the same zlib streams as zlib itself, in a third of the time at the
// fast levels; its compressor is kept, as setting one up costs more than a page.
libdeflate_compressor* compressor()
{
    thread_local std::unique_ptr<libdeflate_compressor, TCompressorDeleter> instance(
        libdeflate_alloc_compressor(kRpPdfDeflateLevel));
    return instance.get();
}

} // namespace

QByteArray rpPdfDeflate(const char* data, size_t size)
{
    libdeflate_compressor* deflater = compressor();
    if (deflater == nullptr)
        return {};
    QByteArray compressed(static_cast<qsizetype>(libdeflate_zlib_compress_bound(deflater, size)), Qt::Uninitialized);
    const size_t written = libdeflate_zlib_compress(deflater, data, size, compressed.data(),
                                                    static_cast<size_t>(compressed.size()));
    if (written == 0)
        return {};
    compressed.truncate(static_cast<qsizetype>(written));
    return compressed;
}
