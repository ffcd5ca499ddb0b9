#include "framework/Buttons.h"

#include <oleacc.h>

#include "framework/Accessible.h"
#include "framework/ColorRoles.h"

#include "framework/Forms.h"
#include "framework/Layout.h"

#include <vector>

namespace zv {

namespace {
COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

void FillSolid(HDC dc, const RECT& r, TColor c)
{
    GdiHandle<HBRUSH> b(::CreateSolidBrush(Rgb(c)));
    ::FillRect(dc, &r, b.get());
}

// Raster operation "pattern where the source is black, destination where it is white".
constexpr DWORD kRopPatternThroughMask = 0x00B8074A;
} // namespace

void DrawFrame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight)
{
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return;
    FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    ::InflateRect(&r, -1, -1);
}


TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner)
{
    // The native button reports the click (BN_CLICKED); the framework's own press-and-release
    // click would make it twice.
    clickOnMouseUp_ = false;
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TBitBtn::SetDefault(bool v)
{
    if (v == default_)
        return;
    default_ = v;
    Invalidate();
}

void TBitBtn::SetGlyph(const TBitmap& bitmap)
{
    glyph_.Assign(bitmap);
    Invalidate();
}

bool TBitBtn::LoadGlyph(const char* resourceName)
{
    const bool ok = glyph_.LoadFromResourceName(ModuleInstance(), resourceName);
    Invalidate();
    return ok;
}

void TBitBtn::SetNumGlyphs(int n)
{
    n = n < 1 ? 1 : (n > 4 ? 4 : n);
    if (n == numGlyphs_)
        return;
    numGlyphs_ = n;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout l)
{
    if (l == layout_)
        return;
    layout_ = l;
    Invalidate();
}

void TBitBtn::SetSpacing(int s)
{
    if (s == spacing_)
        return;
    spacing_ = s;
    Invalidate();
}

void TBitBtn::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.winClassName = "BUTTON";
    p.nativeClass = true;
    p.style |= BS_PUSHBUTTON | BS_OWNERDRAW;
}

LRESULT TBitBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // An owner-drawn button turns a quick second click into BN_DOUBLECLICKED; to the user it is
    // a second click.
    if (msg == WM_LBUTTONDBLCLK)
        msg = WM_LBUTTONDOWN;
    const LRESULT r = TWinControl::WndProc(msg, wParam, lParam);
    if (msg == BM_SETSTATE)
        AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
    return r;
}

long TBitBtn::AccRole() const { return ROLE_SYSTEM_PUSHBUTTON; }

unsigned TBitBtn::AccState() const
{
    HWND h = HandleIfAllocated();
    const bool pushed = h && (::SendMessageA(h, BM_GETSTATE, 0, 0) & BST_PUSHED);
    return (pushed ? STATE_SYSTEM_PRESSED : 0) | (default_ ? STATE_SYSTEM_DEFAULT : 0);
}

bool TBitBtn::CNCommand(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    Click();
    return true;
}

bool TBitBtn::CNDrawItem(DRAWITEMSTRUCT& dis)
{
    ScopedDCState keep(dis.hDC);
    canvas_.SetHandle(dis.hDC);
    DrawButton(canvas_, dis.rcItem, DrawState(dis.itemState));
    canvas_.SetHandle(nullptr);
    return true;
}

void TBitBtn::PaintButton(HDC dc, UINT itemState)
{
    ScopedDCState keep(dc);
    canvas_.SetHandle(dc);
    DrawButton(canvas_, RECT{0, 0, Width(), Height()}, DrawState(itemState));
    canvas_.SetHandle(nullptr);
}

void TBitBtn::PaintTo(HDC dc)
{
    // The owner-drawn button prints nothing itself: a form painted into a bitmap draws it as a paint would.
    PaintButton(dc, (Focused() ? ODS_FOCUS : 0) | (Enabled() ? 0 : ODS_DISABLED));
}

TButtonDrawState TBitBtn::DrawState(UINT itemState) const
{
    TButtonDrawState s;
    s.itemState = itemState;
    s.pressed = (itemState & ODS_SELECTED) != 0;
    s.focused = (itemState & ODS_FOCUS) != 0;
    s.disabled = (itemState & ODS_DISABLED) != 0;
    s.hot = MouseInControl();
    // As in dialogs: while another push button has the focus, that one carries the frame.
    bool otherButtonFocused = false;
    if (HWND f = ::GetFocus(); f && f != HandleIfAllocated()) {
        TWinControl* c = FromHandle(f);
        otherButtonFocused = c && c->IsPushButton() && c->ParentForm() == ParentForm();
    }
    s.framed = s.focused || (default_ && !otherButtonFocused);
    return s;
}

SIZE TBitBtn::GlyphSize() const
{
    if (glyph_.Empty())
        return SIZE{0, 0};
    return SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
}

// The designed look: a black frame for the default or focused button, raised or sunken 3D edges.
void TBitBtn::DrawClassicFrame(HDC dc, RECT& r, const TButtonDrawState& s)
{
    if (s.framed) {
        FillSolid(dc, RECT{r.left, r.top, r.right, r.top + 1}, clBlack);
        FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, clBlack);
        FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, clBlack);
        FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, clBlack);
        ::InflateRect(&r, -1, -1);
    }
    if (s.pressed && s.framed) {
        // A pressed default button shows one flat shadow line inside its frame.
        DrawFrame3D(dc, r, clBtnShadow, clBtnShadow);
    } else if (s.pressed) {
        DrawFrame3D(dc, r, clBtnShadow, clBtnHighlight);
        DrawFrame3D(dc, r, cl3DDkShadow, cl3DLight);
    } else {
        DrawFrame3D(dc, r, clBtnHighlight, cl3DDkShadow);
        DrawFrame3D(dc, r, cl3DLight, clBtnShadow);
    }
    FillSolid(dc, r, clBtnFace);
}

void TBitBtn::DrawButton(TCanvas& canvas, const RECT& rect, const TButtonDrawState& s)
{
    HDC dc = canvas.Handle();
    RECT r = rect;
    if (ContrastTheme()) {
        // A contrast theme's button: its face inside a frame of its text colour, two pixels for the
        // default or focused button, filled with the selection colour while pressed.
        const TColor frame = RoleColor(TColorRole::Frame, clBlack);
        for (int i = s.framed ? 2 : 1; i > 0; --i)
            DrawFrame3D(dc, r, frame, frame);
        FillSolid(dc, r, FaceRole(s));
    } else {
        DrawClassicFrame(dc, r, s);
    }

    // Glyph and caption as one block centred in the button, moved one pixel while pressed.
    const SIZE g = GlyphSize();
    const std::string text = Caption();
    SIZE t{0, 0};
    if (!text.empty()) {
        canvas.Font().Assign(Font());
        RECT tr{0, 0, rect.right - rect.left, 0};
        canvas.DrawText(text, tr, DT_CALCRECT | DT_SINGLELINE);
        t = SIZE{tr.right - tr.left, tr.bottom - tr.top};
    }
    const int gap = (g.cx > 0 && t.cx > 0) ? spacing_ : 0;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    POINT gp{0, 0}, tp{0, 0};
    switch (layout_) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphRight: {
        const int x0 = rect.left + (w - (g.cx + gap + t.cx)) / 2;
        const bool left = layout_ == TButtonLayout::blGlyphLeft;
        gp = POINT{left ? x0 : x0 + t.cx + gap, rect.top + (h - g.cy) / 2};
        tp = POINT{left ? x0 + g.cx + gap : x0, rect.top + (h - t.cy) / 2};
        break;
    }
    case TButtonLayout::blGlyphTop:
    case TButtonLayout::blGlyphBottom: {
        const int y0 = rect.top + (h - (g.cy + gap + t.cy)) / 2;
        const bool top = layout_ == TButtonLayout::blGlyphTop;
        gp = POINT{rect.left + (w - g.cx) / 2, top ? y0 : y0 + t.cy + gap};
        tp = POINT{rect.left + (w - t.cx) / 2, top ? y0 + g.cy + gap : y0};
        break;
    }
    }
    const int shift = s.pressed ? 1 : 0;
    if (g.cx > 0)
        DrawGlyph(canvas, gp.x + shift, gp.y + shift, s);
    if (t.cx > 0)
        DrawCaption(canvas, RECT{tp.x + shift, tp.y + shift, tp.x + shift + t.cx, tp.y + shift + t.cy}, s);

    if (s.focused && FocusCueShown()) {
        RECT f = rect;
        ::InflateRect(&f, -4, -4);
        const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusCue(dc, f, InkRole(s, Font().Color()));
        ::SetTextColor(dc, text);
        ::SetBkColor(dc, back);
    }
}

TColor TBitBtn::FaceRole(const TButtonDrawState& s)
{
    return s.pressed ? RoleColor(TColorRole::Selected, clBtnFace) : RoleColor(TColorRole::Face, clBtnFace);
}

TColor TBitBtn::InkRole(const TButtonDrawState& s, TColor designed)
{
    return s.pressed ? RoleColor(TColorRole::SelectedText, designed) : RoleColor(TColorRole::Text, designed);
}

void TBitBtn::DrawCaption(TCanvas& canvas, const RECT& textRect, const TButtonDrawState& s)
{
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    RECT r = textRect;
    if (s.disabled) {
        DrawDisabledText(canvas, Caption(), r, format);
        return;
    }
    canvas.Font().SetColor(InkRole(s, Font().Color()));
    canvas.DrawText(Caption(), r, format);
}

void TBitBtn::DrawGlyph(TCanvas& canvas, int x, int y, const TButtonDrawState& s)
{
    const SIZE g = GlyphSize();
    if (g.cx <= 0 || g.cy <= 0)
        return;
    int index = 0;
    if (s.disabled && numGlyphs_ >= 2)
        index = 1;
    else if (s.pressed && numGlyphs_ >= 3)
        index = 2;
    const int sx = index * g.cx;
    HDC dc = canvas.Handle();
    HDC src = glyph_.Canvas().Handle();
    const COLORREF transparent = ::GetPixel(src, 0, glyph_.Height() - 1);

    if (!(s.disabled && numGlyphs_ < 2)) {
        ::GdiTransparentBlt(dc, x, y, g.cx, g.cy, src, sx, 0, g.cx, g.cy, transparent);
        return;
    }
    // No disabled image of its own: the glyph's shape embossed in highlight and shadow.
    HDC maskDC = ::CreateCompatibleDC(dc);
    {
        GdiHandle<HBITMAP> mask(::CreateBitmap(g.cx, g.cy, 1, 1, nullptr));
        ScopedSelect selMask(maskDC, mask.get());
        // Colour to mono: the source's background colour (the transparent one) becomes white.
        const COLORREF oldBk = ::SetBkColor(src, transparent);
        ::BitBlt(maskDC, 0, 0, g.cx, g.cy, src, sx, 0, SRCCOPY);
        ::SetBkColor(src, oldBk);
        const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
        auto stamp = [&](int px, int py, TColor colour) {
            GdiHandle<HBRUSH> brush(::CreateSolidBrush(Rgb(colour)));
            ScopedSelect selBrush(dc, brush.get());
            ::BitBlt(dc, px, py, g.cx, g.cy, maskDC, 0, 0, kRopPatternThroughMask);
        };
        if (!ContrastTheme())
            stamp(x + 1, y + 1, clBtnHighlight);
        stamp(x, y, RoleColor(TColorRole::Disabled, clBtnShadow));
        ::SetTextColor(dc, oldText);
        ::SetBkColor(dc, oldBack);
    }
    ::DeleteDC(maskDC);
}

void TBitBtn::InvalidateOtherDefaults()
{
    TForm* form = ParentForm();
    if (!form)
        return;
    std::vector<TWinControl*> list;
    form->GetTabOrderList(list);
    for (TWinControl* c : list)
        if (c != this && c->IsDefaultButton())
            c->Invalidate();
}

void TBitBtn::FocusGained()
{
    TWinControl::FocusGained();
    InvalidateOtherDefaults();
}

void TBitBtn::FocusLost()
{
    TWinControl::FocusLost();
    InvalidateOtherDefaults();
}

namespace {
const bool kRegistered = [] {
    RegisterClass<TBitBtn>("TBitBtn", "TWinControl")
        .Prop<TBitBtn>("Default", [](TBitBtn& b, const TLayoutValue& v) { b.SetDefault(v.AsBool()); })
        .Prop<TBitBtn>("Cancel", [](TBitBtn& b, const TLayoutValue& v) { b.SetCancel(v.AsBool()); })
        .Prop<TBitBtn>("ModalResult", [](TBitBtn& b, const TLayoutValue& v) {
            if (v.kind == TLayoutValue::Kind::Integer)
                b.SetModalResult(v.AsInt());
            else
                b.SetModalResult(v.AsEnum<int>({{"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel},
                                                {"mrAbort", mrAbort}, {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore},
                                                {"mrYes", mrYes}, {"mrNo", mrNo}}));
        })
        .Prop<TBitBtn>("Glyph.Resource", [](TBitBtn& b, const TLayoutValue& v) {
            if (!b.LoadGlyph(v.AsString().c_str()))
                throw Exception("bitmap resource '" + v.AsString() + "' not found");
        })
        .Prop<TBitBtn>("NumGlyphs", [](TBitBtn& b, const TLayoutValue& v) { b.SetNumGlyphs(v.AsInt()); })
        .Prop<TBitBtn>("Spacing", [](TBitBtn& b, const TLayoutValue& v) { b.SetSpacing(v.AsInt()); })
        .Prop<TBitBtn>("Layout", [](TBitBtn& b, const TLayoutValue& v) {
            b.SetLayout(v.AsEnum<TButtonLayout>({{"blGlyphLeft", TButtonLayout::blGlyphLeft},
                                                 {"blGlyphRight", TButtonLayout::blGlyphRight},
                                                 {"blGlyphTop", TButtonLayout::blGlyphTop},
                                                 {"blGlyphBottom", TButtonLayout::blGlyphBottom}}));
        });
    RegisterClass<TButton>("TButton", "TBitBtn");
    return true;
}();
} // namespace

} // namespace zv
