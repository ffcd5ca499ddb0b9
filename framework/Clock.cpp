#include "framework/Clock.h"

namespace zv {

namespace {

class TSystemClock final : public IClock {
public:
    SYSTEMTIME Now() override
    {
        SYSTEMTIME st;
        ::GetLocalTime(&st);
        return st;
    }
};

TSystemClock gSystemClock;
IClock* gClock = &gSystemClock;
std::uint32_t gPowerNotices = 0;

} // namespace

IClock& Clock()
{
    return *gClock;
}

void SetClock(IClock* clock)
{
    gClock = clock ? clock : &gSystemClock;
}

SYSTEMTIME Now()
{
    return gClock->Now();
}

std::uint64_t MonotonicMs()
{
    return gClock->MonotonicMs();
}

std::uint64_t AwakeMs()
{
    return gClock->AwakeMs();
}

std::uint32_t PowerNotices()
{
    return gPowerNotices;
}

void NotePowerBroadcast(WPARAM event)
{
    // The same notice reaches several of the program's windows; only a change of the count matters.
    if (event == PBT_APMSUSPEND || event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        ++gPowerNotices;
}

} // namespace zv
