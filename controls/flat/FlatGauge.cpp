#include "controls/flat/FlatGauge.h"

#include <oleacc.h>

#include <algorithm>
#include <cstdint>

#include "framework/Accessible.h"
#include "framework/ColorRoles.h"
#include "framework/Layout.h"

namespace zv {

TFlatGauge::TFlatGauge(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 145, 25);
    SetParentColor(true);
}

void TFlatGauge::SetTransparent(bool v)
{
    transparent_ = v;
    Invalidate();
}

void TFlatGauge::SetUseAdvColors(bool v)
{
    if (v == useAdvColors_)
        return;
    useAdvColors_ = v;
    SetParentColor(v);
    CalcAdvColors();
    Invalidate();
}

void TFlatGauge::SetAdvColorBorder(int v)
{
    advColorBorder_ = ClampAdvColors(v);
    CalcAdvColors();
    Invalidate();
}

void TFlatGauge::SetColors(int index, TColor c)
{
    (index == ciBorder ? colorBorder_ : barColor_) = c;
    Invalidate();
}

void TFlatGauge::CalcAdvColors()
{
    if (useAdvColors_)
        colorBorder_ = ShiftColorLightness(Color(), colorBorder_, advColorBorder_, ColorShiftKind::darken);
}

void TFlatGauge::FollowParentColors()
{
    if (useAdvColors_) {
        SetParentColor(true);
        CalcAdvColors();
    }
    Invalidate();
}

void TFlatGauge::SysColorChange()
{
    FollowParentColors();
}

void TFlatGauge::ParentColorChanged()
{
    TGraphicControl::ParentColorChanged();
    FollowParentColors();
}

void TFlatGauge::SetMinValue(int v)
{
    if (v == minValue_)
        return;
    const int before = Percent();
    minValue_ = std::min(v, maxValue_);
    if (progress_ < minValue_)
        progress_ = minValue_;
    RangeChanged(before);
}

void TFlatGauge::SetMaxValue(int v)
{
    if (v == maxValue_)
        return;
    const int before = Percent();
    maxValue_ = std::max(v, minValue_);
    if (progress_ > maxValue_)
        progress_ = maxValue_;
    RangeChanged(before);
}

void TFlatGauge::SetProgress(int v)
{
    v = std::clamp(v, minValue_, maxValue_);
    if (v == progress_)
        return;
    const int before = Percent();
    progress_ = v;
    RangeChanged(before);
}

void TFlatGauge::RangeChanged(int before)
{
    Repaint();
    // A reader hears of the value only when the figure a sighted user reads changes.
    if (Percent() != before)
        AccessibleNotify(this, EVENT_OBJECT_VALUECHANGE);
}

long TFlatGauge::AccRole() const { return ROLE_SYSTEM_PROGRESSBAR; }
std::string TFlatGauge::AccName() const { return AccessibleLabelBeside(this); }
unsigned TFlatGauge::AccState() const { return STATE_SYSTEM_READONLY; }

void TFlatGauge::SetShowText(bool v)
{
    if (v == showText_)
        return;
    showText_ = v;
    Repaint();
}

// Both ratios are truncated toward zero. Whole numbers keep them exact: in floating point 29 of 100 can
// come out a hair below 29 and read as 28 %. An empty range has no ratio; it shows an empty bar at 0 %.
int TFlatGauge::BarWidth(int trackWidth) const
{
    const std::int64_t range = std::int64_t{maxValue_} - minValue_;
    if (range <= 0)
        return 0;
    return static_cast<int>(std::int64_t{trackWidth} * (std::int64_t{progress_} - minValue_) / range);
}

int TFlatGauge::Percent() const
{
    const std::int64_t range = std::int64_t{maxValue_} - minValue_;
    if (range <= 0)
        return 0;
    return static_cast<int>((std::int64_t{progress_} - minValue_) * 100 / range);
}

void TFlatGauge::ScaleMetrics()
{
    TGraphicControl::ScaleMetrics();
    frameWidth_ = Scaled(1);
    trackInset_ = Scaled(2);
}

void TFlatGauge::Paint()
{
    TCanvas& c = Canvas();
    const RECT client = ClientRect();
    if (!transparent_) {
        c.Brush().SetColor(RoleColor(TColorRole::Face, Color()));
        c.FillRect(client);
    }
    const TColor frame = RoleColorOn(Color(), TColorRole::Frame, colorBorder_);
    DrawBevelFrame(c, client, frame, frame, frameWidth_);

    RECT track = client;
    ::InflateRect(&track, -trackInset_, -trackInset_);
    RECT bar = track;
    bar.right = track.left + BarWidth(track.right - track.left);
    c.Brush().SetColor(RoleColor(TColorRole::Selected, barColor_));
    c.FillRect(bar);

    if (!showText_)
        return;
    const std::string text = PercentText();
    c.Font().Assign(Font());
    c.Font().SetColor(RoleColorOn(Color(), TColorRole::Text, Font().Color()));
    c.Brush().SetStyle(TBrushStyle::bsClear);
    constexpr UINT kFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    RECT r = track;
    c.DrawText(text, r, kFormat);
    // The same text again, clipped to the bar: what lies over the bar reads in the background colour.
    ScopedDCState state(c.Handle());
    ::IntersectClipRect(c.Handle(), bar.left, bar.top, bar.right, bar.bottom);
    c.Font().SetColor(RoleColor(TColorRole::SelectedText, Color()));
    r = track;
    c.DrawText(text, r, kFormat);
}

namespace {

const bool kRegistered = [] {
    RegisterClass<TFlatGauge>("TFlatGauge", "TGraphicControl")
        .Prop<TFlatGauge>("AdvColorBorder", [](TFlatGauge& g, const TLayoutValue& v) { g.SetAdvColorBorder(v.AsInt()); })
        .Prop<TFlatGauge>("Transparent", [](TFlatGauge& g, const TLayoutValue& v) { g.SetTransparent(v.AsBool()); })
        .Prop<TFlatGauge>("UseAdvColors", [](TFlatGauge& g, const TLayoutValue& v) { g.SetUseAdvColors(v.AsBool()); })
        .Prop<TFlatGauge>("ColorBorder", [](TFlatGauge& g, const TLayoutValue& v) { g.SetColorBorder(v.AsColor()); })
        .Prop<TFlatGauge>("BarColor", [](TFlatGauge& g, const TLayoutValue& v) { g.SetBarColor(v.AsColor()); })
        .Prop<TFlatGauge>("MinValue", [](TFlatGauge& g, const TLayoutValue& v) { g.SetMinValue(v.AsInt()); })
        .Prop<TFlatGauge>("MaxValue", [](TFlatGauge& g, const TLayoutValue& v) { g.SetMaxValue(v.AsInt()); })
        .Prop<TFlatGauge>("Progress", [](TFlatGauge& g, const TLayoutValue& v) { g.SetProgress(v.AsInt()); })
        .Prop<TFlatGauge>("ShowText", [](TFlatGauge& g, const TLayoutValue& v) { g.SetShowText(v.AsBool()); });
    return true;
}();

} // namespace
} // namespace zv
