// Number formatting shared by the evaluator: the general float format used for text forms,
// and numeric masks ("#,##0.00", "0.0;(0.0);zero") as FORMATNUMERIC applies them.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Up to 15 significant digits, fixed notation for exponents -5..14 and "1.5E20" style
// otherwise, with the locale's decimal separator and no grouping.
QString formatFloatGeneral(double value, const QLocale& locale = QLocale());

// Formats value with a numeric mask: '0' forced digit, '#' optional digit, '.' decimal
// point, ',' anywhere in the integer part turns on thousands grouping, "E+0"/"E-0"
// scientific notation, quoted text and any other character literal, and up to three
// sections (positive;negative;zero). An empty mask gives the general format. Separators
// come from the locale. No value for infinities and NaN.
std::optional<QString> formatNumericMask(const QString& mask, double value,
                                         const QLocale& locale = QLocale());
