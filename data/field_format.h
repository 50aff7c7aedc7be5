// The texts field values are shown as: the plain text of a value in the user's locale, and
// the display formats of numeric and date-time fields ("#,##0.00", "dd/mm/yyyy hh:nn").
#pragma once

#include <QString>
#include <QVariant>

class QDateTime;

namespace fieldformat {

// Numbers without group separators, booleans as "True"/"False", dates and times in the
// locale's short date (four-digit year) and its time with seconds.
QString plainText(const QVariant& value);
QString floatText(double value, int precision);
QString dateText(const QDate& date);
QString timeText(const QTime& time);
QString dateTimeText(const QDateTime& dateTime);

// A number formatted by a numeric mask (core/number_mask.h) in the user's locale; without
// a format, and for infinities and NaN, the number's plain text.
QString formatFloat(double value, const QString& format);

// A date-time formatted by a picture of d, dd, ddd, dddd, m, mm, mmm, mmmm, yy, yyyy,
// h, hh, n, nn, s, ss, z, zzz, am/pm, "/" and ":"; quoted text kept. "m" after an hour
// means minutes.
QString formatDateTime(const QDateTime& value, const QString& format);

} // namespace fieldformat
