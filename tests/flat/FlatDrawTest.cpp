// The drawing routines shared by the flat controls: bevel frame, greyed glyph, parent background.
#include <gtest/gtest.h>

#include <memory>

#include "controls/flat/FlatGauge.h"
#include "controls/flat/FlatRadioButton.h"
#include "controls/flat/FlatUtils.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "flat/PixelCount.h"

namespace zv {
namespace {

using namespace test;

TEST(FlatBevelFrame, OnePixelPaintsExactlyTheBorderInTwoColours)
{
    TDib dib(10, 10, clWhite);
    TCanvas canvas(dib.DC());
    DrawBevelFrame(canvas, RECT{0, 0, 10, 10}, clRed, clBlue, 1);

    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool right = x == 9, bottom = y == 9;
            const bool topLeft = !right && !bottom && (x == 0 || y == 0);
            const TColor want = right || bottom ? clBlue : topLeft ? clRed : clWhite;
            EXPECT_EQ(want, dib.Pixel(x, y)) << x << "," << y;
        }
    EXPECT_EQ(17, CountColour(dib, clRed));
    EXPECT_EQ(19, CountColour(dib, clBlue));
}

TEST(FlatDisabledGlyph, StampsTheKeyColourInShadowOverAHighlightCopy)
{
    const TColor face = RGBColor(212, 208, 200), light = clWhite, dark = RGBColor(128, 128, 128);
    TBitmap glyph;
    glyph.SetSize(6, 5);
    glyph.Canvas().Brush().SetColor(clAqua);
    glyph.Canvas().FillRect(RECT{0, 0, 6, 5});
    glyph.Canvas().Brush().SetColor(clBlack);
    glyph.Canvas().FillRect(RECT{1, 1, 3, 3});
    glyph.SetPixel(4, 3, clRed);

    auto grey = MakeDisabledGlyph(glyph, clBlack, face, light, dark, true);
    ASSERT_EQ(6, grey->Width());
    ASSERT_EQ(5, grey->Height());
    EXPECT_FALSE(grey->Monochrome());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool key = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            const bool keyUpLeft = x >= 2 && x <= 3 && y >= 2 && y <= 3;
            const TColor want = key ? dark : keyUpLeft ? light : face;
            EXPECT_EQ(want, grey->Pixel(x, y)) << x << "," << y;
        }

    auto flat = MakeDisabledGlyph(glyph, clBlack, face, light, dark, false);
    EXPECT_EQ(dark, flat->Pixel(2, 2));
    EXPECT_EQ(face, flat->Pixel(3, 3));
    EXPECT_EQ(face, flat->Pixel(4, 3));
    // The source is left as it was.
    EXPECT_FALSE(glyph.Monochrome());
    EXPECT_EQ(clRed, glyph.Pixel(4, 3));
}

// A transparent control shows what its parent paints under it, graphic siblings included, and gives the
// device context back as it found it.
TEST(FlatParentBackground, ShowsTheParentsPictureAtTheControlsPlace)
{
    auto form = std::make_unique<TForm>(Application);
    form->SetBounds(0, 0, 300, 200);
    form->SetColor(RGBColor(10, 120, 200));
    form->HandleNeeded();
    auto* gauge = new TFlatGauge(form.get());
    gauge->SetParent(form.get());
    gauge->SetBounds(20, 10, 60, 20); // track 22..77 x 12..27, bar 14 pixels: 22..35
    auto* radio = new TFlatRadioButton(form.get());
    radio->SetParent(form.get());
    radio->SetBounds(30, 15, 100, 17);
    radio->SetColor(clYellow);
    radio->SetTransparent(true);

    TDib dib(100, 17, clFuchsia);
    radio->PaintTo(dib.DC());
    EXPECT_EQ(gauge->ColorBorder(), dib.Pixel(49, 5)); // the gauge's right edge, x 79
    EXPECT_EQ(gauge->ColorBorder(), dib.Pixel(20, 14)); // its bottom edge, y 29
    EXPECT_EQ(gauge->BarColor(), dib.Pixel(2, 0));
    EXPECT_EQ(RGBColor(10, 120, 200), dib.Pixel(60, 5));
    EXPECT_EQ(RGBColor(10, 120, 200), dib.Pixel(20, 15));
    EXPECT_EQ(0, CountColour(dib, clYellow) - CountPixels(dib, 0, 0, 16, 17, [](int, int, TColor c) { return c == clYellow; }))
        << "only the circle is filled with the button's own colour";

    POINT origin{-1, -1};
    ::GetViewportOrgEx(dib.DC(), &origin);
    EXPECT_EQ(0, origin.x);
    EXPECT_EQ(0, origin.y);
    HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(dib.DC(), clip));
    ::DeleteObject(clip);

    radio->SetTransparent(false);
    FillDib(dib, clFuchsia);
    radio->PaintTo(dib.DC());
    EXPECT_EQ(clYellow, dib.Pixel(60, 5));
    EXPECT_EQ(clYellow, dib.Pixel(49, 5));
}

} // namespace
} // namespace zv
