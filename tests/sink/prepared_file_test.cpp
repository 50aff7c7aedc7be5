// The prepared report file byte for byte, and how damaged files are refused.
#include "engine/sink/rp_errors.h"
#include "engine/sink/rp_page_list.h"
#include "engine/sink/rp_page_stream.h"
#include "engine/sink/rp_prepared_header.h"
#include "engine/sink/rp_printer.h"
#include "engine/sink/rp_splay_codec.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>

namespace {

qint32 int32At(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<qint32>(bytes.constData() + offset); }
quint16 int16At(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }

void putInt32(QByteArray& bytes, qsizetype offset, qint32 value) { qToLittleEndian<qint32>(value, bytes.data() + offset); }

QByteArray pagePayload(int page) { return QByteArray("page-").repeated(page * 3) + QByteArray::number(page); }

class PreparedFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    // Writes a list of pages to a file and answers its bytes.
    QByteArray writeFile(const QString& name, int pages, bool compressed)
    {
        TRpPageList list(compressed);
        for (int page = 1; page <= pages; ++page)
            list.append(pagePayload(page));
        list.finish();
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(list.copyTo(file));
        file.close();
        return testsupport::readFile(path(name));
    }

    QTemporaryDir m_folder;
};

TEST_F(PreparedFile, OnePageFileLinksBackTo128AndEndsWith128)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const QByteArray bytes = writeFile(QStringLiteral("one.rpp"), 1, false);
    const QByteArray payload = pagePayload(1);

    ASSERT_EQ(bytes.size(), 128 + 12 + payload.size());
    EXPECT_EQ(int16At(bytes, 0), 3);
    EXPECT_EQ(int16At(bytes, 2), 305);
    EXPECT_EQ(int32At(bytes, 8), 1);
    EXPECT_EQ(bytes[25], '\0');
    const std::optional<TRpPreparedHeader> header = TRpPreparedHeader::fromBytes(bytes.left(128));
    ASSERT_TRUE(header);
    const QDateTime created = rpDaysToDateTime(header->created);
    EXPECT_GE(created, before);
    EXPECT_LE(created, QDateTime::currentDateTime().addSecs(1));

    EXPECT_EQ(int32At(bytes, 128), 1);                  // page number
    EXPECT_EQ(int32At(bytes, 132), bytes.size());       // forward link: the end
    EXPECT_EQ(bytes.mid(136, payload.size()), payload);
    EXPECT_EQ(int32At(bytes, bytes.size() - 4), 128);   // back link = last four bytes
}

TEST_F(PreparedFile, RecordsChainForwardAndBack)
{
    const QByteArray bytes = writeFile(QStringLiteral("five.rpp"), 5, false);
    EXPECT_EQ(int32At(bytes, 8), 5);
    qint32 start = 128;
    for (int page = 1; page <= 5; ++page) {
        const qint32 next = int32At(bytes, start + 4);
        EXPECT_EQ(int32At(bytes, start), page);
        EXPECT_EQ(bytes.mid(start + 8, next - start - 12), pagePayload(page));
        EXPECT_EQ(int32At(bytes, next - 4), start);
        start = next;
    }
    EXPECT_EQ(start, bytes.size());
}

TEST_F(PreparedFile, CompressedPayloadIsThePlainLengthAndTheSplayCode)
{
    const QByteArray bytes = writeFile(QStringLiteral("packed.rpp"), 2, true);
    EXPECT_EQ(bytes[25], '\1');
    const qint32 second = int32At(bytes, 132);
    const QByteArray plain = pagePayload(2);
    EXPECT_EQ(int32At(bytes, second + 8), plain.size());
    const QByteArray coded = bytes.mid(second + 12, int32At(bytes, second + 4) - second - 16);
    EXPECT_EQ(coded, splayEncode(plain));
}

TEST_F(PreparedFile, ReadsEveryPageBackAndNothingBeyond)
{
    for (const bool compressed : {false, true}) {
        writeFile(QStringLiteral("pages.rpp"), 7, compressed);
        const std::unique_ptr<TRpPageList> list = TRpPageList::open(path(QStringLiteral("pages.rpp")));
        EXPECT_EQ(list->count(), 7);
        EXPECT_EQ(list->compressed(), compressed);
        for (int page : {4, 1, 7, 2, 6, 3, 5})
            EXPECT_EQ(list->page(page), pagePayload(page)) << page;
        EXPECT_FALSE(list->page(0).has_value());
        EXPECT_FALSE(list->page(8).has_value());
        EXPECT_FALSE(list->page(-1).has_value());
    }
}

TEST_F(PreparedFile, HeaderIsWrittenWithTheFirstPageAndFinishedWithTheCount)
{
    TRpPageList list(false);
    EXPECT_EQ(list.stream().size(), 0);
    list.append(pagePayload(1));
    list.append(pagePayload(2));
    const QByteArray early = list.stream().readAt(0, 128);
    EXPECT_EQ(int16At(early, 2), 305);
    EXPECT_EQ(int32At(early, 8), 0); // counted only when the document ends
    list.finish();
    EXPECT_EQ(int32At(list.stream().readAt(0, 128), 8), 2);
}

TEST_F(PreparedFile, AnEmptyReportIsAValidFile)
{
    const QByteArray bytes = writeFile(QStringLiteral("empty.rpp"), 0, false);
    EXPECT_EQ(bytes.size(), 128);
    EXPECT_EQ(TRpPageList::open(path(QStringLiteral("empty.rpp")))->count(), 0);
}

struct Damage {
    const char* name;
    std::function<void(QByteArray&)> apply;
};

class DamagedFile : public PreparedFile, public ::testing::WithParamInterface<Damage> {};

// Every damage is refused with a clear message when the file is opened or the page read.
TEST_P(DamagedFile, IsRefusedWithAClearError)
{
    QByteArray bytes = writeFile(QStringLiteral("good.rpp"), 3, true);
    GetParam().apply(bytes);
    ASSERT_TRUE(testsupport::writeFile(path(QStringLiteral("bad.rpp")), bytes));
    try {
        const std::unique_ptr<TRpPageList> list = TRpPageList::open(path(QStringLiteral("bad.rpp")));
        for (int page = 1; page <= list->count(); ++page)
            list->page(page);
        FAIL() << "damage not noticed";
    } catch (const ERpPreparedFileError& error) {
        EXPECT_FALSE(error.message().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFile,
    ::testing::Values(
        Damage{"Empty", [](QByteArray& b) { b.clear(); }},
        Damage{"ShortHeader", [](QByteArray& b) { b.truncate(100); }},
        Damage{"WrongMagic", [](QByteArray& b) { b[0] = 4; }},
        Damage{"WrongVersion", [](QByteArray& b) { b[2] = 0; }},
        Damage{"UnknownCompression", [](QByteArray& b) { b[25] = 7; }},
        Damage{"NegativeCount", [](QByteArray& b) { putInt32(b, 8, -1); }},
        Damage{"HugeCount", [](QByteArray& b) { putInt32(b, 8, 0x7fffffff); }},
        Damage{"CountTooHigh", [](QByteArray& b) { putInt32(b, 8, 4); }},
        Damage{"CountTooLow", [](QByteArray& b) { putInt32(b, 8, 2); }},
        Damage{"TruncatedInLastPage", [](QByteArray& b) { b.chop(7); }},
        Damage{"TruncatedAfterFirstRecord", [](QByteArray& b) { b.truncate(int32At(b, 132) + 3); }},
        Damage{"TrailingBytes", [](QByteArray& b) { b.append("xx"); }},
        Damage{"WrongPageNumber", [](QByteArray& b) { putInt32(b, 128, 2); }},
        Damage{"ForwardLinkBeyondEnd", [](QByteArray& b) { putInt32(b, 132, b.size() + 10); }},
        Damage{"ForwardLinkBackwards", [](QByteArray& b) { putInt32(b, 132, 130); }},
        Damage{"BrokenBackLink", [](QByteArray& b) { putInt32(b, int32At(b, 132) - 4, 129); }},
        Damage{"LastBackLinkBroken", [](QByteArray& b) { putInt32(b, b.size() - 4, 0); }},
        Damage{"PlainLengthTooLarge", [](QByteArray& b) { putInt32(b, int32At(b, 132) + 8, 0x7ffffff0); }},
        Damage{"CodedBytesCut", [](QByteArray& b) {
            // Page 2's plain length grows by 50 bytes, more than its code holds.
            const qint32 second = int32At(b, 132);
            putInt32(b, second + 8, int32At(b, second + 8) + 50);
        }}),
    [](const auto& info) { return std::string(info.param.name); });

// Inputs kept from fuzzing the reader: each loads with readable pages or is refused
// with ERpPreparedFileError; nothing else may happen (the suite runs under sanitizers).
TEST(PreparedFileRegressions, KeptInputsLoadOrAreRefused)
{
    const QDir data(QStringLiteral(VELMOR_TEST_DATA_DIR));
    const QStringList names = data.entryList({QStringLiteral("*.rpp")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    int refused = 0;
    for (const QString& name : names) {
        try {
            TRpPrinter sink;
            sink.loadFromFile(data.filePath(name));
            for (int page = 1; page <= sink.pagesAvailable(); ++page)
                EXPECT_TRUE(sink.page(page).has_value()) << name.toStdString() << " page " << page;
        } catch (const ERpPreparedFileError& error) {
            EXPECT_FALSE(error.message().isEmpty());
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

} // namespace
