#include "controls/styled/glRecords.h"

#include <algorithm>

namespace zv {

TColor ShiftColor(TColor c, int shift)
{
    const TColor rgb = ColorToRGB(c);
    auto ch = [shift](int v) { return std::clamp(v + shift, 0, 255); };
    return RGBColor(ch(RedOf(rgb)), ch(GreenOf(rgb)), ch(BlueOf(rgb)));
}

// ---- gradients

TTwainColors::TTwainColors() : fromRGB_(ColorToRGB(fromColor_)), toRGB_(ColorToRGB(toColor_)) {}

void TTwainColors::SetFromColor(TColor c)
{
    if (c == fromColor_)
        return;
    fromColor_ = c;
    fromRGB_ = ColorToRGB(c);
    Changed();
}

void TTwainColors::SetToColor(TColor c)
{
    if (c == toColor_)
        return;
    toColor_ = c;
    toRGB_ = ColorToRGB(c);
    Changed();
}

void TTwainColors::Assign(const TTwainColors& o)
{
    fromColor_ = o.fromColor_;
    toColor_ = o.toColor_;
    fromRGB_ = o.fromRGB_;
    toRGB_ = o.toRGB_;
    Changed();
}

void TCustomGradient::SetOrientation(TglGradientDir d)
{
    if (d == orientation_)
        return;
    orientation_ = d;
    if (active_)
        Changed();
}

void TCustomGradient::SetSteps(int n) { Update(steps_, std::clamp(n, 1, 255)); }

void TCustomGradient::SetPercentFilling(int p) { Update(percentFilling_, static_cast<TglPercent>(std::clamp(p, 0, 100))); }

void TCustomGradient::Assign(const TCustomGradient& o)
{
    active_ = o.active_;
    bufferedDraw_ = o.bufferedDraw_;
    orientation_ = o.orientation_;
    steps_ = o.steps_;
    percentFilling_ = o.percentFilling_;
    brushStyle_ = o.brushStyle_;
    reverse_ = o.reverse_;
    TTwainColors::Assign(o);
}

// ---- alignments, points, bevels

void T2DAlign::Assign(const T2DAlign& o)
{
    horizontal_ = o.horizontal_;
    vertical_ = o.vertical_;
    Changed();
}

void TIllumination::Assign(const TIllumination& o)
{
    shadowDepth_ = o.shadowDepth_;
    T2DAlign::Assign(o);
}

void TPointClass::Assign(const TPointClass& o)
{
    x_ = o.x_;
    y_ = o.y_;
    Changed();
}

void TglBevel::Assign(const TglBevel& o)
{
    inner_ = o.inner_;
    outer_ = o.outer_;
    sides_ = o.sides_;
    bold_ = o.bold_;
    Changed();
}

void TglTextBoxStyle::Assign(const TglTextBoxStyle& o)
{
    penStyle_ = o.penStyle_;
    textColor_ = o.textColor_;
    backgroundColor_ = o.backgroundColor_;
    highlightColor_ = o.highlightColor_;
    shadowColor_ = o.shadowColor_;
    TglBevel::Assign(o);
}

// ---- colour sets

void TglCustomTextColors::AssignTextColors(const TglCustomTextColors& o)
{
    text_ = o.text_;
    textDisabled_ = o.textDisabled_;
    delineate_ = o.delineate_;
    background_ = o.background_;
    highlight_ = o.highlight_;
    shadow_ = o.shadow_;
}

void TglCustomLabelColors::AssignLabelColors(const TglCustomLabelColors& o)
{
    AssignTextColors(o);
    textActive_ = o.textActive_;
    delineateActive_ = o.delineateActive_;
    autoHighlight_ = o.autoHighlight_;
    autoShadow_ = o.autoShadow_;
    baseColor_ = o.baseColor_;
    highlightShift_ = o.highlightShift_;
    shadowShift_ = o.shadowShift_;
}

void TglCustomLabelColors::RecalcAutoColors(TColor background)
{
    if (autoShadow_)
        shadow_ = ShiftColor(background, -shadowShift_);
    if (autoHighlight_)
        highlight_ = ShiftColor(background, highlightShift_);
}

void TglGrBoxColors::Assign(const TglGrBoxColors& o)
{
    AssignLabelColors(o);
    caption_ = o.caption_;
    captionActive_ = o.captionActive_;
    client_ = o.client_;
    clientActive_ = o.clientActive_;
    Changed();
}

// ---- list-box item styles

TglCustomListBoxItemStyle::TglCustomListBoxItemStyle()
    : font_(std::make_unique<TFont>()), bevel_(std::make_unique<TglBevel>())
{
    font_->OnChange = [this] { Changed(); };
}

void TglCustomListBoxItemStyle::SetOnChange(TNotifyEvent handler)
{
    bevel_->SetOnChange(handler);
    TglPersistent::SetOnChange(std::move(handler));
}

void TglCustomListBoxItemStyle::SetFont(const TFont& f)
{
    // The font's own change hook would notify once per field; copy quietly, then notify once.
    auto hook = std::move(font_->OnChange);
    font_->OnChange = nullptr;
    font_->Assign(f);
    font_->OnChange = std::move(hook);
    Changed();
}

void TglCustomListBoxItemStyle::AssignItemStyle(const TglCustomListBoxItemStyle& o)
{
    color_ = o.color_;
    delineateColor_ = o.delineateColor_;
    textStyle_ = o.textStyle_;
    bevel_->Assign(*o.bevel_);
    SetFont(*o.font_);
}

TglListBoxItemStyle::TglListBoxItemStyle() : gradient_(std::make_unique<TGradient>()) {}

void TglListBoxItemStyle::SetOnChange(TNotifyEvent handler)
{
    gradient_->SetOnChange(handler);
    TglCustomListBoxItemStyle::SetOnChange(std::move(handler));
}

void TglListBoxItemStyle::Assign(const TglListBoxItemStyle& o)
{
    gradient_->Assign(*o.gradient_);
    AssignItemStyle(o);
}

} // namespace zv
