// The shadow control: a windowless decoration that draws a dithered drop shadow and a bevel frame,
// and can hold another control (typically an edit) inside the frame, recolouring it as it gains
// and loses the focus.
#pragma once

#include <memory>

#include "controls/styled/gl3DLocalColors.h"
#include "controls/styled/glRecords.h"
#include "controls/styled/glTypes.h"
#include "framework/Controls.h"

namespace zv {

// The default shadow pattern: 8 x 8, white with black pixels where x + y is even.
void MakeShadowPattern(TBitmap& pattern);

class TglShadow : public TGraphicControl {
public:
    explicit TglShadow(TComponent* owner);
    ~TglShadow() override;
    const char* ClassName() const override { return "TglShadow"; }

    TControl* Control() const { return control_; }
    void SetControl(TControl* c);
    TglTextBoxStyle& Style() { return *style_; }
    TglTextBoxStyle& StyleActive() { return *styleActive_; }
    bool DigitsOnly() const { return digitsOnly_; }
    void SetDigitsOnly(bool v) { digitsOnly_ = v; }
    bool Shadowed() const { return shadowed_; }
    void SetShadowed(bool v);
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int v);
    // Reading creates an empty bitmap when there is none; setting copies the given one.
    TBitmap& ShadowImage();
    void SetShadowImage(const TBitmap& b);
    bool UserImage() const { return userImage_; }
    TglAutoTransparentColor AutoTransparentColor() const { return autoTransparentColor_; }
    void SetAutoTransparentColor(TglAutoTransparentColor v);
    bool TransparentShadow() const { return transparentShadow_; }
    void SetTransparentShadow(bool v);
    bool MaskedShadow() const { return maskedShadow_; }
    void SetMaskedShadow(bool v);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor c);
    TColor MaskedFromColor() const { return maskedFromColor_; }
    void SetMaskedFromColor(TColor c);
    TColor MaskedToColor() const { return maskedToColor_; }
    void SetMaskedToColor(TColor c);

    // The shadow bitmap of the last rebuild (empty before the first).
    const TBitmap& ShadowBitmap() const { return shadowBitmap_; }
    bool RebuildNeeded() const { return rebuildNeeded_; }

    TNotifyEvent AfterPaint;
    TNotifyEvent OnControlEnter;
    TNotifyEvent OnControlExit;

    void SetParent(TWinControl* parent) override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void ScaleMetrics() override;

private:
    void MakeDefaultPattern();
    void RebuildShadow(const RECT& shadowRect);
    void ControlEnter(TObject* sender);
    void ControlExit(TObject* sender);
    void Recolor(TglTextBoxStyle& style);
    bool ControlFocused() const;

    TControl* control_ = nullptr;
    bool hookedFocus_ = false;
    std::unique_ptr<TglTextBoxStyle> style_;
    std::unique_ptr<TglTextBoxStyle> styleActive_;
    std::unique_ptr<Tgl3DLocalColors> localColors_;
    bool digitsOnly_ = false;
    bool shadowed_ = true;
    int shadowDepth_ = 6;
    int depth_ = 6;     // ShadowDepth at the control's dpi
    int lineWidth_ = 1; // the frame's bevel lines at the control's dpi
    std::unique_ptr<TBitmap> pattern_;
    TBitmap shadowBitmap_;
    bool userImage_ = false;
    bool rebuildNeeded_ = true;
    TglAutoTransparentColor autoTransparentColor_ = TglAutoTransparentColor::ftcRightTopPixel;
    bool transparentShadow_ = true;
    bool maskedShadow_ = false;
    TColor transparentColor_ = clOlive;
    TColor maskedFromColor_ = clOlive;
    TColor maskedToColor_ = clBtnFace;
};

} // namespace zv
