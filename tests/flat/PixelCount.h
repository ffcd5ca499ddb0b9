// Counting and refilling pixels of a test DIB.
#pragma once

#include <functional>

#include "tests/support/TestUtil.h"

namespace zv::test {

// Pixels in [x0, x1) x [y0, y1) for which `pred` holds.
inline int CountPixels(const TDib& dib, int x0, int y0, int x1, int y1,
                       const std::function<bool(int x, int y, TColor c)>& pred)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += pred(x, y, dib.Pixel(x, y)) ? 1 : 0;
    return n;
}

inline int CountColour(const TDib& dib, TColor c)
{
    const TColor plain = ColorToRGB(c);
    return CountPixels(dib, 0, 0, dib.Width(), dib.Height(), [plain](int, int, TColor p) { return p == plain; });
}

inline void FillDib(TDib& dib, TColor c)
{
    HBRUSH b = ::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(c)));
    RECT r{0, 0, dib.Width(), dib.Height()};
    ::FillRect(dib.DC(), &r, b);
    ::DeleteObject(b);
}

} // namespace zv::test
