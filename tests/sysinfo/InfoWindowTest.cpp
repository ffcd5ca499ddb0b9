// The system information window: its nine lines from the collector's facts, made once.
#include <gtest/gtest.h>

#include "app/AppFixture.h"
#include "sysinfo/Info.h"

using namespace zv;
using namespace zv::test;

namespace {

int g_reads = 0;

// A 6th-level processor on a 32-bit screen at 60 Hz and 144 logical pixels per inch, which has no
// font name; more memory than 32 bits can count.
TSysInfoFacts StationFacts()
{
    ++g_reads;
    TSysInfoFacts f;
    f.collected = true;
    f.platformId = 2;
    f.processorLevel = 6;
    f.logPixelsX = 144;
    f.horzRes = 1024;
    f.vertRes = 768;
    f.bitsPerPixel = 32;
    f.vRefreshRate = 60;
    f.totalPhys = 6442450944ULL;
    f.availPhys = 1234;
    f.memoryLoad = 77;
    f.computerName = "STATIE-07";
    f.userName = "maria";
    return f;
}

// Another machine, for telling whether anything was read again.
TSysInfoFacts OtherFacts()
{
    ++g_reads;
    TSysInfoFacts f;
    f.collected = true;
    f.platformId = 1;
    f.processorLevel = 5;
    f.logPixelsX = 96;
    f.computerName = "ALTUL";
    return f;
}

class InfoWindow : public AppFixture {
protected:
    void BeforeCreate() override
    {
        g_reads = 0;
        SetSysInfoSource(&StationFacts);
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        SetSysInfoSource(nullptr);
    }
    std::vector<std::string> BoxLines() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < Info->box->Count(); ++i)
            out.push_back(Info->box->Items(i));
        return out;
    }
};

const std::vector<std::string> kStationLines = {
    "Numele sistemului: STATIE-07",
    "Tipul procesorului: 6x86",
    "Rezolutia folosita este: 1024x768",
    "Adancimea de culoare folosita este: 32 biti",
    "Rata de improspatare a displayului este: 60 Hz",
    "Tipul fonturilor de sistem: ",
    "Userul logat este: maria",
    "Memoria fizica a sistemului este de: 6442450944 bytes",
    "Platforma sistemului de operare este: NT",
};

TEST_F(InfoWindow, ListsExactlyTheNineLinesOfTheFactsAtStart)
{
    EXPECT_EQ(kStationLines, BoxLines());
}

TEST_F(InfoWindow, ShowingAgainRecomputesNothingAndOkHides)
{
    const int readsAtStart = g_reads;
    SetSysInfoSource(&OtherFacts);

    ClickMenu(Form2, Form2->Bind<TMenuItem>("SystemInfo1"));
    EXPECT_TRUE(Info->Visible());
    EXPECT_EQ(kStationLines, BoxLines());

    ClickButton(Info->glBitBtn1);
    EXPECT_FALSE(Info->Visible());
    EXPECT_FALSE(::IsWindowVisible(Info->Handle()));

    ClickMenu(Form2, Form2->Bind<TMenuItem>("SystemInfo1"));
    EXPECT_TRUE(Info->Visible());
    EXPECT_EQ(kStationLines, BoxLines());
    EXPECT_EQ(readsAtStart, g_reads);
}

// A user name too long for one line of the box.
TSysInfoFacts LongNameFacts()
{
    TSysInfoFacts f = StationFacts();
    f.userName = "administratorul retelei din sala de calculatoare numarul doi";
    return f;
}

class InfoWindowLongName : public InfoWindow {
protected:
    void BeforeCreate() override { SetSysInfoSource(&LongNameFacts); }
};

TEST_F(InfoWindowLongName, ALongLineWrapsWithinTheBoxWidth)
{
    TglListBox* box = Info->box;
    // The box as its window sets it up.
    EXPECT_EQ(clRed, box->HotTrackColor());
    EXPECT_EQ(clBtnShadow, box->ItemSelStyle().Color());
    EXPECT_EQ(-11, box->ItemStyle().Font().Height());
    EXPECT_EQ(fboExcludeGlyphs | fboHotTrack | fboWordWrap, box->Options());

    // Line 6 carries the long name: taller than the one-line items around it, and no wider.
    const RECT one = box->ItemRect(5), wrapped = box->ItemRect(6);
    EXPECT_GE(wrapped.bottom - wrapped.top, 2 * (one.bottom - one.top) - 2);
    EXPECT_EQ(one.right, wrapped.right);
    RECT client;
    ::GetClientRect(box->Handle(), &client);
    EXPECT_LE(wrapped.right, client.right);
}

TEST(InfoLines, EmptyFactsLeaveThePrefixesAndOtherPlatformsShowTheirOwnName)
{
    TglSysInfo none(nullptr);
    const std::vector<std::string> empty = SysInfoLines(none);
    ASSERT_EQ(9u, empty.size());
    EXPECT_EQ("Numele sistemului: ", empty[0]);
    EXPECT_EQ("Tipul procesorului: 0x86", empty[1]);
    EXPECT_EQ("Rezolutia folosita este: ", empty[2]);
    EXPECT_EQ("Platforma sistemului de operare este: ", empty[8]);

    TglSysInfo win95(nullptr);
    win95.SetFacts(OtherFacts());
    const std::vector<std::string> lines = SysInfoLines(win95);
    EXPECT_EQ("Tipul procesorului: 5x86", lines[1]);
    EXPECT_EQ("Tipul fonturilor de sistem: SmallFont", lines[5]);
    EXPECT_EQ("Platforma sistemului de operare este: 95", lines[8]);
}

} // namespace
