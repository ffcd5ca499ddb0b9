// The styled push button: the framework's bitmap button, drawn flat while the pointer is away and
// it is not held down, with the ordinary raised look while hovered or pressed.
#pragma once

#include "framework/Buttons.h"

namespace zv {

// What the flattening step needs to know about one paint.
struct TFlatButtonState {
    bool hovered = false;
    bool pressed = false;
    bool focusedOrDefault = false;
    TColor parentColor = clBtnFace;
};

// Turns the classic two-pixel raised edge of `r` (right and bottom exclusive) flat, on `dc`: the
// inner highlight goes, the outer dark edge takes the parent's colour, one shadow line remains.
// A focused or default button keeps its frame and only loses the highlight two pixels inside.
// The device context gets back the pen it had.
void FlattenButton(HDC dc, const RECT& r, const TFlatButtonState& state);

class TglBitBtn : public TBitBtn {
public:
    explicit TglBitBtn(TComponent* owner);
    ~TglBitBtn() override;
    const char* ClassName() const override { return "TglBitBtn"; }

    bool Hovered() const { return hovered_; }
    TCanvas& Canvas() { return canvas_; }

    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void DrawButton(TCanvas& canvas, const RECT& rect, const TButtonDrawState& state) override;

private:
    TColor ParentBrushColor() const;

    TCanvas canvas_;
    bool hovered_ = false;
};

} // namespace zv
