#include "core/stream/stored_text.h"

#include "core/settings/ansi_text.h"

#include <QHash>

#include <array>

namespace storedtext {

namespace {

struct CodePage {
    std::array<QChar, 256> characters;
    QHash<char16_t, quint8> bytes; // characters from 0x80 upward
};

// The table is taken from the code page's codec once; a byte the codec does not
// define keeps the character of its own code.
CodePage buildCodePage()
{
    CodePage page;
    for (int byte = 0; byte < 256; ++byte) {
        const char raw = char(byte);
        const QString decoded = decodeWindows1252(QByteArrayView(&raw, 1));
        const bool defined = decoded.size() == 1 && decoded.at(0) != QChar::ReplacementCharacter;
        page.characters[byte] = defined && byte >= 0x80 ? decoded.at(0) : QChar(char16_t(byte));
    }
    for (int byte = 0x80; byte < 256; ++byte)
        page.bytes.insert(page.characters[byte].unicode(), quint8(byte));
    return page;
}

const CodePage& codePage()
{
    static const CodePage page = buildCodePage();
    return page;
}

} // namespace

QChar decodeByte(quint8 byte)
{
    return codePage().characters[byte];
}

QString decode(QByteArrayView bytes)
{
    const CodePage& page = codePage();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = page.characters[quint8(bytes[i])];
    return text;
}

std::optional<quint8> byteOf(QChar c)
{
    if (c.unicode() < 0x80)
        return quint8(c.unicode());
    const CodePage& page = codePage();
    const auto found = page.bytes.constFind(c.unicode());
    if (found == page.bytes.constEnd())
        return std::nullopt;
    return *found;
}

bool fitsEightBit(QStringView text)
{
    for (QChar c : text) {
        if (!byteOf(c))
            return false;
    }
    return true;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = char(byteOf(text[i]).value_or(quint8('?')));
    return bytes;
}

} // namespace storedtext
