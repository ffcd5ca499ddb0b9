#include "tests/support/TestUtil.h"

#include <cstdio>

#include "framework/Application.h"

namespace zv::test {

void Pump(int ms, const std::function<bool()>& until)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (Application)
            Application->ProcessMessages();
        if (until && until())
            return;
        if (static_cast<int>(::GetTickCount() - start) >= ms)
            return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

TDib::TDib(int width, int height, TColor fill) : w_(width), h_(height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_ = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<unsigned*>(bits);
    dc_ = ::CreateCompatibleDC(nullptr);
    old_ = ::SelectObject(dc_, bmp_);
    HBRUSH b = ::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(fill)));
    RECT r{0, 0, width, height};
    ::FillRect(dc_, &r, b);
    ::DeleteObject(b);
}

TDib::~TDib()
{
    ::SelectObject(dc_, old_);
    ::DeleteDC(dc_);
    ::DeleteObject(bmp_);
}

TColor TDib::Pixel(int x, int y) const
{
    ::GdiFlush();
    const unsigned v = bits_[y * w_ + x];
    return RGBColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void TDib::Save(const char* path) const
{
    ::GdiFlush();
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = w_;
    ih.biHeight = -h_;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    const DWORD size = static_cast<DWORD>(w_ * h_ * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + size;
    if (FILE* f = std::fopen(path, "wb")) {
        std::fwrite(&fh, sizeof fh, 1, f);
        std::fwrite(&ih, sizeof ih, 1, f);
        std::fwrite(bits_, size, 1, f);
        std::fclose(f);
    }
}

TDCObjects TDCObjects::Of(HDC dc)
{
    return TDCObjects{::GetCurrentObject(dc, OBJ_PEN), ::GetCurrentObject(dc, OBJ_BRUSH), ::GetCurrentObject(dc, OBJ_FONT),
                      ::GetCurrentObject(dc, OBJ_BITMAP), ::GetTextColor(dc), ::GetBkColor(dc), ::GetBkMode(dc)};
}

bool TDCObjects::operator==(const TDCObjects& o) const
{
    return pen == o.pen && brush == o.brush && font == o.font && bitmap == o.bitmap && textColor == o.textColor &&
           bkColor == o.bkColor && bkMode == o.bkMode;
}

} // namespace zv::test
