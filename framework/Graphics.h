// Fonts, pens, brushes, the canvas over a device context, and DIB-backed bitmaps.
// Every GDI object is owned by a scoped holder; every selection into a device context is undone
// before the operation that made it returns.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Colors.h"

namespace zv {

// Owns one GDI object; copying is deleted, moving hands it over.
template <class H>
class GdiHandle {
public:
    GdiHandle() = default;
    explicit GdiHandle(H h) : h_(h) {}
    ~GdiHandle() { reset(); }
    GdiHandle(const GdiHandle&) = delete;
    GdiHandle& operator=(const GdiHandle&) = delete;
    GdiHandle(GdiHandle&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
    GdiHandle& operator=(GdiHandle&& o) noexcept
    {
        if (this != &o) {
            reset();
            h_ = o.h_;
            o.h_ = nullptr;
        }
        return *this;
    }
    void reset(H h = nullptr)
    {
        if (h_)
            ::DeleteObject(h_);
        h_ = h;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    H h_ = nullptr;
};

// Selects an object into a device context for the life of the scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelect()
    {
        if (old_)
            ::SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC / RestoreDC for the life of the scope.
class ScopedDCState {
public:
    explicit ScopedDCState(HDC dc) : dc_(dc), id_(::SaveDC(dc)) {}
    ~ScopedDCState() { ::RestoreDC(dc_, id_); }
    ScopedDCState(const ScopedDCState&) = delete;
    ScopedDCState& operator=(const ScopedDCState&) = delete;

private:
    HDC dc_;
    int id_;
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    void Assign(const TFont& other);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    // The height scaled from 96 dpi to `dpi`, and the dpi kept with it, in one change.
    void ScaleHeight(int designHeight, int dpi);
    HFONT Handle() const;
    bool operator==(const TFont& o) const;

    std::function<void()> OnChange;

private:
    // Everything of the GDI font but its colour.
    bool SameFace(const TFont& o) const;
    void Changed();
    // The face asked of the system: past 96 dpi the raster "MS Sans Serif", which has six sizes and
    // would come out smaller than scaled, is asked as its TrueType design, "Microsoft Sans Serif".
    std::string FaceForDpi() const;
    std::string name_;
    int height_;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    int charset_ = DEFAULT_CHARSET;
    int pixelsPerInch_ = 96; // the dpi the height was scaled for
    mutable GdiHandle<HFONT> handle_;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    int Width() const { return width_; }
    void SetWidth(int w);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle s);
    HPEN Handle() const;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    mutable TColor rgb_ = clBlack;
    mutable GdiHandle<HPEN> handle_;
};

// The hatched styles follow in the window system's hatch order (bsHorizontal is HS_HORIZONTAL).
enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle s);
    HBRUSH Handle() const;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    mutable TColor rgb_ = clWhite;
    mutable GdiHandle<HBRUSH> handle_;
};

class TBitmap;

// Drawing on a device context with the canvas's pen, brush and font. Each operation selects what
// it needs and restores the context's own objects, text colour and background mode before returning.
class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) : dc_(dc) {}
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc) { dc_ = dc; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }
    POINT PenPos() const { return penPos_; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const POINT* points, int count);
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void Ellipse(int l, int t, int r, int b);
    void Ellipse(const RECT& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const RECT& r, int x, int y, const std::string& text);
    int DrawText(const std::string& text, RECT& r, UINT format);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& r, TBitmap& bitmap);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& src);
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

private:
    HDC dc_ = nullptr;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    DWORD copyMode_ = SRCCOPY;
    POINT penPos_{0, 0};
};

enum class TPixelFormat { pf1bit, pf24bit, pf32bit };

// A device-independent bitmap with its own memory device context for drawing.
class TBitmap {
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat f);
    bool Monochrome() const { return format_ == TPixelFormat::pf1bit; }
    // Turning a colour bitmap monochrome maps the canvas's brush colour to white and every other
    // colour to black, as the window system's colour-to-mono blit does.
    void SetMonochrome(bool mono);
    void SetSize(int w, int h);
    void SetWidth(int w) { SetSize(w, height_); }
    void SetHeight(int h) { SetSize(width_, h); }
    void Assign(const TBitmap& other);
    bool LoadFromResourceName(HINSTANCE instance, const char* name);
    // Lets go of the picture and its memory: the bitmap is empty afterwards.
    void Clear();
    HBITMAP Handle() const { return bitmap_.get(); }
    TCanvas& Canvas();
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor c);

private:
    void Recreate(int w, int h, TPixelFormat f, bool keepContent);
    void ReleaseDC();
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    GdiHandle<HBITMAP> bitmap_;
    HDC memDC_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
};

// Disabled text, the classic way: a highlight copy one pixel right and down, then the shadow in place.
// The canvas's font colour and brush style are left as they were.
void DrawDisabledText(TCanvas& canvas, const std::string& text, RECT r, UINT format);

// The dotted focus rectangle, inverting what lies under it; under a contrast theme its dots are `ink` (the
// colour the roles give text there), so that they stay among the theme's colours.
void DrawFocusCue(HDC dc, const RECT& r, TColor ink);

// Height in pixels of the screen's logical inch (96 at normal size).
int ScreenPixelsPerInch();

// A memory device context for measuring text, made once for the process: a measurement needs no
// window, and a screen device context costs a call to the window server each time. Whoever selects
// into it restores what it found.
HDC MeasureDC();

} // namespace zv
