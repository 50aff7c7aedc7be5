#include "engine/expr/number_format.h"

#include <QStringList>
#include <charconv>
#include <cmath>

namespace {

// A finite, positive double as decimal digits: value = d0.d1d2... x 10^exponent.
struct DecimalDigits
{
    QByteArray digits;
    int exponent = 0;
};

// significantDigits 0 asks for the shortest text that reads back as the same double.
DecimalDigits decimalDigits(double positive, int significantDigits = 0)
{
    char buffer[64];
    const auto converted = significantDigits > 0
        ? std::to_chars(buffer, buffer + sizeof buffer, positive, std::chars_format::scientific,
                        significantDigits - 1)
        : std::to_chars(buffer, buffer + sizeof buffer, positive, std::chars_format::scientific);
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

// Integer digits and exactly `decimals` fraction digits, rounded half away from zero.
struct FixedDigits
{
    QString integerPart;
    QString fraction;
};

FixedDigits fixedDigits(double positive, int decimals)
{
    if (positive == 0.0)
        return {QStringLiteral("0"), QString(decimals, QLatin1Char('0'))};
    const DecimalDigits d = decimalDigits(positive);
    const auto digitAt = [&](int k) { return k >= 0 && k < d.digits.size() ? d.digits[k] : '0'; };
    QByteArray scaled;
    for (int power = std::max(d.exponent, 0); power >= -decimals; --power)
        scaled.append(digitAt(d.exponent - power));
    if (digitAt(d.exponent + decimals + 1) >= '5') {
        int i = scaled.size() - 1;
        for (; i >= 0 && scaled[i] == '9'; --i)
            scaled[i] = '0';
        if (i >= 0)
            scaled[i] = char(scaled[i] + 1);
        else
            scaled.prepend('1');
    }
    FixedDigits result;
    result.integerPart = QString::fromLatin1(scaled.left(scaled.size() - decimals));
    result.fraction = QString::fromLatin1(scaled.right(decimals));
    while (result.integerPart.size() > 1 && result.integerPart.startsWith(QLatin1Char('0')))
        result.integerPart.remove(0, 1);
    if (result.integerPart.isEmpty())
        result.integerPart = QStringLiteral("0");
    return result;
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

// One parsed section of a numeric mask.
struct MaskSection
{
    struct Token
    {
        enum Type { Digit, OptionalDigit, Point, Exponent, Literal } type;
        QString text; // literal text, or the exponent's letter and sign
        int exponentDigits = 0;
    };
    QList<Token> tokens;
    bool grouping = false;
    int integerPlaceholders = 0;
    int integerZeros = 0;     // forced integer digits, counted from the first '0'
    int decimals = 0;         // placeholders after the point
    int forcedDecimals = 0;   // up to and including the last '0' after the point
    bool hasPoint = false;
    bool scientific = false;
};

QStringList splitSections(const QString& mask)
{
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
    }
    return sections;
}

void addPlaceholder(MaskSection& section, bool forced)
{
    using Token = MaskSection::Token;
    section.tokens.append({forced ? Token::Digit : Token::OptionalDigit, {}, 0});
    if (section.scientific)
        return;
    if (section.hasPoint) {
        ++section.decimals;
        if (forced)
            section.forcedDecimals = section.decimals;
    } else {
        ++section.integerPlaceholders;
        if (forced || section.integerZeros > 0)
            ++section.integerZeros;
    }
}

void addLiteral(MaskSection& section, const QString& text)
{
    using Token = MaskSection::Token;
    if (!section.tokens.isEmpty() && section.tokens.last().type == Token::Literal)
        section.tokens.last().text += text;
    else
        section.tokens.append({Token::Literal, text, 0});
}

MaskSection parseSection(const QString& text)
{
    using Token = MaskSection::Token;
    MaskSection section;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int end = text.indexOf(c, i + 1);
            const int stop = end < 0 ? text.size() : end;
            addLiteral(section, text.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            addPlaceholder(section, c == QLatin1Char('0'));
        } else if (c == QLatin1Char('.') && !section.hasPoint && !section.scientific) {
            section.hasPoint = true;
            section.tokens.append({Token::Point, {}, 0});
        } else if (c == QLatin1Char(',') && !section.hasPoint && !section.scientific) {
            section.grouping = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < text.size()
                   && (text[i + 1] == QLatin1Char('+') || text[i + 1] == QLatin1Char('-'))
                   && !section.scientific) {
            int digits = 0;
            int j = i + 2;
            for (; j < text.size() && text[j] == QLatin1Char('0'); ++j)
                ++digits;
            section.scientific = true;
            section.tokens.append({Token::Exponent, text.mid(i, 2), std::max(digits, 1)});
            i = j - 1;
        } else {
            addLiteral(section, QString(c));
        }
    }
    return section;
}

QString groupDigits(const QString& digits, const QString& separator)
{
    QString grouped;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

// Digits of the value before and after the point, and the exponent for scientific masks.
struct SectionDigits
{
    QString integerPart;
    QString fraction;
    int exponent = 0;
};

SectionDigits sectionDigits(const MaskSection& section, double positive)
{
    SectionDigits result;
    double mantissa = positive;
    if (section.scientific && positive != 0.0) {
        const int leading = std::max(section.integerPlaceholders, 1);
        result.exponent = int(std::floor(std::log10(positive))) - (leading - 1);
        mantissa = positive / std::pow(10.0, result.exponent);
        FixedDigits probe = fixedDigits(mantissa, section.decimals);
        if (probe.integerPart.size() > leading) { // rounding carried into a new digit
            ++result.exponent;
            mantissa = positive / std::pow(10.0, result.exponent);
        }
    }
    const FixedDigits fixed = fixedDigits(mantissa, section.decimals);
    result.integerPart = fixed.integerPart;
    if (result.integerPart == QLatin1String("0") && section.integerZeros == 0)
        result.integerPart.clear();
    result.integerPart = result.integerPart.rightJustified(section.integerZeros, QLatin1Char('0'));
    result.fraction = fixed.fraction;
    while (result.fraction.size() > section.forcedDecimals && result.fraction.endsWith(QLatin1Char('0')))
        result.fraction.chop(1);
    return result;
}

bool isZero(const SectionDigits& digits)
{
    for (const QString& part : {digits.integerPart, digits.fraction}) {
        for (const QChar c : part) {
            if (c != QLatin1Char('0'))
                return false;
        }
    }
    return true;
}

// The integer part with the literals that stand between integer placeholders: digits fill
// the placeholders from the right, surplus digits go in front of the leftmost one.
QString integerPartText(const MaskSection& section, const SectionDigits& digits, const QLocale& locale,
                        int firstPlaceholder, int pointOrEnd)
{
    using Token = MaskSection::Token;
    if (section.grouping)
        return groupDigits(digits.integerPart, locale.groupSeparator());
    QString text;
    int remaining = digits.integerPart.size();
    for (int t = pointOrEnd - 1; t >= firstPlaceholder; --t) {
        const Token& token = section.tokens[t];
        if (token.type == Token::Literal) {
            text.prepend(token.text);
        } else if (token.type == Token::Digit || token.type == Token::OptionalDigit) {
            if (remaining > 0)
                text.prepend(digits.integerPart[--remaining]);
        }
    }
    return digits.integerPart.left(remaining) + text;
}

QString exponentText(const MaskSection::Token& token, int exponent)
{
    QString sign;
    if (exponent < 0)
        sign = QStringLiteral("-");
    else if (token.text[1] == QLatin1Char('+'))
        sign = QStringLiteral("+");
    return token.text.left(1) + sign
        + QString::number(std::abs(exponent)).rightJustified(token.exponentDigits, QLatin1Char('0'));
}

QString applySection(const MaskSection& section, const SectionDigits& digits, const QLocale& locale)
{
    using Token = MaskSection::Token;
    int firstPlaceholder = -1;
    int pointOrEnd = section.tokens.size();
    for (int t = 0; t < section.tokens.size(); ++t) {
        const Token::Type type = section.tokens[t].type;
        if (type == Token::Point || type == Token::Exponent) {
            pointOrEnd = t;
            break;
        }
        if (firstPlaceholder < 0 && (type == Token::Digit || type == Token::OptionalDigit))
            firstPlaceholder = t;
    }
    QString text;
    for (int t = 0; t < (firstPlaceholder < 0 ? pointOrEnd : firstPlaceholder); ++t)
        text += section.tokens[t].text;
    if (firstPlaceholder >= 0)
        text += integerPartText(section, digits, locale, firstPlaceholder, pointOrEnd);
    int nextFractionDigit = 0;
    for (int t = pointOrEnd; t < section.tokens.size(); ++t) {
        const Token& token = section.tokens[t];
        switch (token.type) {
        case Token::Point:
            if (!digits.fraction.isEmpty())
                text += locale.decimalPoint();
            break;
        case Token::Digit:
        case Token::OptionalDigit:
            if (nextFractionDigit < digits.fraction.size())
                text += digits.fraction[nextFractionDigit++];
            break;
        case Token::Exponent:
            text += exponentText(token, digits.exponent);
            break;
        case Token::Literal:
            text += token.text;
            break;
        }
    }
    return text;
}

} // namespace

std::optional<QString> formatNumericMask(const QString& mask, double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const QStringList sections = splitSections(mask);
    const bool negative = value < 0;
    const bool ownNegativeSection = negative && sections.size() > 1 && !sections[1].isEmpty();
    const QString& chosen = ownNegativeSection ? sections[1] : sections[0];
    if (chosen.isEmpty())
        return formatFloatGeneral(value, locale);
    MaskSection section = parseSection(chosen);
    SectionDigits digits = sectionDigits(section, std::fabs(value));
    if (isZero(digits) && sections.size() > 2 && !sections[2].isEmpty()) {
        section = parseSection(sections[2]);
        return applySection(section, sectionDigits(section, 0.0), locale);
    }
    const QString sign = negative && !ownNegativeSection && !isZero(digits) ? QStringLiteral("-") : QString();
    return sign + applySection(section, digits, locale);
}
