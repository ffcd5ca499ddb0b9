// What a clock tick that changes nothing visible must not do: repaint or tell a native control.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/TestUtil.h"

using namespace zv;
using zv::test::Pump;

namespace {

SYSTEMTIME At(int d, int h, int mi, int s)
{
    SYSTEMTIME st{};
    st.wYear = 2026;
    st.wMonth = 3;
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    return st;
}

class TIdleForm : public TForm {
public:
    explicit TIdleForm(TComponent* owner) : TForm(owner)
    {
        SetClientWidth(300);
        SetClientHeight(120);
    }
    void Finish() { FinishCreate(); }
};

struct IdleRepaint : ::testing::Test {
    void SetUp() override
    {
        form = new TIdleForm(Application);
        label = new TLabel(form);
        label->SetParent(form);
        label->SetBounds(10, 60, 80, 13);
        label->SetCaption("14:05:09");
        date = new TDateTimePicker(form);
        date->SetParent(form);
        date->SetBounds(10, 10, 100, 21);
        time = new TDateTimePicker(form);
        time->SetParent(form);
        time->SetBounds(120, 10, 100, 21);
        time->SetKind(TDateTimeKind::dtkTime);
        form->Finish();
        form->Show();
        date->SetDateTime(At(9, 14, 5, 9));
        time->SetDateTime(At(9, 14, 5, 9));
        Settle();
    }
    void TearDown() override { delete form; }
    void Settle()
    {
        Pump(30);
        for (HWND h : {form->Handle(), date->Handle(), time->Handle()})
            ::ValidateRect(h, nullptr);
    }
    static bool Dirty(HWND h) { return ::GetUpdateRect(h, nullptr, FALSE) != 0; }
    TIdleForm* form = nullptr;
    TLabel* label = nullptr;
    TDateTimePicker* date = nullptr;
    TDateTimePicker* time = nullptr;
};

TEST_F(IdleRepaint, ACaptionSetToItsOwnTextRepaintsNothing)
{
    label->SetCaption("14:05:09");
    EXPECT_FALSE(Dirty(form->Handle()));
    label->SetCaption("14:05:10");
    EXPECT_TRUE(Dirty(form->Handle()));
}

TEST_F(IdleRepaint, APickerIsToldOnlyWhatChangesItsFace)
{
    // The seconds move: the date picker shows the same day and is left alone, the time picker moves.
    date->SetDateTime(At(9, 14, 5, 10));
    time->SetDateTime(At(9, 14, 5, 10));
    EXPECT_FALSE(Dirty(date->Handle()));
    EXPECT_TRUE(Dirty(time->Handle()));
    // Both still answer with the whole value they were given.
    EXPECT_EQ(10, date->DateTime().wSecond);
    EXPECT_EQ(9, date->DateTime().wDay);
    EXPECT_EQ(10, time->DateTime().wSecond);
    Settle();

    // A new day reaches the date picker; the time picker's face (14:05:10) stays and so does it.
    date->SetDateTime(At(10, 14, 5, 10));
    time->SetDateTime(At(10, 14, 5, 10));
    EXPECT_TRUE(Dirty(date->Handle()));
    EXPECT_FALSE(Dirty(time->Handle()));
    EXPECT_EQ(10, date->DateTime().wDay);
    EXPECT_EQ(10, time->DateTime().wDay);
}

} // namespace

namespace {

TEST_F(IdleRepaint, AHiddenWindowIsNotMarkedAndIsPaintedWholeWhenShown)
{
    form->Hide();
    label->SetCaption("14:05:11");
    EXPECT_FALSE(Dirty(form->Handle()));
    form->Show();
    RECT r{};
    ASSERT_TRUE(::GetUpdateRect(form->Handle(), &r, FALSE));
    EXPECT_EQ(form->ClientWidth(), r.right - r.left);
}

} // namespace
