// The shell and sound ports: what reaches them is exactly what the caller passed.
#include <gtest/gtest.h>

#include "framework/Shell.h"
#include "framework/Sound.h"
#include "support/FakeShellPort.h"
#include "support/FakeSoundPort.h"

using namespace zv;

namespace {

TEST(ShellPort, FakeRecordsArgumentsKeepingNullApartFromEmpty)
{
    IShellPort* const real = &ShellPort();
    {
        TFakeShellPort shell;
        const HWND owner = reinterpret_cast<HWND>(0x1234);
        ShellPort().ShellExecute(owner, nullptr, "timedate.cpl", "", "", SW_SHOWNORMAL);
        ShellPort().ShellExecute(nullptr, "open", "shutdown.exe", "-s -t 00", nullptr, SW_HIDE);
        {
            TFakeShellPort inner;
            ShellPort().ShellExecute(nullptr, nullptr, "desk.cpl", nullptr, nullptr, 0);
            EXPECT_EQ(1u, inner.Launches().size());
        }
        ASSERT_EQ(2u, shell.Launches().size());
        const TShellLaunch& applet = shell.Launches()[0];
        EXPECT_EQ(owner, applet.owner);
        EXPECT_FALSE(applet.operation.has_value());
        EXPECT_EQ("timedate.cpl", applet.file.value_or("(null)"));
        EXPECT_EQ("", applet.parameters.value_or("(null)"));
        EXPECT_EQ("", applet.directory.value_or("(null)"));
        EXPECT_EQ(SW_SHOWNORMAL, applet.showCommand);
        const TShellLaunch& command = shell.Launches()[1];
        EXPECT_EQ("open", command.operation.value_or("(null)"));
        EXPECT_EQ("-s -t 00", command.parameters.value_or("(null)"));
        EXPECT_FALSE(command.directory.has_value());
        EXPECT_EQ(SW_HIDE, command.showCommand);
    }
    EXPECT_EQ(real, &ShellPort());
    SetShellPort(nullptr);
    EXPECT_EQ(real, &ShellPort());
}

TEST(SoundPort, BeepsReachTheInstalledPortOnly)
{
    ISoundPort* const real = &SoundPort();
    TFakeSoundPort outer;
    Beep();
    {
        TFakeSoundPort inner;
        Beep();
        Beep();
        EXPECT_EQ(2, inner.Beeps());
    }
    EXPECT_EQ(1, outer.Beeps());
    EXPECT_NE(real, &SoundPort());
}

} // namespace
