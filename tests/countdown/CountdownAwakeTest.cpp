// The countdown and the machine's power: held awake from confirmation to firing, counting time awake
// only, and never showing more minutes than are left.
#include "tests/countdown/CountdownFixture.h"

#include <algorithm>
#include <functional>

using namespace zv;
using namespace zv::test;

namespace {

const std::vector<bool> kHeld{true};
const std::vector<bool> kHeldThenLetGo{true, false};

using CountdownAwake = CountdownFixture;

TEST_F(CountdownAwake, HeldFromConfirmationToFiringAndLetGoByAnuleazaOrExit)
{
    Seconds(5);
    MinuteTick();
    EXPECT_TRUE(power.Requests().empty());

    Confirm("1");
    EXPECT_EQ(kHeld, power.Requests());
    FirstTickAfterMs(400);
    Seconds(30);
    T().glBitBtn1Click(nullptr); // confirming again restarts, still held
    EXPECT_EQ(kHeld, power.Requests());
    FirstTickAfterMs(400);
    Seconds(57);
    EXPECT_EQ(kHeld, power.Requests());
    Seconds(1); // fires
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
    Seconds(10);
    T().glBitBtn2Click(nullptr); // cancelling what already fired asks nothing
    EXPECT_EQ(kHeldThenLetGo, power.Requests());

    power.Clear();
    Confirm("3");
    T().glBitBtn2Click(nullptr);
    EXPECT_EQ(kHeldThenLetGo, power.Requests());

    power.Clear();
    Confirm("3");
    DestroyWindowSet(); // the program ends
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
}

// Thirty minutes confirmed, the lid closed after ten for an hour: on waking the count goes on with
// the twenty minutes that were left, and fires once when they run out.
TEST_F(CountdownAwake, SleepPausesTheCountAndItGoesOnWithWhatWasLeft)
{
    Confirm("30");
    FirstTickAfterMs(600);
    Seconds(599);
    EXPECT_EQ(601, T().SecondCounter);
    clock.SleepFor(3600);
    Seconds(1);
    EXPECT_EQ(602, T().SecondCounter);
    EXPECT_EQ(33, StripGauge());
    EXPECT_EQ(0u, session.RequestCount());
    EXPECT_EQ(kHeld, power.Requests());
    Seconds(1197);
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1);
    EXPECT_EQ(1u, session.RequestCount());
    Seconds(5);
    EXPECT_EQ(1u, session.RequestCount());
}

// Asleep past the end: nothing on waking; the ticks awake that were lost before the sleep are still
// made up, those asleep are not.
TEST_F(CountdownAwake, SleepPastTheEndFiresNothingOnWakingButLostTicksAwakeStillCount)
{
    Confirm("1");
    FirstTickAfterMs(300);
    Seconds(9); // 11
    clock.Advance(10); // held up, awake
    clock.SleepFor(600);
    Seconds(1);
    EXPECT_EQ(22, T().SecondCounter);
    EXPECT_EQ(36, T().gauge->Progress());
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(37);
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1);
    EXPECT_EQ(1u, session.RequestCount());
}

// The minute tick is lost with the second ticks when the loop is held up. Here it would have come 59 s
// after each confirmation's minute.
TEST_F(CountdownAwake, AfterLostTicksTheMinutesShownAreNeverMoreThanThoseLeft)
{
    auto check = [this] {
        const int left = std::max(1, (T().SecondsTotal - T().SecondCounter + 59) / 60);
        EXPECT_LE(std::stoi(StripLabel()), left) << "at " << T().SecondCounter;
        EXPECT_EQ(StripLabel(), T().spin->GetText());
    };
    Confirm("5");
    FirstTickAfterMs(500);
    Seconds(49);
    clock.Advance(59); // a minute without a tick, the minute tick at 59 s lost
    Seconds(1);
    EXPECT_EQ(111, T().SecondCounter);
    EXPECT_EQ("4", StripLabel());
    EXPECT_EQ("4", T().spin->GetText());
    MinuteTick(); // the one that waited in the queue: its minute was already taken
    EXPECT_EQ("4", StripLabel());
    for (int i = 0; i < 9; ++i) {
        Seconds(1);
        check();
    }
    MinuteTick(); // 119 s
    EXPECT_EQ("3", StripLabel());
    for (int i = 0; i < 60; ++i) {
        Seconds(1);
        check();
    }
    MinuteTick(); // 179 s
    EXPECT_EQ("2", StripLabel());
    for (int i = 0; i < 60; ++i) {
        Seconds(1);
        check();
    }
    MinuteTick();
    EXPECT_EQ("1", StripLabel());
    Seconds(59);
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1);
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ("1", StripLabel());
}

// Each sign of sleep at its limit. Five minutes confirmed, ten seconds counted, then one gap: a gap
// taken as time awake is counted, one taken as sleep the awake clock did not show counts nothing.
class CountdownSleepLimits : public CountdownAwake {
protected:
    // The count after the gap and one more tick.
    int CountAcross(const std::function<void()>& gap)
    {
        Confirm("5");
        FirstTickAfterMs(500);
        Seconds(9);
        EXPECT_EQ(11, T().SecondCounter);
        gap();
        Seconds(1);
        return T().SecondCounter;
    }
};

TEST_F(CountdownSleepLimits, AGapLongerThanAMinuteIsSleepAndCountsNothing)
{
    EXPECT_EQ(71, CountAcross([this] { clock.Advance(59); }));
    EXPECT_EQ(12, CountAcross([this] {
        clock.Advance(59);
        clock.AdvanceMonotonic(1);
    }));
}

// A long gap whose sleep the time awake showed (from one second asleep on) keeps the time awake in it;
// one whose time awake did not show it cannot trust that clock, and counts nothing.
TEST_F(CountdownSleepLimits, AGapTheTimeAwakeShowsAsSleepKeepsItsTimeAwake)
{
    EXPECT_EQ(12, CountAcross([this] {
        clock.Advance(61);
        clock.SleepForMs(999);
    }));
    EXPECT_EQ(73, CountAcross([this] {
        clock.Advance(61);
        clock.SleepForMs(1000);
    }));
}

// A suspend or resume notice, with both clocks running on as on a Modern Standby laptop: the gap is
// sleep, and the countdown goes on with what was left, firing when that runs out.
TEST_F(CountdownSleepLimits, ASuspendOrResumeNoticePausesTheCount)
{
    for (WPARAM event : {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND}) {
        SCOPED_TRACE("event " + std::to_string(event));
        EXPECT_EQ(12, CountAcross([&] {
            clock.Advance(30);
            ::SendMessageA(T().Handle(), WM_POWERBROADCAST, event, 0);
        }));
    }
    EXPECT_EQ(42, CountAcross([&] {
        clock.Advance(30);
        ::SendMessageA(T().Handle(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    }));

    session.Clear();
    CountAcross([&] {
        clock.Advance(600);
        ::SendMessageA(Application->Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    });
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(287);
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1);
    EXPECT_EQ(1u, session.RequestCount());
}

} // namespace
