#include "engine/expr/expr_text_scan.h"

bool rpEvIsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::vector<bool> rpEvTopLevelMask(const QString& text)
{
    std::vector<bool> mask(text.size(), false);
    bool inQuote = false;
    int brackets = 0;
    int parens = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuote) {
            inQuote = c != QLatin1Char('\'');
        } else if (brackets > 0) {
            if (c == QLatin1Char(']'))
                --brackets;
            else if (c == QLatin1Char('['))
                ++brackets;
        } else if (c == QLatin1Char('\'')) {
            inQuote = true;
        } else if (c == QLatin1Char('[')) {
            ++brackets;
        } else if (c == QLatin1Char('(')) {
            ++parens;
        } else if (c == QLatin1Char(')')) {
            parens = parens > 0 ? parens - 1 : 0;
        } else {
            mask[i] = parens == 0;
        }
    }
    return mask;
}

namespace {

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}

// The letter at position is the "E" of a number's exponent, as in 12.5E-3.
bool isNumberExponent(const QString& text, int position)
{
    int start = position;
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
bool isOperatorWord(const QString& text, int position)
{
    int start = position;
    while (start > 0 && text[start - 1].isLetter())
        --start;
    const QString word = text.mid(start, position - start + 1).toLower();
    if (word != QLatin1String("or") && word != QLatin1String("and") && word != QLatin1String("not"))
        return false;
    return start == 0 || text[start - 1].isSpace() || text[start - 1] == QLatin1Char('(');
}

} // namespace

bool rpEvIsBinarySign(const QString& text, int position)
{
    int previous = position - 1;
    while (previous >= 0 && text[previous].isSpace())
        --previous;
    if (previous < 0)
        return false;
    const QChar c = text[previous];
    if (QStringLiteral("+-*/<>=(,").contains(c))
        return false;
    if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && previous == position - 1
        && isNumberExponent(text, previous))
        return false;
    return !(c.isLetter() && isOperatorWord(text, previous));
}

QString rpEvSwapOperators(const QString& text, QChar a, QChar b, bool onlyBinarySigns)
{
    const std::vector<bool> mask = rpEvTopLevelMask(text);
    QString swapped = text;
    for (int i = 0; i < text.size(); ++i) {
        if (!mask[i] || (text[i] != a && text[i] != b))
            continue;
        if (onlyBinarySigns && !rpEvIsBinarySign(text, i))
            continue;
        swapped[i] = text[i] == a ? b : a;
    }
    return swapped;
}

bool rpEvIsWordOperatorAt(const QString& text, int position, const QString& word)
{
    const int after = position + 1 + int(word.size());
    return text[position].isSpace() && after < text.size() && text[after].isSpace()
        && QStringView(text).mid(position + 1, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}
