#include "framework/DateUtils.h"

#include <cmath>
#include <vector>

#include "framework/SysUtils.h"

namespace zv {

namespace {

std::optional<TFormatSettings> gFormatSettings;

std::string LocaleText(LCID locale, LCTYPE type)
{
    const int size = ::GetLocaleInfoA(locale, type, nullptr, 0);
    if (size <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(size));
    ::GetLocaleInfoA(locale, type, buffer.data(), size);
    return buffer.data();
}

using TFormatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);

std::string FormatWith(TFormatter formatter, const SYSTEMTIME& value, const TFormatSettings& settings,
                       const std::string& picture, const char* what)
{
    const int size = formatter(settings.Locale, 0, &value, picture.c_str(), nullptr, 0);
    if (size <= 0)
        throw Exception(Format("Invalid %s", what));
    std::vector<char> buffer(static_cast<size_t>(size));
    formatter(settings.Locale, 0, &value, picture.c_str(), buffer.data(), size);
    return buffer.data();
}

constexpr long long kTicksPerMillisecond = 10000;
constexpr long long kMillisecondsPerDay = 86400000;
// 1899-12-30 00:00 in FILETIME ticks (100 ns since 1601-01-01): 109205 days.
constexpr long long kDateTimeEpochTicks = 109205LL * kMillisecondsPerDay * kTicksPerMillisecond;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Wine's SystemTimeToFileTime lets 29 February through in every year; the check is done here.
bool DayExists(const SYSTEMTIME& time)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (time.wMonth < 1 || time.wMonth > 12 || time.wDay < 1)
        return false;
    const int last = kDays[time.wMonth - 1] + (time.wMonth == 2 && IsLeapYear(time.wYear) ? 1 : 0);
    return time.wDay <= last;
}

long long ToTicks(const SYSTEMTIME& time)
{
    FILETIME ft;
    if (!DayExists(time) || !::SystemTimeToFileTime(&time, &ft))
        throw Exception("Invalid date or time");
    return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

SYSTEMTIME FromTicks(long long ticks)
{
    SYSTEMTIME time{};
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks));
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks) >> 32);
    if (ticks < 0 || !::FileTimeToSystemTime(&ft, &time))
        throw Exception("Invalid date or time");
    return time;
}

long long ToMilliseconds(TDateTime value)
{
    return std::llround(value * static_cast<double>(kMillisecondsPerDay));
}

} // namespace

TFormatSettings ReadLocaleFormatSettings(LCID locale)
{
    TFormatSettings settings;
    settings.Locale = locale;
    settings.LongTimeFormat = LocaleText(locale, LOCALE_STIMEFORMAT);
    settings.ShortDateFormat = LocaleText(locale, LOCALE_SSHORTDATE);
    return settings;
}

const TFormatSettings& FormatSettings()
{
    if (!gFormatSettings)
        gFormatSettings = ReadLocaleFormatSettings();
    return *gFormatSettings;
}

void SetFormatSettings(const TFormatSettings& settings)
{
    gFormatSettings = settings;
}

void ResetFormatSettings()
{
    gFormatSettings.reset();
}

TFormatSettingsOverride::TFormatSettingsOverride(const TFormatSettings& settings) : previous_(gFormatSettings)
{
    gFormatSettings = settings;
}

TFormatSettingsOverride::~TFormatSettingsOverride()
{
    gFormatSettings = previous_;
}

std::string TimeToText(const SYSTEMTIME& time, const TFormatSettings& settings)
{
    return FormatWith(::GetTimeFormatA, time, settings, settings.LongTimeFormat, "time");
}

std::string DateToText(const SYSTEMTIME& date, const TFormatSettings& settings)
{
    // Through the calendar first: not every GetDateFormat refuses a day the month does not have, and
    // pictures with the day's name need the right day of the week.
    SYSTEMTIME day;
    try {
        day = IncSecond(DateOf(date), 0);
    } catch (const Exception&) {
        throw Exception("Invalid date");
    }
    return FormatWith(::GetDateFormatA, day, settings, settings.ShortDateFormat, "date");
}

std::string TimeToText(const SYSTEMTIME& time)
{
    return TimeToText(time, FormatSettings());
}

std::string DateToText(const SYSTEMTIME& date)
{
    return DateToText(date, FormatSettings());
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time)
{
    const long long ms = (ToTicks(time) - kDateTimeEpochTicks) / kTicksPerMillisecond;
    return static_cast<double>(ms) / static_cast<double>(kMillisecondsPerDay);
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value)
{
    return FromTicks(kDateTimeEpochTicks + ToMilliseconds(value) * kTicksPerMillisecond);
}

SYSTEMTIME DateOf(const SYSTEMTIME& time)
{
    SYSTEMTIME date = time;
    date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
    return date;
}

SYSTEMTIME IncSecond(const SYSTEMTIME& time, long long seconds)
{
    return FromTicks(ToTicks(time) + seconds * 1000 * kTicksPerMillisecond);
}

TDateTime IncMinute(TDateTime value, long long minutes)
{
    return static_cast<double>(ToMilliseconds(value) + minutes * 60000) / static_cast<double>(kMillisecondsPerDay);
}

} // namespace zv
