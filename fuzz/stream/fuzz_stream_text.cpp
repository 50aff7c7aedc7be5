// Fuzzes the text-to-binary converter. Whatever text converts must give a binary stream
// that reads back and converts to text and binary again without change.
#include "core/stream/binary_stream.h"
#include "core/stream/form_conversion.h"
#include "core/stream/stream_error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    QByteArray binary;
    try {
        binary = formconversion::textToBinary(text);
    } catch (const EStreamError&) {
        return 0;
    }
    try {
        const QByteArray again = formconversion::textToBinary(formconversion::binaryToText(binary));
        if (again != binary)
            std::abort();
    } catch (const EStreamError&) {
        std::abort();
    }
    return 0;
}
