#include "wine/shutdown/ShutdownSwitches.h"

#include <gtest/gtest.h>

using namespace zv::standin;

namespace {

HostFacts WithSystemd()
{
    HostFacts f;
    f.systemd = true;
    f.samba = true;
    f.sessionId = "7";
    f.user = "ana";
    return f;
}

// The Linux command line a full shutdown.exe parameter string leads to, or "refused: ..." / "not possible".
std::string Outcome(const std::string& parameters, const HostFacts& facts = WithSystemd())
{
    ParsedLine line = ParseSwitches(SplitParameters(parameters));
    if (!line.ok)
        return "refused";
    HostPlan plan = PlanHostCommand(line.request, facts);
    return plan.possible ? JoinCommandLine(plan.argv) : "not possible";
}

}  // namespace

TEST(ShutdownSwitches, EveryLineTheProgramSendsMapsToItsLinuxCommand)
{
    EXPECT_EQ(Outcome("-s -t 00"), "systemctl poweroff");
    EXPECT_EQ(Outcome("-r -t 00"), "systemctl reboot");
    EXPECT_EQ(Outcome("-l"), "loginctl terminate-session 7");
    EXPECT_EQ(Outcome("-s -m \\\\srv -t 00"), "net rpc shutdown -S srv -t 0");
    EXPECT_EQ(Outcome("-r -m \\\\srv -t 00"), "net rpc shutdown -r -S srv -t 0");

    ParsedLine line = ParseSwitches(SplitParameters("-s -t 00"));
    ASSERT_TRUE(line.ok);
    EXPECT_EQ(line.request.timeout, 0u);
    EXPECT_FALSE(line.request.remote);
    line = ParseSwitches(SplitParameters("-r -m \\\\srv -t 00"));
    ASSERT_TRUE(line.ok);
    EXPECT_TRUE(line.request.remote);
    EXPECT_EQ(line.request.machine, "\\\\srv");
    // Logging off waits for nothing, though Windows' default time-out is 30 s.
    line = ParseSwitches(SplitParameters("/L"));
    ASSERT_TRUE(line.ok);
    EXPECT_EQ(line.request.action, HostAction::LogOff);
    EXPECT_EQ(line.request.timeout, 0u);
}

// Windows' own refuses /l with /t, /m or /d, whatever the spelling: a program that sent such a line
// would log nobody off on Windows, so the stand-in must not either.
TEST(ShutdownSwitches, LogOffGoesAloneAsOnWindows)
{
    for (const char* bad : {"-l -t 00", "-l -t 0", "/l /t 30", "-L -T 00", "-t 00 -l", "-l -m \\\\srv", "/l /m //srv",
                            "-l -d p:4:1", "/L /D u:1:2", "-l -f -t 00"}) {
        ParsedLine line = ParseSwitches(SplitParameters(bad));
        EXPECT_FALSE(line.ok) << "[" << bad << "]";
        EXPECT_NE(line.error.find("-l cannot be used"), std::string::npos) << "[" << bad << "]";
    }
    EXPECT_EQ(Outcome("-l -f"), "loginctl terminate-session 7");
    EXPECT_EQ(Outcome("-s -d p:4:1 -t 00"), "systemctl poweroff");
    EXPECT_EQ(Outcome("/r /d u:1:2 /m \\\\srv"), "net rpc shutdown -r -S srv -t 0");
    EXPECT_FALSE(ParseSwitches(SplitParameters("-s -d")).ok);
    EXPECT_FALSE(ParseSwitches(SplitParameters("-s -d p:1:1 -d p:1:1")).ok);
}

TEST(ShutdownSwitches, WithoutSystemdOrSessionTheFallbacksAreUsed)
{
    HostFacts plain;
    plain.user = "ana";
    EXPECT_EQ(Outcome("-s -t 00", plain), "shutdown -h now");
    EXPECT_EQ(Outcome("-r -t 00", plain), "shutdown -r now");
    EXPECT_EQ(Outcome("-l", plain), "loginctl terminate-user ana");
    // No Samba: a network request is not carried out, and says so rather than acting locally.
    EXPECT_EQ(Outcome("-s -m //srv -t 00", plain), "not possible");
    HostPlan plan = PlanHostCommand(ParseSwitches(SplitParameters("-s -m //srv -t 00")).request, plain);
    EXPECT_NE(plan.why.find("network request cannot be carried out"), std::string::npos);
    EXPECT_TRUE(plan.argv.empty());
    EXPECT_EQ(Outcome("-l", HostFacts{}), "not possible");
}

TEST(ShutdownSwitches, MalformedLinesAreRefusedWithAReason)
{
    for (const char* bad : {
             "-s -m  -t 00",    // the empty machine name: -m is followed by the next switch
             "-s -m \"\" -t 00",
             "-s -m // -t 00",  // the slashes alone
             "-s -m",
             "-s -t -5", "-s -t abc", "-s -t", "-s -t 315360001", "-s -t 99999999999", "-s -t 1.5",
             "-l -m //srv", "-l -m //srv -t 00",
             "-x", "-s -x", "-s -sr", "-s srv",  // unknown switches, a stray word
             "", "-t 00", "-f",                 // no action
             "-s -r", "-s -s", "-r -l -t 00",   // more than one action
             "-s -t 0 -t 0", "-s -m //a -m //b",
             "-? -s",
         }) {
        ParsedLine line = ParseSwitches(SplitParameters(bad));
        EXPECT_FALSE(line.ok) << "[" << bad << "]";
        EXPECT_FALSE(line.error.empty()) << "[" << bad << "]";
    }
    EXPECT_NE(UsageText().find("Usage: shutdown"), std::string_view::npos);
}

TEST(ShutdownSwitches, WindowsSpellingsAndLimitsAreAccepted)
{
    EXPECT_EQ(Outcome("/s /t 0"), "systemctl poweroff");
    EXPECT_EQ(Outcome("/R /T 5"), "systemctl reboot");
    EXPECT_EQ(Outcome("-S -F -c \"going home\" -t 315360000"), "systemctl poweroff");
    EXPECT_EQ(Outcome("-s -m srv"), "net rpc shutdown -S srv -t 0");
    EXPECT_EQ(Outcome("-t 00 -m //srv -r"), "net rpc shutdown -r -S srv -t 0");

    EXPECT_EQ(ParseSwitches(SplitParameters("-s")).request.timeout, 30u);  // Windows' default
    EXPECT_EQ(ParseSwitches(SplitParameters("-s -t 315360000")).request.timeout, 315360000u);
    ParsedLine help = ParseSwitches(SplitParameters("/?"));
    EXPECT_TRUE(help.ok && help.request.help);
}

TEST(ShutdownSwitches, CommandLinesSplitAndJoinByWindowsRules)
{
    EXPECT_EQ(ParametersOf("shutdown.exe -s -t 00"), "-s -t 00");
    EXPECT_EQ(ParametersOf("\"C:\\windows\\system32\\shutdown.exe\"   -r"), "-r");
    EXPECT_EQ(ParametersOf("shutdown"), "");

    using V = std::vector<std::string>;
    EXPECT_EQ(SplitParameters("  -s   -m  \\\\srv\t-t 00 "), (V{"-s", "-m", "\\\\srv", "-t", "00"}));
    EXPECT_EQ(SplitParameters("-c \"a b\" \"\" x\\\"y a\\\\\"b c\""), (V{"-c", "a b", "", "x\"y", "a\\b c"}));

    for (const V& argv : {V{"loginctl", "terminate-user", "ana maria"}, V{"echo", "", "a\"b", "c\\", "d\\\"e"}})
        EXPECT_EQ(SplitParameters(JoinCommandLine(argv)), argv);
    EXPECT_EQ(JoinCommandLine({"systemctl", "poweroff"}), "systemctl poweroff");
}
