// Table files whose header promises more than the file holds: each reader refuses them
// with a message that names the damage, and reads the undamaged file it came from.
#include "table_files.h"

#include "core/error.h"
#include "data/file_table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

enum class Kind { Dbase, Paradox };

struct Damage {
    const char* name;
    Kind kind;
    qsizetype offset;   // where the bytes are overwritten
    QByteArray bytes;
    qsizetype keep;     // the file is cut to this many bytes; -1 keeps it whole
    const char* message; // a part of the message the reader must raise
};

const Damage damages[] = {
    {"a dBase record count far past the end of the file", Kind::Dbase, 4, QByteArray("\x03\x00\x00\x3a", 4), -1,
     "header counts 973078531 records of 50 bytes, more than the 312 bytes of the file hold"},
    {"a dBase file cut inside its last record", Kind::Dbase, 0, {}, 300, "more than the 300 bytes of the file hold"},
    {"a Paradox file cut inside the fixed part of its header", Kind::Paradox, 0, {}, 64, "the file is shorter than a header"},
    {"a Paradox record larger than a data block", Kind::Paradox, 0, QByteArray("\x00\x10", 2), -1,
     "its records of 4096 bytes do not fit its data blocks of 2048 bytes"},
    {"a Paradox header that counts more records than its data blocks hold", Kind::Paradox, 0x06,
     QByteArray("\x04\x00\x00\x00", 4), -1, "its header counts 4 records, its data blocks hold 3"},
    // Byte 0x39 names the file version; 12 (7.x) has a data header, 3 (3.0) none.
    {"a Paradox encryption key in a data header the version does not have", Kind::Paradox, 0x39, QByteArray("\x03", 1),
     -1, "points to an encryption key in a data header the file does not have"},
    {"a Paradox header longer than the file", Kind::Paradox, 0, {}, 1000, "its header of 2048 bytes is longer than the file"},
    {"a Paradox field count larger than the header", Kind::Paradox, 0x21, QByteArray("\xff\xff", 2), -1,
     "its header of 2048 bytes cannot describe 65535 fields"},
    // The customer table's field list starts at 0x78 (type, length): ID long 4, NAME alpha 20, ...
    {"Paradox fields longer than the record", Kind::Paradox, 0x78, QByteArray("\x17", 1), -1,
     "its fields take 49 bytes, more than its records of 36 bytes"},
    {"a Paradox number field longer than a number", Kind::Paradox, 0x7A, QByteArray("\x06", 1), -1,
     "field NAME has a length of 20 bytes, not 8"},
    {"a Paradox BCD value with other decimal places than its field", Kind::Paradox, 0x7A, QByteArray("\x17", 1), -1,
     "record 1 holds a value of field NAME with 1 decimal places, not 20"},
    // The first data block follows the 0x800 bytes of the header; its first two bytes
    // name the next block.
    {"a Paradox block chain that comes back to its first block", Kind::Paradox, 0x800, QByteArray("\x01\x00", 2), -1,
     "its chain of data blocks comes back to block 1"},
    {"a Paradox block chain that leads past the end of the file", Kind::Paradox, 0x800, QByteArray("\x02\x00", 2), -1,
     "its chain of data blocks leads past the end of the file to block 2"},
};

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class DamagedTableFile : public ::testing::TestWithParam<Damage> {
protected:
    QTemporaryDir folder;
};

TEST_P(DamagedTableFile, IsRefusedWithItsDamageNamed)
{
    const Damage& d = GetParam();
    const bool dbase = d.kind == Kind::Dbase;
    const auto reader = dbase ? filetables::readDbase : filetables::readParadox;
    const QString extension = dbase ? QStringLiteral(".dbf") : QStringLiteral(".db");
    dbase ? tablefiles::writeDbase(folder.path()) : tablefiles::writeParadox(folder.path());
    const QString original = folder.filePath(QStringLiteral("customer") + extension);
    ASSERT_EQ(reader(original)->rowCount, 3);

    QByteArray bytes = readBytes(original);
    bytes.replace(d.offset, d.bytes.size(), d.bytes);
    if (d.keep >= 0)
        bytes.truncate(d.keep);
    const QString damaged = folder.filePath(QStringLiteral("damaged") + extension);
    writeBytes(damaged, bytes);
    try {
        reader(damaged);
        FAIL() << "the damaged file was read";
    } catch (const EVelError& error) {
        EXPECT_TRUE(error.message().contains(QString::fromLatin1(d.message))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(damaged)) << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedTableFile, ::testing::ValuesIn(damages), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(uchar(*c)) ? *c : '_';
    return name;
});

} // namespace
