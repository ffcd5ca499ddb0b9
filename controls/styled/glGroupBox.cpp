#include "controls/styled/glGroupBox.h"

#include <oleacc.h>

#include <algorithm>

#include "controls/styled/glDraw.h"
#include "controls/styled/glRecordLayout.h"
#include "framework/ColorRoles.h"
#include "framework/Accessible.h"
#include "framework/Layout.h"

namespace zv {

RECT CaptionTabRect(const TCaptionTabInput& in)
{
    RECT r{in.shiftX, 0, in.shiftX + in.text.cx, in.text.cy};
    r.right += 2 * in.lineWidth + in.glyphWidth;
    int e = 0;
    if (in.inner != TBevelCut::bvNone)
        e += (in.bold ? 3 : 2) * in.lineWidth;
    if (in.outer != TBevelCut::bvNone)
        e += (in.bold ? 3 : 2) * in.lineWidth;
    r.right += e;
    r.bottom += e;
    const int c = r.right - r.left;
    switch (in.alignment) {
    case TCaptionAlignment::fcaLeft: r.left = 0; r.right = c; break;
    case TCaptionAlignment::fcaRight: r.left = in.boxWidth - c - 1; r.right = in.boxWidth - 1; break;
    case TCaptionAlignment::fcaCenter: r.left = (in.boxWidth - c) / 2; r.right = r.left + c; break;
    case TCaptionAlignment::fcaWidth: r.left = 0; r.right = in.boxWidth - 1; break;
    case TCaptionAlignment::fcaNone: break;
    }
    if (in.delineated)
        r.bottom += 2;
    if (in.textStyle == TglTextStyle::fstShadow)
        r.bottom += in.delineated ? in.shadowDepth - 2 : in.shadowDepth;
    else if (in.textStyle != TglTextStyle::fstNone)
        r.bottom += 2;
    return r;
}

TglGroupBox::TglGroupBox(TComponent* owner)
    : TCustomGroupBox(owner),
      options_(fgoCanCollapse | fgoFilledCaption | fgoFluentlyCollapse | fgoFluentlyExpand |
               fgoHideChildrenWhenCollapsed | fgoSaveChildFocus)
{
    Font().SetCharset(RUSSIAN_CHARSET);
    SetTabStop(true);
    CreateStyleRecords();
}

TglGroupBox::~TglGroupBox() = default;

void TglGroupBox::CreateStyleRecords()
{
    border_ = std::make_unique<TglBevel>();
    border_->SetInner(TBevelCut::bvSpace);
    captionBorder_ = std::make_unique<TglBevel>();
    captionBorder_->SetInner(TBevelCut::bvSpace);
    captionGradient_ = std::make_unique<TGradient>();
    captionShift_ = std::make_unique<TPointClass>();
    captionShift_->SetX(8);
    colors_ = std::make_unique<TglGrBoxColors>();
    colors_->SetCaption(clBtnShadow);
    colors_->SetCaptionActive(clBtnShadow);
    colors_->SetText(clHighlightText);
    colors_->SetTextActive(clHighlightText);
    gradient_ = std::make_unique<TGradient>();
    gradient_->SetFromColor(clBlack);
    gradient_->SetToColor(clGray);
    illumination_ = std::make_unique<TIllumination>();
    // Set last, so the defaults above do not ask for repaints of a box that has no window yet.
    for (TglPersistent* r : std::initializer_list<TglPersistent*>{border_.get(), captionBorder_.get(), captionGradient_.get(),
                                                                  captionShift_.get(), colors_.get(), gradient_.get(),
                                                                  illumination_.get()})
        r->SetOnChange(this, &TglGroupBox::StyleChanged);
}

void TglGroupBox::StyleChanged(TObject*)
{
    shiftX_ = Scaled(captionShift_->X());
    Invalidate();
}

void TglGroupBox::ScaleMetrics()
{
    TCustomGroupBox::ScaleMetrics();
    lineWidth_ = Scaled(1);
    shiftX_ = Scaled(captionShift_->X());
    textGap_ = Scaled(2);
    // The box's full height is the layout's, scaled with its place: a box folded when its window
    // changes dpi unfolds, so that what it grows back to is never a size of another dpi.
    if (collapsed_ && !IsLoading())
        ApplyCollapsed(false);
}

void TglGroupBox::SetEnabled(bool v)
{
    TCustomGroupBox::SetEnabled(v);
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->SetEnabled(v);
}

void TglGroupBox::SetCaptionAlignment(TCaptionAlignment a)
{
    if (a == captionAlignment_)
        return;
    captionAlignment_ = a;
    Invalidate();
}

void TglGroupBox::SetCaptionTextStyle(TglTextStyle s)
{
    if (s == captionTextStyle_)
        return;
    captionTextStyle_ = s;
    Invalidate();
}

void TglGroupBox::SetOptions(TglGrBoxOptions o)
{
    if (o == options_)
        return;
    options_ = o;
    if (Parent())
        colors_->RecalcAutoColors(Parent()->Color());
    Invalidate();
}

void TglGroupBox::SetTransparent(bool v)
{
    if (v == transparent_)
        return;
    transparent_ = v;
    RecreateWnd();
}

void TglGroupBox::SetTransparentCaption(bool v)
{
    if (v == transparentCaption_)
        return;
    transparentCaption_ = v;
    RecreateWnd();
}

void TglGroupBox::CreateParams(TCreateParams& p)
{
    TCustomGroupBox::CreateParams(p);
    if (transparent_ || transparentCaption_)
        p.exStyle |= WS_EX_TRANSPARENT;
}

void TglGroupBox::AdjustClientRect(RECT& r) const
{
    TCustomGroupBox::AdjustClientRect(r);
    r.top += 1;
}

void TglGroupBox::SetAlign(TAlign a)
{
    if (a == align_)
        return;
    align_ = a;
    if (a == TAlign::alClient && Parent()) {
        const RECT pr = Parent()->ClientRect();
        SetBounds(0, 0, pr.right - pr.left, pr.bottom - pr.top);
    }
}

template <class F>
void TglGroupBox::ForEachGroupMate(F f)
{
    if (!Owner())
        return;
    for (int i = 0; i < Owner()->ComponentCount(); ++i) {
        auto* b = dynamic_cast<TglGroupBox*>(Owner()->Component(i));
        if (b && b != this && b->groupIndex_ == groupIndex_)
            f(b);
    }
}

void TglGroupBox::SetGroupIndex(int v)
{
    if (v == groupIndex_)
        return;
    groupIndex_ = v;
    if (IsLoading() || collapsed_ || v == 0)
        return;
    ForEachGroupMate([](TglGroupBox* b) { b->SetCollapsed(true); });
}

void TglGroupBox::SetCollapsed(bool v)
{
    if (v == collapsed_ || (v && !(options_ & fgoCanCollapse)))
        return;
    if (IsLoading()) {
        collapsed_ = v;
        return;
    }
    // A box that fills its parent keeps its size, so it must not claim to be collapsed either.
    if (align_ == TAlign::alClient)
        return;
    ApplyCollapsed(v);
}

void TglGroupBox::ApplyCollapsed(bool collapse)
{
    if (align_ == TAlign::alClient)
        return;
    collapsed_ = collapse;
    if (!Caption().empty() && ::IsRectEmpty(&captionRect_))
        captionRect_ = MeasureCaptionRect(nullptr);
    const int captionBottom = captionRect_.bottom;
    TWinControl* parent = (options_ & fgoResizeParent) ? Parent() : nullptr;
    if (collapse) {
        fullHeight_ = Height();
        if (parent)
            parent->SetHeight(parent->Height() - (Height() - captionBottom));
        SetHeight(captionBottom + 1);
    } else {
        // A box read collapsed from a layout without its full height has nothing to grow back to.
        if (fullHeight_ <= 0)
            fullHeight_ = Height();
        if (parent)
            parent->SetHeight(parent->Height() + (fullHeight_ - captionBottom));
        SetHeight(fullHeight_);
    }
    Invalidate();
    AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
}

bool TglGroupBox::CanFocus() const { return (options_ & fgoCanCollapse) && TCustomGroupBox::CanFocus(); }

void TglGroupBox::KeyDown(WORD& key, TShiftState shift)
{
    TCustomGroupBox::KeyDown(key, shift);
    if (shift & (ssAlt | ssCtrl))
        return;
    bool toggle = false;
    if (key == VK_SPACE)
        toggle = true;
    else if (key == VK_LEFT || key == VK_SUBTRACT || key == VK_OEM_MINUS)
        toggle = !collapsed_;
    else if (key == VK_RIGHT || key == VK_ADD || key == VK_OEM_PLUS)
        toggle = collapsed_;
    else
        return;
    key = 0;
    if (toggle && !(options_ & fgoIgnoreMouse))
        ToggleByClick();
}

unsigned TglGroupBox::AccState() const
{
    if (!(options_ & fgoCanCollapse))
        return 0;
    return collapsed_ ? STATE_SYSTEM_COLLAPSED : STATE_SYSTEM_EXPANDED;
}

const char* TglGroupBox::AccDefaultAction() const
{
    if (!(options_ & fgoCanCollapse) || (options_ & fgoIgnoreMouse))
        return nullptr;
    return collapsed_ ? "Extinde" : "Restrange";
}

void TglGroupBox::ToggleByClick()
{
    if (IsLoading())
        return;
    if (!collapsed_) {
        if (align_ == TAlign::alClient)
            return;
        if (groupIndex_ != 0 && (options_ & fgoOneAlwaysExpanded)) {
            bool otherExpanded = false;
            ForEachGroupMate([&](TglGroupBox* b) { otherExpanded = otherExpanded || !b->collapsed_; });
            if (!otherExpanded)
                return;
        }
        ApplyCollapsed(true);
        if (OnCollapsed)
            OnCollapsed(this);
    } else {
        if (groupIndex_ != 0 && (options_ & fgoCollapseOther))
            ForEachGroupMate([](TglGroupBox* b) { b->SetCollapsed(true); });
        ApplyCollapsed(false);
        if (OnExpanded)
            OnExpanded(this);
    }
}

void TglGroupBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomGroupBox::MouseDown(button, shift, x, y);
    if ((options_ & fgoIgnoreMouse) || button != TMouseButton::mbLeft)
        return;
    const POINT p{x, y};
    if ((options_ & fgoCanCollapse) && ::PtInRect(&captionRect_, p)) {
        ToggleByClick();
        return;
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
    dragY_ = y;
    dragging_ = true;
}

void TglGroupBox::MouseMove(TShiftState shift, int x, int y)
{
    TCustomGroupBox::MouseMove(shift, x, y);
    if (!dragging_ || !Parent())
        return;
    // A parent that scrolls vertically follows the pointer, as a hand drags a page.
    HWND ph = Parent()->HandleIfAllocated();
    if (!ph || !(::GetWindowLongA(ph, GWL_STYLE) & WS_VSCROLL))
        return;
    const int pos = ::GetScrollPos(ph, SB_VERT) + (dragY_ - y);
    ::SetScrollPos(ph, SB_VERT, pos, TRUE);
    ::SendMessageA(ph, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, ::GetScrollPos(ph, SB_VERT)), 0);
}

void TglGroupBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomGroupBox::MouseUp(button, shift, x, y);
    if (options_ & fgoIgnoreMouse)
        return;
    if (dragging_) {
        dragging_ = false;
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    }
}

TBitmap& TglGroupBox::GlyphCollapsed()
{
    if (!glyphCollapsed_)
        glyphCollapsed_ = std::make_unique<TBitmap>();
    return *glyphCollapsed_;
}

void TglGroupBox::SetGlyphCollapsed(const TBitmap& b)
{
    GlyphCollapsed().Assign(b);
    Invalidate();
}

TBitmap& TglGroupBox::GlyphExpanded()
{
    if (!glyphExpanded_)
        glyphExpanded_ = std::make_unique<TBitmap>();
    return *glyphExpanded_;
}

void TglGroupBox::SetGlyphExpanded(const TBitmap& b)
{
    GlyphExpanded().Assign(b);
    Invalidate();
}

int TglGroupBox::GlyphWidth() const
{
    int gw = 0;
    if (HasGlyph(glyphExpanded_))
        gw = glyphExpanded_->Width();
    if (HasGlyph(glyphCollapsed_))
        gw = std::max(gw, glyphCollapsed_->Width());
    return gw;
}

RECT TglGroupBox::MeasureCaptionRect(HDC dc) const
{
    HDC screen = dc ? nullptr : ::GetDC(nullptr);
    RECT r{0, 0, 0, 0};
    {
        TCanvas c(dc ? dc : screen);
        c.Font().Assign(Font());
        RECT m{0, 0, 0, 0};
        c.DrawText(Caption(), m, DT_CALCRECT | DT_SINGLELINE);
        TCaptionTabInput in;
        in.text = SIZE{m.right - m.left, m.bottom - m.top};
        in.glyphWidth = GlyphWidth();
        in.shiftX = shiftX_;
        in.lineWidth = lineWidth_;
        in.inner = captionBorder_->Inner();
        in.outer = captionBorder_->Outer();
        in.bold = captionBorder_->Bold();
        in.alignment = captionAlignment_;
        in.boxWidth = Width();
        in.delineated = (options_ & fgoDelineatedText) != 0;
        in.textStyle = captionTextStyle_;
        in.shadowDepth = illumination_->ShadowDepth();
        r = CaptionTabRect(in);
    }
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return r;
}

bool TglGroupBox::EraseBackground(HDC dc)
{
    if (!transparent_ && !transparentCaption_)
        return TCustomGroupBox::EraseBackground(dc);
    CopyParentImage(*this, dc);
    return true;
}

void TglGroupBox::Paint()
{
    TCanvas& c = Canvas();
    HDC dc = c.Handle();
    c.Font().Assign(Font());
    const bool active = !collapsed_;
    const std::string caption = Caption();
    const int th = c.TextHeight(caption.empty() ? std::string("0") : caption) - captionShift_->Y();

    RECT body{0, th / 2, Width(), Height()};
    if (gradient_->Active())
        DrawGradientBox(dc, body, *gradient_, 1, TPenStyle::psSolid);
    body.right -= 1;
    body.bottom -= 1;
    DrawBevelBox(dc, body, gradient_->Active() || transparent_, active ? colors_->ClientActive() : colors_->Client(),
                 border_->Outer(), border_->Inner(), border_->Sides(), border_->Bold(), lineWidth_);

    if (caption.empty()) {
        captionRect_ = RECT{0, 0, 0, 0};
    } else {
        const int gw = GlyphWidth();
        RECT tab = MeasureCaptionRect(dc);
        // Under a contrast theme the tab is button face with button text, framed by its bevels.
        const TColor tabFace = RoleColor(TColorRole::Face, colors_->Caption());
        if (!transparentCaption_) {
            GdiHandle<HBRUSH> brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(tabFace))));
            ::FillRect(dc, &tab, brush.get());
        }
        DrawGradientBox(dc, tab, *captionGradient_, 1, TPenStyle::psSolid);
        captionRect_ = tab;
        const bool filled = (options_ & fgoFilledCaption) && !transparentCaption_;
        const RECT inner = DrawBevelBox(dc, tab, !filled, active ? colors_->CaptionActive() : colors_->Caption(),
                                        captionBorder_->Outer(), captionBorder_->Inner(), captionBorder_->Sides(),
                                        captionBorder_->Bold(), lineWidth_);
        TBitmap* glyph = collapsed_ ? glyphCollapsed_.get() : glyphExpanded_.get();
        if (glyph && !glyph->Empty()) {
            const int y = inner.top + std::max<int>(0, (inner.bottom - inner.top - glyph->Height()) / 2);
            DrawGlyph(dc, inner.left, y, *glyph, glyph->Pixel(0, glyph->Height() - 1), Enabled());
        }
        DrawStyledTextAt(dc, inner.left + gw + textGap_, inner.top, &c.Font(), caption, inner,
                         Enabled() ? captionTextStyle_ : TglTextStyle::fstPushed, (options_ & fgoDelineatedText) != 0,
                         false, RoleColor(Enabled() ? TColorRole::Text : TColorRole::Disabled,
                                          active ? colors_->TextActive() : colors_->Text()),
                         active ? colors_->DelineateActive() : colors_->Delineate(), colors_->Highlight(),
                         colors_->Shadow(), nullptr, illumination_.get());
        if (Focused() && FocusCueShown())
            DrawFocusCue(dc, inner, RoleColor(TColorRole::Text, clBlack));
    }
    if (AfterPaint)
        AfterPaint(this);
}

namespace {
const bool kRegistered = [] {
    auto& c = RegisterClass<TglGroupBox>("TglGroupBox", "TCustomGroupBox");
    c.Prop<TglGroupBox>("Enabled", [](TglGroupBox& g, const TLayoutValue& v) { g.SetEnabled(v.AsBool()); })
        .Prop<TglGroupBox>("Align", [](TglGroupBox& g, const TLayoutValue& v) {
            g.SetAlign(v.AsEnum<TAlign>({{"alNone", TAlign::alNone}, {"alTop", TAlign::alTop},
                                         {"alBottom", TAlign::alBottom}, {"alLeft", TAlign::alLeft},
                                         {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient}}));
        })
        .Prop<TglGroupBox>("CaptionAlignment", [](TglGroupBox& g, const TLayoutValue& v) {
            g.SetCaptionAlignment(GlEnumValue<TCaptionAlignment>(v));
        })
        .Prop<TglGroupBox>("CaptionTextStyle", [](TglGroupBox& g, const TLayoutValue& v) {
            g.SetCaptionTextStyle(GlEnumValue<TglTextStyle>(v));
        })
        .Prop<TglGroupBox>("Collapsed", [](TglGroupBox& g, const TLayoutValue& v) { g.SetCollapsed(v.AsBool()); })
        .Prop<TglGroupBox>("Options", [](TglGroupBox& g, const TLayoutValue& v) { g.SetOptions(GlSetValue<TglGrBoxOption>(v)); })
        .Prop<TglGroupBox>("Transparent", [](TglGroupBox& g, const TLayoutValue& v) { g.SetTransparent(v.AsBool()); })
        .Prop<TglGroupBox>("TransparentCaption",
                           [](TglGroupBox& g, const TLayoutValue& v) { g.SetTransparentCaption(v.AsBool()); })
        .Prop<TglGroupBox>("GroupIndex", [](TglGroupBox& g, const TLayoutValue& v) { g.SetGroupIndex(v.AsInt()); })
        .Prop<TglGroupBox>("FullHeight", [](TglGroupBox& g, const TLayoutValue& v) { g.SetFullHeight(v.AsInt()); })
        .Prop<TglGroupBox>("AfterPaint", [](TglGroupBox& g, const TLayoutValue& v, TLayoutContext& ctx) {
            g.AfterPaint = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TglGroupBox>("OnCollapsed", [](TglGroupBox& g, const TLayoutValue& v, TLayoutContext& ctx) {
            g.OnCollapsed = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TglGroupBox>("OnExpanded", [](TglGroupBox& g, const TLayoutValue& v, TLayoutContext& ctx) {
            g.OnExpanded = ctx.Handler<TNotifyEvent>(v);
        });
    RegisterRecordProps<TglGroupBox>(c, "Border", &TglGroupBox::Border);
    RegisterRecordProps<TglGroupBox>(c, "CaptionBorder", &TglGroupBox::CaptionBorder);
    RegisterRecordProps<TglGroupBox>(c, "CaptionGradient", &TglGroupBox::CaptionGradient);
    RegisterRecordProps<TglGroupBox>(c, "CaptionShift", &TglGroupBox::CaptionShift);
    RegisterRecordProps<TglGroupBox>(c, "Colors", &TglGroupBox::Colors);
    RegisterRecordProps<TglGroupBox>(c, "Gradient", &TglGroupBox::Gradient);
    RegisterRecordProps<TglGroupBox>(c, "Illumination", &TglGroupBox::Illumination);
    return true;
}();
} // namespace

} // namespace zv
