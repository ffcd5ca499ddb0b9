// The ledger sees what the code under test makes and frees, including the framework's own holders.
#include <gtest/gtest.h>

#include <sstream>

#include "framework/Graphics.h"
#include "tests/support/GdiLedger.h"
#include "tests/support/TestUtil.h"

namespace zv {
namespace {

using test::GdiLedger;

TEST(GdiLedger, CatchesALeakAndNamesWhatMadeIt)
{
    ASSERT_GT(GdiLedger::PatchedEntries(), 0);
    HPEN kept = nullptr;
    {
        GdiLedger ledger;
        HBRUSH freed = ::CreateSolidBrush(RGB(1, 2, 3));
        kept = ::CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
        HDC mem = ::CreateCompatibleDC(nullptr);
        HDC screen = ::GetDC(nullptr);
        ::DeleteObject(freed);
        ::DeleteDC(mem);
        ::ReleaseDC(nullptr, screen);

        const test::GdiTally left = ledger.Outstanding();
        EXPECT_EQ(1, left.total);
        EXPECT_EQ(1, left.byMaker.at("CreatePen"));
        EXPECT_EQ(4, ledger.Made().total);
        EXPECT_EQ(1, ledger.Calls("DeleteDC"));
        std::ostringstream text;
        text << left;
        EXPECT_EQ("1 (CreatePen 1)", text.str());
        EXPECT_FALSE(ledger.Outstanding() == 0);

        ::DeleteObject(kept);
        EXPECT_EQ(ledger.Outstanding(), 0);
    }
    // Made before the ledger, freed while it lives: not counted against it.
    HBRUSH before = ::CreateSolidBrush(RGB(7, 8, 9));
    GdiLedger ledger;
    ::DeleteObject(before);
    EXPECT_EQ(ledger.Outstanding(), 0);
    EXPECT_EQ(ledger.Made(), 0);
}

TEST(GdiLedger, SeesTheFrameworksScopedHolders)
{
    test::TDib dib(8, 8);
    GdiLedger ledger;
    {
        TCanvas canvas(dib.DC());
        canvas.Pen().SetColor(clRed);
        canvas.Brush().SetColor(clBlue);
        canvas.Rectangle(0, 0, 8, 8);
        EXPECT_EQ(2, ledger.Outstanding().total);
    }
    EXPECT_EQ(ledger.Outstanding(), 0);
    EXPECT_EQ(1, ledger.Made().byMaker["CreatePen"]);
    EXPECT_EQ(1, ledger.Made().byMaker["CreateSolidBrush"]);
}

} // namespace
} // namespace zv
