// Lexer: script text to tokens.
#include "scripting/vbscript/lexer.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"

#include <QHash>

#include <cmath>

namespace vbs {

namespace {

struct KeywordEntry {
    const char* text;
    Kw keyword;
};

const KeywordEntry keywordTable[] = {
    {"and", Kw::And}, {"byref", Kw::ByRef}, {"byval", Kw::ByVal}, {"call", Kw::Call}, {"case", Kw::Case},
    {"class", Kw::Class}, {"const", Kw::Const}, {"dim", Kw::Dim}, {"do", Kw::Do}, {"each", Kw::Each},
    {"else", Kw::Else}, {"elseif", Kw::ElseIf}, {"empty", Kw::Empty}, {"end", Kw::End}, {"eqv", Kw::Eqv},
    {"erase", Kw::Erase}, {"exit", Kw::Exit}, {"false", Kw::False}, {"for", Kw::For},
    {"function", Kw::Function}, {"goto", Kw::GoTo}, {"if", Kw::If}, {"imp", Kw::Imp}, {"in", Kw::In},
    {"is", Kw::Is}, {"loop", Kw::Loop}, {"me", Kw::Me}, {"mod", Kw::Mod}, {"new", Kw::New},
    {"next", Kw::Next}, {"not", Kw::Not}, {"nothing", Kw::Nothing}, {"null", Kw::Null}, {"on", Kw::On},
    {"option", Kw::Option}, {"or", Kw::Or}, {"private", Kw::Private}, {"public", Kw::Public},
    {"redim", Kw::ReDim}, {"select", Kw::Select}, {"set", Kw::Set}, {"sub", Kw::Sub}, {"then", Kw::Then},
    {"to", Kw::To}, {"true", Kw::True}, {"until", Kw::Until}, {"wend", Kw::Wend}, {"while", Kw::While},
    {"with", Kw::With}, {"xor", Kw::Xor},
};

const QHash<QString, Kw>& keywords()
{
    static const QHash<QString, Kw> table = [] {
        QHash<QString, Kw> map;
        for (const KeywordEntry& entry : keywordTable)
            map.insert(QString::fromLatin1(entry.text), entry.keyword);
        return map;
    }();
    return table;
}

bool isIdentStart(QChar c) { return c.isLetter(); }
bool isIdentPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

class Lexer {
public:
    explicit Lexer(const QString& text) : src_(text) {}

    std::vector<Token> run()
    {
        while (pos_ < src_.size())
            scanOne();
        endStatement(false);
        Token end;
        end.kind = Tok::EndOfText;
        end.line = line_;
        end.column = column();
        tokens_.push_back(end);
        return std::move(tokens_);
    }

private:
    const QString& src_;
    int pos_ = 0;
    int line_ = 0;
    int lineStart_ = 0;
    bool space_ = false;
    std::vector<Token> tokens_;

    int column() const { return pos_ - lineStart_; }
    QChar peek(int ahead = 0) const
    {
        return pos_ + ahead < src_.size() ? src_.at(pos_ + ahead) : QChar();
    }

    [[noreturn]] void fail(int number, int atColumn)
    {
        ScriptError error(number);
        error.setPosition(line_, atColumn);
        throw error;
    }

    Token& push(Tok kind, int startColumn)
    {
        Token token;
        token.kind = kind;
        token.line = line_;
        token.column = startColumn;
        token.spaceBefore = space_;
        space_ = false;
        tokens_.push_back(std::move(token));
        return tokens_.back();
    }

    void endStatement(bool colon)
    {
        // Runs of separators collapse into one; a line break after ':' still ends the line.
        if (!tokens_.empty() && tokens_.back().kind == Tok::EndOfStatement) {
            if (!colon)
                tokens_.back().fromColon = false;
            return;
        }
        push(Tok::EndOfStatement, column()).fromColon = colon;
    }

    void newLine()
    {
        endStatement(false);
        if (peek() == QLatin1Char('\r') && peek(1) == QLatin1Char('\n'))
            ++pos_;
        ++pos_;
        ++line_;
        lineStart_ = pos_;
    }

    void skipComment()
    {
        while (pos_ < src_.size() && src_.at(pos_) != QLatin1Char('\n') && src_.at(pos_) != QLatin1Char('\r'))
            ++pos_;
    }

    // '_' followed by blanks and a line break joins the next line to this one.
    bool tryContinuation()
    {
        int look = pos_ + 1;
        while (look < src_.size() && (src_.at(look) == QLatin1Char(' ') || src_.at(look) == QLatin1Char('\t')))
            ++look;
        if (look < src_.size() && src_.at(look) != QLatin1Char('\n') && src_.at(look) != QLatin1Char('\r'))
            return false;
        pos_ = look;
        if (pos_ < src_.size()) {
            if (src_.at(pos_) == QLatin1Char('\r') && pos_ + 1 < src_.size() && src_.at(pos_ + 1) == QLatin1Char('\n'))
                ++pos_;
            ++pos_;
            ++line_;
            lineStart_ = pos_;
        }
        space_ = true;
        return true;
    }

    void scanOne()
    {
        const QChar c = src_.at(pos_);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return newLine();
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0xA0) || c == QChar(0xFEFF)) {
            ++pos_;
            space_ = true;
            return;
        }
        if (c == QLatin1Char('\''))
            return skipComment();
        if (c == QLatin1Char(':')) {
            ++pos_;
            return endStatement(true);
        }
        if (c == QLatin1Char('_') && tryContinuation())
            return;
        if (isIdentStart(c))
            return scanWord();
        if (c == QLatin1Char('['))
            return scanBracketName();
        if (c.isDigit() || (c == QLatin1Char('.') && peek(1).isDigit() && !followsValue()))
            return scanNumber();
        if (c == QLatin1Char('"'))
            return scanString();
        if (c == QLatin1Char('#'))
            return scanDate();
        if (c == QLatin1Char('&') && (peek(1).toUpper() == QLatin1Char('H') || peek(1).toUpper() == QLatin1Char('O')
                                      || (peek(1) >= QLatin1Char('0') && peek(1) <= QLatin1Char('7'))))
            if (scanRadixNumber())
                return;
        scanOperator();
    }

    bool followsValue() const
    {
        if (tokens_.empty() || space_)
            return false;
        const Tok last = tokens_.back().kind;
        return last == Tok::Identifier || last == Tok::RParen || last == Tok::Keyword;
    }

    void scanWord()
    {
        const int start = pos_;
        const int startColumn = column();
        while (pos_ < src_.size() && isIdentPart(src_.at(pos_)))
            ++pos_;
        const QString word = src_.mid(start, pos_ - start);
        if (word.size() > 255)
            fail(1030, startColumn);
        const QString lower = word.toLower();
        const bool afterDot = !tokens_.empty() && tokens_.back().kind == Tok::Dot && !space_;
        if (lower == QLatin1String("rem") && !afterDot)
            return skipComment();
        const auto keyword = keywords().constFind(lower);
        Token& token = push(keyword != keywords().constEnd() && !afterDot ? Tok::Keyword : Tok::Identifier, startColumn);
        token.text = word;
        if (token.kind == Tok::Keyword)
            token.keyword = *keyword;
    }

    void scanBracketName()
    {
        const int startColumn = column();
        const int close = src_.indexOf(QLatin1Char(']'), pos_);
        const int lineEnd = [&] {
            int i = pos_;
            while (i < src_.size() && src_.at(i) != QLatin1Char('\n') && src_.at(i) != QLatin1Char('\r'))
                ++i;
            return i;
        }();
        if (close < 0 || close > lineEnd)
            fail(ErrExpectedIdentifier, startColumn);
        Token& token = push(Tok::Identifier, startColumn);
        token.text = src_.mid(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
    }

    void scanNumber()
    {
        const int start = pos_;
        const int startColumn = column();
        bool isFloat = false;
        while (peek().isDigit())
            ++pos_;
        if (peek() == QLatin1Char('.')) {
            isFloat = true;
            ++pos_;
            while (peek().isDigit())
                ++pos_;
        }
        if (peek().toUpper() == QLatin1Char('E')) {
            int look = 1;
            if (peek(1) == QLatin1Char('+') || peek(1) == QLatin1Char('-'))
                look = 2;
            if (peek(look).isDigit()) {
                isFloat = true;
                pos_ += look;
                while (peek().isDigit())
                    ++pos_;
            }
        }
        if (isIdentPart(peek()))
            fail(ErrExpectedEndOfStatement, column());
        const QString text = src_.mid(start, pos_ - start);
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            fail(ErrInvalidNumber, startColumn);
        Token& token = push(Tok::Literal, startColumn);
        token.value = isFloat ? Variant::fromDouble(value) : Variant::fromWholeNumber(value);
    }

    bool scanRadixNumber()
    {
        const int startColumn = column();
        int look = pos_ + 1;
        int radix = 8;
        if (src_.at(look).toUpper() == QLatin1Char('H'))
            radix = 16, ++look;
        else if (src_.at(look).toUpper() == QLatin1Char('O'))
            ++look;
        const int digitsStart = look;
        while (look < src_.size() && (radix == 16 ? isxdigit(src_.at(look).toLatin1()) : (src_.at(look) >= QLatin1Char('0') && src_.at(look) <= QLatin1Char('7'))))
            ++look;
        if (look == digitsStart)
            return false;
        const QString digits = src_.mid(digitsStart, look - digitsStart);
        bool longSuffix = look < src_.size() && src_.at(look) == QLatin1Char('&');
        bool ok = false;
        const qulonglong raw = digits.size() > 11 ? 0 : digits.toULongLong(&ok, radix);
        if (!ok || raw > 0xFFFFFFFFull)
            fail(ErrInvalidNumber, startColumn);
        pos_ = look + (longSuffix ? 1 : 0);
        Token& token = push(Tok::Literal, startColumn);
        if (!longSuffix && raw <= 0xFFFF)
            token.value = Variant::fromInteger(static_cast<qint16>(raw));
        else
            token.value = Variant::fromLong(static_cast<qint32>(static_cast<quint32>(raw)));
        return true;
    }

    void scanString()
    {
        const int startColumn = column();
        ++pos_;
        QString value;
        for (;;) {
            if (pos_ >= src_.size() || src_.at(pos_) == QLatin1Char('\n') || src_.at(pos_) == QLatin1Char('\r'))
                fail(ErrUnterminatedString, startColumn);
            const QChar c = src_.at(pos_++);
            if (c == QLatin1Char('"')) {
                if (peek() != QLatin1Char('"'))
                    break;
                ++pos_;
            }
            value.append(c);
        }
        Token& token = push(Tok::Literal, startColumn);
        token.value = Variant::fromString(value);
    }

    void scanDate()
    {
        const int startColumn = column();
        int close = pos_ + 1;
        while (close < src_.size() && src_.at(close) != QLatin1Char('#') && src_.at(close) != QLatin1Char('\n')
               && src_.at(close) != QLatin1Char('\r'))
            ++close;
        if (close >= src_.size() || src_.at(close) != QLatin1Char('#'))
            fail(ErrSyntax, startColumn);
        double serial = 0;
        if (!parseDate(src_.mid(pos_ + 1, close - pos_ - 1), serial))
            fail(ErrSyntax, startColumn);
        pos_ = close + 1;
        Token& token = push(Tok::Literal, startColumn);
        token.value = Variant::fromDate(serial);
    }

    void scanOperator()
    {
        const int startColumn = column();
        const QChar c = src_.at(pos_);
        const QChar next = peek(1);
        Tok kind;
        int length = 1;
        switch (c.unicode()) {
        case '(': kind = Tok::LParen; break;
        case ')': kind = Tok::RParen; break;
        case ',': kind = Tok::Comma; break;
        case '.': kind = Tok::Dot; break;
        case '+': kind = Tok::Plus; break;
        case '-': kind = Tok::Minus; break;
        case '*': kind = Tok::Star; break;
        case '/': kind = Tok::Slash; break;
        case '\\': kind = Tok::Backslash; break;
        case '^': kind = Tok::Caret; break;
        case '&': kind = Tok::Ampersand; break;
        case '=': kind = Tok::Equal; break;
        case '<':
            kind = next == QLatin1Char('>') ? Tok::NotEqual : next == QLatin1Char('=') ? Tok::LessEqual : Tok::Less;
            length = kind == Tok::Less ? 1 : 2;
            break;
        case '>':
            kind = next == QLatin1Char('=') ? Tok::GreaterEqual : Tok::Greater;
            length = kind == Tok::Greater ? 1 : 2;
            break;
        default: fail(ErrInvalidCharacter, startColumn);
        }
        pos_ += length;
        push(kind, startColumn);
    }
};

} // namespace

std::vector<Token> tokenize(const QString& text) { return Lexer(text).run(); }

QString keywordText(Kw keyword)
{
    for (const KeywordEntry& entry : keywordTable)
        if (entry.keyword == keyword)
            return QString::fromLatin1(entry.text);
    return QString();
}

} // namespace vbs
