#include "app/SystemAction.h"
#include "tests/support/FakeSessionPort.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/Application.h"

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

void ExpectOneShutdownCommand(const TFakeSessionPort& port, const std::string& parameters)
{
    ASSERT_EQ(port.ShellCalls().size(), 1u);
    EXPECT_TRUE(port.ExitCalls().empty());
    const TShellExecuteCall& call = port.ShellCalls().front();
    EXPECT_EQ(call.owner, MainWindowHandle());
    EXPECT_FALSE(call.operation.has_value()) << "the default verb is a null operation";
    EXPECT_EQ(call.file, SystemShutdownExe());
    EXPECT_EQ(call.parameters, parameters);
    EXPECT_EQ(call.directory, std::string()) << "the directory is empty, not null";
    EXPECT_EQ(call.showCommand, SW_SHOWNORMAL);
}

TEST(SystemAction, LocalTargetOnNTStartsShutdownCommand)
{
    const char* const expected[] = {"-s -t 00", "-r -t 00", "-l -t 00"};
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
            EXPECT_TRUE(port.ShellCalls().empty());
            ASSERT_EQ(port.ExitCalls().size(), 1u);
            EXPECT_EQ(port.ExitCalls()[0].flags, k.exitFlags);
            EXPECT_EQ(port.ExitCalls()[0].reserved, 1u);
        }
    }
}

TEST(SystemAction, LocalTargetIgnoresTheMachineNameEvenWhenItWouldBeRefused)
{
    const TActionTarget local{false, "a \"b\""};
    {
        TFakeSessionPort port;
        RunSystemAction(TActionKind::Reboot, local, "NT");
        ExpectOneShutdownCommand(port, "-r -t 00");
    }
    {
        TFakeSessionPort port;
        RunSystemAction(TActionKind::Reboot, local, "95");
        ASSERT_EQ(port.ExitCalls().size(), 1u);
        EXPECT_EQ(port.ExitCalls()[0].flags, static_cast<UINT>(EWX_REBOOT));
    }
}

TEST(SystemAction, NetworkTargetStartsShutdownCommandOnEveryPlatform)
{
    // Literal lines for the edit's initial "//" and for an empty name (two blanks between switches).
    {
        TFakeSessionPort port;
        RunSystemAction(TActionKind::Shutdown, TActionTarget::Network("//"), "NT");
        ExpectOneShutdownCommand(port, "-s -m // -t 00");
    }
    {
        TFakeSessionPort port;
        RunSystemAction(TActionKind::Logoff, TActionTarget::Network(""), "95");
        ExpectOneShutdownCommand(port, "-l -m  -t 00");
    }

    for (const char* platform : kPlatforms) {
        for (const TKindCase& k : kKinds) {
            for (const std::string name : {"//", "", "\\\\SERVER-07", "//ana.local", "-f", "ma\xE2ina", "x/y\\z"}) {
                SCOPED_TRACE(std::string("platform '") + platform + "' kind " + k.switchText + " name '" + name + "'");
                TFakeSessionPort port;
                RunSystemAction(k.kind, TActionTarget::Network(name), platform);
                ExpectOneShutdownCommand(port, std::string(k.switchText) + " -m " + name + " -t 00");
            }
        }
    }
}

TEST(SystemAction, NetworkNameThatCouldAddSwitchesMakesNoRequest)
{
    const std::string names[] = {
        "pc 07", " pc", "pc ", " ", "\"pc\"", "pc\" -f \"", "pc\t-f", "pc\n", "\rpc", "pc\x1b",
        "pc\x7f", std::string("pc\0-f", 5),
    };
    for (const char* platform : kPlatforms) {
        for (const TKindCase& k : kKinds) {
            for (const std::string& name : names) {
                SCOPED_TRACE(std::string("platform '") + platform + "' kind " + k.switchText);
                TFakeSessionPort port;
                RunSystemAction(k.kind, TActionTarget::Network(name), platform);
                EXPECT_EQ(port.RequestCount(), 0u);
            }
        }
    }
}

// Every byte value, inside a name: refused exactly where it could end the name or start another
// argument (controls up to the blank, the quote, DEL), taken everywhere else, including the bytes of
// other code pages above DEL.
TEST(SystemAction, MachineNameBytesAreRefusedExactlyAtTheirLimits)
{
    for (int c = 0; c < 256; ++c) {
        const bool refused = c <= 0x20 || c == '"' || c == 0x7F;
        for (const std::string name : {std::string("pc") + char(c) + "07", std::string("pc") + char(c)}) {
            SCOPED_TRACE("byte " + std::to_string(c) + " at " + (name.size() == 3 ? "the end" : "the middle"));
            TFakeSessionPort port;
            RunSystemAction(TActionKind::Shutdown, TActionTarget::Network(name), "NT");
            if (refused)
                EXPECT_EQ(port.RequestCount(), 0u);
            else
                ExpectOneShutdownCommand(port, "-s -m " + name + " -t 00");
        }
    }
}

TEST(SystemAction, ShutdownCommandIsTheSystemsOwnCopy)
{
    TFakeSessionPort port;
    RunSystemAction(TActionKind::Shutdown, TActionTarget::Local(), "NT");
    ASSERT_EQ(port.ShellCalls().size(), 1u);
    const std::string file = *port.ShellCalls()[0].file;
    EXPECT_EQ(file.find(':'), 1u) << file << " is not a full path";
    EXPECT_NE(::GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file << " does not exist";
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

} // namespace
