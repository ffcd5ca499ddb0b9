#include "app/ArmedMoment.h"

namespace zv {

long long WallSecond(const SYSTEMTIME& local)
{
    SYSTEMTIME t = local;
    t.wMilliseconds = 0;
    FILETIME ft;
    if (!::SystemTimeToFileTime(&t, &ft))
        return 0;
    return static_cast<long long>(((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) /
                                  10000000ULL);
}

void TArmedMoment::Start(long long now) { watchedUpTo_ = now; }

bool TArmedMoment::Arm(long long moment, long long now)
{
    if (Passed(moment, now))
        return false;
    armed_ = true;
    spent_ = false;
    moment_ = moment;
    // The seconds before the arming were not watched for this moment.
    watchedUpTo_ = now;
    return true;
}

void TArmedMoment::Disarm() { armed_ = false; }

bool TArmedMoment::Tick(long long now, bool slept)
{
    const bool due = armed_ && !spent_ &&
                     (now == moment_ || (moment_ > watchedUpTo_ && moment_ < now && !slept));
    // Also when the clock went back: a later tick that jumps over the moment fires it, whatever the
    // clock showed before.
    watchedUpTo_ = now;
    if (due)
        spent_ = true;
    return due;
}

} // namespace zv
