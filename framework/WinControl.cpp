#include "framework/Controls.h"

#include <algorithm>

#include "framework/Accessible.h"
#include "framework/ColorRoles.h"
#include "framework/Forms.h"
#include "framework/HandleTable.h"

namespace zv {

namespace {
int g_nextControlId = 100;
}

// ======================================================================== TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { clickOnMouseUp_ = true; }

TWinControl::~TWinControl()
{
    SetDestroyingState();
    AccessibleDisconnect(this);
    // Leave the parent while this is still known to be windowed, so that its tab list lets go too.
    if (Parent())
        Parent()->RemoveControl(this);
    // Children go with their parent, whoever owns them.
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        delete c;
    }
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND h)
{
    return h ? ControlOfHandle(h) : nullptr;
}

HWND TWinControl::Handle()
{
    if (!handle_)
        CreateHandle();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& p)
{
    p.winClassName = FrameworkWindowClass();
    p.nativeClass = false;
    p.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        p.style |= WS_VISIBLE;
    if (!Enabled())
        p.style |= WS_DISABLED;
    if (tabStop_)
        p.style |= WS_TABSTOP;
    p.x = Left();
    p.y = Top();
    p.width = Width();
    p.height = Height();
    p.parent = Parent() ? Parent()->Handle() : nullptr;
    p.caption = TControl::GetText();
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    HMENU id = (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextControlId++)) : nullptr;
    HWND h = ::CreateWindowExA(p.exStyle, p.winClassName, p.caption.c_str(), p.style, p.x, p.y, p.width, p.height,
                               p.parent, id, ModuleInstance(), p.nativeClass ? nullptr : this);
    if (!h)
        throw Exception(Format("Error creating window of %s", Name().c_str()));
    if (p.nativeClass) {
        // A native control reports its own clicks (BN_CLICKED and the like).
        clickOnMouseUp_ = false;
        handle_ = h;
        BindHandle(h, this);
        oldProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWndProc)));
    }
    ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

void TWinControl::CreateHandle()
{
    if (handle_)
        return;
    if (Parent() && !Parent()->HandleAllocated())
        return; // created with the parent
    CreateWnd();
    HandleCreated();
    for (TControl* c : std::vector<TControl*>(controls_))
        if (c->IsWindowed())
            static_cast<TWinControl*>(c)->CreateHandle();
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    HandleDestroying();
    HWND h = handle_;
    ::DestroyWindow(h); // WM_NCDESTROY clears handle_
    UnbindHandle(h);     // also when the window's last messages no longer came here
    handle_ = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    DestroyHandle();
    CreateHandle();
}

void TWinControl::InsertControl(TControl* c)
{
    controls_.push_back(c);
    c->parent_ = this;
    if (c->IsWindowed()) {
        auto* w = static_cast<TWinControl*>(c);
        tabList_.push_back(w);
        if (!IsLoading() && !w->IsLoading()) {
            w->tabOrderKey_ = -1;
            SortTabList();
        }
    }
    if (!c->IsLoading()) {
        c->ParentColorChanged();
        c->ParentFontChanged();
    }
    if (c->IsWindowed() && HandleAllocated())
        static_cast<TWinControl*>(c)->CreateHandle();
    else if (!c->IsWindowed())
        c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c)
{
    if (!c->IsWindowed())
        c->Invalidate();
    if (captureControl_ == c)
        captureControl_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    if (c->IsWindowed()) {
        auto* w = static_cast<TWinControl*>(c);
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
        w->DestroyHandle();
        SortTabList();
    }
    c->parent_ = nullptr;
}

void TWinControl::AddLayoutChild(TComponent* child)
{
    if (auto* c = dynamic_cast<TControl*>(child))
        c->SetParent(this);
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible() || (!c->Enabled() && !allowDisabled))
            continue;
        RECT r = c->BoundsRect();
        if (::PtInRect(&r, p))
            return c;
    }
    return nullptr;
}

// Tab order is a position among the parent's windowed children. While a layout is read the stated
// numbers are only remembered; once it is in, the children are sorted by them.
int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& l = Parent()->tabList_;
    auto it = std::find(l.begin(), l.end(), this);
    return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (IsLoading() || !Parent() || Parent()->IsLoading()) {
        tabOrderKey_ = order;
        return;
    }
    auto& l = Parent()->tabList_;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
    order = std::clamp(order, 0, static_cast<int>(l.size()));
    l.insert(l.begin() + order, this);
    for (size_t i = 0; i < l.size(); ++i)
        l[i]->tabOrderKey_ = static_cast<int>(i);
}

void TWinControl::SortTabList()
{
    // Children without a stated order keep their place after those with one.
    std::vector<TWinControl*> keyed, unkeyed;
    for (TWinControl* w : tabList_)
        (w->tabOrderKey_ >= 0 ? keyed : unkeyed).push_back(w);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->tabOrderKey_ < b->tabOrderKey_; });
    tabList_ = keyed;
    tabList_.insert(tabList_.end(), unkeyed.begin(), unkeyed.end());
    for (size_t i = 0; i < tabList_.size(); ++i)
        tabList_[i]->tabOrderKey_ = static_cast<int>(i);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* w : tabList_) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

void TWinControl::SetTabStop(bool v)
{
    if (v == tabStop_)
        return;
    tabStop_ = v;
    if (handle_)
        SetWindowStyleBit(WS_TABSTOP, v);
}

bool TWinControl::Focused() const { return handle_ && ::GetFocus() == handle_; }

WORD TWinControl::UIState() const
{
    const TWinControl* top = this;
    while (top->Parent())
        top = top->Parent();
    return top->uiState_;
}

bool TWinControl::CanFocus() const { return IsShowingAndEnabled(); }

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
    if (handle_) {
        RECT r;
        ::GetWindowRect(handle_, &r);
        POINT tl{r.left, r.top};
        if (HWND parent = ::GetParent(handle_); parent && (::GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
            ::ScreenToClient(parent, &tl);
        if (tl.x != left || tl.y != top || r.right - r.left != width || r.bottom - r.top != height)
            ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT TWinControl::ClientRect() const
{
    RECT r{0, 0, Width(), Height()};
    if (handle_)
        ::GetClientRect(handle_, &r);
    return r;
}

void TWinControl::SetText(const std::string& text)
{
    if (handle_) {
        if (GetText() == text)
            return;
        ::SetWindowTextA(handle_, text.c_str());
    }
    TControl::SetText(text);
}

std::string TWinControl::GetText() const
{
    if (!handle_)
        return TControl::GetText();
    const int n = ::GetWindowTextLengthA(handle_);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    const int got = ::GetWindowTextA(handle_, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(got, 0)));
    return s;
}

void TWinControl::Invalidate()
{
    if (handle_ && ::IsWindowVisible(handle_))
        ::InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update()
{
    if (handle_)
        ::UpdateWindow(handle_);
}

void TWinControl::SetWindowStyleBit(DWORD bit, bool on, bool ex)
{
    if (!handle_)
        return;
    const int which = ex ? GWL_EXSTYLE : GWL_STYLE;
    LONG s = ::GetWindowLongA(handle_, which);
    LONG n = on ? (s | static_cast<LONG>(bit)) : (s & ~static_cast<LONG>(bit));
    if (n != s)
        ::SetWindowLongA(handle_, which, n);
}

HBRUSH TWinControl::ColorBrush()
{
    const TColor face = ColorToRGB(RoleColor(TColorRole::Face, Color()));
    if (!colorBrush_ || colorBrushColor_ != face) {
        colorBrushColor_ = face;
        colorBrush_.reset(::CreateSolidBrush(static_cast<COLORREF>(colorBrushColor_)));
    }
    return colorBrush_.get();
}

bool TWinControl::EraseBackground(HDC dc)
{
    if (oldProc_)
        return false;
    RECT r = ClientRect();
    ::FillRect(dc, &r, ColorBrush());
    return true;
}

HBRUSH TWinControl::CNCtlColor(HDC dc)
{
    ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(RoleColorOn(Color(), TColorRole::Text, Font().Color()))));
    ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(RoleColor(TColorRole::Face, Color()))));
    return ColorBrush();
}

void TWinControl::PaintWindow(HDC dc)
{
    if (oldProc_)
        ::CallWindowProcA(oldProc_, handle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    auto it = controls_.begin();
    if (first)
        it = std::find(controls_.begin(), controls_.end(), first);
    for (; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible())
            continue;
        RECT clip;
        RECT b = c->BoundsRect();
        RECT inter;
        if (::GetClipBox(dc, &clip) != NULLREGION && !::IntersectRect(&inter, &clip, &b))
            continue;
        ScopedDCState state(dc);
        ::OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->PaintTo(dc);
    }
}

void TWinControl::PaintTo(HDC dc)
{
    if (oldProc_ && handle_) {
        ::CallWindowProcA(oldProc_, handle_, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                          PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
        return;
    }
    EraseBackground(dc);
    PaintWindow(dc);
    PaintControls(dc);
    for (TControl* c : controls_) {
        if (!c->IsWindowed() || !c->Visible())
            continue;
        ScopedDCState state(dc);
        ::OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->PaintTo(dc);
    }
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    SortTabList();
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

bool TWinControl::WantsKey(WORD key)
{
    if (!oldProc_)
        return false;
    // Asked without a message: with one, some native controls take it as being inside a dialog.
    const LRESULT code = ::CallWindowProcA(oldProc_, handle_, WM_GETDLGCODE, key, 0);
    if (code & DLGC_WANTALLKEYS)
        return true;
    if (key == VK_TAB)
        return (code & DLGC_WANTTAB) != 0;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
        return (code & DLGC_WANTARROWS) != 0;
    return false;
}

bool TWinControl::HandleDialogKey(WORD key)
{
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE)
        return false;
    if (WantsKey(key))
        return false;
    TForm* form = ParentForm();
    return form && form->DialogKey(key, KeyboardShiftState());
}

void TWinControl::EnabledChanged()
{
    if (handle_)
        ::EnableWindow(handle_, Enabled());
    Invalidate();
}

void TWinControl::VisibleChanged()
{
    if (handle_)
        ::ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::ColorChanged()
{
    Invalidate();
    NotifyChildrenParentColor();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    if (handle_)
        ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    NotifyChildrenParentFont();
}

void TWinControl::SysColorChange()
{
    TControl::SysColorChange();
    for (TControl* c : std::vector<TControl*>(controls_))
        c->SysColorChange();
}

void TWinControl::AppendChildren(std::vector<TControl*>& list) const
{
    list.insert(list.end(), controls_.begin(), controls_.end());
}

void TWinControl::NotifyChildrenParentColor()
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ParentColorChanged();
}

void TWinControl::NotifyChildrenParentFont()
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ParentFontChanged();
}

void TWinControl::NotifyChildrenParentShowHint()
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ParentShowHintChanged();
}

// ======================================================================== TCustomControl

void TCustomControl::PaintWindow(HDC dc)
{
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    Paint();
    canvas_.SetHandle(nullptr);
}

} // namespace zv
