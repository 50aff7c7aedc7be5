#include "engine/text/date_time_mask.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kAfternoon(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
const QDateTime kMorning(QDate(2024, 11, 23), QTime(0, 30, 0));

struct DateCase {
    const char* mask;
    QDateTime value;
    const char* english;
    const char* german;
};

class DateTimeMask : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTimeMask, FormatsWithTheLocaleNamesAndSeparators)
{
    const DateCase& c = GetParam();
    const QString mask = QString::fromUtf8(c.mask);
    EXPECT_EQ(rpFormatDateTime(mask, c.value, QLocale(QLocale::English, QLocale::UnitedStates)), QString::fromUtf8(c.english))
        << c.mask;
    EXPECT_EQ(rpFormatDateTime(mask, c.value, QLocale(QLocale::German, QLocale::Germany)), QString::fromUtf8(c.german))
        << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateTimeMask,
    ::testing::Values(
        DateCase{"dd/mm/yyyy", kAfternoon, "05/03/2024", "05.03.2024"},
        DateCase{"d/m/yy", kAfternoon, "5/3/24", "5.3.24"},
        DateCase{"hh:nn:ss", kAfternoon, "14:07:09", "14:07:09"},
        DateCase{"hh:mm", kAfternoon, "14:07", "14:07"},
        DateCase{"d mmmm yyyy", kAfternoon, "5 March 2024", "5 März 2024"},
        DateCase{"ddd d mmm", kMorning, "Sat 23 Nov", "Sa. 23 Nov."},
        DateCase{"dddd", kMorning, "Saturday", "Samstag"},
        DateCase{"h:nn am/pm", kAfternoon, "2:07 pm", "2:07 pm"},
        DateCase{"h:nn AM/PM", kMorning, "12:30 AM", "12:30 AM"},
        DateCase{"h a/p", kAfternoon, "2 p", "2 p"},
        DateCase{"hh:nn:ss.zzz", kAfternoon, "14:07:09.045", "14:07:09.045"},
        DateCase{"'day' d", kAfternoon, "day 5", "day 5"},
        DateCase{"yyyy\"/\"mm", kAfternoon, "2024/03", "2024/03"}));

TEST(DateTimeMaskEdges, DateAndTimeOmitsMidnight)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(rpFormatDateTime(QStringLiteral("c"), QDateTime(QDate(2024, 3, 5), QTime(0, 0)), english),
              english.toString(QDate(2024, 3, 5), QLocale::ShortFormat));
    const QString withTime = rpFormatDateTime(QStringLiteral("c"), kAfternoon, english);
    EXPECT_TRUE(withTime.startsWith(english.toString(QDate(2024, 3, 5), QLocale::ShortFormat) + QLatin1Char(' ')));
    EXPECT_TRUE(withTime.contains(QStringLiteral("2:07:09"))) << withTime.toStdString();
}

TEST(DateTimeMaskEdges, ShortTimeIsTheLocaleFormat)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(rpFormatDateTime(QStringLiteral("t"), kAfternoon, german), QStringLiteral("14:07"));
    EXPECT_EQ(rpFormatDateTime(QStringLiteral("tt"), kAfternoon, german), QStringLiteral("14:07:09"));
}

} // namespace
