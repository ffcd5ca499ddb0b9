// The clock the program reads, through a port, so tests can set it and move it on. It knows three
// times: the local date and time the user reads, the time since start with the time asleep counted,
// and the time awake alone. The two last ones tell a machine that slept from a held-up loop.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zv {

struct IClock {
    virtual ~IClock() = default;
    // The local date and time.
    virtual SYSTEMTIME Now() = 0;
    // Milliseconds on a clock that only runs forward, from an arbitrary start: setting the date and
    // time does not move it, and the time a machine spends asleep counts.
    virtual std::uint64_t MonotonicMs() { return ::GetTickCount64(); }
    // Milliseconds awake, from an arbitrary start: like MonotonicMs, but standing still while the
    // machine sleeps.
    virtual std::uint64_t AwakeMs()
    {
        ULONGLONG t = 0;
        ::QueryUnbiasedInterruptTime(&t);
        return t / 10000;
    }
};

// The clock in use: the system's local time unless another was installed.
IClock& Clock();

// Installs a clock; nullptr puts the real one back. The caller keeps the clock alive while installed.
void SetClock(IClock* clock);

// The current local date and time, from the clock in use.
SYSTEMTIME Now();

// The monotonic reading of the clock in use, the time asleep included.
std::uint64_t MonotonicMs();

// The time awake of the clock in use.
std::uint64_t AwakeMs();

// The suspend and resume notices the system has sent the program's windows so far. Whatever the
// clocks do through a sleep (on a Modern Standby laptop Windows does not say whether the time awake
// stands still), a change of this count between two readings means the machine slept in between.
// Windows sends the notices to every top-level window: wm-powerbroadcast and pbt-apmsuspend,
// pbt-apmresumeautomatic, pbt-apmresumesuspend on learn.microsoft.com (windows/win32/power).
std::uint32_t PowerNotices();

// Counts one WM_POWERBROADCAST event if it is a suspend or a resume; any other event is left alone.
void NotePowerBroadcast(WPARAM event);

} // namespace zv
