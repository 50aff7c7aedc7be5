// Helpers for reading expression text at its top level: outside single-quoted strings,
// square brackets and parentheses. They work on views, so that reading a part of the
// text never copies it.
#pragma once

#include <QString>
#include <QStringView>

// Follows the nesting of text read from its start, one character at a time.
class TRpEvNesting
{
public:
    // Takes in the next character; true when it stands at the top level.
    bool next(QChar c);

private:
    bool m_inQuote = false;
    int m_brackets = 0;
    int m_parens = 0;
};

// The deepest nesting of parentheses in text (outside strings and brackets).
int rpEvParenthesisDepth(QStringView text);

// Whether the "+" or "-" at position is a binary operator rather than a sign: a sign stands
// first, after another operator, an opening parenthesis, a comma or the words OR, AND and
// NOT, or is the exponent sign of a number such as 1E-3.
bool rpEvIsBinarySign(QStringView text, qsizetype position);

// Whether text holds, at position, whitespace followed by word (any case) and whitespace.
bool rpEvIsWordOperatorAt(QStringView text, qsizetype position, QLatin1String word);

bool rpEvIsAsciiDigit(QChar c);
