// A one-line native edit whose 3-D border is replaced by three self-painted one-pixel rings in the
// non-client area: the outer one in ColorBorder, the two inner ones in the field's background, which is
// ColorFlat while idle and ColorFocused while the field has the focus or the pointer is over it.
#pragma once

#include "controls/flat/FlatUtils.h"
#include "framework/StdCtrls.h"

namespace zv {

class TCustomFlatEdit : public TCustomEdit {
public:
    explicit TCustomFlatEdit(TComponent* owner);
    const char* ClassName() const override { return "TCustomFlatEdit"; }

    static constexpr int kBorder = 3;

    // Indexed colours: 0 ColorFocused, 1 ColorBorder, 2 ColorFlat.
    enum { ciFocused = 0, ciBorder = 1, ciFlat = 2 };
    TColor Colors(int index) const;
    // Setting ColorFlat stops it following the parent's colour.
    void SetColors(int index, TColor c);
    TColor ColorFocused() const { return colorFocused_; }
    TColor ColorBorder() const { return colorBorder_; }
    TColor ColorFlat() const { return colorFlat_; }
    // Indexed lightness shifts: 0 AdvColorFocused, 1 AdvColorBorder.
    enum { aiFocused = 0, aiBorder = 1 };
    TAdvColors AdvColors(int index) const;
    void SetAdvColors(int index, int v);
    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool v);
    // The field's own flag: ColorFlat follows the parent's colour (the framework's flag stays off,
    // since Color itself switches between the idle and the active colour).
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);

    bool MouseIn() const { return mouseIn_; }
    // Whether the rings and background show the idle look now.
    bool IsIdle() const;
    // Draws the three rings on a device context whose origin is the window's top-left corner, and
    // switches Color to the look's background.
    void DrawBorder(HDC windowDC);
    // The field, its frame and the controls inside it (the spin edit's arrows), as a paint would draw them.
    void PaintTo(HDC dc) override;
    // Draws the rings on the window itself.
    void RedrawBorder();

    void MouseEnter() override;
    void MouseLeave() override;
    void FocusGained() override;
    void FocusLost() override;
    void EnabledChanged() override;
    void SysColorChange() override;
    void ParentColorChanged() override;
    void Loaded() override;

protected:
    void FontChanged() override;
    void AdjustClientRect(RECT& client) override;
    void PaintNonClient() override;
    void ScaleMetrics() override;
    // The height that fits the font: its cell height + 6 (the rings above and below).
    void ApplyHeightRule();
    // The rings' width: one line in ColorBorder, the rest in the background; 1 and 3 at 96 dpi.
    int borderLine_ = 1;
    int border_ = kBorder;
    static int FontCellHeight(const TFont& font);

private:
    void CalcAdvColors();
    void FollowParent();

    TColor colorFocused_ = clWhite;
    TColor colorBorder_ = 8623776;
    TColor colorFlat_ = 14805739;
    bool parentColor_ = true;
    bool useAdvColors_ = false;
    TAdvColors advColorFocused_ = 10;
    TAdvColors advColorBorder_ = 50;
    bool mouseIn_ = false;
};

// The published form of the flat edit.
class TFlatEdit : public TCustomFlatEdit {
public:
    explicit TFlatEdit(TComponent* owner) : TCustomFlatEdit(owner) {}
    const char* ClassName() const override { return "TFlatEdit"; }
};

} // namespace zv
