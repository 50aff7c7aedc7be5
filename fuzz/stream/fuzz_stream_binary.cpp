// Fuzzes the binary component stream reader: parsing, conversion to text and back, and
// reading into live components of a few registered classes.
#include "core/class_registry.h"
#include "core/control.h"
#include "core/stream/binary_stream.h"
#include "core/stream/component_stream.h"
#include "core/stream/form_conversion.h"
#include "core/stream/stream_error.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void setUp()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    TClassRegistry::instance().registerClasses<TComponent, TControl>(QString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    setUp();
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const TStreamObject record = binarystream::read(bytes);
        try {
            formconversion::textToBinary(formconversion::binaryToText(bytes));
        } catch (const EStreamError&) {
            // Names longer than a short string or identifiers the text form cannot hold.
        }
        TControl root;
        componentstream::readRoot(record, &root);
    } catch (const EVelError&) {
    }
    return 0;
}
