// The collapsible group box of the styled family: a bevelled body with a caption tab on its top
// edge. A click on the caption collapses the box to the tab and expands it again; boxes of one
// group (GroupIndex) can keep one another collapsed. Disabling the box disables every child.
#pragma once

#include <memory>

#include "controls/styled/glRecords.h"
#include "controls/styled/glTypes.h"
#include "framework/GroupBox.h"

namespace zv {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The caption tab's rectangle, from the measured single-line caption text. Pure geometry, so the
// rules of the tab can be checked without a window.
struct TCaptionTabInput {
    SIZE text{0, 0};       // single-line caption text
    int glyphWidth = 0;    // the wider of the two glyphs, 0 without glyphs
    int shiftX = 8;        // CaptionShift.X
    TBevelCut inner = TBevelCut::bvSpace;
    TBevelCut outer = TBevelCut::bvNone;
    bool bold = false;
    TCaptionAlignment alignment = TCaptionAlignment::fcaNone;
    int boxWidth = 0;
    bool delineated = false;
    TglTextStyle textStyle = TglTextStyle::fstNone;
    int shadowDepth = 2;
    int lineWidth = 1;     // the bevels' line width at the box's dpi
};
RECT CaptionTabRect(const TCaptionTabInput& in);

class TglGroupBox : public TCustomGroupBox {
public:
    explicit TglGroupBox(TComponent* owner);
    ~TglGroupBox() override;
    const char* ClassName() const override { return "TglGroupBox"; }

    // Disabling disables every direct child, enabling enables them all, in child order; both run
    // even when the box already has the value, so children disabled on their own are enabled too.
    void SetEnabled(bool v) override;

    TglBevel& Border() { return *border_; }
    TglBevel& CaptionBorder() { return *captionBorder_; }
    TGradient& CaptionGradient() { return *captionGradient_; }
    TPointClass& CaptionShift() { return *captionShift_; }
    TglGrBoxColors& Colors() { return *colors_; }
    TGradient& Gradient() { return *gradient_; }
    TIllumination& Illumination() { return *illumination_; }

    TCaptionAlignment CaptionAlignment() const { return captionAlignment_; }
    void SetCaptionAlignment(TCaptionAlignment a);
    TglTextStyle CaptionTextStyle() const { return captionTextStyle_; }
    void SetCaptionTextStyle(TglTextStyle s);
    bool Collapsed() const { return collapsed_; }
    void SetCollapsed(bool v);
    TglGrBoxOptions Options() const { return options_; }
    void SetOptions(TglGrBoxOptions o);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool TransparentCaption() const { return transparentCaption_; }
    void SetTransparentCaption(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign a);
    // Reading creates an empty bitmap; setting copies the given one.
    TBitmap& GlyphCollapsed();
    void SetGlyphCollapsed(const TBitmap& b);
    TBitmap& GlyphExpanded();
    void SetGlyphExpanded(const TBitmap& b);

    // The expanded height, kept while collapsed (the layout's "FullHeight").
    int FullHeight() const { return fullHeight_; }
    void SetFullHeight(int h) { fullHeight_ = h; }
    // The caption tab of the last paint (empty before the first, and without a caption).
    RECT CaptionRect() const { return captionRect_; }

    TNotifyEvent AfterPaint;
    TNotifyEvent OnCollapsed;
    TNotifyEvent OnExpanded;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The keyboard's way to the caption: a box that can collapse is a tab stop; Space toggles it as a
    // click on the caption does, Left or '-' collapses, Right or '+' expands.
    bool CanFocus() const override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void FocusGained() override { Invalidate(); }
    void FocusLost() override { Invalidate(); }
    // Read as expanded or collapsed; the default action does what a click on the caption does.
    unsigned AccState() const override;
    const char* AccDefaultAction() const override;
    void AccDoDefaultAction() override { ToggleByClick(); }

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(RECT& r) const override;
    void Paint() override;
    void ScaleMetrics() override;
    bool EraseBackground(HDC dc) override;

private:
    void CreateStyleRecords();
    void StyleChanged(TObject* sender);
    int GlyphWidth() const;
    // The caption tab measured on `dc` (the screen's when null) with the box's font.
    RECT MeasureCaptionRect(HDC dc) const;
    // Stores the state and resizes the box (and with fgoResizeParent its parent).
    void ApplyCollapsed(bool collapse);
    void ToggleByClick();
    // The other boxes of the owner in the same group.
    template <class F>
    void ForEachGroupMate(F f);
    bool HasGlyph(const std::unique_ptr<TBitmap>& g) const { return g && !g->Empty(); }

    std::unique_ptr<TglBevel> border_;
    std::unique_ptr<TglBevel> captionBorder_;
    std::unique_ptr<TGradient> captionGradient_;
    std::unique_ptr<TPointClass> captionShift_;
    std::unique_ptr<TglGrBoxColors> colors_;
    std::unique_ptr<TGradient> gradient_;
    std::unique_ptr<TIllumination> illumination_;
    std::unique_ptr<TBitmap> glyphCollapsed_;
    std::unique_ptr<TBitmap> glyphExpanded_;
    TCaptionAlignment captionAlignment_ = TCaptionAlignment::fcaNone;
    TglTextStyle captionTextStyle_ = TglTextStyle::fstNone;
    bool collapsed_ = false;
    TglGrBoxOptions options_;
    bool transparent_ = false;
    bool transparentCaption_ = false;
    int groupIndex_ = 0;
    TAlign align_ = TAlign::alNone;
    int fullHeight_ = 0;
    // At the box's dpi: the bevels' line width, CaptionShift.X, and the gap between glyph and text.
    int lineWidth_ = 1;
    int shiftX_ = 8;
    int textGap_ = 2;
    RECT captionRect_{0, 0, 0, 0};
    bool dragging_ = false;
    int dragY_ = 0;
};

} // namespace zv
