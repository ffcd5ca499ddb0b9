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

} // namespace zv
