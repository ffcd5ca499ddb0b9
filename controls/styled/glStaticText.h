// The styled link text: a label that takes its active colour while the pointer is over it.
#pragma once

#include "controls/styled/glTypes.h"
#include "framework/StdCtrls.h"

namespace zv {

class TglStaticText : public TLabel {
public:
    explicit TglStaticText(TComponent* owner);
    const char* ClassName() const override { return "TglStaticText"; }

    TColor ActiveColor() const { return activeColor_; }
    void SetActiveColor(TColor c);
    unsigned Options() const { return options_; }
    void SetOptions(unsigned o);
    void SetTextAlignment(TglAlignment a);
    bool Active() const { return active_; }

    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Paint() override;

private:
    TColor activeColor_ = clWhite;
    unsigned options_ = ftoActiveWhileControlFocused;
    bool active_ = false;
};

} // namespace zv
