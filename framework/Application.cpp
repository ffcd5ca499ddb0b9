#include "framework/Application.h"

#include "framework/Clock.h"
#include "framework/CommonControls.h"
#include "framework/Forms.h"
#include "framework/HintWindow.h"

namespace zv {

TApplication* Application = nullptr;

namespace {
const char kAppClass[] = "ZvApplication";
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
} // namespace

HWND MainWindowHandle()
{
    if (Application && Application->MainForm())
        return Application->MainForm()->HandleIfAllocated();
    return nullptr;
}

TApplication::TApplication() : TComponent(nullptr), HintColor(clInfoBk)
{
    Application = this;
    SetAppSite(this);
    hintFactory_ = [] { return std::make_unique<THintWindow>(nullptr); };
}

TApplication::~TApplication()
{
    SetDestroyingState();
    hintWindow_.reset();
    // Forms go while the application window still owns them.
    while (ComponentCount() > 0)
        delete Component(ComponentCount() - 1);
    if (handle_)
        ::DestroyWindow(handle_);
    if (Application == this)
        Application = nullptr;
    if (AppSite() == this)
        SetAppSite(nullptr);
}

LRESULT CALLBACK TApplication::AppWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* app = reinterpret_cast<TApplication*>(::GetWindowLongPtrA(h, GWLP_USERDATA));
    if (app) {
        try {
            switch (msg) {
            case WM_TIMER:
                if (wParam == kHintShowTimer)
                    app->HintTimerExpired();
                else if (wParam == kHintHideTimer)
                    app->HideTimerExpired();
                return 0;
            case WM_CLOSE:
                if (app->mainForm_)
                    app->mainForm_->Close();
                return 0;
            case WM_QUERYENDSESSION:
                return TRUE;
            case WM_ENDSESSION:
                if (wParam)
                    app->EndSession();
                return 0;
            // Unowned, this window gets the system's power notices even where the hidden forms it
            // owns might not.
            case WM_POWERBROADCAST:
                NotePowerBroadcast(wParam);
                return TRUE;
            default:
                break;
            }
        } catch (const std::exception& e) {
            app->HandleException(e);
            return 0;
        }
    }
    return ::DefWindowProcA(h, msg, wParam, lParam);
}

void TApplication::Initialize()
{
    InitCommonControlClasses(ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES);
    if (handle_)
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(wc.hInstance, "MAINICON");
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kAppClass;
    ::RegisterClassExA(&wc);
    // A window of no size: its only purpose is the task-bar button and owning the forms.
    handle_ = ::CreateWindowExA(0, kAppClass, title_.c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    if (handle_)
        ::SetWindowTextA(handle_, title.c_str());
}

void TApplication::Run()
{
    running_ = true;
    // The application window has no size; shown, it is the task-bar button that carries the title.
    if (handle_) {
        ::SetWindowPos(handle_, nullptr, ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(handle_, SW_SHOWNA);
    }
    if (mainForm_)
        mainForm_->ShowForm();
    while (!terminated_ && HandleMessage()) {
    }
    running_ = false;
}

void TApplication::Terminate()
{
    if (!terminated_) {
        terminated_ = true;
        // Wakes the loop without a quit message, so that a message box shown by the handler that
        // ends the program (a failed save, say) still stays up until it is answered.
        if (handle_)
            ::PostMessageA(handle_, WM_NULL, 0, 0);
        else
            ::PostQuitMessage(0);
    }
}

void TApplication::EndSession()
{
    sessionEnded_ = true;
    Terminate();
}

bool TApplication::HandleMessage()
{
    MSG m;
    const BOOL r = ::GetMessageA(&m, nullptr, 0, 0);
    if (r == 0 || r == -1) {
        terminated_ = true;
        return false;
    }
    ::TranslateMessage(&m);
    ::DispatchMessageA(&m);
    return true;
}

void TApplication::ProcessMessages()
{
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
}

void TApplication::HandleException(const std::exception& e)
{
    if (OnException)
        OnException(this, e);
    else
        ShowException(e);
}

void TApplication::ShowException(const std::exception& e)
{
    // The message exactly as raised, under the application's title.
    HWND owner = MainWindowHandle();
    ::MessageBoxA(owner, e.what(), title_.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

// ---- mouse tracking

void TApplication::SetMouseControl(TControl* c)
{
    if (c == mouseControl_)
        return;
    TControl* old = mouseControl_;
    mouseControl_ = c;
    if (old) {
        old->SetMouseInControl(false);
        old->MouseLeave();
    }
    if (c) {
        c->SetMouseInControl(true);
        c->MouseEnter();
    }
    // A hint follows the control under the pointer.
    if (hintControl_ && hintControl_ != c) {
        const bool wasShowing = HintShowing();
        CancelHint();
        if (c && showHint_ && wasShowing && !c->Hint().empty() && c->EffectiveShowHint()) {
            hintControl_ = c;
            StartHintTimer(HintShortPause);
            return;
        }
    }
    if (c && !hintControl_ && showHint_ && !c->Hint().empty() && c->EffectiveShowHint()) {
        hintControl_ = c;
        StartHintTimer(HintPause);
    } else if (!c) {
        CancelHint();
    }
}

void TApplication::MouseLeftWindow(TWinControl* w)
{
    // The pointer left this window; if it went to another of our windows, that window's own move
    // message names the new control.
    POINT p;
    ::GetCursorPos(&p);
    HWND under = ::WindowFromPoint(p);
    if (under && TWinControl::FromHandle(under) && under != w->HandleIfAllocated())
        return;
    if (under == w->HandleIfAllocated())
        return;
    if (mouseControl_ == w || (mouseControl_ && !mouseControl_->IsWindowed() && mouseControl_->Parent() == w))
        SetMouseControl(nullptr);
}

void TApplication::ControlDestroying(TControl* c)
{
    if (hintControl_ == c) {
        hintControl_ = nullptr;
        CancelHint();
    }
    if (mouseControl_ == c)
        mouseControl_ = nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == mainForm_)
        mainForm_ = nullptr;
}

// ---- hints

void TApplication::SetShowHint(bool v)
{
    showHint_ = v;
    if (!v)
        CancelHint();
}

void TApplication::SetHintWindowClass(THintWindowFactory factory)
{
    CancelHint();
    hintFactory_ = factory ? std::move(factory) : THintWindowFactory([] { return std::make_unique<THintWindow>(nullptr); });
    hintWindow_.reset();
}

void TApplication::StartHintTimer(int ms)
{
    if (handle_)
        ::SetTimer(handle_, kHintShowTimer, static_cast<UINT>(ms > 0 ? ms : 1), nullptr);
}

void TApplication::StopHintTimer()
{
    if (handle_) {
        ::KillTimer(handle_, kHintShowTimer);
        ::KillTimer(handle_, kHintHideTimer);
    }
}

bool TApplication::HintShowing() const { return hintActive_ && hintWindow_ && hintWindow_->Showing(); }

void TApplication::CancelHint()
{
    StopHintTimer();
    if (hintWindow_)
        hintWindow_->ReleaseHint();
    hintActive_ = false;
    hintControl_ = nullptr;
    currentHint_.clear();
}

void TApplication::HintTimerExpired()
{
    if (handle_)
        ::KillTimer(handle_, kHintShowTimer);
    POINT p;
    ::GetCursorPos(&p);
    ActivateHint(p);
}

void TApplication::HideTimerExpired()
{
    TControl* keep = hintControl_;
    CancelHint();
    // Stays quiet until the pointer moves to another control.
    hintControl_ = keep;
}

void TApplication::ActivateHint(POINT cursorPos)
{
    TControl* c = hintControl_ ? hintControl_ : mouseControl_;
    if (!c || !showHint_ || c->Hint().empty() || !c->EffectiveShowHint())
        return;
    std::string text = c->Hint();
    // A hint "first|second" shows the first part; the second is the status-bar text.
    if (auto bar = text.find('|'); bar != std::string::npos)
        text = text.substr(0, bar);
    THintInfo info;
    info.hintControl = c;
    info.cursorPos = cursorPos;
    info.hintPos = POINT{cursorPos.x, cursorPos.y + c->Scaled(20)};
    info.hintMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    info.hintColor = HintColor;
    RECT cr{0, 0, c->Width(), c->Height()};
    POINT o = c->ClientToScreen(POINT{0, 0});
    ::OffsetRect(&cr, o.x, o.y);
    info.cursorRect = cr;
    bool canShow = true;
    if (OnShowHint)
        OnShowHint(text, canShow, info);
    currentHint_ = text;
    if (OnHint)
        OnHint(this);
    if (!canShow || text.empty())
        return;
    if (!hintWindow_)
        hintWindow_ = hintFactory_();
    hintWindow_->SetColor(info.hintColor);
    // The hint comes at the size of the window it explains.
    hintWindow_->ScaleToDpi(c->Dpi());
    RECT r = hintWindow_->CalcHintRect(info.hintMaxWidth, text);
    ::OffsetRect(&r, info.hintPos.x, info.hintPos.y);
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    if (r.right > sw)
        ::OffsetRect(&r, sw - r.right, 0);
    if (r.bottom > sh)
        ::OffsetRect(&r, 0, -(r.bottom - r.top) - c->Scaled(24));
    if (r.left < 0)
        ::OffsetRect(&r, -r.left, 0);
    hintWindow_->ActivateHint(r, text);
    hintActive_ = true;
    hintControl_ = c;
    if (handle_ && HintHidePause > 0)
        ::SetTimer(handle_, kHintHideTimer, static_cast<UINT>(HintHidePause), nullptr);
}

} // namespace zv
