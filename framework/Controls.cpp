#include "framework/Controls.h"

#include "framework/Accessible.h"
#include "framework/AppSite.h"
#include "framework/Dpi.h"
#include "framework/Forms.h"

namespace zv {

HINSTANCE ModuleInstance() { return ::GetModuleHandleA(nullptr); }

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
    if (auto* app = AppSite())
        app->ControlDestroying(this);
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

bool TControl::FocusCueShown() const
{
    const TWinControl* w = IsWindowed() ? static_cast<const TWinControl*>(this) : parent_;
    return !w || !(w->UIState() & UISF_HIDEFOCUS);
}

int TControl::Scaled(int v) const { return ScaleForDpi(v, dpi_); }

void TControl::ScaleBounds(const RECT& d)
{
    SetBounds(ScaleForDpi(d.left, dpi_), ScaleForDpi(d.top, dpi_), ScaleForDpi(d.right, dpi_), ScaleForDpi(d.bottom, dpi_));
}

void TControl::ScaleToDpi(int dpi)
{
    if (dpi <= 0 || dpi == dpi_)
        return;
    std::vector<TControl*> tree{this};
    for (size_t i = 0; i < tree.size(); ++i)
        tree[i]->AppendChildren(tree);
    // The 96-dpi values are kept the first time a control leaves 96 dpi: places and sizes as left,
    // top, width, height, and the font's height where the control does not take its parent's.
    for (TControl* c : tree) {
        if (!c->designKept_ && c->dpi_ == kDesignDpi) {
            c->design_ = RECT{c->left_, c->top_, c->width_, c->height_};
            c->designFontHeight_ = c->font_.Height();
            c->designKept_ = true;
        }
        c->dpi_ = dpi;
    }
    // Each control's own metrics first (a border's width, an arrow's), which its places and sizes may
    // follow; then places, parents before children; then fonts, so that a control sized by its text
    // measures it at its new place.
    for (TControl* c : tree)
        c->ScaleMetrics();
    for (TControl* c : tree)
        if (c->designKept_)
            c->ScaleBounds(c->design_);
    for (TControl* c : tree) {
        if (!c->designKept_ || (c->parentFont_ && c->parent_))
            continue;
        const bool parentFont = c->parentFont_;
        c->applyingParentFont_ = true;
        c->font_.ScaleHeight(c->designFontHeight_, dpi);
        c->applyingParentFont_ = false;
        c->parentFont_ = parentFont;
    }
    // Back at 96 dpi the layout is given back as it was read, also where a size follows the font.
    if (dpi == kDesignDpi)
        for (TControl* c : tree)
            if (c->designKept_)
                c->ScaleBounds(c->design_);
    for (TControl* c : tree)
        c->Invalidate();
}

// ======================================================================== TGraphicControl

void TGraphicControl::PaintTo(HDC dc)
{
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    Paint();
    canvas_.SetHandle(nullptr);
}

} // namespace zv
