#include "controls/flat/FlatEdit.h"

#include "framework/ColorRoles.h"
#include "framework/Layout.h"

namespace zv {

TCustomFlatEdit::TCustomFlatEdit(TComponent* owner) : TCustomEdit(owner)
{
    TControl::SetParentFont(true);
    SetAutoSize(false);
    SetCtl3D(false);
    SetBorderStyle(TBorderStyle::bsNone);
    SetBounds(0, 0, 121, 19);
}

TColor TCustomFlatEdit::Colors(int index) const
{
    switch (index) {
    case ciFocused: return colorFocused_;
    case ciBorder: return colorBorder_;
    default: return colorFlat_;
    }
}

void TCustomFlatEdit::SetColors(int index, TColor c)
{
    switch (index) {
    case ciFocused: colorFocused_ = c; break;
    case ciBorder: colorBorder_ = c; break;
    case ciFlat:
        colorFlat_ = c;
        parentColor_ = false;
        break;
    default: return;
    }
    RedrawBorder();
}

TAdvColors TCustomFlatEdit::AdvColors(int index) const
{
    return index == aiFocused ? advColorFocused_ : advColorBorder_;
}

void TCustomFlatEdit::SetAdvColors(int index, int v)
{
    switch (index) {
    case aiFocused: advColorFocused_ = ClampAdvColors(v); break;
    case aiBorder: advColorBorder_ = ClampAdvColors(v); break;
    default: return;
    }
    if (useAdvColors_) {
        CalcAdvColors();
        RedrawBorder();
    }
}

void TCustomFlatEdit::SetUseAdvColors(bool v)
{
    if (v == useAdvColors_)
        return;
    useAdvColors_ = v;
    SetParentColor(v);
    CalcAdvColors();
    RedrawBorder();
}

void TCustomFlatEdit::SetParentColor(bool v)
{
    if (v == parentColor_)
        return;
    parentColor_ = v;
    if (v && Parent()) {
        colorFlat_ = Parent()->Color();
        RedrawBorder();
    }
}

void TCustomFlatEdit::CalcAdvColors()
{
    if (!useAdvColors_)
        return;
    colorFocused_ = ShiftColorLightness(colorFlat_, colorFocused_, advColorFocused_, ColorShiftKind::lighten);
    colorBorder_ = ShiftColorLightness(colorFlat_, colorBorder_, advColorBorder_, ColorShiftKind::darken);
}

void TCustomFlatEdit::FollowParent()
{
    if (useAdvColors_) {
        if (Parent())
            colorFlat_ = Parent()->Color();
        CalcAdvColors();
    } else if (parentColor_ && Parent()) {
        colorFlat_ = Parent()->Color();
    }
    RedrawBorder();
}

void TCustomFlatEdit::SysColorChange()
{
    TCustomEdit::SysColorChange();
    FollowParent();
}

void TCustomFlatEdit::ParentColorChanged()
{
    TCustomEdit::ParentColorChanged();
    FollowParent();
}

void TCustomFlatEdit::MouseEnter()
{
    TCustomEdit::MouseEnter();
    // The hover look only follows the pointer while one of the application's windows is active.
    if (::GetActiveWindow()) {
        mouseIn_ = true;
        RedrawBorder();
    }
}

void TCustomFlatEdit::MouseLeave()
{
    TCustomEdit::MouseLeave();
    mouseIn_ = false;
    RedrawBorder();
}

void TCustomFlatEdit::FocusGained()
{
    TCustomEdit::FocusGained();
    RedrawBorder();
}

void TCustomFlatEdit::FocusLost()
{
    TCustomEdit::FocusLost();
    RedrawBorder();
}

void TCustomFlatEdit::EnabledChanged()
{
    TCustomEdit::EnabledChanged();
    SetColor(Enabled() ? clWindow : clBtnFace);
    RedrawBorder();
}

int TCustomFlatEdit::FontCellHeight(const TFont& font)
{
    HDC dc = ::GetDC(nullptr);
    TEXTMETRICA tm{};
    {
        ScopedSelect select(dc, font.Handle());
        ::GetTextMetricsA(dc, &tm);
    }
    ::ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}

void TCustomFlatEdit::ApplyHeightRule() { SetHeight(FontCellHeight(Font()) + 2 * border_); }

void TCustomFlatEdit::ScaleMetrics()
{
    TCustomEdit::ScaleMetrics();
    borderLine_ = Scaled(1);
    border_ = Scaled(kBorder);
}

void TCustomFlatEdit::FontChanged()
{
    TCustomEdit::FontChanged();
    if (!((ComponentState() & csDesigning) && IsLoading()))
        ApplyHeightRule();
}

void TCustomFlatEdit::Loaded()
{
    TCustomEdit::Loaded();
    if (parentColor_ && Parent())
        FollowParent();
    if (!(ComponentState() & csDesigning))
        ApplyHeightRule();
}

void TCustomFlatEdit::AdjustClientRect(RECT& client) { ::InflateRect(&client, -border_, -border_); }

void TCustomFlatEdit::PaintNonClient() { RedrawBorder(); }

bool TCustomFlatEdit::IsIdle() const
{
    if (ComponentState() & csDesigning)
        return true;
    if (Focused())
        return false;
    // While another flat edit has the focus, hovering does not light this one up.
    const bool flatEditActive = dynamic_cast<TFlatEdit*>(TWinControl::FromHandle(::GetFocus())) != nullptr;
    return !mouseIn_ || flatEditActive;
}

void TCustomFlatEdit::DrawBorder(HDC dc)
{
    HWND h = HandleIfAllocated();
    RECT r{0, 0, Width(), Height()};
    if (h) {
        ::GetWindowRect(h, &r);
        ::OffsetRect(&r, -r.left, -r.top);
    }
    const bool idle = IsIdle();
    const TColor inner = idle ? colorFlat_ : colorFocused_;
    // Under a contrast theme the focused or hovered field shows it by its frame, in the selection colour.
    const TColor frame = idle ? RoleColorOn(inner, TColorRole::Frame, colorBorder_)
                              : RoleColor(TColorRole::Selected, colorBorder_);
    GdiHandle<HBRUSH> border(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(frame))));
    GdiHandle<HBRUSH> fill(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(RoleColor(TColorRole::Face, inner)))));
    SetColor(inner);
    for (int i = 0; i < border_; ++i) {
        ::FrameRect(dc, &r, i < borderLine_ ? border.get() : fill.get());
        ::InflateRect(&r, -1, -1);
    }
}

void TCustomFlatEdit::PaintTo(HDC dc)
{
    {
        // The native field may leave its own clipping behind.
        ScopedDCState state(dc);
        TCustomEdit::PaintTo(dc);
    }
    DrawBorder(dc);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        ScopedDCState state(dc);
        ::OffsetViewportOrgEx(dc, border_ + c->Left(), border_ + c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->PaintTo(dc);
    }
}

void TCustomFlatEdit::RedrawBorder()
{
    HWND h = HandleIfAllocated();
    if (!h)
        return;
    HDC dc = ::GetWindowDC(h);
    if (!dc)
        return;
    struct Release {
        HWND h;
        HDC dc;
        ~Release() { ::ReleaseDC(h, dc); }
    } release{h, dc};
    DrawBorder(dc);
}

namespace {

template <class T>
void FlatEditProps(TClassInfo& c)
{
    c.Prop<T>("ColorFocused", [](T& e, const TLayoutValue& v) { e.SetColors(T::ciFocused, v.AsColor()); })
        .template Prop<T>("ColorBorder", [](T& e, const TLayoutValue& v) { e.SetColors(T::ciBorder, v.AsColor()); })
        .template Prop<T>("ColorFlat", [](T& e, const TLayoutValue& v) { e.SetColors(T::ciFlat, v.AsColor()); })
        .template Prop<T>("AdvColorFocused", [](T& e, const TLayoutValue& v) { e.SetAdvColors(T::aiFocused, v.AsInt()); })
        .template Prop<T>("AdvColorBorder", [](T& e, const TLayoutValue& v) { e.SetAdvColors(T::aiBorder, v.AsInt()); })
        .template Prop<T>("UseAdvColors", [](T& e, const TLayoutValue& v) { e.SetUseAdvColors(v.AsBool()); })
        .template Prop<T>("ParentColor", [](T& e, const TLayoutValue& v) { e.SetParentColor(v.AsBool()); });
}

const bool kRegistered = [] {
    FlatEditProps<TCustomFlatEdit>(RegisterRootClass("TCustomFlatEdit", "TCustomEdit"));
    RegisterClass<TFlatEdit>("TFlatEdit", "TCustomFlatEdit");
    return true;
}();

} // namespace
} // namespace zv
