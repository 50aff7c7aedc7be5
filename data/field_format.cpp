#include "data/field_format.h"

#include "core/number_mask.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace fieldformat {

namespace {

QLocale plainLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString shortDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString timeFormatWithSeconds()
{
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    if (!format.contains(u's'))
        format.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    return format;
}

} // namespace

QString floatText(double value, int precision)
{
    if (std::isnan(value) || std::isinf(value))
        return QString::number(value);
    return plainLocale().toString(value, 'g', precision > 0 ? std::min(precision, 17) : 15);
}

QString dateText(const QDate& date)
{
    return QLocale().toString(date, shortDateFormat());
}

QString timeText(const QTime& time)
{
    return QLocale().toString(time, timeFormatWithSeconds());
}

QString dateTimeText(const QDateTime& dateTime)
{
    // A date-time at midnight shows its date alone.
    if (dateTime.time() == QTime(0, 0))
        return dateText(dateTime.date());
    return dateText(dateTime.date()) + u' ' + timeText(dateTime.time());
}

QString plainText(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return floatText(value.toDouble(), 15);
    case QMetaType::QDate:
        return dateText(value.toDate());
    case QMetaType::QTime:
        return timeText(value.toTime());
    case QMetaType::QDateTime:
        return dateTimeText(value.toDateTime());
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray());
    default:
        return value.toString();
    }
}

QString formatFloat(double value, const QString& format)
{
    if (format.isEmpty())
        return floatText(value, 15);
    if (const std::optional<QString> text = formatNumberMask(format, value))
        return *text;
    return floatText(value, 15);
}

namespace {

// The run of the same letter (case-insensitive) starting at `i`.
qsizetype runLength(const QString& format, qsizetype i)
{
    qsizetype n = 1;
    while (i + n < format.size() && format[i + n].toLower() == format[i].toLower())
        ++n;
    return n;
}

} // namespace

QString formatDateTime(const QDateTime& value, const QString& format)
{
    if (!value.isValid())
        return {};
    if (format.isEmpty())
        return dateTimeText(value);
    const QLocale locale;
    const QDate date = value.date();
    const QTime time = value.time();
    const bool twelveHour = format.contains(QLatin1String("am/pm"), Qt::CaseInsensitive);
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            out += format.mid(i + 1, (end < 0 ? format.size() : end) - i - 1);
            i = end < 0 ? format.size() : end + 1;
            continue;
        }
        if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            i += 5;
            continue;
        }
        const qsizetype n = lower.isLetter() ? runLength(format, i) : 1;
        if (lower == u'y') {
            afterHour = false;
            out += n <= 2 ? QString::number(date.year() % 100).rightJustified(2, u'0') : QString::number(date.year());
        } else if (lower == u'm' && (afterHour || lower == u'n')) {
            out += n >= 2 ? QString::number(time.minute()).rightJustified(2, u'0') : QString::number(time.minute());
            afterHour = false;
        } else if (lower == u'n') {
            out += n >= 2 ? QString::number(time.minute()).rightJustified(2, u'0') : QString::number(time.minute());
        } else if (lower == u'm') {
            if (n >= 4)
                out += locale.monthName(date.month(), QLocale::LongFormat);
            else if (n == 3)
                out += locale.monthName(date.month(), QLocale::ShortFormat);
            else
                out += n == 2 ? QString::number(date.month()).rightJustified(2, u'0') : QString::number(date.month());
        } else if (lower == u'd') {
            afterHour = false;
            if (n >= 4)
                out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
            else if (n == 3)
                out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else
                out += n == 2 ? QString::number(date.day()).rightJustified(2, u'0') : QString::number(date.day());
        } else if (lower == u'h') {
            int hour = time.hour();
            if (twelveHour)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out += n >= 2 ? QString::number(hour).rightJustified(2, u'0') : QString::number(hour);
            afterHour = true;
        } else if (lower == u's') {
            out += n >= 2 ? QString::number(time.second()).rightJustified(2, u'0') : QString::number(time.second());
        } else if (lower == u'z') {
            out += n >= 3 ? QString::number(time.msec()).rightJustified(3, u'0') : QString::number(time.msec());
        } else if (c == u'/') {
            out += u'/';
        } else {
            out += QStringView(format).mid(i, n);
        }
        i += n;
    }
    return out;
}

} // namespace fieldformat
