#include "controls/styled/glRecolor.h"


namespace zv {

void ReplaceColor(TBitmap& bitmap, TColor from, TColor to)
{
    if (bitmap.Empty() || ColorToRGB(from) == ColorToRGB(to))
        return;
    // The bitmap stays selected in its own canvas, so the mask is made from that context.
    HDC dc = bitmap.Canvas().Handle();
    const int w = bitmap.Width(), h = bitmap.Height();
    GdiHandle<HBITMAP> mask(::CreateBitmap(w, h, 1, 1, nullptr));
    if (!mask)
        return;
    HDC maskDC = ::CreateCompatibleDC(dc);
    {
        ScopedSelect maskSel(maskDC, mask.get());
        // Colour to monochrome: the source's background colour becomes white, every other black.
        const COLORREF oldBack = ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(from)));
        ::BitBlt(maskDC, 0, 0, w, h, dc, 0, 0, SRCCOPY);
        ::SetBkColor(dc, oldBack);
        GdiHandle<HBRUSH> brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(to))));
        ScopedSelect brushSel(dc, brush.get());
        // Where the mask is white (the old colour) the brush, elsewhere what was there: D = S ? P : D.
        // A monochrome source maps its white to the background colour and its black to the text colour.
        const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
        const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
        constexpr DWORD kDSPDxax = 0x00E20746;
        ::BitBlt(dc, 0, 0, w, h, maskDC, 0, 0, kDSPDxax);
        ::SetBkColor(dc, back);
        ::SetTextColor(dc, text);
    }
    ::DeleteDC(maskDC);
}

} // namespace zv
