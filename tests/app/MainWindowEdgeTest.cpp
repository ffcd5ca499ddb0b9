// The main window at its edges: a late tick after the clock was put back, and the shutdown.exe that
// every caller of the executor starts.
#include "tests/countdown/CountdownFixture.h"

#include "sysinfo/glSysInfo.h"

using namespace zv;
using namespace zv::test;

namespace {

SYSTEMTIME At(WORD h, WORD m, WORD s) { return SYSTEMTIME{2026, 12, 0, 8, h, m, s, 0}; }

using MainWindowEdge = CountdownFixture;

// The clock put back between the arming and the moment: a tick held up past the moment must still
// fire it, once. What was watched before the clock went back does not count, and once it has fired a
// clock that goes back over the moment again fires nothing.
TEST_F(MainWindowEdge, ALateTickAfterTheClockWasPutBackFiresTheMomentOnce)
{
    clock.Set(At(14, 20, 0));
    Tick();
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 0));
    ClickButton(Form2->glBitBtn1);
    clock.Set(At(14, 40, 0)); // set forward past it while the loop was held up: fired once
    Tick();
    EXPECT_EQ(1u, session.RequestCount());

    ClickButton(Form2->glBitBtn1); // armed again, from 14:40: refused, the moment has passed
    EXPECT_EQ(1u, session.Warnings().size());
    clock.Set(At(14, 29, 58));
    Tick();
    clock.Set(At(14, 30, 2));
    Tick();
    EXPECT_EQ(1u, session.RequestCount()) << "spent: the clock going back does not bring it round";

    ClickButton(Form2->glBitBtn1); // armed anew at 14:30:02 for 14:30:00: still past
    EXPECT_EQ(2u, session.Warnings().size());
    clock.Set(At(14, 29, 50));
    Tick();
    ClickButton(Form2->glBitBtn1); // now it lies ahead
    clock.Set(At(14, 30, 2)); // held up: no tick in 14:30:00
    Tick();
    EXPECT_EQ(2u, session.RequestCount());
    clock.Set(At(14, 29, 59));
    Tick();
    clock.Set(At(14, 30, 1));
    Tick();
    TickAfter(5);
    EXPECT_EQ(2u, session.RequestCount()) << "once per arming";
}

// Whichever window asks, the request goes to the system's own shutdown.exe.
TEST_F(MainWindowEdge, EveryCallerStartsTheSystemsShutdownCommand)
{
    ASSERT_EQ("NT", Form2->System->OSPlatform());
    char dir[MAX_PATH + 1];
    const std::string systemShutdown = std::string(dir, ::GetSystemDirectoryA(dir, sizeof dir)) + "\\shutdown.exe";

    ClickButton(Form2->glBitBtn3); // "Zavrin imediata"
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 2));
    ClickButton(Form2->glBitBtn1);
    TickAfter(2); // the armed moment, on this machine
    Form2->radio2->SetChecked(true);
    Form2->Edit1->SetText("PC-07");
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 4));
    ClickButton(Form2->glBitBtn1); // armed anew, now for the network machine
    TickAfter(2);
    T().glBitBtn4Click(nullptr); // the countdown's "Zavrin imediata"
    Confirm("1");
    FirstTickAfterMs(1000);
    Seconds(58); // the countdown runs out

    const std::vector<std::string> expected{"-s -t 00", "-s -t 00", "-s -m \\\\PC-07 -t 00", "-s -t 00", "-s -t 00"};
    EXPECT_EQ(expected, Parameters(session));
    for (const TStartCall& call : session.Starts())
        EXPECT_EQ(systemShutdown, call.path) << call.parameters;
}

} // namespace
