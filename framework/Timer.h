// A window-system timer served by the message loop.
#pragma once

#include <windows.h>

#include "framework/Component.h"

namespace zv {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }

    UINT Interval() const { return interval_; }
    void SetInterval(UINT ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    void SetOnTimer(TNotifyEvent handler);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    // One tick, as the message loop delivers it.
    virtual void Timer();
    bool Running() const { return id_ != 0; }
    void Loaded() override;

private:
    void UpdateTimer();
    UINT interval_ = 1000;
    bool enabled_ = true;
    TNotifyEvent onTimer_;
    UINT_PTR id_ = 0;
};

} // namespace zv
