// The shadow control placed behind an edit. For now it only holds its settings and paints nothing,
// so the parent's background shows through.
#pragma once

#include "framework/Controls.h"

namespace zv {

class TglShadow : public TGraphicControl {
public:
    explicit TglShadow(TComponent* owner) : TGraphicControl(owner) {}
    const char* ClassName() const override { return "TglShadow"; }

    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor c) { transparentColor_ = c; }

private:
    TColor transparentColor_ = clNone;
};

} // namespace zv
