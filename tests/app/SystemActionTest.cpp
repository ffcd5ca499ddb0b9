#include "app/SystemAction.h"
#include "tests/support/FakeSessionPort.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace zv;

namespace {

struct TKindCase {
    TActionKind kind;
    const char* switchText;
    UINT exitFlags;
};
constexpr TKindCase kKinds[] = {
    {TActionKind::Shutdown, "-s", EWX_SHUTDOWN},
    {TActionKind::Reboot, "-r", EWX_REBOOT},
    {TActionKind::Logoff, "-l", EWX_LOGOFF},
};
const char* const kPlatforms[] = {"NT", "95", "", "nt"};

std::string SystemShutdownExe()
{
    char dir[MAX_PATH + 1];
    const UINT length = ::GetSystemDirectoryA(dir, sizeof dir);
    return std::string(dir, length) + "\\shutdown.exe";
}

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

void ExpectOneShutdownCommand(const TFakeSessionPort& port, const std::string& parameters)
{
    ASSERT_EQ(port.Starts().size(), 1u);
    EXPECT_TRUE(port.ExitCalls().empty());
    EXPECT_EQ(port.Starts()[0].path, SystemShutdownExe());
    EXPECT_EQ(port.Starts()[0].parameters, parameters);
    EXPECT_TRUE(port.Warnings().empty());
}

TEST(SystemAction, LocalTargetOnNTStartsShutdownCommandAndLogOffGoesAlone)
{
    const char* const expected[] = {"-s -t 00", "-r -t 00", "-l"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i]);
        TFakeSessionPort port;
        RunSystemAction(kKinds[i].kind, TActionTarget::Local(), "NT");
        ExpectOneShutdownCommand(port, expected[i]);
    }
}

TEST(SystemAction, LocalTargetOnEveryOtherPlatformCallsExitWindowsEx)
{
    for (const char* platform : {"95", "", "nt", "Nt", "NT ", " NT", "NT4"}) {
        for (const TKindCase& k : kKinds) {
            SCOPED_TRACE(std::string("platform '") + platform + "' kind " + k.switchText);
            TFakeSessionPort port;
            RunSystemAction(k.kind, TActionTarget::Local(), platform);
            EXPECT_TRUE(port.Starts().empty());
            ASSERT_EQ(port.ExitCalls().size(), 1u);
            EXPECT_EQ(port.ExitCalls()[0].flags, k.exitFlags);
            EXPECT_EQ(port.ExitCalls()[0].reserved, 1u);
            EXPECT_TRUE(port.Warnings().empty());
        }
    }
}

TEST(SystemAction, LocalTargetIgnoresTheMachineNameEvenWhenItWouldBeRefused)
{
    const TActionTarget local{false, "a \"b\""};
    EXPECT_EQ(ActionRefusal(TActionKind::Logoff, local), "");
    TFakeSessionPort port;
    RunSystemAction(TActionKind::Reboot, local, "NT");
    ExpectOneShutdownCommand(port, "-r -t 00");
}

// The field starts with "//"; the command takes \\name only. Every spelling of the same machine goes
// out the same way, on every platform (the network group is what keeps this path off non-NT systems).
TEST(SystemAction, NetworkTargetSendsTheNameAsBackslashesAndName)
{
    for (const char* platform : kPlatforms) {
        for (const TKindCase& k : {kKinds[0], kKinds[1]}) {
            for (const char* typed : {"//srv9", "\\\\srv9", "srv9", "/\\srv9", "///srv9"}) {
                SCOPED_TRACE(std::string("platform '") + platform + "' kind " + k.switchText + " typed '" + typed + "'");
                TFakeSessionPort port;
                RunSystemAction(k.kind, TActionTarget::Network(typed), platform);
                ExpectOneShutdownCommand(port, std::string(k.switchText) + " -m \\\\srv9 -t 00");
            }
        }
    }
    // A name that begins like a switch is a name once it stands after the backslashes.
    TFakeSessionPort port;
    RunSystemAction(TActionKind::Shutdown, TActionTarget::Network("-f"), "NT");
    ExpectOneShutdownCommand(port, "-s -m \\\\-f -t 00");
    EXPECT_EQ(MachineArgument("//SERVER-07.ana.local"), "\\\\SERVER-07.ana.local");
    EXPECT_EQ(MachineArgument("ma\xE2ina"), "\\\\ma\xE2ina");
}

// A network log-off keeps the name rules of the other network actions: without a name it is refused
// with that reason, on every platform, and nothing is asked of the machine or of the shutdown command.
TEST(SystemAction, NetworkLogOffWithoutANameIsRefusedWithAReasonAndSendsNothing)
{
    for (const char* platform : kPlatforms) {
        for (const std::string typed : {"//", ""}) {
            SCOPED_TRACE(std::string("platform '") + platform + "' typed '" + typed + "'");
            const TActionTarget target = TActionTarget::Network(typed);
            const std::string refusal = ActionRefusal(TActionKind::Logoff, target);
            EXPECT_NE(refusal.find("Scrieti numele sistemului din retea"), std::string::npos) << refusal;
            TFakeSessionPort port;
            RunSystemAction(TActionKind::Logoff, target, platform);
            EXPECT_EQ(StartedCommandsOut(), 0u);
            EXPECT_EQ(port.RequestCount(), 0u);
            EXPECT_EQ(port.Warnings(), std::vector<std::string>{refusal});
        }
    }
}

TEST(SystemAction, AnEmptyNameOrOneThatCouldAddSwitchesIsRefusedWithAReason)
{
    const std::string empty[] = {"", "//", "\\\\", "/", "\\/\\"};
    const std::string unsafe[] = {
        "pc 07", "// pc", "pc ", "// ", "\"pc\"", "pc\" -f \"", "pc\t-f", "pc\n", "\rpc", "pc\x1b",
        "pc\x7f", std::string("pc\0-f", 5),
    };
    auto check = [](const std::string& typed, const char* reason) {
        for (const TKindCase& k : kKinds) {
            SCOPED_TRACE("kind " + std::string(k.switchText) + " typed '" + typed + "'");
            const TActionTarget target = TActionTarget::Network(typed);
            EXPECT_EQ(MachineArgument(typed), "");
            const std::string refusal = ActionRefusal(k.kind, target);
            EXPECT_NE(refusal.find(reason), std::string::npos) << refusal;
            TFakeSessionPort port;
            RunSystemAction(k.kind, target, "NT");
            EXPECT_EQ(port.RequestCount(), 0u);
            EXPECT_EQ(port.Warnings(), std::vector<std::string>{refusal});
        }
    };
    for (const std::string& typed : empty)
        check(typed, "Scrieti numele sistemului din retea");
    for (const std::string& typed : unsafe)
        check(typed, "nu poate contine spatii, ghilimele sau caractere de control");
}

// Every byte value, inside a name: refused exactly where it could end the name or start another
// argument (controls up to the blank, the quote, DEL), taken everywhere else, including the bytes of
// other code pages above DEL.
TEST(SystemAction, MachineNameBytesAreRefusedExactlyAtTheirLimits)
{
    for (int c = 0; c < 256; ++c) {
        const bool refused = c <= 0x20 || c == '"' || c == 0x7F;
        for (const std::string& name : {std::string("pc") + char(c) + "07", std::string("pc") + char(c)}) {
            SCOPED_TRACE("byte " + std::to_string(c) + " at " + (name.size() == 3 ? "the end" : "the middle"));
            EXPECT_EQ(ActionRefusal(TActionKind::Shutdown, TActionTarget::Network(name)).empty(), !refused);
            TFakeSessionPort port;
            RunSystemAction(TActionKind::Shutdown, TActionTarget::Network(name), "NT");
            if (refused)
                EXPECT_EQ(port.RequestCount(), 0u);
            else
                ExpectOneShutdownCommand(port, "-s -m \\\\" + name + " -t 00");
        }
    }
}

TEST(SystemAction, ShutdownCommandIsTheSystemsOwnCopy)
{
    TFakeSessionPort port;
    RunSystemAction(TActionKind::Shutdown, TActionTarget::Local(), "NT");
    ASSERT_EQ(port.Starts().size(), 1u);
    const std::string file = port.Starts()[0].path;
    EXPECT_EQ(file.find(':'), 1u) << file << " is not a full path";
    EXPECT_NE(::GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file << " does not exist";
}

// The command runs on its own; each look at it is immediate. Success stays silent; an error is shown
// once, with the system's own text and number, and the command is let go either way.
TEST(SystemAction, TheCommandsExitCodeIsAwaitedWithoutWaitingAndAnErrorIsShown)
{
    const DWORD codes[] = {0, ERROR_ACCESS_DENIED, ERROR_BAD_NETPATH, ERROR_INVALID_PARAMETER};
    for (DWORD code : codes) {
        SCOPED_TRACE("exit code " + std::to_string(code));
        TFakeSessionPort port;
        port.SetExitCode(std::nullopt);
        RunSystemAction(TActionKind::Reboot, TActionTarget::Network("//srv9"), "NT");
        EXPECT_EQ(StartedCommandsOut(), 1u);
        for (int look = 0; look < 3; ++look)
            WatchStartedCommands();
        EXPECT_TRUE(port.Warnings().empty()) << "shown while the command still runs";
        EXPECT_EQ(port.CommandsHeld(), 1u);

        port.EndCommands(code);
        WatchStartedCommands();
        EXPECT_EQ(StartedCommandsOut(), 0u);
        EXPECT_EQ(port.CommandsHeld(), 0u) << "the process is let go once it ended";
        if (code == 0) {
            EXPECT_TRUE(port.Warnings().empty());
            continue;
        }
        ASSERT_EQ(port.Warnings().size(), 1u);
        const std::string& shown = port.Warnings()[0];
        EXPECT_EQ(shown, FailureText(TActionKind::Reboot, TActionTarget::Network("//srv9"), code));
        EXPECT_EQ(shown.rfind("Rebootarea sistemului \\\\srv9 nu a reusit.", 0), 0u) << shown;
        const std::string text = SystemText(code);
        ASSERT_FALSE(text.empty());
        EXPECT_NE(shown.find(text), std::string::npos) << shown;
        EXPECT_NE(shown.find("(cod " + std::to_string(code) + ")"), std::string::npos) << shown;
        WatchStartedCommands();
        EXPECT_EQ(port.Warnings().size(), 1u) << "shown once";
    }
}

TEST(SystemAction, FailuresOfEveryKindOfRequestReachTheUser)
{
    {
        // Two commands out at once, ending in the other order: each is told apart.
        TFakeSessionPort port;
        port.SetExitCode(std::nullopt);
        RunSystemAction(TActionKind::Logoff, TActionTarget::Local(), "NT");
        port.EndCommands(ERROR_ACCESS_DENIED);
        port.SetExitCode(std::nullopt);
        RunSystemAction(TActionKind::Shutdown, TActionTarget::Network("srv-off"), "NT");
        WatchStartedCommands();
        ASSERT_EQ(port.Warnings().size(), 1u);
        EXPECT_EQ(port.Warnings()[0].rfind("Delogarea userului nu a reusit.", 0), 0u) << port.Warnings()[0];
        EXPECT_EQ(StartedCommandsOut(), 1u);
        port.EndCommands(ERROR_BAD_NETPATH);
        WatchStartedCommands();
        ASSERT_EQ(port.Warnings().size(), 2u);
        EXPECT_EQ(port.Warnings()[1].rfind("Zavrina sistemului \\\\srv-off nu a reusit.", 0), 0u) << port.Warnings()[1];
    }
    for (DWORD error : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED}}) {
        // shutdown.exe could not be started at all: the error the start gave is the one shown.
        TFakeSessionPort port;
        port.FailStarts(error);
        RunSystemAction(TActionKind::Shutdown, TActionTarget::Local(), "NT");
        EXPECT_EQ(StartedCommandsOut(), 0u);
        EXPECT_EQ(port.Warnings(), std::vector<std::string>{FailureText(TActionKind::Shutdown, TActionTarget::Local(), error)});
    }
    {
        // The session-ending call refused.
        TFakeSessionPort port;
        port.FailExitWindows(ERROR_PRIVILEGE_NOT_HELD);
        RunSystemAction(TActionKind::Reboot, TActionTarget::Local(), "95");
        ASSERT_EQ(port.Warnings().size(), 1u);
        EXPECT_NE(port.Warnings()[0].find("(cod 1314)"), std::string::npos) << port.Warnings()[0];
    }
    // A code the system has no text for still says what failed, and its number.
    EXPECT_EQ(FailureText(TActionKind::Shutdown, TActionTarget::Local(), 0x2000FFFF),
              "Zavrina sistemului nu a reusit. (cod 536936447)");
}

// Two commands out and one ends while the warning of the other is on the screen: the message box's own
// loop runs the look at the commands again, inside the look that brought the warning. Each failure is
// shown once, in the order they ended, and both commands are let go, whichever of them ended first.
TEST(SystemAction, ACommandEndingWhileTheWarningOfAnotherIsShownIsToldAfterIt)
{
    const TActionTarget srv = TActionTarget::Network("//srv9");
    const TActionTarget off = TActionTarget::Network("//srv-off");
    for (std::size_t first : {0u, 1u}) {
        SCOPED_TRACE("the command started " + std::to_string(first) + "th ends first");
        TFakeSessionPort port;
        port.SetExitCode(std::nullopt);
        RunSystemAction(TActionKind::Reboot, srv, "NT");
        RunSystemAction(TActionKind::Shutdown, off, "NT");
        ASSERT_EQ(StartedCommandsOut(), 2u);
        const std::string texts[] = {FailureText(TActionKind::Reboot, srv, ERROR_ACCESS_DENIED),
                                     FailureText(TActionKind::Shutdown, off, ERROR_BAD_NETPATH)};
        const DWORD codes[] = {ERROR_ACCESS_DENIED, ERROR_BAD_NETPATH};
        const std::size_t second = 1 - first;
        int looks = 0;
        port.WhileShown = [&] {
            if (++looks > 1)
                return;
            port.EndCommand(second, codes[second]);
            WatchStartedCommands(); // the watch timer, run by the warning's loop
            EXPECT_EQ(StartedCommandsOut(), 0u);
        };
        port.EndCommand(first, codes[first]);
        WatchStartedCommands();
        EXPECT_EQ(port.Warnings(), (std::vector<std::string>{texts[first], texts[second]}));
        EXPECT_EQ(StartedCommandsOut(), 0u);
        EXPECT_EQ(port.CommandsHeld(), 0u);
        port.WhileShown = nullptr;
        WatchStartedCommands();
        EXPECT_EQ(port.Warnings().size(), 2u) << "each told once";
    }
}

// A warning holds the screen until it is read, while the timers go on: what they bring meanwhile waits
// its turn, and the same text is not stacked twice (a moment whose time text has no seconds fires on
// every tick of its minute).
TEST(SystemAction, WarningsComeOneAtATimeAndTheSameOneIsNotStacked)
{
    TFakeSessionPort port;
    int shown = 0;
    port.WhileShown = [&] {
        if (++shown == 1) {
            WarnUser("a");
            WarnUser("b");
            WarnUser("b");
            WarnUser("first");
        }
    };
    WarnUser("first");
    EXPECT_EQ(port.Warnings(), (std::vector<std::string>{"first", "a", "b"}));
    port.WhileShown = nullptr;
    WarnUser("first");
    EXPECT_EQ(port.Warnings().size(), 4u) << "once read, it may come again";
}

TEST(SessionPort, FakesNestAndRestoreThePreviousPort)
{
    ISessionPort* before = &SessionPort();
    {
        TFakeSessionPort outer;
        EXPECT_EQ(&SessionPort(), &outer);
        {
            TFakeSessionPort inner;
            EXPECT_EQ(&SessionPort(), &inner);
            RunSystemAction(TActionKind::Logoff, TActionTarget::Local(), "95");
            EXPECT_EQ(inner.RequestCount(), 1u);
        }
        EXPECT_EQ(&SessionPort(), &outer);
        EXPECT_EQ(outer.RequestCount(), 0u);

        SetSessionPort(nullptr);
        EXPECT_NE(&SessionPort(), &outer);
        SetSessionPort(&outer);
    }
    EXPECT_EQ(&SessionPort(), before);
}

// The real port, on a harmless command (never shutdown.exe): it starts, and its exit code comes back
// without waiting, including 259, the value a port that only asked for the code would take for a
// command still running.
TEST(SessionPort, TheRealPortReturnsTheExitCodeOfWhatItStarted)
{
    TFakeSessionPort fake; // so that nothing of this test can reach the executor
    SetSessionPort(nullptr);
    ISessionPort& real = SessionPort();
    SetSessionPort(&fake);
    char dir[MAX_PATH + 1];
    const std::string cmd = std::string(dir, ::GetSystemDirectoryA(dir, sizeof dir)) + "\\cmd.exe";
    for (DWORD code : {DWORD{0}, DWORD{ERROR_BAD_NETPATH}, DWORD{STILL_ACTIVE}}) {
        SCOPED_TRACE("exit " + std::to_string(code));
        DWORD error = 0;
        std::unique_ptr<IStartedCommand> started = real.StartCommand(cmd, "/c exit " + std::to_string(code), error);
        ASSERT_NE(started, nullptr) << "error " << error;
        DWORD exitCode = 0xFFFFFFFF;
        bool ended = false;
        const DWORD until = ::GetTickCount() + 10000;
        while (!(ended = started->Ended(exitCode)) && ::GetTickCount() < until)
            ::Sleep(20);
        EXPECT_TRUE(ended);
        EXPECT_EQ(exitCode, code);
    }
    DWORD error = 0;
    EXPECT_EQ(real.StartCommand(std::string(dir, ::GetSystemDirectoryA(dir, sizeof dir)) + "\\no-such.exe", "", error),
              nullptr);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// shutdown.exe is a console program, started by a program with no console of its own: without being
// told otherwise, Windows gives it a new console window, which flashes up at every request (or, from a
// program with a console, it would share that one). The real port starts it on a console of its own
// that has no window; a console program of the tests' own says what it was given.
TEST(SessionPort, TheRealPortStartsAConsoleProgramOnAConsoleOfItsOwnWithNoWindow)
{
    TFakeSessionPort fake;
    SetSessionPort(nullptr);
    ISessionPort& real = SessionPort();
    SetSessionPort(&fake);
    char self[MAX_PATH + 1];
    const std::string suite(self, ::GetModuleFileNameA(nullptr, self, sizeof self));
    const std::string probe = suite.substr(0, suite.find_last_of('\\') + 1) + "console_probe.exe";
    ASSERT_NE(::GetFileAttributesA(probe.c_str()), INVALID_FILE_ATTRIBUTES) << probe;
    DWORD error = 0;
    std::unique_ptr<IStartedCommand> started = real.StartCommand(probe, "", error);
    ASSERT_NE(started, nullptr) << "error " << error;
    DWORD report = 0;
    const DWORD until = ::GetTickCount() + 10000;
    bool ended = false;
    while (!(ended = started->Ended(report)) && ::GetTickCount() < until)
        ::Sleep(20);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(report & 1) << "the console has a window";
    EXPECT_FALSE(report & 2) << "the console is shared with the starter";
    EXPECT_FALSE(report & 4) << "no console at all";
    EXPECT_EQ(report, 16u);
}

} // namespace
