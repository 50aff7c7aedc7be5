// Dates as the language stores them: days since 30 December 1899, the time of day as the
// fraction of the day (for negative serials the fraction still counts forward in the day).
#pragma once

#include <QString>

namespace vbs {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Serial of a calendar day; months and days out of range roll over like DateSerial.
double serialFromDate(int year, int month, int day);
// Fraction of a day for a time; values out of range roll over like TimeSerial.
double serialFromTime(int hour, int minute, int second);
// Combines a day serial and a time fraction the way negative serials need.
double combineDateAndTime(double dateSerial, double timeFraction);
// Splits a serial; false when it is outside the years 100 to 9999.
bool splitSerial(double serial, DateParts& parts);
bool isValidSerial(double serial);

// "1/2/2024", "3:04:05 PM", or both; a zero day gives only the time, a zero time only the date.
QString formatDate(double serial);
QString formatDatePart(const DateParts& parts);  // M/d/yyyy
QString formatTimePart(const DateParts& parts);  // h:mm:ss AM

// Reads a date and/or time from text (M/d/yyyy, yyyy-M-d, month names, h:mm[:ss] [AM|PM]).
bool parseDate(const QString& text, double& serial);

QString monthName(int month, bool abbreviated);
QString weekdayName(int weekday, bool abbreviated); // 1 = Sunday

} // namespace vbs
