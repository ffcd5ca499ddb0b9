#include "framework/Forms.h"

#include <exception>

#include "framework/AppSite.h"
#include "framework/Clock.h"
#include "framework/Dpi.h"
#include "framework/Layout.h"
#include "framework/Menus.h"

namespace zv {

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm()
{
    if (OnDestroy)
        OnDestroy(this);
}

void TForm::SetBorderStyle(TBorderStyle s)
{
    if (s == borderStyle_)
        return;
    borderStyle_ = s;
    RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == borderIcons_)
        return;
    borderIcons_ = icons;
    RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle s)
{
    if (s == formStyle_)
        return;
    formStyle_ = s;
    if (HWND h = HandleIfAllocated())
        ::SetWindowPos(h, s == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetClientWidth(int w)
{
    clientWidth_ = w;
    if (clientHeight_ < 0)
        clientHeight_ = Height();
    designClientWidth_ = ::MulDiv(clientWidth_, kDesignDpi, Dpi());
    designClientHeight_ = ::MulDiv(clientHeight_, kDesignDpi, Dpi());
    ApplyClientSize();
}

void TForm::SetClientHeight(int h)
{
    clientHeight_ = h;
    if (clientWidth_ < 0)
        clientWidth_ = Width();
    designClientWidth_ = ::MulDiv(clientWidth_, kDesignDpi, Dpi());
    designClientHeight_ = ::MulDiv(clientHeight_, kDesignDpi, Dpi());
    ApplyClientSize();
}

void TForm::ScaleBounds(const RECT& d)
{
    // A form is placed from its layout only before its window exists; after that it stays where the
    // user (or Windows, moving it to another screen) put it.
    if (!HandleAllocated())
        SetBounds(ScaleForDpi(d.left, Dpi()), ScaleForDpi(d.top, Dpi()), Width(), Height());
    if (designClientWidth_ < 0) {
        // A layout that gives the window's size gives its client area with the frame at 96 dpi
        // around it: the client area is what scales, the frame is the system's at the new dpi.
        TCreateParams p;
        CreateParams(p);
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectForDpi(frame, p.style, menu_ != nullptr, p.exStyle, kDesignDpi);
        designClientWidth_ = d.right - (frame.right - frame.left);
        designClientHeight_ = d.bottom - (frame.bottom - frame.top);
    }
    clientWidth_ = ScaleForDpi(designClientWidth_, Dpi());
    clientHeight_ = ScaleForDpi(designClientHeight_, Dpi());
    ApplyClientSize();
}

void TForm::DpiChanged(int dpi, const RECT& suggested)
{
    // learn.microsoft.com, WM_DPICHANGED: the window should take the suggested rectangle, which keeps
    // it on the monitor it was moved to. Its client size then comes from the layout at the new dpi.
    ScaleToDpi(dpi);
    if (HWND h = HandleIfAllocated()) {
        ::SetWindowPos(h, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyClientSize();
    }
}

RECT TForm::ClientRect() const
{
    if (HandleIfAllocated())
        return TWinControl::ClientRect();
    if (clientWidth_ >= 0)
        return RECT{0, 0, clientWidth_, clientHeight_};
    return TWinControl::ClientRect();
}

void TForm::ApplyClientSize()
{
    HWND h = HandleIfAllocated();
    if (!h || clientWidth_ < 0)
        return;
    RECT r{0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectForDpi(r, static_cast<DWORD>(::GetWindowLongA(h, GWL_STYLE)), ::GetMenu(h) != nullptr,
                           static_cast<DWORD>(::GetWindowLongA(h, GWL_EXSTYLE)), Dpi());
    ::SetWindowPos(h, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps takes more room than one line, and a frame may be drawn for another dpi
    // than the one asked for: measure again.
    RECT cr;
    ::GetClientRect(h, &cr);
    if ((cr.bottom != clientHeight_ && cr.bottom > 0) || (cr.right != clientWidth_ && cr.right > 0)) {
        RECT wr;
        ::GetWindowRect(h, &wr);
        const int dw = cr.right > 0 ? clientWidth_ - cr.right : 0;
        const int dh = cr.bottom > 0 ? clientHeight_ - cr.bottom : 0;
        ::SetWindowPos(h, nullptr, 0, 0, wr.right - wr.left + dw, wr.bottom - wr.top + dh,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TForm::SetMenu(TMainMenu* menu)
{
    if (menu_)
        RemoveFreeNotification(menu_);
    menu_ = menu;
    if (menu_)
        FreeNotification(menu_);
    if (HWND h = HandleIfAllocated()) {
        ::SetMenu(h, menu_ ? menu_->Handle() : nullptr);
        ApplyClientSize();
    }
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove) {
        if (component == menu_)
            menu_ = nullptr;
        if (component == activeControl_)
            activeControl_ = nullptr;
    }
}

void TForm::SetActiveControl(TWinControl* c)
{
    if (c && c->CanFocus() && HandleIfAllocated())
        c->SetFocus();
    else
        FocusControlChanged(c);
}

void TForm::FocusControlChanged(TWinControl* c)
{
    if (c == this || c == activeControl_)
        return;
    TWinControl* old = activeControl_;
    if (old)
        RemoveFreeNotification(old);
    activeControl_ = c;
    if (c)
        FreeNotification(c);
    if (old)
        old->DoExit();
    if (c)
        c->DoEnter();
}

void TForm::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.exStyle = 0;
    switch (borderStyle_) {
    case TBorderStyle::bsNone: p.style |= WS_POPUP; break;
    case TBorderStyle::bsSingle: p.style |= WS_CAPTION | WS_BORDER; break;
    case TBorderStyle::bsSizeable: p.style |= WS_CAPTION | WS_THICKFRAME; break;
    case TBorderStyle::bsDialog:
        p.style |= WS_POPUP | WS_CAPTION;
        p.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case TBorderStyle::bsToolWindow: p.style |= WS_CAPTION; p.exStyle |= WS_EX_TOOLWINDOW; break;
    case TBorderStyle::bsSizeToolWin: p.style |= WS_CAPTION | WS_THICKFRAME; p.exStyle |= WS_EX_TOOLWINDOW; break;
    }
    if (borderStyle_ != TBorderStyle::bsNone) {
        if (borderIcons_ & biSystemMenu) {
            p.style |= WS_SYSMENU;
            if (borderStyle_ != TBorderStyle::bsDialog && borderStyle_ != TBorderStyle::bsToolWindow &&
                borderStyle_ != TBorderStyle::bsSizeToolWin) {
                if (borderIcons_ & biMinimize)
                    p.style |= WS_MINIMIZEBOX;
                if (borderIcons_ & biMaximize)
                    p.style |= WS_MAXIMIZEBOX;
            }
            // The window system shows the help button only without minimise and maximise buttons.
            if ((borderIcons_ & biHelp) && !(p.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
                p.exStyle |= WS_EX_CONTEXTHELP;
        }
    }
    if (formStyle_ == TFormStyle::fsStayOnTop)
        p.exStyle |= WS_EX_TOPMOST;
    if (!Enabled())
        p.style |= WS_DISABLED;
    p.parent = AppSite() ? AppSite()->Handle() : nullptr;
    if (position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter) {
        RECT wa;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
        p.x = wa.left + (wa.right - wa.left - p.width) / 2;
        p.y = wa.top + (wa.bottom - wa.top - p.height) / 2;
    }
}

void TForm::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND h = HandleIfAllocated();
    if (menu_)
        ::SetMenu(h, menu_->Handle());
    ApplyClientSize();
    if (formStyle_ == TFormStyle::fsStayOnTop)
        ::SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::HandleCreated() {}

void TForm::SetVisible(bool v)
{
    if (v && !HandleAllocated())
        CreateHandle();
    TWinControl::SetVisible(v);
}

void TForm::VisibleChanged()
{
    HWND h = HandleIfAllocated();
    if (Visible()) {
        if (h) {
            // Each showing starts as a dialog does: focus cues and access keys shown after keyboard
            // input, hidden after the mouse.
            ::SendMessageA(h, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
            ::ShowWindow(h, SW_SHOWNORMAL);
            ::SetWindowPos(h, formStyle_ == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE);
        }
        if (OnShow)
            OnShow(this);
    } else {
        if (h) {
            if (auto* app = AppSite())
                app->CancelHint();
            ::ShowWindow(h, SW_HIDE);
        }
        if (OnHide)
            OnHide(this);
    }
}

void TForm::ShowForm()
{
    if (!Visible())
        SetVisible(true);
    else if (HWND h = HandleIfAllocated())
        ::SetForegroundWindow(h);
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TForm::Close()
{
    if (closing_)
        return;
    closing_ = true;
    IApplicationSite* app = AppSite();
    const bool isMain = app && app->MainForm() == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    // A handler that fails part-way has still decided: its action is carried out before the
    // error is shown.
    std::exception_ptr failure;
    try {
        DoClose(action);
    } catch (...) {
        failure = std::current_exception();
    }
    closing_ = false;
    switch (action) {
    case TCloseAction::caNone: break;
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize:
        if (HWND h = HandleIfAllocated())
            ::ShowWindow(h, SW_MINIMIZE);
        break;
    case TCloseAction::caFree:
        // Forms live as long as the application; closing the main form ends it.
        Hide();
        if (isMain)
            app->Terminate();
        break;
    }
    if (failure)
        std::rethrow_exception(failure);
}

bool TForm::DialogKey(WORD key, TShiftState shift)
{
    switch (key) {
    case VK_TAB:
        if (shift & (ssCtrl | ssAlt))
            return false;
        SelectNext(activeControl_, (shift & ssShift) == 0, true);
        return true;
    case VK_RETURN:
    case VK_ESCAPE: {
        if (key == VK_RETURN && activeControl_ && activeControl_->IsPushButton() && activeControl_->Focused()) {
            activeControl_->Click();
            return true;
        }
        std::vector<TWinControl*> list;
        GetTabOrderList(list);
        for (TWinControl* c : list) {
            const bool match = key == VK_RETURN ? c->IsDefaultButton() : c->IsCancelButton();
            if (match && c->IsShowingAndEnabled()) {
                c->Click();
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

TWinControl* TForm::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int n = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[static_cast<size_t>(i)] == current)
            start = i;
    if (start < 0)
        start = forward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = forward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current)
            continue;
        if ((!checkTabStop || c->TabStop()) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* c = FindNextControl(current, forward, checkTabStop))
        c->SetFocus();
}

namespace {
bool DialogCharIn(TWinControl* w, char ch)
{
    for (int i = 0; i < w->ControlCount(); ++i) {
        TControl* c = w->Controls(i);
        if (!c->Visible())
            continue;
        if (c->DialogChar(ch))
            return true;
        if (c->IsWindowed() && DialogCharIn(static_cast<TWinControl*>(c), ch))
            return true;
    }
    return false;
}
} // namespace

bool TForm::BroadcastDialogChar(char ch) { return DialogCharIn(this, ch); }

void TForm::ReadLayout(const char* name) { ReadComponentLayoutResource(this, name); }

void TForm::FinishCreate()
{
    // Scaled for the system's dpi before the window exists, then for its monitor's once it does.
    ScaleToDpi(SystemDpi());
    CreateHandle();
    ScaleToDpi(WindowDpi(HandleIfAllocated()));
    if (OnCreate)
        OnCreate(this);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    // Every window of the program lets the session end without a question; the close handlers,
    // which ask and save, are not run.
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (auto* app = AppSite(); wParam && app)
            app->EndSession();
        return 0;
    case WM_POWERBROADCAST:
        NotePowerBroadcast(wParam);
        return TRUE;
    case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (activeControl_ && activeControl_->CanFocus())
                ::SetFocus(activeControl_->Handle());
            else if (TWinControl* first = FindNextControl(nullptr, true, true))
                first->SetFocus();
            else
                ::SetFocus(HandleIfAllocated());
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (activeControl_ && activeControl_->CanFocus() && activeControl_ != this) {
            ::SetFocus(activeControl_->Handle());
            return 0;
        }
        break;
    case WM_DPICHANGED:
        DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SHOWWINDOW:
        // The window system hides owned windows when the owner is minimised; keep our flag honest
        // only for our own show and hide calls.
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

} // namespace zv
