// The group box: a container that paints itself (an etched frame with the caption over its top
// line); the controls inside are ordinary child controls.
//
// Enabling: disabling the box disables its own window. By default the children keep their own
// Enabled value, but cannot take input while the box is disabled (the window system sends no
// mouse input through a disabled parent, and the framework will not focus a control with a
// disabled ancestor). A subclass that wants the children switched too overrides
// ApplyEnabledToChildren.
#pragma once

#include "framework/Controls.h"

namespace zv {

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* owner);
    const char* ClassName() const override { return "TCustomGroupBox"; }
    long AccRole() const override;

    // The area inside the frame and below the caption, where children usually go.
    RECT DisplayRect() const;

    void EnabledChanged() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    // Shrinks the client rectangle to the display area; subclasses may move it further.
    virtual void AdjustClientRect(RECT& r) const;
    // Runs after the box's own window took the new Enabled value. Does nothing by default.
    virtual void ApplyEnabledToChildren(bool enabled) {}
    // Height of the caption line in the box's font.
    int CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
    const char* ClassName() const override { return "TGroupBox"; }
};

} // namespace zv
