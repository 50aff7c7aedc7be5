// Feeds arbitrary bytes to the Csv table reader as a ".csv" file.
#include "table_file_fuzz.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzinput::readTableFile(QStringLiteral("input.csv"), filetables::readCsv, data, size);
}
