#include "core/stream/form_conversion.h"

#include "core/stream/binary_stream.h"
#include "core/stream/text_stream.h"

namespace formconversion {

QByteArray binaryToText(const QByteArray& binary, qsizetype position)
{
    return textstream::write(binarystream::read(binary, position));
}

QByteArray textToBinary(const QByteArray& text)
{
    return binarystream::write(textstream::read(text));
}

} // namespace formconversion
