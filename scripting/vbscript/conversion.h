// Conversions between Variant types, with the language's rounding and errors.
#pragma once

#include "scripting/vbscript/variant.h"

namespace vbs {

// Objects give their default value; other values are returned unchanged.
Variant plainValue(const Variant& value);

// Reads a number from text as scripts may write it (" 12", "-1.5e3", "&HFF"); false if not numeric.
bool parseNumber(const QString& text, double& value);

double toDouble(const Variant& value);      // Type mismatch / Invalid use of Null
qint32 toLong(const Variant& value);        // rounds half to even; Overflow out of range
qint16 toInteger(const Variant& value);
quint8 toByte(const Variant& value);
float toSingle(const Variant& value);
qint64 toCurrency(const Variant& value);    // ten-thousandths
bool toBool(const Variant& value);
double toDate(const Variant& value);
QString toString(const Variant& value);     // Null raises Invalid use of Null
// Like toString, but Null gives the empty text (for concatenation).
QString toConcatString(const Variant& value);

// A numeric Variant for arithmetic: strings become Double, Empty becomes Integer 0, Boolean
// stays Boolean; Null stays Null.
Variant toArithmetic(const Variant& value);

// Rounds half to even, as every integer conversion of the language does.
double roundHalfEven(double value);

QString formatDouble(double value, int significantDigits = 15);
QString formatCurrency(qint64 tenThousandths);

bool isNumericValue(const Variant& value); // IsNumeric
bool isDateValue(const Variant& value);    // IsDate

} // namespace vbs
