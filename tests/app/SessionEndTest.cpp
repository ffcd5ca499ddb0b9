// The end of the session, however it comes (shut-down, restart, log-off): every window lets it end,
// the program goes without a question, writes nothing and starts nothing on the way out.
#include "tests/app/AppFixture.h"

#include "countdown/Temporizator.h"

using namespace zv;
using namespace zv::test;

namespace {

class SessionEnd : public AppFixture {
protected:
    void BeforeCreate() override { StoreSetting(REG_DWORD, &kAsk, sizeof kAsk); }
    static constexpr DWORD kAsk = 1;
};

TEST_F(SessionEnd, LetsTheSessionEndAtOnceWithoutAskingSavingOrRequesting)
{
    ASSERT_TRUE(setari->CheckBox1->Checked());
    Form2->ShowForm();
    Form2->DateTimePicker1->SetDateTime(SYSTEMTIME{2026, 12, 0, 8, 14, 30, 1, 0});
    ClickButton(Form2->glBitBtn1);
    temporizator->glBitBtn1Click(nullptr);
    DeleteSettingsKey(); // so that any write shows

    for (HWND h : {Application->Handle(), Form1->Handle(), Form2->Handle(), temporizator->Handle(), Prompt->Handle()})
        EXPECT_TRUE(::SendMessageA(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_FALSE(Prompt->Visible());
    EXPECT_FALSE(Application->Terminated());

    // The end called off: the program goes on.
    ::SendMessageA(Form2->Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(Application->Terminated());

    ::SendMessageA(Form2->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Prompt->Visible());
    EXPECT_EQ(-1, StoredSetting());

    // The armed second comes while the program goes: its timers no longer act.
    clock.Advance(1);
    const DWORD until = ::GetTickCount() + 1300;
    while (::GetTickCount() < until) {
        Application->ProcessMessages();
        ::Sleep(20);
    }
    EXPECT_EQ(0u, session.RequestCount());
    EXPECT_EQ(std::vector<bool>{true}, power.Requests()) << "held as it was: nothing asked on the way out";
    EXPECT_TRUE(shown_.empty());
}

} // namespace
