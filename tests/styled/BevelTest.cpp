// Bevelled frames: each cut on the pixels it names, the colours' source, the selected pen.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "controls/styled/gl3DLocalColors.h"
#include "controls/styled/glDraw.h"
#include "styled/DrawCheck.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kDk = RGBColor(90, 0, 0), kHi = RGBColor(0, 90, 0), kSh = RGBColor(0, 0, 90),
                 kFill = RGBColor(200, 200, 0), kBack = clWhite;

// Local colours on the chain for the life of the fixture, so each line's colour is unmistakable.
class GlBevel : public ::testing::Test {
protected:
    void SetUp() override
    {
        local = std::make_unique<Tgl3DLocalColors>(nullptr);
        local->SetDkShadow(kDk);
        local->SetHighlight(kHi);
        local->SetShadow(kSh);
        Local3DColorsStack.Push(local.get());
    }
    void TearDown() override { Local3DColorsStack.Clear(); }

    // Draws on the inclusive rectangle (2,2)-(9,7) of a 12 x 10 surface and compares x 1..10, y 1..8 with
    // `rows`: D dark shadow, H highlight, S shadow, F fill, . untouched.
    RECT Check(const char* what, TBevelCut outer, TBevelCut inner, TglSides sides, bool bold, bool noFill,
               const std::vector<std::string>& rows)
    {
        TDib dib(12, 10, kBack);
        const RECT inside = DrawBevelBox(dib.DC(), RECT{2, 2, 9, 7}, noFill, kFill, outer, inner, sides, bold);
        const std::map<char, TColor> colours{{'D', kDk}, {'H', kHi}, {'S', kSh}, {'F', kFill}, {'.', kBack}};
        for (int y = 1; y <= 8; ++y)
            for (int x = 1; x <= 10; ++x)
                EXPECT_EQ(colours.at(rows[y - 1][x - 1]), dib.Pixel(x, y)) << what << " at " << x << "," << y;
        // Nothing outside the rows compared either.
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(kBack, dib.Pixel(x, 0)) << what;
            EXPECT_EQ(kBack, dib.Pixel(x, 9)) << what;
        }
        return inside;
    }
    std::unique_ptr<Tgl3DLocalColors> local;
};

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

TEST_F(GlBevel, LoweredPlainAndBold)
{
    RECT in = Check("lowered", TBevelCut::bvLowered, TBevelCut::bvNone, kAllSides, false, false,
                    {"..........",
                     ".SSSSSSSH.",
                     ".SFFFFFFH.",
                     ".SFFFFFFH.",
                     ".SFFFFFFH.",
                     ".SFFFFFFH.",
                     ".HHHHHHHH.",
                     ".........."});
    EXPECT_TRUE(Same(RECT{3, 3, 8, 6}, in));

    in = Check("lowered bold", TBevelCut::bvLowered, TBevelCut::bvNone, kAllSides, true, false,
               {"..........",
                ".DDDDDDDH.",
                ".DSSSSSSH.",
                ".DSFFFFFH.",
                ".DSFFFFFH.",
                ".DSFFFFFH.",
                ".HHHHHHHH.",
                ".........."});
    EXPECT_TRUE(Same(RECT{4, 4, 8, 6}, in));

    // Without a bottom side the inner shadow of the left runs one pixel further down.
    in = Check("lowered bold, no bottom", TBevelCut::bvLowered, TBevelCut::bvNone, fsdLeft | fsdTop | fsdRight, true,
               false,
               {"..........",
                ".DDDDDDDH.",
                ".DSSSSSSH.",
                ".DSFFFFFH.",
                ".DSFFFFFH.",
                ".DSFFFFFH.",
                "..SFFFFF..",
                ".........."});
    EXPECT_TRUE(Same(RECT{4, 4, 8, 7}, in));

    in = Check("lowered, top and bottom only", TBevelCut::bvLowered, TBevelCut::bvNone, fsdTop | fsdBottom, false,
               false,
               {"..........",
                ".SSSSSSS..",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".HHHHHHHH.",
                ".........."});
    EXPECT_TRUE(Same(RECT{2, 3, 9, 6}, in));
}

TEST_F(GlBevel, RaisedPlainAndBold)
{
    RECT in = Check("raised", TBevelCut::bvRaised, TBevelCut::bvNone, kAllSides, false, false,
                    {"..........",
                     ".HHHHHHHS.",
                     ".HFFFFFFS.",
                     ".HFFFFFFS.",
                     ".HFFFFFFS.",
                     ".HFFFFFFS.",
                     ".SSSSSSSS.",
                     ".........."});
    EXPECT_TRUE(Same(RECT{3, 3, 8, 6}, in));

    in = Check("raised bold", TBevelCut::bvRaised, TBevelCut::bvNone, kAllSides, true, false,
               {"..........",
                ".HHHHHHHD.",
                ".HFFFFFSD.",
                ".HFFFFFSD.",
                ".HFFFFFSD.",
                ".HSSSSSSD.",
                ".DDDDDDDD.",
                ".........."});
    EXPECT_TRUE(Same(RECT{3, 3, 7, 5}, in));

    // Without a left side the inner shadow of the bottom starts at the left edge.
    in = Check("raised bold, no left", TBevelCut::bvRaised, TBevelCut::bvNone, fsdTop | fsdRight | fsdBottom, true,
               false,
               {"..........",
                ".HHHHHHHD.",
                ".FFFFFFSD.",
                ".FFFFFFSD.",
                ".FFFFFFSD.",
                ".SSSSSSSD.",
                ".DDDDDDDD.",
                ".........."});
    EXPECT_TRUE(Same(RECT{2, 3, 7, 5}, in));

    in = Check("raised, left and right only", TBevelCut::bvRaised, TBevelCut::bvNone, fsdLeft | fsdRight, false,
               true,
               {"..........",
                ".H......S.",
                ".H......S.",
                ".H......S.",
                ".H......S.",
                ".H......S.",
                ".H......S.",
                ".........."});
    EXPECT_TRUE(Same(RECT{3, 2, 8, 7}, in));
}

TEST_F(GlBevel, SpaceIsAOnePixelShadowFrameAndCutsNest)
{
    RECT in = Check("space", TBevelCut::bvSpace, TBevelCut::bvNone, kAllSides, true, true,
                    {"..........",
                     ".SSSSSSSS.",
                     ".S......S.",
                     ".S......S.",
                     ".S......S.",
                     ".S......S.",
                     ".SSSSSSSS.",
                     ".........."});
    EXPECT_TRUE(Same(RECT{3, 3, 8, 6}, in));

    in = Check("raised outside lowered", TBevelCut::bvRaised, TBevelCut::bvLowered, kAllSides, false, false,
               {"..........",
                ".HHHHHHHS.",
                ".HSSSSSHS.",
                ".HSFFFFHS.",
                ".HSFFFFHS.",
                ".HHHHHHHS.",
                ".SSSSSSSS.",
                ".........."});
    EXPECT_TRUE(Same(RECT{4, 4, 7, 5}, in));

    in = Check("none", TBevelCut::bvNone, TBevelCut::bvNone, kAllSides, true, false,
               {"..........",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".FFFFFFFF.",
                ".........."});
    EXPECT_TRUE(Same(RECT{2, 2, 9, 7}, in));
}

TEST_F(GlBevel, LinesTakeTheStyleAndWidthOfTheSelectedPen)
{
    TDib thin(14, 12, kBack), wide(14, 12, kBack), none(14, 12, kBack);
    DrawBevelBox(thin.DC(), RECT{3, 3, 10, 8}, true, kFill, TBevelCut::bvSpace, TBevelCut::bvNone);
    {
        GdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 3, RGB(1, 1, 1)));
        ScopedSelect use(wide.DC(), pen.get());
        DrawBevelBox(wide.DC(), RECT{3, 3, 10, 8}, true, kFill, TBevelCut::bvSpace, TBevelCut::bvNone);
        EXPECT_EQ(pen.get(), ::GetCurrentObject(wide.DC(), OBJ_PEN));
    }
    {
        GdiHandle<HPEN> pen(::CreatePen(PS_NULL, 1, RGB(1, 1, 1)));
        ScopedSelect use(none.DC(), pen.get());
        DrawBevelBox(none.DC(), RECT{3, 3, 10, 8}, true, kFill, TBevelCut::bvSpace, TBevelCut::bvNone);
    }
    EXPECT_EQ(2 * 8 + 2 * 6 - 4, CountColour(thin, kSh));
    EXPECT_GT(CountColour(wide, kSh), 2 * CountColour(thin, kSh));
    EXPECT_EQ(0, CountColour(none, kSh));
}

TEST_F(GlBevel, LeavesTheContextAsItWasAndFreesItsPens)
{
    TDib dib(12, 10, kBack);
    for (bool bold : {false, true})
        for (TBevelCut outer : {TBevelCut::bvLowered, TBevelCut::bvRaised, TBevelCut::bvSpace})
            ExpectCleanPainting(std::string(GlEnumName(outer)) + (bold ? " bold" : ""), dib.DC(), [&] {
                DrawBevelBox(dib.DC(), RECT{1, 1, 10, 8}, false, clBtnFace, outer, TBevelCut::bvLowered, kAllSides,
                             bold);
            });
}

TEST(GlBevelColours, SystemColoursWithTheChainEmpty)
{
    ASSERT_TRUE(Local3DColorsStack.Empty());
    TDib dib(12, 10, kBack);
    DrawBevelBox(dib.DC(), RECT{1, 1, 10, 8}, true, kFill, TBevelCut::bvRaised, TBevelCut::bvNone, kAllSides, true);
    EXPECT_EQ(static_cast<TColor>(::GetSysColor(COLOR_BTNHIGHLIGHT)), dib.Pixel(1, 1));
    EXPECT_EQ(static_cast<TColor>(::GetSysColor(COLOR_3DDKSHADOW)), dib.Pixel(10, 1));
    EXPECT_EQ(static_cast<TColor>(::GetSysColor(COLOR_BTNSHADOW)), dib.Pixel(9, 3));

    // A component on the chain lends its colours until it leaves.
    Tgl3DLocalColors local(nullptr);
    local.SetShadow(kSh);
    Local3DColorsStack.Push(&local);
    DrawBevelBox(dib.DC(), RECT{1, 1, 10, 8}, true, kFill, TBevelCut::bvSpace, TBevelCut::bvNone);
    EXPECT_EQ(kSh, dib.Pixel(1, 5));
    Local3DColorsStack.Pop();
    DrawBevelBox(dib.DC(), RECT{1, 1, 10, 8}, true, kFill, TBevelCut::bvSpace, TBevelCut::bvNone);
    EXPECT_EQ(static_cast<TColor>(::GetSysColor(COLOR_BTNSHADOW)), dib.Pixel(1, 5));
}

} // namespace
} // namespace zv
