// Two repeating arrow buttons side by side in a small window: up at x = 0, down at x = 10, each 11
// pixels wide (they share one column) and as high as the control. Clicks go to OnUpClick / OnDownClick;
// a press hands the keyboard focus to the focus control (the edit the arrows serve), if any.
#pragma once

#include "controls/flat/TimerSpeedButton.h"
#include "framework/Controls.h"

namespace zv {

class TSpinButton : public TWinControl {
public:
    explicit TSpinButton(TComponent* owner);
    const char* ClassName() const override { return "TSpinButton"; }

    // At 96 dpi; the arrows' widths and places follow the dpi (ArrowWidth(), DownLeft()).
    static constexpr int kArrowWidth = 11;
    static constexpr int kDownLeft = 10;
    int ArrowWidth() const { return arrowWidth_; }
    int DownLeft() const { return downLeft_; }

    TTimerSpeedButton* UpButton() const { return upButton_; }
    TTimerSpeedButton* DownButton() const { return downButton_; }
    TTimerSpeedButton* FocusedButton() const { return focusedButton_; }

    // The glyphs; an empty bitmap puts back the built-in arrow ("FlatUp" / "FlatDown").
    TBitmap& UpGlyph() { return upButton_->Glyph(); }
    void SetUpGlyph(const TBitmap* bitmap);
    TNumGlyphs UpNumGlyphs() const { return upButton_->NumGlyphs(); }
    void SetUpNumGlyphs(int n) { upButton_->SetNumGlyphs(n); }
    TBitmap& DownGlyph() { return downButton_->Glyph(); }
    void SetDownGlyph(const TBitmap* bitmap);
    TNumGlyphs DownNumGlyphs() const { return downButton_->NumGlyphs(); }
    void SetDownNumGlyphs(int n) { downButton_->SetNumGlyphs(n); }

    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* c);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    void KeyDown(WORD& key, TShiftState shift) override;
    bool WantsKey(WORD key) override;
    void FocusGained() override;
    void FocusLost() override;
    void BoundsChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // A spin button named after the field it steps, whose two arrows are read as "Sus" and "Jos".
    long AccRole() const override;
    std::string AccName() const override;
    std::string AccChildName(const TControl* child) const override;

private:
    TTimerSpeedButton* CreateArrow();
    void ArrowClick(TObject* sender);
    void ArrowPress(TObject* sender, TMouseButton button);
    void SetFocusBtn(TTimerSpeedButton* arrow);
    void PlaceArrows();
    void ScaleMetrics() override;
    // The built-in arrow, from its resource at 96 dpi, drawn at the size elsewhere.
    void BuiltInArrow(TTimerSpeedButton* button, bool up);

    TTimerSpeedButton* upButton_ = nullptr;
    TTimerSpeedButton* downButton_ = nullptr;
    TTimerSpeedButton* focusedButton_ = nullptr;
    TWinControl* focusControl_ = nullptr;
    int arrowWidth_ = kArrowWidth;
    int downLeft_ = kDownLeft;
    bool builtInUp_ = true;
    bool builtInDown_ = true;
};

// The built-in 5 x 5 spin arrow drawn at `dpi`: the ground in olive (the transparent colour), a black
// triangle of odd row widths from 1 to the full width on the rows that the arrow's rows 1 to 3 scale
// to; pointing up or down. At 96 dpi it is the arrow of the resources, pixel for pixel.
void DrawArrowGlyph(TBitmap& bitmap, int dpi, bool up);

} // namespace zv
