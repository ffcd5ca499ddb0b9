// Tells a window that acts at a moment whether the machine slept between two of its ticks, and how much
// of the time between them was spent awake. Three signs of sleep, any one enough: the time since start
// ran on while the time awake stood still; the system announced a suspend or a resume; or the ticks
// stopped for longer than a message loop of a running program is ever held up.
#pragma once

#include <cstdint>

namespace zv {

// Asleep at least this long by the clocks, the machine slept; less is the two clocks' own jitter.
constexpr std::uint64_t kSleptMs = 1000;

// A gap between two ticks longer than this is sleep, whatever the clocks and the notices say. Windows
// marks a window that has taken no message for 5 s as not responding, so a loop held up a whole minute
// belongs to a program its user has long seen ghosted; a held-up loop shorter than this is caught up.
// The other way round, a Modern Standby laptop whose time awake runs on and whose sleep nobody
// announced, opened less than a minute after its moment, has its action carried out at most a minute
// late, with its owner back at it.
constexpr std::uint64_t kLongGapMs = 60000;

struct TTickGap {
    // The machine slept since the last look.
    bool slept = false;
    // The time awake since the last look, as a count of time awake may take it: none of a gap whose
    // sleep the time awake did not show, since that clock cannot be trusted for it.
    std::uint64_t awakeMs = 0;
};

class TSleepWatch {
public:
    // From now on.
    void Start();
    // What passed since the last look (or the start).
    TTickGap Look();

private:
    std::uint64_t sinceStartMs_ = 0;
    std::uint64_t awakeMs_ = 0;
    std::uint32_t notices_ = 0;
};

} // namespace zv
