// Text with 3-D effects: where each copy lands and in which colour.
#include <gtest/gtest.h>

#include "controls/styled/glDraw.h"
#include "styled/DrawCheck.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(0, 200, 0), kText = RGBColor(255, 0, 0), kDelineate = RGBColor(255, 0, 255),
                 kHi = RGBColor(0, 255, 255), kSh = RGBColor(0, 0, 128);

RECT Moved(RECT r, int d)
{
    ::OffsetRect(&r, d, d);
    return r;
}

// Left and top of `a` are those of `b` moved by d; or right and bottom.
::testing::AssertionResult LeftTopAt(const RECT& a, const RECT& b, int d)
{
    if (a.left == b.left + d && a.top == b.top + d)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "left/top " << a.left << "," << a.top << " want " << b.left + d << ","
                                         << b.top + d;
}
::testing::AssertionResult RightBottomAt(const RECT& a, const RECT& b, int d)
{
    if (a.right == b.right + d && a.bottom == b.bottom + d)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "right/bottom " << a.right << "," << a.bottom << " want "
                                         << b.right + d << "," << b.bottom + d;
}
bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }
bool None(const RECT& a) { return ::IsRectEmpty(&a) != FALSE; }

class GlStyledText : public ::testing::Test {
protected:
    void SetUp() override
    {
        font.SetName("MS Sans Serif");
        font.SetHeight(-13);
        font.SetColor(kText);
        font.Handle();
        hi = static_cast<TColor>(::GetSysColor(COLOR_BTNHIGHLIGHT));
        sh = static_cast<TColor>(::GetSysColor(COLOR_BTNSHADOW));
        ASSERT_NE(hi, sh);
    }
    // DrawStyledText on a fresh surface.
    std::unique_ptr<TDib> Boxed(TglTextStyle style, const TFont* f)
    {
        auto dib = std::make_unique<TDib>(80, 40, kBack);
        DrawStyledText(dib->DC(), RECT{10, 5, 70, 35}, "HIH", DT_SINGLELINE | DT_TOP | DT_LEFT, f, style);
        return dib;
    }
    // DrawStyledTextAt at (10, 5) on a fresh surface.
    std::unique_ptr<TDib> At(TglTextStyle style, bool delineate, bool plain, const TIllumination* ill = nullptr,
                             const TGradient* gradient = nullptr, RECT clip = RECT{0, 0, 80, 40})
    {
        auto dib = std::make_unique<TDib>(80, 40, kBack);
        DrawStyledTextAt(dib->DC(), 10, 5, &font, "HIH", clip, style, delineate, plain, kText, kDelineate, kHi, kSh,
                         gradient, ill);
        return dib;
    }
    TFont font;
    TColor hi = 0, sh = 0;
};

TEST_F(GlStyledText, EffectCopiesLandAtTheirOffsetsInTheSystemColours)
{
    const RECT main = BoxOf(*Boxed(TglTextStyle::fstNone, &font), kText);
    ASSERT_FALSE(None(main));

    auto raised = Boxed(TglTextStyle::fstRaised, &font);
    EXPECT_TRUE(Same(main, BoxOf(*raised, kText)));
    EXPECT_TRUE(LeftTopAt(BoxOf(*raised, hi), main, -1));
    EXPECT_TRUE(RightBottomAt(BoxOf(*raised, sh), main, 1));

    auto recessed = Boxed(TglTextStyle::fstRecessed, &font);
    EXPECT_TRUE(Same(main, BoxOf(*recessed, kText)));
    EXPECT_TRUE(LeftTopAt(BoxOf(*recessed, sh), main, -1));
    EXPECT_TRUE(RightBottomAt(BoxOf(*recessed, hi), main, 1));

    auto pushed = Boxed(TglTextStyle::fstPushed, &font);
    EXPECT_TRUE(None(BoxOf(*pushed, kText)));
    EXPECT_TRUE(LeftTopAt(BoxOf(*pushed, sh), main, -1));
    EXPECT_TRUE(RightBottomAt(BoxOf(*pushed, hi), main, 0));

    auto shadow = Boxed(TglTextStyle::fstShadow, &font);
    EXPECT_TRUE(Same(main, BoxOf(*shadow, kText)));
    EXPECT_TRUE(RightBottomAt(BoxOf(*shadow, sh), main, 2));
    EXPECT_TRUE(None(BoxOf(*shadow, hi)));

    auto volumetric = Boxed(TglTextStyle::fstVolumetric, &font);
    EXPECT_EQ(80 * 40, CountColour(*volumetric, kBack) + CountColour(*volumetric, kText));

    auto nothing = Boxed(TglTextStyle::fstRaised, nullptr);
    EXPECT_EQ(80 * 40, CountColour(*nothing, kBack));
}

TEST_F(GlStyledText, AtAPointEachEffectUsesTheGivenColoursAndOffsets)
{
    const RECT main = BoxOf(*At(TglTextStyle::fstNone, false, false), kText);
    ASSERT_FALSE(None(main));

    auto raised = At(TglTextStyle::fstRaised, false, false); // f = 2, text at +1
    EXPECT_TRUE(Same(Moved(main, 1), BoxOf(*raised, kText)));
    EXPECT_TRUE(LeftTopAt(BoxOf(*raised, kHi), main, 0));
    EXPECT_TRUE(RightBottomAt(BoxOf(*raised, kSh), main, 2));

    auto recessed = At(TglTextStyle::fstRecessed, false, false);
    EXPECT_TRUE(LeftTopAt(BoxOf(*recessed, kSh), main, 0));
    EXPECT_TRUE(RightBottomAt(BoxOf(*recessed, kHi), main, 2));

    auto raisedOutlined = At(TglTextStyle::fstRaised, true, false); // f = 4, outline around the text at +2
    EXPECT_TRUE(Same(Moved(main, 2), BoxOf(*raisedOutlined, kText)));
    const RECT outline = BoxOf(*raisedOutlined, kDelineate);
    EXPECT_TRUE(LeftTopAt(outline, main, 1));
    EXPECT_TRUE(RightBottomAt(outline, main, 3));
    EXPECT_TRUE(RightBottomAt(BoxOf(*raisedOutlined, kSh), main, 4));

    for (bool plain : {false, true}) {
        auto pushed = At(TglTextStyle::fstPushed, true, plain);
        EXPECT_TRUE(None(BoxOf(*pushed, kText))) << plain;
        EXPECT_TRUE(None(BoxOf(*pushed, kDelineate))) << plain;
        EXPECT_TRUE(LeftTopAt(BoxOf(*pushed, kSh), main, 0)) << plain;
        EXPECT_TRUE(RightBottomAt(BoxOf(*pushed, kHi), main, 1)) << plain;
    }
}

TEST_F(GlStyledText, ShadowDepthComesFromTheIllumination)
{
    const RECT main = BoxOf(*At(TglTextStyle::fstNone, false, false), kText);
    auto shadow = At(TglTextStyle::fstShadow, false, false); // f = 0, depth 2
    EXPECT_TRUE(Same(main, BoxOf(*shadow, kText)));
    EXPECT_TRUE(RightBottomAt(BoxOf(*shadow, kSh), main, 2));

    TIllumination deep;
    deep.SetShadowDepth(5);
    EXPECT_TRUE(RightBottomAt(BoxOf(*At(TglTextStyle::fstShadow, false, false, &deep), kSh), main, 5));
    // With an outline: f = 1, so 1 + depth; the text moves to +1.
    auto outlined = At(TglTextStyle::fstShadow, true, false, &deep);
    EXPECT_TRUE(RightBottomAt(BoxOf(*outlined, kSh), main, 6));
    EXPECT_TRUE(Same(Moved(main, 1), BoxOf(*outlined, kText)));

    TIllumination three;
    three.SetShadowDepth(3);
    auto volumetric = At(TglTextStyle::fstVolumetric, false, false, &three);
    EXPECT_TRUE(Same(main, BoxOf(*volumetric, kText)));
    EXPECT_TRUE(RightBottomAt(BoxOf(*volumetric, kSh), main, 3));
}

TEST_F(GlStyledText, PlainLeavesOutEffectsAndOutlineButKeepsTheirOffset)
{
    const RECT main = BoxOf(*At(TglTextStyle::fstNone, false, false), kText);
    auto plain = At(TglTextStyle::fstRaised, true, true);
    EXPECT_TRUE(Same(Moved(main, 2), BoxOf(*plain, kText)));
    EXPECT_EQ(80 * 40, CountColour(*plain, kBack) + CountColour(*plain, kText));
}

TEST_F(GlStyledText, ClippedToItsRectangleAndGradientTextInsideIt)
{
    const RECT main = BoxOf(*At(TglTextStyle::fstNone, false, false), kText);
    const RECT clip{main.left, main.top, main.right, main.bottom};
    auto clipped = At(TglTextStyle::fstShadow, true, false, nullptr, nullptr, clip);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) {
                EXPECT_EQ(kBack, clipped->Pixel(x, y)) << x << "," << y;
            }
        }

    TGradient g;
    g.SetFromColor(RGBColor(1, 2, 3));
    g.SetToColor(RGBColor(1, 2, 3));
    g.SetActive(true);
    auto graded = At(TglTextStyle::fstNone, false, false, nullptr, &g);
    EXPECT_TRUE(None(BoxOf(*graded, kText)));
    EXPECT_TRUE(Same(main, BoxOf(*graded, RGBColor(1, 2, 3))));

    // An inactive gradient leaves the text in the text colour, clipped like the rest.
    g.SetActive(false);
    auto inactive = At(TglTextStyle::fstShadow, false, false, nullptr, &g, RECT{0, 0, main.right - 2, 40});
    EXPECT_EQ(main.right - 2, BoxOf(*inactive, kText).right);
    EXPECT_TRUE(LeftTopAt(BoxOf(*inactive, kText), main, 0));
}

TEST_F(GlStyledText, GiveTheContextBackAndFreeEverything)
{
    TDib dib(80, 40, kBack);
    TGradient g;
    g.SetActive(true);
    TIllumination ill;
    for (int s = 0; s < GlNameCount<TglTextStyle>(); ++s) {
        const auto style = static_cast<TglTextStyle>(s);
        ExpectCleanPainting(std::string("boxed ") + GlEnumName(style), dib.DC(), [&] {
            DrawStyledText(dib.DC(), RECT{0, 0, 80, 40}, "Abc", 0, &font, style);
        });
        ExpectCleanPainting(std::string("at ") + GlEnumName(style), dib.DC(), [&] {
            DrawStyledTextAt(dib.DC(), 2, 2, &font, "Abc", RECT{0, 0, 80, 40}, style, s % 2 == 0, false, kText,
                             kDelineate, kHi, kSh, s % 3 == 0 ? &g : nullptr, &ill);
        });
    }
}

} // namespace
} // namespace zv
