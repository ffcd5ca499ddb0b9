#include "controls/flat/TimerSpeedButton.h"

#include "framework/Layout.h"
#include "framework/Timer.h"

namespace zv {

TTimerSpeedButton::TTimerSpeedButton(TComponent* owner) : TFlatSpeedButton(owner) {}

TTimerSpeedButton::~TTimerSpeedButton() = default;

void TTimerSpeedButton::SetFocusedArrow(bool v)
{
    if (v == focusedArrow_)
        return;
    focusedArrow_ = v;
    Invalidate();
}

void TTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TFlatSpeedButton::MouseDown(button, shift, x, y);
    if (!allowTimer_ || button != TMouseButton::mbLeft || !Enabled())
        return;
    if (!repeatTimer_) {
        repeatTimer_ = std::make_unique<TTimer>(nullptr);
        repeatTimer_->SetEnabled(false);
    }
    repeatTimer_->SetOnTimer([this](TObject*) { TimerExpired(); });
    repeatTimer_->SetInterval(kInitialRepeat);
    repeatTimer_->SetEnabled(true);
}

void TTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TFlatSpeedButton::MouseUp(button, shift, x, y);
    if (repeatTimer_)
        repeatTimer_->SetEnabled(false);
}

bool TTimerSpeedButton::HoldsCapture() const
{
    // A windowless button holds the capture through the window it sits on, while its press lasts.
    const TWinControl* parent = Parent();
    HWND h = parent ? parent->HandleIfAllocated() : nullptr;
    return Dragging() && h && ::GetCapture() == h;
}

void TTimerSpeedButton::TimerExpired()
{
    repeatTimer_->SetInterval(kRepeat);
    if (State() != TButtonState::bsDown || !HoldsCapture())
        return;
    try {
        Click();
    } catch (...) {
        // A failing click must not keep firing every 100 ms.
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TTimerSpeedButton::Paint()
{
    TFlatSpeedButton::Paint();
    if (!focusedArrow_ || !FocusCueShown())
        return;
    RECT r = ClientRect();
    ::InflateRect(&r, -2, -2);
    if (State() == TButtonState::bsDown)
        ::OffsetRect(&r, 1, 1);
    if (r.right > r.left && r.bottom > r.top)
        DrawFocusCue(Canvas().Handle(), r, InkColor(clBlack));
}

namespace {

const bool kRegistered = [] {
    RegisterClass<TTimerSpeedButton>("TTimerSpeedButton", "TFlatSpeedButton");
    return true;
}();

} // namespace
} // namespace zv
