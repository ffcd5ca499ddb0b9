// The main window's scheduling: following the clock, editing, arming, firing, disarming, targets.
#include "tests/app/AppFixture.h"

#include "sysinfo/glSysInfo.h"

using namespace zv;
using namespace zv::test;

namespace {

SYSTEMTIME At(WORD h, WORD m, WORD s, WORD day = 8)
{
    return SYSTEMTIME{2026, 12, 0, day, h, m, s, 0};
}

std::string TimeOf(const TDateTimePicker* p) { return TimeToText(p->DateTime()); }
std::string DateOf(const TDateTimePicker* p) { return DateToText(p->DateTime()); }

using MainWindow = AppFixture;

TEST_F(MainWindow, FollowsTheClockUntilEditedThenFiresOnTheArmedTickOnly)
{
    // Following: the tick shows the time and moves both pickers.
    Tick();
    EXPECT_EQ("14:30:00", Form2->glLabel4->Caption());
    TickAfter(1);
    EXPECT_EQ("14:30:01", Form2->glLabel4->Caption());
    EXPECT_EQ("14:30:01", TimeOf(Form2->DateTimePicker1));
    EXPECT_EQ("08.12.2026", DateOf(Form2->DateTimePicker2));
    EXPECT_EQ("nestabilita", Form2->Label4->Caption());

    // Edited: the user steps the time picker; the tick leaves the pickers alone from then on.
    Form2->ShowForm();
    ::SetForegroundWindow(Form2->Handle());
    Form2->DateTimePicker1->SetFocus();
    for (WORD key : {VK_RIGHT, VK_UP}) { // select a field, then step it
        ::SendMessageA(Form2->DateTimePicker1->Handle(), WM_KEYDOWN, key, 1);
        ::SendMessageA(Form2->DateTimePicker1->Handle(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
    ASSERT_TRUE(Form2->TimeEdited);
    const std::string chosen = TimeOf(Form2->DateTimePicker1);
    EXPECT_NE("14:30:01", chosen);
    TickAfter(1);
    EXPECT_EQ(chosen, TimeOf(Form2->DateTimePicker1));

    // Armed at a known moment: 14:30:05 today.
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 5));
    ClickButton(Form2->glBitBtn1);
    ASSERT_TRUE(Form2->Validated);
    EXPECT_EQ("14:30:05", Form2->Label4->Caption());
    EXPECT_EQ("14:30:05", Form2->StoredTimeText);
    EXPECT_EQ("08.12.2026", Form2->StoredDateText);

    for (int s = 3; s <= 4; ++s)
        TickAfter(1);
    EXPECT_EQ(0u, session.RequestCount());
    TickAfter(1); // 14:30:05
    EXPECT_EQ((std::vector<std::string>{"-s -t 00"}), Parameters(session));
    TickAfter(1);
    TickAfter(1);
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_TRUE(Form2->Validated); // firing leaves the choice armed
}

TEST_F(MainWindow, ArmedOnAnotherDateFiresOnlyOnThatDate)
{
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 2));
    Form2->DateTimePicker2->SetDateTime(At(14, 30, 2, 9));
    ClickButton(Form2->glBitBtn1);
    TickAfter(2); // 14:30:02 on the 8th
    EXPECT_EQ(0u, session.RequestCount());
    clock.Set(At(14, 30, 1, 9));
    Tick();
    TickAfter(1);
    EXPECT_EQ(1u, session.RequestCount());
}

TEST_F(MainWindow, AnuleazaDisarmsAndThePickersFollowTheClockAgainOnTheNextTick)
{
    Form2->DateTimePicker1->SetDateTime(At(22, 0, 0));
    Form2->DateTimePicker1Change(Form2->DateTimePicker1);
    ClickButton(Form2->glBitBtn1);
    ClickButton(Form2->glBitBtn2);
    EXPECT_FALSE(Form2->Validated);
    EXPECT_FALSE(Form2->TimeEdited);
    EXPECT_EQ("nestabilita", Form2->Label4->Caption());
    EXPECT_EQ("22:00:00", TimeOf(Form2->DateTimePicker1)); // not before the next tick
    TickAfter(1);
    EXPECT_EQ("14:30:01", TimeOf(Form2->DateTimePicker1));
    clock.Set(At(22, 0, 0));
    Tick();
    EXPECT_EQ(0u, session.RequestCount());

    // The menu's "Anulare" does the same.
    ClickButton(Form2->glBitBtn1);
    ClickMenu(Form2, Form2->Bind<TMenuItem>("Anulare1"));
    EXPECT_FALSE(Form2->Validated);
}

TEST_F(MainWindow, TheImmediateButtonShutsDownWhateverIsArmed)
{
    Form2->rd2->SetChecked(true);
    Form2->radio2->SetChecked(true);
    ClickButton(Form2->glBitBtn1);
    ClickButton(Form2->glBitBtn3);
    EXPECT_EQ((std::vector<std::string>{"-s -t 00"}), Parameters(session));
}

TEST_F(MainWindow, TheArmedKindAndTargetAreReadAtTheFiringTick)
{
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 1));
    ClickButton(Form2->glBitBtn1);
    // Chosen after arming: still what counts.
    Form2->rd2->SetChecked(true);
    Form2->radio2->SetChecked(true);
    EXPECT_TRUE(Form2->Edit1->Enabled());
    Form2->Edit1->SetText("\\\\PC-07");
    TickAfter(1);
    EXPECT_EQ((std::vector<std::string>{"-r -m \\\\PC-07 -t 00"}), Parameters(session));
    EXPECT_FALSE(Form2->rd1->Checked());

    // Back to this machine: the edit is disabled and keeps its text.
    Form2->radio1->SetChecked(true);
    EXPECT_FALSE(Form2->Edit1->Enabled());
    EXPECT_EQ("\\\\PC-07", Form2->Edit1->GetText());
}

TEST_F(MainWindow, ALateTickStillFiresTheSecondItJumpedOverOnce)
{
    Form2->DateTimePicker1->SetDateTime(At(14, 30, 3));
    ClickButton(Form2->glBitBtn1);
    TickAfter(1);
    TickAfter(4); // the loop was held up: 14:30:05, the armed 14:30:03 never had a tick
    EXPECT_EQ(1u, session.RequestCount());
    TickAfter(1);
    TickAfter(10);
    EXPECT_EQ(1u, session.RequestCount());

    // Arming twice keeps only the last moment.
    session.Clear();
    Form2->DateTimePicker1->SetDateTime(At(14, 31, 0));
    ClickButton(Form2->glBitBtn1);
    Form2->DateTimePicker1->SetDateTime(At(14, 32, 0));
    ClickButton(Form2->glBitBtn1);
    clock.Set(At(14, 31, 30));
    Tick();
    EXPECT_EQ(0u, session.RequestCount());
    clock.Set(At(14, 32, 30));
    Tick();
    EXPECT_EQ(1u, session.RequestCount());
}

class MainWindowWithoutSeconds : public AppFixture {
protected:
    TFormatSettingsOverride noSeconds{TFormatSettings{LOCALE_USER_DEFAULT, "HH:mm", "dd.MM.yyyy"}};
};

// The label shows the minute: the moment is its start, and it fires once, not on every tick of it.
TEST_F(MainWindowWithoutSeconds, FiresOnceAtTheStartOfTheArmedMinute)
{
    Form2->DateTimePicker1->SetDateTime(At(14, 31, 37)); // the seconds of the tick before the edit
    ClickButton(Form2->glBitBtn1);
    EXPECT_EQ("14:31", Form2->Label4->Caption());
    clock.Set(At(14, 30, 58));
    Tick();
    TickAfter(1);
    EXPECT_EQ(0u, session.RequestCount());
    TickAfter(1); // 14:31:00
    EXPECT_EQ(1u, session.RequestCount());
    for (int i = 0; i < 60; ++i)
        TickAfter(1); // the rest of the minute and on
    EXPECT_EQ(1u, session.RequestCount());
    EXPECT_TRUE(session.Warnings().empty());
}

TSysInfoFacts Win95Facts()
{
    TSysInfoFacts f = CollectSysInfoFacts();
    f.platformId = 1;
    return f;
}

class MainWindowOn95 : public AppFixture {
protected:
    void BeforeCreate() override { SetSysInfoSource(&Win95Facts); }
    void TearDown() override
    {
        AppFixture::TearDown();
        SetSysInfoSource(nullptr);
    }
};

TEST_F(MainWindowOn95, TheNetworkGroupIsDisabledAndLocalRequestsEndTheSessionDirectly)
{
    EXPECT_EQ("95", Form2->System->OSPlatform());
    EXPECT_FALSE(Form2->group1->Enabled());
    EXPECT_FALSE(Form2->radio2->Enabled());
    EXPECT_TRUE(Form2->radio1->Checked());
    ClickButton(Form2->glBitBtn3);
    ASSERT_EQ(1u, session.ExitCalls().size());
    EXPECT_EQ(1u, session.ExitCalls()[0].flags);
    EXPECT_EQ(1u, session.ExitCalls()[0].reserved);
}

TEST_F(MainWindow, OnNTTheNetworkGroupIsEnabledWithTheEditDisabled)
{
    EXPECT_EQ("NT", Form2->System->OSPlatform());
    EXPECT_TRUE(Form2->group1->Enabled());
    EXPECT_FALSE(Form2->Edit1->Enabled());
    EXPECT_EQ("//", Form2->Edit1->GetText());
    EXPECT_TRUE(Form2->rd1->Checked());
    EXPECT_TRUE(Form2->radio1->Checked());
}

TEST_F(MainWindow, TheDatePickerOffersNothingBeforeCreationDay)
{
    ASSERT_TRUE(Form2->DateTimePicker2->MinDate().has_value());
    EXPECT_EQ("08.12.2026", DateToText(*Form2->DateTimePicker2->MinDate()));
    EXPECT_THROW(Form2->DateTimePicker2->SetDateTime(At(12, 0, 0, 7)), Exception);
}

} // namespace

namespace {

TEST_F(MainWindow, AClockPutBackBeforeCreationDayKeepsTickingWithoutErrors)
{
    clock.Set(At(9, 0, 0, 5)); // three days before the window was created
    Tick();
    TickAfter(1);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ("09:00:01", TimeOf(Form2->DateTimePicker1));
    EXPECT_EQ("08.12.2026", DateOf(Form2->DateTimePicker2));
    EXPECT_EQ("09:00:01", Form2->glLabel4->Caption());
}

} // namespace
