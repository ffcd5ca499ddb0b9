#include "framework/Graphics.h"

#include "framework/ColorRoles.h"
#include "framework/Dpi.h"
#include "framework/Inflate.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zv {

void DrawDisabledText(TCanvas& canvas, const std::string& text, RECT r, UINT format)
{
    const TColor keep = canvas.Font().Color();
    const TBrushStyle keepBrush = canvas.Brush().Style();
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    // A contrast theme has one colour for disabled text, and no embossing.
    if (!ContrastTheme()) {
        ::OffsetRect(&r, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(text, r, format);
        ::OffsetRect(&r, -1, -1);
    }
    canvas.Font().SetColor(RoleColor(TColorRole::Disabled, clBtnShadow));
    canvas.DrawText(text, r, format);
    canvas.Font().SetColor(keep);
    canvas.Brush().SetStyle(keepBrush);
}

void DrawFocusCue(HDC dc, const RECT& r, TColor ink)
{
    if (!ContrastTheme()) {
        ::DrawFocusRect(dc, &r);
        return;
    }
    // Every other pixel of the outline, as the inverting rectangle has them, in the one colour.
    const COLORREF c = static_cast<COLORREF>(ColorToRGB(ink));
    for (int x = r.left; x < r.right; x += 2) {
        ::SetPixelV(dc, x, r.top, c);
        ::SetPixelV(dc, x, r.bottom - 1, c);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        ::SetPixelV(dc, r.left, y, c);
        ::SetPixelV(dc, r.right - 1, y, c);
    }
}

int ScreenPixelsPerInch()
{
    static int ppi = [] {
        HDC dc = ::GetDC(nullptr);
        int v = ::GetDeviceCaps(dc, LOGPIXELSY);
        ::ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return ppi;
}

HDC MeasureDC()
{
    static HDC dc = ::CreateCompatibleDC(nullptr);
    return dc;
}

// ---- TFont

TFont::TFont() : name_("MS Sans Serif"), height_(-11) {}

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_), charset_(other.charset_),
      pixelsPerInch_(other.pixelsPerInch_)
{
}

TFont& TFont::operator=(const TFont& other)
{
    Assign(other);
    return *this;
}

void TFont::Assign(const TFont& other)
{
    if (this == &other || *this == other)
        return;
    if (SameFace(other)) {
        SetColor(other.color_); // the same GDI font in another colour keeps its handle
        return;
    }
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    pixelsPerInch_ = other.pixelsPerInch_;
    Changed();
}

bool TFont::SameFace(const TFont& o) const
{
    return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && charset_ == o.charset_ &&
           pixelsPerInch_ == o.pixelsPerInch_;
}

bool TFont::operator==(const TFont& o) const { return SameFace(o) && color_ == o.color_; }

void TFont::Changed()
{
    handle_.reset();
    if (OnChange)
        OnChange();
}

void TFont::SetName(const std::string& name)
{
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

// Points are taken at 96 dpi, the dpi the layouts are drawn for; a form scales the height to its own.
int TFont::Size() const { return -::MulDiv(height_, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-::MulDiv(points, 96, 72)); }

void TFont::ScaleHeight(int designHeight, int dpi)
{
    const int height = ScaleForDpi(designHeight, dpi);
    if (height != height_ || dpi != pixelsPerInch_) {
        height_ = height;
        pixelsPerInch_ = dpi;
        Changed();
    }
}

std::string TFont::FaceForDpi() const
{
    // Windows has shipped the TrueType design with every version since 2000; on a system without it
    // the font mapper takes the face FontSubstitutes names for it.
    if (pixelsPerInch_ > kDesignDpi && ::lstrcmpiA(name_.c_str(), "MS Sans Serif") == 0)
        return "Microsoft Sans Serif";
    return name_;
}

void TFont::SetStyle(TFontStyles style)
{
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color)
{
    if (color != color_) {
        color_ = color;
        // The colour is not part of the GDI font: no new handle needed.
        if (OnChange)
            OnChange();
    }
}

void TFont::SetCharset(int charset)
{
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

HFONT TFont::Handle() const
{
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, FaceForDpi().c_str(), LF_FACESIZE - 1);
        handle_.reset(::CreateFontIndirectA(&lf));
    }
    return handle_.get();
}

// ---- TPen, TBrush

void TPen::SetColor(TColor c)
{
    if (c != color_) {
        color_ = c;
        handle_.reset();
    }
}

void TPen::SetWidth(int w)
{
    if (w != width_) {
        width_ = w;
        handle_.reset();
    }
}

void TPen::SetStyle(TPenStyle s)
{
    if (s != style_) {
        style_ = s;
        handle_.reset();
    }
}

HPEN TPen::Handle() const
{
    // A system colour is looked up again: the user may have changed the scheme since the pen was made.
    if (!handle_ || ColorToRGB(color_) != rgb_) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        rgb_ = ColorToRGB(color_);
        handle_.reset(::CreatePen(styles[static_cast<int>(style_)], width_, static_cast<COLORREF>(rgb_)));
    }
    return handle_.get();
}

void TBrush::SetColor(TColor c)
{
    // Giving a clear brush a colour makes it solid again, as with any framework brush.
    if (c != color_ || style_ == TBrushStyle::bsClear) {
        color_ = c;
        style_ = TBrushStyle::bsSolid;
        handle_.reset();
    }
}

void TBrush::SetStyle(TBrushStyle s)
{
    if (s != style_) {
        style_ = s;
        handle_.reset();
    }
}

HBRUSH TBrush::Handle() const
{
    // A system colour is looked up again: the user may have changed the scheme since the brush was made.
    if (!handle_ || ColorToRGB(color_) != rgb_) {
        rgb_ = ColorToRGB(color_);
        if (style_ == TBrushStyle::bsClear) {
            LOGBRUSH lb{BS_NULL, 0, 0};
            handle_.reset(::CreateBrushIndirect(&lb));
        } else if (style_ == TBrushStyle::bsSolid) {
            handle_.reset(::CreateSolidBrush(static_cast<COLORREF>(rgb_)));
        } else {
            handle_.reset(::CreateHatchBrush(static_cast<int>(style_) - 2, static_cast<COLORREF>(rgb_)));
        }
    }
    return handle_.get();
}

// ---- TCanvas

namespace {
// Selections and text settings for one canvas operation, all undone at scope end.
class OpScope {
public:
    OpScope(HDC dc, HGDIOBJ pen, HGDIOBJ brush, HGDIOBJ font)
        : dc_(dc), pen_(dc, pen), brush_(dc, brush), font_(dc, font), textColor_(::GetTextColor(dc)),
          bkColor_(::GetBkColor(dc)), bkMode_(::GetBkMode(dc))
    {
    }
    ~OpScope()
    {
        ::SetTextColor(dc_, textColor_);
        ::SetBkColor(dc_, bkColor_);
        ::SetBkMode(dc_, bkMode_);
    }

private:
    HDC dc_;
    ScopedSelect pen_, brush_, font_;
    COLORREF textColor_, bkColor_;
    int bkMode_;
};
} // namespace

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int x, int y)
{
    OpScope s(dc_, pen_.Handle(), nullptr, nullptr);
    POINT old;
    ::MoveToEx(dc_, penPos_.x, penPos_.y, &old);
    ::LineTo(dc_, x, y);
    ::MoveToEx(dc_, old.x, old.y, nullptr);
    penPos_ = {x, y};
}

void TCanvas::Polyline(const POINT* points, int count)
{
    OpScope s(dc_, pen_.Handle(), nullptr, nullptr);
    ::Polyline(dc_, points, count);
}

void TCanvas::Rectangle(int l, int t, int r, int b)
{
    OpScope s(dc_, pen_.Handle(), brush_.Handle(), nullptr);
    ::Rectangle(dc_, l, t, r, b);
}

void TCanvas::Ellipse(int l, int t, int r, int b)
{
    OpScope s(dc_, pen_.Handle(), brush_.Handle(), nullptr);
    ::Ellipse(dc_, l, t, r, b);
}

void TCanvas::FillRect(const RECT& r)
{
    if (brush_.Style() != TBrushStyle::bsClear)
        ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) { ::FrameRect(dc_, &r, brush_.Handle()); }

namespace {
void PrepareText(HDC dc, TFont& font, TBrush& brush)
{
    ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(font.Color())));
    if (brush.Style() == TBrushStyle::bsClear) {
        ::SetBkMode(dc, TRANSPARENT);
    } else {
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(brush.Color())));
    }
}
} // namespace

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    OpScope s(dc_, nullptr, nullptr, font_.Handle());
    PrepareText(dc_, font_, brush_);
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text)
{
    OpScope s(dc_, nullptr, nullptr, font_.Handle());
    PrepareText(dc_, font_, brush_);
    UINT opts = ETO_CLIPPED;
    if (brush_.Style() != TBrushStyle::bsClear)
        opts |= ETO_OPAQUE;
    ::ExtTextOutA(dc_, x, y, opts, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, RECT& r, UINT format)
{
    OpScope s(dc_, nullptr, nullptr, font_.Handle());
    PrepareText(dc_, font_, brush_);
    return ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, format);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    OpScope s(dc_, nullptr, nullptr, font_.Handle());
    SIZE sz{0, 0};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &sz);
    return sz;
}

// A picture whose pixel format differs from the device's is converted on the way, into a buffer the
// size of the part copied. Copying a large picture in bands of rows, and only the rows the clipping
// leaves, keeps that buffer small: one the size of a whole picture would stay with the process after
// it is freed, as the top of the heap. The result is the same pixels as one copy.
void TCanvas::Draw(int x, int y, TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    HDC src = bitmap.Canvas().Handle();
    constexpr int kBandBytes = 64 * 1024;
    const int band = std::max(1, kBandBytes / (std::max(w, 1) * 4));
    if (band >= h) {
        ::BitBlt(dc_, x, y, w, h, src, 0, 0, copyMode_);
        return;
    }
    int top = 0;
    int bottom = h;
    RECT clip;
    const int kind = ::GetClipBox(dc_, &clip);
    if (kind == NULLREGION)
        return;
    if (kind != ERROR) {
        top = std::clamp(static_cast<int>(clip.top) - y, 0, h);
        bottom = std::clamp(static_cast<int>(clip.bottom) - y, top, h);
    }
    for (int row = top; row < bottom; row += band)
        ::BitBlt(dc_, x, y + row, w, std::min(band, bottom - row), src, 0, row, copyMode_);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    ::StretchBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, bitmap.Canvas().Handle(), 0, 0,
                 bitmap.Width(), bitmap.Height(), copyMode_);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& src)
{
    OpScope s(dc_, nullptr, brush_.Handle(), nullptr);
    ::StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(), src.left,
                 src.top, src.right - src.left, src.bottom - src.top, copyMode_);
}

TColor TCanvas::Pixel(int x, int y) const { return static_cast<TColor>(::GetPixel(dc_, x, y)); }

void TCanvas::SetPixel(int x, int y, TColor c) { ::SetPixelV(dc_, x, y, static_cast<COLORREF>(ColorToRGB(c))); }

// ---- TBitmap

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { ReleaseDC(); }

void TBitmap::ReleaseDC()
{
    if (memDC_) {
        ::SelectObject(memDC_, oldBitmap_);
        ::DeleteDC(memDC_);
        memDC_ = nullptr;
        oldBitmap_ = nullptr;
    }
}

void TBitmap::Clear()
{
    ReleaseDC();
    bitmap_.reset();
    width_ = 0;
    height_ = 0;
}

namespace {
HBITMAP CreateDib(int w, int h, TPixelFormat f)
{
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[2];
    } bi{};
    bi.h.biSize = sizeof(BITMAPINFOHEADER);
    bi.h.biWidth = w;
    bi.h.biHeight = -h; // top-down: row 0 is the top
    bi.h.biPlanes = 1;
    bi.h.biBitCount = f == TPixelFormat::pf1bit ? 1 : (f == TPixelFormat::pf24bit ? 24 : 32);
    bi.h.biCompression = BI_RGB;
    if (f == TPixelFormat::pf1bit) {
        bi.h.biClrUsed = 2;
        bi.colors[1] = RGBQUAD{255, 255, 255, 0};
    }
    void* bits = nullptr;
    return ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
}
} // namespace

void TBitmap::Recreate(int w, int h, TPixelFormat f, bool keepContent)
{
    GdiHandle<HBITMAP> fresh;
    if (w > 0 && h > 0)
        fresh.reset(CreateDib(w, h, f));
    HDC screen = ::GetDC(nullptr);
    HDC dst = ::CreateCompatibleDC(screen);
    if (fresh) {
        ScopedSelect sel(dst, fresh.get());
        if (keepContent && bitmap_) {
            Canvas(); // make sure the old bitmap is selected into its DC
            HDC src = memDC_;
            HDC monoDC = nullptr;
            GdiHandle<HBITMAP> mono;
            if (f == TPixelFormat::pf1bit && format_ != TPixelFormat::pf1bit) {
                // Colour to mono: the background colour of the source becomes white. Only a device-dependent
                // mono bitmap applies that rule (a 1-bit DIB takes the nearest colour of its table), so the
                // conversion passes through one.
                ::SetBkColor(memDC_, static_cast<COLORREF>(ColorToRGB(canvas_->Brush().Color())));
                mono.reset(::CreateBitmap(w, h, 1, 1, nullptr));
                monoDC = ::CreateCompatibleDC(screen);
                ::SelectObject(monoDC, mono.get());
                ::BitBlt(monoDC, 0, 0, w, h, memDC_, 0, 0, SRCCOPY);
                src = monoDC;
            }
            ::SetTextColor(dst, RGB(0, 0, 0));
            ::SetBkColor(dst, RGB(255, 255, 255));
            ::BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
            if (monoDC)
                ::DeleteDC(monoDC); // before `mono` is deleted, so the bitmap is no longer selected
        } else {
            RECT r{0, 0, w, h};
            ::FillRect(dst, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        }
    }
    ::DeleteDC(dst);
    ::ReleaseDC(nullptr, screen);
    ReleaseDC();
    bitmap_ = std::move(fresh);
    width_ = bitmap_ ? w : 0;
    height_ = bitmap_ ? h : 0;
    format_ = f;
}

void TBitmap::SetSize(int w, int h)
{
    if (w == width_ && h == height_ && bitmap_)
        return;
    Recreate(w, h, format_, false);
}

void TBitmap::SetPixelFormat(TPixelFormat f)
{
    if (f == format_)
        return;
    if (!bitmap_) {
        format_ = f;
        return;
    }
    Recreate(width_, height_, f, true);
}

void TBitmap::SetMonochrome(bool mono)
{
    if (mono == Monochrome())
        return;
    SetPixelFormat(mono ? TPixelFormat::pf1bit : TPixelFormat::pf24bit);
}

void TBitmap::Assign(const TBitmap& other)
{
    if (this == &other)
        return;
    format_ = other.format_;
    Recreate(other.width_, other.height_, other.format_, false);
    if (bitmap_) {
        TBitmap& src = const_cast<TBitmap&>(other);
        ::BitBlt(Canvas().Handle(), 0, 0, width_, height_, src.Canvas().Handle(), 0, 0, SRCCOPY);
    }
}

namespace {

// A bitmap file kept gzip-compressed as a ZBITMAP resource, expanded into the same DIB section that
// loading it as a BITMAP resource would give.
// The expanded file lives in pages of its own, given back to the system as soon as the picture is
// made: a heap block that size would stay with the process for its whole life.
class PageBlock {
public:
    explicit PageBlock(std::size_t size)
        : p_(size ? static_cast<std::uint8_t*>(::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
                  : nullptr)
    {
    }
    ~PageBlock()
    {
        if (p_)
            ::VirtualFree(p_, 0, MEM_RELEASE);
    }
    PageBlock(const PageBlock&) = delete;
    PageBlock& operator=(const PageBlock&) = delete;
    std::uint8_t* Data() const { return p_; }

private:
    std::uint8_t* p_;
};

HBITMAP LoadCompressedBitmap(HINSTANCE instance, const char* name)
{
    HRSRC res = ::FindResourceA(instance, name, "ZBITMAP");
    HGLOBAL global = res ? ::LoadResource(instance, res) : nullptr;
    const auto* packed = global ? static_cast<const std::uint8_t*>(::LockResource(global)) : nullptr;
    if (!packed)
        return nullptr;
    const std::size_t packedSize = ::SizeofResource(instance, res);
    const std::size_t size = GzipSize(packed, packedSize);
    if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || size > (64u << 20))
        return nullptr;
    PageBlock file(size);
    if (!file.Data() || !GunzipInto(packed, packedSize, file.Data(), size) || file.Data()[0] != 'B' ||
        file.Data()[1] != 'M')
        return nullptr;
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, file.Data(), sizeof fh);
    auto* info = reinterpret_cast<BITMAPINFO*>(file.Data() + sizeof fh);
    const BITMAPINFOHEADER& ih = info->bmiHeader;
    const long long stride = ((static_cast<long long>(ih.biWidth) * ih.biBitCount + 31) / 32) * 4;
    const long long bytes = stride * (ih.biHeight < 0 ? -static_cast<long long>(ih.biHeight) : ih.biHeight);
    if (ih.biSize < sizeof ih || ih.biWidth <= 0 || ih.biHeight == 0 || ih.biCompression != BI_RGB ||
        fh.bfOffBits > size || bytes > static_cast<long long>(size - fh.bfOffBits))
        return nullptr;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(screen, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    if (dib)
        std::memcpy(bits, file.Data() + fh.bfOffBits, static_cast<std::size_t>(bytes));
    return dib;
}

} // namespace

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const char* name)
{
    HBITMAP loaded = static_cast<HBITMAP>(::LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!loaded)
        loaded = LoadCompressedBitmap(instance, name);
    if (!loaded)
        return false;
    BITMAP bm{};
    ::GetObject(loaded, sizeof bm, &bm);
    ReleaseDC();
    bitmap_.reset(loaded);
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
    format_ = bm.bmBitsPixel == 1 ? TPixelFormat::pf1bit
                                  : (bm.bmBitsPixel == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    return true;
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>();
    if (!memDC_) {
        HDC screen = ::GetDC(nullptr);
        memDC_ = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        if (bitmap_)
            oldBitmap_ = ::SelectObject(memDC_, bitmap_.get());
    }
    canvas_->SetHandle(memDC_);
    return *canvas_;
}

TColor TBitmap::Pixel(int x, int y) { return Canvas().Pixel(x, y); }

void TBitmap::SetPixel(int x, int y, TColor c) { Canvas().SetPixel(x, y, c); }

} // namespace zv
