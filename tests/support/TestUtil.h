// Helpers shared by the suites: pumping the message loop for a while, and painting into a DIB.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/Colors.h"
#include "framework/Controls.h"

namespace zv::test {

// Serves messages for `ms` milliseconds (or until `until` returns true).
void Pump(int ms, const std::function<bool()>& until = {});

// A control owned by `owner`, placed on `parent` with the given bounds.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height)
{
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

// A 32-bit top-down DIB section selected into its own memory DC, for pixel tests.
class TDib {
public:
    TDib(int width, int height, TColor fill = 0xFFFFFF);
    ~TDib();
    TDib(const TDib&) = delete;
    TDib& operator=(const TDib&) = delete;
    HDC DC() const { return dc_; }
    int Width() const { return w_; }
    int Height() const { return h_; }
    // The pixel as a framework colour (red in the low byte).
    TColor Pixel(int x, int y) const;
    void Save(const char* bmpPath) const;

private:
    int w_, h_;
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    unsigned* bits_ = nullptr;
};

// The objects currently selected into a DC, to check that painting gives them back.
struct TDCObjects {
    HGDIOBJ pen, brush, font, bitmap;
    COLORREF textColor, bkColor;
    int bkMode;
    static TDCObjects Of(HDC dc);
    bool operator==(const TDCObjects& o) const;
};

} // namespace zv::test
