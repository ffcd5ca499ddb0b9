// The clock the program reads: local time through a port, so tests can set it and move it on.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zv {

struct IClock {
    virtual ~IClock() = default;
    // The local date and time.
    virtual SYSTEMTIME Now() = 0;
    // Milliseconds on a clock that only runs forward, from an arbitrary start: setting the date and
    // time does not move it, and the time a machine spends asleep counts. For measuring how long
    // something took, not for telling the time.
    virtual std::uint64_t MonotonicMs() { return ::GetTickCount64(); }
};

// The clock in use: the system's local time unless another was installed.
IClock& Clock();

// Installs a clock; nullptr puts the real one back. The caller keeps the clock alive while installed.
void SetClock(IClock* clock);

// The current local date and time, from the clock in use.
SYSTEMTIME Now();

// The monotonic reading of the clock in use.
std::uint64_t MonotonicMs();

} // namespace zv
