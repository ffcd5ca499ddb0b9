// What the main window asks of the system as Windows would carry it out: a request the system would
// refuse is refused when the moment is armed, with a reason and nothing armed; one that the system
// refuses when it comes is shown to the user.
#include "tests/app/AppFixture.h"

using namespace zv;
using namespace zv::test;

namespace {

SYSTEMTIME At(WORD h, WORD m, WORD s) { return SYSTEMTIME{2026, 12, 0, 8, h, m, s, 0}; }

class MainWindowRequest : public AppFixture {
protected:
    void Choose(TFlatRadioButton* kind, const char* machine)
    {
        kind->SetChecked(true);
        if (machine) {
            Form2->radio2->SetChecked(true);
            Form2->Edit1->SetText(machine);
        } else {
            Form2->radio1->SetChecked(true);
        }
    }
    // Arms 14:30:02 and lets the clock run through it.
    void ArmAndRunThroughTheMoment()
    {
        Form2->DateTimePicker1->SetDateTime(At(14, 30, 2));
        ClickButton(Form2->glBitBtn1);
        for (int i = 0; i < 4; ++i)
            TickAfter(1);
    }
};

TEST_F(MainWindowRequest, EachKindAndTargetGoesOutAsWindowsTakesIt)
{
    struct Case {
        TFlatRadioButton* kind;
        const char* machine;
        const char* sent;
    } cases[] = {
        {Form2->rd1, nullptr, "-s -t 00"},
        {Form2->rd2, nullptr, "-r -t 00"},
        {Form2->rd3, nullptr, "-l"},
        {Form2->rd1, "//srv9", "-s -m \\\\srv9 -t 00"},
        {Form2->rd2, "\\\\srv9", "-r -m \\\\srv9 -t 00"},
        {Form2->rd2, "srv9", "-r -m \\\\srv9 -t 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        session.Clear();
        clock.Set(At(14, 30, 0));
        Choose(c.kind, c.machine);
        ArmAndRunThroughTheMoment();
        EXPECT_EQ(std::vector<std::string>{c.sent}, Parameters(session));
        EXPECT_TRUE(session.Warnings().empty());
        if (c.machine) {
            EXPECT_EQ(c.machine, Form2->Edit1->GetText()) << "the field keeps what was typed";
        }
    }
}

// An empty name or one the executor cannot send is refused by "Valideaza" itself, for a log-off as for
// the other actions: the reason is shown, nothing is armed, and the moment passes without a request.
TEST_F(MainWindowRequest, WhatTheSystemWouldRefuseIsRefusedWhenArmed)
{
    struct Case {
        TFlatRadioButton* kind;
        std::string machine;
        const char* reason;
    } cases[] = {
        {Form2->rd3, "//", "Scrieti numele sistemului din retea"},
        {Form2->rd3, "//srv 9", "nu poate contine spatii"},
        {Form2->rd1, "//", "Scrieti numele sistemului din retea"},
        {Form2->rd2, "", "Scrieti numele sistemului din retea"},
        {Form2->rd1, "//srv 9", "nu poate contine spatii"},
        {Form2->rd2, "//\"srv9\"", "nu poate contine spatii"},
        {Form2->rd1, "//srv9\t-f", "nu poate contine spatii"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.machine + "'");
        session.Clear();
        clock.Set(At(14, 30, 0));
        Choose(c.kind, c.machine.c_str());
        ArmAndRunThroughTheMoment();
        EXPECT_FALSE(Form2->Validated);
        EXPECT_EQ("nestabilita", Form2->Label4->Caption());
        ASSERT_EQ(1u, session.Warnings().size());
        EXPECT_NE(session.Warnings()[0].find(c.reason), std::string::npos) << session.Warnings()[0];
        EXPECT_EQ(0u, session.RequestCount());
        EXPECT_TRUE(power.Requests().empty()) << "nothing held awake for it";
    }
}

// The kind and the target are read at the moment, as they stand then: one changed after arming into
// what the system would refuse is refused then, and said so, instead of failing without a word.
TEST_F(MainWindowRequest, AChoiceChangedAfterArmingIntoARefusalIsShownAtTheMoment)
{
    Choose(Form2->rd3, "//srv9");
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 2));
    ClickButton(Form2->glBitBtn1);
    ASSERT_TRUE(Form2->Validated);
    Form2->Edit1->SetText("//");
    for (int i = 0; i < 4; ++i)
        TickAfter(1);
    EXPECT_EQ(0u, session.RequestCount());
    ASSERT_EQ(1u, session.Warnings().size());
    EXPECT_NE(session.Warnings()[0].find("Scrieti numele sistemului din retea"), std::string::npos);
}

// A network log-off is armed like the other network actions and, at its moment, goes to the machine's
// session service while the window goes on ticking, however long the machine takes to answer; what it
// answers is shown once.
TEST_F(MainWindowRequest, ANetworkLogOffIsArmedAndSentWhileTheClockGoesOn)
{
    session.Remote.SetSessions({{0, "Services", WTSDisconnected}, {1, "Console", WTSActive}});
    session.Remote.FailLogoff(ERROR_ACCESS_DENIED);
    session.Remote.Hold();
    Choose(Form2->rd3, "\\srv9");
    ArmAndRunThroughTheMoment();
    ASSERT_TRUE(session.Remote.AwaitCalls(1));
    EXPECT_TRUE(Parameters(session).empty()) << "the shutdown command cannot log off another machine";
    for (int i = 0; i < 3; ++i) {
        TickAfter(1);
        WatchStartedCommands();
    }
    EXPECT_EQ("14:30:07", Form2->glLabel4->Caption());
    EXPECT_TRUE(session.Warnings().empty());
    EXPECT_EQ(1u, StartedCommandsOut());

    session.Remote.Release();
    ASSERT_TRUE(SettleStartedCommands());
    EXPECT_EQ((std::vector<std::string>{"open srv9", "enumerate", "free", "logoff 1", "close"}), session.Remote.Calls());
    EXPECT_EQ(std::vector<std::string>{FailureText(TActionKind::Logoff, TActionTarget::Network("\\srv9"),
                                                   ERROR_ACCESS_DENIED)},
              session.Warnings());
    TickAfter(1);
    EXPECT_EQ(1u, session.RequestCount()) << "fired once";
}

// The network machine cannot be found: shutdown.exe ends with 53 while the window goes on ticking,
// and the user is shown the system's text for it once.
TEST_F(MainWindowRequest, ARequestTheSystemRefusesIsShownAndTheWindowGoesOn)
{
    session.SetExitCode(std::nullopt);
    Choose(Form2->rd1, "//srv-off");
    ArmAndRunThroughTheMoment();
    ASSERT_EQ(std::vector<std::string>{"-s -m \\\\srv-off -t 00"}, Parameters(session));
    WatchStartedCommands();
    EXPECT_TRUE(session.Warnings().empty());
    TickAfter(1);
    EXPECT_EQ("14:30:05", Form2->glLabel4->Caption());

    session.EndCommands(ERROR_BAD_NETPATH);
    WatchStartedCommands();
    ASSERT_EQ(1u, session.Warnings().size());
    EXPECT_EQ(FailureText(TActionKind::Shutdown, TActionTarget::Network("//srv-off"), ERROR_BAD_NETPATH),
              session.Warnings()[0]);
    WatchStartedCommands();
    TickAfter(1);
    EXPECT_EQ(1u, session.Warnings().size());
    EXPECT_EQ(1u, session.RequestCount()) << "firing leaves the choice armed, but the moment is gone";
}

} // namespace
