#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/Forms.h"

namespace zv {

namespace {
const char kWindowClass[] = "ZvWindow";
int g_nextControlId = 100;

// The control of each window handle, kept in the process: every message looks its window up, and a
// window property would cost a call to the window server each time.
using THandleEntry = std::pair<HWND, TWinControl*>;
std::vector<THandleEntry>& HandleTable()
{
    static std::vector<THandleEntry> table;
    return table;
}

std::vector<THandleEntry>::iterator HandleSlot(HWND h)
{
    auto& t = HandleTable();
    return std::lower_bound(t.begin(), t.end(), h, [](const THandleEntry& e, HWND key) { return e.first < key; });
}

void BindHandle(HWND h, TWinControl* c)
{
    auto it = HandleSlot(h);
    if (it != HandleTable().end() && it->first == h)
        it->second = c;
    else
        HandleTable().insert(it, {h, c});
}

void UnbindHandle(HWND h)
{
    auto it = HandleSlot(h);
    if (it != HandleTable().end() && it->first == h)
        HandleTable().erase(it);
}
} // namespace

HINSTANCE ModuleInstance() { return ::GetModuleHandleA(nullptr); }

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
        if (Application)
            Application->HandleException(e);
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

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s = 0;
    if (keys & MK_SHIFT)
        s |= ssShift;
    if (keys & MK_CONTROL)
        s |= ssCtrl;
    if (keys & MK_LBUTTON)
        s |= ssLeft;
    if (keys & MK_RBUTTON)
        s |= ssRight;
    if (keys & MK_MBUTTON)
        s |= ssMiddle;
    if (::GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        s |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        s |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

// ======================================================================== TControl

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    if (Application)
        Application->ControlDestroying(this);
    if (parent_)
        parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot be its own parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

TForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool graphic = !IsWindowed();
    if (graphic && visible_)
        Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (graphic && visible_)
        Invalidate();
    BoundsChanged();
}

POINT TControl::OriginInWindow() const
{
    POINT p{0, 0};
    const TControl* c = this;
    while (c && !c->IsWindowed()) {
        p.x += c->left_;
        p.y += c->top_;
        c = c->parent_;
    }
    return p;
}

POINT TControl::ClientToScreen(POINT p) const
{
    if (IsWindowed()) {
        HWND h = const_cast<TControl*>(this)->IsWindowed() ? static_cast<const TWinControl*>(this)->HandleIfAllocated() : nullptr;
        if (h)
            ::ClientToScreen(h, &p);
        return p;
    }
    POINT o = OriginInWindow();
    p.x += o.x;
    p.y += o.y;
    TWinControl* w = parent_;
    while (w && !w->IsWindowed())
        w = w->Parent();
    if (w && w->HandleAllocated())
        ::ClientToScreen(w->HandleIfAllocated(), &p);
    return p;
}

POINT TControl::ScreenToClient(POINT p) const
{
    POINT origin = ClientToScreen(POINT{0, 0});
    return POINT{p.x - origin.x, p.y - origin.y};
}

void TControl::SetVisible(bool v)
{
    if (v == visible_)
        return;
    if (!IsWindowed() && visible_)
        Invalidate();
    visible_ = v;
    VisibleChanged();
}

void TControl::SetEnabled(bool v)
{
    if (v == enabled_)
        return;
    enabled_ = v;
    EnabledChanged();
    AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
}

bool TControl::IsShowingAndEnabled() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_)
            return false;
    return true;
}

void TControl::SetText(const std::string& text)
{
    if (text == text_)
        return;
    text_ = text;
    TextChanged();
}

void TControl::SetColor(TColor c)
{
    parentColor_ = false;
    if (c == color_)
        return;
    color_ = c;
    ColorChanged();
}

void TControl::SetParentColor(bool v)
{
    if (v == parentColor_)
        return;
    parentColor_ = v;
    if (v && parent_)
        ParentColorChanged();
}

void TControl::SetParentFont(bool v)
{
    if (v == parentFont_)
        return;
    parentFont_ = v;
    if (v && parent_)
        ParentFontChanged();
}

void TControl::SetParentShowHint(bool v)
{
    parentShowHint_ = v;
    if (v && parent_)
        ParentShowHintChanged();
}

bool TControl::EffectiveShowHint() const
{
    const TControl* c = this;
    while (c->parentShowHint_ && c->parent_)
        c = c->parent_;
    return c->showHint_;
}

void TControl::Invalidate()
{
    if (!parent_)
        return;
    TWinControl* w = parent_;
    POINT o = OriginInWindow();
    while (w && !w->IsWindowed())
        w = w->Parent();
    // A window that is not on the screen is painted whole when it is shown: nothing to mark.
    if (w && w->HandleAllocated() && ::IsWindowVisible(w->HandleIfAllocated())) {
        RECT r{o.x, o.y, o.x + width_, o.y + height_};
        ::InvalidateRect(w->HandleIfAllocated(), &r, TRUE);
    }
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (!parent_)
        return;
    TWinControl* p = parent_;
    p->RemoveControl(this);
    p->InsertControl(this);
    if (IsWindowed()) {
        HWND h = static_cast<TWinControl*>(this)->HandleIfAllocated();
        if (h)
            ::SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        Invalidate();
    }
}

void TControl::PaintTo(HDC) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && clickOnMouseUp_)
        clicked_ = true;
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    const bool wasClicked = clicked_ && button == TMouseButton::mbLeft;
    if (button == TMouseButton::mbLeft)
        clicked_ = false;
    if (wasClicked && x >= 0 && y >= 0 && x < width_ && y < height_)
        Click();
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseEnter() {}
void TControl::MouseLeave() {}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::VisibleChanged()
{
    if (visible_)
        Invalidate();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::ParentColorChanged()
{
    if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::FontChanged()
{
    if (!applyingParentFont_)
        parentFont_ = false;
    Invalidate();
}

void TControl::ParentFontChanged()
{
    if (parentFont_ && parent_) {
        applyingParentFont_ = true;
        font_.Assign(parent_->Font());
        applyingParentFont_ = false;
    }
}

void TControl::TextChanged() { Invalidate(); }

void TControl::SysColorChange() { Invalidate(); }

bool TControl::DialogChar(char) { return false; }

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parent_) {
        if (parentColor_)
            ParentColorChanged();
        if (parentFont_)
            ParentFontChanged();
    }
}

// ======================================================================== TGraphicControl

void TGraphicControl::PaintTo(HDC dc)
{
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    Paint();
    canvas_.SetHandle(nullptr);
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
    if (!h)
        return nullptr;
    auto it = HandleSlot(h);
    return it != HandleTable().end() && it->first == h ? it->second : nullptr;
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
    if (!colorBrush_ || colorBrushColor_ != ColorToRGB(Color())) {
        colorBrushColor_ = ColorToRGB(Color());
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
    ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font().Color())));
    ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(Color())));
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
        if (Application)
            Application->CancelHint();
    }
    if (target) {
        POINT o{target->Left(), target->Top()};
        const int x = p.x - o.x, y = p.y - o.y;
        if (msg == WM_MOUSEMOVE) {
            if (Application)
                Application->SetMouseControl(target);
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
        if (Application)
            Application->SetMouseControl(this);
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
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
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
        if (Application)
            Application->MouseLeftWindow(this);
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
        if (LOWORD(lParam) == HTCLIENT && Application) {
            TControl* c = Application->MouseControl();
            if (c && c->Cursor() == TCursor::crHandPoint) {
                ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
        }
        break;
    case WM_SYSCOLORCHANGE:
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
