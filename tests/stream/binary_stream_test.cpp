#include "core/stream/binary_stream.h"
#include "core/stream/extended_float.h"
#include "core/stream/stream_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Type = TStreamValue::Type;

QByteArray encode(const TStreamValue& value)
{
    TByteWriter writer;
    binarystream::writeValue(writer, value);
    return writer.take();
}

TStreamValue decode(const QByteArray& bytes)
{
    TByteReader reader(bytes);
    TStreamValue value = binarystream::readValue(reader);
    EXPECT_TRUE(reader.atEnd()) << "bytes left after the value";
    return value;
}

struct ValueCase {
    const char* label;
    TStreamValue value;
    QByteArray bytes;
};

class BinaryValue : public testing::TestWithParam<ValueCase> {};

TEST_P(BinaryValue, WritesTheDocumentedBytesAndReadsThemBack)
{
    const ValueCase& c = GetParam();
    EXPECT_EQ(encode(c.value).toHex(' '), c.bytes.toHex(' '));
    EXPECT_EQ(decode(c.bytes), c.value);
}

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray result;
    for (int b : list)
        result.append(char(b));
    return result;
}

QStringList setNames() { return {QStringLiteral("fsBold"), QStringLiteral("fsItalic")}; }

INSTANTIATE_TEST_SUITE_P(
    Values, BinaryValue,
    testing::Values(
        ValueCase{"int8", TStreamValue::integer(-1), bytes({2, 0xFF})},
        ValueCase{"int8max", TStreamValue::integer(127), bytes({2, 0x7F})},
        ValueCase{"int16", TStreamValue::integer(128), bytes({3, 0x80, 0x00})},
        ValueCase{"int16min", TStreamValue::integer(-32768), bytes({3, 0x00, 0x80})},
        ValueCase{"int32", TStreamValue::integer(70000), bytes({4, 0x70, 0x11, 0x01, 0x00})},
        ValueCase{"int64", TStreamValue::integer(qint64(1) << 40), bytes({19, 0, 0, 0, 0, 0, 1, 0, 0})},
        ValueCase{"extended", TStreamValue::extended(1.0L), bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        ValueCase{"string", TStreamValue::string(QStringLiteral("ab")), bytes({6, 2, 'a', 'b'})},
        ValueCase{"ident", TStreamValue::identifier(QStringLiteral("clRed")), bytes({7, 5, 'c', 'l', 'R', 'e', 'd'})},
        ValueCase{"false", TStreamValue::boolean(false), bytes({8})},
        ValueCase{"true", TStreamValue::boolean(true), bytes({9})},
        ValueCase{"binary", TStreamValue::binary(QByteArray("\x01\x02", 2)), bytes({10, 2, 0, 0, 0, 1, 2})},
        ValueCase{"set", TStreamValue::set(setNames()),
                  bytes({11, 6, 'f', 's', 'B', 'o', 'l', 'd', 8, 'f', 's', 'I', 't', 'a', 'l', 'i', 'c', 0})},
        ValueCase{"emptyset", TStreamValue::set({}), bytes({11, 0})},
        ValueCase{"nil", TStreamValue::nil(), bytes({13})},
        ValueCase{"list", TStreamValue::list({TStreamValue::integer(1), TStreamValue::boolean(true)}),
                  bytes({1, 2, 1, 9, 0})},
        ValueCase{"collection",
                  TStreamValue::collection({{std::nullopt, {{QStringLiteral("W"), TStreamValue::integer(5)}}},
                                            {3, {}}}),
                  bytes({14, 1, 1, 'W', 2, 5, 0, 2, 3, 1, 0, 0})},
        ValueCase{"single", TStreamValue::single(1.5f), bytes({15, 0, 0, 0xC0, 0x3F})},
        ValueCase{"currency", TStreamValue::currency(12345), bytes({16, 0x39, 0x30, 0, 0, 0, 0, 0, 0})},
        ValueCase{"date", TStreamValue::date(2.0), bytes({17, 0, 0, 0, 0, 0, 0, 0, 0x40})},
        ValueCase{"euroIsEightBit", TStreamValue::string(QString(QChar(0x20AC))), bytes({6, 1, 0x80})},
        ValueCase{"curlyQuotesAndDash", TStreamValue::string(QString::fromUtf16(u"\u201Cx\u201D\u2013")),
                  bytes({6, 4, 0x93, 'x', 0x94, 0x96})},
        ValueCase{"wide", TStreamValue::string(QString(QChar(0x03A9))), bytes({18, 1, 0, 0, 0, 0xA9, 0x03})},
        ValueCase{"controlCharacterOfTheEuroCodeIsWide", TStreamValue::string(QString(QChar(0x80))),
                  bytes({18, 1, 0, 0, 0, 0x80, 0x00})}),
    [](const testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.label); });

TEST(BinaryValue, StringsUpTo255BytesAreShortLongerOnesAreLongStrings)
{
    const QByteArray shortForm = encode(TStreamValue::string(QString(255, u'x')));
    EXPECT_EQ(quint8(shortForm[0]), quint8(Type::String));
    EXPECT_EQ(shortForm.size(), 2 + 255);
    const QByteArray longForm = encode(TStreamValue::string(QString(256, u'x')));
    EXPECT_EQ(longForm.left(5).toHex(' '), QByteArray("0c 00 01 00 00"));
    EXPECT_EQ(decode(longForm).text(), QString(256, u'x'));
}

TEST(ExtendedFloat, EveryDoubleConvertsExactlyBothWays)
{
    const double values[] = {0.0, -0.0, 1.0, -2.5, 0.1, 1.0 / 3.0, 264.58333333333337, 1e300, -1e-300,
                             std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(), 123456789.123456789};
    for (double value : values) {
        const QByteArray stored = extended::toBytes(value);
        ASSERT_EQ(stored.size(), 10);
        const long double back = extended::fromBytes(stored.constData());
        EXPECT_EQ(double(back), value) << value;
        EXPECT_EQ(std::signbit(double(back)), std::signbit(value)) << value;
    }
}

TEST(ExtendedFloat, KnownEncodings)
{
    EXPECT_EQ(extended::toBytes(-2.0L).toHex(' '), QByteArray("00 00 00 00 00 00 00 80 00 c0"));
    EXPECT_EQ(extended::toBytes(0.5L).toHex(' '), QByteArray("00 00 00 00 00 00 00 80 fe 3f"));
    EXPECT_EQ(extended::toBytes(0.0L).toHex(' '), QByteArray("00 00 00 00 00 00 00 00 00 00"));
    EXPECT_TRUE(std::isinf(extended::fromBytes(extended::toBytes(std::numeric_limits<long double>::infinity()).constData())));
    EXPECT_TRUE(std::isnan(extended::fromBytes(extended::toBytes(std::numeric_limits<long double>::quiet_NaN()).constData())));
}

TEST(BinaryStream, ObjectRecordWithFlagsPositionPropertiesAndChildren)
{
    TStreamObject root;
    root.className = QStringLiteral("TRoot");
    root.name = QStringLiteral("R");
    root.properties.append({QStringLiteral("A"), TStreamValue::integer(1)});
    TStreamObject child;
    child.flags = TStreamObject::Inherited | TStreamObject::ChildPosition;
    child.position = 2;
    child.className = QStringLiteral("TC");
    root.children.push_back(child);

    const QByteArray data = binarystream::write(root);
    EXPECT_EQ(data.toHex(' '), QByteArray("54 50 46 30 05 54 52 6f 6f 74 01 52 01 41 02 01 00 f3 02 02 02 54 43 00 00 00 00"));
    const TStreamObject back = binarystream::read(data);
    ASSERT_EQ(back.children.size(), 1u);
    EXPECT_EQ(back.children[0].flags, child.flags);
    EXPECT_EQ(back.children[0].position, 2);
    EXPECT_EQ(binarystream::write(back), data);
}

TEST(BinaryStream, MalformedDataFailsWithAStreamError)
{
    const QByteArray valid = binarystream::write([] {
        TStreamObject root;
        root.className = QStringLiteral("TRoot");
        root.properties.append({QStringLiteral("Caption"), TStreamValue::string(QStringLiteral("hello"))});
        root.properties.append({QStringLiteral("Items"), TStreamValue::list({TStreamValue::integer(1)})});
        return root;
    }());
    for (int size = 0; size < valid.size(); ++size)
        EXPECT_THROW(binarystream::read(valid.left(size)), EStreamError) << "truncated at " << size;

    const QByteArray badType = QByteArray("TPF0\x05TRoot\x00\x01" "A\x63\x00\x00", 14);
    EXPECT_THROW(binarystream::read(badType), EStreamError);
    const QByteArray hugeLength = QByteArray("TPF0\x05TRoot\x00\x01" "A\x0C\xFF\xFF\xFF\x7F", 17);
    EXPECT_THROW(binarystream::read(hugeLength), EStreamError);
    QByteArray deep = QByteArray("TPF0\x05TRoot\x00\x01" "A", 11);
    deep += QByteArray(100000, '\x01');
    EXPECT_THROW(binarystream::read(deep), EStreamError);
}

} // namespace

namespace {

// Every byte of the 8-bit form, in short and long strings, reads and writes back unchanged,
// the five bytes the code page leaves undefined included.
TEST(BinaryValue, EveryEightBitByteRoundTripsExactly)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (const QByteArray& payload : {all.left(255), all}) {
        QByteArray stored;
        if (payload.size() <= 255)
            stored = bytes({6, int(payload.size())}) + payload;
        else
            stored = bytes({12, int(payload.size() & 0xFF), int(payload.size() >> 8), 0, 0}) + payload;
        const TStreamValue value = decode(stored);
        EXPECT_EQ(value.text().at(0x80), QChar(0x20AC));
        EXPECT_EQ(value.text().at(0x81), QChar(0x81));
        EXPECT_EQ(encode(value).toHex(), stored.toHex());
    }
}

} // namespace
