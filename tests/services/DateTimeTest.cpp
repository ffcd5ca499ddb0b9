// Time and date texts, date arithmetic and the replaceable clock.
#include <gtest/gtest.h>

#include "framework/Clock.h"
#include "framework/DateUtils.h"
#include "framework/SysUtils.h"
#include "support/FakeClock.h"

using namespace zv;

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0, WORD ms = 0)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, second, ms};
}

std::string Text(const SYSTEMTIME& t)
{
    return Format("%04u-%02u-%02u %02u:%02u:%02u.%03u dow%u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond, t.wMilliseconds, t.wDayOfWeek);
}

constexpr LCID kEnglishUS = 0x0409;

TEST(FormatSettings, DefaultsAreTheUsersLongTimeAndShortDate)
{
    ResetFormatSettings();
    const SYSTEMTIME t = At(2024, 2, 29, 23, 5, 9);
    char expected[100];
    // The locale's own default rendering of both formats, reached by another road than the pictures.
    ASSERT_GT(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, expected, sizeof expected), 0);
    EXPECT_EQ(expected, TimeToText(t));
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, expected, sizeof expected), 0);
    EXPECT_EQ(expected, DateToText(t));
    EXPECT_FALSE(FormatSettings().LongTimeFormat.empty());
    EXPECT_FALSE(FormatSettings().ShortDateFormat.empty());
}

TEST(FormatSettings, ReplacedPicturesDecideTheTexts)
{
    struct Case {
        const char* time;
        const char* date;
        const char* late;  // 2024-02-29 23:05:09
        const char* early; // 2024-03-07 09:05:09
        const char* lateDate;
        const char* earlyDate;
    };
    const Case cases[] = {
        {"HH:mm:ss", "dd.MM.yyyy", "23:05:09", "09:05:09", "29.02.2024", "07.03.2024"},
        {"h:mm:ss tt", "M/d/yyyy", "11:05:09 PM", "9:05:09 AM", "2/29/2024", "3/7/2024"},
        {"HH:mm", "yyyy-MM-dd", "23:05", "09:05", "2024-02-29", "2024-03-07"},
    };
    const std::string before = FormatSettings().LongTimeFormat;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        TFormatSettingsOverride scope({kEnglishUS, c.time, c.date});
        EXPECT_EQ(c.late, TimeToText(At(2024, 2, 29, 23, 5, 9)));
        EXPECT_EQ(c.early, TimeToText(At(2024, 3, 7, 9, 5, 9)));
        EXPECT_EQ(c.lateDate, DateToText(At(2024, 2, 29, 23, 5, 9)));
        EXPECT_EQ(c.earlyDate, DateToText(At(2024, 3, 7, 9, 5, 9)));
    }
    EXPECT_EQ(before, FormatSettings().LongTimeFormat);

    // The day's name comes from the calendar, not from whatever day of the week the caller left.
    TFormatSettingsOverride named({kEnglishUS, "HH:mm:ss", "ddd d.M.yyyy"});
    EXPECT_EQ("Thu 29.2.2024", DateToText(At(2024, 2, 29)));
}

TEST(FormatSettings, OverridesNestAndWithoutSecondsAWholeMinuteHasOneText)
{
    TFormatSettingsOverride outer({kEnglishUS, "HH:mm:ss", "dd.MM.yyyy"});
    {
        TFormatSettingsOverride inner({kEnglishUS, "HH:mm", "dd.MM.yyyy"});
        EXPECT_EQ(TimeToText(At(2024, 1, 1, 22, 30, 0)), TimeToText(At(2024, 1, 1, 22, 30, 59)));
        EXPECT_NE(TimeToText(At(2024, 1, 1, 22, 30, 59)), TimeToText(At(2024, 1, 1, 22, 31, 0)));
    }
    EXPECT_EQ("22:30:59", TimeToText(At(2024, 1, 1, 22, 30, 59)));
    EXPECT_THROW(TimeToText(At(2024, 1, 1, 24, 0, 0)), Exception);
    EXPECT_THROW(DateToText(At(2023, 2, 29)), Exception);
}

TEST(DateTime, DaysSinceTheEpochConvertBothWaysToTheMillisecond)
{
    EXPECT_EQ(0.0, SystemTimeToDateTime(At(1899, 12, 30)));
    EXPECT_EQ(36526.5, SystemTimeToDateTime(At(2000, 1, 1, 12)));
    EXPECT_EQ(-1.0, SystemTimeToDateTime(At(1899, 12, 29)));
    const SYSTEMTIME t = At(2024, 2, 29, 23, 59, 59, 999);
    EXPECT_EQ("2024-02-29 23:59:59.999 dow4", Text(DateTimeToSystemTime(SystemTimeToDateTime(t))));
    EXPECT_EQ("2024-02-29 00:00:00.000 dow0", Text(DateOf(t)));
    EXPECT_THROW(SystemTimeToDateTime(At(2024, 13, 1)), Exception);
    EXPECT_THROW(SystemTimeToDateTime(At(2023, 2, 29)), Exception);
    EXPECT_EQ("2024-03-01 00:00:00.000 dow5", Text(IncSecond(At(2024, 2, 29), 86400)));
}

TEST(DateTime, AddingCrossesMidnightMonthEndsAndLeapDaysExactly)
{
    EXPECT_EQ("2024-01-01 00:00:30.000 dow1",
              Text(DateTimeToSystemTime(IncMinute(SystemTimeToDateTime(At(2023, 12, 31, 23, 59, 30)), 1))));
    EXPECT_EQ("2024-03-01 02:59:00.000 dow5",
              Text(DateTimeToSystemTime(IncMinute(SystemTimeToDateTime(At(2024, 2, 29, 23, 59)), 180))));
    EXPECT_EQ("2024-02-28 12:00:00.000 dow3",
              Text(DateTimeToSystemTime(IncMinute(SystemTimeToDateTime(At(2024, 2, 29, 12)), -1440))));

    EXPECT_EQ("2024-02-29 00:00:00.000 dow4", Text(IncSecond(At(2024, 2, 28, 23, 59, 59), 1)));
    EXPECT_EQ("2023-03-01 00:00:00.000 dow3", Text(IncSecond(At(2023, 2, 28, 23, 59, 59), 1)));
    EXPECT_EQ("2024-04-30 23:59:59.000 dow2", Text(IncSecond(At(2024, 5, 1), -1)));
    EXPECT_EQ("2025-01-01 00:00:01.000 dow3", Text(IncSecond(At(2024, 12, 31, 23, 59, 59), 2)));
}

TEST(Clock, FakeClockStandsStillAdvancesAndRestoresThePreviousClock)
{
    IClock* const real = &Clock();
    {
        TFakeClock clock(2024, 1, 31, 23, 59, 58);
        EXPECT_EQ("2024-01-31 23:59:58.000 dow3", Text(Now()));
        EXPECT_EQ("2024-01-31 23:59:58.000 dow3", Text(Now()));
        clock.Advance(2);
        EXPECT_EQ("2024-02-01 00:00:00.000 dow4", Text(Now()));
        EXPECT_EQ(3, clock.Reads());
        {
            TFakeClock inner(2000, 1, 1);
            EXPECT_EQ(2000, Now().wYear);
        }
        EXPECT_EQ(&clock, &Clock());
        TFormatSettingsOverride formats({kEnglishUS, "HH:mm:ss", "dd.MM.yyyy"});
        EXPECT_EQ("00:00:00", TimeToText(Now()));
        EXPECT_EQ("01.02.2024", DateToText(Now()));
    }
    EXPECT_EQ(real, &Clock());

    SYSTEMTIME local;
    GetLocalTime(&local);
    EXPECT_NEAR(SystemTimeToDateTime(local), SystemTimeToDateTime(Now()), 5.0 / 86400);
}

} // namespace
