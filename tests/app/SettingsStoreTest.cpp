// Where the setting is kept on Windows as users run it, through a registry of the tests' own: a
// standard user, to whom the local-machine key is closed; an elevated run, to whom it is open; the
// values that earlier (32-bit) releases left behind.
#include "tests/app/AppFixture.h"

#include "tests/support/FakeRegistryPort.h"

using namespace zv;
using namespace zv::test;

namespace {

const char* const kMachine = "HKLM\\Software\\Zavrin4";
const char* const kUser = "HKCU\\Software\\Zavrin4";
// What Windows kept for a standard user of an earlier release, which ran as a 32-bit program
// without a manifest: on 64-bit Windows under WOW6432Node.
std::string OldVirtualStore()
{
    BOOL wow64 = sizeof(void*) == 8;
    if (!wow64)
        ::IsWow64Process(::GetCurrentProcess(), &wow64);
    return wow64 ? "HKCU\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Zavrin4"
                 : "HKCU\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Zavrin4";
}

class SettingsStore : public AppFixture {
protected:
    // A new start of the program: what the load makes of the registry as it is now.
    int NextStart()
    {
        ShowExitPrompt = 0;
        LoadSettings();
        return ShowExitPrompt;
    }
    void CloseMainWindow(bool ask)
    {
        setari->CheckBox1->SetChecked(ask);
        Form2->ShowForm();
        ::SendMessageA(Form2->Handle(), WM_CLOSE, 0, 0);
    }

    TFakeRegistryPort registry;
};

class StandardUser : public SettingsStore {
protected:
    void BeforeCreate() override { registry.DenyWrites("HKLM\\Software"); }
};

TEST_F(StandardUser, KeepsEachChoiceForTheUserWithoutAnError)
{
    EXPECT_EQ(0, ShowExitPrompt); // a first run
    CloseMainWindow(true);
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(Prompt->Visible());
    EXPECT_EQ(1u, registry.Dword(kUser, "dialog").value_or(99));
    EXPECT_FALSE(registry.KeyExists(kMachine));
    EXPECT_EQ(1, NextStart());

    CloseMainWindow(false);
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(0u, registry.Dword(kUser, "dialog").value_or(99));
    EXPECT_EQ(0, NextStart());
    EXPECT_EQ(0, registry.OpenHandles());
}

class StandardUserUnderAMachineValue : public StandardUser {
protected:
    void BeforeCreate() override
    {
        registry.SetDword(kMachine, "dialog", 1); // set by an administrator
        StandardUser::BeforeCreate();
    }
};

TEST_F(StandardUserUnderAMachineValue, ReadsItAndThenKeepsTheirOwnChoice)
{
    EXPECT_TRUE(setari->CheckBox1->Checked());
    CloseMainWindow(false);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(1u, registry.Dword(kMachine, "dialog").value_or(99));
    EXPECT_EQ(0, NextStart());
}

// Not even the user's own key can be written: the one case left that is reported.
class NothingWritable : public SettingsStore {
protected:
    void BeforeCreate() override
    {
        registry.DenyWrites("HKLM\\Software");
        registry.DenyWrites("HKCU\\Software");
    }
};

TEST_F(NothingWritable, ShowsTheFrameworkErrorOnceAndStillEnds)
{
    CloseMainWindow(false);
    EXPECT_EQ((std::vector<std::string>{"Failed to set data for 'dialog'"}), shown_);
    EXPECT_TRUE(Application->Terminated());
}

// An elevated run (or Wine): the machine's key is written as described, and the older per-user
// values, which the load reads first, are removed so that they do not bring back an older choice.
class Elevated : public SettingsStore {
protected:
    void BeforeCreate() override
    {
        registry.SetDword(kUser, "dialog", 1);
        registry.SetDword(OldVirtualStore(), "dialog", 1);
        registry.SetDword(kMachine, "dialog", 1);
    }
};

TEST_F(Elevated, WritesTheMachineKeyAndRemovesTheValuesThatWouldShadowIt)
{
    ASSERT_TRUE(setari->CheckBox1->Checked());
    CloseMainWindow(false);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(0u, registry.Dword(kMachine, "dialog").value_or(99));
    EXPECT_FALSE(registry.KeyExists(kUser));
    EXPECT_FALSE(registry.KeyExists(OldVirtualStore()));
    EXPECT_EQ(0, NextStart());
}

TEST_F(SettingsStore, AFirstElevatedRunCreatesOnlyTheMachineKey)
{
    CloseMainWindow(false);
    EXPECT_EQ(0u, registry.Dword(kMachine, "dialog").value_or(99));
    EXPECT_FALSE(registry.KeyExists(kUser));
}

// What the load reads when several places hold a value: the user's own first, then what Windows kept
// for them for an earlier release (it showed them that over the machine's), then the machine's.
TEST_F(SettingsStore, TheLatestChoiceOfTheUserWins)
{
    registry.SetDword(kMachine, "dialog", 1);
    registry.SetDword(OldVirtualStore(), "dialog", 0);
    EXPECT_EQ(0, NextStart());
    registry.SetDword(kUser, "dialog", 1);
    EXPECT_EQ(1, NextStart());
    registry.SetDword(kUser, "dialog", 2);
    EXPECT_EQ(2, NextStart());
}

TEST_F(SettingsStore, AnEarlierReleasesValueIsStillRead)
{
    registry.SetDword(OldVirtualStore(), "dialog", 1);
    EXPECT_EQ(1, NextStart());
    DeleteSettingsKey();
    EXPECT_EQ(0, NextStart());
#ifdef _WIN64
    // Saved elevated by the 32-bit program: in the 32-bit view of the machine's key.
    registry.SetDword("HKLM\\Software\\WOW6432Node\\Zavrin4", "dialog", 1);
    EXPECT_EQ(1, NextStart());
    registry.SetDword(kMachine, "dialog", 0);
    EXPECT_EQ(0, NextStart());
#endif
}

TEST_F(SettingsStore, AKeyWithoutTheValueAnywhereChecksTheBoxAndAValueElsewhereWins)
{
    registry.AddKey(kUser);
    EXPECT_EQ(1, NextStart());
    registry.SetDword(kMachine, "dialog", 0);
    EXPECT_EQ(0, NextStart());
    registry.SetText(kUser, "dialog", "1"); // another type counts as missing
    EXPECT_EQ(0, NextStart());
    registry.SetDword(kMachine, "dialog", 2);
    EXPECT_EQ(2, NextStart());
}

// A REG_DWORD of two bytes holds no setting: the value elsewhere counts, not the first bytes of this one.
TEST_F(SettingsStore, ADwordOfAnotherLengthCountsAsMissing)
{
    registry.SetDword(kMachine, "dialog", 1);
    for (const std::vector<BYTE>& bytes : {std::vector<BYTE>{0, 0}, std::vector<BYTE>{0}, std::vector<BYTE>{}}) {
        SCOPED_TRACE("bytes: " + std::to_string(bytes.size()));
        registry.SetRaw(kUser, "dialog", REG_DWORD, bytes);
        EXPECT_EQ(1, NextStart());
    }
    registry.SetRaw(kUser, "dialog", REG_DWORD, {0, 0, 0, 0});
    EXPECT_EQ(0, NextStart());
}

} // namespace
