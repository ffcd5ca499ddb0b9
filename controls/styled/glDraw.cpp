#include "controls/styled/glDraw.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "controls/styled/gl3DLocalColors.h"
#include "framework/ColorRoles.h"
#include "framework/Controls.h"

namespace zv {

int GradientsSuspended = 0;

namespace {

// A memory device context, deleted at scope end; whatever is selected into it is put back first.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC()
    {
        if (old_)
            ::SelectObject(dc_, old_);
        if (dc_)
            ::DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    // The one bitmap this context draws on.
    void Hold(HBITMAP bmp)
    {
        HGDIOBJ prev = ::SelectObject(dc_, bmp);
        if (!old_)
            old_ = prev;
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// Text and background colours of a context, given back at scope end.
class ScopedColors {
public:
    explicit ScopedColors(HDC dc) : dc_(dc), text_(::GetTextColor(dc)), back_(::GetBkColor(dc)) {}
    ~ScopedColors()
    {
        ::SetTextColor(dc_, text_);
        ::SetBkColor(dc_, back_);
    }
    ScopedColors(const ScopedColors&) = delete;
    ScopedColors& operator=(const ScopedColors&) = delete;

private:
    HDC dc_;
    COLORREF text_, back_;
};

class ScopedBkMode {
public:
    ScopedBkMode(HDC dc, int mode) : dc_(dc), old_(::SetBkMode(dc, mode)) {}
    ~ScopedBkMode() { ::SetBkMode(dc_, old_); }
    ScopedBkMode(const ScopedBkMode&) = delete;
    ScopedBkMode& operator=(const ScopedBkMode&) = delete;

private:
    HDC dc_;
    int old_;
};

int ColorDepth(HDC dc) { return ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES); }

COLORREF Ref(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

int PenStyleCode(TPenStyle s)
{
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    const int i = static_cast<int>(s);
    return i >= 0 && i < 7 ? styles[i] : PS_SOLID;
}

// ---- gradient bands

// What one fill needs from the gradient; the convergent directions run two of these with the colours swapped.
struct BandFill {
    TColor from, to; // RGB
    TglGradientDir dir;
    int steps;
    int percent;
    TBrushStyle brush;
    bool reverse;
    bool buffered;
};

// One channel of band i of n: from + MulDiv(i, d, n - 1), kept to 8 bits. One band alone takes `from`
// (MulDiv's answer for a zero divisor is -1, which is no colour of the gradient).
int Channel(int from, int d, int i, int n) { return std::clamp(from + (n > 1 ? ::MulDiv(i, d, n - 1) : 0), 0, 255); }

void FillBand(HDC dc, RECT r, COLORREF c, TBrushStyle style)
{
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    if (r.left == r.right || r.top == r.bottom || style == TBrushStyle::bsClear)
        return;
    // Hatches follow the brush styles in the window system's order: bsHorizontal is the first.
    GdiHandle<HBRUSH> brush(style == TBrushStyle::bsSolid ? ::CreateSolidBrush(c)
                                                          : ::CreateHatchBrush(static_cast<int>(style) - 2, c));
    if (brush)
        ::FillRect(dc, &r, brush.get());
}

// The pixel ends of diagonal c of the bias directions (c = 0 at the starting corner), on the edges of
// [left, right) x [top, bottom). Left bias: from the left edge (then the bottom) to the top edge (then
// the right). Right bias: from the top edge (then the left) to the right edge (then the bottom).
void BiasEnds(const RECT& r, bool left, int c, POINT& p, POINT& q)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (left) {
        p = c < h ? POINT{r.left, r.top + c} : POINT{r.left + c - (h - 1), r.bottom - 1};
        q = c < w ? POINT{r.left + c, r.top} : POINT{r.right - 1, r.top + c - (w - 1)};
    } else {
        p = c < w ? POINT{r.right - 1 - c, r.top} : POINT{r.left, r.top + c - (w - 1)};
        q = c < h ? POINT{r.right - 1, r.top + c} : POINT{r.right - 1 - (c - (h - 1)), r.bottom - 1};
    }
}

void FillBands(HDC dc, const RECT& r, const BandFill& g, int penWidth, TPenStyle penStyle)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    const int dR = RedOf(g.to) - RedOf(g.from), dG = GreenOf(g.to) - GreenOf(g.from),
              dB = BlueOf(g.to) - BlueOf(g.from);
    const int halfW = w / 2, halfH = h / 2;
    const bool bias = g.dir == TglGradientDir::fgdLeftBias || g.dir == TglGradientDir::fgdRightBias;
    int n = 0;
    switch (g.dir) {
    case TglGradientDir::fgdHorizontal: n = MinOf(g.steps, h); break;
    case TglGradientDir::fgdVertical: n = MinOf(g.steps, w); break;
    case TglGradientDir::fgdLeftBias:
    case TglGradientDir::fgdRightBias: n = MinOf(g.steps, w + h); break;
    case TglGradientDir::fgdRectangle: n = MinOf(g.steps, MinOf(halfW, halfH)); break;
    default: return;
    }
    if (n <= 0)
        return;

    // Lines of the bias directions stay inside the rectangle, however wide the pen.
    ScopedDCState state(dc);
    if (bias)
        ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    const int pw = penWidth <= 0 ? 1 : penWidth;
    const int lastDiagonal = w + h - 2;
    int diagonal = 0;

    for (int i = 0; i < n; ++i) {
        const COLORREF c = RGB(Channel(RedOf(g.from), dR, i, n), Channel(GreenOf(g.from), dG, i, n),
                               Channel(BlueOf(g.from), dB, i, n));
        const int b = i + 1;
        switch (g.dir) {
        case TglGradientDir::fgdHorizontal: {
            const int y0 = ::MulDiv(i, h, n), y1 = ::MulDiv(b, h, n);
            FillBand(dc, g.reverse ? RECT{r.left, r.bottom - y0, r.right, r.bottom - y1}
                                   : RECT{r.left, r.top + y0, r.right, r.top + y1},
                     c, g.brush);
            break;
        }
        case TglGradientDir::fgdVertical: {
            const int x0 = ::MulDiv(i, w, n), x1 = ::MulDiv(b, w, n);
            FillBand(dc, g.reverse ? RECT{r.right - x0, r.top, r.right - x1, r.bottom}
                                   : RECT{r.left + x0, r.top, r.left + x1, r.bottom},
                     c, g.brush);
            break;
        }
        case TglGradientDir::fgdRectangle: {
            const int dx = ::MulDiv(i, halfW, n), dy = ::MulDiv(i, halfH, n);
            FillBand(dc, RECT{r.left + dx, r.top + dy, r.right - dx, r.bottom - dy}, c, g.brush);
            break;
        }
        default: {
            const int lines = ::MulDiv(b, w + h, n) - ::MulDiv(i, w + h, n);
            GdiHandle<HPEN> pen(::CreatePen(PenStyleCode(penStyle), pw, c));
            ScopedSelect use(dc, pen.get());
            const bool left = g.dir == TglGradientDir::fgdLeftBias;
            for (int k = 0; k < lines && diagonal <= lastDiagonal; ++k, diagonal += pw) {
                POINT p, q;
                BiasEnds(r, left, diagonal, p, q);
                // Lines leave out their last pixel: end one pixel past the edge.
                ::MoveToEx(dc, p.x, p.y, nullptr);
                ::LineTo(dc, q.x + 1, left ? q.y - 1 : q.y + 1);
            }
            break;
        }
        }
        if (g.percent * n < i * 100)
            break;
    }
}

// Composes in a memory bitmap that starts as a copy of the target, so what the bands do not cover
// keeps what was there.
void FillBandsBuffered(HDC dc, const RECT& r, const BandFill& g, int penWidth, TPenStyle penStyle)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    MemoryDC mem(dc);
    GdiHandle<HBITMAP> bmp(::CreateCompatibleBitmap(dc, w, h));
    if (!mem || !bmp) {
        FillBands(dc, r, g, penWidth, penStyle);
        return;
    }
    mem.Hold(bmp.get());
    ::SetMapMode(mem.get(), ::GetMapMode(dc));
    ::BitBlt(mem.get(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
    FillBands(mem.get(), RECT{0, 0, w, h}, g, penWidth, penStyle);
    ::BitBlt(dc, r.left, r.top, w, h, mem.get(), 0, 0, SRCCOPY);
}

void Fill(HDC dc, const RECT& r, const BandFill& g, int penWidth, TPenStyle penStyle)
{
    if (g.buffered)
        FillBandsBuffered(dc, r, g, penWidth, penStyle);
    else
        FillBands(dc, r, g, penWidth, penStyle);
}

} // namespace

void DrawGradientBox(HDC dc, RECT r, const TCustomGradient& gradient, int penWidth, TPenStyle penStyle)
{
    // A contrast theme has no gradients: what lies under them shows.
    if (!gradient.Active() || GradientsSuspended != 0 || gradient.Steps() == 1 || ColorDepth(dc) < 16 ||
        ContrastTheme())
        return;
    BandFill g{gradient.FromRGB(),       gradient.ToRGB(),        gradient.Orientation(), gradient.Steps(),
               gradient.PercentFilling(), gradient.BrushStyle(), gradient.Reverse(),    gradient.BufferedDraw()};
    const int h = r.bottom - r.top, w = r.right - r.left;
    // The convergent directions: From to To toward the middle from one side, then back on the other.
    // The record is left alone; the halves get their own copy with the colours swapped.
    if (g.dir == TglGradientDir::fgdHorzConvergent) {
        g.dir = TglGradientDir::fgdHorizontal;
        Fill(dc, RECT{r.left, r.top, r.right, r.bottom - h / 2}, g, penWidth, penStyle);
        std::swap(g.from, g.to);
        Fill(dc, RECT{r.left, r.top + h / 2, r.right, r.bottom}, g, penWidth, penStyle);
    } else if (g.dir == TglGradientDir::fgdVertConvergent) {
        g.dir = TglGradientDir::fgdVertical;
        Fill(dc, RECT{r.left, r.top, r.right - w / 2, r.bottom}, g, penWidth, penStyle);
        std::swap(g.from, g.to);
        Fill(dc, RECT{r.left + w / 2, r.top, r.right, r.bottom}, g, penWidth, penStyle);
    } else {
        Fill(dc, r, g, penWidth, penStyle);
    }
}

void DrawGradientTextLine(const TCustomGradient& gradient, HDC dc, const std::string& text, int x, int y,
                          RECT reference)
{
    const int len = static_cast<int>(text.size());
    const bool vertical = gradient.Orientation() == TglGradientDir::fgdVertical;
    const int extent = vertical ? reference.right - reference.left : reference.bottom - reference.top;
    if (!gradient.Active() || ColorDepth(dc) <= 15 || extent <= 0 || ContrastTheme()) {
        ::TextOutA(dc, x, y, text.c_str(), len);
        return;
    }
    const TColor from = gradient.FromRGB(), to = gradient.ToRGB();
    const double incR = static_cast<double>(RedOf(to) - RedOf(from)) / extent;
    const double incG = static_cast<double>(GreenOf(to) - GreenOf(from)) / extent;
    const double incB = static_cast<double>(BlueOf(to) - BlueOf(from)) / extent;
    double cr = RedOf(from), cg = GreenOf(from), cb = BlueOf(from);
    const int stripes = ::MulDiv(extent, gradient.PercentFilling(), 100) + 1;
    auto channel = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };

    const COLORREF oldColor = ::GetTextColor(dc);
    for (int k = 0; k < stripes; ++k) {
        ::SetTextColor(dc, RGB(channel(cr), channel(cg), channel(cb)));
        // One pixel wide stripe of the reference, counted from its own edge.
        RECT stripe = vertical ? RECT{reference.left + k, reference.top, reference.left + k + 1, reference.bottom}
                               : RECT{reference.left, reference.top + k, reference.right, reference.top + k + 1};
        RECT clip;
        if (::IntersectRect(&clip, &stripe, &reference))
            ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(len), nullptr);
        cr += incR;
        cg += incG;
        cb += incB;
    }
    ::SetTextColor(dc, oldColor);
}

void DrawStyledText(HDC dc, RECT r, const std::string& text, UINT format, const TFont* font, TglTextStyle style)
{
    if (!font)
        return;
    ScopedSelect useFont(dc, font->Handle());
    ScopedBkMode transparent(dc, TRANSPARENT);
    ScopedColors colors(dc);
    if (format == 0)
        format = DT_SINGLELINE | DT_VCENTER;
    // A contrast theme draws text flat, in the colour the caller's role gave the font.
    if (ContrastTheme())
        style = TglTextStyle::fstNone;
    auto copy = [&](TColor c, int dx, int dy) {
        ::SetTextColor(dc, Ref(c));
        RECT m = r;
        ::OffsetRect(&m, dx, dy);
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &m, format);
    };
    switch (style) {
    case TglTextStyle::fstRaised:
        copy(clBtnHighlight, -1, -1);
        copy(clBtnShadow, 1, 1);
        copy(font->Color(), 0, 0);
        break;
    case TglTextStyle::fstRecessed:
        copy(clBtnShadow, -1, -1);
        copy(clBtnHighlight, 1, 1);
        copy(font->Color(), 0, 0);
        break;
    case TglTextStyle::fstPushed:
        copy(clBtnHighlight, 0, 0);
        copy(clBtnShadow, -1, -1);
        break;
    case TglTextStyle::fstShadow:
        copy(clBtnShadow, 2, 2);
        copy(font->Color(), 0, 0);
        break;
    default: copy(font->Color(), 0, 0); break;
    }
}

void DrawStyledTextAt(HDC dc, int x, int y, const TFont* font, const std::string& text, RECT clip,
                      TglTextStyle style, bool delineate, bool plain, TColor textColor, TColor delineateColor,
                      TColor highlightColor, TColor shadowColor, const TCustomGradient* gradient,
                      const TIllumination* illumination)
{
    if (!font)
        return;
    ScopedSelect useFont(dc, font->Handle());
    ScopedBkMode transparent(dc, TRANSPARENT);
    ScopedColors colors(dc);
    // A contrast theme draws text flat: no relief, outline or shadow copies (the caller gives the colour).
    if (ContrastTheme()) {
        style = TglTextStyle::fstNone;
        delineate = false;
    }
    auto out = [&](TColor c, int px, int py) {
        ::SetTextColor(dc, Ref(c));
        ::ExtTextOutA(dc, px, py, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    };

    int f = delineate ? 4 : 2;
    if (style == TglTextStyle::fstNone || style == TglTextStyle::fstShadow)
        f = f / 2 - 1;
    const int depth = illumination ? illumination->ShadowDepth() : 2;

    int a = 0;
    switch (style) {
    case TglTextStyle::fstRaised:
        if (!plain) {
            out(highlightColor, x, y);
            out(shadowColor, x + f, y + f);
        }
        a = 1;
        break;
    case TglTextStyle::fstRecessed:
        if (!plain) {
            out(shadowColor, x, y);
            out(highlightColor, x + f, y + f);
        }
        a = 1;
        break;
    case TglTextStyle::fstPushed:
        // The pushed look is the two copies alone, plain or not.
        out(highlightColor, x + 1, y + 1);
        out(shadowColor, x, y);
        return;
    case TglTextStyle::fstShadow:
        if (!plain)
            out(shadowColor, x + f + depth, y + f + depth);
        break;
    case TglTextStyle::fstVolumetric:
        if (!plain)
            for (int j = 1; j <= depth; ++j)
                out(shadowColor, x + j, y + j);
        break;
    default: break;
    }

    int tx = x + a, ty = y + a;
    if (delineate) {
        if (!plain) {
            out(delineateColor, tx, ty);
            out(delineateColor, tx + 2, ty + 2);
            out(delineateColor, tx, ty + 2);
            out(delineateColor, tx + 2, ty);
        }
        ++tx;
        ++ty;
    }
    // An inactive gradient would draw in whatever colour the last effect copy left in the context.
    if (gradient && gradient->Active()) {
        ::SetTextColor(dc, Ref(textColor));
        DrawGradientTextLine(*gradient, dc, text, tx, ty, clip);
    } else {
        out(textColor, tx, ty);
    }
}

// ---- bevels

TBevelColors CurrentBevelColors()
{
    // Under a contrast theme every bevel line is a frame in the text colour.
    if (ContrastTheme()) {
        const TColor frame = RoleColor(TColorRole::Frame, clBtnShadow);
        return {frame, frame, frame};
    }
    if (const Tgl3DLocalColors* local = Local3DColorsStack.Head())
        return {local->DkShadow(), local->Highlight(), local->Shadow()};
    return {cl3DDkShadow, clBtnHighlight, clBtnShadow};
}

namespace {

struct BevelPens {
    HDC dc;
    HPEN dkShadow, highlight, shadow;
    // A line from (x1, y1) to (x2, y2), the last point left out.
    void Line(HPEN pen, int x1, int y1, int x2, int y2) const
    {
        ScopedSelect use(dc, pen);
        ::MoveToEx(dc, x1, y1, nullptr);
        ::LineTo(dc, x2, y2);
    }
};

// One cut on `r` (inclusive right and bottom), sides in the order left, top, right, bottom; each side's
// edge of `r` moves in by the lines drawn on it.
void DrawBevelCut(const BevelPens& p, RECT& r, TBevelCut cut, TglSides sides, bool bold)
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    const bool left = sides & fsdLeft, top = sides & fsdTop, right = sides & fsdRight, bottom = sides & fsdBottom;
    int dl = 0, dt = 0, dr = 0, db = 0;
    switch (cut) {
    case TBevelCut::bvLowered:
        if (left) {
            if (bold) {
                p.Line(p.dkShadow, L, T, L, B);
                p.Line(p.shadow, L + 1, T + 1, L + 1, bottom ? B : B + 1);
                dl = 2;
            } else {
                p.Line(p.shadow, L, T, L, B);
                dl = 1;
            }
        }
        if (top) {
            if (bold) {
                p.Line(p.dkShadow, L, T, R, T);
                p.Line(p.shadow, L + 1, T + 1, R, T + 1);
                dt = 2;
            } else {
                p.Line(p.shadow, L, T, R, T);
                dt = 1;
            }
        }
        if (right) {
            p.Line(p.highlight, R, T, R, B);
            dr = 1;
        }
        if (bottom) {
            p.Line(p.highlight, L, B, R + 1, B);
            db = 1;
        }
        break;
    case TBevelCut::bvRaised:
        if (left) {
            p.Line(p.highlight, L, T, L, B + 1);
            dl = 1;
        }
        if (top) {
            p.Line(p.highlight, L, T, R, T);
            dt = 1;
        }
        if (right) {
            if (bold) {
                p.Line(p.dkShadow, R, T, R, B + 1);
                p.Line(p.shadow, R - 1, T + 1, R - 1, B + 1);
                dr = 2;
            } else {
                p.Line(p.shadow, R, T, R, B + 1);
                dr = 1;
            }
        }
        if (bottom) {
            if (bold) {
                p.Line(p.dkShadow, L, B, R, B);
                p.Line(p.shadow, left ? L + 1 : L, B - 1, R, B - 1);
                db = 2;
            } else {
                p.Line(p.shadow, L, B, R, B);
                db = 1;
            }
        }
        break;
    case TBevelCut::bvSpace:
        if (left) {
            p.Line(p.shadow, L, T, L, B);
            dl = 1;
        }
        if (top) {
            p.Line(p.shadow, L, T, R, T);
            dt = 1;
        }
        if (right) {
            p.Line(p.shadow, R, T, R, B);
            dr = 1;
        }
        if (bottom) {
            p.Line(p.shadow, L, B, R + 1, B);
            db = 1;
        }
        break;
    default: break;
    }
    r.left += dl;
    r.top += dt;
    r.right -= dr;
    r.bottom -= db;
}

// Style and width of the pen selected in `dc` (width 0 counts as 1).
void SelectedPen(HDC dc, int& style, int& width)
{
    style = PS_SOLID;
    width = 1;
    HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN);
    if (::GetObjectType(pen) == OBJ_EXTPEN) {
        EXTLOGPEN elp{};
        if (::GetObjectA(pen, sizeof elp, &elp)) {
            style = static_cast<int>(elp.elpPenStyle & PS_STYLE_MASK);
            width = static_cast<int>(elp.elpWidth);
        }
    } else {
        LOGPEN lp{};
        if (::GetObjectA(pen, sizeof lp, &lp)) {
            style = static_cast<int>(lp.lopnStyle);
            width = lp.lopnWidth.x;
        }
    }
    if (width <= 0)
        width = 1;
}

} // namespace

RECT DrawBevelBox(HDC dc, RECT r, bool noFill, TColor fill, TBevelCut outer, TBevelCut inner, TglSides sides,
                  bool bold, int lineWidth)
{
    const TBevelColors colors = CurrentBevelColors();
    if (outer != TBevelCut::bvNone || inner != TBevelCut::bvNone) {
        int style, width;
        SelectedPen(dc, style, width);
        GdiHandle<HPEN> dk(::CreatePen(style, width, Ref(colors.dkShadow)));
        GdiHandle<HPEN> hi(::CreatePen(style, width, Ref(colors.highlight)));
        GdiHandle<HPEN> sh(::CreatePen(style, width, Ref(colors.shadow)));
        POINT pos;
        ::GetCurrentPositionEx(dc, &pos);
        const BevelPens pens{dc, dk.get(), hi.get(), sh.get()};
        for (int i = 0; i < lineWidth; ++i)
            DrawBevelCut(pens, r, outer, sides, bold);
        for (int i = 0; i < lineWidth; ++i)
            DrawBevelCut(pens, r, inner, sides, bold);
        ::MoveToEx(dc, pos.x, pos.y, nullptr);
    }
    if (!noFill && r.right >= r.left && r.bottom >= r.top) {
        GdiHandle<HBRUSH> brush(::CreateSolidBrush(Ref(RoleColor(TColorRole::Face, fill))));
        const RECT inside{r.left, r.top, r.right + 1, r.bottom + 1};
        ::FillRect(dc, &inside, brush.get());
    }
    return r;
}

// ---- bitmaps

namespace {

constexpr DWORD kDestAndNotSource = 0x00220326; // DSna
constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A; // PSDPxax: white source keeps the destination

SIZE BitmapSize(HBITMAP bmp)
{
    BITMAP bm{};
    if (!bmp || !::GetObjectA(bmp, sizeof bm, &bm))
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// The mask from a context that holds the source: a colour-to-monochrome copy turns the pixels of the
// source context's background colour white and every other pixel black.
HBITMAP MaskFrom(HDC source, int w, int h, TColor transparent)
{
    HBITMAP mask = ::CreateBitmap(w, h, 1, 1, nullptr);
    if (!mask)
        return nullptr;
    MemoryDC maskDC(source);
    maskDC.Hold(mask);
    const COLORREF oldBack = ::SetBkColor(source, Ref(transparent));
    ::BitBlt(maskDC.get(), 0, 0, w, h, source, 0, 0, SRCCOPY);
    ::SetBkColor(source, oldBack);
    return mask;
}

void TransparentFrom(HDC dc, const RECT& dest, HDC source, int w, int h, TColor transparent)
{
    GdiHandle<HBITMAP> mask(MaskFrom(source, w, h, transparent));
    if (!mask)
        return;
    MemoryDC maskDC(dc);
    maskDC.Hold(mask.get());
    // The picture with its transparent pixels made black, to be painted into the hole the mask cut.
    MemoryDC pictureDC(dc);
    GdiHandle<HBITMAP> picture(::CreateCompatibleBitmap(dc, w, h));
    if (!picture)
        return;
    pictureDC.Hold(picture.get());
    ::BitBlt(pictureDC.get(), 0, 0, w, h, source, 0, 0, SRCCOPY);
    ::SetTextColor(pictureDC.get(), RGB(0, 0, 0));
    ::SetBkColor(pictureDC.get(), RGB(255, 255, 255));
    ::BitBlt(pictureDC.get(), 0, 0, w, h, maskDC.get(), 0, 0, kDestAndNotSource);

    // Monochrome bits turn into the destination's text colour (0) and background colour (1).
    ScopedColors keep(dc);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    ::StretchBlt(dc, dest.left, dest.top, dw, dh, maskDC.get(), 0, 0, w, h, SRCAND);
    ::StretchBlt(dc, dest.left, dest.top, dw, dh, pictureDC.get(), 0, 0, w, h, SRCPAINT);
}

} // namespace

HBITMAP CreateMaskBitmap(HBITMAP source, TColor transparent)
{
    const SIZE s = BitmapSize(source);
    if (s.cx <= 0 || s.cy <= 0)
        return nullptr;
    MemoryDC sourceDC(nullptr);
    sourceDC.Hold(source);
    return MaskFrom(sourceDC.get(), s.cx, s.cy, transparent);
}

void DrawTransparentBitmap(HDC dc, RECT dest, HBITMAP source, TColor transparent)
{
    const SIZE s = BitmapSize(source);
    if (s.cx <= 0 || s.cy <= 0)
        return;
    MemoryDC sourceDC(dc);
    sourceDC.Hold(source);
    TransparentFrom(dc, dest, sourceDC.get(), s.cx, s.cy, transparent);
}

void DrawTransparentBitmap(HDC dc, RECT dest, TBitmap& source, TColor transparent)
{
    if (!source.Empty())
        TransparentFrom(dc, dest, source.Canvas().Handle(), source.Width(), source.Height(), transparent);
}

void DrawGlyph(HDC dc, int x, int y, TBitmap& glyph, TColor transparent, bool enabled, const RECT* stretch)
{
    if (glyph.Empty())
        return;
    const int w = glyph.Width(), h = glyph.Height();
    const RECT dest = stretch ? *stretch : RECT{x, y, x + w, y + h};
    // The glyph's own context holds its bitmap; a bitmap can be selected into one context only.
    HDC source = glyph.Canvas().Handle();
    if (enabled) {
        TransparentFrom(dc, dest, source, w, h, transparent);
        return;
    }
    GdiHandle<HBITMAP> mask(MaskFrom(source, w, h, transparent));
    if (!mask)
        return;
    MemoryDC maskDC(dc);
    maskDC.Hold(mask.get());
    ScopedColors keep(dc);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    auto stamp = [&](TColor c, int offset) {
        GdiHandle<HBRUSH> brush(::CreateSolidBrush(Ref(c)));
        ScopedSelect use(dc, brush.get());
        ::StretchBlt(dc, dest.left + offset, dest.top + offset, dw, dh, maskDC.get(), 0, 0, w, h,
                     kBrushWhereSourceBlack);
    };
    if (!ContrastTheme())
        stamp(clBtnHighlight, 1);
    stamp(RoleColor(TColorRole::Disabled, clBtnShadow), 0);
}

void CopyParentImage(const TControl& control, HDC dc)
{
    TWinControl* parent = control.Parent();
    if (!parent)
        return;
    ScopedDCState state(dc);
    const RECT b = control.BoundsRect();
    POINT org;
    ::GetViewportOrgEx(dc, &org);
    ::SetViewportOrgEx(dc, org.x - b.left, org.y - b.top, nullptr);
    ::IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
    if (HWND wnd = parent->HandleIfAllocated())
        ::SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->PaintWindow(dc);
    // Only the siblings below: painting the control itself (or those above it) from here would recurse.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == &control)
            break;
        if (c->IsWindowed() || !c->Visible())
            continue;
        RECT inter;
        const RECT cb = c->BoundsRect();
        if (!::IntersectRect(&inter, &cb, &b))
            continue;
        ScopedDCState child(dc);
        ::SetViewportOrgEx(dc, org.x - b.left + cb.left, org.y - b.top + cb.top, nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->PaintTo(dc);
    }
}

TColor CornerPixelColor(TBitmap& bitmap, TglAutoTransparentColor corner)
{
    if (bitmap.Empty() || bitmap.Width() <= 0 || bitmap.Height() <= 0)
        return clNone;
    const int r = bitmap.Width() - 1, b = bitmap.Height() - 1;
    switch (corner) {
    case TglAutoTransparentColor::ftcLeftTopPixel: return bitmap.Pixel(0, 0);
    case TglAutoTransparentColor::ftcLeftBottomPixel: return bitmap.Pixel(0, b);
    case TglAutoTransparentColor::ftcRightTopPixel: return bitmap.Pixel(r, 0);
    case TglAutoTransparentColor::ftcRightBottomPixel: return bitmap.Pixel(r, b);
    default: return clNone;
    }
}

} // namespace zv
