#include "engine/text/date_time_mask.h"

#include "core/mask_sections.h"

namespace {

QChar lower(QChar c)
{
    return c.toLower();
}

// The run of the same letter (any case) starting at pos.
qsizetype runLength(const QString& mask, qsizetype pos)
{
    qsizetype end = pos + 1;
    while (end < mask.size() && lower(mask[end]) == lower(mask[pos]))
        ++end;
    return end - pos;
}

bool startsWithAt(const QString& mask, qsizetype pos, QLatin1String text)
{
    return mask.mid(pos, text.size()).compare(text, Qt::CaseInsensitive) == 0;
}

// The first character of a locale format that is not a field letter.
QString separatorOf(const QString& format, const QString& fallback)
{
    for (QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && !rpmask::isQuote(c))
            return QString(c);
    }
    return fallback;
}

// The locale's long time format without the time zone, which report pages do not show.
QString longTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

bool hasAmPm(const QString& mask)
{
    for (qsizetype pos = 0; pos < mask.size(); ++pos) {
        if (rpmask::isQuote(mask[pos])) {
            rpmask::readQuoted(mask, pos);
            --pos;
            continue;
        }
        if (startsWithAt(mask, pos, QLatin1String("am/pm")) || startsWithAt(mask, pos, QLatin1String("a/p"))
            || startsWithAt(mask, pos, QLatin1String("ampm")))
            return true;
    }
    return false;
}

class DateTimeFormatter {
public:
    DateTimeFormatter(const QString& mask, const QDateTime& value, const QLocale& locale)
        : m_mask(mask), m_date(value.date()), m_time(value.time()), m_locale(locale), m_twelveHour(hasAmPm(mask)) {}

    QString run()
    {
        while (m_pos < m_mask.size())
            step();
        return m_text;
    }

private:
    QString shortDate() const { return m_locale.toString(m_date, QLocale::ShortFormat); }
    QString longDate() const { return m_locale.toString(m_date, QLocale::LongFormat); }
    QString shortTime() const { return m_locale.toString(m_time, QLocale::ShortFormat); }
    QString longTime() const { return m_locale.toString(m_time, longTimeFormat(m_locale)); }

    static QString twoDigits(int value) { return QString::number(value).rightJustified(2, QLatin1Char('0')); }

    void put(const QString& text, qsizetype consumed, bool hour = false)
    {
        m_text += text;
        m_pos += consumed;
        m_afterHour = hour;
    }

    void putLiteral(const QString& text, qsizetype consumed)
    {
        m_text += text;
        m_pos += consumed;
    }

    void step()
    {
        const QChar c = m_mask[m_pos];
        if (rpmask::isQuote(c)) {
            m_text += rpmask::readQuoted(m_mask, m_pos);
            return;
        }
        if (stepAmPm())
            return;
        const qsizetype run = runLength(m_mask, m_pos);
        switch (lower(c).unicode()) {
        case 'c': return put(dateAndTime(), 1);
        case 'd': return day(run);
        case 'm': return month(run);
        case 'y': return put(run <= 2 ? twoDigits(m_date.year() % 100) : QString::number(m_date.year()), run);
        case 'h': return hour(run);
        case 'n': return minutes(std::min<qsizetype>(run, 2));
        case 's': {
            const qsizetype used = std::min<qsizetype>(run, 2);
            return put(used == 1 ? QString::number(m_time.second()) : twoDigits(m_time.second()), used);
        }
        case 'z': {
            const qsizetype used = run >= 3 ? 3 : 1;
            const QString ms = QString::number(m_time.msec());
            return put(used == 3 ? ms.rightJustified(3, QLatin1Char('0')) : ms, used);
        }
        case 't': return put(run >= 2 ? longTime() : shortTime(), std::min<qsizetype>(run, 2));
        case '/': return putLiteral(separatorOf(m_locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/")), 1);
        case ':': return putLiteral(separatorOf(m_locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":")), 1);
        default: return putLiteral(QString(c), 1);
        }
    }

    QString dateAndTime() const
    {
        if (m_time == QTime(0, 0))
            return shortDate();
        return shortDate() + QLatin1Char(' ') + longTime();
    }

    void day(qsizetype run)
    {
        if (run >= 6)
            return put(longDate(), 6);
        if (run == 5)
            return put(shortDate(), 5);
        if (run == 4)
            return put(m_locale.dayName(m_date.dayOfWeek(), QLocale::LongFormat), 4);
        if (run == 3)
            return put(m_locale.dayName(m_date.dayOfWeek(), QLocale::ShortFormat), 3);
        put(run == 2 ? twoDigits(m_date.day()) : QString::number(m_date.day()), run);
    }

    void month(qsizetype run)
    {
        if (m_afterHour && run <= 2)
            return minutes(run);
        if (run >= 4)
            return put(m_locale.monthName(m_date.month(), QLocale::LongFormat), 4);
        if (run == 3)
            return put(m_locale.monthName(m_date.month(), QLocale::ShortFormat), 3);
        put(run == 2 ? twoDigits(m_date.month()) : QString::number(m_date.month()), run);
    }

    void hour(qsizetype run)
    {
        int value = m_time.hour();
        if (m_twelveHour) {
            value %= 12;
            if (value == 0)
                value = 12;
        }
        const qsizetype used = std::min<qsizetype>(run, 2);
        put(used == 2 ? twoDigits(value) : QString::number(value), used, true);
    }

    void minutes(qsizetype run)
    {
        put(run == 2 ? twoDigits(m_time.minute()) : QString::number(m_time.minute()), run);
    }

    // "am/pm" and "a/p" keep the case of their first letter; "ampm" uses the locale's.
    bool stepAmPm()
    {
        const bool pm = m_time.hour() >= 12;
        if (startsWithAt(m_mask, m_pos, QLatin1String("am/pm"))) {
            const QString text = pm ? QStringLiteral("pm") : QStringLiteral("am");
            putLiteral(m_mask[m_pos].isUpper() ? text.toUpper() : text, 5);
            return true;
        }
        if (startsWithAt(m_mask, m_pos, QLatin1String("a/p"))) {
            const QString text = pm ? QStringLiteral("p") : QStringLiteral("a");
            putLiteral(m_mask[m_pos].isUpper() ? text.toUpper() : text, 3);
            return true;
        }
        if (startsWithAt(m_mask, m_pos, QLatin1String("ampm"))) {
            putLiteral(pm ? m_locale.pmText() : m_locale.amText(), 4);
            return true;
        }
        return false;
    }

    const QString& m_mask;
    QDate m_date;
    QTime m_time;
    const QLocale& m_locale;
    bool m_twelveHour;
    qsizetype m_pos = 0;
    QString m_text;
    bool m_afterHour = false;
};

} // namespace

QString rpFormatDateTime(const QString& mask, const QDateTime& value, const QLocale& locale)
{
    const QString effective = mask.isEmpty() ? QStringLiteral("c") : mask;
    return DateTimeFormatter(effective, value, locale).run();
}
