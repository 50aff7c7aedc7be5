// Reading the text form into an object record.
#include "core/stream/binary_stream.h"
#include "core/stream/float_text.h"
#include "core/stream/stream_error.h"
#include "core/stream/stored_text.h"
#include "core/stream/text_stream.h"

namespace textstream {

namespace {

using Type = TStreamValue::Type;

enum class Token { End, Symbol, Identifier, String, Integer, Float };

bool isIdentStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isIdentChar(char c)
{
    return isIdentStart(c) || (c >= '0' && c <= '9');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Splits the text into the tokens of the grammar, the way the reader asks for them.
class Lexer {
public:
    explicit Lexer(const QByteArray& text) : m_text(text) { next(); }

    Token token() const { return m_token; }
    char symbol() const { return m_symbol; }
    const QByteArray& word() const { return m_word; }
    const QString& string() const { return m_string; }
    qint64 integer() const { return m_integer; }
    char floatSuffix() const { return m_suffix; }
    int line() const { return m_line; }

    bool isSymbol(char c) const { return m_token == Token::Symbol && m_symbol == c; }
    bool isWord(const char* word) const
    {
        return m_token == Token::Identifier && m_word.compare(word, Qt::CaseInsensitive) == 0;
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw EStreamError(QStringLiteral("Line %1: %2").arg(m_line).arg(what));
    }

    void next()
    {
        skipSpace();
        m_word.clear();
        m_suffix = 0;
        if (m_pos >= m_text.size()) {
            m_token = Token::End;
            return;
        }
        const char c = m_text.at(m_pos);
        if (isIdentStart(c))
            readIdentifier();
        else if (c == '\'' || c == '#')
            readString();
        else if (isDigit(c) || c == '$' || ((c == '-' || c == '+') && startsNumber(m_pos + 1)))
            readNumber();
        else {
            m_token = Token::Symbol;
            m_symbol = c;
            ++m_pos;
        }
    }

    // The hexadecimal digits of a binary block, up to (not including) the closing "}".
    QByteArray readHexBlock()
    {
        QByteArray hex;
        for (;;) {
            skipSpace();
            if (m_pos >= m_text.size())
                fail(QStringLiteral("\"}\" expected"));
            const char c = m_text.at(m_pos);
            if (c == '}')
                break;
            if (!isHexDigit(c))
                fail(QStringLiteral("Invalid binary value"));
            hex += c;
            ++m_pos;
        }
        if (hex.size() % 2 != 0)
            fail(QStringLiteral("Invalid binary value"));
        return QByteArray::fromHex(hex);
    }

private:
    bool startsNumber(qsizetype pos) const
    {
        return pos < m_text.size() && (isDigit(m_text.at(pos)) || m_text.at(pos) == '$');
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && quint8(m_text.at(m_pos)) <= ' ') {
            if (m_text.at(m_pos) == '\n')
                ++m_line;
            ++m_pos;
        }
    }

    void readIdentifier()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size()) {
            const char c = m_text.at(m_pos);
            if (isIdentChar(c))
                ++m_pos;
            else if (c == '.' && m_pos + 1 < m_text.size() && isIdentStart(m_text.at(m_pos + 1)))
                ++m_pos;
            else
                break;
        }
        m_word = m_text.mid(start, m_pos - start);
        m_token = Token::Identifier;
    }

    // Quoted runs and "#" codes written together form one string token.
    void readString()
    {
        m_string.clear();
        for (;;) {
            if (m_pos >= m_text.size())
                break;
            const char c = m_text.at(m_pos);
            if (c == '\'') {
                ++m_pos;
                for (;;) {
                    if (m_pos >= m_text.size() || m_text.at(m_pos) == '\n' || m_text.at(m_pos) == '\r')
                        fail(QStringLiteral("Unterminated string"));
                    const char s = m_text.at(m_pos++);
                    if (s == '\'') {
                        if (m_pos < m_text.size() && m_text.at(m_pos) == '\'') {
                            m_string += QLatin1Char('\'');
                            ++m_pos;
                            continue;
                        }
                        break;
                    }
                    m_string += storedtext::decodeByte(quint8(s));
                }
            } else if (c == '#') {
                ++m_pos;
                m_string += QChar(char16_t(readCharCode()));
            } else {
                break;
            }
        }
        m_token = Token::String;
    }

    uint readCharCode()
    {
        const bool hex = m_pos < m_text.size() && m_text.at(m_pos) == '$';
        if (hex)
            ++m_pos;
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (hex ? isHexDigit(m_text.at(m_pos)) : isDigit(m_text.at(m_pos))))
            ++m_pos;
        bool ok = false;
        const uint code = m_text.mid(start, m_pos - start).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code > 0xFFFF)
            fail(QStringLiteral("Invalid character code"));
        return code;
    }

    void readNumber()
    {
        const qsizetype start = m_pos;
        if (m_text.at(m_pos) == '-' || m_text.at(m_pos) == '+')
            ++m_pos;
        if (m_pos < m_text.size() && m_text.at(m_pos) == '$') {
            readHexNumber(start);
            return;
        }
        bool isFloat = false;
        auto digits = [&] {
            while (m_pos < m_text.size() && isDigit(m_text.at(m_pos)))
                ++m_pos;
        };
        digits();
        if (m_pos < m_text.size() && m_text.at(m_pos) == '.') {
            isFloat = true;
            ++m_pos;
            digits();
        }
        if (m_pos < m_text.size() && (m_text.at(m_pos) == 'e' || m_text.at(m_pos) == 'E')) {
            const qsizetype mark = m_pos++;
            if (m_pos < m_text.size() && (m_text.at(m_pos) == '-' || m_text.at(m_pos) == '+'))
                ++m_pos;
            if (m_pos < m_text.size() && isDigit(m_text.at(m_pos))) {
                isFloat = true;
                digits();
            } else {
                m_pos = mark;
            }
        }
        m_word = m_text.mid(start, m_pos - start);
        if (m_pos < m_text.size()) {
            const char s = char(m_text.at(m_pos) | 0x20);
            if (s == 's' || s == 'c' || s == 'd') {
                m_suffix = s;
                isFloat = true;
                ++m_pos;
            }
        }
        if (isFloat) {
            m_token = Token::Float;
            return;
        }
        bool ok = false;
        m_integer = m_word.toLongLong(&ok);
        if (!ok) {
            // Too large for an integer: read as a float instead.
            m_token = Token::Float;
            return;
        }
        m_token = Token::Integer;
    }

    void readHexNumber(qsizetype start)
    {
        const bool negative = m_text.at(start) == '-';
        const qsizetype digitsStart = ++m_pos;
        while (m_pos < m_text.size() && isHexDigit(m_text.at(m_pos)))
            ++m_pos;
        bool ok = false;
        const quint64 value = m_text.mid(digitsStart, m_pos - digitsStart).toULongLong(&ok, 16);
        if (!ok)
            fail(QStringLiteral("Invalid property value"));
        m_integer = negative ? qint64(0 - value) : qint64(value);
        m_token = Token::Integer;
    }

    const QByteArray& m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    Token m_token = Token::End;
    char m_symbol = 0;
    char m_suffix = 0;
    QByteArray m_word;
    QString m_string;
    qint64 m_integer = 0;
};

class Parser {
public:
    explicit Parser(const QByteArray& text) : m_lexer(text) {}

    TStreamObject readRoot()
    {
        TStreamObject root = readObject();
        return root;
    }

private:
    class Depth {
    public:
        explicit Depth(Parser& parser) : m_parser(parser)
        {
            if (++m_parser.m_depth > binarystream::kMaxDepth)
                m_parser.m_lexer.fail(QStringLiteral("Nesting too deep"));
        }
        ~Depth() { --m_parser.m_depth; }

    private:
        Parser& m_parser;
    };

    bool atObjectStart() const
    {
        return m_lexer.isWord("object") || m_lexer.isWord("inherited") || m_lexer.isWord("inline");
    }

    QString expectIdentifier(const char* what)
    {
        if (m_lexer.token() != Token::Identifier)
            m_lexer.fail(QStringLiteral("%1 expected").arg(QLatin1String(what)));
        const QString word = QString::fromLatin1(m_lexer.word());
        m_lexer.next();
        return word;
    }

    void expectSymbol(char c)
    {
        if (!m_lexer.isSymbol(c))
            m_lexer.fail(QStringLiteral("\"%1\" expected").arg(QLatin1Char(c)));
        m_lexer.next();
    }

    qint64 expectInteger()
    {
        if (m_lexer.token() != Token::Integer)
            m_lexer.fail(QStringLiteral("Integer expected"));
        const qint64 value = m_lexer.integer();
        m_lexer.next();
        return value;
    }

    TStreamObject readObject()
    {
        Depth depth(*this);
        TStreamObject object;
        if (m_lexer.isWord("inherited"))
            object.flags |= TStreamObject::Inherited;
        else if (m_lexer.isWord("inline"))
            object.flags |= TStreamObject::Inline;
        else if (!m_lexer.isWord("object"))
            m_lexer.fail(QStringLiteral("\"object\" expected"));
        m_lexer.next();
        const QString first = expectIdentifier("Class name");
        if (m_lexer.isSymbol(':')) {
            m_lexer.next();
            object.name = first;
            object.className = expectIdentifier("Class name");
        } else {
            object.className = first;
        }
        if (m_lexer.isSymbol('[')) {
            m_lexer.next();
            object.flags |= TStreamObject::ChildPosition;
            object.position = expectInteger();
            expectSymbol(']');
        }
        readProperties(object.properties, /*inItem=*/false);
        while (atObjectStart())
            object.children.push_back(readObject());
        if (!m_lexer.isWord("end"))
            m_lexer.fail(QStringLiteral("\"end\" expected"));
        m_lexer.next();
        return object;
    }

    void readProperties(QList<std::pair<QString, TStreamValue>>& properties, bool inItem)
    {
        while (m_lexer.token() == Token::Identifier && !m_lexer.isWord("end") && (inItem || !atObjectStart())) {
            QString path = expectIdentifier("Property name");
            expectSymbol('=');
            properties.append({std::move(path), readValue()});
        }
    }

    [[noreturn]] void invalidValue() const { m_lexer.fail(QStringLiteral("Invalid property value")); }

    TStreamValue readValue()
    {
        Depth depth(*this);
        switch (m_lexer.token()) {
        case Token::String:
            return readString();
        case Token::Integer: {
            const qint64 value = m_lexer.integer();
            m_lexer.next();
            return TStreamValue::integer(value);
        }
        case Token::Float:
            return readFloat();
        case Token::Identifier:
            return readIdentifierValue();
        case Token::Symbol:
            return readBracketed();
        case Token::End:
            break;
        }
        invalidValue();
    }

    TStreamValue readString()
    {
        QString text = m_lexer.string();
        m_lexer.next();
        while (m_lexer.isSymbol('+')) {
            m_lexer.next();
            if (m_lexer.token() != Token::String)
                invalidValue();
            text += m_lexer.string();
            m_lexer.next();
        }
        return TStreamValue::string(text);
    }

    TStreamValue readFloat()
    {
        const QByteArray text = m_lexer.word();
        const char suffix = m_lexer.floatSuffix();
        m_lexer.next();
        if (suffix == 'c') {
            const auto scaled = floattext::parseCurrency(text);
            if (!scaled)
                invalidValue();
            return TStreamValue::currency(*scaled);
        }
        const auto value = floattext::parse(text);
        if (!value)
            invalidValue();
        if (suffix == 's')
            return TStreamValue::single(float(*value));
        if (suffix == 'd')
            return TStreamValue::date(double(*value));
        return TStreamValue::extended(*value);
    }

    TStreamValue readIdentifierValue()
    {
        const QByteArray word = m_lexer.word();
        m_lexer.next();
        if (word.compare("True", Qt::CaseInsensitive) == 0)
            return TStreamValue::boolean(true);
        if (word.compare("False", Qt::CaseInsensitive) == 0)
            return TStreamValue::boolean(false);
        if (word.compare("nil", Qt::CaseInsensitive) == 0)
            return TStreamValue::nil();
        return TStreamValue::identifier(QString::fromLatin1(word));
    }

    TStreamValue readBracketed()
    {
        const char open = m_lexer.symbol();
        if (open == '{') {
            const QByteArray bytes = m_lexer.readHexBlock();
            m_lexer.next(); // the "}"
            m_lexer.next();
            return TStreamValue::binary(bytes);
        }
        if (open != '(' && open != '[' && open != '<')
            invalidValue();
        m_lexer.next();
        if (open == '(')
            return readList();
        if (open == '[')
            return readSet();
        return readCollection();
    }

    TStreamValue readList()
    {
        QList<TStreamValue> items;
        while (!m_lexer.isSymbol(')')) {
            if (m_lexer.token() == Token::End)
                m_lexer.fail(QStringLiteral("\")\" expected"));
            items.append(readValue());
        }
        m_lexer.next();
        return TStreamValue::list(std::move(items));
    }

    TStreamValue readSet()
    {
        QStringList names;
        while (!m_lexer.isSymbol(']')) {
            if (m_lexer.token() == Token::Identifier)
                names.append(QString::fromLatin1(m_lexer.word()));
            else if (m_lexer.token() == Token::Integer)
                names.append(QString::number(m_lexer.integer()));
            else
                invalidValue();
            m_lexer.next();
            if (m_lexer.isSymbol(','))
                m_lexer.next();
            else if (!m_lexer.isSymbol(']'))
                m_lexer.fail(QStringLiteral("\"]\" expected"));
        }
        m_lexer.next();
        return TStreamValue::set(names);
    }

    TStreamValue readCollection()
    {
        QList<TStreamValue::CollectionItem> items;
        while (!m_lexer.isSymbol('>')) {
            if (!m_lexer.isWord("item"))
                m_lexer.fail(QStringLiteral("\"item\" expected"));
            m_lexer.next();
            TStreamValue::CollectionItem item;
            if (m_lexer.isSymbol('[')) {
                m_lexer.next();
                item.order = expectInteger();
                expectSymbol(']');
            }
            readProperties(item.properties, /*inItem=*/true);
            if (!m_lexer.isWord("end"))
                m_lexer.fail(QStringLiteral("\"end\" expected"));
            m_lexer.next();
            items.append(std::move(item));
        }
        m_lexer.next();
        return TStreamValue::collection(std::move(items));
    }

    Lexer m_lexer;
    int m_depth = 0;
};

} // namespace

TStreamObject read(const QByteArray& text)
{
    Parser parser(text);
    return parser.readRoot();
}

} // namespace textstream
