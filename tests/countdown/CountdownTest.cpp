// The countdown: confirming, the second and minute ticks, the catch-up with lost ticks, cancelling,
// and every way out of the window.
#include "tests/countdown/CountdownFixture.h"

using namespace zv;
using namespace zv::test;

namespace {

const std::vector<std::string> kOneShutdown{"-s -t 00"};

using Countdown = CountdownFixture;

class CountdownPhase : public CountdownFixture, public ::testing::WithParamInterface<int> {};

// However late in its second the free-running timer first ticks, the counted numbers hold.
TEST_P(CountdownPhase, OneMinuteFiresOnThe59thTickWithTheGaugesAsCounted)
{
    Confirm("1");
    EXPECT_EQ(1, T().gauge->Progress());
    EXPECT_EQ(0, StripGauge()) << "the strip's gauge waits for the first tick";
    FirstTickAfterMs(GetParam());
    EXPECT_EQ(2, T().SecondCounter);
    EXPECT_EQ(3, T().gauge->Progress());
    EXPECT_EQ(3, StripGauge());
    Seconds(57);
    EXPECT_EQ(59, T().SecondCounter);
    EXPECT_EQ(98, T().gauge->Progress());
    EXPECT_EQ(98, StripGauge());
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1); // the 59th tick
    EXPECT_EQ(kOneShutdown, Parameters(session));
    EXPECT_EQ(100, T().gauge->Progress());
    EXPECT_EQ(100, StripGauge());
    Seconds(30);
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ(100, T().gauge->Progress());
    EXPECT_EQ(100, StripGauge());
    EXPECT_EQ("1", StripLabel());
}

INSTANTIATE_TEST_SUITE_P(FirstTick, CountdownPhase, ::testing::Values(1, 500, 1000));

TEST_F(Countdown, TheLongestCountFiresOnThe10799thTick)
{
    Confirm("180");
    EXPECT_EQ(10800, T().SecondsTotal);
    FirstTickAfterMs(700);
    Seconds(10797);
    EXPECT_EQ(99, T().gauge->Progress());
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1);
    EXPECT_EQ(kOneShutdown, Parameters(session));
}

// Window timers drop the ticks a held-up message loop could not take; the count follows the time
// that passed, so the request still comes at the confirmed moment, once.
TEST_F(Countdown, LostTicksAreCaughtUpAndStillFireOnceAtTheConfirmedMoment)
{
    Confirm("1");
    FirstTickAfterMs(300);
    Seconds(19); // 20 ticks, 19.3 s after confirmation
    clock.Advance(10); // held up: ten ticks never come
    Seconds(1);
    EXPECT_EQ(32, T().SecondCounter); // as if no tick had been lost
    EXPECT_EQ(53, T().gauge->Progress());
    Seconds(27); // 57.3 s
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1); // 58.3 s: the tick on which a run without losses fires
    EXPECT_EQ(kOneShutdown, Parameters(session));
    Seconds(5);
    EXPECT_EQ(1u, session.RequestCount());

    // Held up past the end, awake, for as long as a live loop is ever held up (a minute): the first
    // tick after fires, once, though the count jumps over the total.
    Confirm("1");
    clock.Advance(59);
    Seconds(1);
    EXPECT_EQ(61, T().SecondCounter);
    EXPECT_EQ(100, StripGauge());
    Seconds(3);
    EXPECT_EQ((std::vector<std::string>{"-s -t 00", "-s -t 00"}), Parameters(session));
}

TEST_F(Countdown, SettingTheClockDoesNotMoveTheCount)
{
    Confirm("1");
    FirstTickAfterMs(200);
    clock.Set(SYSTEMTIME{2026, 12, 0, 8, 16, 0, 0, 0}); // an hour and a half ahead
    Seconds(1);
    EXPECT_EQ(3, T().SecondCounter);
    clock.Advance(-7200); // and back
    Seconds(1);
    EXPECT_EQ(4, T().SecondCounter);
    EXPECT_EQ(0u, session.RequestCount());
}

TEST_F(Countdown, TheStripShowsTheMinutesLeftDownToOneAndOnlyWhileArmed)
{
    MinuteTick();
    EXPECT_EQ("", StripLabel());
    EXPECT_EQ(1, T().spin->Value());

    T().spin->SetValue(3);
    T().glBitBtn1Click(nullptr);
    EXPECT_EQ("3", StripLabel());
    MinuteTick();
    EXPECT_EQ("2", StripLabel());
    EXPECT_EQ("2", T().spin->GetText());
    for (int i = 0; i < 4; ++i)
        MinuteTick();
    EXPECT_EQ("1", StripLabel());
    EXPECT_EQ(1, T().spin->Value());
    EXPECT_EQ(180, T().SecondsTotal) << "the minute tick leaves the total alone";
}

TEST_F(Countdown, CancellingEmptiesTheStripThenConfirmingTakesTheCountedDownMinutes)
{
    Confirm("5");
    FirstTickAfterMs(900);
    Seconds(100);
    MinuteTick();
    MinuteTick();
    T().glBitBtn2Click(nullptr);
    EXPECT_FALSE(T().Armed);
    EXPECT_EQ(0, StripGauge());
    EXPECT_EQ("", StripLabel());
    EXPECT_EQ(0, T().gauge->Progress());
    EXPECT_EQ(1, T().SecondCounter);
    EXPECT_EQ(300, T().SecondsTotal);

    // Idle: the ticks change nothing, however long.
    Seconds(400);
    MinuteTick();
    EXPECT_EQ(1, T().SecondCounter);
    EXPECT_EQ(0u, session.RequestCount());
    EXPECT_EQ("3", T().spin->GetText());

    T().glBitBtn1Click(nullptr);
    EXPECT_EQ(180, T().SecondsTotal);
    EXPECT_EQ("3", StripLabel());
    FirstTickAfterMs(10);
    Seconds(178);
    EXPECT_EQ(kOneShutdown, Parameters(session));
}

TEST_F(Countdown, ConfirmingAgainWhileCountingRestartsFromTheField)
{
    Confirm("2");
    FirstTickAfterMs(500);
    Seconds(60);
    MinuteTick();
    T().glBitBtn1Click(nullptr);
    EXPECT_EQ(60, T().SecondsTotal);
    EXPECT_EQ(1, T().SecondCounter);
    EXPECT_EQ(1, T().gauge->Progress());
    FirstTickAfterMs(500);
    Seconds(57);
    EXPECT_EQ(0u, session.RequestCount());
    Seconds(1);
    EXPECT_EQ(1u, session.RequestCount());
}

TEST_F(Countdown, ACountThatIsNoNumberOrOutOfRangeIsLimitedToTheField)
{
    struct Case {
        const char* typed;
        int minutes;
        const char* shown;
    };
    for (const Case& c : {Case{"abc", 1, "abc"}, Case{"", 1, ""}, Case{"0", 1, "1"}, Case{"-7", 1, "1"},
                          Case{"500", 180, "180"}, Case{"99999999999", 1, "99999999999"}}) {
        SCOPED_TRACE(c.typed);
        Confirm(c.typed);
        EXPECT_EQ(c.minutes * 60, T().SecondsTotal);
        EXPECT_EQ(std::to_string(c.minutes), StripLabel());
        EXPECT_EQ(c.shown, T().spin->GetText());
    }
    // Counting down from the limited value, not from what was typed.
    Confirm("500");
    MinuteTick();
    EXPECT_EQ("179", StripLabel());
}

// Enter goes to the default button while the field keeps the focus, before leaving it corrects the
// text: the typed count is limited here, and the field shows what was confirmed.
TEST_F(Countdown, EnterInTheFieldConfirmsTheTypedCountLimitedToTheRange)
{
    T().ShowForm();
    ::SetForegroundWindow(T().Handle());
    T().spin->SetFocus();
    const HWND field = T().spin->Handle();
    struct Case {
        const char* typed;
        int minutes;
    };
    for (const Case& c : {Case{"500", 180}, Case{"7", 7}}) {
        SCOPED_TRACE(c.typed);
        ::SendMessageA(field, EM_SETSEL, 0, -1);
        for (const char* ch = c.typed; *ch; ++ch)
            ::SendMessageA(field, WM_CHAR, static_cast<WPARAM>(*ch), 1);
        ::SendMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
        ::SendMessageA(field, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001));
        EXPECT_TRUE(T().Armed);
        EXPECT_EQ(c.minutes * 60, T().SecondsTotal);
        EXPECT_EQ(std::to_string(c.minutes), StripLabel());
        EXPECT_EQ(std::to_string(c.minutes), T().spin->GetText());
        EXPECT_EQ(T().spin, T().ActiveControl());
    }
}

TEST_F(Countdown, ZavrinImediataFiresAtOnceWithNothingArmed)
{
    ClickButton(T().glBitBtn4);
    EXPECT_EQ(kOneShutdown, Parameters(session));
    EXPECT_FALSE(T().Armed);
}

TEST_F(Countdown, IesireAlwaysAsksAndNuReturnsToTheMainWindow)
{
    ASSERT_FALSE(setari->CheckBox1->Checked());
    T().ShowForm();
    Confirm("1");
    ClickButton(T().glBitBtn3);
    EXPECT_FALSE(T().Visible());
    EXPECT_TRUE(Prompt->Visible());
    ClickButton(Prompt->glBitBtn1);
    EXPECT_FALSE(Prompt->Visible());
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(T().Visible());
    // The countdown goes on behind the main window.
    FirstTickAfterMs(1);
    Seconds(58);
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_EQ(-1, StoredSetting());
}

TEST_F(Countdown, TheTitleBarCloseWithTheSettingOffEndsTheProgramEvenWhileArmed)
{
    T().ShowForm();
    Confirm("10");
    ::SendMessageA(T().Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(T().Visible());
    EXPECT_FALSE(Prompt->Visible());
    EXPECT_EQ(-1, StoredSetting());
}

TEST_F(Countdown, TheTitleBarCloseWithTheSettingOnAsks)
{
    setari->CheckBox1->SetChecked(true);
    T().ShowForm();
    ::SendMessageA(T().Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Application->Terminated());
    EXPECT_FALSE(T().Visible());
    EXPECT_TRUE(Prompt->Visible());
    EXPECT_EQ(-1, StoredSetting());
}

TEST_F(Countdown, TemporizatorLeadsHereAndZavrinDupaOraIndicataBackWithTheStripHidden)
{
    for (bool armed : {false, true}) {
        SCOPED_TRACE(armed);
        Form2->ShowForm();
        ClickButton(Form2->glBitBtn5);
        EXPECT_FALSE(Form2->Visible());
        EXPECT_TRUE(T().Visible());
        EXPECT_TRUE(Ramas->Visible());
        if (armed)
            Confirm("1");
        ClickButton(T().glBitBtn5);
        EXPECT_FALSE(T().Visible());
        EXPECT_TRUE(Form2->Visible());
        EXPECT_FALSE(Ramas->Visible());
        EXPECT_EQ(armed, T().Armed);
    }
    // The hidden countdown still fires.
    FirstTickAfterMs(1);
    Seconds(58);
    EXPECT_EQ(kOneShutdown, Parameters(session));
}

} // namespace
