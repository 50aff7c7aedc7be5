#include "engine/expr/expr_text_scan.h"

#include <algorithm>

bool rpEvIsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool TRpEvNesting::next(QChar c)
{
    if (m_inQuote) {
        m_inQuote = c != QLatin1Char('\'');
    } else if (m_brackets > 0) {
        if (c == QLatin1Char(']'))
            --m_brackets;
        else if (c == QLatin1Char('['))
            ++m_brackets;
    } else if (c == QLatin1Char('\'')) {
        m_inQuote = true;
    } else if (c == QLatin1Char('[')) {
        ++m_brackets;
    } else if (c == QLatin1Char('(')) {
        ++m_parens;
    } else if (c == QLatin1Char(')')) {
        m_parens = m_parens > 0 ? m_parens - 1 : 0;
    } else {
        return m_parens == 0;
    }
    return false;
}

int rpEvParenthesisDepth(QStringView text)
{
    bool inQuote = false;
    int brackets = 0;
    int parens = 0;
    int deepest = 0;
    for (const QChar c : text) {
        if (inQuote) {
            inQuote = c != QLatin1Char('\'');
        } else if (brackets > 0) {
            brackets += c == QLatin1Char('[') ? 1 : c == QLatin1Char(']') ? -1 : 0;
        } else if (c == QLatin1Char('\'')) {
            inQuote = true;
        } else if (c == QLatin1Char('[')) {
            brackets = 1;
        } else if (c == QLatin1Char('(')) {
            deepest = std::max(deepest, ++parens);
        } else if (c == QLatin1Char(')')) {
            parens = parens > 0 ? parens - 1 : 0;
        }
    }
    return deepest;
}

namespace {

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}

// The letter at position is the "E" of a number's exponent, as in 12.5E-3.
bool isNumberExponent(QStringView text, qsizetype position)
{
    qsizetype start = position;
    bool sawDigit = false;
    while (start > 0 && (rpEvIsAsciiDigit(text[start - 1]) || text[start - 1] == QLatin1Char('.'))) {
        --start;
        sawDigit = sawDigit || rpEvIsAsciiDigit(text[start]);
    }
    if (!sawDigit || !rpEvIsAsciiDigit(text[start]))
        return false;
    return start == 0 || !isNameCharacter(text[start - 1]);
}

// The word ending at position is OR, AND or NOT standing on its own.
bool isOperatorWord(QStringView text, qsizetype position)
{
    qsizetype start = position;
    // No operator word is longer than three letters; a longer word is a name.
    while (start > 0 && position - start < 3 && text[start - 1].isLetter())
        --start;
    if (start > 0 && text[start - 1].isLetter())
        return false;
    const QStringView word = text.mid(start, position - start + 1);
    const bool isOperator = word.compare(QLatin1String("or"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("and"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("not"), Qt::CaseInsensitive) == 0;
    return isOperator && (start == 0 || text[start - 1].isSpace() || text[start - 1] == QLatin1Char('('));
}

} // namespace

bool rpEvIsBinarySign(QStringView text, qsizetype position)
{
    qsizetype previous = position - 1;
    while (previous >= 0 && text[previous].isSpace())
        --previous;
    if (previous < 0)
        return false;
    const QChar c = text[previous];
    if (QStringView(u"+-*/<>=(,").contains(c))
        return false;
    if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && previous == position - 1
        && isNumberExponent(text, previous))
        return false;
    return !(c.isLetter() && isOperatorWord(text, previous));
}

bool rpEvIsWordOperatorAt(QStringView text, qsizetype position, QLatin1String word)
{
    const qsizetype after = position + 1 + word.size();
    return text[position].isSpace() && after < text.size() && text[after].isSpace()
        && text.mid(position + 1, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}
