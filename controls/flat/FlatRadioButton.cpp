#include "controls/flat/FlatRadioButton.h"

#include <oleacc.h>

#include <cctype>
#include <memory>
#include <string>

#include "framework/Accessible.h"
#include "framework/ColorRoles.h"
#include "framework/Layout.h"
#include "framework/Timer.h"

namespace zv {

namespace {

// Hover tracking is shared by every radio button: one timer polls the pointer for the one button that
// shows the hover look. The first button makes the timer, the last one frees it.
std::unique_ptr<TTimer> g_hoverTimer;
TFlatRadioButton* g_hoverOwner = nullptr;
int g_liveButtons = 0;

constexpr UINT kHoverInterval = 100;

// Whether `ch` is the character marked with '&' in `caption` ("&&" is a plain ampersand).
bool IsAccel(char ch, const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<unsigned char>(ch));
    }
    return false;
}

} // namespace

TFlatRadioButton::TFlatRadioButton(TComponent* owner) : TCustomControl(owner)
{
    // OnClick fires only when the button becomes checked, never for a press and release as such.
    clickOnMouseUp_ = false;
    SetBounds(0, 0, 121, 17);
    SetParentColor(true);
    SetParentFont(true);
    if (g_liveButtons++ == 0) {
        g_hoverTimer = std::make_unique<TTimer>(nullptr);
        g_hoverTimer->SetEnabled(false);
        g_hoverTimer->SetInterval(kHoverInterval);
    }
}

TFlatRadioButton::~TFlatRadioButton()
{
    ReleaseHoverTimer();
    if (--g_liveButtons == 0)
        g_hoverTimer.reset();
}

TTimer* TFlatRadioButton::HoverTimer() { return g_hoverTimer.get(); }

TFlatRadioButton* TFlatRadioButton::HoverOwner() { return g_hoverOwner; }

void TFlatRadioButton::SetTransparent(bool v)
{
    transparent_ = v;
    Invalidate();
}

void TFlatRadioButton::SetLayout(TRadioButtonLayout v)
{
    layout_ = v;
    Invalidate();
}

void TFlatRadioButton::SetChecked(bool v)
{
    if (v == checked_)
        return;
    SetTabStop(v);
    checked_ = v;
    if (v) {
        if (TWinControl* parent = Parent()) {
            for (int i = 0; i < parent->ControlCount(); ++i) {
                auto* sibling = dynamic_cast<TFlatRadioButton*>(parent->Controls(i));
                if (sibling && sibling != this && sibling->groupIndex_ == groupIndex_)
                    sibling->SetChecked(false);
            }
        }
        // A layout states the checked button before the handlers are in use: no click while it is read.
        if (!IsLoading())
            Click();
    }
    RedrawCircle();
    AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
}

long TFlatRadioButton::AccRole() const { return ROLE_SYSTEM_RADIOBUTTON; }

// Every button of a group takes the focus by the arrows, whichever is the tab stop.
unsigned TFlatRadioButton::AccState() const { return STATE_SYSTEM_FOCUSABLE | (checked_ ? STATE_SYSTEM_CHECKED : 0); }

TColor TFlatRadioButton::Colors(int index) const
{
    switch (index) {
    case ciFocused: return colorFocused_;
    case ciDown: return colorDown_;
    case ciDot: return colorDot_;
    default: return colorBorder_;
    }
}

void TFlatRadioButton::SetColors(int index, TColor c)
{
    switch (index) {
    case ciFocused: colorFocused_ = c; break;
    case ciDown: colorDown_ = c; break;
    case ciDot: colorDot_ = c; break;
    case ciBorder: colorBorder_ = c; break;
    default: return;
    }
    Invalidate();
}

void TFlatRadioButton::SetAdvColors(int index, int v)
{
    if (!adv_.Set(index, v))
        return;
    CalcAdvColors();
    Invalidate();
}

void TFlatRadioButton::SetUseAdvColors(bool v)
{
    if (v == adv_.use)
        return;
    adv_.use = v;
    SetParentColor(v);
    CalcAdvColors();
    Invalidate();
}

void TFlatRadioButton::CalcAdvColors()
{
    adv_.Apply(Color(), colorFocused_, colorDown_, colorBorder_);
}

void TFlatRadioButton::FollowParentColors()
{
    if (adv_.use) {
        SetParentColor(true);
        CalcAdvColors();
    }
    Invalidate();
}

void TFlatRadioButton::SysColorChange()
{
    TCustomControl::SysColorChange();
    FollowParentColors();
}

void TFlatRadioButton::ParentColorChanged()
{
    TCustomControl::ParentColorChanged();
    FollowParentColors();
}

void TFlatRadioButton::BoundsChanged()
{
    if (transparent_)
        Invalidate();
}

void TFlatRadioButton::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    if (!Enabled()) {
        mouseIn_ = false;
        mouseDown_ = false;
        ReleaseHoverTimer();
    }
    Invalidate();
}

bool TFlatRadioButton::DialogChar(char ch)
{
    if (IsAccel(ch, Caption()) && CanFocus()) {
        SetFocus();
        return true;
    }
    return false;
}

// ---- input

void TFlatRadioButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && Enabled()) {
        if (CanFocus())
            SetFocus();
        mouseDown_ = true;
        RedrawCircle();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TFlatRadioButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && Enabled()) {
        mouseDown_ = false;
        // The far edges count as inside.
        if (x >= 0 && x <= Width() && y >= 0 && y <= Height() && !checked_)
            SetChecked(true);
        RedrawCircle();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TFlatRadioButton::DoEnter()
{
    TCustomControl::DoEnter();
    if (mouseDown_ && mouseIn_)
        SetChecked(true);
    focused_ = true;
    RedrawCircle();
}

void TFlatRadioButton::DoExit()
{
    TCustomControl::DoExit();
    focused_ = false;
    RedrawCircle();
}

void TFlatRadioButton::FocusGained()
{
    if (!Enabled())
        return;
    focused_ = true;
    RedrawCircle();
}

void TFlatRadioButton::FocusLost()
{
    if (!Enabled())
        return;
    mouseIn_ = false;
    focused_ = false;
    RedrawCircle();
}

// ---- hover tracking

bool TFlatRadioButton::PointerOverMe() const
{
    HWND h = HandleIfAllocated();
    POINT p;
    return h && ::GetCursorPos(&p) && ::WindowFromPoint(p) == h;
}

void TFlatRadioButton::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    if (g_hoverOwner == this || !PointerOverMe())
        return;
    if (g_hoverOwner)
        g_hoverOwner->HoverLeave();
    // Hover looks only follow the pointer while one of the application's windows is active.
    if (!::GetActiveWindow())
        return;
    g_hoverTimer->SetEnabled(false);
    g_hoverOwner = this;
    g_hoverTimer->SetOnTimer([this](TObject*) { HoverCheck(); });
    g_hoverTimer->SetEnabled(true);
    HoverEnter();
}

void TFlatRadioButton::HoverEnter()
{
    if (!Enabled() || mouseIn_)
        return;
    mouseIn_ = true;
    RedrawCircle();
}

void TFlatRadioButton::HoverLeave()
{
    if (!Enabled() || !mouseIn_ || mouseDown_)
        return;
    mouseIn_ = false;
    ReleaseHoverTimer();
    RedrawCircle();
}

void TFlatRadioButton::HoverCheck()
{
    if (!PointerOverMe())
        HoverLeave();
}

void TFlatRadioButton::ReleaseHoverTimer()
{
    if (g_hoverOwner != this)
        return;
    g_hoverTimer->SetEnabled(false);
    g_hoverOwner = nullptr;
}

// ---- painting

RECT TFlatRadioButton::CircleRect() const
{
    const RECT c = ClientRect();
    const int top = c.top + circleTop_;
    if (layout_ == radioLeft)
        return RECT{c.left + circleInset_, top, c.left + circleInset_ + circleSize_, top + circleSize_};
    return RECT{c.right - circleInset_ - circleSize_, top, c.right - circleInset_, top + circleSize_};
}

void TFlatRadioButton::ScaleMetrics()
{
    TCustomControl::ScaleMetrics();
    circleInset_ = Scaled(1);
    circleTop_ = Scaled(3);
    circleSize_ = Scaled(10);
    dotInset_ = Scaled(3);
    dotSize_ = Scaled(4);
    captionLeft_ = Scaled(16);
    line_ = Scaled(1);
}

RECT TFlatRadioButton::CaptionRect() const
{
    const RECT c = ClientRect();
    if (layout_ == radioLeft)
        return RECT{c.left + captionLeft_, c.top + line_, c.right - line_, c.bottom - line_};
    return RECT{c.left + line_, c.top + line_, c.right - captionLeft_, c.bottom - line_};
}

void TFlatRadioButton::DrawCircle(TCanvas& c)
{
    const RECT box = CircleRect();
    // A wider line stays inside the circle, as the one-pixel line does.
    c.Pen().SetStyle(line_ > 1 ? TPenStyle::psInsideFrame : TPenStyle::psSolid);
    c.Pen().SetWidth(line_);
    const TColor face = Color();
    const bool lit = (focused_ && FocusCueShown()) || mouseIn_;
    // A contrast theme shows focus and hover by the ring, in the selection colour, over the plain face.
    const bool contrast = ContrastTheme();
    c.Pen().SetColor(lit && contrast ? RoleColor(TColorRole::Selected, colorBorder_)
                                     : RoleColorOn(face, TColorRole::Frame, colorBorder_));
    c.Brush().SetColor(lit && !contrast ? (mouseDown_ ? colorDown_ : colorFocused_) : RoleColor(TColorRole::Face, face));
    c.Ellipse(box);
    if (checked_) {
        const TColor dot = Enabled() ? RoleColor(TColorRole::Selected, colorDot_)
                                     : RoleColor(TColorRole::Disabled, clBtnShadow);
        c.Pen().SetColor(dot);
        c.Brush().SetColor(dot);
        c.Ellipse(box.left + dotInset_, box.top + dotInset_, box.left + dotInset_ + dotSize_,
                  box.top + dotInset_ + dotSize_);
    }
}

void TFlatRadioButton::RedrawCircle()
{
    HWND h = HandleIfAllocated();
    if (!h)
        return;
    HDC dc = ::GetDC(h);
    TCanvas& c = Canvas();
    const HDC previous = c.Handle();
    c.SetHandle(dc);
    DrawCircle(c);
    c.SetHandle(previous);
    ::ReleaseDC(h, dc);
}

bool TFlatRadioButton::EraseBackground(HDC dc)
{
    // A transparent button paints its parent's picture itself: erasing first would only flash Color.
    return transparent_ || TCustomControl::EraseBackground(dc);
}

void TFlatRadioButton::Paint()
{
    TCanvas& c = Canvas();
    if (transparent_)
        PaintParentBackground(*this, c);
    DrawCircle(c);

    const std::string text = Caption();
    const UINT format = DT_WORDBREAK | (layout_ == radioLeft ? DT_LEFT : DT_RIGHT);
    RECT r = CaptionRect();
    c.Font().Assign(Font());
    c.Font().SetColor(RoleColorOn(Color(), TColorRole::Text, Font().Color()));
    c.Brush().SetStyle(TBrushStyle::bsClear);
    if (Enabled()) {
        c.DrawText(text, r, format);
        return;
    }
    DrawDisabledText(c, text, r, format);
}

namespace {

const bool kRegistered = [] {
    using R = TFlatRadioButton;
    RegisterClass<R>("TFlatRadioButton", "TCustomControl")
        .Prop<R>("Transparent", [](R& b, const TLayoutValue& v) { b.SetTransparent(v.AsBool()); })
        .Prop<R>("Checked", [](R& b, const TLayoutValue& v) { b.SetChecked(v.AsBool()); })
        .Prop<R>("ColorFocused", [](R& b, const TLayoutValue& v) { b.SetColors(R::ciFocused, v.AsColor()); })
        .Prop<R>("ColorDown", [](R& b, const TLayoutValue& v) { b.SetColors(R::ciDown, v.AsColor()); })
        .Prop<R>("ColorDot", [](R& b, const TLayoutValue& v) { b.SetColors(R::ciDot, v.AsColor()); })
        .Prop<R>("ColorBorder", [](R& b, const TLayoutValue& v) { b.SetColors(R::ciBorder, v.AsColor()); })
        .Prop<R>("AdvColorFocused", [](R& b, const TLayoutValue& v) { b.SetAdvColors(R::aiFocused, v.AsInt()); })
        .Prop<R>("AdvColorDown", [](R& b, const TLayoutValue& v) { b.SetAdvColors(R::aiDown, v.AsInt()); })
        .Prop<R>("AdvColorBorder", [](R& b, const TLayoutValue& v) { b.SetAdvColors(R::aiBorder, v.AsInt()); })
        .Prop<R>("UseAdvColors", [](R& b, const TLayoutValue& v) { b.SetUseAdvColors(v.AsBool()); })
        .Prop<R>("GroupIndex", [](R& b, const TLayoutValue& v) { b.SetGroupIndex(v.AsInt()); })
        .Prop<R>("Layout", [](R& b, const TLayoutValue& v) {
            b.SetLayout(v.AsEnum<TRadioButtonLayout>({{"radioLeft", radioLeft}, {"radioRight", radioRight}}));
        });
    return true;
}();

} // namespace
} // namespace zv
