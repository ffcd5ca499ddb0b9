// A self-painted radio button: a flat 10-pixel circle whose fill shows hover, focus and press, a dot
// when checked, and a word-wrapped caption beside it. Checking one unchecks the buttons of the same
// GroupIndex on the same parent.
#pragma once

#include "controls/flat/FlatUtils.h"
#include "framework/Controls.h"

namespace zv {

class TTimer;

class TFlatRadioButton : public TCustomControl {
public:
    explicit TFlatRadioButton(TComponent* owner);
    ~TFlatRadioButton() override;
    const char* ClassName() const override { return "TFlatRadioButton"; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v) { groupIndex_ = v; }
    TRadioButtonLayout Layout() const { return layout_; }
    void SetLayout(TRadioButtonLayout v);

    // Indexed colours: 0 ColorFocused, 1 ColorDown, 2 ColorDot, 3 ColorBorder.
    enum { ciFocused = 0, ciDown = 1, ciDot = 2, ciBorder = 3 };
    TColor Colors(int index) const;
    void SetColors(int index, TColor c);
    TColor ColorFocused() const { return colorFocused_; }
    TColor ColorDown() const { return colorDown_; }
    TColor ColorDot() const { return colorDot_; }
    TColor ColorBorder() const { return colorBorder_; }

    // Indexed lightness shifts: 0 AdvColorFocused, 1 AdvColorDown, 2 AdvColorBorder.
    enum { aiFocused = 0, aiDown = 1, aiBorder = 2 };
    TAdvColors AdvColors(int index) const { return adv_.Get(index); }
    void SetAdvColors(int index, int v);
    bool UseAdvColors() const { return adv_.use; }
    void SetUseAdvColors(bool v);

    // The circle's box in client coordinates, and where the caption is laid out.
    RECT CircleRect() const;
    RECT CaptionRect() const;

    // The hover timer all radio buttons share (null while none lives), and the button it serves.
    static TTimer* HoverTimer();
    static TFlatRadioButton* HoverOwner();

    // A radio button; its default action checks it, as a click does.
    long AccRole() const override;
    unsigned AccState() const override;
    const char* AccDefaultAction() const override { return "Bifeaza"; }
    void AccDoDefaultAction() override { SetChecked(true); }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void DoExit() override;
    void FocusGained() override;
    void FocusLost() override;
    bool DialogChar(char ch) override;
    void EnabledChanged() override;
    void SysColorChange() override;
    void ParentColorChanged() override;
    void BoundsChanged() override;

protected:
    void Paint() override;
    void ScaleMetrics() override;
    // At 96 dpi: the circle 10 pixels wide, 1 from the side and 3 from the top; the dot 4 wide, 3 inside
    // it; the caption 16 from the side; one-pixel lines.
    int circleInset_ = 1, circleTop_ = 3, circleSize_ = 10, dotInset_ = 3, dotSize_ = 4, captionLeft_ = 16,
        line_ = 1;
    bool EraseBackground(HDC dc) override;

private:
    void CalcAdvColors();
    void FollowParentColors();
    void DrawCircle(TCanvas& canvas);
    // Draws the circle straight onto the window, outside the paint cycle.
    void RedrawCircle();
    bool PointerOverMe() const;
    void HoverEnter();
    void HoverLeave();
    void HoverCheck();
    void ReleaseHoverTimer();

    bool transparent_ = false;
    bool checked_ = false;
    TColor colorFocused_ = clWhite;
    TColor colorDown_ = 12965593;
    TColor colorDot_ = clBlack;
    TColor colorBorder_ = 8623776;
    TFlatAdvColors adv_;
    int groupIndex_ = 0;
    TRadioButtonLayout layout_ = radioLeft;
    bool mouseIn_ = false;
    bool mouseDown_ = false;
    bool focused_ = false;
};

} // namespace zv
