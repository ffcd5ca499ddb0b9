#include "controls/styled/glShadow.h"

#include "controls/styled/glDraw.h"
#include "controls/styled/glRecolor.h"
#include "controls/styled/glRecordLayout.h"
#include "framework/ColorRoles.h"
#include "framework/Layout.h"

namespace zv {

void MakeShadowPattern(TBitmap& pattern)
{
    pattern.SetSize(8, 8);
    TCanvas& c = pattern.Canvas();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(clWhite);
    c.FillRect(RECT{0, 0, 8, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = (y & 1); x < 8; x += 2)
            pattern.SetPixel(x, y, clBlack);
}

TglShadow::TglShadow(TComponent* owner)
    : TGraphicControl(owner),
      style_(std::make_unique<TglTextBoxStyle>()),
      styleActive_(std::make_unique<TglTextBoxStyle>()),
      localColors_(std::make_unique<Tgl3DLocalColors>(nullptr))
{
    SetBounds(0, 0, 120, 23);
    const auto changed = [this](TObject*) { Invalidate(); };
    style_->SetOnChange(changed);
    styleActive_->SetOnChange(changed);
}

TglShadow::~TglShadow()
{
    // The control may outlive us: it must not call back into a shadow that is gone.
    if (control_) {
        control_->RemoveFreeNotification(this);
        if (hookedFocus_)
            if (auto* w = dynamic_cast<TWinControl*>(control_)) {
                w->OnEnter = nullptr;
                w->OnExit = nullptr;
            }
    }
}

void TglShadow::MakeDefaultPattern()
{
    if (!pattern_)
        pattern_ = std::make_unique<TBitmap>();
    MakeShadowPattern(*pattern_);
    transparentColor_ = clWhite;
    userImage_ = false;
}

void TglShadow::SetShadowed(bool v)
{
    if (v == shadowed_)
        return;
    shadowed_ = v;
    if (v && !pattern_)
        MakeDefaultPattern();
    Invalidate();
}

void TglShadow::SetShadowDepth(int v)
{
    v = std::clamp(v, 0, 0xFFFF);
    if (v == shadowDepth_)
        return;
    shadowDepth_ = v;
    depth_ = Scaled(v);
    Invalidate();
}

void TglShadow::ScaleMetrics()
{
    TGraphicControl::ScaleMetrics();
    depth_ = Scaled(shadowDepth_);
    lineWidth_ = Scaled(1);
}

TBitmap& TglShadow::ShadowImage()
{
    if (!pattern_)
        pattern_ = std::make_unique<TBitmap>();
    return *pattern_;
}

void TglShadow::SetShadowImage(const TBitmap& b)
{
    ShadowImage().Assign(b);
    userImage_ = true;
    rebuildNeeded_ = true;
    Repaint();
}

void TglShadow::SetAutoTransparentColor(TglAutoTransparentColor v)
{
    autoTransparentColor_ = v;
    if (v != TglAutoTransparentColor::ftcUser && pattern_ && !pattern_->Empty())
        transparentColor_ = CornerPixelColor(*pattern_, v);
    rebuildNeeded_ = true;
    Invalidate();
}

void TglShadow::SetTransparentShadow(bool v)
{
    transparentShadow_ = v;
    rebuildNeeded_ = true;
    Invalidate();
}

void TglShadow::SetMaskedShadow(bool v)
{
    maskedShadow_ = v;
    rebuildNeeded_ = true;
    Invalidate();
}

void TglShadow::SetTransparentColor(TColor c)
{
    transparentColor_ = c;
    if (transparentShadow_)
        rebuildNeeded_ = true;
    Invalidate();
}

void TglShadow::SetMaskedFromColor(TColor c)
{
    maskedFromColor_ = c;
    if (maskedShadow_)
        rebuildNeeded_ = true;
    Invalidate();
}

void TglShadow::SetMaskedToColor(TColor c)
{
    maskedToColor_ = c;
    if (maskedShadow_)
        rebuildNeeded_ = true;
    Invalidate();
}

// ---- the linked control

void TglShadow::SetControl(TControl* c)
{
    if (c == this || c == control_)
        return;
    if (control_) {
        control_->RemoveFreeNotification(this);
        if (hookedFocus_)
            if (auto* w = dynamic_cast<TWinControl*>(control_)) {
                w->OnEnter = nullptr;
                w->OnExit = nullptr;
            }
    }
    hookedFocus_ = false;
    control_ = c;
    if (c) {
        c->FreeNotification(this);
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            w->OnEnter = [this](TObject* s) { ControlEnter(s); };
            w->OnExit = [this](TObject* s) { ControlExit(s); };
            hookedFocus_ = true;
        }
    }
    Invalidate();
}

void TglShadow::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == control_) {
        control_ = nullptr;
        hookedFocus_ = false;
    }
}

void TglShadow::SetParent(TWinControl* parent)
{
    TGraphicControl::SetParent(parent);
    if (control_ && !IsDestroying() && control_ != parent)
        control_->SetParent(parent);
}

void TglShadow::FontChanged()
{
    TGraphicControl::FontChanged();
    if (control_)
        control_->Font().Assign(Font());
}

bool TglShadow::ControlFocused() const
{
    const auto* w = dynamic_cast<const TWinControl*>(control_);
    return w && w->Focused();
}

void TglShadow::Recolor(TglTextBoxStyle& style)
{
    if (!control_)
        return;
    control_->Font().SetColor(style.TextColor());
    control_->SetColor(style.BackgroundColor());
    Repaint();
}

void TglShadow::ControlEnter(TObject*)
{
    if (OnControlEnter)
        OnControlEnter(this);
    Recolor(*styleActive_);
}

void TglShadow::ControlExit(TObject*)
{
    if (OnControlExit)
        OnControlExit(this);
    Recolor(*style_);
}

void TglShadow::Loaded()
{
    TGraphicControl::Loaded();
    if (shadowed_) {
        rebuildNeeded_ = true;
        if (!pattern_ || pattern_->Empty())
            MakeDefaultPattern();
    }
}

// ---- painting

void TglShadow::RebuildShadow(const RECT& shadowRect)
{
    MakeDefaultPattern();
    const int w = std::max<int>(shadowRect.right - shadowRect.left, 0);
    const int h = std::max<int>(shadowRect.bottom - shadowRect.top, 0);
    if (w == 0 || h == 0) {
        shadowBitmap_.SetSize(0, 0);
        return;
    }
    shadowBitmap_.SetSize(w, h);
    TCanvas& c = shadowBitmap_.Canvas();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(RECT{0, 0, w, h});
    HDC dc = c.Handle();
    if (transparentShadow_) {
        ScopedDCState keep(dc);
        ::SetViewportOrgEx(dc, -shadowRect.left, -shadowRect.top, nullptr);
        CopyParentImage(*this, dc);
    }
    for (int y = 0; y < h; y += pattern_->Height())
        for (int x = 0; x < w; x += pattern_->Width()) {
            if (transparentShadow_)
                DrawGlyph(dc, x, y, *pattern_, transparentColor_, true);
            else
                ::BitBlt(dc, x, y, pattern_->Width(), pattern_->Height(), pattern_->Canvas().Handle(), 0, 0, SRCCOPY);
        }
    if (maskedShadow_)
        ReplaceColor(shadowBitmap_, maskedFromColor_, maskedToColor_);
}

void TglShadow::Paint()
{
    HDC dc = Canvas().Handle();
    const RECT client = ClientRect();
    RECT frame{client.left, client.top, client.right - 1, client.bottom - 1};
    if (shadowed_) {
        const RECT shadow{client.left + depth_, client.top + depth_, client.right, client.bottom};
        // A new size or depth needs a bitmap of the new shadow's size.
        const bool sizeChanged = shadowBitmap_.Width() != shadow.right - shadow.left ||
                                 shadowBitmap_.Height() != shadow.bottom - shadow.top;
        if (rebuildNeeded_ || sizeChanged || (ComponentState() & csDesigning)) {
            RebuildShadow(shadow);
            rebuildNeeded_ = false;
        }
        // A contrast theme has no shadows: the parent shows where the shadow would fall.
        if (!shadowBitmap_.Empty() && !ContrastTheme())
            ::BitBlt(dc, shadow.left, shadow.top, shadowBitmap_.Width(), shadowBitmap_.Height(),
                     const_cast<TBitmap&>(shadowBitmap_).Canvas().Handle(), 0, 0, SRCCOPY);
        frame = RECT{shadow.left - depth_, shadow.top - depth_, shadow.right - depth_, shadow.bottom - depth_};
    }

    TglTextBoxStyle& style = ControlFocused() ? *styleActive_ : *style_;
    localColors_->SetHighlight(style.HighlightColor());
    localColors_->SetShadow(style.ShadowColor());
    RECT inner;
    Local3DColorsStack.Push(localColors_.get());
    try {
        inner = DrawBevelBox(dc, frame, true, clNone, style.Outer(), style.Inner(), style.Sides(), style.Bold(), lineWidth_);
    } catch (...) {
        Local3DColorsStack.Pop();
        throw;
    }
    Local3DColorsStack.Pop();

    if (control_ && control_->Parent()) {
        const POINT o{Left(), Top()};
        ::OffsetRect(&inner, o.x, o.y);
        if (control_->Left() != inner.left || control_->Top() != inner.top)
            control_->SetBounds(inner.left, inner.top, control_->Width(), control_->Height());
        const RECT cr = control_->ClientRect();
        const int w = inner.right - inner.left + 1, h = inner.bottom - inner.top + 1;
        if (cr.right - cr.left != w || cr.bottom - cr.top != h)
            control_->SetBounds(inner.left, inner.top, w, h);
    }
    if (AfterPaint)
        AfterPaint(this);
}

namespace {
const bool kRegistered = [] {
    auto& c = RegisterClass<TglShadow>("TglShadow", "TGraphicControl");
    c.Prop<TglShadow>("Control", [](TglShadow& s, const TLayoutValue& v, TLayoutContext& ctx) {
         ctx.Reference<TControl>(v, [&s](TControl* t) { s.SetControl(t); });
     })
        .Prop<TglShadow>("DigitsOnly", [](TglShadow& s, const TLayoutValue& v) { s.SetDigitsOnly(v.AsBool()); })
        .Prop<TglShadow>("Shadowed", [](TglShadow& s, const TLayoutValue& v) { s.SetShadowed(v.AsBool()); })
        .Prop<TglShadow>("ShadowDepth", [](TglShadow& s, const TLayoutValue& v) { s.SetShadowDepth(v.AsInt()); })
        .Prop<TglShadow>("AutoTransparentColor", [](TglShadow& s, const TLayoutValue& v) {
            s.SetAutoTransparentColor(GlEnumValue<TglAutoTransparentColor>(v));
        })
        .Prop<TglShadow>("TransparentShadow", [](TglShadow& s, const TLayoutValue& v) { s.SetTransparentShadow(v.AsBool()); })
        .Prop<TglShadow>("MaskedShadow", [](TglShadow& s, const TLayoutValue& v) { s.SetMaskedShadow(v.AsBool()); })
        .Prop<TglShadow>("TransparentColor", [](TglShadow& s, const TLayoutValue& v) { s.SetTransparentColor(v.AsColor()); })
        .Prop<TglShadow>("MaskedFromColor", [](TglShadow& s, const TLayoutValue& v) { s.SetMaskedFromColor(v.AsColor()); })
        .Prop<TglShadow>("MaskedToColor", [](TglShadow& s, const TLayoutValue& v) { s.SetMaskedToColor(v.AsColor()); })
        .Prop<TglShadow>("AfterPaint", [](TglShadow& s, const TLayoutValue& v, TLayoutContext& ctx) {
            s.AfterPaint = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TglShadow>("OnControlEnter", [](TglShadow& s, const TLayoutValue& v, TLayoutContext& ctx) {
            s.OnControlEnter = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TglShadow>("OnControlExit", [](TglShadow& s, const TLayoutValue& v, TLayoutContext& ctx) {
            s.OnControlExit = ctx.Handler<TNotifyEvent>(v);
        });
    RegisterRecordProps<TglShadow>(c, "Style", &TglShadow::Style);
    RegisterRecordProps<TglShadow>(c, "StyleActive", &TglShadow::StyleActive);
    return true;
}();
} // namespace

} // namespace zv
