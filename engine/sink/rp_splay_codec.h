// Adaptive splay-tree prefix code (D. W. Jones) used to compress prepared report pages.
//
// The tree has 513 nodes: internal nodes 0..255 (node 0 is the root) and leaves
// 256..512, of which 256..511 stand for the byte values 0..255. Each coded byte is the
// path from the root to its leaf (1 = right, 0 = left), after which the leaf is
// semi-splayed towards the root, so frequent bytes get short codes. Bits are packed into
// bytes starting at the least significant bit.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>

class TRpSplayTree {
public:
    static constexpr int kInternalNodes = 256;
    static constexpr int kFirstLeaf = 256;
    static constexpr int kNodeCount = 513;

    TRpSplayTree();

    int parent(int node) const { return m_up[node]; }
    int left(int internalNode) const { return m_left[internalNode]; }
    int right(int internalNode) const { return m_right[internalNode]; }

    // Moves the leaf of byte value towards the root by semi-splaying.
    void splay(std::uint8_t value);

private:
    std::array<std::int16_t, kNodeCount> m_up{};
    std::array<std::int16_t, kInternalNodes> m_left{};
    std::array<std::int16_t, kInternalNodes> m_right{};
};

// Codes bytes one after another; the final partial byte is written by finish().
class TRpSplayEncoder {
public:
    void encode(std::uint8_t value);
    void encode(QByteArrayView bytes);
    // Flushes the last partial byte and hands out the coded bytes.
    QByteArray finish();

private:
    void putBit(bool bit);

    TRpSplayTree m_tree;
    QByteArray m_output;
    std::uint8_t m_pending = 0;
    int m_pendingBits = 0;
};

// Decodes from a coded buffer; the buffer must outlive the decoder.
class TRpSplayDecoder {
public:
    explicit TRpSplayDecoder(QByteArrayView coded) : m_coded(coded) {}

    // The next byte, or nothing when the bits run out or the code reaches the unused leaf.
    std::optional<std::uint8_t> decode();

private:
    std::optional<bool> nextBit();

    TRpSplayTree m_tree;
    QByteArrayView m_coded;
    qsizetype m_bitIndex = 0;
};

QByteArray splayEncode(QByteArrayView plain);
// Decodes exactly count bytes; nothing when the coded data is too short or invalid.
std::optional<QByteArray> splayDecode(QByteArrayView coded, qsizetype count);
