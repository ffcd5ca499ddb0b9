// The moment the main window is armed for, and the one rule that decides, tick by tick, whether it
// fires: once per arming, at the moment on the wall clock the user reads, whatever the clock does
// between the arming and the moment.
#pragma once

#include <windows.h>

namespace zv {

// Whole seconds of a local wall-clock time since 1601, counted as if every day had 86,400 of them:
// the clock's reading, not the time elapsed. Zero for a time the system cannot represent.
long long WallSecond(const SYSTEMTIME& local);

class TArmedMoment {
public:
    // The first tick's second: a moment is only ever fired by the seconds watched from here on.
    void Start(long long now);

    // A moment in the current second or earlier has passed: it is refused and nothing changes.
    static bool Passed(long long moment, long long now) { return moment <= now; }
    // Arms `moment` anew, unspent; false, with nothing changed, when it has passed.
    bool Arm(long long moment, long long now);
    void Disarm();

    // One tick at `now`; true when it fires, and the moment is spent then. It fires in its own
    // second, or at the first tick after a second it jumped over (a late tick, a clock set forward, a
    // daylight-saving gap, a time zone further east), unless the machine slept in between: an action
    // sprung on its owner the moment the lid opens is worse than none. Once fired, nothing fires
    // again until the next arming: not the second hour of the night daylight saving ends, not a clock
    // put back (by hand, by the time service, or by a time zone further west).
    bool Tick(long long now, bool slept);

    // Kept awake while a moment that has not fired lies ahead.
    bool HoldsAwake(long long now) const { return armed_ && !spent_ && moment_ > now; }

    bool Armed() const { return armed_; }
    bool Spent() const { return spent_; }
    long long Moment() const { return moment_; }

private:
    bool armed_ = false;
    bool spent_ = false;
    long long moment_ = 0;
    // The second of the tick before: seconds after it and before the current one were jumped over.
    long long watchedUpTo_ = 0;
};

} // namespace zv
