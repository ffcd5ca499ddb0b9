#include "controls/flat/FlatUtils.h"

#include "framework/Controls.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zv {

namespace {

// Ties go to the even neighbour (default rounding mode), as everywhere in the flat colour arithmetic.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// Inputs outside 0..1 (a darkened lightness above the scale, say) saturate instead of wrapping a byte.
int ToByte(double v) { return std::clamp(RoundEven(v * 255.0), 0, 255); }

// num / den (den > 0) to the nearest integer, halves to the even neighbour.
std::int64_t RoundRatio(std::int64_t num, std::int64_t den)
{
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0))
        ++q;
    return q;
}

double HueToChannel(double m1, double m2, double h)
{
    if (h < 0.0)
        h += 1.0;
    else if (h > 1.0)
        h -= 1.0;
    if (6.0 * h < 1.0)
        return m1 + (m2 - m1) * h * 6.0;
    if (2.0 * h < 1.0)
        return m2;
    if (3.0 * h < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6.0;
    return m1;
}

} // namespace

void ColorToHsl(TColor color, double& h, double& s, double& l)
{
    // Channel tests are made on the bytes: with x87 excess precision a channel held in a register need not
    // compare equal to the same channel stored as the maximum.
    const int rb = RedOf(color), gb = GreenOf(color), bb = BlueOf(color);
    const int maxByte = std::max({rb, gb, bb});
    const int minByte = std::min({rb, gb, bb});
    const double r = rb / 255.0;
    const double g = gb / 255.0;
    const double b = bb / 255.0;
    const double mx = maxByte / 255.0;
    const double mn = minByte / 255.0;
    l = (mx + mn) / 2.0;
    if (maxByte == minByte) {
        h = 0.0;
        s = 0.0;
        return;
    }
    const double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
    if (rb == maxByte)
        h = (g - b) / d;
    else if (gb == maxByte)
        h = 2.0 + (b - r) / d;
    else
        h = 4.0 + (r - g) / d;
    h /= 6.0;
    if (h < 0.0)
        h += 1.0;
}

TColor HslToColor(double h, double s, double l)
{
    if (s == 0.0) {
        const int v = ToByte(l);
        return RGBColor(v, v, v);
    }
    const double m2 = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
    const double m1 = 2.0 * l - m2;
    return RGBColor(ToByte(HueToChannel(m1, m2, h + 1.0 / 3.0)), ToByte(HueToChannel(m1, m2, h)),
                    ToByte(HueToChannel(m1, m2, h - 1.0 / 3.0)));
}

// The scaled conversions work in exact integer ratios rather than through the doubles above: their true
// halves (a hue of 3.5 for r 239, g 21, b 0, say) are common, and floating point, x87 excess precision above
// all, would push them either way depending on the optimiser.
void ColorToScaledHsl(TColor color, int& h, int& s, int& l)
{
    const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    const int sum = mx + mn; // lightness = sum / 510
    const int d = mx - mn;
    l = static_cast<int>(RoundRatio(std::int64_t{HslScale} * sum, 510));
    if (d == 0) {
        h = 0;
        s = 0;
        return;
    }
    s = static_cast<int>(RoundRatio(std::int64_t{HslScale} * d, sum < 255 ? sum : 510 - sum));
    // Hue as a fraction of 6 * d.
    int n = r == mx ? g - b : g == mx ? 2 * d + b - r : 4 * d + r - g;
    if (n < 0)
        n += 6 * d;
    h = static_cast<int>(RoundRatio(std::int64_t{HslScale - 1} * n, 6 * d));
}

TColor ScaledHslToColor(int h, int s, int l)
{
    // m1, m2 in units of 1 / (scale * scale); hues in units of 1 / (3 * (scale - 1)).
    constexpr std::int64_t kSq = std::int64_t{HslScale} * HslScale;
    constexpr std::int64_t kTurn = 3 * (HslScale - 1);
    const std::int64_t ll = l, ss = s;
    if (s == 0) {
        const auto v = static_cast<int>(std::clamp<std::int64_t>(RoundRatio(255 * ll, HslScale), 0, 255));
        return RGBColor(v, v, v);
    }
    const std::int64_t m2 = 2 * l <= HslScale ? ll * (HslScale + ss) : HslScale * (ll + ss) - ll * ss;
    const std::int64_t m1 = 2 * HslScale * ll - m2;
    auto channel = [&](std::int64_t t) {
        if (t < 0)
            t += kTurn;
        else if (t > kTurn)
            t -= kTurn;
        std::int64_t v; // in units of 1 / (kSq * kTurn)
        if (6 * t < kTurn)
            v = m1 * kTurn + (m2 - m1) * 6 * t;
        else if (2 * t < kTurn)
            v = m2 * kTurn;
        else if (3 * t < 2 * kTurn)
            v = m1 * kTurn + (m2 - m1) * (4 * kTurn - 6 * t);
        else
            v = m1 * kTurn;
        return static_cast<int>(std::clamp<std::int64_t>(RoundRatio(255 * v, kSq * kTurn), 0, 255));
    };
    const std::int64_t hue = 3 * std::int64_t{h};
    return RGBColor(channel(hue + (HslScale - 1)), channel(hue), channel(hue - (HslScale - 1)));
}

TColor ShiftColorLightness(TColor base, TColor fallback, TAdvColors shift, ColorShiftKind kind)
{
    if (shift == 0)
        return fallback;
    int h, s, l;
    ColorToScaledHsl(ColorToRGB(base), h, s, l);
    l += 10;
    // The cap is 100, not the top of the scale: lightening a light base therefore darkens it.
    if (kind == ColorShiftKind::lighten)
        l = std::min(l + shift, 100);
    else
        l = std::max(l - shift, 0);
    return ScaledHslToColor(h, s, l);
}

void DrawBevelFrame(TCanvas& canvas, RECT r, TColor topLeft, TColor bottomRight, int width)
{
    canvas.Pen().SetWidth(1);
    // Lines leave out their end point: with right and bottom pulled in, the frame lands on the outermost pixels.
    --r.right;
    --r.bottom;
    for (int i = 0; i < width; ++i) {
        canvas.Pen().SetColor(topLeft);
        const POINT tl[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
        canvas.Polyline(tl, 3);
        canvas.Pen().SetColor(bottomRight);
        const POINT br[] = {{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}};
        canvas.Polyline(br, 3);
        ::InflateRect(&r, -1, -1);
    }
}

void PaintParentBackground(const TControl& control, TCanvas& canvas)
{
    TWinControl* parent = control.Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    HDC dc = canvas.Handle();
    ScopedDCState state(dc);
    ::OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), nullptr);
    ::IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    const auto wp = reinterpret_cast<WPARAM>(dc);
    ::SendMessageA(parent->HandleIfAllocated(), WM_ERASEBKGND, wp, 0);
    ::SendMessageA(parent->HandleIfAllocated(), WM_PAINT, wp, 0);
}

std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& source, TColor transparentColor, TColor background,
                                           TColor highlight, TColor shadow, bool drawHighlight)
{
    // Where the mask is white the brush lands, where it is black the destination stays.
    constexpr DWORD kMaskedBrush = 0x00E20746;
    const int w = source.Width(), h = source.Height();
    auto result = std::make_unique<TBitmap>();
    result->SetSize(w, h);

    TBitmap mask;
    mask.Assign(source);
    mask.Canvas().Brush().SetColor(transparentColor);
    if (mask.Monochrome()) {
        mask.Canvas().Font().SetColor(clWhite);
        mask.Canvas().Brush().SetColor(clWhite);
        mask.SetMonochrome(false);
    }
    mask.SetMonochrome(true);

    TCanvas& out = result->Canvas();
    const RECT all{0, 0, w, h};
    out.Brush().SetColor(background);
    out.FillRect(all);

    // The mask's bits turn into colours through the destination's text (0) and background (1) colours.
    ScopedDCState state(out.Handle());
    ::SetTextColor(out.Handle(), RGB(0, 0, 0));
    ::SetBkColor(out.Handle(), RGB(255, 255, 255));
    out.SetCopyMode(kMaskedBrush);
    if (drawHighlight) {
        out.Brush().SetColor(highlight);
        out.CopyRect(RECT{1, 1, w + 1, h + 1}, mask.Canvas(), all);
    }
    out.Brush().SetColor(shadow);
    out.CopyRect(all, mask.Canvas(), all);
    out.SetCopyMode(SRCCOPY);
    return result;
}

bool TFlatAdvColors::Set(int index, int v)
{
    switch (index) {
    case 0: focused = ClampAdvColors(v); return true;
    case 1: down = ClampAdvColors(v); return true;
    case 2: border = ClampAdvColors(v); return true;
    default: return false;
    }
}

void TFlatAdvColors::Apply(TColor base, TColor& colorFocused, TColor& colorDown, TColor& colorBorder) const
{
    if (!use)
        return;
    colorFocused = ShiftColorLightness(base, colorFocused, focused, ColorShiftKind::lighten);
    colorDown = ShiftColorLightness(base, colorDown, down, ColorShiftKind::darken);
    colorBorder = ShiftColorLightness(base, colorBorder, border, ColorShiftKind::darken);
}

} // namespace zv
