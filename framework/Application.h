// The application object: the hidden window whose text is the task-bar title and which owns the
// forms, the forms created in order (the first is the main form), the message loop, the exception
// display, the tracking of the control under the mouse and the hints.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/AppSite.h"
#include "framework/Colors.h"
#include "framework/Component.h"

namespace zv {

class TControl;
class TWinControl;
class TForm;
class THintWindow;

struct THintInfo {
    TControl* hintControl = nullptr;
    POINT hintPos{0, 0};      // screen point of the hint window's top-left
    int hintMaxWidth = 0;
    TColor hintColor = 0;
    RECT cursorRect{0, 0, 0, 0};
    POINT cursorPos{0, 0};
};

using TShowHintEvent = std::function<void(std::string& hintText, bool& canShow, THintInfo& info)>;
using THintWindowFactory = std::function<std::unique_ptr<THintWindow>()>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;

class TApplication : public TComponent, public IApplicationSite {
public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    void Initialize();
    HWND Handle() const override { return handle_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Creates a form owned by the application; the first one created becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = nullptr;
        T* form = new T(this);
        reference = form;
        if (!mainForm_)
            mainForm_ = form;
    }
    TForm* MainForm() const override { return mainForm_; }
    void SetMainForm(TForm* f) { mainForm_ = f; }

    // Shows the main form and serves messages until Terminate().
    void Run();
    void Terminate() override;
    bool Terminated() const { return terminated_; }
    // For tests that end the program and go on: forgets an earlier Terminate().
    void CancelTerminate() { terminated_ = false; }
    // Serves every message waiting now; returns at once when none waits.
    void ProcessMessages();
    // Serves one message, waiting for it; false when WM_QUIT came.
    bool HandleMessage();

    // Shows an exception's message and goes on; tests catch it through OnException.
    void HandleException(const std::exception& e) override;
    void ShowException(const std::exception& e);
    TExceptionEvent OnException;

    // The control under the mouse; mouse enter and leave notices follow it.
    TControl* MouseControl() const override { return mouseControl_; }
    void SetMouseControl(TControl* c) override;
    void MouseLeftWindow(TWinControl* w) override;
    void ControlDestroying(TControl* c) override;

    // Hints
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnHint;
    std::string HintText() const { return currentHint_; }
    // The class of the window in which every hint appears; a component may install its own.
    void SetHintWindowClass(THintWindowFactory factory);
    const THintWindowFactory& HintWindowClass() const { return hintFactory_; }
    THintWindow* HintWindow() const { return hintWindow_.get(); }
    void ActivateHint(POINT cursorPos);
    void CancelHint() override;
    bool HintShowing() const;

    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK AppWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    void HintTimerExpired();
    void HideTimerExpired();
    void StartHintTimer(int ms);
    void StopHintTimer();

    HWND handle_ = nullptr;
    std::string title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool running_ = false;
    TControl* mouseControl_ = nullptr;
    TControl* hintControl_ = nullptr;
    bool showHint_ = true;
    bool hintActive_ = false;
    std::string currentHint_;
    THintWindowFactory hintFactory_;
    std::unique_ptr<THintWindow> hintWindow_;
};

extern TApplication* Application;

// The window handle of the application's main form (the owner of shell launches).
HWND MainWindowHandle();

} // namespace zv
