// One arming, one firing, at the moment the user meant: a moment already gone is refused; an armed
// moment fires once whatever the clock does (the night daylight saving ends, a clock put back, a time
// zone further west or east, two ticks in one second); new regional formats show the same moment.
#include "tests/app/AppFixture.h"

#include <commctrl.h>

using namespace zv;
using namespace zv::test;

namespace {

SYSTEMTIME At(WORD h, WORD m, WORD s, WORD day = 8) { return SYSTEMTIME{2026, 12, 0, day, h, m, s, 0}; }

class MainWindowMoment : public AppFixture {
protected:
    void ClickValideaza(const SYSTEMTIME& moment)
    {
        Form2->DateTimePicker2->SetDateTime(moment);
        Form2->DateTimePicker1->SetDateTime(moment);
        ClickButton(Form2->glBitBtn1);
    }
    std::size_t TicksFor(int seconds)
    {
        const std::size_t before = session.RequestCount();
        for (int i = 0; i < seconds; ++i)
            TickAfter(1);
        return session.RequestCount() - before;
    }
};

TEST_F(MainWindowMoment, AMomentInTheCurrentSecondOrEarlierIsRefusedAndNothingIsArmed)
{
    Tick(); // 14:30:00
    for (const SYSTEMTIME& past : {At(13, 30, 0), At(14, 29, 59), At(14, 30, 0), At(0, 0, 0)}) {
        session.Clear();
        ClickValideaza(past);
        ASSERT_EQ(1u, session.Warnings().size());
        const std::string& warning = session.Warnings()[0];
        EXPECT_NE(std::string::npos, warning.find(TimeToText(past) + ", a trecut deja.")) << warning;
        EXPECT_NE(std::string::npos, warning.find(DateToText(past))) << warning;
        EXPECT_FALSE(Form2->Validated);
        EXPECT_EQ("nestabilita", Form2->Label4->Caption());
        EXPECT_TRUE(power.Requests().empty());
    }
    // Ticks come and go over the refused moments (the clock even goes back over one): nothing fires.
    clock.Set(At(13, 29, 58));
    EXPECT_EQ(0u, TicksFor(5));
    clock.Set(At(14, 30, 0));
    EXPECT_EQ(0u, TicksFor(3));

    // The next second is ahead: armed. A refused arming afterwards leaves it armed as it was.
    ClickValideaza(At(14, 30, 4));
    EXPECT_TRUE(Form2->Validated);
    session.Clear();
    ClickValideaza(At(14, 0, 0));
    EXPECT_EQ(1u, session.Warnings().size());
    EXPECT_EQ("14:30:04", Form2->Label4->Caption());
    EXPECT_EQ(1u, TicksFor(2));
}

// Bucharest, the last Sunday of October: 04:00 becomes 03:00, so every time between 03:00 and 04:00
// comes twice. The moment fires the first time; the second pass fires nothing, and the machine is
// let sleep from the firing on.
TEST_F(MainWindowMoment, TheNightDaylightSavingEndsFiresOnce)
{
    clock.Set(At(3, 29, 50));
    Tick();
    ClickValideaza(At(3, 30, 0));
    EXPECT_EQ(1u, TicksFor(15));
    EXPECT_FALSE(power.Held());
    clock.Set(At(3, 0, 0)); // 03:59:59 summer time is followed by 03:00:00 winter time
    Tick();
    EXPECT_FALSE(power.Held());
    EXPECT_EQ(0u, TicksFor(3600));
    EXPECT_EQ("03:30:00", Form2->Label4->Caption()); // still shown as armed
    EXPECT_EQ("03:30:00", TimeToText(Form2->DateTimePicker1->DateTime()));

    // "Valideaza" arms anew: then it fires again.
    ClickValideaza(At(4, 0, 2));
    EXPECT_EQ(1u, TicksFor(2));
}

TEST_F(MainWindowMoment, TwoTicksInOneSecondFireOnce)
{
    ClickValideaza(At(14, 30, 2));
    TickAfter(2);
    Tick(); // a second tick in the same second (a timer message that came late, then the next one)
    Tick();
    EXPECT_EQ(1u, session.RequestCount());
}

// A time zone further east moves the local clock forward past the moment: it fires once, at once.
// Back west after it fired, the moment comes round again and fires nothing.
TEST_F(MainWindowMoment, ATimeZoneChangeFollowsTheNewLocalClock)
{
    Tick();
    ClickValideaza(At(15, 0, 0));
    TickAfter(1);
    clock.Set(At(16, 30, 1)); // two hours east
    Tick();
    EXPECT_EQ(1u, session.RequestCount());
    clock.Set(At(14, 30, 2)); // and back
    Tick();
    EXPECT_EQ(0u, TicksFor(3600));

    // West before the moment: it waits for the new local clock to reach it.
    ClickValideaza(At(16, 0, 0));
    clock.Set(At(14, 0, 0));
    Tick();
    EXPECT_TRUE(power.Held());
    clock.Set(At(15, 59, 58));
    EXPECT_EQ(0u, TicksFor(1));
    EXPECT_EQ(1u, TicksFor(1));
}

// The user's regional settings changed from the program's own "Setari > Regionale": Windows stores
// them and tells every top-level window with WM_SETTINGCHANGE "intl".
class MainWindowRegional : public MainWindowMoment {
protected:
    void SetUp() override
    {
        for (auto& [type, old] : saved_) {
            char text[80] = "";
            ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
            old = text;
        }
        SetLocale("HH:mm:ss", "dd.MM.yyyy", "AM", "PM");
        MainWindowMoment::SetUp();
    }
    void TearDown() override
    {
        MainWindowMoment::TearDown();
        for (const auto& [type, old] : saved_)
            ::SetLocaleInfoA(LOCALE_USER_DEFAULT, type, old.c_str());
    }
    static void SetLocale(const char* time, const char* date, const char* am, const char* pm)
    {
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time);
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date);
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, am);
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, pm);
    }
    void Announce()
    {
        ::SendMessageA(Form2->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    }
    // What the picker window shows, drawn as the native control draws it.
    static std::string Shown(TDateTimePicker* p)
    {
        char text[80] = "";
        ::GetWindowTextA(p->Handle(), text, sizeof text);
        return text;
    }

    std::pair<LCTYPE, std::string> saved_[4] = {
        {LOCALE_STIMEFORMAT, {}}, {LOCALE_SSHORTDATE, {}}, {LOCALE_S1159, {}}, {LOCALE_S2359, {}}};
};

TEST_F(MainWindowRegional, NewFormatsShowTheSameMomentEverywhereAndItFiresOnTime)
{
    Tick();
    ClickValideaza(At(14, 31, 0));
    ASSERT_EQ("14:31:00", Form2->Label4->Caption());

    // A 12-hour clock and a new date format.
    SetLocale("h:mm:ss tt", "yyyy-MM-dd", "AM", "PM");
    Announce();
    EXPECT_EQ("2:30:00 PM", Form2->glLabel4->Caption());
    EXPECT_EQ("2:31:00 PM", Form2->Label4->Caption());
    EXPECT_EQ("2:31:00 PM", Form2->StoredTimeText);
    EXPECT_EQ("2026-12-08", Form2->StoredDateText);
    EXPECT_EQ("2:31:00 PM", Shown(Form2->DateTimePicker1));
    EXPECT_EQ("2026-12-08", Shown(Form2->DateTimePicker2));
    TickAfter(1);
    EXPECT_EQ("2:30:01 PM", Form2->glLabel4->Caption());

    // New AM/PM symbols while armed: still the same moment, and it fires in its second.
    SetLocale("h:mm:ss tt", "yyyy-MM-dd", "a.m.", "p.m.");
    Announce();
    EXPECT_EQ("2:31:00 p.m.", Form2->Label4->Caption());
    EXPECT_EQ(0u, TicksFor(58));
    EXPECT_EQ(1u, TicksFor(1));
    EXPECT_EQ("2:31:00 p.m.", Form2->glLabel4->Caption());

    // Back to a 24-hour clock: the spent moment stays shown, and fires nothing.
    SetLocale("HH:mm:ss", "dd.MM.yyyy", "AM", "PM");
    Announce();
    EXPECT_EQ("14:31:00", Form2->Label4->Caption());
    EXPECT_EQ("14:31:00", Shown(Form2->DateTimePicker1));
    EXPECT_EQ(0u, TicksFor(5));

    // Another section's change is not the regional formats'.
    SetLocale("h:mm:ss tt", "yyyy-MM-dd", "AM", "PM");
    ::SendMessageA(Form2->Handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ("14:31:00", Form2->Label4->Caption());
}

} // namespace
