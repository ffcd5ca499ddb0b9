// The main window and the machine's power: held awake exactly while an armed moment lies ahead, and
// a moment that passed while the machine slept left unfired on waking.
#include "tests/app/AppFixture.h"

#include "countdown/Temporizator.h"

#include <functional>

using namespace zv;
using namespace zv::test;

namespace {

SYSTEMTIME At(WORD h, WORD m, WORD s, WORD day = 8)
{
    return SYSTEMTIME{2026, 12, 0, day, h, m, s, 0};
}

const std::vector<bool> kHeld{true};
const std::vector<bool> kHeldThenLetGo{true, false};

class MainWindowAwake : public AppFixture {
protected:
    void Arm(const SYSTEMTIME& moment)
    {
        Form2->DateTimePicker2->SetDateTime(moment);
        Form2->DateTimePicker1->SetDateTime(moment);
        ClickButton(Form2->glBitBtn1);
        ASSERT_TRUE(Form2->Validated);
    }
};

TEST_F(MainWindowAwake, HeldFromArmingToTheMomentWithOneRequestPerChange)
{
    for (int i = 0; i < 3; ++i)
        TickAfter(1); // following the clock holds nothing
    EXPECT_TRUE(power.Requests().empty());

    Arm(At(14, 30, 8));
    EXPECT_EQ(kHeld, power.Requests());
    for (int i = 0; i < 4; ++i)
        TickAfter(1);
    EXPECT_EQ(kHeld, power.Requests()) << "not asked again on every tick";
    TickAfter(1); // 14:30:08 fires and lets go
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
    TickAfter(1);
    TickAfter(60);
    EXPECT_EQ(kHeldThenLetGo, power.Requests());

    // Arming again over an armed moment asks nothing new.
    power.Clear();
    Arm(At(15, 0, 0));
    Arm(At(16, 0, 0));
    EXPECT_EQ(kHeld, power.Requests());

    // A clock set forward past the moment: fired once, and let go.
    clock.Set(At(16, 5, 0));
    Tick();
    EXPECT_EQ(2u, session.RequestCount());
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
}

TEST_F(MainWindowAwake, LetGoByAnuleazaAnulareAndExitAndNeverHeldForAMomentInThePast)
{
    Arm(At(15, 0, 0));
    ClickButton(Form2->glBitBtn2);
    EXPECT_EQ(kHeldThenLetGo, power.Requests());

    power.Clear();
    Arm(At(15, 0, 0));
    ClickMenu(Form2, Form2->Bind<TMenuItem>("Anulare1"));
    EXPECT_EQ(kHeldThenLetGo, power.Requests());

    power.Clear();
    Form2->DateTimePicker1->SetDateTime(At(14, 29, 0));
    ClickButton(Form2->glBitBtn1); // refused: the moment has passed
    TickAfter(1);
    EXPECT_FALSE(Form2->Validated);
    EXPECT_TRUE(power.Requests().empty());

    Arm(At(15, 0, 0));
    DestroyWindowSet(); // the program ends
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
}

TEST_F(MainWindowAwake, BothWindowsHoldTogetherAndTheLastOneLetsGo)
{
    Arm(At(15, 0, 0));
    temporizator->spin->SetValue(5);
    temporizator->glBitBtn1Click(nullptr);
    ClickButton(Form2->glBitBtn2);
    EXPECT_EQ(kHeld, power.Requests()) << "the countdown still holds";
    temporizator->glBitBtn2Click(nullptr);
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
}

// A laptop closed at 22:00 with a shut-down armed for 22:30 and opened at 08:00: nothing happens,
// and the window still shows what was armed.
TEST_F(MainWindowAwake, AMomentThatPassedWhileAsleepIsNotCarriedOutOnWaking)
{
    clock.Set(At(22, 0, 0));
    Tick();
    Arm(At(22, 30, 0));
    TickAfter(1);
    clock.SleepFor(10 * 3600);
    Tick();
    TickAfter(1);
    TickAfter(3600);
    EXPECT_EQ(0u, session.RequestCount());
    EXPECT_TRUE(Form2->Validated);
    EXPECT_EQ("22:30:00", Form2->Label4->Caption());
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
}

TEST_F(MainWindowAwake, SleepBeforeTheMomentKeepsItAndItFiresOnTime)
{
    Arm(At(14, 40, 0));
    TickAfter(1);
    clock.SleepFor(5 * 60);
    Tick(); // 14:35:01
    EXPECT_EQ(0u, session.RequestCount());
    EXPECT_EQ(kHeld, power.Requests());
    while (clock.Current().wMinute < 40)
        TickAfter(1);
    EXPECT_EQ("14:40:00", Form2->glLabel4->Caption());
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ(kHeldThenLetGo, power.Requests());
}

// The same ten seconds without a tick across the moment: held up while awake, it fires once on the
// first tick after; asleep, it does not.
TEST_F(MainWindowAwake, TenSecondsWithoutATickFireTheMomentOnlyIfTheMachineWasAwake)
{
    for (bool asleep : {false, true}) {
        SCOPED_TRACE(asleep ? "asleep" : "held up");
        session.Clear();
        const SYSTEMTIME start = clock.Current();
        Arm(IncSecond(start, 5));
        TickAfter(1);
        if (asleep)
            clock.SleepFor(10);
        else
            clock.Advance(10);
        Tick();
        TickAfter(1);
        TickAfter(1);
        EXPECT_EQ(asleep ? 0u : 1u, session.RequestCount());
        // A short sleep well before the next moment changes nothing.
        Arm(IncSecond(clock.Current(), 30));
        clock.SleepFor(10);
        for (int i = 0; i < 25; ++i)
            TickAfter(1);
        EXPECT_EQ(asleep ? 1u : 2u, session.RequestCount());
    }
}

// Each sign of sleep at its limit, between the tick before an armed moment and the first one after it,
// the loop otherwise held up three seconds while awake: just short of the limit it fires, at or past
// it the machine slept and it does not.
class MainWindowSleepLimits : public MainWindowAwake {
protected:
    // Arms two seconds ahead, ticks once, lets `gap` pass, ticks again; true if that fired.
    bool FiresAcross(const std::function<void()>& gap)
    {
        session.Clear();
        Arm(IncSecond(clock.Current(), 2));
        TickAfter(1);
        gap();
        Tick();
        TickAfter(1);
        ClickButton(Form2->glBitBtn2);
        return session.RequestCount() == 1;
    }
};

TEST_F(MainWindowSleepLimits, AsleepByTheClocksFromOneSecondOn)
{
    EXPECT_TRUE(FiresAcross([this] {
        clock.Advance(3);
        clock.SleepForMs(999);
    }));
    EXPECT_FALSE(FiresAcross([this] {
        clock.Advance(3);
        clock.SleepForMs(1000);
    }));
}

// Whatever the time awake does: here it runs on as if the machine never slept.
TEST_F(MainWindowSleepLimits, AGapLongerThanAMinuteIsSleep)
{
    EXPECT_TRUE(FiresAcross([this] { clock.Advance(60); }));
    EXPECT_FALSE(FiresAcross([this] {
        clock.Advance(60);
        clock.AdvanceMonotonic(1);
    }));
}

// A suspend or resume notice to any window of the program, the application's own included, is sleep
// even with both clocks running on, as on a Modern Standby laptop; other power notices are not.
TEST_F(MainWindowSleepLimits, ASuspendOrResumeNoticeIsSleep)
{
    const HWND windows[] = {Form2->Handle(), Application->Handle(), temporizator->Handle()};
    for (WPARAM event : {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND}) {
        for (HWND window : windows) {
            SCOPED_TRACE("event " + std::to_string(event));
            EXPECT_FALSE(FiresAcross([&] {
                clock.Advance(3);
                EXPECT_EQ(TRUE, ::SendMessageA(window, WM_POWERBROADCAST, event, 0));
            }));
        }
    }
    for (WPARAM event : {PBT_APMPOWERSTATUSCHANGE, PBT_POWERSETTINGCHANGE, PBT_APMQUERYSUSPEND}) {
        SCOPED_TRACE("event " + std::to_string(event));
        EXPECT_TRUE(FiresAcross([&] {
            clock.Advance(3);
            ::SendMessageA(Form2->Handle(), WM_POWERBROADCAST, event, 0);
        }));
    }
}

} // namespace
