// A windowless progress gauge: a one-pixel frame, a bar growing from the left and the percentage
// centred over it, the part of the text over the bar drawn in the background colour.
#pragma once

#include "controls/flat/FlatUtils.h"
#include "framework/Controls.h"

#include <string>

namespace zv {

class TFlatGauge : public TGraphicControl {
public:
    explicit TFlatGauge(TComponent* owner);
    const char* ClassName() const override { return "TFlatGauge"; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool v);
    TAdvColors AdvColorBorder() const { return advColorBorder_; }
    void SetAdvColorBorder(int v);

    // Indexed colours: 0 ColorBorder, 1 BarColor.
    enum { ciBorder = 0, ciBar = 1 };
    TColor Colors(int index) const { return index == ciBorder ? colorBorder_ : barColor_; }
    void SetColors(int index, TColor c);
    TColor ColorBorder() const { return colorBorder_; }
    void SetColorBorder(TColor c) { SetColors(ciBorder, c); }
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor c) { SetColors(ciBar, c); }

    int MinValue() const { return minValue_; }
    void SetMinValue(int v);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int v);
    int Progress() const { return progress_; }
    void SetProgress(int v);
    bool ShowText() const { return showText_; }
    void SetShowText(bool v);

    // Width of the bar inside a track `trackWidth` pixels wide, and the whole percentage shown.
    int BarWidth(int trackWidth) const;
    int Percent() const;
    std::string PercentText() const { return std::to_string(Percent()) + " %"; }

    void SysColorChange() override;
    void ParentColorChanged() override;
    // A progress bar whose value is the percentage shown, named by the label beside it.
    long AccRole() const override;
    std::string AccName() const override;
    std::string AccValue() const override { return PercentText(); }
    unsigned AccState() const override;

protected:
    void Paint() override;
    void ScaleMetrics() override;
    // The frame's width and the track's distance from the edge: 1 and 2 at 96 dpi.
    int frameWidth_ = 1;
    int trackInset_ = 2;

private:
    void CalcAdvColors();
    void FollowParentColors();
    // Repaints, and tells readers when the shown percentage moved from `before`.
    void RangeChanged(int before);

    bool transparent_ = false;
    bool useAdvColors_ = false;
    TAdvColors advColorBorder_ = 0;
    TColor barColor_ = 10053171;
    TColor colorBorder_ = 8623776;
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 25;
    bool showText_ = true;
};

} // namespace zv
