// The date-time picker: values from code and from the user's keys, the earliest date, the colour.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/DateUtils.h"
#include "framework/Forms.h"
#include "tests/support/TestUtil.h"

using namespace zv;
using zv::test::Pump;
using zv::test::TDib;

namespace {

SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    return st;
}

std::string Show(const SYSTEMTIME& st)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                  st.wSecond);
    return buf;
}

class TPickerForm : public TForm {
public:
    explicit TPickerForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(TBorderStyle::bsSingle);
        SetClientWidth(300);
        SetClientHeight(120);
    }
    void Finish() { FinishCreate(); }
};

struct Picker : ::testing::Test {
    void SetUp() override
    {
        form = new TPickerForm(Application);
        picker = new TDateTimePicker(form);
        picker->SetParent(form);
        picker->SetBounds(20, 20, 120, 21);
        picker->OnChange = [this](TObject* sender) {
            EXPECT_EQ(picker, sender);
            ++changes;
        };
    }
    void TearDown() override { delete form; }
    void ShowAndFocus()
    {
        form->Finish();
        form->Show();
        ::SetForegroundWindow(form->Handle());
        Pump(30);
        picker->SetFocus();
    }
    void Key(WORD vk)
    {
        ::SendMessageA(picker->Handle(), WM_KEYDOWN, vk, 1);
        ::SendMessageA(picker->Handle(), WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
    }
    TPickerForm* form = nullptr;
    TDateTimePicker* picker = nullptr;
    int changes = 0;
};

TEST_F(Picker, OnChangeFollowsTheUsersStepsButNotValuesSetByCode)
{
    picker->SetKind(TDateTimeKind::dtkTime);
    picker->SetDateTime(At(2024, 5, 10, 12, 30, 15));
    ShowAndFocus();
    EXPECT_EQ("2024-05-10 12:30:15", Show(picker->DateTime()));
    EXPECT_EQ(0, changes);

    // Up on each field in turn (the first Up may find no field selected): OnChange fires exactly
    // when the value moved.
    for (WORD key : {VK_UP, VK_RIGHT, VK_UP, VK_RIGHT, VK_UP}) {
        const std::string before = Show(picker->DateTime());
        const int changesBefore = changes;
        Key(key);
        const std::string after = Show(picker->DateTime());
        EXPECT_EQ(changesBefore + (before != after ? 1 : 0), changes) << before << " -> " << after;
    }
    EXPECT_GE(changes, 2);
    EXPECT_EQ("2024-05-10", Show(picker->DateTime()).substr(0, 10)); // a time picker steps only the time

    // A window made again shows what the user chose.
    const std::string chosen = Show(picker->DateTime());
    picker->SetKind(TDateTimeKind::dtkDate);
    EXPECT_EQ(chosen, Show(picker->DateTime()));

    // The clock putting the picker on the current time does not count as an edit.
    const int userChanges = changes;
    picker->SetTime(At(2000, 1, 1, 22, 30, 0));
    EXPECT_EQ("2024-05-10 22:30:00", Show(picker->DateTime()));
    picker->SetDate(At(2024, 12, 31));
    picker->SetDateTime(At(2025, 1, 2, 3, 4, 5));
    EXPECT_EQ("2025-01-02 03:04:05", Show(picker->DateTime()));
    Pump(30);
    EXPECT_EQ(userChanges, changes);
}

TEST_F(Picker, ANewValueRepaintsTheFieldsButNotTheArrows)
{
    // The clock sets the time picker every second: its arrows, which do not change, are not repainted.
    picker->SetKind(TDateTimeKind::dtkTime);
    picker->SetDateTime(At(2024, 5, 10, 12, 30, 15));
    ShowAndFocus();
    HWND arrows = ::FindWindowExA(picker->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, arrows);
    ::UpdateWindow(form->Handle());
    ::RedrawWindow(picker->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    ASSERT_FALSE(::GetUpdateRect(picker->Handle(), &r, FALSE));
    picker->SetDateTime(At(2024, 5, 10, 12, 30, 16));
    EXPECT_TRUE(::GetUpdateRect(picker->Handle(), &r, FALSE));
    EXPECT_FALSE(::GetUpdateRect(arrows, &r, FALSE));
}

TEST_F(Picker, DatesBeforeTheEarliestDateAreRefused)
{
    picker->SetDateTime(At(2024, 5, 12, 10, 0, 0));
    picker->SetMinDate(At(2024, 5, 10, 15, 0, 0));
    EXPECT_EQ("2024-05-10 00:00:00", Show(*picker->MinDate())); // a date: the time is ignored
    EXPECT_EQ("2024-05-12 10:00:00", Show(picker->DateTime()));

    // From code: an exception, and the value stays. The earliest day itself is fine at any hour.
    EXPECT_THROW(picker->SetDateTime(At(2024, 5, 9, 23, 59, 59)), EDateTimeError);
    EXPECT_EQ("2024-05-12 10:00:00", Show(picker->DateTime()));
    picker->SetDateTime(At(2024, 5, 10, 0, 0, 0));
    picker->SetDateTime(At(2024, 5, 10, 8, 0, 0));
    EXPECT_THROW(picker->SetDate(At(2023, 12, 31)), EDateTimeError);
    EXPECT_THROW(picker->SetDateTime(At(2024, 2, 30)), EDateTimeError); // no such day

    // A later earliest date pulls the value up to it, keeping the time of day.
    picker->SetMinDate(At(2024, 6, 1));
    EXPECT_EQ("2024-06-01 08:00:00", Show(picker->DateTime()));
    EXPECT_EQ(0, changes);

    // The user steps each field down from the earliest date: no step lands before it. Depending on
    // the field the step is undone or the value is held at the earliest date (the day field wraps
    // within its month instead).
    ShowAndFocus();
    int heldAtEarliest = 0;
    for (int field = 0; field < 3; ++field) {
        picker->SetDateTime(At(2024, 6, 1, 8, 0, 0));
        Key(VK_RIGHT);
        const int changesBefore = changes;
        Key(VK_DOWN);
        const std::string after = Show(picker->DateTime());
        EXPECT_GE(after, "2024-06-01") << "field " << field;
        EXPECT_LT(after, "2024-07");
        EXPECT_EQ(changesBefore + (after != "2024-06-01 08:00:00" ? 1 : 0), changes) << after;
        heldAtEarliest += after.substr(0, 10) == "2024-06-01" ? 1 : 0;
    }
    EXPECT_GE(heldAtEarliest, 2); // the month and the year

    // The native window knows the earliest date too (its calendar greys the days before it), also
    // once it is made again.
    picker->SetDateFormat(TDTDateFormat::dfLong);
    SYSTEMTIME range[2]{};
    EXPECT_EQ(GDTR_MIN, ::SendMessageA(picker->Handle(), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)) & GDTR_MIN);
    EXPECT_EQ("2024-06-01", Show(range[0]).substr(0, 10));

    picker->ClearMinDate();
    picker->SetDateTime(At(2020, 1, 1));
    EXPECT_EQ("2020-01-01 00:00:00", Show(picker->DateTime()));
}

TEST_F(Picker, TheFieldAndTheCalendarShowTheColour)
{
    picker->SetColor(clAqua);
    ShowAndFocus();
    form->SetActiveControl(nullptr);
    ::SetFocus(form->Handle());
    HWND h = picker->Handle();
    ::RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    TDib dib(picker->Width(), picker->Height(), clLime);
    HDC dc = ::GetWindowDC(h);
    ::BitBlt(dib.DC(), 0, 0, picker->Width(), picker->Height(), dc, 0, 0, SRCCOPY);
    ::ReleaseDC(h, dc);
    EXPECT_EQ(clAqua, dib.Pixel(4, 3));
    EXPECT_EQ(clAqua, dib.Pixel(4, picker->Height() - 4));
    EXPECT_EQ(static_cast<LRESULT>(clAqua), ::SendMessageA(h, DTM_GETMCCOLOR, MCSC_MONTHBK, 0));

    picker->SetColor(clInfoBk);
    EXPECT_EQ(static_cast<LRESULT>(ColorToRGB(clInfoBk)), ::SendMessageA(h, DTM_GETMCCOLOR, MCSC_MONTHBK, 0));
}

} // namespace
