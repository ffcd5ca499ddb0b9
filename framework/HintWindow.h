// The window in which hints appear: a borderless top-most pop-up shown at a rectangle with a text.
// Subclasses replace the painting and the size calculation.
#pragma once

#include <string>

#include "framework/Controls.h"

namespace zv {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    const char* ClassName() const override { return "THintWindow"; }

    // Shows the window at `screenRect` with `text`.
    virtual void ActivateHint(const RECT& screenRect, const std::string& text);
    // The size the window needs for `text`, no wider than maxWidth; top-left at 0,0.
    virtual RECT CalcHintRect(int maxWidth, const std::string& text);
    void ReleaseHint();
    bool Showing() const;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint() override;
    void ScaleMetrics() override;
    // At the window's dpi: the room around the text (6 wider and 2 taller at 96 dpi) and the text's
    // place in it (2 from the left, 1 from the top).
    int extraWidth_ = 6, extraHeight_ = 2, textLeft_ = 2, textTop_ = 1;
};

} // namespace zv
