// Feeds arbitrary bytes to the Dbase table reader as a ".dbf" file.
#include "table_file_fuzz.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzinput::readTableFile(QStringLiteral("input.dbf"), filetables::readDbase, data, size);
}
