// The collector component: one collection when its window's layout is in, then only answers.
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/Layout.h"
#include "sysinfo/glSysInfo.h"

using namespace zv;

namespace {

int g_collections = 0;

TSysInfoFacts MadeUpFacts()
{
    ++g_collections;
    TSysInfoFacts f;
    f.collected = true;
    f.platformId = 2;
    f.processorLevel = 15;
    f.logPixelsX = 120;
    f.horzRes = 1280;
    f.vertRes = 1024;
    f.bitsPerPixel = 32;
    f.vRefreshRate = 60;
    f.totalPhys = 17179869184ULL;
    f.computerName = "STATIE-01";
    f.userName = "ion";
    return f;
}

class THolder : public TForm {
public:
    explicit THolder(TComponent* owner) : TForm(owner) {}
    const char* ClassName() const override { return "TSysInfoHolder"; }
    void Read() { ReadComponentLayout(this, "object H: TSysInfoHolder\n  object sinfo: TglSysInfo\n  end\nend\n", "H"); }
};

const bool kRegistered = (RegisterRootClass("TSysInfoHolder", "TForm"), true);

TEST(glSysInfo, CollectsOnceWhenItsLayoutIsInAndAssignmentsChangeNothing)
{
    SetSysInfoSource(&MadeUpFacts);
    g_collections = 0;
    {
        TglSysInfo loose(nullptr);
        EXPECT_EQ(0, g_collections); // not before a layout finished
        EXPECT_EQ("", loose.OSPlatform());
        EXPECT_EQ(0, loose.CPUKind());
    }
    THolder holder(nullptr);
    holder.Read();
    EXPECT_EQ(1, g_collections);
    auto* s = holder.Bind<TglSysInfo>("sinfo");
    EXPECT_EQ("NT", s->OSPlatform());
    EXPECT_EQ("P15", s->CPUName());
    EXPECT_EQ("BigFont", s->SystemFont());
    EXPECT_EQ("1280x1024", s->GraphicResolution());
    EXPECT_EQ(17179869184ULL, s->TotalPhys());
    EXPECT_EQ("STATIE-01", s->ComputerName());

    s->SetStringProperty("95");
    s->SetIntegerProperty(3);
    EXPECT_EQ("NT", s->OSPlatform());
    EXPECT_EQ(15, s->CPUKind());
    EXPECT_EQ(1, g_collections);
    SetSysInfoSource(nullptr);
}

TEST(glSysInfo, ALayoutThatAssignsAPropertyChangesNothingReadable)
{
    SetSysInfoSource(&MadeUpFacts);
    THolder holder(nullptr);
    ReadComponentLayout(&holder,
                        "object H: TSysInfoHolder\n  object s: TglSysInfo\n    OSPlatform = '95'\n    CPUKind = 3\n"
                        "  end\nend\n",
                        "H");
    auto* s = holder.Bind<TglSysInfo>("s");
    EXPECT_EQ("NT", s->OSPlatform());
    EXPECT_EQ("P15", s->CPUName());
    SetSysInfoSource(nullptr);
}

} // namespace
