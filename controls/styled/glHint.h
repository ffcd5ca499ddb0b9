// The styled hint component. For now it holds its switches; hints appear in the framework's window.
#pragma once

#include "framework/Component.h"

namespace zv {

class TglHint : public TComponent {
public:
    explicit TglHint(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TglHint"; }

    bool Active() const { return active_; }
    void SetActive(bool v) { active_ = v; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }

private:
    bool active_ = true;
    bool showHint_ = true;
};

} // namespace zv
