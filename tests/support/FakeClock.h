// A clock that stands still until a test moves it. Constructing one installs it; destroying it puts
// back whatever clock was installed before. Its monotonic reading and its time awake move with
// Advance and AdvanceMonotonic, never with Set, as setting a real machine's clock leaves them alone;
// SleepFor moves the local time and the monotonic reading but not the time awake.
#pragma once

#include "framework/Clock.h"
#include "framework/DateUtils.h"

#include <cstdint>

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

    std::uint64_t MonotonicMs() override { return fMonotonicMs; }
    std::uint64_t AwakeMs() override { return fAwakeMs; }

    // Normalised through the calendar, so the day of the week is right whatever was passed.
    void Set(const SYSTEMTIME& now) { fNow = IncSecond(now, 0); }
    // Time passing; a negative step puts the local time back, like setting the clock, and leaves
    // the monotonic reading where it is.
    void Advance(long long seconds)
    {
        fNow = IncSecond(fNow, seconds);
        if (seconds > 0)
            AdvanceMonotonic(static_cast<std::uint64_t>(seconds) * 1000);
    }
    // Time passing in steps finer than the local time's seconds.
    void AdvanceMonotonic(std::uint64_t ms)
    {
        fMonotonicMs += ms;
        fAwakeMs += ms;
    }
    // The machine asleep for a while: no tick comes, and only the time awake stands still.
    void SleepFor(long long seconds)
    {
        fNow = IncSecond(fNow, seconds);
        fMonotonicMs += static_cast<std::uint64_t>(seconds) * 1000;
    }
    // Asleep for less than the local time's seconds: only the monotonic reading moves.
    void SleepForMs(std::uint64_t ms) { fMonotonicMs += ms; }
    const SYSTEMTIME& Current() const { return fNow; }
    // How often the program asked for the time.
    int Reads() const { return fReads; }

private:
    IClock* fPrevious;
    SYSTEMTIME fNow{};
    // Far from zero, so that a reading taken as "no time yet" stands out.
    std::uint64_t fMonotonicMs = 1000000;
    // Apart from the monotonic reading, as on a machine that has slept before.
    std::uint64_t fAwakeMs = 400000;
    int fReads = 0;
};

} // namespace zv
