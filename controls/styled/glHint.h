// The styled hint: a component that makes every hint of the program appear in TglHintWindow, a
// white box with a thin black frame, the "HELP" picture at its left and the text beside it.
#pragma once

#include <string>

#include "framework/Application.h"
#include "framework/Component.h"
#include "framework/HintWindow.h"

namespace zv {

class TglHintWindow;

// Where the hint window goes for the rectangle the application asks for: 20 pixels wider (room
// for the picture), one taller, moved fully onto a screen of the given size, never left of or
// above 0.
RECT PlaceHintWindow(const RECT& asked, int screenWidth, int screenHeight, int pictureRoom = 20);

class TglHint : public TComponent {
public:
    // Throws when `owner` already holds a TglHint.
    explicit TglHint(TComponent* owner);
    ~TglHint() override;
    const char* ClassName() const override { return "TglHint"; }

    bool Active() const { return active_; }
    void SetActive(bool v) { active_ = v; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }

    TShowHintEvent OnShowHint;
    TNotifyEvent OnHint;

    void Loaded() override;

    // The one hint component of the process, or nullptr.
    static TglHint* Instance() { return instance_; }
    // The control whose hint was shown last, and the styled window in use.
    TControl* HintControl() const { return hintControl_; }
    TglHintWindow* HintWindow() const { return hintWindow_; }
    void RegisterHintWindow(TglHintWindow* w) { hintWindow_ = w; }
    void UnregisterHintWindow(TglHintWindow* w);

private:
    void HookApplication();
    void DoShowHint(std::string& text, bool& canShow, THintInfo& info);
    void DoHint(TObject* sender);

    bool active_ = true;
    bool showHint_ = true;
    TShowHintEvent savedShowHint_;
    TNotifyEvent savedHint_;
    bool hooked_ = false;
    TControl* hintControl_ = nullptr;
    TglHintWindow* hintWindow_ = nullptr;
    static inline TglHint* instance_ = nullptr;
};

class TglHintWindow : public THintWindow {
public:
    explicit TglHintWindow(TComponent* owner);
    ~TglHintWindow() override;
    const char* ClassName() const override { return "TglHintWindow"; }

    void ActivateHint(const RECT& screenRect, const std::string& text) override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint() override;
    void ScaleMetrics() override;

private:
    // The picture at the left, scaled smoothly past 96 dpi, and the room kept for it (20 at 96 dpi).
    TBitmap help_;
    int pictureRoom_ = 20;
};

} // namespace zv
