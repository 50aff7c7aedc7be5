// Conversions between Variant types.
#include "scripting/vbscript/conversion.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/dispatch.h"
#include "scripting/vbscript/errors.h"

#include <cmath>
#include <cstdio>

namespace vbs {

namespace {

bool parseRadix(const QString& digits, int radix, double& value)
{
    if (digits.isEmpty() || digits.size() > (radix == 16 ? 8 : 11))
        return false;
    bool ok = false;
    const qulonglong raw = digits.toULongLong(&ok, radix);
    if (!ok || raw > 0xFFFFFFFFull)
        return false;
    // Up to four hex digits read as a 16-bit value, longer ones as 32-bit, both signed.
    if (radix == 16 && digits.size() <= 4)
        value = static_cast<qint16>(raw);
    else
        value = static_cast<qint32>(static_cast<quint32>(raw));
    return true;
}

[[noreturn]] void overflow() { raise(ErrOverflow); }

} // namespace

Variant plainValue(const Variant& value)
{
    return value.isObject() ? defaultValue(value) : value;
}

bool parseNumber(const QString& text, double& value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    if (trimmed.startsWith(QLatin1Char('&')) && trimmed.size() > 2) {
        const QChar kind = trimmed.at(1).toUpper();
        if (kind == QLatin1Char('H'))
            return parseRadix(trimmed.mid(2), 16, value);
        if (kind == QLatin1Char('O'))
            return parseRadix(trimmed.mid(2), 8, value);
        return false;
    }
    int i = 0;
    const int n = trimmed.size();
    QByteArray ascii;
    ascii.reserve(n);
    if (trimmed.at(i) == QLatin1Char('+') || trimmed.at(i) == QLatin1Char('-'))
        ascii.append(trimmed.at(i++).toLatin1());
    while (i < n && trimmed.at(i).isSpace())
        ++i;
    int digits = 0;
    while (i < n && trimmed.at(i).isDigit())
        ascii.append(trimmed.at(i++).toLatin1()), ++digits;
    if (i < n && trimmed.at(i) == QLatin1Char('.')) {
        ascii.append('.');
        ++i;
        while (i < n && trimmed.at(i).isDigit())
            ascii.append(trimmed.at(i++).toLatin1()), ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (trimmed.at(i).toUpper() == QLatin1Char('E') || trimmed.at(i).toUpper() == QLatin1Char('D'))) {
        ascii.append('e');
        ++i;
        if (i < n && (trimmed.at(i) == QLatin1Char('+') || trimmed.at(i) == QLatin1Char('-')))
            ascii.append(trimmed.at(i++).toLatin1());
        int exponentDigits = 0;
        while (i < n && trimmed.at(i).isDigit())
            ascii.append(trimmed.at(i++).toLatin1()), ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    bool ok = false;
    value = ascii.toDouble(&ok);
    return ok && std::isfinite(value);
}

double roundHalfEven(double value)
{
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    if (diff > 0.5)
        return floorValue + 1;
    if (diff < 0.5)
        return floorValue;
    return std::fmod(floorValue, 2.0) == 0 ? floorValue : floorValue + 1;
}

double toDouble(const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty: return 0;
    case VarType::Null: raise(ErrInvalidNull);
    case VarType::Boolean: return value.boolValue() ? -1 : 0;
    case VarType::Byte: return value.byteValue();
    case VarType::Integer: return value.integerValue();
    case VarType::Long: return value.longValue();
    case VarType::Single: return value.singleValue();
    case VarType::Double:
    case VarType::Date: return value.doubleValue();
    case VarType::Currency: return static_cast<double>(value.currencyValue()) / 10000.0;
    case VarType::String: {
        double number = 0;
        if (!parseNumber(value.stringValue(), number))
            raise(ErrTypeMismatch);
        return number;
    }
    case VarType::Object: return toDouble(defaultValue(value));
    default: raise(ErrTypeMismatch);
    }
}

qint32 toLong(const Variant& value)
{
    if (value.isIntegralType())
        return value.integralValue();
    const double rounded = roundHalfEven(toDouble(value));
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        overflow();
    return static_cast<qint32>(rounded);
}

qint16 toInteger(const Variant& value)
{
    const double rounded = roundHalfEven(toDouble(value));
    if (!(rounded >= -32768 && rounded <= 32767))
        overflow();
    return static_cast<qint16>(rounded);
}

quint8 toByte(const Variant& value)
{
    const double rounded = roundHalfEven(toDouble(value));
    if (!(rounded >= 0 && rounded <= 255))
        overflow();
    return static_cast<quint8>(rounded);
}

float toSingle(const Variant& value)
{
    const double number = toDouble(value);
    if (std::fabs(number) > 3.402823466e38)
        overflow();
    return static_cast<float>(number);
}

qint64 toCurrency(const Variant& value)
{
    if (value.type() == VarType::Currency)
        return value.currencyValue();
    const double scaled = roundHalfEven(toDouble(value) * 10000.0);
    if (!(std::fabs(scaled) < 9.2233720368547e18))
        overflow();
    return static_cast<qint64>(scaled);
}

bool toBool(const Variant& value)
{
    switch (value.type()) {
    case VarType::Boolean: return value.boolValue();
    case VarType::Null: raise(ErrInvalidNull);
    case VarType::String: {
        const QString text = value.stringValue().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        double number = 0;
        if (!parseNumber(text, number))
            raise(ErrTypeMismatch);
        return number != 0;
    }
    case VarType::Object: return toBool(defaultValue(value));
    case VarType::Array: raise(ErrTypeMismatch);
    default: return toDouble(value) != 0;
    }
}

double toDate(const Variant& value)
{
    double serial = 0;
    switch (value.type()) {
    case VarType::Date: return value.doubleValue();
    case VarType::Null: raise(ErrInvalidNull);
    case VarType::String:
        if (parseDate(value.stringValue(), serial))
            return serial;
        if (parseNumber(value.stringValue(), serial) && isValidSerial(serial))
            return serial;
        raise(ErrTypeMismatch);
    case VarType::Object: return toDate(defaultValue(value));
    default:
        serial = toDouble(value);
        if (!isValidSerial(serial))
            overflow();
        return serial;
    }
}

QString formatDouble(double value, int significantDigits)
{
    if (value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return value > 0 ? QStringLiteral("1.#INF") : (value < 0 ? QStringLiteral("-1.#INF") : QStringLiteral("-1.#IND"));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
    QString text = QString::fromLatin1(buffer);
    // %G keeps trailing zeros of the mantissa out, but a lone "E+05" form needs no padding fix.
    return text;
}

QString formatCurrency(qint64 tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(tenThousandths) : static_cast<quint64>(tenThousandths);
    QString text = QString::number(magnitude / 10000);
    quint64 fraction = magnitude % 10000;
    if (fraction) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString toString(const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty: return QString();
    case VarType::Null: raise(ErrInvalidNull);
    case VarType::Boolean: return value.boolValue() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Byte: return QString::number(value.byteValue());
    case VarType::Integer: return QString::number(value.integerValue());
    case VarType::Long: return QString::number(value.longValue());
    case VarType::Single: return formatDouble(value.singleValue(), 7);
    case VarType::Double: return formatDouble(value.doubleValue());
    case VarType::Currency: return formatCurrency(value.currencyValue());
    case VarType::Date: return formatDate(value.doubleValue());
    case VarType::String: return value.stringValue();
    case VarType::Object: return toString(defaultValue(value));
    default: raise(ErrTypeMismatch);
    }
}

QString toConcatString(const Variant& value)
{
    if (value.isNull())
        return QString();
    if (value.isString())
        return value.stringValue();
    return toString(value);
}

Variant toArithmetic(const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty: return Variant::fromInteger(0);
    case VarType::String: return Variant::fromDouble(toDouble(value));
    case VarType::Object: return toArithmetic(defaultValue(value));
    case VarType::Array: raise(ErrTypeMismatch);
    case VarType::Error: raise(ErrTypeMismatch);
    default: return value;
    }
}

bool isNumericValue(const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency: return true;
    case VarType::String: {
        double number = 0;
        return parseNumber(value.stringValue(), number);
    }
    default: return false;
    }
}

bool isDateValue(const Variant& value)
{
    if (value.type() == VarType::Date)
        return true;
    double serial = 0;
    return value.isString() && parseDate(value.stringValue(), serial);
}

} // namespace vbs
