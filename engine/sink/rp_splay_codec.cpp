#include "engine/sink/rp_splay_codec.h"

TRpSplayTree::TRpSplayTree()
{
    m_up[0] = 0;
    for (int node = 1; node < kNodeCount; ++node)
        m_up[node] = static_cast<std::int16_t>((node - 1) / 2);
    for (int node = 0; node < kInternalNodes; ++node) {
        m_left[node] = static_cast<std::int16_t>(2 * node + 1);
        m_right[node] = static_cast<std::int16_t>(2 * node + 2);
    }
}

void TRpSplayTree::splay(std::uint8_t value)
{
    int node = value + kFirstLeaf;
    do {
        const int parentNode = m_up[node];
        if (parentNode == 0) {
            node = parentNode;
            continue;
        }
        // Swap the node with its parent's sibling: the node moves one level up.
        const int grandParent = m_up[parentNode];
        int uncle = m_left[grandParent];
        if (parentNode == uncle) {
            uncle = m_right[grandParent];
            m_right[grandParent] = static_cast<std::int16_t>(node);
        } else {
            m_left[grandParent] = static_cast<std::int16_t>(node);
        }
        if (m_left[parentNode] == node)
            m_left[parentNode] = static_cast<std::int16_t>(uncle);
        else
            m_right[parentNode] = static_cast<std::int16_t>(uncle);
        m_up[node] = static_cast<std::int16_t>(grandParent);
        m_up[uncle] = static_cast<std::int16_t>(parentNode);
        node = grandParent;
    } while (node != 0);
}

void TRpSplayEncoder::encode(std::uint8_t value)
{
    // The path is found leaf to root and sent root to leaf.
    std::array<bool, TRpSplayTree::kNodeCount> path{};
    int length = 0;
    int node = value + TRpSplayTree::kFirstLeaf;
    while (node != 0) {
        const int parentNode = m_tree.parent(node);
        path[length++] = m_tree.right(parentNode) == node;
        node = parentNode;
    }
    while (length > 0)
        putBit(path[--length]);
    m_tree.splay(value);
}

void TRpSplayEncoder::encode(QByteArrayView bytes)
{
    for (char byte : bytes)
        encode(static_cast<std::uint8_t>(byte));
}

void TRpSplayEncoder::putBit(bool bit)
{
    if (bit)
        m_pending = static_cast<std::uint8_t>(m_pending | (1u << m_pendingBits));
    if (++m_pendingBits == 8) {
        m_output.append(static_cast<char>(m_pending));
        m_pending = 0;
        m_pendingBits = 0;
    }
}

QByteArray TRpSplayEncoder::finish()
{
    if (m_pendingBits > 0) {
        m_output.append(static_cast<char>(m_pending));
        m_pending = 0;
        m_pendingBits = 0;
    }
    return std::move(m_output);
}

std::optional<bool> TRpSplayDecoder::nextBit()
{
    const qsizetype byteIndex = m_bitIndex / 8;
    if (byteIndex >= m_coded.size())
        return std::nullopt;
    const auto byte = static_cast<std::uint8_t>(m_coded[byteIndex]);
    const bool bit = (byte >> (m_bitIndex % 8)) & 1u;
    ++m_bitIndex;
    return bit;
}

std::optional<std::uint8_t> TRpSplayDecoder::decode()
{
    int node = 0;
    while (node < TRpSplayTree::kFirstLeaf) {
        const std::optional<bool> bit = nextBit();
        if (!bit)
            return std::nullopt;
        node = *bit ? m_tree.right(node) : m_tree.left(node);
    }
    const int value = node - TRpSplayTree::kFirstLeaf;
    if (value > 255)
        return std::nullopt;
    m_tree.splay(static_cast<std::uint8_t>(value));
    return static_cast<std::uint8_t>(value);
}

QByteArray splayEncode(QByteArrayView plain)
{
    TRpSplayEncoder encoder;
    encoder.encode(plain);
    return encoder.finish();
}

std::optional<QByteArray> splayDecode(QByteArrayView coded, qsizetype count)
{
    // Every code is at least one bit long, which bounds what honest data can hold.
    if (count < 0 || count > coded.size() * 8)
        return std::nullopt;
    TRpSplayDecoder decoder(coded);
    QByteArray plain(count, Qt::Uninitialized);
    for (qsizetype index = 0; index < count; ++index) {
        const std::optional<std::uint8_t> value = decoder.decode();
        if (!value)
            return std::nullopt;
        plain[index] = static_cast<char>(*value);
    }
    return plain;
}
