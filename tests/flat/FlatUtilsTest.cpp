#include "controls/flat/FlatUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace zv {
namespace {

struct Scaled {
    int h, s, l;
    bool operator==(const Scaled&) const = default;
};

Scaled ToScaled(TColor c)
{
    Scaled r{};
    ColorToScaledHsl(c, r.h, r.s, r.l);
    return r;
}

TColor Grey(int v) { return RGBColor(v, v, v); }

int ChannelError(TColor a, TColor b)
{
    return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                     std::abs(BlueOf(a) - BlueOf(b))});
}

TEST(FlatHsl, GreysHaveNoHueNorSaturationAndComeBack)
{
    for (int v = 0; v <= 255; ++v) {
        double h = -1, s = -1, l = -1;
        ColorToHsl(Grey(v), h, s, l);
        EXPECT_EQ(h, 0.0);
        EXPECT_EQ(s, 0.0);
        EXPECT_DOUBLE_EQ(l, v / 255.0);
        EXPECT_EQ(HslToColor(h, s, l), Grey(v));

        // 241 lightness steps cannot hold 256 greys: back within one, and the scaled value is stable.
        const Scaled sc = ToScaled(Grey(v));
        EXPECT_EQ(sc.h, 0);
        EXPECT_EQ(sc.s, 0);
        const TColor back = ScaledHslToColor(sc.h, sc.s, sc.l);
        EXPECT_LE(ChannelError(back, Grey(v)), 1) << v;
        EXPECT_EQ(ToScaled(back), sc) << v;
    }
}

TEST(FlatHsl, KnownColours)
{
    double h, s, l;
    ColorToHsl(clRed, h, s, l);
    EXPECT_DOUBLE_EQ(h, 0.0);
    EXPECT_DOUBLE_EQ(s, 1.0);
    EXPECT_DOUBLE_EQ(l, 0.5);
    ColorToHsl(clBlue, h, s, l);
    EXPECT_DOUBLE_EQ(h, 2.0 / 3.0);

    EXPECT_EQ(ToScaled(clRed), (Scaled{0, 240, 120}));
    EXPECT_EQ(ToScaled(clLime), (Scaled{80, 240, 120}));
    // Hue is scaled by 239, not 240: 2/3 of 239 is 159.33.
    EXPECT_EQ(ToScaled(clBlue), (Scaled{159, 240, 120}));
    // Red above with blue: the negative hue wraps to 1 - 128/255/6.
    EXPECT_EQ(ToScaled(RGBColor(255, 0, 128)), (Scaled{219, 240, 120}));
    // A light button face: r 212, g 208, b 200.
    EXPECT_EQ(ToScaled(0xC8D0D4), (Scaled{27, 29, 194}));
    EXPECT_EQ(ScaledHslToColor(27, 29, 194), 0xC8D0D4);

    EXPECT_EQ(ScaledHslToColor(0, 240, 120), clRed);
    EXPECT_EQ(ScaledHslToColor(239, 240, 120), clRed);
    EXPECT_EQ(ScaledHslToColor(80, 240, 240), clWhite);
    EXPECT_EQ(ScaledHslToColor(80, 240, 0), clBlack);
}

TEST(FlatHsl, RoundTripsOverAGrid)
{
    for (int r = 0; r <= 255; r += 5)
        for (int g = 0; g <= 255; g += 5)
            for (int b = 0; b <= 255; b += 5) {
                const TColor c = RGBColor(r, g, b);
                double h, s, l;
                ColorToHsl(c, h, s, l);
                ASSERT_EQ(HslToColor(h, s, l), c) << std::hex << c;

                // The scaled form loses precision: a hue step of 1/239 of the circle moves a channel by up
                // to 3 * chroma / 239, the lightness and saturation steps and the byte rounding by under 1.9.
                const Scaled sc = ToScaled(c);
                ASSERT_TRUE(sc.h >= 0 && sc.h <= 239 && sc.s >= 0 && sc.s <= 240 && sc.l >= 0 && sc.l <= 240);
                const int chroma = std::max({r, g, b}) - std::min({r, g, b});
                ASSERT_LE(ChannelError(ScaledHslToColor(sc.h, sc.s, sc.l), c), 1.9 + 3.0 * chroma / 239)
                    << std::hex << c;
            }
}

TEST(FlatHsl, HalvesRoundToEven)
{
    // Lightness l of a grey gives l * 255 / 240, a half for every l = 8 mod 16.
    EXPECT_EQ(ScaledHslToColor(0, 0, 8), Grey(8));     // 8.5
    EXPECT_EQ(ScaledHslToColor(0, 0, 24), Grey(26));   // 25.5
    EXPECT_EQ(ScaledHslToColor(0, 0, 40), Grey(42));   // 42.5
    EXPECT_EQ(ScaledHslToColor(0, 0, 120), Grey(128)); // 127.5

    // Exact halves on the way in, which double arithmetic alone would settle by its rounding noise.
    EXPECT_EQ(ToScaled(RGBColor(239, 21, 0)).h, 4);  // 239 * 21 / (6 * 239) = 3.5
    EXPECT_EQ(ToScaled(RGBColor(239, 15, 0)).h, 2);  // 2.5
    EXPECT_EQ(ToScaled(RGBColor(97, 95, 95)).s, 2);  // 240 * 2 / 192 = 2.5
}

TEST(FlatHsl, LightnessAboveTheScaleSaturatesToWhite)
{
    EXPECT_EQ(ScaledHslToColor(0, 0, 250), clWhite);
    EXPECT_EQ(ScaledHslToColor(40, 120, 250), clWhite);
    // White's lightness is raised by 10 before a darkening shift smaller than 10 is applied.
    EXPECT_EQ(ShiftColorLightness(clWhite, clBlack, 5, ColorShiftKind::darken), clWhite);
}

TEST(FlatShift, ZeroShiftReturnsTheFallbackUntouched)
{
    EXPECT_EQ(ShiftColorLightness(clRed, clBtnShadow, 0, ColorShiftKind::darken), clBtnShadow);
    EXPECT_EQ(ShiftColorLightness(clBtnFace, clBtnHighlight, 0, ColorShiftKind::lighten), clBtnHighlight);
    EXPECT_EQ(ShiftColorLightness(clWhite, 0x123456, 0, ColorShiftKind::lighten), 0x123456);
}

TEST(FlatShift, LighteningIsCappedAt100)
{
    // Any light base ends at lightness 100, darker than it was.
    EXPECT_EQ(ShiftColorLightness(clWhite, clRed, 1, ColorShiftKind::lighten), Grey(106));
    EXPECT_EQ(ShiftColorLightness(Grey(200), clRed, 100, ColorShiftKind::lighten), Grey(106));
    EXPECT_EQ(ShiftColorLightness(0xC8D0D4, clRed, 10, ColorShiftKind::lighten), RGBColor(119, 111, 93));
    // Below the cap: grey 40 has lightness 38, + 10 + 20 = 68.
    EXPECT_EQ(ShiftColorLightness(Grey(40), clRed, 20, ColorShiftKind::lighten), Grey(72));
}

TEST(FlatShift, DarkeningFromTheRaisedLightness)
{
    // A shift of 10 cancels the raise: the result is the scaled round trip of the base.
    for (TColor base : {clRed, clTeal, TColor{0xC8D0D4}, Grey(77), RGBColor(10, 200, 90)}) {
        const Scaled sc = ToScaled(base);
        EXPECT_EQ(ShiftColorLightness(base, clNone, 10, ColorShiftKind::darken), ScaledHslToColor(sc.h, sc.s, sc.l))
            << std::hex << base;
    }
    // Grey 128 has lightness 120: 130 - 50 = 80.
    EXPECT_EQ(ShiftColorLightness(Grey(128), clNone, 50, ColorShiftKind::darken), Grey(85));
    // Floored at 0, whatever the hue.
    EXPECT_EQ(ShiftColorLightness(RGBColor(60, 20, 30), clNone, 100, ColorShiftKind::darken), clBlack);
    EXPECT_EQ(ShiftColorLightness(clBlack, clNone, 11, ColorShiftKind::darken), clBlack);
}

TEST(FlatShift, SystemColourBaseIsResolvedFirst)
{
    const DWORD face = ::GetSysColor(COLOR_BTNFACE);
    const auto plain = static_cast<TColor>(face & 0xFFFFFF);
    for (int shift : {10, 50}) {
        const auto a = static_cast<TAdvColors>(shift);
        EXPECT_EQ(ShiftColorLightness(clBtnFace, clNone, a, ColorShiftKind::darken),
                  ShiftColorLightness(plain, clNone, a, ColorShiftKind::darken));
        EXPECT_EQ(ShiftColorLightness(clBtnFace, clNone, a, ColorShiftKind::lighten),
                  ShiftColorLightness(plain, clNone, a, ColorShiftKind::lighten));
    }
}

TEST(FlatTypes, SubrangeClamps)
{
    EXPECT_EQ(ClampAdvColors(-3), 0);
    EXPECT_EQ(ClampAdvColors(55), 55);
    EXPECT_EQ(ClampAdvColors(101), 100);
    EXPECT_EQ(ClampNumGlyphs(0), 1);
    EXPECT_EQ(ClampNumGlyphs(3), 3);
    EXPECT_EQ(ClampNumGlyphs(5), 4);
}

} // namespace
} // namespace zv
