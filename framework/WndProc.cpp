// The one window procedure of the framework's windows: it finds the control of the window and decodes
// each message into the control's typed hooks, ending in one default fallback.
#include "framework/Controls.h"

#include <windowsx.h>

#include <exception>

#include "framework/Accessible.h"
#include "framework/AppSite.h"
#include "framework/Forms.h"
#include "framework/HandleTable.h"

namespace zv {

namespace {
const char kWindowClass[] = "ZvWindow";
// Whether the last input the program's windows took came from the keyboard: what UIS_INITIALIZE
// decides by.
bool lastInputKeyboard = false;
}

LRESULT CALLBACK FrameworkWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* c = TWinControl::FromHandle(h);
    if (!c && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        c = static_cast<TWinControl*>(cs->lpCreateParams);
        if (c) {
            c->handle_ = h;
            BindHandle(h, c);
        }
    }
    if (!c)
        return ::DefWindowProcA(h, msg, wParam, lParam);
    try {
        return c->WndProc(msg, wParam, lParam);
    } catch (const std::exception& e) {
        if (auto* app = AppSite())
            app->HandleException(e);
        return 0;
    }
}

const char* FrameworkWindowClass()
{
    static bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = FrameworkWndProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = ::LoadIconA(ModuleInstance(), "MAINICON");
        wc.lpszClassName = kWindowClass;
        return ::RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    return kWindowClass;
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (oldProc_)
        return ::CallWindowProcA(oldProc_, handle_, msg, wParam, lParam);
    return ::DefWindowProcA(handle_, msg, wParam, lParam);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(Handle(), msg, wParam, lParam);
}

LRESULT TWinControl::HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = false;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const TShiftState shift = KeysToShiftState(wParam);
    if (msg == WM_MOUSEMOVE && !trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
        trackingLeave_ = ::TrackMouseEvent(&tme) != 0;
    }
    TControl* target = captureControl_ ? captureControl_ : ControlAtPos(p, false);
    TMouseButton button = TMouseButton::mbLeft;
    bool down = false, up = false, dbl = false;
    switch (msg) {
    case WM_LBUTTONDOWN: down = true; break;
    case WM_LBUTTONDBLCLK: down = dbl = true; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: down = true; button = TMouseButton::mbRight; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: down = true; button = TMouseButton::mbMiddle; break;
    case WM_LBUTTONUP: up = true; break;
    case WM_RBUTTONUP: up = true; button = TMouseButton::mbRight; break;
    case WM_MBUTTONUP: up = true; button = TMouseButton::mbMiddle; break;
    default: break;
    }
    if (down || up) {
        if (auto* app = AppSite())
            app->CancelHint();
    }
    if (target) {
        POINT o{target->Left(), target->Top()};
        const int x = p.x - o.x, y = p.y - o.y;
        if (msg == WM_MOUSEMOVE) {
            if (auto* app = AppSite())
                app->SetMouseControl(target);
            target->MouseMove(shift, x, y);
        } else if (down) {
            if (button == TMouseButton::mbLeft) {
                captureControl_ = target;
                ::SetCapture(handle_);
            }
            if (dbl)
                target->DblClick();
            target->MouseDown(button, shift, x, y);
        } else if (up) {
            if (button == TMouseButton::mbLeft && captureControl_) {
                captureControl_ = nullptr;
                if (::GetCapture() == handle_)
                    ::ReleaseCapture();
            }
            target->MouseUp(button, shift, x, y);
        }
        handled = true;
        return 0;
    }
    if (msg == WM_MOUSEMOVE) {
        if (auto* app = AppSite())
            app->SetMouseControl(this);
        MouseMove(shift, p.x, p.y);
    } else if (down) {
        if (!oldProc_ && button == TMouseButton::mbLeft)
            ::SetCapture(handle_);
        if (dbl)
            DblClick();
        MouseDown(button, shift, p.x, p.y);
    } else if (up) {
        if (!oldProc_ && button == TMouseButton::mbLeft && ::GetCapture() == handle_)
            ::ReleaseCapture();
        MouseUp(button, shift, p.x, p.y);
    }
    return 0;
}

// The UI state is kept here rather than left to DefWindowProc, which not every system keeps (Wine
// answers 0 whatever it is told), so that the self-painted controls hide and show their focus cues the
// same everywhere. Native controls among them still get WM_UPDATEUISTATE for their own cues.
LRESULT TWinControl::UIStateMessage(UINT msg, WPARAM wParam)
{
    TWinControl* top = this;
    while (top->Parent())
        top = top->Parent();
    if (msg == WM_QUERYUISTATE)
        return top->uiState_;
    WORD action = LOWORD(wParam);
    const WORD flags = HIWORD(wParam) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
    if (action == UIS_INITIALIZE) {
        // Shown after the keyboard was used, or for a user who keeps the cues on: shown; else hidden.
        BOOL cues = FALSE;
        ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
        action = lastInputKeyboard || cues ? UIS_CLEAR : UIS_SET;
    }
    if (action != UIS_SET && action != UIS_CLEAR)
        return 0;
    const WORD next = action == UIS_SET ? (top->uiState_ | flags) : (top->uiState_ & ~flags);
    if (msg == WM_CHANGEUISTATE) {
        if (next != top->uiState_ && top->HandleAllocated())
            ::SendMessageA(top->handle_, WM_UPDATEUISTATE, MAKEWPARAM(action, flags), 0);
        return 0;
    }
    if (this == top) {
        if (next == uiState_)
            return 0;
        uiState_ = next;
    }
    Invalidate();
    if (oldProc_)
        return DefaultHandler(WM_UPDATEUISTATE, MAKEWPARAM(action, flags), 0);
    for (HWND c = ::GetWindow(handle_, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        ::SendMessageA(c, WM_UPDATEUISTATE, MAKEWPARAM(action, flags), 0);
    return 0;
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        if (oldProc_)
            break;
        if (wParam) {
            // Painting into a caller's device context (a child painting our background under itself).
            PaintWindow(reinterpret_cast<HDC>(wParam));
            PaintControls(reinterpret_cast<HDC>(wParam));
            return 0;
        } else {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(handle_, &ps);
            PaintWindow(dc);
            PaintControls(dc);
            ::EndPaint(handle_, &ps);
            return 0;
        }
    case WM_PRINTCLIENT:
        if (oldProc_)
            break;
        EraseBackground(reinterpret_cast<HDC>(wParam));
        PaintWindow(reinterpret_cast<HDC>(wParam));
        PaintControls(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        if (EraseBackground(reinterpret_cast<HDC>(wParam)))
            return 1;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        lastInputKeyboard = false;
        [[fallthrough]];
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
        bool handled = false;
        HandleMouse(msg, wParam, lParam, handled);
        if (handled)
            return 0;
        break;
    }
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (auto* app = AppSite())
            app->MouseLeftWindow(this);
        break;
    case WM_CAPTURECHANGED:
        captureControl_ = nullptr;
        break;
    case WM_SETFOCUS:
        if (TForm* f = ParentForm())
            f->FocusControlChanged(this);
        FocusGained();
        break;
    case WM_KILLFOCUS:
        FocusLost();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(wParam);
        // The keys that move the focus show where it is, and Alt shows the access keys too, as the
        // dialog manager does; from then on the cues stay for this window tree.
        lastInputKeyboard = true;
        if (key == VK_TAB || (key >= VK_LEFT && key <= VK_DOWN))
            Perform(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        else if (key == VK_MENU)
            Perform(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        KeyDown(key, KeyboardShiftState());
        if (key == 0)
            return 0;
        if (msg == WM_KEYDOWN && HandleDialogKey(key)) {
            eatChar_ = true;
            return 0;
        }
        wParam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(wParam);
        KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return 0;
        break;
    }
    case WM_CHAR: {
        if (eatChar_) {
            eatChar_ = false;
            if (wParam == '\t' || wParam == '\r' || wParam == 27)
                return 0;
        }
        char ch = static_cast<char>(wParam);
        KeyPress(ch);
        if (ch == 0)
            return 0;
        wParam = static_cast<unsigned char>(ch);
        break;
    }
    case WM_SYSCHAR:
        if (TForm* f = ParentForm(); f && f->BroadcastDialogChar(static_cast<char>(wParam)))
            return 0;
        break;
    case WM_COMMAND:
        if (lParam) {
            TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
            if (child && child != this && child->CNCommand(HIWORD(wParam)))
                return 0;
        }
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis->CtlType != ODT_MENU) {
            TWinControl* child = FromHandle(dis->hwndItem);
            if (child && child->CNDrawItem(*dis))
                return TRUE;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        TWinControl* child = hdr ? FromHandle(hdr->hwndFrom) : nullptr;
        LRESULT result = 0;
        if (child && child != this && child->CNNotify(*hdr, result))
            return result;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis->CtlType != ODT_MENU) {
            TWinControl* child = FromHandle(::GetDlgItem(handle_, static_cast<int>(mis->CtlID)));
            if (child && child->CNMeasureItem(*mis))
                return TRUE;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: {
        TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
        if (child && child != this)
            if (HBRUSH b = child->CNCtlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(b);
        break;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && AppSite()) {
            TControl* c = AppSite()->MouseControl();
            if (c && c->Cursor() == TCursor::crHandPoint) {
                ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
        }
        break;
    case WM_SYSCOLORCHANGE:
        SysColorChange();
        break;
    case WM_SETTINGCHANGE:
        // A contrast theme switched on or off: every control paints from its new colours.
        if (wParam == SPI_SETHIGHCONTRAST)
            SysColorChange();
        break;
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(wp->flags & SWP_NOSIZE) || !(wp->flags & SWP_NOMOVE)) {
            RECT r;
            ::GetWindowRect(handle_, &r);
            POINT tl{r.left, r.top};
            if (::GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
                ::ScreenToClient(::GetParent(handle_), &tl);
            TControl::SetBounds(tl.x, tl.y, r.right - r.left, r.bottom - r.top);
        }
        break;
    }
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
    case WM_QUERYUISTATE:
        return UIStateMessage(msg, wParam);
    case WM_GETOBJECT:
        if (LRESULT r = AccessibleGetObject(this, wParam, lParam))
            return r;
        break;
    case WM_NCDESTROY: {
        LRESULT res = DefaultHandler(msg, wParam, lParam);
        if (oldProc_)
            ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        UnbindHandle(handle_);
        handle_ = nullptr;
        oldProc_ = nullptr;
        trackingLeave_ = false;
        return res;
    }
    default:
        break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

} // namespace zv
