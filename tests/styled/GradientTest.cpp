// Gradient fills and gradient text, on the pixels of 32-bit DIB sections.
#include <gtest/gtest.h>

#include "controls/styled/glDraw.h"
#include "styled/DrawCheck.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(0, 200, 0);

TGradient& Make(TGradient& g, TColor from, TColor to, TglGradientDir dir)
{
    g.SetFromColor(from);
    g.SetToColor(to);
    g.SetOrientation(dir);
    g.SetActive(true);
    return g;
}

TColor Gray(int v) { return RGBColor(v, v, v); }

TEST(GlGradientBox, HorizontalBandsRunFromTheFirstColourToTheLastOnePixelEach)
{
    TDib dib(20, 100, kBack);
    TGradient g;
    Make(g, clBlack, clWhite, TglGradientDir::fgdHorizontal);
    DrawGradientBox(dib.DC(), RECT{0, 0, 20, 100}, g);
    for (int y = 0; y < 100; ++y) {
        const TColor want = Gray(::MulDiv(y, 255, 99));
        EXPECT_EQ(want, dib.Pixel(0, y)) << y;
        EXPECT_EQ(want, dib.Pixel(19, y)) << y;
    }
    EXPECT_EQ(clBlack, dib.Pixel(5, 0));
    EXPECT_EQ(clWhite, dib.Pixel(5, 99));

    // Fewer steps than rows: bands of MulDiv'ed height; Reverse starts them at the bottom.
    g.SetSteps(4);
    g.SetReverse(true);
    DrawGradientBox(dib.DC(), RECT{0, 0, 20, 100}, g);
    EXPECT_EQ(clBlack, dib.Pixel(3, 99));
    EXPECT_EQ(clBlack, dib.Pixel(3, 75));
    EXPECT_EQ(Gray(85), dib.Pixel(3, 74));
    EXPECT_EQ(Gray(170), dib.Pixel(3, 49));
    EXPECT_EQ(clWhite, dib.Pixel(3, 0));
}

TEST(GlGradientBox, VerticalBandsInsideTheirRectangleOnly)
{
    TDib dib(40, 12, kBack);
    TGradient g;
    Make(g, RGBColor(200, 0, 0), RGBColor(0, 0, 200), TglGradientDir::fgdVertical);
    DrawGradientBox(dib.DC(), RECT{5, 2, 35, 10}, g);
    EXPECT_EQ(RGBColor(200, 0, 0), dib.Pixel(5, 2));
    EXPECT_EQ(RGBColor(0, 0, 200), dib.Pixel(34, 9));
    EXPECT_EQ(RGBColor(200 - ::MulDiv(10, 200, 29), 0, ::MulDiv(10, 200, 29)), dib.Pixel(15, 5));
    for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(kBack, dib.Pixel(x, 1));
        EXPECT_EQ(kBack, dib.Pixel(x, 10));
    }
    EXPECT_EQ(kBack, dib.Pixel(4, 5));
    EXPECT_EQ(kBack, dib.Pixel(35, 5));
}

TEST(GlGradientBox, PercentFillingLeavesTheRestAsItWas)
{
    TDib dib(10, 100, kBack);
    TGradient g;
    Make(g, clBlack, clRed, TglGradientDir::fgdHorizontal);
    g.SetPercentFilling(50);
    DrawGradientBox(dib.DC(), RECT{0, 0, 10, 100}, g);
    for (int y = 0; y < 50; ++y)
        EXPECT_EQ(RGBColor(::MulDiv(y, 255, 99), 0, 0), dib.Pixel(4, y)) << y;
    for (int y = 52; y < 100; ++y)
        EXPECT_EQ(kBack, dib.Pixel(4, y)) << y;

    // Composed off-screen, the same picture, and the untouched part still untouched.
    TDib buffered(10, 100, kBack);
    g.SetBufferedDraw(true);
    DrawGradientBox(buffered.DC(), RECT{0, 0, 10, 100}, g);
    for (int y = 0; y < 100; ++y)
        EXPECT_EQ(dib.Pixel(4, y), buffered.Pixel(4, y)) << y;
}

TEST(GlGradientBox, NothingDrawnWhenOneStepInactiveOrSuspended)
{
    TDib dib(10, 10, kBack);
    TGradient g;
    Make(g, clBlack, clWhite, TglGradientDir::fgdHorizontal);
    const RECT all{0, 0, 10, 10};
    g.SetSteps(1);
    DrawGradientBox(dib.DC(), all, g);
    g.SetSteps(2);
    g.SetActive(false);
    DrawGradientBox(dib.DC(), all, g);
    g.SetActive(true);
    {
        TGradientSuspension suspended;
        DrawGradientBox(dib.DC(), all, g);
    }
    EXPECT_EQ(100, CountColour(dib, kBack));
    DrawGradientBox(dib.DC(), all, g);
    EXPECT_EQ(0, CountColour(dib, kBack));
    // Two steps: the first colour and the last, half each.
    EXPECT_EQ(50, CountColour(dib, clBlack));
    EXPECT_EQ(50, CountColour(dib, clWhite));
}

TEST(GlGradientBox, ConvergentHalvesMeetInTheMiddleAndLeaveTheRecordAlone)
{
    TDib dib(8, 100, kBack);
    TGradient g;
    Make(g, clBlack, clWhite, TglGradientDir::fgdHorzConvergent);
    int notices = 0;
    g.SetOnChange([&](TObject*) { ++notices; });
    DrawGradientBox(dib.DC(), RECT{0, 0, 8, 100}, g);
    EXPECT_EQ(clBlack, dib.Pixel(3, 0));
    EXPECT_EQ(clBlack, dib.Pixel(3, 99));
    EXPECT_EQ(clWhite, dib.Pixel(3, 49));
    EXPECT_EQ(clWhite, dib.Pixel(3, 50));
    EXPECT_EQ(dib.Pixel(3, 10), dib.Pixel(3, 89)); // mirror images
    EXPECT_EQ(clBlack, g.FromColor());
    EXPECT_EQ(clWhite, g.ToColor());
    EXPECT_EQ(clBlack, g.FromRGB());
    EXPECT_EQ(clWhite, g.ToRGB());
    EXPECT_EQ(TglGradientDir::fgdHorzConvergent, g.Orientation());
    EXPECT_EQ(0, notices);

    TDib wide(61, 4, kBack); // odd width: the middle column belongs to both halves
    g.SetOrientation(TglGradientDir::fgdVertConvergent);
    DrawGradientBox(wide.DC(), RECT{0, 0, 61, 4}, g);
    EXPECT_EQ(clBlack, wide.Pixel(0, 2));
    EXPECT_EQ(clBlack, wide.Pixel(60, 2));
    EXPECT_EQ(clWhite, wide.Pixel(30, 2));
    EXPECT_EQ(wide.Pixel(12, 1), wide.Pixel(48, 1));
}

TEST(GlGradientBox, RectangleRunsFromTheBorderToTheCentre)
{
    TDib dib(40, 30, kBack);
    TGradient g;
    Make(g, clBlack, clWhite, TglGradientDir::fgdRectangle);
    DrawGradientBox(dib.DC(), RECT{0, 0, 40, 30}, g);
    // Half sizes 20 and 15: 15 bands, each a frame inside the previous one.
    for (TColor border : {dib.Pixel(0, 0), dib.Pixel(39, 29), dib.Pixel(20, 0), dib.Pixel(0, 15), dib.Pixel(39, 15)})
        EXPECT_EQ(clBlack, border);
    EXPECT_EQ(clWhite, dib.Pixel(20, 15));
    int previous = -1;
    for (int y = 0; y <= 14; ++y) {
        const int v = RedOf(dib.Pixel(20, y));
        EXPECT_GT(v, previous) << y;
        previous = v;
    }
    EXPECT_EQ(0, CountColour(dib, kBack));
}

TEST(GlGradientBox, BiasDirectionsRunCornerToCorner)
{
    const RECT r{4, 3, 34, 23}; // 30 x 20 inside a larger surface
    for (const bool left : {true, false}) {
        TDib dib(40, 28, kBack);
        TGradient g;
        Make(g, clRed, clBlue, left ? TglGradientDir::fgdLeftBias : TglGradientDir::fgdRightBias);
        DrawGradientBox(dib.DC(), r, g);
        const TColor start = left ? dib.Pixel(4, 3) : dib.Pixel(33, 3);
        const TColor end = left ? dib.Pixel(33, 22) : dib.Pixel(4, 22);
        EXPECT_EQ(clRed, start) << left;
        EXPECT_LT(RedOf(end), 16) << left;
        EXPECT_GT(BlueOf(end), 239) << left;
        // The two other corners lie on diagonals at their own distances from the start.
        const TColor nearer = left ? dib.Pixel(4, 22) : dib.Pixel(33, 22);  // 19 steps away
        const TColor farther = left ? dib.Pixel(33, 3) : dib.Pixel(4, 3);   // 29 steps away
        EXPECT_GT(RedOf(nearer), RedOf(farther)) << left;
        // Every pixel of the rectangle is painted, none outside it.
        EXPECT_EQ(40 * 28 - 30 * 20, CountColour(dib, kBack)) << left;
        EXPECT_EQ(kBack, dib.Pixel(3, 3));
        EXPECT_EQ(kBack, dib.Pixel(34, 22));
    }
}

TEST(GlGradientBox, HatchedBrushesLeaveGapsInTheBands)
{
    TDib dib(16, 16, kBack);
    TGradient g;
    Make(g, clRed, clRed, TglGradientDir::fgdHorizontal);
    g.SetBrushStyle(TBrushStyle::bsCross);
    ::SetBkMode(dib.DC(), TRANSPARENT);
    DrawGradientBox(dib.DC(), RECT{0, 0, 16, 16}, g);
    const int red = CountColour(dib, clRed);
    EXPECT_GT(red, 16);
    EXPECT_LT(red, 16 * 16);
}

TEST(GlGradientBox, EveryDirectionGivesTheContextBackAndFreesItsObjects)
{
    TDib dib(30, 20, kBack);
    for (int dir = 0; dir < GlNameCount<TglGradientDir>(); ++dir)
        for (const bool buffered : {false, true}) {
            TGradient g;
            Make(g, clNavy, clYellow, static_cast<TglGradientDir>(dir));
            g.SetBufferedDraw(buffered);
            g.SetBrushStyle(dir % 2 ? TBrushStyle::bsDiagCross : TBrushStyle::bsSolid);
            ExpectCleanPainting(std::string(GlEnumName(g.Orientation())) + (buffered ? " buffered" : ""), dib.DC(),
                                [&] { DrawGradientBox(dib.DC(), RECT{0, 0, 30, 20}, g, 2, TPenStyle::psSolid); },
                                200);
        }
}

// ---- gradient text

class GlGradientText : public ::testing::Test {
protected:
    void SetUp() override
    {
        font.SetName("MS Sans Serif");
        font.SetHeight(-24);
        font.SetStyle(fsBold);
        font.Handle();
    }
    TFont font;
};

TEST_F(GlGradientText, EachRowOfTheReferenceTakesItsOwnColour)
{
    TDib dib(60, 30, kBack);
    TGradient g;
    Make(g, clRed, clBlue, TglGradientDir::fgdHorizontal);
    ScopedSelect use(dib.DC(), font.Handle());
    ::SetBkMode(dib.DC(), TRANSPARENT);
    ::SetTextColor(dib.DC(), RGB(0, 0, 0));
    DrawGradientTextLine(g, dib.DC(), "HH", 2, 0, RECT{0, 0, 60, 30});
    EXPECT_EQ(RGB(0, 0, 0), ::GetTextColor(dib.DC()));
    // Every text pixel of row y is From + y * (To - From) / 30.
    int checked = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const TColor p = dib.Pixel(x, y);
            if (p == kBack)
                continue;
            const int blue = static_cast<int>(std::lround(255.0 * y / 30)), red = 255 - blue;
            EXPECT_NEAR(red, RedOf(p), 1) << x << "," << y;
            EXPECT_NEAR(blue, BlueOf(p), 1) << x << "," << y;
            ++checked;
        }
    EXPECT_GT(checked, 40);

    // Inactive: once, in the context's colour.
    TDib plain(60, 30, kBack);
    ScopedSelect usePlain(plain.DC(), font.Handle());
    ::SetBkMode(plain.DC(), TRANSPARENT);
    ::SetTextColor(plain.DC(), RGB(0, 0, 0));
    g.SetActive(false);
    DrawGradientTextLine(g, plain.DC(), "HH", 2, 0, RECT{0, 0, 60, 30});
    EXPECT_EQ(60 * 30, CountColour(plain, kBack) + CountColour(plain, clBlack));
    EXPECT_EQ(checked, CountColour(plain, clBlack));
}

TEST_F(GlGradientText, ColumnsForVerticalAndOnlyThePercentFilled)
{
    TDib dib(60, 30, kBack);
    TGradient g;
    Make(g, clRed, clBlue, TglGradientDir::fgdVertical);
    g.SetPercentFilling(50);
    ScopedSelect use(dib.DC(), font.Handle());
    ::SetBkMode(dib.DC(), TRANSPARENT);
    const RECT ref{10, 0, 50, 30};
    DrawGradientTextLine(g, dib.DC(), "HHHHHH", 0, 0, ref);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const TColor p = dib.Pixel(x, y);
            const bool inside = x >= 10 && x <= 10 + 20; // 21 stripes of 40 columns
            if (!inside) {
                EXPECT_EQ(kBack, p) << x << "," << y;
            } else if (p != kBack) {
                EXPECT_NEAR(static_cast<int>(std::lround(255.0 * (x - 10) / 40)), BlueOf(p), 1) << x;
            }
        }
    ExpectCleanPainting("gradient text", dib.DC(), [&] { DrawGradientTextLine(g, dib.DC(), "Hi", 0, 0, ref); });
}

} // namespace
} // namespace zv
