// A windowless flat push button: a one-pixel frame that turns into a raised bevel under the pointer and a
// sunken one while pressed, a background per state, a glyph strip of 1 to 4 images and a caption. With a
// GroupIndex it is a toggle: one button of the group stays down.
#pragma once

#include <string>

#include "controls/flat/FlatUtils.h"
#include "framework/Buttons.h"
#include "framework/Controls.h"

namespace zv {

class TTimer;

enum class TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

// Where the glyph and the caption of a button land, computed from the client rectangle.
struct TButtonLayoutResult {
    POINT glyphPos{0, 0};
    RECT textBounds{0, 0, 0, 0};
};

// The layout shared by the flat buttons: glyphSize and textSize are the measured extents (0, 0 when
// absent); margin and spacing -1 mean automatic.
TButtonLayoutResult CalcButtonLayout(const RECT& client, POINT offset, SIZE glyphSize, SIZE textSize,
                                     TButtonLayout layout, int margin, int spacing);

// Inside for a drag and a release: the row just below the bottom edge counts, the column just right of
// the right edge does not.
constexpr bool InsideButton(int x, int y, int width, int height)
{
    return x >= 0 && x < width && y >= 0 && y <= height;
}

class TFlatSpeedButton : public TGraphicControl {
public:
    explicit TFlatSpeedButton(TComponent* owner);
    ~TFlatSpeedButton() override;
    const char* ClassName() const override { return "TFlatSpeedButton"; }

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool Down() const { return down_; }
    void SetDown(bool v);

    // Indexed colours: 0 ColorFocused, 1 ColorDown, 2 ColorBorder, 3 ColorHighLight, 4 ColorShadow.
    enum { ciFocused = 0, ciDown = 1, ciBorder = 2, ciHighLight = 3, ciShadow = 4 };
    TColor Colors(int index) const;
    void SetColors(int index, TColor c);
    // Indexed lightness shifts: 0 AdvColorFocused, 1 AdvColorDown, 2 AdvColorBorder.
    enum { aiFocused = 0, aiDown = 1, aiBorder = 2 };
    TAdvColors AdvColors(int index) const { return adv_.Get(index); }
    void SetAdvColors(int index, int v);
    bool UseAdvColors() const { return adv_.use; }
    void SetUseAdvColors(bool v);

    TBitmap& Glyph() { return glyph_; }
    // Copies the bitmap; a strip whose width is a whole multiple of its height sets NumGlyphs.
    void SetGlyph(const TBitmap& bitmap);
    void ClearGlyph();
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return margin_; }
    // Values below -1 are refused.
    void SetMargin(int v);
    TNumGlyphs NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }

    TButtonState State() const { return state_; }
    bool MouseIn() const { return mouseIn_; }
    bool Dragging() const { return dragging_; }
    // Where the last paint put the glyph and the caption.
    const TButtonLayoutResult& LastLayout() const { return layoutResult_; }

    // The hover timer all speed buttons share (null while none lives), and the button it serves.
    static TTimer* HoverTimer();
    static TFlatSpeedButton* HoverOwner();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // A push button, pressed while down.
    long AccRole() const override;
    unsigned AccState() const override;
    const char* AccDefaultAction() const override { return "Apasa"; }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Click() override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DialogChar(char ch) override;
    void EnabledChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void SysColorChange() override;
    void ParentColorChanged() override;
    void Loaded() override;

protected:
    bool Pressed() const;
    // Text and glyph colour for the button's state, over what the button paints under them.
    TColor InkColor(TColor designed) const;
    void ScaleMetrics() override;
    // The frame's width: 1 at 96 dpi.
    int frameWidth_ = 1;
    void Paint() override;
    // The group notice a parent broadcasts when a button of group `index` went down.
    void ButtonPressed(int index, TFlatSpeedButton* sender);
    void HoverLeave();

private:
    void CalcAdvColors();
    void FollowParentColors();
    void TellGroup();
    bool PointerOverMe() const;
    void HoverEnter();
    void HoverCheck();
    void ReleaseHoverTimer();
    void UpdateTracking();
    void PaintBackground(TCanvas& c);
    void PaintFrame(TCanvas& c);
    void PaintGlyph(TCanvas& c, POINT at);
    void PaintCaption(TCanvas& c, RECT bounds);

    TTransparentMode transparentMode_ = tmNone;
    bool allowAllUp_ = false;
    TColor colorFocused_ = 14805739;
    TColor colorDown_ = 12965593;
    TColor colorBorder_ = 8623776;
    TColor colorHighLight_ = clWhite;
    TColor colorShadow_ = clBlack;
    TFlatAdvColors adv_;
    int groupIndex_ = 0;
    bool down_ = false;
    TBitmap glyph_;
    TButtonLayout layout_ = TButtonLayout::blGlyphTop;
    int margin_ = -1;
    TNumGlyphs numGlyphs_ = 1;
    int spacing_ = 4;
    int modalResult_ = mrNone;
    TButtonState state_ = TButtonState::bsUp;
    bool mouseIn_ = false;
    bool dragging_ = false;
    TButtonLayoutResult layoutResult_;
};

} // namespace zv
