// Date serials: conversion between serials, calendar parts and text.
#include "scripting/vbscript/datetime.h"

#include <QDate>
#include <QStringList>

#include <cmath>

namespace vbs {

namespace {

constexpr qint64 julianDayOfEpoch = 2415019; // 30 December 1899
constexpr double minSerial = -657434.0;      // 1 January 100
constexpr double maxSerial = 2958465.99999;  // 31 December 9999

const char* const monthNames[] = {"January", "February", "March", "April", "May", "June", "July",
                                  "August", "September", "October", "November", "December"};
const char* const dayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

int monthFromName(const QString& word)
{
    if (word.size() < 3)
        return 0;
    for (int i = 0; i < 12; ++i) {
        const QString name = QString::fromLatin1(monthNames[i]);
        if (name.startsWith(word, Qt::CaseInsensitive))
            return i + 1;
    }
    return 0;
}

struct DateTokens {
    QList<int> numbers;
    int month = 0;     // from a month name
    int ampm = 0;      // 1 = AM, 2 = PM
    QList<int> timeNumbers;
    bool yearFirst = false;
};

bool tokenise(const QString& text, DateTokens& tokens)
{
    int i = 0;
    const int n = text.size();
    bool inTime = false;
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isDigit()) {
            int value = 0;
            int digits = 0;
            while (i < n && text.at(i).isDigit()) {
                if (digits < 6)
                    value = value * 10 + text.at(i).digitValue();
                ++digits, ++i;
            }
            if (digits > 5)
                return false;
            const bool timeFollows = i < n && text.at(i) == QLatin1Char(':');
            if (timeFollows)
                inTime = true;
            if (inTime) {
                tokens.timeNumbers.append(value);
                if (!timeFollows)
                    inTime = false;
            } else {
                if (tokens.numbers.isEmpty() && digits >= 3)
                    tokens.yearFirst = true;
                tokens.numbers.append(value);
            }
        } else if (c.isLetter()) {
            const int start = i;
            while (i < n && text.at(i).isLetter())
                ++i;
            const QString word = text.mid(start, i - start);
            if (word.compare(QLatin1String("AM"), Qt::CaseInsensitive) == 0 || word.compare(QLatin1String("A"), Qt::CaseInsensitive) == 0)
                tokens.ampm = 1;
            else if (word.compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0 || word.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0)
                tokens.ampm = 2;
            else if (const int month = monthFromName(word); month && !tokens.month)
                tokens.month = month;
            else {
                bool isDayName = false;
                for (const char* day : dayNames)
                    isDayName = isDayName || QString::fromLatin1(day).startsWith(word, Qt::CaseInsensitive);
                if (!isDayName)
                    return false;
            }
        } else if (c == QLatin1Char(':')) {
            ++i;
        } else if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(',') || c == QLatin1Char('.')
                   || c.isSpace()) {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

int expandYear(int year)
{
    if (year < 30)
        return 2000 + year;
    if (year < 100)
        return 1900 + year;
    return year;
}

bool dateFromTokens(const DateTokens& t, double& serial)
{
    int year = 0, month = 0, day = 0;
    const QList<int>& n = t.numbers;
    if (t.month) {
        month = t.month;
        if (n.size() == 2) {
            day = n[0] > 31 ? n[1] : n[0];
            year = n[0] > 31 ? n[0] : n[1];
        } else if (n.size() == 1) {
            day = n[0];
            year = QDate::currentDate().year();
        } else {
            return false;
        }
    } else if (n.size() == 3) {
        if (t.yearFirst)
            year = n[0], month = n[1], day = n[2];
        else
            month = n[0], day = n[1], year = n[2];
    } else if (n.size() == 2) {
        month = n[0], day = n[1], year = QDate::currentDate().year();
    } else {
        return false;
    }
    year = expandYear(year);
    if (month < 1 || month > 12 || !QDate::isValid(year, month, day) || year < 100 || year > 9999)
        return false;
    serial = serialFromDate(year, month, day);
    return true;
}

bool timeFromTokens(const DateTokens& t, double& fraction)
{
    const QList<int>& n = t.timeNumbers;
    if (n.size() < 2 || n.size() > 3)
        return false;
    int hour = n[0];
    const int minute = n[1];
    const int second = n.size() == 3 ? n[2] : 0;
    if (t.ampm) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (t.ampm == 2 ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    fraction = serialFromTime(hour, minute, second);
    return true;
}

} // namespace

double serialFromDate(int year, int month, int day)
{
    // Roll months over first, then let the day count run freely from the first of the month.
    long long totalMonths = static_cast<long long>(year) * 12 + (month - 1);
    const int normalYear = static_cast<int>(std::floor(totalMonths / 12.0));
    const int normalMonth = static_cast<int>(totalMonths - static_cast<long long>(normalYear) * 12) + 1;
    const QDate first(normalYear, normalMonth, 1);
    return static_cast<double>(first.toJulianDay() - julianDayOfEpoch) + (day - 1);
}

double serialFromTime(int hour, int minute, int second)
{
    const double seconds = hour * 3600.0 + minute * 60.0 + second;
    return seconds / 86400.0;
}

double combineDateAndTime(double dateSerial, double timeFraction)
{
    return dateSerial < 0 ? dateSerial - timeFraction : dateSerial + timeFraction;
}

bool isValidSerial(double serial) { return serial >= minSerial && serial <= maxSerial + 1; }

bool splitSerial(double serial, DateParts& parts)
{
    if (!std::isfinite(serial) || !isValidSerial(serial))
        return false;
    double days = std::trunc(serial);
    double fraction = std::fabs(serial - days);
    long long seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += serial < 0 ? -1 : 1;
    }
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(days) + julianDayOfEpoch);
    parts.year = date.year();
    parts.month = date.month();
    parts.day = date.day();
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return true;
}

QString formatDatePart(const DateParts& p)
{
    return QStringLiteral("%1/%2/%3").arg(p.month).arg(p.day).arg(p.year);
}

QString formatTimePart(const DateParts& p)
{
    const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(hour12)
        .arg(p.minute, 2, 10, QLatin1Char('0'))
        .arg(p.second, 2, 10, QLatin1Char('0'))
        .arg(p.hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString formatDate(double serial)
{
    DateParts parts;
    if (!splitSerial(serial, parts))
        return QString::number(serial);
    const bool hasTime = parts.hour || parts.minute || parts.second;
    const bool hasDate = std::trunc(serial) != 0;
    if (hasDate && hasTime)
        return formatDatePart(parts) + QLatin1Char(' ') + formatTimePart(parts);
    if (hasTime)
        return formatTimePart(parts);
    return formatDatePart(parts);
}

bool parseDate(const QString& text, double& serial)
{
    DateTokens tokens;
    if (text.trimmed().isEmpty() || !tokenise(text, tokens))
        return false;
    const bool hasDate = !tokens.numbers.isEmpty() || tokens.month;
    const bool hasTime = !tokens.timeNumbers.isEmpty();
    if (!hasDate && !hasTime)
        return false;
    double datePart = 0, timePart = 0;
    if (hasDate && !dateFromTokens(tokens, datePart))
        return false;
    if (hasTime && !timeFromTokens(tokens, timePart))
        return false;
    if (!hasTime && tokens.ampm)
        return false;
    serial = combineDateAndTime(datePart, timePart);
    return true;
}

QString monthName(int month, bool abbreviated)
{
    if (month < 1 || month > 12)
        return QString();
    const QString name = QString::fromLatin1(monthNames[month - 1]);
    return abbreviated ? name.left(3) : name;
}

QString weekdayName(int weekday, bool abbreviated)
{
    if (weekday < 1 || weekday > 7)
        return QString();
    const QString name = QString::fromLatin1(dayNames[weekday - 1]);
    return abbreviated ? name.left(3) : name;
}

} // namespace vbs
