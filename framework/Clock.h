// The clock the program reads: local time through a port, so tests can set it and move it on.
#pragma once

#include <windows.h>

namespace zv {

struct IClock {
    virtual ~IClock() = default;
    // The local date and time.
    virtual SYSTEMTIME Now() = 0;
};

// The clock in use: the system's local time unless another was installed.
IClock& Clock();

// Installs a clock; nullptr puts the real one back. The caller keeps the clock alive while installed.
void SetClock(IClock* clock);

// The current local date and time, from the clock in use.
SYSTEMTIME Now();

} // namespace zv
