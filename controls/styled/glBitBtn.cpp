#include "controls/styled/glBitBtn.h"

#include <initializer_list>

#include "framework/ColorRoles.h"

namespace zv {

namespace {
struct TLine {
    POINT from, to;
};

// Draws each line with `pen`; the pen is selected only for these lines.
void DrawLines(HDC dc, HPEN pen, std::initializer_list<TLine> lines)
{
    ScopedSelect keep(dc, pen);
    for (const TLine& l : lines) {
        ::MoveToEx(dc, l.from.x, l.from.y, nullptr);
        ::LineTo(dc, l.to.x, l.to.y);
    }
}

GdiHandle<HPEN> OnePixelPen(TColor c)
{
    return GdiHandle<HPEN>(::CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(c))));
}
} // namespace

void FlattenButton(HDC dc, const RECT& r, const TFlatButtonState& s)
{
    if (s.hovered || s.pressed)
        return;
    const LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
    if (s.focusedOrDefault) {
        GdiHandle<HBRUSH> face(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnFace))));
        const RECT inner{L + 2, T + 2, R - 2, B - 2};
        ::FrameRect(dc, &inner, face.get());
        return;
    }
    const GdiHandle<HPEN> shadow = OnePixelPen(clBtnShadow);
    const GdiHandle<HPEN> face = OnePixelPen(clBtnFace);
    const GdiHandle<HPEN> parent = OnePixelPen(s.parentColor);
    // The inner highlight of the top and left edges disappears.
    DrawLines(dc, face.get(), {{{L + 1, T + 1}, {R - 1, T + 1}}, {{L + 1, T + 1}, {L + 1, B - 1}}});
    // The outer dark edge of the bottom and right melts into the parent's background.
    DrawLines(dc, parent.get(), {{{L, B - 1}, {R, B - 1}}, {{R - 1, T}, {R - 1, B}}});
    // One shadow line stays inside the bottom and right edges; the bottom one runs out past the
    // left edge so that the corner below the highlight is shadow too.
    DrawLines(dc, shadow.get(), {{{L - 2, B - 2}, {R - 1, B - 2}}, {{R - 2, T}, {R - 2, B - 1}}});
}

TglBitBtn::TglBitBtn(TComponent* owner) : TBitBtn(owner) {}

TglBitBtn::~TglBitBtn() { canvas_.SetHandle(nullptr); }

void TglBitBtn::MouseEnter()
{
    TBitBtn::MouseEnter();
    hovered_ = true;
    Repaint();
}

void TglBitBtn::MouseLeave()
{
    TBitBtn::MouseLeave();
    hovered_ = false;
    Repaint();
}

TColor TglBitBtn::ParentBrushColor() const
{
    // A button without a parent has nothing to melt into; the face colour keeps the edge plain.
    return Parent() ? Parent()->Color() : clBtnFace;
}

void TglBitBtn::DrawButton(TCanvas& canvas, const RECT& rect, const TButtonDrawState& state)
{
    TBitBtn::DrawButton(canvas, rect, state);
    if (ContrastTheme()) {
        // The contrast theme's button is flat already; the pointer over it lights its frame.
        if (hovered_ && !state.pressed) {
            GdiHandle<HBRUSH> lit(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(RoleColor(TColorRole::Selected, clBlack)))));
            ::FrameRect(canvas.Handle(), &rect, lit.get());
        }
        return;
    }
    canvas_.SetHandle(canvas.Handle());
    TFlatButtonState flat;
    flat.hovered = hovered_;
    flat.pressed = state.pressed;
    flat.focusedOrDefault = state.focused || Default();
    flat.parentColor = ParentBrushColor();
    FlattenButton(canvas_.Handle(), rect, flat);
    canvas_.SetHandle(nullptr);
}

} // namespace zv
