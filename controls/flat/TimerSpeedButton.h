// A flat speed button that repeats its click while held: once after 400 ms, then every 100 ms, as long
// as it is pressed down under the pointer and holds the mouse capture.
#pragma once

#include <memory>

#include "controls/flat/FlatSpeedButton.h"

namespace zv {

class TTimer;

class TTimerSpeedButton : public TFlatSpeedButton {
public:
    explicit TTimerSpeedButton(TComponent* owner);
    ~TTimerSpeedButton() override;
    const char* ClassName() const override { return "TTimerSpeedButton"; }

    static constexpr UINT kInitialRepeat = 400;
    static constexpr UINT kRepeat = 100;

    bool AllowTimer() const { return allowTimer_; }
    void SetAllowTimer(bool v) { allowTimer_ = v; }
    // Set while the spin button holding this arrow has the focus and this is its focused arrow.
    bool FocusedArrow() const { return focusedArrow_; }
    void SetFocusedArrow(bool v);
    // The repeat timer: null until the first press.
    TTimer* RepeatTimer() const { return repeatTimer_.get(); }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint() override;

private:
    void TimerExpired();
    bool HoldsCapture() const;

    std::unique_ptr<TTimer> repeatTimer_;
    bool allowTimer_ = false;
    bool focusedArrow_ = false;
};

} // namespace zv
