// Feeds arbitrary bytes to the Paradox table reader as a ".db" file.
#include "table_file_fuzz.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzinput::readTableFile(QStringLiteral("input.db"), filetables::readParadox, data, size);
}
