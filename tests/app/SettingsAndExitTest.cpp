// Start-up, the stored setting and every way out of the main window.
#include "tests/app/AppFixture.h"

#include "countdown/Ramas.h"
#include "sysinfo/Info.h"

using namespace zv;
using namespace zv::test;

namespace {

using FirstRun = AppFixture;

TEST_F(FirstRun, NoKeyMeansNoQuestionAndTheCloseWritesZero)
{
    EXPECT_EQ(0, ShowExitPrompt);
    EXPECT_FALSE(setari->CheckBox1->Checked());
    Form2->ShowForm();
    ::SendMessageA(Form2->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Prompt->Visible());
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(0, StoredSetting()); // the key was created
    EXPECT_TRUE(shown_.empty());
}

TEST_F(FirstRun, ClosingWithTheBoxCheckedAsksAndSavesOne)
{
    setari->CheckBox1->SetChecked(true);
    Form2->ShowForm();
    ::SendMessageA(Form2->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(Prompt->Visible());
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(1, StoredSetting());
}

template <int Stored>
class StoredValue : public AppFixture {
protected:
    void BeforeCreate() override
    {
        const DWORD v = Stored;
        StoreSetting(REG_DWORD, &v, sizeof v);
    }
};

using StoredOne = StoredValue<1>;
using StoredTwo = StoredValue<2>;
using StoredZero = StoredValue<0>;

TEST_F(StoredOne, ChecksTheBox) { EXPECT_TRUE(setari->CheckBox1->Checked()); }
TEST_F(StoredTwo, LeavesTheBoxClear) { EXPECT_FALSE(setari->CheckBox1->Checked()); }
TEST_F(StoredZero, LeavesTheBoxClear) { EXPECT_FALSE(setari->CheckBox1->Checked()); }

class StoredText : public AppFixture {
protected:
    void BeforeCreate() override { StoreSetting(REG_SZ, "1", 2); }
};

TEST_F(StoredText, AValueOfAnotherTypeCountsAsMissingSoTheBoxIsChecked)
{
    EXPECT_TRUE(setari->CheckBox1->Checked());
}

class KeyWithoutValue : public AppFixture {
protected:
    void BeforeCreate() override
    {
        HKEY k;
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Zavrin4", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        ::RegCloseKey(k);
    }
};

TEST_F(KeyWithoutValue, ChecksTheBox) { EXPECT_TRUE(setari->CheckBox1->Checked()); }

TEST_F(StoredOne, IesireAndDaEndWithoutSaving)
{
    setari->CheckBox1->SetChecked(false); // changed, then left through "Iesire" and "DA": lost
    Form2->ShowForm();
    ClickButton(Form2->glBitBtn4);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_TRUE(Prompt->Visible());
    ClickButton(Prompt->glBitBtn2);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(1, StoredSetting());
}

TEST_F(FirstRun, IesireAlwaysAsksAndNuBringsTheMainWindowBack)
{
    ASSERT_FALSE(setari->CheckBox1->Checked());
    Form2->ShowForm();
    ClickMenu(Form2, Form2->Bind<TMenuItem>("Iesire1"));
    EXPECT_TRUE(Prompt->Visible());
    EXPECT_FALSE(Form2->Visible());
    ClickButton(Prompt->glBitBtn1);
    EXPECT_FALSE(Prompt->Visible());
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(-1, StoredSetting());
}

TEST_F(FirstRun, EnterOnThePromptMeansNu)
{
    Form2->ShowForm();
    ClickButton(Form2->glBitBtn4);
    Prompt->glBitBtn2->SetFocus();
    Prompt->glBitBtn1->SetFocus();
    ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(FirstRun, ClosingASecondaryWindowOnlyHidesIt)
{
    for (TForm* f : std::vector<TForm*>{Info, setari, Prompt, Ramas}) {
        f->ShowForm();
        ::SendMessageA(f->Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(f->Visible()) << f->Name();
    }
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(FirstRun, TheSplashHandsOverOnTickFiveAndNeverAgain)
{
    EXPECT_EQ(Form1, Application->MainForm());
    EXPECT_EQ(0, SplashTicks);
    Form1->ShowForm();
    for (int i = 1; i <= 4; ++i) {
        Form1->Timer1->Timer();
        EXPECT_FALSE(Form2->Visible()) << i;
    }
    EXPECT_FALSE(Form1->Image1->Picture().Empty());
    Form1->Timer1->Timer();
    EXPECT_FALSE(Form1->Visible());
    EXPECT_TRUE(Form2->Visible());
    EXPECT_EQ(900u, Form1->Timer1->Interval());
    // Hidden for good, the splash lets go of its picture; painted again, it shows the same one.
    EXPECT_TRUE(Form1->Image1->Picture().Empty());
    zv::test::TDib dib(399, 316);
    Form1->PaintTo(dib.DC());
    EXPECT_EQ(399, Form1->Image1->Picture().Width());
    EXPECT_EQ(316, Form1->Image1->Picture().Height());

    Form2->Hide();
    for (int i = 6; i <= 20; ++i)
        Form1->Timer1->Timer();
    EXPECT_EQ(20, SplashTicks);
    EXPECT_FALSE(Form2->Visible());
}

TEST_F(FirstRun, ShowingTheMainWindowHidesTheStrip)
{
    Ramas->ShowForm();
    Form2->ShowForm();
    EXPECT_FALSE(Ramas->Visible());
}

// The setting's key exists but grants nobody the right to change it: the registry refuses the save, as
// Windows refuses a standard user under HKEY_LOCAL_MACHINE\Software.
class RefusedWrite : public AppFixture {
protected:
    void BeforeCreate() override
    {
        HKEY k;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Zavrin4", 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &k, nullptr));
        // Everyone may read; no one may write.
        SECURITY_DESCRIPTOR sd;
        ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        alignas(DWORD) BYTE aclBuffer[256];
        auto* acl = reinterpret_cast<PACL>(aclBuffer);
        ::InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
        ::AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | READ_CONTROL | WRITE_DAC, everyone);
        ::SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, &sd));
        ::FreeSid(everyone);
        ::RegCloseKey(k);
    }
    void TearDown() override
    {
        // Give the key back a null list so that it can be removed.
        HKEY k;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Zavrin4", 0, WRITE_DAC, &k) == ERROR_SUCCESS) {
            SECURITY_DESCRIPTOR sd;
            ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
            ::SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
            ::RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, &sd);
            ::RegCloseKey(k);
        }
        AppFixture::TearDown();
        EXPECT_EQ(-1, StoredSetting());
    }
};

// The machine's key is closed: the choice is kept for the user, without a word, and it is what the
// next start reads although the machine's key says otherwise.
TEST_F(RefusedWrite, KeepsTheChoiceForTheUserWithoutAnError)
{
    setari->CheckBox1->SetChecked(true);
    Form2->ShowForm();
    ::SendMessageA(Form2->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(Prompt->Visible());
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(1, StoredSetting(HKEY_CURRENT_USER));
    EXPECT_EQ(-1, StoredSetting());

    setari->CheckBox1->SetChecked(false);
    Form2->ShowForm();
    ::SendMessageA(Form2->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(0, StoredSetting(HKEY_CURRENT_USER));
    ShowExitPrompt = 7;
    LoadSettings();
    EXPECT_EQ(0, ShowExitPrompt);
}

} // namespace
