// A simulated week on the fake clock: every timer of every window ticking as it would, the main window
// following the clock and then armed for one moment days ahead, the countdown armed for 180 minutes
// again and again, and every window painted over and over. At the end nothing may be left behind:
// no drawing object, no memory beyond a small margin over the first day.
#include <windows.h>

#include <psapi.h>

#include <cstdlib>
#include <string>

#include "app/Setari.h"
#include "countdown/Despre.h"
#include "countdown/Ramas.h"
#include "countdown/Temporizator.h"
#include "countdown/Versiuni.h"
#include "sysinfo/Info.h"
#include "tests/app/AppFixture.h"
#include "tests/support/GdiLedger.h"

namespace zv::test {
namespace {

constexpr long long kDay = 24 * 60 * 60;

long long PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
    return static_cast<long long>(pmc.PrivateUsage);
}

// ZV_SOAK_DAYS shortens or lengthens the run (at least 2: the first day is the yardstick).
int SimulatedDays()
{
    const char* v = std::getenv("ZV_SOAK_DAYS");
    const int days = v ? std::atoi(v) : 7;
    return days < 2 ? 2 : days;
}

class Soak : public AppFixture {
protected:
    // One simulated second: the clock moves on and every timer whose interval ends in it ticks.
    void Second()
    {
        clock.Advance(1);
        ++elapsed_;
        Form2->Timer1->Timer();
        temporizator->Timer1->Timer();
        if (elapsed_ % 60 == 0)
            temporizator->Timer2->Timer();
        // The splash's 900 ms: ten ticks in every nine seconds.
        while (splashTicks_ * 9 < elapsed_ * 10) {
            Form1->Timer1->Timer();
            ++splashTicks_;
        }
        // A countdown that has asked for the shut-down is confirmed again, for 180 minutes.
        if (temporizator->SecondCounter >= temporizator->SecondsTotal) {
            temporizator->spin->SetValue(180);
            ClickButton(temporizator->glBitBtn1);
            ++confirmations_;
        }
    }

    void PaintEveryWindow(HDC dc)
    {
        for (TForm* f : {static_cast<TForm*>(Form1), static_cast<TForm*>(Form2), static_cast<TForm*>(Info),
                         static_cast<TForm*>(Prompt), static_cast<TForm*>(temporizator), static_cast<TForm*>(despre),
                         static_cast<TForm*>(Ramas), static_cast<TForm*>(Versiuni), static_cast<TForm*>(setari)})
            f->PaintTo(dc);
        ++paints_;
    }

    long long elapsed_ = 0;
    long long splashTicks_ = 0;
    int confirmations_ = 0;
    int paints_ = 0;
};

TEST_F(Soak, AWeekOfEveryTimerAndTenThousandRepaintsLeaveNothingBehind)
{
    const int days = SimulatedDays();
    const long long total = days * kDay;
    // Ten thousand repaints of every window, spread over the run.
    const long long paintEvery = total / 10000;
    test::TDib canvas(640, 480);

    Form2->rd2->SetChecked(true); // the armed moment asks for a restart, the countdown for a shut-down
    long long firstDayBytes = 0;
    int midway = 0;
    std::unique_ptr<GdiLedger> ledger;
    const SYSTEMTIME start = clock.Current();
    for (long long s = 1; s <= total; ++s) {
        Second();
        if (s % paintEvery == 0)
            PaintEveryWindow(canvas.DC());
        if (s == total / 2 + kDay / 2)
            midway = ledger->Outstanding().total;
        if (s == kDay) {
            // The first day is the yardstick; then the main window is armed for a moment near the end.
            const SYSTEMTIME moment = IncSecond(start, total - kDay / 2 + 7);
            Form2->DateTimePicker2->SetDateTime(moment);
            Form2->DateTimePicker1->SetDateTime(moment);
            ClickButton(Form2->glBitBtn1);
            ASSERT_TRUE(Form2->Validated);
            firstDayBytes = PrivateBytes();
            ledger = std::make_unique<GdiLedger>();
        }
    }
    ASSERT_GT(GdiLedger::PatchedEntries(), 0);
    EXPECT_EQ(midway, ledger->Outstanding().total) << "drawing objects piling up: " << ledger->Outstanding();
    EXPECT_LE(PrivateBytes() - firstDayBytes, 64 * 1024) << "private bytes grew after the first day";
    EXPECT_GE(paints_, 10000);

    int restarts = 0, shutdowns = 0;
    for (const std::string& p : Parameters(session)) {
        restarts += p == "-r -t 00";
        shutdowns += p == "-s -t 00";
    }
    EXPECT_EQ(1, restarts) << "the week's one armed moment";
    // Every confirmation but the last ran its 180 minutes out; the first one was made at the start.
    EXPECT_EQ(confirmations_ - 1, shutdowns);
    EXPECT_GE(shutdowns, static_cast<int>(total / (180 * 60)) - 1);
    EXPECT_TRUE(shown_.empty()) << shown_.front();

    // What the windows still hold goes with them: nothing made during the week outlives its window.
    DestroyWindowSet();
    EXPECT_EQ(0, ledger->Outstanding()) << "drawing objects left behind by the week";
    std::printf("[ soak     ] %d simulated days, %d repaints of each window, %d countdowns run out\n", days,
                paints_, shutdowns);
}

} // namespace
} // namespace zv::test
