// A component that lends its three 3-D colours to every bevel drawn while it heads the process-wide
// chain: a control pushes it before painting and pops it afterwards.
#pragma once

#include "framework/Colors.h"
#include "framework/Component.h"

namespace zv {

class Tgl3DLocalColors : public TComponent {
public:
    explicit Tgl3DLocalColors(TComponent* owner);
    // Destroying any of them empties the chain, so no bevel reaches a component that is gone.
    ~Tgl3DLocalColors() override;
    const char* ClassName() const override { return "Tgl3DLocalColors"; }

    TColor DkShadow() const { return dkShadow_; }
    void SetDkShadow(TColor c) { dkShadow_ = c; }
    TColor Highlight() const { return highlight_; }
    void SetHighlight(TColor c) { highlight_ = c; }
    TColor Shadow() const { return shadow_; }
    void SetShadow(TColor c) { shadow_ = c; }
    int DarkShift() const { return darkShift_; }
    void SetDarkShift(int v) { darkShift_ = v; }
    int LightShift() const { return lightShift_; }
    void SetLightShift(int v) { lightShift_ = v; }

    // A light and a dark shade of `base` (RGB): each channel raised by the light shift, lowered by the dark.
    void MakeShades(TColor base, TColor& light, TColor& dark) const;

private:
    friend class TLocal3DColorsStack;
    TColor dkShadow_ = cl3DDkShadow;
    TColor highlight_ = clBtnHighlight;
    TColor shadow_ = clBtnShadow;
    int darkShift_ = 60;
    int lightShift_ = 60;
    Tgl3DLocalColors* previous_ = nullptr;
};

class TLocal3DColorsStack {
public:
    void Push(Tgl3DLocalColors* colors);
    void Pop();
    void Clear();
    Tgl3DLocalColors* Head() const { return head_; }
    bool Empty() const { return head_ == nullptr; }

private:
    Tgl3DLocalColors* head_ = nullptr;
};

extern TLocal3DColorsStack Local3DColorsStack;

} // namespace zv
