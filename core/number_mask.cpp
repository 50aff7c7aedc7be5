#include "core/number_mask.h"

#include "core/mask_sections.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A finite, non-negative double as decimal digits: value = d0.d1d2... x 10^exponent.
struct DecimalDigits {
    QByteArray digits;
    int exponent = 0;
};

// significantDigits 0 asks for the shortest text that reads back as the same double.
DecimalDigits decimalDigits(double value, int significantDigits = 0)
{
    char buffer[64];
    const auto converted = significantDigits > 0
        ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significantDigits - 1)
        : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    DecimalDigits result;
    const char* p = buffer;
    for (; p < converted.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            result.digits.append(*p);
    }
    if (p < converted.ptr)
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), converted.ptr, result.exponent);
    return result;
}

QString stripTrailingZeros(QString digits)
{
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return digits;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString formatFloatGeneral(double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0.0)
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const DecimalDigits d = decimalDigits(std::fabs(value), 15);
    const QString digits = stripTrailingZeros(QString::fromLatin1(d.digits));
    const QString point = locale.decimalPoint();
    if (d.exponent >= -5 && d.exponent < 15) {
        if (d.exponent < 0)
            return sign + QLatin1Char('0') + point + QString(-d.exponent - 1, QLatin1Char('0')) + digits;
        const QString integerPart = digits.left(d.exponent + 1).leftJustified(d.exponent + 1, QLatin1Char('0'));
        const QString fraction = digits.mid(d.exponent + 1);
        return sign + integerPart + (fraction.isEmpty() ? QString() : point + fraction);
    }
    const QString mantissa = digits.size() > 1 ? digits.left(1) + point + digits.mid(1) : digits;
    return sign + mantissa + QLatin1Char('E') + QString::number(d.exponent);
}

namespace {

// The integer digits (empty for a zero integer part) and exactly `decimals` fraction
// digits of a value, rounded half away from zero.
struct FixedDigits {
    QString integer;
    QString fraction;

    bool isZero() const
    {
        return integer.isEmpty() && fraction.count(QLatin1Char('0')) == fraction.size();
    }
};

FixedDigits roundedDigits(const DecimalDigits& d, int decimals)
{
    // The digit of place value 10^power is d.digits[d.exponent - power].
    const auto digitAt = [&](int k) { return k >= 0 && k < d.digits.size() ? d.digits[k] : '0'; };
    QByteArray scaled;
    for (int power = std::max(d.exponent, 0); power >= -decimals; --power)
        scaled.append(digitAt(d.exponent - power));
    if (digitAt(d.exponent + decimals + 1) >= '5') {
        qsizetype i = scaled.size() - 1;
        for (; i >= 0 && scaled[i] == '9'; --i)
            scaled[i] = '0';
        if (i >= 0)
            scaled[i] = char(scaled[i] + 1);
        else
            scaled.prepend('1');
    }
    FixedDigits result;
    result.integer = QString::fromLatin1(scaled.left(scaled.size() - decimals));
    result.fraction = QString::fromLatin1(scaled.right(decimals));
    while (result.integer.startsWith(QLatin1Char('0')))
        result.integer.remove(0, 1);
    return result;
}

struct Token {
    enum Kind { Forced, Optional, Literal };
    Kind kind;
    QString text; // of a literal

    bool isDigit() const { return kind != Literal; }
};

struct Exponent {
    QChar letter;
    bool alwaysSign = false; // "E+": positive exponents show "+"
    int minimumDigits = 1;
};

struct Section {
    QList<Token> integerPart;  // tokens before the decimal separator
    QList<Token> fractionPart; // tokens after it
    std::optional<Exponent> exponent;
    QString afterExponent;
    bool hasPoint = false;
    bool grouping = false;

    static int placeCount(const QList<Token>& tokens)
    {
        return int(std::count_if(tokens.cbegin(), tokens.cend(), [](const Token& token) { return token.isDigit(); }));
    }
    int integerPlaces() const { return placeCount(integerPart); }
    int decimals() const { return placeCount(fractionPart); }
};

// "E+00" at text[pos]: the letter, its sign and the zeros after it.
std::optional<Exponent> readExponent(const QString& text, qsizetype& pos)
{
    if (pos + 1 >= text.size() || (text[pos + 1] != QLatin1Char('+') && text[pos + 1] != QLatin1Char('-')))
        return std::nullopt;
    Exponent exponent{text[pos], text[pos + 1] == QLatin1Char('+'), 0};
    for (pos += 2; pos < text.size() && text[pos] == QLatin1Char('0'); ++pos)
        ++exponent.minimumDigits;
    exponent.minimumDigits = std::max(exponent.minimumDigits, 1);
    return exponent;
}

Section parseSection(const QString& text)
{
    Section section;
    QList<Token>* target = &section.integerPart;
    auto appendLiteral = [&](const QString& literal) {
        if (section.exponent)
            section.afterExponent += literal;
        else
            target->append(Token{Token::Literal, literal});
    };
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (rpmask::isQuote(c)) {
            appendLiteral(rpmask::readQuoted(text, pos));
            continue;
        }
        if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !section.exponent) {
            if (const std::optional<Exponent> exponent = readExponent(text, pos)) {
                section.exponent = exponent;
                continue;
            }
        }
        ++pos;
        if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !section.exponent)
            target->append(Token{c == QLatin1Char('0') ? Token::Forced : Token::Optional, {}});
        else if (c == QLatin1Char('.') && !section.hasPoint && !section.exponent) {
            section.hasPoint = true;
            target = &section.fractionPart;
        } else if (c == QLatin1Char(',') && target == &section.integerPart && !section.exponent)
            section.grouping = true;
        else
            appendLiteral(QString(c));
    }
    return section;
}

class SectionFormatter {
public:
    SectionFormatter(const Section& section, const QLocale& locale) : m_section(section), m_locale(locale) {}

    // The digits the section shows for a non-negative value, and the exponent they go with.
    FixedDigits digits(double value, int& exponent) const
    {
        exponent = 0;
        return m_section.exponent ? scientificDigits(value, exponent)
                                  : roundedDigits(decimalDigits(value), m_section.decimals());
    }

    bool roundsToZero(double value) const
    {
        int exponent = 0;
        return digits(value, exponent).isZero();
    }

    QString format(double value) const
    {
        int exponent = 0;
        const FixedDigits shown = digits(value, exponent);
        QString text = integerText(shown.integer) + fractionText(shown.fraction);
        if (m_section.exponent)
            text += exponentText(exponent);
        return text + m_section.afterExponent;
    }

private:
    // The mantissa gets as many integer digits as the mask has integer places; with none
    // it falls below one (".00E+00" gives ".12E+04").
    FixedDigits scientificDigits(double value, int& exponent) const
    {
        const int decimals = m_section.decimals();
        DecimalDigits d = decimalDigits(value);
        if (value == 0.0)
            return roundedDigits(d, decimals);
        const int places = m_section.integerPlaces();
        exponent = d.exponent - (places - 1);
        d.exponent = places - 1;
        FixedDigits shown = roundedDigits(d, decimals);
        if (shown.integer.size() > places) { // rounding carried into a new digit
            ++exponent;
            --d.exponent;
            shown = roundedDigits(d, decimals);
        }
        return shown;
    }

    // Every place from the first '0' on shows a digit.
    int minimumIntegerDigits() const
    {
        const QList<Token>& tokens = m_section.integerPart;
        const auto firstForced = std::find_if(tokens.cbegin(), tokens.cend(),
                                              [](const Token& token) { return token.kind == Token::Forced; });
        return int(std::count_if(firstForced, tokens.cend(), [](const Token& token) { return token.isDigit(); }));
    }

    // Digits fill the places from the right; the leftmost place takes all that remain, and
    // so do the literals when the mask has integer places only after the point. Group
    // separators go between digits, counted from the decimal separator.
    QString integerText(QString digits) const
    {
        if (m_section.integerPlaces() + m_section.decimals() == 0)
            digits.clear();
        const int minimum = minimumIntegerDigits();
        if (digits.size() < minimum)
            digits = QString(minimum - digits.size(), QLatin1Char('0')) + digits;
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
        int placesLeft = m_section.integerPlaces();
        if (placesLeft == 0)
            prependDigits(digits.size());
        for (auto token = m_section.integerPart.crbegin(); token != m_section.integerPart.crend(); ++token) {
            if (token->isDigit())
                prependDigits(--placesLeft == 0 ? next : 1);
            else
                text.prepend(token->text);
        }
        return text;
    }

    // Digits of optional places after the last forced one are shown only up to the last
    // significant digit; without any digit the decimal separator is left out too.
    QString fractionText(const QString& digits) const
    {
        const QList<Token>& tokens = m_section.fractionPart;
        int lastShown = -1;
        int place = 0;
        for (const Token& token : tokens) {
            if (!token.isDigit())
                continue;
            if (token.kind == Token::Forced || digits.at(place) != QLatin1Char('0'))
                lastShown = place;
            ++place;
        }
        QString text = m_section.hasPoint && lastShown >= 0 ? m_locale.decimalPoint() : QString();
        place = 0;
        for (const Token& token : tokens) {
            if (!token.isDigit())
                text += token.text;
            else if (place <= lastShown)
                text += digits.at(place++);
            else
                ++place;
        }
        return text;
    }

    QString exponentText(int exponent) const
    {
        const Exponent& format = *m_section.exponent;
        QString sign;
        if (exponent < 0)
            sign = QStringLiteral("-");
        else if (format.alwaysSign)
            sign = QStringLiteral("+");
        return format.letter + sign
            + QString::number(std::abs(exponent)).rightJustified(format.minimumDigits, QLatin1Char('0'));
    }

    const Section& m_section;
    const QLocale& m_locale;
};

// The value in a section's mask, or in the general format when the section is empty.
QString formatInSection(const QString& text, double value, const QLocale& locale)
{
    if (text.isEmpty())
        return formatFloatGeneral(value, locale);
    return SectionFormatter(parseSection(text), locale).format(std::fabs(value));
}

bool roundsToZeroInSection(const QString& text, double value, const QLocale& locale)
{
    if (text.isEmpty())
        return value == 0.0;
    return SectionFormatter(parseSection(text), locale).roundsToZero(std::fabs(value));
}

} // namespace

std::optional<QString> formatNumberMask(const QString& mask, double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (mask.isEmpty())
        return formatFloatGeneral(value, locale);
    const QStringList sections = rpmask::splitSections(mask);
    const bool negativeSection = value < 0 && sections.size() > 1 && !sections[1].isEmpty();
    const QString& shown = negativeSection ? sections[1] : sections[0];
    if (roundsToZeroInSection(shown, value, locale)) {
        const bool zeroSection = sections.size() > 2 && !sections[2].isEmpty();
        return formatInSection(zeroSection ? sections[2] : sections[0], 0.0, locale);
    }
    // The general format of an empty section brings its own sign.
    if (value >= 0 || negativeSection || shown.isEmpty())
        return formatInSection(shown, value, locale);
    return QStringLiteral("-") + formatInSection(shown, value, locale);
}
