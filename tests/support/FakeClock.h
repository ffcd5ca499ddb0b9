// A clock that stands still until a test moves it. Constructing one installs it; destroying it puts
// back whatever clock was installed before.
#pragma once

#include "framework/Clock.h"
#include "framework/DateUtils.h"

namespace zv {

class TFakeClock final : public IClock {
public:
    explicit TFakeClock(const SYSTEMTIME& start) : fPrevious(&Clock()) { Set(start); SetClock(this); }
    TFakeClock(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0)
        : TFakeClock(SYSTEMTIME{year, month, 0, day, hour, minute, second, 0}) {}
    ~TFakeClock() override { SetClock(fPrevious); }
    TFakeClock(const TFakeClock&) = delete;
    TFakeClock& operator=(const TFakeClock&) = delete;

    SYSTEMTIME Now() override
    {
        ++fReads;
        return fNow;
    }

    // Normalised through the calendar, so the day of the week is right whatever was passed.
    void Set(const SYSTEMTIME& now) { fNow = IncSecond(now, 0); }
    void Advance(long long seconds) { fNow = IncSecond(fNow, seconds); }
    const SYSTEMTIME& Current() const { return fNow; }
    // How often the program asked for the time.
    int Reads() const { return fReads; }

private:
    IClock* fPrevious;
    SYSTEMTIME fNow{};
    int fReads = 0;
};

} // namespace zv
