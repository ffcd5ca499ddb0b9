#include "framework/Timer.h"

#include <map>

#include "framework/AppSite.h"

namespace zv {

namespace {
std::map<UINT_PTR, TTimer*>& Timers()
{
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}

UINT_PTR g_nextTimerId = 1;

LRESULT CALLBACK TimerWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER) {
        auto it = Timers().find(wParam);
        if (it != Timers().end()) {
            try {
                it->second->Timer();
            } catch (const std::exception& e) {
                if (auto* app = AppSite())
                    app->HandleException(e);
            }
        }
        return 0;
    }
    return ::DefWindowProcA(h, msg, wParam, lParam);
}

// One message-only window serves every timer of the process.
HWND TimerWindow()
{
    static HWND h = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TimerWndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZvTimerWindow";
        ::RegisterClassExA(&wc);
        return ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return h;
}
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer()
{
    if (id_) {
        ::KillTimer(TimerWindow(), id_);
        Timers().erase(id_);
    }
}

void TTimer::UpdateTimer()
{
    if (id_) {
        ::KillTimer(TimerWindow(), id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (IsLoading() || !enabled_ || interval_ == 0 || !onTimer_)
        return;
    const UINT_PTR id = g_nextTimerId++;
    if (::SetTimer(TimerWindow(), id, interval_, nullptr)) {
        id_ = id;
        Timers()[id] = this;
    }
}

void TTimer::SetInterval(UINT ms)
{
    if (ms != interval_) {
        interval_ = ms;
        UpdateTimer();
    }
}

void TTimer::SetEnabled(bool v)
{
    if (v != enabled_) {
        enabled_ = v;
        UpdateTimer();
    }
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::Timer()
{
    if (onTimer_)
        onTimer_(this);
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

} // namespace zv
