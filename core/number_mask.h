// Numbers as text: the general float format, and format masks such as "#,##0.00",
// "0.0;(0.0);zero" and "0.00E+00", in the locale's separators.
//
// A mask has up to three sections separated by ';': for positive values, for negative
// values (shown without a minus sign) and for zero. A value that rounds to zero in the
// section that would show it takes the zero section, or the first one without a sign.
// A negative value without a negative section takes the first with a leading minus sign.
// A section that is empty where it is used shows the value in the general format.
// Within a section:
//   0      a digit, always shown (leading and trailing zeros included)
//   #      a digit, shown only when significant
//   .      the decimal separator; the digit places after it fix the decimals
//   ,      anywhere before the decimal separator: group thousands
//   E+0 E-0 e+0 e-0   scientific notation; the zeros give the minimum exponent digits,
//          "+" shows the sign of positive exponents as well
//   "x" 'x' literal text; any other character is copied as it stands.
// Digits are rounded half away from zero on the shortest decimal form of the value, so
// 1.005 gives "1.01" with "0.00". A section without digit places shows its text only.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// Up to 15 significant digits, fixed notation for exponents -5..14 and "1.5E20" style
// otherwise, with the locale's decimal separator and no grouping; "INF", "-INF", "NAN".
QString formatFloatGeneral(double value, const QLocale& locale = QLocale());

// No text for infinities and NaN. An empty mask gives the general format.
std::optional<QString> formatNumberMask(const QString& mask, double value, const QLocale& locale = QLocale());
