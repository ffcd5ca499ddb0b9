// The wall clock changing under an armed moment: set forward past it, set back after it, a daylight-
// saving jump over it, and midnight between the arming and the moment.
#include "tests/app/AppFixture.h"

namespace zv::test {
namespace {

SYSTEMTIME At(WORD day, WORD h, WORD m, WORD s) { return SYSTEMTIME{2026, 12, 0, day, h, m, s, 0}; }

long long WholeSeconds(const SYSTEMTIME& t)
{
    FILETIME ft;
    ::SystemTimeToFileTime(&t, &ft);
    return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 10000000ULL);
}

class ClockChange : public AppFixture {
protected:
    void Arm(const SYSTEMTIME& moment)
    {
        Form2->DateTimePicker2->SetDateTime(moment);
        Form2->DateTimePicker1->SetDateTime(moment);
        ClickButton(Form2->glBitBtn1);
        ASSERT_TRUE(Form2->Validated);
    }
    // Ticks once a second until the clock shows `until`; returns the requests made on the way.
    std::size_t TickUntil(const SYSTEMTIME& until)
    {
        const std::size_t before = session.RequestCount();
        const long long end = WholeSeconds(until);
        while (WholeSeconds(clock.Current()) < end)
            TickAfter(1);
        return session.RequestCount() - before;
    }
};

TEST_F(ClockChange, SetForwardPastTheArmedMomentFiresItOnce)
{
    Tick();
    Arm(At(8, 14, 35, 0));
    TickAfter(1);
    clock.Set(At(8, 15, 0, 0)); // the user puts the clock right, 25 minutes on
    Tick();
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ(0u, TickUntil(At(8, 15, 10, 0)));
}

TEST_F(ClockChange, SetBackAnHourAfterFiringTheMomentComesRoundAndFiresNothing)
{
    Tick();
    Arm(At(8, 14, 30, 5));
    EXPECT_EQ(1u, TickUntil(At(8, 14, 30, 10)));
    clock.Set(At(8, 13, 30, 10));
    Tick();
    EXPECT_EQ("13:30:10", Form2->glLabel4->Caption());
    EXPECT_EQ(0u, TickUntil(At(8, 14, 31, 0))); // the armed second comes round: spent
    EXPECT_EQ("14:30:05", Form2->Label4->Caption());
    EXPECT_TRUE(Form2->Validated);
    EXPECT_FALSE(power.Held());
}

TEST_F(ClockChange, ADaylightSavingJumpOverTheMomentFiresOnceAtTheFirstTickAfterIt)
{
    clock.Set(At(8, 2, 59, 50));
    Tick();
    Arm(At(8, 3, 30, 0)); // a moment inside the hour that the change of time skips
    EXPECT_EQ(0u, TickUntil(At(8, 2, 59, 59)));
    clock.Set(At(8, 4, 0, 0)); // local time jumps from 02:59:59 to 04:00:00
    Tick();
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ(0u, TickUntil(At(8, 5, 0, 0)));
}

TEST_F(ClockChange, MidnightBetweenArmingAndTheMomentFiresInThatSecond)
{
    clock.Set(At(8, 23, 59, 50));
    Tick();
    Arm(At(9, 0, 0, 5)); // tomorrow, five seconds after midnight
    EXPECT_EQ(0u, TickUntil(At(9, 0, 0, 4)));
    EXPECT_EQ("09.12.2026", DateToText(Form2->DateTimePicker2->DateTime()));
    TickAfter(1);
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ("00:00:05", Form2->glLabel4->Caption());
    EXPECT_EQ(0u, TickUntil(At(9, 0, 1, 0)));
}

} // namespace
} // namespace zv::test
