// Colour arithmetic and shared enumerations of the flat control family.
#pragma once

#include "framework/Colors.h"
#include "framework/Graphics.h"

#include <cstdint>
#include <memory>

namespace zv {

class TControl;

// Hue runs 0..HslScale-1 so that the top of the scale meets 0 again; saturation and lightness run 0..HslScale.
inline constexpr int HslScale = 240;

// Size of a lightness shift, 0..100 points of the lightness scale.
using TAdvColors = std::uint8_t;
constexpr TAdvColors ClampAdvColors(int v) { return static_cast<TAdvColors>(v < 0 ? 0 : v > 100 ? 100 : v); }

enum class ColorShiftKind : std::uint8_t { lighten = 0, darken = 1 };

// The advanced colours of a flat control: whether it derives its focused, down and border colours from
// its background, and the three lightness shifts it derives them with (indexed 0 focused, 1 down,
// 2 border; any other index reads as the border's).
struct TFlatAdvColors {
    TAdvColors focused = 10;
    TAdvColors down = 10;
    TAdvColors border = 50;
    bool use = false;

    TAdvColors Get(int index) const { return index == 0 ? focused : index == 1 ? down : border; }
    // Stores the shift clamped to 0..100; false for an index out of range, which changes nothing.
    bool Set(int index, int v);
    // In use: the focused colour lightened from `base`, the down and border colours darkened.
    void Apply(TColor base, TColor& colorFocused, TColor& colorDown, TColor& colorBorder) const;
};

enum TRadioButtonLayout : std::uint8_t { radioLeft, radioRight };

// Images side by side in a speed button's glyph, 1..4.
using TNumGlyphs = std::uint8_t;
constexpr TNumGlyphs ClampNumGlyphs(int v) { return static_cast<TNumGlyphs>(v < 1 ? 1 : v > 4 ? 4 : v); }

enum TTransparentMode : std::uint8_t { tmAlways, tmNotFocused, tmNone };

// h, s, l in 0..1. The colour must be plain (resolve system colours with ColorToRGB first).
void ColorToHsl(TColor color, double& h, double& s, double& l);
TColor HslToColor(double h, double s, double l);

// The same on the integer scale: hue 0..239, saturation and lightness 0..240. Computed exactly, so that
// halves round to even on every compiler and floating-point unit.
void ColorToScaledHsl(TColor color, int& h, int& s, int& l);
TColor ScaledHslToColor(int h, int s, int l);

// Derives a control's colour from its background: shift 0 keeps the fallback as it is (it may be a system
// colour); otherwise the base's lightness, raised by 10, moves by the shift, lightening capped at 100.
TColor ShiftColorLightness(TColor base, TColor fallback, TAdvColors shift, ColorShiftKind kind);

// A frame `width` pixels thick on the outermost pixels of `r`: top and left in topLeft, right and bottom in
// bottomRight (the bottom-left and top-right corners belong to bottomRight).
void DrawBevelFrame(TCanvas& canvas, RECT r, TColor topLeft, TColor bottomRight, int width);

// Paints what the control's parent shows under the control onto `canvas`, whose origin is the control's
// top-left; lets a control look transparent over its parent.
void PaintParentBackground(const TControl& control, TCanvas& canvas);

// The greyed copy of a glyph: the glyph's pixels of `transparentColor` (black for a button's glyph) are
// stamped in `shadow` on `background`, with a `highlight` copy one pixel right and down under them when
// `drawHighlight` is set.
std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& source, TColor transparentColor, TColor background,
                                           TColor highlight, TColor shadow, bool drawHighlight);

} // namespace zv
