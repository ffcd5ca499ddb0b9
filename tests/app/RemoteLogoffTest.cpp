// Logging off the user at the console of a network machine through its session service: which calls,
// in which order, which session, and what the user is shown. That a machine slow to answer holds up
// no window is shown with the main window's tick (MainWindowRequestTest).
#include "app/RemoteLogoff.h"
#include "app/SystemAction.h"
#include "tests/support/FakeSessionPort.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace zv;

namespace {

using TCalls = std::vector<std::string>;

const TFakeSession kServices{0, "Services", WTSDisconnected};
const TFakeSession kListener{65536, "RDP-Tcp", WTSListen};

std::string SystemText(DWORD code)
{
    char text[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                     nullptr);
    std::string s(text);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.pop_back();
    return s;
}

// Only the session of the user at the machine's own screen: not a Remote Desktop user, not the listener,
// not a user switched away, not the sign-in screen.
TEST(RemoteLogoff, TheConsolesActiveSessionIsChosenAmongSeveral)
{
    struct TCase {
        const char* what;
        std::vector<TFakeSession> sessions;
        int expectedId; // -1: no one at the console
    } cases[] = {
        {"after the others", {kServices, {2, "RDP-Tcp#3", WTSActive}, kListener, {1, "Console", WTSActive}}, 1},
        {"beside a user switched away", {kServices, {3, "", WTSDisconnected}, {5, "Console", WTSActive}}, 5},
        {"spelt as older Windows spells it", {{0, "console", WTSActive}, kListener}, 0},
        {"at the sign-in screen, a remote user active", {kServices, {1, "Console", WTSConnected}, {2, "RDP-Tcp#0", WTSActive}}, -1},
        {"disconnected", {kServices, {1, "Console", WTSDisconnected}}, -1},
        {"names that only begin or end alike", {{1, "Consoles", WTSActive}, {2, "Consol", WTSActive}, {3, "xConsole", WTSActive}}, -1},
        {"only services and listeners", {kServices, kListener}, -1},
        {"no sessions at all", {}, -1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeSessionPort port;
        port.Remote.SetSessions(c.sessions);
        const DWORD outcome = LogOffConsoleUser(port, "srv9");
        if (c.expectedId < 0) {
            EXPECT_EQ(outcome, kNoOneAtTheConsole);
            EXPECT_EQ(port.Remote.Calls(), (TCalls{"open srv9", "enumerate", "free", "close"}));
        } else {
            EXPECT_EQ(outcome, 0u);
            EXPECT_EQ(port.Remote.Calls(),
                      (TCalls{"open srv9", "enumerate", "free", "logoff " + std::to_string(c.expectedId), "close"}));
        }
    }
    // A session without a name is never taken for the console.
    const WTS_SESSION_INFOA unnamed[] = {{7, nullptr, WTSActive}, {8, const_cast<LPSTR>("CONSOLE"), WTSActive}};
    EXPECT_EQ(ConsoleSessionIndex(unnamed, 2), 1);
    EXPECT_EQ(ConsoleSessionIndex(nullptr, 3), -1);
}

// Armed with any spelling the other network actions take, a log-off goes to the session service with
// the bare name, never to the shutdown command, on every platform.
TEST(RemoteLogoff, ANetworkLogOffGoesToTheSessionServiceByItsBareName)
{
    for (const char* platform : {"NT", "95", ""}) {
        for (const char* typed : {"//srv9", "\\\\srv9", "srv9", "/\\srv9"}) {
            SCOPED_TRACE(std::string("platform '") + platform + "' typed '" + typed + "'");
            TFakeSessionPort port;
            port.Remote.SetSessions({kServices, {1, "Console", WTSActive}});
            EXPECT_EQ(ActionRefusal(TActionKind::Logoff, TActionTarget::Network(typed)), "");
            RunSystemAction(TActionKind::Logoff, TActionTarget::Network(typed), platform);
            ASSERT_TRUE(SettleStartedCommands());
            EXPECT_TRUE(port.Starts().empty());
            EXPECT_TRUE(port.ExitCalls().empty());
            EXPECT_EQ(port.Remote.Calls(), (TCalls{"open srv9", "enumerate", "free", "logoff 1", "close"}));
            EXPECT_TRUE(port.Warnings().empty()) << port.Warnings()[0];
        }
    }
}

// Every outcome the user can meet: success is silent; a machine that cannot be reached, remote calls
// not allowed, no right, and a system without the service show the system's text and number, the
// request ending at the call that failed with what it opened closed; no one at the console is said in
// the program's words.
TEST(RemoteLogoff, EachFailureStopsAtItsCallAndIsShownWithItsText)
{
    const TActionTarget target = TActionTarget::Network("//srv9");
    const DWORD systemErrors[] = {RPC_S_SERVER_UNAVAILABLE, RPC_S_SEC_PKG_ERROR, ERROR_ACCESS_DENIED,
                                  ERROR_CALL_NOT_IMPLEMENTED};
    const TCalls callsUpTo[] = {{"open srv9"},
                                {"open srv9", "enumerate", "close"},
                                {"open srv9", "enumerate", "free", "logoff 1", "close"}};
    for (DWORD code : systemErrors) {
        for (int where = 0; where < 3; ++where) {
            SCOPED_TRACE("error " + std::to_string(code) + " from call " + std::to_string(where));
            TFakeSessionPort port;
            port.Remote.SetSessions({{1, "Console", WTSActive}});
            (where == 0 ? port.Remote.FailOpen(code)
                        : where == 1 ? port.Remote.FailEnumerate(code) : port.Remote.FailLogoff(code));
            RunSystemAction(TActionKind::Logoff, target, "NT");
            ASSERT_TRUE(SettleStartedCommands());
            EXPECT_EQ(port.Remote.Calls(), callsUpTo[where]);
            ASSERT_EQ(port.Warnings().size(), 1u);
            const std::string& shown = port.Warnings()[0];
            EXPECT_EQ(shown, FailureText(TActionKind::Logoff, target, code));
            EXPECT_EQ(shown.rfind("Delogarea de pe sistemul \\\\srv9 nu a reusit.\n\n", 0), 0u) << shown;
            const std::string text = SystemText(code);
            ASSERT_FALSE(text.empty()) << "no system text for " << code;
            EXPECT_NE(shown.find(text), std::string::npos) << shown;
            EXPECT_NE(shown.find("(cod " + std::to_string(code) + ")"), std::string::npos) << shown;
        }
    }
    {
        TFakeSessionPort port;
        port.Remote.SetSessions({kServices, {1, "Console", WTSConnected}, kListener});
        RunSystemAction(TActionKind::Logoff, target, "NT");
        ASSERT_TRUE(SettleStartedCommands());
        EXPECT_EQ(port.Warnings(), std::vector<std::string>{"Delogarea de pe sistemul \\\\srv9 nu a reusit.\n\n"
                                                            "Nu este niciun user conectat la consola acestui sistem."});
    }
    {
        TFakeSessionPort port;
        port.Remote.SetSessions({{1, "Console", WTSActive}});
        RunSystemAction(TActionKind::Logoff, target, "NT");
        ASSERT_TRUE(SettleStartedCommands());
        EXPECT_TRUE(port.Warnings().empty());
    }
}

// The real port, on a machine name that no network has: it answers with an error and logs nothing off
// (under Wine the service is not there, error 120; on Windows the machine cannot be reached). The DLL
// and each of its functions are found.
TEST(RemoteLogoff, TheRealPortAnswersForAMachineThatDoesNotExist)
{
    TFakeSessionPort fake; // nothing of this test reaches the executor
    SetSessionPort(nullptr);
    ISessionPort& real = SessionPort();
    SetSessionPort(&fake);
    DWORD error = 0;
    std::unique_ptr<IRemoteSessions> server = real.OpenRemoteSessions("zv-no-such-machine", error);
    if (server) {
        WTS_SESSION_INFOA* sessions = nullptr;
        DWORD count = 0;
        error = server->EnumerateSessions(sessions, count);
        if (!error)
            server->FreeMemory(sessions);
    }
    EXPECT_NE(error, 0u);
    EXPECT_NE(error, static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_NE(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

} // namespace
