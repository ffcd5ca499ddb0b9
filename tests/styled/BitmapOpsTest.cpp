// Bitmap operations: mask, transparent blit, glyphs (the disabled look), parent background, corner pixels.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "controls/styled/glDraw.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "styled/DrawCheck.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(0, 200, 0), kKey = clFuchsia;

void FillRect(TDib& dib, TColor c)
{
    GdiHandle<HBRUSH> b(::CreateSolidBrush(static_cast<COLORREF>(c)));
    RECT r{0, 0, dib.Width(), dib.Height()};
    ::FillRect(dib.DC(), &r, b.get());
}

// 6 x 5, the key colour everywhere but a red 2 x 2 square at (1, 1) and a blue pixel at (4, 3).
void MakeGlyph(TBitmap& b)
{
    b.SetSize(6, 5);
    b.Canvas().Brush().SetColor(kKey);
    b.Canvas().FillRect(RECT{0, 0, 6, 5});
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect(RECT{1, 1, 3, 3});
    b.SetPixel(4, 3, clBlue);
}

TColor GlyphAt(int x, int y)
{
    if (x >= 1 && x <= 2 && y >= 1 && y <= 2)
        return clRed;
    return x == 4 && y == 3 ? clBlue : kKey;
}

TEST(GlBitmapOps, TransparentBlitKeepsTheBackgroundWhereTheKeyColourWas)
{
    TBitmap glyph;
    MakeGlyph(glyph);
    TDib dib(12, 10, kBack);
    DrawTransparentBitmap(dib.DC(), 3, 2, glyph, kKey);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool on = x >= 3 && x < 9 && y >= 2 && y < 7;
            const TColor g = on ? GlyphAt(x - 3, y - 2) : kKey;
            EXPECT_EQ(g == kKey ? kBack : g, dib.Pixel(x, y)) << x << "," << y;
        }

    // Stretched to twice the size.
    TDib big(12, 10, kBack);
    DrawTransparentBitmap(big.DC(), RECT{0, 0, 12, 10}, glyph, kKey);
    EXPECT_EQ(clRed, big.Pixel(2, 2));
    EXPECT_EQ(clRed, big.Pixel(5, 5));
    EXPECT_EQ(clBlue, big.Pixel(9, 7));
    EXPECT_EQ(kBack, big.Pixel(0, 0));
    EXPECT_EQ(kBack, big.Pixel(11, 9));
    EXPECT_EQ(4 * 4, CountColour(big, clRed));
}

TEST(GlBitmapOps, MaskIsWhiteWhereTheKeyColourIs)
{
    // A bitmap of the program's own, not held by any context.
    unsigned pixels[4 * 2] = {0xFF00FF, 0x000000, 0xFF00FF, 0x123456, 0x00FF00, 0xFF00FF, 0xFF00FF, 0xFF00FE};
    GdiHandle<HBITMAP> source(::CreateBitmap(4, 2, 1, 32, pixels));
    GdiHandle<HBITMAP> mask(CreateMaskBitmap(source.get(), kKey));
    ASSERT_TRUE(mask);
    BITMAP bm{};
    ::GetObjectA(mask.get(), sizeof bm, &bm);
    EXPECT_EQ(1, bm.bmBitsPixel);
    TDib dib(4, 2, clRed);
    HDC mem = ::CreateCompatibleDC(dib.DC());
    HGDIOBJ old = ::SelectObject(mem, mask.get());
    ::BitBlt(dib.DC(), 0, 0, 4, 2, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    const bool key[8] = {true, false, true, false, false, true, true, false};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(key[i] ? clWhite : clBlack, dib.Pixel(i % 4, i / 4)) << i;

    // The blit of the same bitmap through its handle.
    TDib out(4, 2, kBack);
    DrawTransparentBitmap(out.DC(), RECT{0, 0, 4, 2}, source.get(), kKey);
    EXPECT_EQ(kBack, out.Pixel(0, 0));
    EXPECT_EQ(clBlack, out.Pixel(1, 0));
    EXPECT_EQ(RGBColor(0x12, 0x34, 0x56), out.Pixel(3, 0));
    EXPECT_EQ(RGBColor(0xFF, 0x00, 0xFE), out.Pixel(3, 1)); // one step from the key is not the key
}

TEST(GlBitmapOps, DisabledGlyphIsEmbossedInHighlightAndShadow)
{
    TBitmap glyph;
    MakeGlyph(glyph);
    const TColor hi = static_cast<TColor>(::GetSysColor(COLOR_BTNHIGHLIGHT));
    const TColor sh = static_cast<TColor>(::GetSysColor(COLOR_BTNSHADOW));
    TDib dib(12, 10, kBack);
    DrawGlyph(dib.DC(), 3, 2, glyph, kKey, false);
    auto opaque = [](int x, int y) { return x >= 0 && x < 6 && y >= 0 && y < 5 && GlyphAt(x, y) != kKey; };
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const TColor want = opaque(x - 3, y - 2) ? sh : opaque(x - 4, y - 3) ? hi : kBack;
            EXPECT_EQ(want, dib.Pixel(x, y)) << x << "," << y;
        }

    TDib enabled(12, 10, kBack);
    DrawGlyph(enabled.DC(), 3, 2, glyph, kKey, true);
    EXPECT_EQ(clRed, enabled.Pixel(4, 3));
    EXPECT_EQ(clBlue, enabled.Pixel(7, 5));
    EXPECT_EQ(kBack, enabled.Pixel(3, 2));

    const RECT stretch{0, 0, 12, 10};
    TDib big(13, 11, kBack);
    DrawGlyph(big.DC(), 0, 0, glyph, kKey, false, &stretch);
    EXPECT_EQ(sh, big.Pixel(2, 2));
    EXPECT_EQ(sh, big.Pixel(5, 5));
    EXPECT_EQ(hi, big.Pixel(6, 6));
    EXPECT_EQ(hi, big.Pixel(10, 8)); // the blue pixel's copy, moved one pixel
}

TEST(GlBitmapOps, CornerPixels)
{
    TBitmap b;
    b.SetSize(5, 4);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(RECT{0, 0, 5, 4});
    b.SetPixel(0, 0, clRed);
    b.SetPixel(0, 3, clLime);
    b.SetPixel(4, 0, clBlue);
    b.SetPixel(4, 3, clYellow);
    EXPECT_EQ(clRed, CornerPixelColor(b, TglAutoTransparentColor::ftcLeftTopPixel));
    EXPECT_EQ(clLime, CornerPixelColor(b, TglAutoTransparentColor::ftcLeftBottomPixel));
    EXPECT_EQ(clBlue, CornerPixelColor(b, TglAutoTransparentColor::ftcRightTopPixel));
    EXPECT_EQ(clYellow, CornerPixelColor(b, TglAutoTransparentColor::ftcRightBottomPixel));
    EXPECT_EQ(clNone, CornerPixelColor(b, TglAutoTransparentColor::ftcUser));
    TBitmap empty;
    EXPECT_EQ(clNone, CornerPixelColor(empty, TglAutoTransparentColor::ftcLeftTopPixel));
}

// A windowless control that fills itself with one colour.
class TSwatch : public TGraphicControl {
public:
    TSwatch(TComponent* owner, TColor c) : TGraphicControl(owner), colour_(c) {}

protected:
    void Paint() override
    {
        Canvas().Brush().SetColor(colour_);
        Canvas().FillRect(RECT{0, 0, Width(), Height()});
    }

private:
    TColor colour_;
};

TEST(GlBitmapOps, ParentImageShowsTheParentAndTheSiblingsBelowOnly)
{
    auto form = std::make_unique<TForm>(Application);
    form->SetBounds(0, 0, 300, 200);
    form->SetColor(RGBColor(10, 120, 200));
    form->HandleNeeded();
    auto* below = new TSwatch(form.get(), clRed);
    below->SetParent(form.get());
    below->SetBounds(10, 10, 40, 30); // x 10..49, y 10..39
    auto* control = new TSwatch(form.get(), clYellow);
    control->SetParent(form.get());
    control->SetBounds(30, 20, 60, 40); // x 30..89, y 20..59
    auto* above = new TSwatch(form.get(), clLime);
    above->SetParent(form.get());
    above->SetBounds(60, 30, 20, 20);

    TDib dib(60, 40, clFuchsia);
    // The controls' canvases keep the brushes they make; the first painting makes them.
    CopyParentImage(*control, dib.DC());
    FillRect(dib, clFuchsia);
    ExpectCleanPainting("parent image", dib.DC(), [&] { CopyParentImage(*control, dib.DC()); }, 50);
    EXPECT_EQ(clRed, dib.Pixel(0, 0));   // (30, 20) in the form
    EXPECT_EQ(clRed, dib.Pixel(19, 19)); // (49, 39)
    EXPECT_EQ(RGBColor(10, 120, 200), dib.Pixel(20, 19));
    EXPECT_EQ(RGBColor(10, 120, 200), dib.Pixel(59, 39));
    EXPECT_EQ(0, CountColour(dib, clYellow));
    EXPECT_EQ(0, CountColour(dib, clLime));
    EXPECT_EQ(0, CountColour(dib, clFuchsia));
}

TEST(GlBitmapOps, GiveTheContextBackAndFreeEverything)
{
    TBitmap glyph;
    MakeGlyph(glyph);
    glyph.Canvas();
    TDib dib(20, 20, kBack);
    const RECT stretch{0, 0, 18, 15};
    ExpectCleanPainting("transparent blit", dib.DC(), [&] { DrawTransparentBitmap(dib.DC(), 1, 1, glyph, kKey); });
    ExpectCleanPainting("glyph", dib.DC(), [&] { DrawGlyph(dib.DC(), 1, 1, glyph, kKey, true); });
    ExpectCleanPainting("disabled glyph", dib.DC(), [&] { DrawGlyph(dib.DC(), 1, 1, glyph, kKey, false, &stretch); });
    GdiHandle<HBITMAP> source(::CreateBitmap(3, 3, 1, 32, nullptr));
    ExpectCleanPainting("mask", dib.DC(), [&] { GdiHandle<HBITMAP> mask(CreateMaskBitmap(source.get(), kKey)); });
}

} // namespace
} // namespace zv
