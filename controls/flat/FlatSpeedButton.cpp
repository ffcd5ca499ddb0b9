#include "controls/flat/FlatSpeedButton.h"

#include <oleacc.h>

#include <cctype>
#include <memory>
#include <vector>

#include "framework/Accessible.h"
#include "framework/ColorRoles.h"
#include "framework/Layout.h"
#include "framework/StdCtrls.h"
#include "framework/Timer.h"

namespace zv {

namespace {

// Hover tracking is shared by every speed button: one timer polls the pointer for the one button that
// shows the hover look. The first button makes the timer, the last one frees it.
std::unique_ptr<TTimer> g_hoverTimer;
TFlatSpeedButton* g_hoverOwner = nullptr;
int g_liveButtons = 0;

constexpr UINT kHoverInterval = 100;

bool Horizontal(TButtonLayout l) { return l == TButtonLayout::blGlyphLeft || l == TButtonLayout::blGlyphRight; }

} // namespace

TButtonLayoutResult CalcButtonLayout(const RECT& client, POINT offset, SIZE glyphSize, SIZE textSize,
                                     TButtonLayout layout, int margin, int spacing)
{
    const int cw = client.right - client.left;
    const int ch = client.bottom - client.top;
    POINT glyph{0, 0};
    POINT text{0, 0};
    const bool horizontal = Horizontal(layout);
    if (horizontal) {
        glyph.y = (ch - glyphSize.cy + 1) / 2;
        text.y = (ch - textSize.cy + 1) / 2;
    } else {
        glyph.x = (cw - glyphSize.cx + 1) / 2;
        text.x = (cw - textSize.cx + 1) / 2;
    }
    if (textSize.cx == 0 || glyphSize.cx == 0)
        spacing = 0;
    const int extent = horizontal ? cw : ch;
    const int glyphExtent = horizontal ? glyphSize.cx : glyphSize.cy;
    const int textExtent = horizontal ? textSize.cx : textSize.cy;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (extent - glyphExtent - textExtent) / 3;
            spacing = margin;
        } else {
            margin = (extent - (glyphExtent + spacing + textExtent) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (extent - margin - glyphExtent - textExtent) / 2;
    }
    switch (layout) {
    case TButtonLayout::blGlyphLeft:
        glyph.x = margin;
        text.x = glyph.x + glyphSize.cx + spacing;
        break;
    case TButtonLayout::blGlyphRight:
        glyph.x = cw - margin - glyphSize.cx;
        text.x = glyph.x - spacing - textSize.cx;
        break;
    case TButtonLayout::blGlyphTop:
        glyph.y = margin;
        text.y = glyph.y + glyphSize.cy + spacing;
        break;
    case TButtonLayout::blGlyphBottom:
        glyph.y = ch - margin - glyphSize.cy;
        text.y = glyph.y - spacing - textSize.cy;
        break;
    }
    TButtonLayoutResult r;
    r.glyphPos = POINT{glyph.x + client.left + offset.x, glyph.y + client.top + offset.y};
    if (textSize.cx != 0 || textSize.cy != 0) {
        const int x = text.x + client.left + offset.x;
        const int y = text.y + client.top + offset.y;
        r.textBounds = RECT{x, y, x + textSize.cx, y + textSize.cy};
    }
    return r;
}

TFlatSpeedButton::TFlatSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    // Clicks are decided here (the group rule, the inside rule), not by the framework.
    clickOnMouseUp_ = false;
    SetBounds(0, 0, 25, 25);
    SetParentFont(true);
    SetParentColor(true);
    if (g_liveButtons++ == 0) {
        g_hoverTimer = std::make_unique<TTimer>(nullptr);
        g_hoverTimer->SetEnabled(false);
        g_hoverTimer->SetInterval(kHoverInterval);
    }
}

TFlatSpeedButton::~TFlatSpeedButton()
{
    ReleaseHoverTimer();
    if (--g_liveButtons == 0)
        g_hoverTimer.reset();
}

TTimer* TFlatSpeedButton::HoverTimer() { return g_hoverTimer.get(); }

TFlatSpeedButton* TFlatSpeedButton::HoverOwner() { return g_hoverOwner; }

// ---- properties

void TFlatSpeedButton::SetTransparentMode(TTransparentMode v)
{
    transparentMode_ = v;
    Invalidate();
}

void TFlatSpeedButton::SetAllowAllUp(bool v)
{
    if (v == allowAllUp_)
        return;
    allowAllUp_ = v;
    TellGroup();
}

void TFlatSpeedButton::SetGroupIndex(int v)
{
    if (v == groupIndex_)
        return;
    groupIndex_ = v;
    TellGroup();
}

void TFlatSpeedButton::SetDown(bool v)
{
    if (groupIndex_ == 0)
        v = false;
    if (v == down_)
        return;
    // A down button of a group is raised only by another one going down, unless all may be up.
    if (down_ && !allowAllUp_)
        return;
    down_ = v;
    if (v) {
        if (state_ == TButtonState::bsUp)
            Invalidate();
        state_ = TButtonState::bsExclusive;
        TellGroup();
    } else {
        state_ = TButtonState::bsUp;
        Repaint();
    }
    AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
}

long TFlatSpeedButton::AccRole() const { return ROLE_SYSTEM_PUSHBUTTON; }

unsigned TFlatSpeedButton::AccState() const
{
    const bool pressed = down_ || state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
    return pressed ? STATE_SYSTEM_PRESSED : 0;
}

void TFlatSpeedButton::TellGroup()
{
    TWinControl* parent = Parent();
    if (groupIndex_ == 0 || !parent)
        return;
    std::vector<TControl*> siblings;
    for (int i = 0; i < parent->ControlCount(); ++i)
        siblings.push_back(parent->Controls(i));
    for (TControl* c : siblings)
        if (auto* b = dynamic_cast<TFlatSpeedButton*>(c))
            b->ButtonPressed(groupIndex_, this);
}

void TFlatSpeedButton::ButtonPressed(int index, TFlatSpeedButton* sender)
{
    if (index != groupIndex_ || sender == this)
        return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = TButtonState::bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->allowAllUp_;
}

TColor TFlatSpeedButton::Colors(int index) const
{
    switch (index) {
    case ciFocused: return colorFocused_;
    case ciDown: return colorDown_;
    case ciBorder: return colorBorder_;
    case ciHighLight: return colorHighLight_;
    default: return colorShadow_;
    }
}

void TFlatSpeedButton::SetColors(int index, TColor c)
{
    switch (index) {
    case ciFocused: colorFocused_ = c; break;
    case ciDown: colorDown_ = c; break;
    case ciBorder: colorBorder_ = c; break;
    case ciHighLight: colorHighLight_ = c; break;
    case ciShadow: colorShadow_ = c; break;
    default: return;
    }
    Invalidate();
}

void TFlatSpeedButton::SetAdvColors(int index, int v)
{
    if (!adv_.Set(index, v))
        return;
    CalcAdvColors();
    Invalidate();
}

void TFlatSpeedButton::SetUseAdvColors(bool v)
{
    if (v == adv_.use)
        return;
    adv_.use = v;
    SetParentColor(v);
    CalcAdvColors();
    Invalidate();
}

void TFlatSpeedButton::CalcAdvColors()
{
    adv_.Apply(Color(), colorFocused_, colorDown_, colorBorder_);
}

void TFlatSpeedButton::FollowParentColors()
{
    if (adv_.use) {
        SetParentColor(true);
        CalcAdvColors();
    }
    Invalidate();
}

void TFlatSpeedButton::SysColorChange()
{
    TGraphicControl::SysColorChange();
    FollowParentColors();
}

void TFlatSpeedButton::ParentColorChanged()
{
    TGraphicControl::ParentColorChanged();
    FollowParentColors();
}

void TFlatSpeedButton::SetGlyph(const TBitmap& bitmap)
{
    glyph_.Assign(bitmap);
    const int w = glyph_.Width();
    const int h = glyph_.Height();
    if (!glyph_.Empty() && h > 0 && w % h == 0) {
        const int n = w / h;
        numGlyphs_ = static_cast<TNumGlyphs>(n > 4 ? 1 : n);
    }
    Invalidate();
}

void TFlatSpeedButton::ClearGlyph()
{
    TBitmap empty;
    glyph_.Assign(empty);
    Invalidate();
}

void TFlatSpeedButton::SetLayout(TButtonLayout v)
{
    if (v == layout_)
        return;
    layout_ = v;
    Invalidate();
}

void TFlatSpeedButton::SetMargin(int v)
{
    if (v == margin_ || v < -1)
        return;
    margin_ = v;
    Invalidate();
}

void TFlatSpeedButton::SetNumGlyphs(int v)
{
    const TNumGlyphs n = ClampNumGlyphs(v);
    if (n == numGlyphs_)
        return;
    numGlyphs_ = n;
    Invalidate();
}

void TFlatSpeedButton::SetSpacing(int v)
{
    if (v == spacing_)
        return;
    spacing_ = v;
    Invalidate();
}

// ---- notices

void TFlatSpeedButton::Click()
{
    // ModalResult is kept for the form; no form of this framework runs modally, so nothing reads it.
    TGraphicControl::Click();
}

void TFlatSpeedButton::DblClick()
{
    if (down_)
        TGraphicControl::DblClick();
}

void TFlatSpeedButton::MouseEnter()
{
    TGraphicControl::MouseEnter();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TFlatSpeedButton::MouseLeave()
{
    TGraphicControl::MouseLeave();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool TFlatSpeedButton::DialogChar(char ch)
{
    const char accel = AcceleratorChar(Caption());
    if (accel != 0 && std::toupper(static_cast<unsigned char>(accel)) == std::toupper(static_cast<unsigned char>(ch)) &&
        IsShowingAndEnabled()) {
        Click();
        return true;
    }
    return false;
}

void TFlatSpeedButton::EnabledChanged()
{
    if (!Enabled()) {
        mouseIn_ = false;
        state_ = TButtonState::bsDisabled;
        ReleaseHoverTimer();
    }
    UpdateTracking();
    Invalidate();
}

void TFlatSpeedButton::FontChanged()
{
    TGraphicControl::FontChanged();
    Invalidate();
}

void TFlatSpeedButton::TextChanged() { Invalidate(); }

void TFlatSpeedButton::Loaded()
{
    TGraphicControl::Loaded();
    Invalidate();
}

// ---- pointer tracking

bool TFlatSpeedButton::PointerOverMe() const
{
    TWinControl* parent = Parent();
    HWND h = parent ? parent->HandleIfAllocated() : nullptr;
    POINT p;
    if (!h || !::GetCursorPos(&p) || ::WindowFromPoint(p) != h)
        return false;
    ::ScreenToClient(h, &p);
    return parent->ControlAtPos(p, true) == this;
}

void TFlatSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (dragging_) {
        TButtonState next = InsideButton(x, y, ClientWidth(), ClientHeight()) ? TButtonState::bsDown : TButtonState::bsUp;
        if (down_)
            next = TButtonState::bsExclusive;
        if (next != state_) {
            state_ = next;
            Invalidate();
        }
    }
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

void TFlatSpeedButton::HoverEnter()
{
    if (!Enabled() || mouseIn_)
        return;
    mouseIn_ = true;
    Invalidate();
}

void TFlatSpeedButton::HoverLeave()
{
    if (!Enabled() || !mouseIn_ || dragging_)
        return;
    mouseIn_ = false;
    ReleaseHoverTimer();
    Invalidate();
}

void TFlatSpeedButton::HoverCheck()
{
    if (!PointerOverMe())
        HoverLeave();
}

void TFlatSpeedButton::ReleaseHoverTimer()
{
    if (g_hoverOwner != this)
        return;
    g_hoverTimer->SetEnabled(false);
    g_hoverOwner = nullptr;
}

void TFlatSpeedButton::UpdateTracking()
{
    if (!Enabled())
        return;
    const bool over = PointerOverMe();
    if (over != mouseIn_) {
        mouseIn_ = over;
        Repaint();
    }
}

// ---- mouse

void TFlatSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !Enabled())
        return;
    if (!down_) {
        state_ = TButtonState::bsDown;
        Invalidate();
        AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
    }
    dragging_ = true;
}

void TFlatSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_ || button != TMouseButton::mbLeft)
        return;
    dragging_ = false;
    const bool inside = InsideButton(x, y, ClientWidth(), ClientHeight());
    if (groupIndex_ == 0) {
        state_ = TButtonState::bsUp;
        mouseIn_ = false;
        if (inside)
            Invalidate();
        AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
    } else if (inside) {
        SetDown(!down_);
        if (down_)
            Repaint();
    } else {
        if (down_)
            state_ = TButtonState::bsExclusive;
        Repaint();
    }
    if (inside)
        Click();
    else
        HoverLeave();
    UpdateTracking();
}

// ---- painting

void TFlatSpeedButton::Paint()
{
    TCanvas& c = Canvas();
    const RECT client = ClientRect();
    const std::string caption = Caption();

    SIZE glyphSize{0, 0};
    if (!glyph_.Empty())
        glyphSize = SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
    SIZE textSize{0, 0};
    if (!caption.empty()) {
        RECT measure{0, 0, client.right - client.left, 0};
        c.DrawText(caption, measure, DT_CALCRECT | DT_SINGLELINE);
        textSize = SIZE{measure.right - measure.left, measure.bottom - measure.top};
    }
    const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
    layoutResult_ = CalcButtonLayout(client, pressed ? POINT{1, 1} : POINT{0, 0}, glyphSize, textSize, layout_,
                                     margin_, spacing_);

    if (!Enabled()) {
        state_ = TButtonState::bsDisabled;
        dragging_ = false;
    } else if (state_ == TButtonState::bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? TButtonState::bsExclusive : TButtonState::bsUp;
    }

    PaintBackground(c);
    PaintFrame(c);
    if (!glyph_.Empty())
        PaintGlyph(c, layoutResult_.glyphPos);
    if (!caption.empty())
        PaintCaption(c, layoutResult_.textBounds);
}

bool TFlatSpeedButton::Pressed() const
{
    return state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
}

void TFlatSpeedButton::PaintBackground(TCanvas& c)
{
    TColor fill = clNone;
    // A contrast theme shows a pressed or checked button filled, whatever its transparency.
    switch (Pressed() && ContrastTheme() ? tmNone : transparentMode_) {
    case tmAlways:
        return;
    case tmNotFocused:
        if (!mouseIn_)
            return;
        switch (state_) {
        case TButtonState::bsUp: fill = colorFocused_; break;
        case TButtonState::bsDisabled: fill = Color(); break;
        case TButtonState::bsDown: fill = colorDown_; break;
        case TButtonState::bsExclusive: fill = colorFocused_; break;
        }
        break;
    case tmNone:
        switch (state_) {
        case TButtonState::bsUp: fill = mouseIn_ ? colorFocused_ : Color(); break;
        case TButtonState::bsDisabled: fill = Color(); break;
        case TButtonState::bsDown: fill = colorDown_; break;
        case TButtonState::bsExclusive: fill = mouseIn_ ? colorFocused_ : colorDown_; break;
        }
        break;
    }
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Pressed() ? RoleColor(TColorRole::Selected, fill) : RoleColor(TColorRole::Face, ContrastTheme() ? Color() : fill));
    c.FillRect(ClientRect());
}

void TFlatSpeedButton::ScaleMetrics()
{
    TGraphicControl::ScaleMetrics();
    frameWidth_ = Scaled(1);
}

void TFlatSpeedButton::PaintFrame(TCanvas& c)
{
    const RECT client = ClientRect();
    if (ContrastTheme()) {
        const TColor frame = RoleColor(mouseIn_ && Enabled() ? TColorRole::Selected : TColorRole::Frame, colorBorder_);
        DrawBevelFrame(c, client, frame, frame, frameWidth_);
        return;
    }
    switch (state_) {
    case TButtonState::bsUp:
        if (mouseIn_)
            DrawBevelFrame(c, client, colorHighLight_, colorShadow_, frameWidth_);
        else
            DrawBevelFrame(c, client, colorBorder_, colorBorder_, frameWidth_);
        break;
    case TButtonState::bsDisabled:
        DrawBevelFrame(c, client, colorBorder_, colorBorder_, frameWidth_);
        break;
    case TButtonState::bsDown:
    case TButtonState::bsExclusive:
        DrawBevelFrame(c, client, colorShadow_, colorHighLight_, frameWidth_);
        break;
    }
}

void TFlatSpeedButton::PaintGlyph(TCanvas& c, POINT at)
{
    const int w = glyph_.Width() / numGlyphs_;
    const int h = glyph_.Height();
    if (w <= 0 || h <= 0)
        return;
    int image = 0;
    switch (numGlyphs_) {
    case 1: image = 0; break;
    case 2: image = state_ == TButtonState::bsDisabled ? 1 : 0; break;
    case 3:
        image = state_ == TButtonState::bsUp ? 0 : state_ == TButtonState::bsDisabled ? 1 : 2;
        break;
    default: image = static_cast<int>(state_); break;
    }
    TColor transparent = glyph_.Pixel(0, h - 1);
    auto work = std::make_unique<TBitmap>();
    work->SetSize(w, h);
    ::BitBlt(work->Canvas().Handle(), 0, 0, w, h, glyph_.Canvas().Handle(), image * w, 0, SRCCOPY);
    if (ContrastTheme()) {
        // The glyph's black strokes in the text colour of what lies under them, on a key colour apart from it.
        const TColor ink = ColorToRGB(InkColor(clBlack));
        work = MakeDisabledGlyph(*work, clBlack, ink ^ 0xFFFFFF, ink, ink, false);
        transparent = work->Pixel(0, h - 1);
    } else if (numGlyphs_ == 1 && state_ == TButtonState::bsDisabled) {
        work = MakeDisabledGlyph(*work, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, true);
        transparent = work->Pixel(0, h - 1);
    }
    ::GdiTransparentBlt(c.Handle(), at.x, at.y, w, h, work->Canvas().Handle(), 0, 0, w, h,
                        static_cast<UINT>(ColorToRGB(transparent)));
}

void TFlatSpeedButton::PaintCaption(TCanvas& c, RECT bounds)
{
    constexpr UINT kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    c.Brush().SetStyle(TBrushStyle::bsClear);
    if (state_ == TButtonState::bsDisabled) {
        DrawDisabledText(c, Caption(), bounds, kFormat);
        return;
    }
    c.Font().SetColor(InkColor(Font().Color()));
    c.DrawText(Caption(), bounds, kFormat);
}

TColor TFlatSpeedButton::InkColor(TColor designed) const
{
    if (state_ == TButtonState::bsDisabled)
        return RoleColor(TColorRole::Disabled, designed);
    return RoleColorOn(Color(), Pressed() ? TColorRole::SelectedText : TColorRole::Text, designed);
}

// ---- layout registration

namespace {

const bool kRegistered = [] {
    using B = TFlatSpeedButton;
    RegisterClass<B>("TFlatSpeedButton", "TGraphicControl")
        .Prop<B>("TransparentMode", [](B& b, const TLayoutValue& v) {
            b.SetTransparentMode(
                v.AsEnum<TTransparentMode>({{"tmAlways", tmAlways}, {"tmNotFocused", tmNotFocused}, {"tmNone", tmNone}}));
        })
        .Prop<B>("AllowAllUp", [](B& b, const TLayoutValue& v) { b.SetAllowAllUp(v.AsBool()); })
        .Prop<B>("ColorFocused", [](B& b, const TLayoutValue& v) { b.SetColors(B::ciFocused, v.AsColor()); })
        .Prop<B>("ColorDown", [](B& b, const TLayoutValue& v) { b.SetColors(B::ciDown, v.AsColor()); })
        .Prop<B>("ColorBorder", [](B& b, const TLayoutValue& v) { b.SetColors(B::ciBorder, v.AsColor()); })
        .Prop<B>("ColorHighLight", [](B& b, const TLayoutValue& v) { b.SetColors(B::ciHighLight, v.AsColor()); })
        .Prop<B>("ColorShadow", [](B& b, const TLayoutValue& v) { b.SetColors(B::ciShadow, v.AsColor()); })
        .Prop<B>("AdvColorFocused", [](B& b, const TLayoutValue& v) { b.SetAdvColors(B::aiFocused, v.AsInt()); })
        .Prop<B>("AdvColorDown", [](B& b, const TLayoutValue& v) { b.SetAdvColors(B::aiDown, v.AsInt()); })
        .Prop<B>("AdvColorBorder", [](B& b, const TLayoutValue& v) { b.SetAdvColors(B::aiBorder, v.AsInt()); })
        .Prop<B>("UseAdvColors", [](B& b, const TLayoutValue& v) { b.SetUseAdvColors(v.AsBool()); })
        .Prop<B>("GroupIndex", [](B& b, const TLayoutValue& v) { b.SetGroupIndex(v.AsInt()); })
        .Prop<B>("Down", [](B& b, const TLayoutValue& v) { b.SetDown(v.AsBool()); })
        .Prop<B>("Glyph", [](B& b, const TLayoutValue& v) {
            // A layout names a bitmap resource of the program.
            TBitmap bmp;
            if (!bmp.LoadFromResourceName(ModuleInstance(), v.AsString().c_str()))
                throw Exception("bitmap resource '" + v.AsString() + "' not found");
            b.SetGlyph(bmp);
        })
        .Prop<B>("Layout", [](B& b, const TLayoutValue& v) {
            b.SetLayout(v.AsEnum<TButtonLayout>({{"blGlyphLeft", TButtonLayout::blGlyphLeft},
                                                 {"blGlyphRight", TButtonLayout::blGlyphRight},
                                                 {"blGlyphTop", TButtonLayout::blGlyphTop},
                                                 {"blGlyphBottom", TButtonLayout::blGlyphBottom}}));
        })
        .Prop<B>("Margin", [](B& b, const TLayoutValue& v) { b.SetMargin(v.AsInt()); })
        .Prop<B>("NumGlyphs", [](B& b, const TLayoutValue& v) { b.SetNumGlyphs(v.AsInt()); })
        .Prop<B>("Spacing", [](B& b, const TLayoutValue& v) { b.SetSpacing(v.AsInt()); })
        .Prop<B>("ModalResult", [](B& b, const TLayoutValue& v) {
            if (v.kind == TLayoutValue::Kind::Integer)
                b.SetModalResult(v.AsInt());
            else
                b.SetModalResult(v.AsEnum<int>({{"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel},
                                                {"mrAbort", mrAbort}, {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore},
                                                {"mrYes", mrYes}, {"mrNo", mrNo}}));
        })
        .Prop<B>("OnMouseEnter", [](B& b, const TLayoutValue& v, TLayoutContext& ctx) {
            b.OnMouseEnter = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<B>("OnMouseLeave", [](B& b, const TLayoutValue& v, TLayoutContext& ctx) {
            b.OnMouseLeave = ctx.Handler<TNotifyEvent>(v);
        });
    return true;
}();

} // namespace
} // namespace zv
