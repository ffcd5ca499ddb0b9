// The bitmap push button: a native owner-drawn BUTTON painted the classic way (face, two-pixel
// raised edge, optional glyph, caption, focus rectangle, default-button frame, disabled look).
// The form clicks it on Enter when it is the default button and on Esc when it is the cancel button.
#pragma once

#include "framework/Controls.h"

namespace zv {

// Modal results a button can carry (the integer value is what layouts may state too).
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// What one paint of the button has to show.
struct TButtonDrawState {
    UINT itemState = 0;    // ODS_* as the window system reported them
    bool pressed = false;  // held down by the mouse or the space bar
    bool focused = false;  // has the keyboard focus: focus rectangle
    bool framed = false;   // black default-button frame around the edge
    bool disabled = false;
    bool hot = false;      // the mouse is over the button
};

class TBitBtn : public TWinControl {
public:
    explicit TBitBtn(TComponent* owner);
    const char* ClassName() const override { return "TBitBtn"; }

    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // Stored for the form that shows the button; no form of this framework is modal.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }

    // The glyph strip: NumGlyphs images side by side (up, disabled, down, held). The colour of the
    // bottom-left pixel is transparent.
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& bitmap);
    bool LoadGlyph(const char* resourceName);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout l);
    int Spacing() const { return spacing_; }
    void SetSpacing(int s);

    bool IsDefaultButton() const override { return default_; }
    bool IsCancelButton() const override { return cancel_; }
    bool IsPushButton() const override { return true; }
    long AccRole() const override;
    unsigned AccState() const override;
    const char* AccDefaultAction() const override { return "Apasa"; }

    // The state a paint with these ODS_* bits shows: focus and press from the bits, the frame
    // when focused or when this is the default button and no other push button has the focus.
    TButtonDrawState DrawState(UINT itemState) const;
    // Paints the whole button into dc (client coordinates) as WM_DRAWITEM would, through
    // DrawButton; the device context gets back everything it had selected.
    void PaintButton(HDC dc, UINT itemState);
    void PaintTo(HDC dc) override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool CNCommand(WORD code) override;
    bool CNDrawItem(DRAWITEMSTRUCT& dis) override;
    void FocusGained() override;
    void FocusLost() override;

    // The whole button on `canvas`, which is bound to the paint's device context. Subclasses
    // call this first and draw over its result on the same canvas.
    virtual void DrawButton(TCanvas& canvas, const RECT& rect, const TButtonDrawState& state);
    // Pieces of the classic drawing, for subclasses that rearrange it.
    void DrawGlyph(TCanvas& canvas, int x, int y, const TButtonDrawState& state);
    void DrawCaption(TCanvas& canvas, const RECT& textRect, const TButtonDrawState& state);
    static void DrawClassicFrame(HDC dc, RECT& r, const TButtonDrawState& s);
    // The face under the caption and the caption's colour, by the button's state.
    static TColor FaceRole(const TButtonDrawState& s);
    static TColor InkRole(const TButtonDrawState& s, TColor designed);
    SIZE GlyphSize() const;

private:
    void InvalidateOtherDefaults();

    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = mrNone;
    TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    TCanvas canvas_;
};

// The plain push button: the same control without a glyph.
class TButton : public TBitBtn {
public:
    using TBitBtn::TBitBtn;
    const char* ClassName() const override { return "TButton"; }
};

// A one-pixel frame of `r`: top and left lines in topLeft, bottom and right lines (with the two
// far corners) in bottomRight; r shrinks by one pixel on every side.
void DrawFrame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight);

} // namespace zv
