#include "core/stream/binary_stream.h"
#include "core/stream/form_conversion.h"
#include "core/stream/stream_error.h"
#include "core/stream/text_stream.h"

#include <gtest/gtest.h>

namespace {

TStreamObject objectWith(const QString& path, const TStreamValue& value)
{
    TStreamObject object;
    object.className = QStringLiteral("TThing");
    object.name = QStringLiteral("Thing1");
    object.properties.append({path, value});
    return object;
}

// The text of one property of an object at the top level.
QByteArray propertyText(const TStreamValue& value)
{
    const QByteArray text = textstream::write(objectWith(QStringLiteral("P"), value));
    const QByteArray head = "object Thing1: TThing\r\n  P = ";
    const QByteArray tail = "\r\nend\r\n";
    EXPECT_TRUE(text.startsWith(head)) << text.constData();
    EXPECT_TRUE(text.endsWith(tail)) << text.constData();
    return text.mid(head.size(), text.size() - head.size() - tail.size());
}

struct TextCase {
    const char* label;
    TStreamValue value;
    const char* text;
};

class TextValue : public testing::TestWithParam<TextCase> {};

TEST_P(TextValue, IsWrittenAsGivenAndReadBackToTheSameValue)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(propertyText(c.value), QByteArray(c.text));
    const TStreamObject back = textstream::read(textstream::write(objectWith(QStringLiteral("P"), c.value)));
    ASSERT_EQ(back.properties.size(), 1);
    EXPECT_EQ(back.properties[0].second, c.value);
}

QString seventy()
{
    QString text;
    for (int i = 0; i < 70; ++i)
        text += QChar(u'a' + i % 26);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, TextValue,
    testing::Values(
        TextCase{"integer", TStreamValue::integer(-70000), "-70000"},
        TextCase{"int64", TStreamValue::integer(qint64(1) << 40), "1099511627776"},
        TextCase{"extended", TStreamValue::extended(2.5L), "2.5"},
        TextCase{"extendedExponent", TStreamValue::extended(1e-10L), "1e-10"},
        TextCase{"extendedWhole", TStreamValue::extended(100.0L), "100.0"},
        TextCase{"single", TStreamValue::single(1.25f), "1.25s"},
        TextCase{"currency", TStreamValue::currency(-123450), "-12.345c"},
        TextCase{"date", TStreamValue::date(36526.5), "36526.5d"},
        TextCase{"empty", TStreamValue::string(QString()), "''"},
        TextCase{"codes", TStreamValue::string(QStringLiteral("it's\r\n")), "'it'#39's'#13#10"},
        TextCase{"wide", TStreamValue::string(QString::fromUtf16(u"a\u03A9b")), "'a'#937'b'"},
        TextCase{"euroAndQuotesAreEightBit", TStreamValue::string(QString::fromUtf16(u"\u20AC \u201Cq\u201D")),
                 "'\x80 \x93q\x94'"},
        TextCase{"controlCharacterOfTheEuroCode", TStreamValue::string(QString(QChar(0x80))), "#128"},
        TextCase{"latin1", TStreamValue::string(QString::fromLatin1("caf\xe9")), "'caf\xe9'"},
        TextCase{"ident", TStreamValue::identifier(QStringLiteral("DM.Customers")), "DM.Customers"},
        TextCase{"true", TStreamValue::boolean(true), "True"},
        TextCase{"nil", TStreamValue::nil(), "nil"},
        TextCase{"set", TStreamValue::set({QStringLiteral("fsBold"), QStringLiteral("fsItalic")}), "[fsBold, fsItalic]"},
        TextCase{"emptySet", TStreamValue::set({}), "[]"},
        TextCase{"list",
                 TStreamValue::list({TStreamValue::string(QStringLiteral("a")), TStreamValue::integer(2)}),
                 "(\r\n    'a'\r\n    2)"},
        TextCase{"collection",
                 TStreamValue::collection({{std::nullopt, {{QStringLiteral("Width"), TStreamValue::integer(5)}}},
                                           {7, {}}}),
                 "<\r\n    item\r\n      Width = 5\r\n    end\r\n    item [7]\r\n    end>"},
        TextCase{"shortBinary", TStreamValue::binary(QByteArray("\x0A\xFF", 2)), "{0AFF}"},
        TextCase{"string70", TStreamValue::string(seventy()),
                 "\r\n    'abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijkl' +\r\n    'mnopqr'"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.label); });

TEST(TextStream, BinaryOfThirtyTwoBytesOrMoreStartsEveryChunkOnItsOwnLine)
{
    QByteArray bytes;
    for (int i = 0; i < 40; ++i)
        bytes.append(char(i));
    const QByteArray text = propertyText(TStreamValue::binary(bytes));
    EXPECT_EQ(text, "{\r\n    " + bytes.left(32).toHex().toUpper() + "\r\n    " + bytes.mid(32).toHex().toUpper() + "}");
}

TEST(TextStream, ObjectHeadersNestingAndIndentation)
{
    TStreamObject root;
    root.className = QStringLiteral("TForm1");
    root.name = QStringLiteral("Form1");
    TStreamObject inherited;
    inherited.className = QStringLiteral("TPanel");
    inherited.name = QStringLiteral("Panel1");
    inherited.flags = TStreamObject::Inherited | TStreamObject::ChildPosition;
    inherited.position = 3;
    TStreamObject unnamed;
    unnamed.className = QStringLiteral("TLink");
    unnamed.flags = TStreamObject::Inline;
    unnamed.properties.append({QStringLiteral("Frame.DrawTop"), TStreamValue::boolean(true)});
    inherited.children.push_back(unnamed);
    root.children.push_back(inherited);

    EXPECT_EQ(textstream::write(root), QByteArray("object Form1: TForm1\r\n"
                                                  "  inherited Panel1: TPanel [3]\r\n"
                                                  "    inline TLink\r\n"
                                                  "      Frame.DrawTop = True\r\n"
                                                  "    end\r\n"
                                                  "  end\r\n"
                                                  "end\r\n"));
    const TStreamObject back = textstream::read(textstream::write(root));
    EXPECT_EQ(binarystream::write(back), binarystream::write(root));
}

TEST(TextStream, ReaderAcceptsTheLooserGrammar)
{
    const QByteArray text = "OBJECT TThing\n"
                            "  S = 'one' + \n   #65'two'\n"
                            "  C = 1.23456c\n"
                            "  F = 2.5D\n"
                            "  N = [1, fsBold]\n"
                            "  H = $10\n"
                            "  Q = 'it''s'\n"
                            "  B = { 0a ff }\n"
                            "END";
    const TStreamObject object = textstream::read(text);
    EXPECT_EQ(object.className, QStringLiteral("TThing"));
    EXPECT_TRUE(object.name.isEmpty());
    ASSERT_EQ(object.properties.size(), 7);
    EXPECT_EQ(object.properties[0].second.text(), QStringLiteral("oneAtwo"));
    EXPECT_EQ(object.properties[1].second, TStreamValue::currency(12346));
    EXPECT_EQ(object.properties[2].second, TStreamValue::date(2.5));
    EXPECT_EQ(object.properties[3].second.names(), (QStringList{QStringLiteral("1"), QStringLiteral("fsBold")}));
    EXPECT_EQ(object.properties[4].second, TStreamValue::integer(16));
    EXPECT_EQ(object.properties[5].second.text(), QStringLiteral("it's"));
    EXPECT_EQ(object.properties[6].second.bytes(), QByteArray("\x0a\xff", 2));
}

TEST(TextStream, ReaderRejectsBadText)
{
    const char* cases[] = {
        "object T\n  P = \nend",         // no value
        "object T\n  P = @\nend",        // not a value
        "object T\n  P = 'open\nend",    // unterminated string
        "object T\n  P = 'a' +\nend",    // "+" without a next piece
        "object T\n  P = (1 2\n",        // unterminated list
        "object T\n  P = {ABC}\nend",    // odd hex digits
        "object T\n  P = #70000\nend",   // character code too large
        "object T\n  P = 1\n",           // no end
        "thing T\nend",                  // no object keyword
        "object : T\nend",               // no class
    };
    for (const char* text : cases)
        EXPECT_THROW(textstream::read(QByteArray(text)), EStreamError) << text;
    try {
        textstream::read("object T\n  P = @\nend");
    } catch (const EStreamError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Line 2: Invalid property value"));
    }
}

TEST(TextStream, DeepNestingIsRefused)
{
    QByteArray text = "object T\n  P = " + QByteArray(5000, '(') + QByteArray(5000, ')') + "\nend";
    EXPECT_THROW(textstream::read(text), EStreamError);
}

TEST(FormConversion, BinaryToTextToBinaryGivesTheSameBytes)
{
    TStreamObject root;
    root.className = QStringLiteral("TRoot");
    root.name = QStringLiteral("Root");
    const QList<TStreamValue> values = {
        TStreamValue::integer(0), TStreamValue::integer(-129), TStreamValue::integer(1 << 20),
        TStreamValue::integer(-(qint64(1) << 50)), TStreamValue::extended(0.1L), TStreamValue::extended(1.0L / 3),
        TStreamValue::extended(static_cast<long double>(264.58333333333337)), TStreamValue::extended(-1e300L),
        TStreamValue::single(0.1f), TStreamValue::currency(-1), TStreamValue::date(45000.123456789),
        TStreamValue::string(QString(300, u'q')), TStreamValue::string(QString::fromUtf16(u"\u00e9\u4e2d\U0001F600")),
        TStreamValue::identifier(QStringLiteral("clBtnFace")), TStreamValue::boolean(false), TStreamValue::nil(),
        TStreamValue::binary(QByteArray(100, '\x5a')), TStreamValue::binary(QByteArray()),
        TStreamValue::set({QStringLiteral("a")}),
        TStreamValue::list({TStreamValue::list({}), TStreamValue::string(seventy())}),
        TStreamValue::collection({{1, {{QStringLiteral("Deep"), TStreamValue::list({TStreamValue::integer(3)})}}}})};
    for (int i = 0; i < values.size(); ++i)
        root.properties.append({QStringLiteral("P%1").arg(i), values[i]});
    TStreamObject child;
    child.className = QStringLiteral("TChild");
    child.properties.append({QStringLiteral("Lines.Strings"), TStreamValue::list({TStreamValue::string(QStringLiteral("x"))})});
    root.children.push_back(child);

    const QByteArray binary = binarystream::write(root);
    const QByteArray text = formconversion::binaryToText(binary);
    EXPECT_EQ(formconversion::textToBinary(text).toHex(), binary.toHex()) << text.constData();
}

} // namespace

namespace {

TEST(TextStream, ChildHeaderWithNameClassAndPosition)
{
    const TStreamObject object = textstream::read("object TThing\n  inherited Named: TOther [2] End\nend");
    ASSERT_EQ(object.children.size(), 1u);
    const TStreamObject& child = object.children[0];
    EXPECT_EQ(child.name, QStringLiteral("Named"));
    EXPECT_EQ(child.className, QStringLiteral("TOther"));
    EXPECT_EQ(child.flags, TStreamObject::Inherited | TStreamObject::ChildPosition);
    EXPECT_EQ(child.position, 2);
}

} // namespace

namespace {

// Every byte of a stored 8-bit string survives binary to text to binary, and a text file
// of an older version, holding the bytes between quotes, reads them as the code page's.
TEST(FormConversion, EveryEightBitByteSurvivesTheTextForm)
{
    QByteArray payload;
    for (int b = 0; b < 256; ++b)
        payload.append(char(b));
    TByteWriter writer;
    writer.writeBytes("TPF0");
    writer.writeShortString(QStringLiteral("TRoot"));
    writer.writeShortString(QStringLiteral("Root"));
    writer.writeShortString(QStringLiteral("Caption"));
    writer.writeByte(12);
    writer.writeInt32(qint32(payload.size()));
    writer.writeBytes(payload);
    writer.writeByte(0);
    writer.writeByte(0);
    const QByteArray binary = writer.take();
    const QByteArray text = formconversion::binaryToText(binary);
    EXPECT_TRUE(text.contains("\x80\x81\x82")) << "8-bit bytes are written between quotes";
    EXPECT_EQ(formconversion::textToBinary(text).toHex(), binary.toHex());

    const TStreamObject old = textstream::read("object Root: TRoot\r\n  Caption = '\x80 caf\xe9 \x93x\x94 \x96'\r\nend\r\n");
    ASSERT_EQ(old.properties.size(), 1);
    EXPECT_EQ(old.properties[0].second.text(), QString::fromUtf16(u"\u20AC caf\u00E9 \u201Cx\u201D \u2013"));
}

} // namespace
