// The flat gauge: its range rules, its percentage, and its pixels.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/flat/FlatGauge.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "flat/PixelCount.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(236, 233, 216);
constexpr TColor kInk = clBlack;

std::unique_ptr<TFlatGauge> MakeGauge()
{
    auto g = std::make_unique<TFlatGauge>(nullptr);
    g->SetColor(kBack);
    g->Font().SetColor(kInk);
    return g;
}

// The percentage text as the gauge lays it out, drawn in `passes` colours one over the other on `fill`.
// Text is antialiased, so pixels are compared with such a reference rather than with a glyph mask.
std::unique_ptr<TDib> TextReference(TFlatGauge& g, TColor fill, std::initializer_list<TColor> passes)
{
    auto ref = std::make_unique<TDib>(g.Width(), g.Height(), fill);
    TCanvas c(ref->DC());
    c.Font().Assign(g.Font());
    c.Brush().SetStyle(TBrushStyle::bsClear);
    for (TColor colour : passes) {
        c.Font().SetColor(colour);
        RECT r{2, 2, g.Width() - 2, g.Height() - 2};
        c.DrawText(g.PercentText(), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    return ref;
}

TEST(FlatGaugeValues, PercentagesAreTruncatedAndFullOnlyAtTheMaximum)
{
    TFlatGauge g(nullptr);
    struct Case {
        int min, max, progress;
        const char* text;
    };
    const Case cases[] = {
        {0, 3, 2, "66 %"},     {0, 1000, 999, "99 %"}, {0, 1000, 1000, "100 %"}, {0, 100, 29, "29 %"},
        {0, 100, 57, "57 %"},  {0, 7, 1, "14 %"},      {-50, 50, 0, "50 %"},     {10, 20, 10, "0 %"},
        {0, 2000000000, 1999999999, "99 %"},           {-2147483647 - 1, 2147483647, 2147483647, "100 %"},
    };
    for (const Case& k : cases) {
        g.SetMinValue(-2147483647 - 1);
        g.SetMaxValue(k.max);
        g.SetMinValue(k.min);
        g.SetProgress(k.progress);
        EXPECT_EQ(k.text, g.PercentText()) << k.min << ".." << k.max << " at " << k.progress;
    }
    g.SetMinValue(0);
    g.SetMaxValue(100);
    g.SetProgress(25);
    EXPECT_EQ(35, g.BarWidth(141));
    g.SetProgress(100);
    EXPECT_EQ(141, g.BarWidth(141));
    // An empty range has no ratio: an empty bar at 0 %.
    g.SetMaxValue(0);
    EXPECT_EQ("0 %", g.PercentText());
    EXPECT_EQ(0, g.BarWidth(141));
}

TEST(FlatGaugeValues, RangeSettersKeepProgressInside)
{
    TFlatGauge g(nullptr);
    g.SetProgress(-5);
    EXPECT_EQ(0, g.Progress());
    g.SetProgress(500);
    EXPECT_EQ(100, g.Progress());

    g.SetMaxValue(60);
    EXPECT_EQ(60, g.Progress()) << "a lower maximum pulls progress down";
    g.SetMaxValue(-10);
    EXPECT_EQ(0, g.MaxValue()) << "a maximum below the minimum stores the minimum";
    EXPECT_EQ(0, g.Progress());

    g.SetMaxValue(100);
    g.SetProgress(10);
    g.SetMinValue(40);
    EXPECT_EQ(40, g.Progress()) << "a higher minimum pushes progress up";
    g.SetMinValue(300);
    EXPECT_EQ(100, g.MinValue()) << "a minimum above the maximum stores the maximum";
    EXPECT_EQ(100, g.Progress());
}

// With a minimum above 0 the bar measures from the minimum, not from 0.
TEST(FlatGaugeValues, TheBarStartsAtTheMinimum)
{
    TFlatGauge g(nullptr);
    g.SetMinValue(50);
    EXPECT_EQ(0, g.BarWidth(141)) << "at the minimum the bar is empty";
    g.SetProgress(75);
    EXPECT_EQ(70, g.BarWidth(141));
    EXPECT_EQ("50 %", g.PercentText());
    g.SetProgress(99);
    EXPECT_EQ(138, g.BarWidth(141));
    g.SetProgress(100);
    EXPECT_EQ(141, g.BarWidth(141));
    g.SetMinValue(-100);
    g.SetProgress(-50);
    EXPECT_EQ(35, g.BarWidth(141)) << "and below 0 alike";

    // Painted: a gauge of 50..100 at 75 fills half its track.
    auto p = MakeGauge();
    p->SetMaxValue(100);
    p->SetMinValue(50);
    p->SetProgress(75);
    p->SetShowText(false);
    TDib dib(145, 25, clFuchsia);
    p->PaintTo(dib.DC());
    const TColor bar = p->BarColor();
    EXPECT_EQ(70, CountPixels(dib, 0, 12, 145, 13, [bar](int, int, TColor c) { return c == bar; }));
}

TEST(FlatGaugePaint, DefaultGaugeAt25HasFrameGapBarAndText)
{
    auto g = MakeGauge();
    TDib dib(145, 25, clFuchsia);
    g->PaintTo(dib.DC());

    const TColor border = g->ColorBorder(), bar = g->BarColor();
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 145; ++x) {
            if (x == 0 || y == 0 || x == 144 || y == 24) {
                EXPECT_EQ(border, dib.Pixel(x, y)) << x << "," << y;
            } else if (x == 1 || y == 1 || x == 143 || y == 23) {
                EXPECT_EQ(kBack, dib.Pixel(x, y)) << x << "," << y;
            }
        }
    // The bar runs over the track's full height and 35 pixels wide, from x 2 to 36.
    for (int y : {2, 22}) {
        EXPECT_EQ(35, CountPixels(dib, 0, y, 145, y + 1, [bar](int, int, TColor c) { return c == bar; }));
        EXPECT_EQ(bar, dib.Pixel(2, y));
        EXPECT_EQ(bar, dib.Pixel(36, y));
        EXPECT_EQ(kBack, dib.Pixel(37, y));
    }

    // "25 %" in ink, clear of the bar.
    EXPECT_EQ("25 %", g->PercentText());
    auto ref = TextReference(*g, kBack, {kInk});
    ASSERT_GT(CountPixels(*ref, 0, 0, 145, 25, [](int, int, TColor c) { return c != kBack; }), 20);
    EXPECT_EQ(0, CountPixels(*ref, 0, 0, 37, 25, [](int, int, TColor c) { return c != kBack; })) << "text clear of the bar";
    EXPECT_EQ(0, CountPixels(dib, 37, 2, 143, 23, [&](int x, int y, TColor c) { return c != ref->Pixel(x, y); }));
    test::TDCObjects before = test::TDCObjects::Of(dib.DC());
    g->PaintTo(dib.DC());
    EXPECT_TRUE(before == test::TDCObjects::Of(dib.DC())) << "painting gives the device context back";
}

// Beside the bar the text is drawn once, in ink; over the bar it is drawn again in the background colour.
TEST(FlatGaugePaint, TextOverTheBarIsInTheBackgroundColourAndSplitsAtItsEdge)
{
    auto g = MakeGauge();
    g->SetProgress(50); // bar 70 pixels: x 2..71
    TDib dib(145, 25, clFuchsia);
    g->PaintTo(dib.DC());
    const int edge = 2 + 70;
    auto beside = TextReference(*g, kBack, {kInk});
    auto over = TextReference(*g, g->BarColor(), {kInk, kBack});

    EXPECT_EQ(0, CountPixels(dib, 2, 2, edge, 23, [&](int x, int y, TColor c) { return c != over->Pixel(x, y); }));
    EXPECT_EQ(0, CountPixels(dib, edge, 2, 143, 23, [&](int x, int y, TColor c) { return c != beside->Pixel(x, y); }));
    // The text straddles the edge, and its solid strokes over the bar are exactly the background colour.
    EXPECT_GT(CountPixels(*beside, 2, 2, edge, 23, [](int, int, TColor c) { return c != kBack; }), 5);
    EXPECT_GT(CountPixels(*beside, edge, 2, 143, 23, [](int, int, TColor c) { return c != kBack; }), 5);
    EXPECT_GT(CountPixels(dib, 2, 2, edge, 23, [](int, int, TColor c) { return c == kBack; }), 0);
}

TEST(FlatGaugePaint, WithoutTextOrBackgroundOnlyFrameAndBarAreDrawn)
{
    auto g = MakeGauge();
    g->SetShowText(false);
    g->SetProgress(50);
    TDib dib(145, 25, clFuchsia);
    g->PaintTo(dib.DC());
    const TColor border = g->ColorBorder(), bar = g->BarColor();
    EXPECT_EQ(0, CountPixels(dib, 0, 0, 145, 25, [&](int, int, TColor c) { return c != kBack && c != border && c != bar; }));
    EXPECT_EQ(70 * 21, CountColour(dib, bar));

    g->SetTransparent(true);
    FillDib(dib, clFuchsia);
    g->PaintTo(dib.DC());
    EXPECT_EQ(0, CountColour(dib, kBack));
    EXPECT_EQ(clFuchsia, dib.Pixel(1, 1));
    EXPECT_EQ(clFuchsia, dib.Pixel(100, 2));
    EXPECT_EQ(border, dib.Pixel(0, 0));
    EXPECT_EQ(bar, dib.Pixel(2, 2));
}

// Range, progress and text setters redraw before they return; colour setters only mark the gauge.
class TCountingGauge : public TFlatGauge {
public:
    using TFlatGauge::TFlatGauge;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        TFlatGauge::Paint();
    }
};

TEST(FlatGaugeRepaint, ValueSettersPaintAtOnceColourSettersOnMark)
{
    auto form = std::make_unique<TForm>(Application);
    form->SetBounds(50, 50, 300, 120);
    auto* g = new TCountingGauge(form.get());
    g->SetParent(form.get());
    g->SetBounds(10, 10, 145, 25);
    form->ShowForm();
    Application->ProcessMessages();

    auto paintsAfter = [g](auto&& change) {
        g->paints = 0;
        change();
        return g->paints;
    };
    EXPECT_EQ(1, paintsAfter([g] { g->SetProgress(60); }));
    EXPECT_EQ(0, paintsAfter([g] { g->SetProgress(60); })) << "same value: no repaint";
    EXPECT_EQ(1, paintsAfter([g] { g->SetProgress(500); g->SetProgress(500); })) << "clamped to 100 once, then unchanged";
    EXPECT_EQ(1, paintsAfter([g] { g->SetMaxValue(200); }));
    EXPECT_EQ(1, paintsAfter([g] { g->SetMinValue(10); }));
    EXPECT_EQ(1, paintsAfter([g] { g->SetShowText(false); }));
    EXPECT_EQ(0, paintsAfter([g] { g->SetShowText(false); }));

    EXPECT_EQ(0, paintsAfter([g] { g->SetColorBorder(clRed); g->SetBarColor(clGreen); g->SetTransparent(false); }));
    Application->ProcessMessages();
    EXPECT_GE(g->paints, 1) << "marked, then painted by the message loop";
}

} // namespace
} // namespace zv
