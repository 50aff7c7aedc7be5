// Inputs the fuzz targets once failed on, kept so that the faults stay fixed: texts
// whose converted stream must convert back unchanged, and binary streams that must be
// refused or read without harm.
#include "core/class_registry.h"
#include "core/control.h"
#include "core/stream/binary_stream.h"
#include "core/stream/component_stream.h"
#include "core/stream/form_conversion.h"
#include "core/stream/stream_error.h"
#include "support/test_support.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QStringList dataFiles(const char* pattern)
{
    QStringList files;
    const QDir dir(QStringLiteral(VELMOR_TEST_DATA_DIR));
    for (const QString& name : dir.entryList({QLatin1String(pattern)}, QDir::Files))
        files.append(dir.filePath(name));
    return files;
}

TEST(FuzzRegression, ConvertedTextsConvertBackUnchanged)
{
    const QStringList files = dataFiles("text-*.txt");
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        const QByteArray text = testsupport::readFile(file);
        QByteArray binary;
        try {
            binary = formconversion::textToBinary(text);
        } catch (const EStreamError&) {
            continue;
        }
        QByteArray again;
        EXPECT_NO_THROW(again = formconversion::textToBinary(formconversion::binaryToText(binary))) << file.toStdString();
        EXPECT_EQ(again.toHex(), binary.toHex()) << file.toStdString() << "\n"
                                                 << formconversion::binaryToText(binary).constData();
    }
}

TEST(FuzzRegression, BinaryStreamsAreReadOrRefused)
{
    TClassRegistry::instance().registerClasses<TComponent, TControl>(QString());
    for (const QString& file : dataFiles("binary-*.bin")) {
        const QByteArray bytes = testsupport::readFile(file);
        try {
            const TStreamObject record = binarystream::read(bytes);
            TControl root;
            componentstream::readRoot(record, &root);
        } catch (const EVelError&) {
        }
    }
}

} // namespace
