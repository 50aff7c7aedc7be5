#include "engine/text/number_mask.h"

#include "engine/text/mask_sections.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace {

struct Token {
    enum Kind { Forced, Optional, Point, Exponent, Literal };
    Kind kind;
    QString text;          // literal text, or "E"/"e" of an exponent
    bool alwaysSign = false; // "E+": positive exponents show "+"
    int exponentDigits = 1;
};

struct Section {
    QList<Token> integerPart;  // tokens before the decimal separator
    QList<Token> fractionPart; // tokens after it
    std::optional<Token> exponent;
    QList<Token> afterExponent;
    bool hasPoint = false;
    bool grouping = false;

    static int slotCount(const QList<Token>& tokens)
    {
        int count = 0;
        for (const Token& token : tokens)
            count += token.kind == Token::Forced || token.kind == Token::Optional;
        return count;
    }
    int integerSlots() const { return slotCount(integerPart); }
    int fractionSlots() const { return slotCount(fractionPart); }
};

bool isDigitSlot(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

// "E+00": the exponent letter, its sign and the zeros after it.
bool readExponent(const QString& text, qsizetype& pos, Token& token)
{
    if (pos + 1 >= text.size() || (text[pos + 1] != QLatin1Char('+') && text[pos + 1] != QLatin1Char('-')))
        return false;
    token = {Token::Exponent, QString(text[pos]), text[pos + 1] == QLatin1Char('+'), 0};
    pos += 2;
    while (pos < text.size() && text[pos] == QLatin1Char('0')) {
        ++token.exponentDigits;
        ++pos;
    }
    token.exponentDigits = std::max(token.exponentDigits, 1);
    return true;
}

Section parseSection(const QString& text)
{
    Section section;
    QList<Token>* target = &section.integerPart;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QChar c = text[pos];
        Token exponent{Token::Exponent, {}};
        if (rpmask::isQuote(c)) {
            target->append(Token{Token::Literal, rpmask::readQuoted(text, pos)});
            continue;
        }
        if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !section.exponent && readExponent(text, pos, exponent)) {
            section.exponent = exponent;
            target = &section.afterExponent;
            continue;
        }
        ++pos;
        if (isDigitSlot(c) && target != &section.afterExponent)
            target->append(Token{c == QLatin1Char('0') ? Token::Forced : Token::Optional, {}});
        else if (c == QLatin1Char('.') && !section.hasPoint && target == &section.integerPart) {
            section.hasPoint = true;
            target = &section.fractionPart;
        } else if (c == QLatin1Char(',') && target == &section.integerPart)
            section.grouping = true;
        else
            target->append(Token{Token::Literal, QString(c)});
    }
    return section;
}

// Integer and fraction digits of a non-negative value rounded to `decimals` places.
struct Digits {
    QString integer; // empty for a zero integer part
    QString fraction;
};

Digits fixedDigits(double value, int decimals)
{
    const QString text = QString::number(value, 'f', decimals);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    Digits digits{point < 0 ? text : text.left(point), point < 0 ? QString() : text.mid(point + 1)};
    if (digits.integer == QLatin1String("0"))
        digits.integer.clear();
    return digits;
}

bool roundsToZero(double value, int decimals)
{
    const Digits digits = fixedDigits(std::fabs(value), decimals);
    return digits.integer.isEmpty()
        && std::all_of(digits.fraction.cbegin(), digits.fraction.cend(), [](QChar c) { return c == QLatin1Char('0'); });
}

class SectionFormatter {
public:
    SectionFormatter(const Section& section, const QLocale& locale) : m_section(section), m_locale(locale) {}

    QString format(double value) const
    {
        int exponent = 0;
        const Digits digits = m_section.exponent ? scientificDigits(value, exponent)
                                                 : fixedDigits(value, m_section.fractionSlots());
        QString text = integerText(digits.integer) + fractionText(digits.fraction);
        if (m_section.exponent)
            text += exponentText(exponent);
        for (const Token& token : m_section.afterExponent)
            text += token.text;
        return text;
    }

private:
    // The mantissa gets as many integer digits as the mask has integer places.
    Digits scientificDigits(double value, int& exponent) const
    {
        const int decimals = m_section.fractionSlots();
        if (value == 0.0)
            return fixedDigits(0.0, decimals);
        const int places = m_section.integerSlots();
        exponent = int(std::floor(std::log10(value))) - (places - 1);
        Digits digits = fixedDigits(value / std::pow(10.0, exponent), decimals);
        if (digits.integer.size() > std::max(places, 1) || (places == 0 && !digits.integer.isEmpty())) {
            ++exponent;
            digits = fixedDigits(value / std::pow(10.0, exponent), decimals);
        }
        return digits;
    }

    int minimumIntegerDigits() const
    {
        const QList<Token>& tokens = m_section.integerPart;
        int slotsFromFirstForced = 0;
        bool forcedSeen = false;
        for (const Token& token : tokens) {
            forcedSeen = forcedSeen || token.kind == Token::Forced;
            if (forcedSeen && (token.kind == Token::Forced || token.kind == Token::Optional))
                ++slotsFromFirstForced;
        }
        return slotsFromFirstForced;
    }

    // Digits fill the places from the right; the leftmost place takes all that remain.
    // Group separators go between digits, counted from the decimal separator.
    QString integerText(QString digits) const
    {
        const int minimum = minimumIntegerDigits();
        if (digits.size() < minimum)
            digits = QString(minimum - digits.size(), QLatin1Char('0')) + digits;
        const QList<Token>& tokens = m_section.integerPart;
        int slotsLeft = m_section.integerSlots();
        qsizetype next = digits.size(); // digits[next - 1] is the next digit to place
        QString text;
        auto prependDigits = [&](qsizetype count) {
            for (qsizetype i = 0; i < count && next > 0; ++i) {
                const qsizetype position = digits.size() - next + 1; // 1 = units
                if (m_section.grouping && position > 1 && (position - 1) % 3 == 0)
                    text.prepend(m_locale.groupSeparator());
                text.prepend(digits[--next]);
            }
        };
        if (slotsLeft == 0)
            prependDigits(digits.size());
        for (qsizetype i = tokens.size() - 1; i >= 0; --i) {
            const Token& token = tokens[i];
            if (token.kind == Token::Literal) {
                text.prepend(token.text);
                continue;
            }
            prependDigits(--slotsLeft == 0 ? next : 1);
        }
        return text;
    }

    // Digits of optional places after the last forced one are shown only up to the last
    // significant digit; without any digit the decimal separator is left out too.
    QString fractionText(const QString& digits) const
    {
        const QList<Token>& tokens = m_section.fractionPart;
        int lastShown = -1;
        int slot = 0;
        for (const Token& token : tokens) {
            if (token.kind == Token::Literal)
                continue;
            if (token.kind == Token::Forced || digits.at(slot) != QLatin1Char('0'))
                lastShown = slot;
            ++slot;
        }
        QString text;
        slot = 0;
        for (const Token& token : tokens) {
            if (token.kind == Token::Literal)
                text += token.text;
            else if (slot <= lastShown)
                text += digits.at(slot++);
            else
                ++slot;
        }
        if (m_section.hasPoint && lastShown >= 0)
            text.prepend(m_locale.decimalPoint());
        return text;
    }

    QString exponentText(int exponent) const
    {
        const Token& token = *m_section.exponent;
        QString sign;
        if (exponent < 0)
            sign = QStringLiteral("-");
        else if (token.alwaysSign)
            sign = QStringLiteral("+");
        return token.text + sign + QString::number(std::abs(exponent)).rightJustified(token.exponentDigits, QLatin1Char('0'));
    }

    const Section& m_section;
    const QLocale& m_locale;
};

QString formatGeneral(double value, const QLocale& locale)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

} // namespace

std::optional<QString> rpFormatNumber(const QString& mask, double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (mask.isEmpty())
        return formatGeneral(value, locale);
    const QStringList texts = rpmask::splitSections(mask);
    const Section positive = parseSection(texts[0]);
    const bool zero = roundsToZero(value, positive.exponent ? 15 : positive.fractionSlots());
    if (zero && texts.size() > 2 && !texts[2].isEmpty())
        return SectionFormatter(parseSection(texts[2]), locale).format(0.0);
    if (value < 0 && !zero && texts.size() > 1 && !texts[1].isEmpty())
        return SectionFormatter(parseSection(texts[1]), locale).format(-value);
    const QString text = SectionFormatter(positive, locale).format(std::fabs(value));
    return value < 0 && !zero ? QStringLiteral("-") + text : text;
}
