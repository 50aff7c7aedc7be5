// The page stream: memory first, then a temporary file that disappears on release.
#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_stream.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QByteArray block(int size, char fill) { return QByteArray(size, fill); }

TEST(PageStream, StaysInMemoryUpToTheLimit)
{
    TRpPageStream stream;
    stream.append(block(60000, 'a'));
    stream.append(block(40000, 'b'));
    EXPECT_EQ(stream.size(), 100000);
    EXPECT_FALSE(stream.isInTemporaryFile());
}

TEST(PageStream, MovesPastTheLimitIntoATemporaryFileThatIsDeletedOnRelease)
{
    QString fileName;
    {
        TRpPageStream stream;
        stream.append(block(99999, 'a'));
        ASSERT_FALSE(stream.isInTemporaryFile());
        stream.append(block(2, 'b'));
        ASSERT_TRUE(stream.isInTemporaryFile());
        fileName = stream.temporaryFileName();
        EXPECT_TRUE(QFileInfo(fileName).fileName().startsWith(QStringLiteral("RPP")));
        EXPECT_EQ(QFileInfo(fileName).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_TRUE(QFileInfo::exists(fileName));
        // Nothing written before the move is lost.
        EXPECT_EQ(stream.size(), 100001);
        EXPECT_EQ(stream.readAt(0, 3), "aaa");
        EXPECT_EQ(stream.readAt(99998, 3), "abb");
        stream.append("tail");
        EXPECT_EQ(stream.readAt(100001, 10), "tail");
    }
    EXPECT_FALSE(QFileInfo::exists(fileName));
}

TEST(PageStream, OverwritesInPlaceAndKeepsThePositionAcrossTheMove)
{
    TRpPageStream stream(16);
    stream.write("0123456789");
    EXPECT_EQ(stream.pos(), 10);
    stream.writeAt(2, "ab");
    stream.seek(10);
    stream.write("ABCDEFGHIJ"); // crosses the 16-byte limit
    EXPECT_TRUE(stream.isInTemporaryFile());
    EXPECT_EQ(stream.pos(), 20);
    EXPECT_EQ(stream.readAt(0, 20), "01ab456789ABCDEFGHIJ");
}

TEST(PageStream, ReadsAndSeeksWithinBoundsOnly)
{
    TRpPageStream stream;
    stream.append("abc");
    EXPECT_FALSE(stream.seek(4));
    EXPECT_FALSE(stream.seek(-1));
    EXPECT_TRUE(stream.seek(1));
    EXPECT_EQ(stream.read(10), "bc");
    EXPECT_TRUE(stream.readAt(7, 2).isEmpty());
    EXPECT_TRUE(stream.readAt(-3, 2).isEmpty());
}

TEST(PageStream, CopiesItselfInBlocks)
{
    TRpPageStream stream(1000);
    QByteArray expected;
    for (int index = 0; index < 30; ++index) {
        const QByteArray part = block(997, static_cast<char>('a' + index % 26));
        stream.append(part);
        expected += part;
    }
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    ASSERT_TRUE(stream.copyTo(target, 10240));
    EXPECT_EQ(target.data(), expected);
}

TEST(PageStream, OpensAnExistingFileReadOnly)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pages.rpp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("existing bytes");
    file.close();

    std::unique_ptr<TRpPageStream> stream = TRpPageStream::openReadOnly(path);
    EXPECT_TRUE(stream->isReadOnly());
    EXPECT_EQ(stream->readAt(9, 5), "bytes");
    EXPECT_THROW(stream->append("more"), ERpPrinterError);
    EXPECT_EQ(stream->size(), 14);
}

TEST(PageStream, MissingFileGivesAClearError)
{
    try {
        TRpPageStream::openReadOnly(QStringLiteral("/nonexistent/folder/report.rpp"));
        FAIL() << "no error";
    } catch (const ERpPreparedFileError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("/nonexistent/folder/report.rpp")));
    }
}

} // namespace
