// What the styled drawing tests share: the full state of a device context, and the check that a routine
// called many times gives the context back as it found it and leaves no GDI object behind.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "tests/support/GdiLedger.h"
#include "tests/support/TestUtil.h"

namespace zv::test {

struct DCState {
    TDCObjects objects;
    POINT pos, viewport;
    RECT clip;
    int clipKind, rop2, mapMode, stretchMode;
    UINT textAlign;

    static DCState Of(HDC dc)
    {
        DCState s{TDCObjects::Of(dc), {}, {}, {}, 0, ::GetROP2(dc), ::GetMapMode(dc), ::GetStretchBltMode(dc),
                  ::GetTextAlign(dc)};
        ::GetCurrentPositionEx(dc, &s.pos);
        ::GetViewportOrgEx(dc, &s.viewport);
        s.clipKind = ::GetClipBox(dc, &s.clip);
        return s;
    }
    bool operator==(const DCState& o) const
    {
        return objects == o.objects && pos.x == o.pos.x && pos.y == o.pos.y && viewport.x == o.viewport.x &&
               viewport.y == o.viewport.y && ::EqualRect(&clip, &o.clip) && clipKind == o.clipKind &&
               rop2 == o.rop2 && mapMode == o.mapMode && stretchMode == o.stretchMode && textAlign == o.textAlign;
    }
};

// Runs `paint` `times` times on `dc` (with a pen position and colours of the test's own set first) and
// expects the context unchanged and every object freed.
inline void ExpectCleanPainting(const std::string& what, HDC dc, const std::function<void()>& paint, int times = 1000)
{
    ::MoveToEx(dc, 3, 4, nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetBkColor(dc, RGB(4, 5, 6));
    ::SetBkMode(dc, OPAQUE);
    const DCState before = DCState::Of(dc);
    GdiLedger ledger;
    for (int i = 0; i < times; ++i)
        paint();
    EXPECT_EQ(ledger.Outstanding(), 0) << what;
    EXPECT_TRUE(before == DCState::Of(dc)) << what << ": the context was not given back as it was";
}

// The bounding box of the pixels of one colour ({0,0,0,0} when there is none); right and bottom exclusive.
inline RECT BoxOf(const TDib& dib, TColor c)
{
    RECT box{dib.Width(), dib.Height(), -1, -1};
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            if (dib.Pixel(x, y) == c) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.right < 0 ? RECT{0, 0, 0, 0} : box;
}

// Pixels of one colour.
inline int CountColour(const TDib& dib, TColor c)
{
    int n = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            n += dib.Pixel(x, y) == c ? 1 : 0;
    return n;
}

} // namespace zv::test
