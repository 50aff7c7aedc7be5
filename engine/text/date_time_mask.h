// Formatting dates and times with a format mask, in the locale's names and separators.
//
// Specifiers (any case):
//   c        short date, then the long time unless the time is midnight
//   d dd     day of month; ddd dddd short and long day name; ddddd short date; dddddd long date
//   m mm     month, or minutes right after an hour specifier; mmm mmmm short and long month name
//   yy yyyy  two- and four-digit year
//   h hh     hour (12-hour clock when the mask holds an am/pm specifier)
//   n nn     minutes;  s ss  seconds;  z zzz  milliseconds
//   t tt     short and long time
//   am/pm a/p  "am"/"pm" or "a"/"p" in the case written; ampm  the locale's texts
//   /        the locale's date separator;  :  the locale's time separator
//   "x" 'x'  literal text; any other character is copied as it stands.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// An empty mask gives the same as "c".
QString rpFormatDateTime(const QString& mask, const QDateTime& value, const QLocale& locale = QLocale());
