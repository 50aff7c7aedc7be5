// The splay-tree code: the exact initial tree, the bit order, and round trips.
#include "engine/sink/rp_splay_codec.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace {

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

TEST(SplayTree, StartsAsTheHeapLayoutWithLeavesAfterTheInternalNodes)
{
    const TRpSplayTree tree;
    for (int node = 1; node < TRpSplayTree::kNodeCount; ++node)
        ASSERT_EQ(tree.parent(node), (node - 1) / 2) << node;
    for (int node = 0; node < TRpSplayTree::kInternalNodes; ++node) {
        ASSERT_EQ(tree.left(node), 2 * node + 1) << node;
        ASSERT_EQ(tree.right(node), 2 * node + 2) << node;
    }
}

TEST(SplayTree, SplayingALeafBringsItToDepthFour)
{
    // Byte 0 is leaf 256 at depth 8; one semi-splay halves its depth.
    TRpSplayTree tree;
    tree.splay(0);
    int depth = 0;
    for (int node = 256; node != 0; node = tree.parent(node))
        ++depth;
    EXPECT_EQ(depth, 4);
    EXPECT_EQ(tree.parent(256), 63);
    EXPECT_EQ(tree.right(63), 256);
}

struct CodeCase {
    const char* name;
    QByteArray plain;
    QByteArray coded;
};

class SplayFirstCodes : public ::testing::TestWithParam<CodeCase> {};

// From the initial tree the code of byte b < 255 is the 8-bit path of leaf b + 256,
// i.e. the bits of b + 1 sent from the most significant one, packed from bit 0 up.
TEST_P(SplayFirstCodes, MatchTheInitialTreeAndTheBitOrder)
{
    const CodeCase& c = GetParam();
    EXPECT_EQ(splayEncode(c.plain).toHex(), c.coded.toHex());
    EXPECT_EQ(splayDecode(c.coded, c.plain.size()), c.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SplayFirstCodes,
    ::testing::Values(
        CodeCase{"zero", bytesOf({0}), bytesOf({0x80})},            // path 00000001
        CodeCase{"one", bytesOf({1}), bytesOf({0x40})},             // path 00000010
        CodeCase{"A", bytesOf({'A'}), bytesOf({0x42})},             // 0x42 = 01000010, reversed
        CodeCase{"b254", bytesOf({254}), bytesOf({0xff})},          // path 11111111
        CodeCase{"b255", bytesOf({255}), bytesOf({0x00, 0x00})},    // nine left turns
        CodeCase{"zeroTwice", bytesOf({0, 0}), bytesOf({0x80, 0x0f})}), // then path 1111
    [](const auto& info) { return std::string(info.param.name); });

TEST(SplayCodec, RoundTripsEdgeData)
{
    QByteArray allValues;
    for (int value = 0; value < 256; ++value)
        allValues.append(static_cast<char>(value));
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray(1, '\xff'),
        QByteArray(100000, '\0'),
        QByteArray(4096, '\xff'),
        allValues,
        allValues.repeated(40),
        QByteArray("QPIC").repeated(1000),
    };
    for (const QByteArray& plain : cases) {
        const QByteArray coded = splayEncode(plain);
        EXPECT_EQ(splayDecode(coded, plain.size()), plain) << plain.size();
    }
}

TEST(SplayCodec, RoundTripsRandomData)
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray plain(random.bounded(1, 5000), Qt::Uninitialized);
        const int alphabet = random.bounded(1, 257); // skewed and uniform inputs alike
        for (char& byte : plain)
            byte = static_cast<char>(random.bounded(alphabet));
        ASSERT_EQ(splayDecode(splayEncode(plain), plain.size()), plain) << round;
    }
}

TEST(SplayCodec, CompressesRepetitiveData)
{
    const QByteArray plain = QByteArray(100000, 'x');
    EXPECT_LT(splayEncode(plain).size(), plain.size() / 6);
}

TEST(SplayCodec, DecodingRefusesDataThatRunsOut)
{
    const QByteArray plain = QByteArray("page picture bytes").repeated(20);
    const QByteArray coded = splayEncode(plain);
    EXPECT_FALSE(splayDecode(coded.left(coded.size() / 2), plain.size()).has_value());
    EXPECT_FALSE(splayDecode(QByteArray(), 1).has_value());
    EXPECT_FALSE(splayDecode(coded, -1).has_value());
    // More bytes than the bits could ever hold is refused before decoding starts.
    EXPECT_FALSE(splayDecode(coded, coded.size() * 8 + 1).has_value());
}

TEST(SplayCodec, DecodingRefusesTheUnusedLeaf)
{
    // Leaf 512 is the right child of node 255, reached by eight left turns and a right one.
    EXPECT_FALSE(splayDecode(bytesOf({0x00, 0x01}), 1).has_value());
    EXPECT_EQ(splayDecode(bytesOf({0x00, 0x00}), 1), bytesOf({255}));
}

TEST(SplayCodec, EncoderFlushesThePartialByteOnlyAtTheEnd)
{
    TRpSplayEncoder encoder;
    encoder.encode(0);
    encoder.encode(0);
    EXPECT_EQ(encoder.finish(), bytesOf({0x80, 0x0f}));
}

} // namespace
