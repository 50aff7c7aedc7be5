// Lexer: turns script text into tokens. Names and keywords are case-insensitive; line
// continuations and comments are dropped; newlines and ':' both end a statement.
#pragma once

#include "scripting/vbscript/variant.h"

#include <QString>

#include <vector>

namespace vbs {

enum class Tok : quint8 {
    EndOfText, EndOfStatement, Identifier, Keyword, Literal,
    LParen, RParen, Comma, Dot,
    Plus, Minus, Star, Slash, Backslash, Caret, Ampersand,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
};

// Reserved words; contextual ones (Explicit, Get, Let, Error, Resume, Preserve, Step,
// Property, Default) are identifiers that the parser recognises by name.
enum class Kw : quint8 {
    None, And, ByRef, ByVal, Call, Case, Class, Const, Dim, Do, Each, Else, ElseIf, Empty, End,
    Eqv, Erase, Exit, False, For, Function, GoTo, If, Imp, In, Is, Loop, Me, Mod, New, Next, Not,
    Nothing, Null, On, Option, Or, Private, Public, ReDim, Select, Set, Sub, Then, To, True, Until,
    Wend, While, With, Xor,
};

struct Token {
    Tok kind = Tok::EndOfText;
    Kw keyword = Kw::None;
    bool spaceBefore = false;
    bool fromColon = false; // an end of statement written as ':'
    int line = 0;
    int column = 0;
    QString text;  // identifier as written (or keyword text)
    Variant value; // literal value
};

// Tokenises the whole text; raises a compile ScriptError with its position on bad input.
std::vector<Token> tokenize(const QString& text);

// The name of a keyword token as scripts may use it after '.' ("obj.Next").
QString keywordText(Kw keyword);

} // namespace vbs
