// The flat controls scaled past 96 dpi: their own metrics (frames, rings, circles, arrows) grow as the
// system rounds, and nothing of them is clipped.
#include <gtest/gtest.h>

#include "controls/flat/FlatEdit.h"
#include "controls/flat/FlatGauge.h"
#include "controls/flat/FlatRadioButton.h"
#include "controls/flat/SpinButton.h"
#include "flat/PixelCount.h"
#include "support/GdiLedger.h"
#include "framework/Controls.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(236, 233, 216);

int At(int v, int dpi) { return ::MulDiv(v, dpi, 96); }

// Paints ten times more after `paint`: the control keeps what its canvas last selected, but a scaled
// paint that left a pen, brush or font behind would leave one more each time.
template <class Paint>
void ExpectNothingLeftBehind(Paint paint)
{
    GdiLedger ledger;
    paint();
    const int held = ledger.Outstanding().total;
    for (int i = 0; i < 10; ++i)
        paint();
    EXPECT_EQ(held, ledger.Outstanding().total);
}

// The colour of the ring `ring` pixels in from the edge, read at the middle of the left side.
TColor LeftRing(const TDib& dib, int ring) { return dib.Pixel(ring, dib.Height() / 2); }

TEST(ScaledPaint, TheGaugesFrameAndTrackGrowWithItsSize)
{
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        TFlatGauge g(nullptr);
        g.SetColor(kBack);
        g.SetShowText(false);
        g.SetProgress(100);
        g.ScaleToDpi(dpi);
        ASSERT_EQ(At(145, dpi), g.Width());
        ASSERT_EQ(At(25, dpi), g.Height());
        TDib dib(g.Width(), g.Height(), clFuchsia);
        ExpectNothingLeftBehind([&] { g.PaintTo(dib.DC()); });
        const int frame = At(1, dpi), inset = At(2, dpi);
        for (int i = 0; i < frame; ++i) {
            EXPECT_EQ(g.ColorBorder(), LeftRing(dib, i)) << i;
            EXPECT_EQ(g.ColorBorder(), dib.Pixel(dib.Width() - 1 - i, dib.Height() / 2)) << i;
            EXPECT_EQ(g.ColorBorder(), dib.Pixel(dib.Width() / 2, dib.Height() - 1 - i)) << i;
        }
        for (int i = frame; i < inset; ++i)
            EXPECT_EQ(kBack, LeftRing(dib, i)) << i;
        // A full bar fills the whole track, up to the gap before the far frame.
        EXPECT_EQ(g.BarColor(), LeftRing(dib, inset));
        EXPECT_EQ(g.BarColor(), dib.Pixel(dib.Width() - 1 - inset, dib.Height() / 2));
        EXPECT_EQ(0, CountColour(dib, clFuchsia));
    }
}

TEST(ScaledPaint, TheEditsRingsAreAsWideAsTheDpiMakesThem)
{
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        TFlatEdit e(nullptr);
        e.SetBounds(0, 0, 121, 19);
        e.ScaleToDpi(dpi);
        TDib dib(e.Width(), e.Height(), clFuchsia);
        ExpectNothingLeftBehind([&] { e.DrawBorder(dib.DC()); });
        const int line = At(1, dpi), rings = At(3, dpi);
        for (int i = 0; i < line; ++i)
            EXPECT_EQ(ColorToRGB(e.ColorBorder()), LeftRing(dib, i)) << i;
        for (int i = line; i < rings; ++i)
            EXPECT_EQ(ColorToRGB(e.ColorFlat()), LeftRing(dib, i)) << i;
        EXPECT_EQ(clFuchsia, LeftRing(dib, rings)) << "the field itself is the edit's own";
    }
}

TEST(ScaledPaint, TheRadioCircleKeepsItsProportionsAndStaysWhole)
{
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        TFlatRadioButton b(nullptr);
        b.SetColor(kBack);
        b.SetChecked(true);
        b.ScaleToDpi(dpi);
        const RECT circle = b.CircleRect();
        EXPECT_EQ(At(1, dpi), circle.left);
        EXPECT_EQ(At(3, dpi), circle.top);
        EXPECT_EQ(At(10, dpi), circle.right - circle.left);
        EXPECT_EQ(At(10, dpi), circle.bottom - circle.top);
        EXPECT_EQ(At(16, dpi), b.CaptionRect().left);
        TDib dib(b.Width(), b.Height(), clFuchsia);
        ExpectNothingLeftBehind([&] { b.PaintTo(dib.DC()); });
        const TColor border = ColorToRGB(b.ColorBorder());
        const int midY = (circle.top + circle.bottom) / 2;
        // The circle's line is as thick as the dpi makes one pixel, on both sides, inside its box.
        for (int i = 0; i < At(1, dpi); ++i) {
            EXPECT_EQ(border, dib.Pixel(circle.left + i, midY)) << i;
            EXPECT_EQ(border, dib.Pixel(circle.right - 1 - i, midY)) << i;
        }
        EXPECT_NE(border, dib.Pixel(circle.left - 1, midY));
        EXPECT_NE(border, dib.Pixel(circle.right, midY));
        // The dot sits in the middle.
        const int dot = At(3, dpi) + At(4, dpi) / 2;
        EXPECT_EQ(ColorToRGB(b.Colors(TFlatRadioButton::ciDot)), dib.Pixel(circle.left + dot, circle.top + dot));
    }
}

TEST(ScaledPaint, TheSpinArrowsAreDrawnAtTheirSizeAndAt96AreTheResources)
{
    for (bool up : {true, false}) {
        TBitmap resource, drawn;
        ASSERT_TRUE(resource.LoadFromResourceName(ModuleInstance(), up ? "FlatUp" : "FlatDown"));
        DrawArrowGlyph(drawn, 96, up);
        ASSERT_EQ(resource.Width(), drawn.Width());
        ASSERT_EQ(resource.Height(), drawn.Height());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(ColorToRGB(resource.Pixel(x, y)), ColorToRGB(drawn.Pixel(x, y))) << x << "," << y;
    }
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        TBitmap arrow;
        DrawArrowGlyph(arrow, dpi, true);
        const int size = At(5, dpi);
        ASSERT_EQ(size, arrow.Width());
        // Row widths grow from the tip by two, up to the widest row, and stay inside the bitmap with a
        // ground row above and below.
        int previous = 0, widest = 0, first = -1, last = -1;
        for (int y = 0; y < size; ++y) {
            int w = 0;
            for (int x = 0; x < size; ++x)
                w += arrow.Pixel(x, y) == clBlack ? 1 : 0;
            if (w == 0)
                continue;
            if (first < 0)
                first = y;
            last = y;
            EXPECT_GE(w, previous);
            EXPECT_EQ(1, w % 2);
            previous = w;
            widest = w;
        }
        EXPECT_EQ(At(1, dpi), first);
        EXPECT_EQ(At(4, dpi) - 1, last);
        EXPECT_GE(widest, size - 1);
    }
}

TEST(ScaledPaint, TheSpinButtonsArrowsShareTheirColumnAtEveryDpi)
{
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        TSpinButton s(nullptr);
        s.SetBounds(0, 0, 21, 10);
        s.ScaleToDpi(dpi);
        EXPECT_EQ(At(21, dpi), s.Width());
        EXPECT_EQ(At(11, dpi), s.UpButton()->Width());
        EXPECT_EQ(At(10, dpi), s.DownButton()->Left());
        EXPECT_LT(s.DownButton()->Left(), s.UpButton()->Width()) << "one column shared";
        EXPECT_LE(s.DownButton()->Left() + s.DownButton()->Width(), s.Width());
        EXPECT_EQ(s.Height(), s.UpButton()->Height());
    }
}

} // namespace
} // namespace zv
