// Formatting numbers with a format mask, in the locale's separators.
//
// A mask has up to three sections separated by ';': for positive values, for negative
// values (shown without a minus sign) and for zero; an empty or missing section falls
// back to the first, negative values then getting a leading minus sign. Within a section:
//   0      a digit, always shown (leading and trailing zeros included)
//   #      a digit, shown only when significant
//   .      the decimal separator; the digit places after it fix the decimals
//   ,      anywhere before the decimal separator: group thousands
//   E+0 E-0 e+0 e-0   scientific notation; the zeros give the minimum exponent digits,
//          "+" shows the sign of positive exponents as well
//   "x" 'x' literal text; any other character is copied as it stands.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// No text for infinities and NaN. An empty mask gives the value in the general format.
std::optional<QString> rpFormatNumber(const QString& mask, double value, const QLocale& locale = QLocale());
