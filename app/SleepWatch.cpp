#include "app/SleepWatch.h"

#include "framework/Clock.h"

namespace zv {

void TSleepWatch::Start()
{
    sinceStartMs_ = MonotonicMs();
    awakeMs_ = AwakeMs();
    notices_ = PowerNotices();
}

TTickGap TSleepWatch::Look()
{
    const std::uint64_t sinceStartMs = MonotonicMs();
    const std::uint64_t awakeMs = AwakeMs();
    const std::uint32_t notices = PowerNotices();
    const std::uint64_t gapMs = sinceStartMs > sinceStartMs_ ? sinceStartMs - sinceStartMs_ : 0;
    const std::uint64_t awakeGapMs = awakeMs > awakeMs_ ? awakeMs - awakeMs_ : 0;
    sinceStartMs_ = sinceStartMs;
    awakeMs_ = awakeMs;
    const bool announced = notices != notices_;
    notices_ = notices;

    const bool asleepByClocks = gapMs >= awakeGapMs + kSleptMs;
    TTickGap gap;
    gap.slept = asleepByClocks || announced || gapMs > kLongGapMs;
    gap.awakeMs = gap.slept && !asleepByClocks ? 0 : awakeGapMs;
    return gap;
}

} // namespace zv
