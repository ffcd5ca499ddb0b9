// Time and date texts in the user's regional formats, and the little date arithmetic the program needs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zv {

// The regional formats as Windows picture strings ("HH:mm:ss", "h:mm:ss tt", "dd.MM.yyyy" ...).
struct TFormatSettings {
    // Supplies what the pictures only name: the AM/PM designators, day and month names.
    LCID Locale = LOCALE_USER_DEFAULT;
    std::string LongTimeFormat;
    std::string ShortDateFormat;
};

// The long time and short date formats of a locale, as the user has set them.
TFormatSettings ReadLocaleFormatSettings(LCID locale = LOCALE_USER_DEFAULT);

// The formats the process formats with; read from the user's locale on first use.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
// Forgets replaced formats: the next use reads the user's locale again.
void ResetFormatSettings();

// Replaces the process formats for its lifetime, then puts back exactly what was there.
class TFormatSettingsOverride {
public:
    explicit TFormatSettingsOverride(const TFormatSettings& settings);
    ~TFormatSettingsOverride();
    TFormatSettingsOverride(const TFormatSettingsOverride&) = delete;
    TFormatSettingsOverride& operator=(const TFormatSettingsOverride&) = delete;

private:
    std::optional<TFormatSettings> previous_;
};

// The time of day with the long time format, the date with the short date format. The picture decides
// what appears: a long time format without seconds gives a text without seconds. Both raise Exception
// for fields out of range.
std::string TimeToText(const SYSTEMTIME& time);
std::string DateToText(const SYSTEMTIME& date);
std::string TimeToText(const SYSTEMTIME& time, const TFormatSettings& settings);
std::string DateToText(const SYSTEMTIME& date, const TFormatSettings& settings);

// Days since 1899-12-30 00:00, the time of day as the fraction.
using TDateTime = double;

// Both raise Exception for a date or time the system cannot represent (before 1601, fields out of range).
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
// To the nearest millisecond; the day of the week is filled in.
SYSTEMTIME DateTimeToSystemTime(TDateTime value);

// Midnight at the start of the same day.
SYSTEMTIME DateOf(const SYSTEMTIME& time);
// Exact calendar arithmetic: crosses midnight, month ends and leap days; fills the day of the week.
SYSTEMTIME IncSecond(const SYSTEMTIME& time, long long seconds);
// Exact to the millisecond.
TDateTime IncMinute(TDateTime value, long long minutes);

} // namespace zv
