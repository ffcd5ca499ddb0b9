// The flat radio button: its group rule driven by real mouse messages, focus, the shared hover timer,
// and where its circle, dot and caption land.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "controls/flat/FlatRadioButton.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Timer.h"
#include "flat/PixelCount.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(200, 200, 200);

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void Press(TWinControl* c, int x = 5, int y = 8) { ::SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
void Release(TWinControl* c, int x = 5, int y = 8) { ::SendMessageA(c->Handle(), WM_LBUTTONUP, 0, At(x, y)); }
void ClickOn(TWinControl* c)
{
    Press(c);
    Release(c);
}

// The colour inside the circle, clear of the dot.
TColor CircleFill(TFlatRadioButton& r)
{
    TDib dib(r.Width(), r.Height(), clFuchsia);
    r.PaintTo(dib.DC());
    const RECT box = r.CircleRect();
    return dib.Pixel(box.left + 7, box.top + 5);
}

// Two sets of buttons on two containers of one shown form, as the main window has them. The form is
// shown once for the suite: hiding a top-level window under Xvfb costs seconds.
class FlatRadioGroups : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form = new TForm(Application);
        form->SetBounds(40, 40, 400, 200);
        form->SetColor(kBack);
        form->ShowForm();
        Application->ProcessMessages();
    }
    static void TearDownTestSuite()
    {
        delete form;
        form = nullptr;
    }
    void SetUp() override
    {
        actions = AddBox(10);
        targets = AddBox(200);
        rd1 = AddRadio(actions, 10);
        rd2 = AddRadio(actions, 30);
        rd3 = AddRadio(actions, 50);
        radio1 = AddRadio(targets, 10);
        radio2 = AddRadio(targets, 30);
        radio1->SetChecked(true);
        Application->ProcessMessages();
        clicks.clear();
    }
    // Detached first: a windowed control deleted while parented stays in its parent's tab list.
    static void Discard(TWinControl* c)
    {
        c->SetParent(nullptr);
        delete c;
    }
    void TearDown() override
    {
        Discard(actions);
        Discard(targets);
    }

    TWinControl* AddBox(int left)
    {
        auto* box = new TWinControl(form);
        box->SetParent(form);
        box->SetBounds(left, 10, 170, 120);
        box->SetColor(kBack);
        return box;
    }
    TFlatRadioButton* AddRadio(TWinControl* parent, int top)
    {
        auto* r = new TFlatRadioButton(form);
        r->SetParent(parent);
        r->SetBounds(10, top, 121, 17);
        r->OnClick = [this](TObject* sender) { clicks.push_back(sender); };
        return r;
    }

    static inline TForm* form = nullptr;
    TWinControl* actions = nullptr;
    TWinControl* targets = nullptr;
    TFlatRadioButton *rd1 = nullptr, *rd2 = nullptr, *rd3 = nullptr, *radio1 = nullptr, *radio2 = nullptr;
    std::vector<TObject*> clicks;
};

TEST_F(FlatRadioGroups, ClickChecksOneButtonAndFiresOneClickForItOnly)
{
    ClickOn(rd2);
    EXPECT_TRUE(rd2->Checked());
    EXPECT_EQ(std::vector<TObject*>{rd2}, clicks);

    ClickOn(rd3);
    EXPECT_FALSE(rd2->Checked()) << "the sibling is unchecked";
    EXPECT_TRUE(rd3->Checked());
    EXPECT_EQ((std::vector<TObject*>{rd2, rd3}), clicks) << "unchecking fires nothing";

    EXPECT_TRUE(radio1->Checked()) << "the set on the other parent is untouched";
    EXPECT_FALSE(radio2->Checked());

    clicks.clear();
    ClickOn(rd3);
    EXPECT_TRUE(rd3->Checked());
    EXPECT_TRUE(clicks.empty()) << "clicking a checked button changes nothing";
}

TEST_F(FlatRadioGroups, ReleaseOutsideLeavesTheButtonUnchecked)
{
    rd1->SetChecked(true);
    clicks.clear();
    Press(rd2);
    ::SendMessageA(rd2->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(200, 8));
    Release(rd2, 200, 8);
    Press(rd2);
    Release(rd2, -1, 8);
    Press(rd2);
    Release(rd2, 5, 18);
    EXPECT_FALSE(rd2->Checked());
    EXPECT_TRUE(rd1->Checked());
    EXPECT_TRUE(clicks.empty());

    // The far edges themselves still count as inside.
    Press(rd2);
    Release(rd2, rd2->Width(), rd2->Height());
    EXPECT_TRUE(rd2->Checked());
}

TEST_F(FlatRadioGroups, CheckingByCodeFiresClickAndHonoursGroupIndex)
{
    rd3->SetGroupIndex(1);
    rd3->SetChecked(true);
    rd1->SetChecked(true);
    EXPECT_EQ((std::vector<TObject*>{rd3, rd1}), clicks);
    EXPECT_TRUE(rd3->Checked()) << "another group index on the same parent is another group";
    rd1->SetChecked(false);
    EXPECT_FALSE(rd1->Checked());
    EXPECT_EQ(2u, clicks.size());
}

// Whichever button is checked, first, middle or last of its parent's controls, every other one of
// its group is unchecked; a control of another class among them is passed over.
TEST_F(FlatRadioGroups, EveryPlaceInTheParentsListIsReachedByTheGroupRule)
{
    auto* other = new TWinControl(form);
    other->SetParent(actions);
    auto* last = AddRadio(actions, 70);
    const std::vector<TFlatRadioButton*> set{rd1, rd2, rd3, last};
    for (TFlatRadioButton* from : set)
        for (TFlatRadioButton* to : set) {
            if (from == to)
                continue;
            from->SetChecked(true);
            ClickOn(to);
            for (TFlatRadioButton* b : set)
                EXPECT_EQ(b == to, b->Checked()) << "from " << from->Top() << " to " << to->Top() << ": " << b->Top();
        }
    EXPECT_TRUE(radio1->Checked()) << "the other parent's set is untouched";
}

TEST_F(FlatRadioGroups, TabStopFollowsChecked)
{
    EXPECT_TRUE(radio1->TabStop());
    EXPECT_FALSE(radio2->TabStop());
    EXPECT_FALSE(rd1->TabStop());
    ClickOn(radio2);
    EXPECT_FALSE(radio1->TabStop());
    EXPECT_TRUE(radio2->TabStop());
    EXPECT_TRUE(::GetWindowLongA(radio2->Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(::GetWindowLongA(radio1->Handle(), GWL_STYLE) & WS_TABSTOP);

    // Tabbing meets only the checked button of each set.
    rd2->SetChecked(true);
    EXPECT_EQ(rd2, form->FindNextControl(radio2, true, true));
    EXPECT_EQ(radio2, form->FindNextControl(rd2, true, true));
}

TEST_F(FlatRadioGroups, PressAndFocusShowInTheCircle)
{
    EXPECT_EQ(kBack, CircleFill(*rd1));
    Press(rd1);
    EXPECT_TRUE(rd1->Focused()) << "a press takes the focus";
    EXPECT_EQ(rd1->ColorDown(), CircleFill(*rd1));
    Release(rd1);
    EXPECT_EQ(rd1->ColorFocused(), CircleFill(*rd1));

    rd2->SetFocus();
    EXPECT_EQ(kBack, CircleFill(*rd1));
    EXPECT_FALSE(rd2->Checked()) << "focus alone never checks";
}

TEST_F(FlatRadioGroups, AcceleratorFocusesWithoutChecking)
{
    rd3->SetCaption("&Inchide");
    EXPECT_FALSE(rd3->DialogChar('x'));
    EXPECT_TRUE(rd3->DialogChar('i'));
    EXPECT_TRUE(rd3->Focused());
    EXPECT_FALSE(rd3->Checked());
    rd2->SetCaption("Rock && roll");
    EXPECT_FALSE(rd2->DialogChar(' '));
    EXPECT_FALSE(rd2->DialogChar('&'));
}

TEST_F(FlatRadioGroups, HoverFollowsThePointerThroughTheSharedTimer)
{
    if (!::GetActiveWindow())
        ::SetForegroundWindow(form->Handle());
    ASSERT_NE(nullptr, ::GetActiveWindow());
    TTimer* timer = TFlatRadioButton::HoverTimer();
    ASSERT_NE(nullptr, timer);
    EXPECT_EQ(100u, timer->Interval());
    EXPECT_FALSE(timer->Running());

    auto hover = [](TFlatRadioButton* r) {
        const POINT p = r->ClientToScreen(POINT{20, 8});
        ::SetCursorPos(p.x, p.y);
        ::SendMessageA(r->Handle(), WM_MOUSEMOVE, 0, At(20, 8));
    };
    hover(rd1);
    EXPECT_EQ(rd1, TFlatRadioButton::HoverOwner());
    EXPECT_TRUE(timer->Running());
    EXPECT_EQ(rd1->ColorFocused(), CircleFill(*rd1));

    hover(rd2);
    EXPECT_EQ(rd2, TFlatRadioButton::HoverOwner());
    EXPECT_EQ(kBack, CircleFill(*rd1)) << "the previous owner left";
    EXPECT_EQ(rd2->ColorFocused(), CircleFill(*rd2));

    timer->Timer();
    EXPECT_EQ(rd2, TFlatRadioButton::HoverOwner()) << "still under the pointer";

    const POINT away = form->ClientToScreen(POINT{390, 190});
    ::SetCursorPos(away.x, away.y);
    timer->Timer();
    EXPECT_EQ(nullptr, TFlatRadioButton::HoverOwner());
    EXPECT_FALSE(timer->Running());
    EXPECT_EQ(kBack, CircleFill(*rd2));

    hover(rd3);
    rd3->SetEnabled(false);
    EXPECT_EQ(nullptr, TFlatRadioButton::HoverOwner()) << "a disabled button lets the timer go";
    EXPECT_FALSE(timer->Running());
    rd3->SetEnabled(true);
    hover(rd3);
    Discard(rd3);
    EXPECT_EQ(nullptr, TFlatRadioButton::HoverOwner()) << "nor does a destroyed one keep it";
}

TEST(FlatRadioTimer, LivesFromTheFirstButtonToTheLast)
{
    ASSERT_EQ(nullptr, TFlatRadioButton::HoverTimer());
    auto a = std::make_unique<TFlatRadioButton>(nullptr);
    TTimer* timer = TFlatRadioButton::HoverTimer();
    ASSERT_NE(nullptr, timer);
    EXPECT_FALSE(timer->Running());
    auto b = std::make_unique<TFlatRadioButton>(nullptr);
    EXPECT_EQ(timer, TFlatRadioButton::HoverTimer()) << "one timer for all";
    a.reset();
    EXPECT_EQ(timer, TFlatRadioButton::HoverTimer());
    b.reset();
    EXPECT_EQ(nullptr, TFlatRadioButton::HoverTimer());
}

// The circle is 10 pixels across at (1, 3) from the left, or 1 pixel in from the right; the dot 4
// pixels across, 3 pixels inside the circle's box.
TEST(FlatRadioPaint, CircleAndDotSitInTheirBoxes)
{
    for (TRadioButtonLayout layout : {radioLeft, radioRight}) {
        TFlatRadioButton r(nullptr);
        r.SetColor(kBack);
        r.SetLayout(layout);
        const int x0 = layout == radioLeft ? 1 : 121 - 11;
        const RECT box = r.CircleRect();
        ASSERT_EQ(x0, box.left);
        ASSERT_EQ(3, box.top);
        ASSERT_EQ(x0 + 10, box.right);
        ASSERT_EQ(13, box.bottom);

        TDib dib(121, 17, clFuchsia);
        r.PaintTo(dib.DC());
        const TColor border = r.ColorBorder();
        auto inBox = [](int x, int y, int l, int t, int rr, int b) { return x >= l && x < rr && y >= t && y < b; };
        EXPECT_EQ(0, CountPixels(dib, 0, 0, 121, 17, [&](int x, int y, TColor c) {
                      return c != kBack && !inBox(x, y, x0, 3, x0 + 10, 13);
                  })) << "nothing drawn outside the circle's box";
        for (int edge : {x0, x0 + 9})
            EXPECT_GT(CountPixels(dib, edge, 3, edge + 1, 13, [&](int, int, TColor c) { return c == border; }), 0);
        for (int edge : {3, 12})
            EXPECT_GT(CountPixels(dib, x0, edge, x0 + 10, edge + 1, [&](int, int, TColor c) { return c == border; }), 0);
        EXPECT_EQ(0, CountColour(dib, clBlack));

        r.SetChecked(true);
        FillDib(dib, clFuchsia);
        r.PaintTo(dib.DC());
        EXPECT_GE(CountColour(dib, clBlack), 4);
        EXPECT_EQ(0, CountPixels(dib, 0, 0, 121, 17, [&](int x, int y, TColor c) {
                      return c == clBlack && !inBox(x, y, x0 + 3, 6, x0 + 7, 10);
                  })) << "the dot stays within its 4-pixel box";
        EXPECT_EQ(clBlack, dib.Pixel(x0 + 4, 7));
        EXPECT_EQ(clBlack, dib.Pixel(x0 + 5, 8));
    }
}

// Text is antialiased: pixels are classed as solidly inked, or as lit by the highlight copy alone.
TEST(FlatRadioPaint, DisabledCaptionIsDrawnTwiceOnePixelApart)
{
    TFlatRadioButton r(nullptr);
    r.SetColor(kBack);
    r.Font().SetColor(clBlack);
    r.SetCaption("Wg Repornire");
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    auto lum = [](TColor c) { return (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3; };
    ASSERT_GT(lum(light), lum(kBack) + 30) << "the highlight must stand out from the background";

    TDib enabled(121, 17, clFuchsia);
    r.PaintTo(enabled.DC());
    auto solid = [&](int x, int y) { return lum(enabled.Pixel(x, y)) < 50; };
    auto inked = [&](int x, int y) { return x >= 0 && y >= 0 && enabled.Pixel(x, y) != kBack; };
    ASSERT_GT(CountPixels(enabled, 0, 0, 121, 17, [&](int x, int y, TColor) { return solid(x, y); }), 20);
    EXPECT_EQ(0, CountPixels(enabled, 0, 0, 16, 17, [&](int x, int y, TColor) { return inked(x, y) && x > 11; }))
        << "the caption starts 16 pixels in";

    r.SetEnabled(false);
    TDib disabled(121, 17, clFuchsia);
    r.PaintTo(disabled.DC());
    auto similar = [](TColor a, TColor b) {
        return std::abs(RedOf(a) - RedOf(b)) < 40 && std::abs(GreenOf(a) - GreenOf(b)) < 40 &&
               std::abs(BlueOf(a) - BlueOf(b)) < 40;
    };
    EXPECT_EQ(0, CountPixels(disabled, 14, 0, 121, 17, [&](int x, int y, TColor c) { return solid(x, y) && !similar(c, shadow); }))
        << "the text itself is in the shadow colour, on top";
    const int lit = CountPixels(disabled, 14, 0, 121, 17, [&](int, int, TColor c) { return lum(c) > lum(kBack) + 20; });
    EXPECT_GT(lit, 10);
    EXPECT_EQ(0, CountPixels(disabled, 14, 0, 121, 17, [&](int x, int y, TColor c) {
                  return lum(c) > lum(kBack) + 20 && !inked(x - 1, y - 1);
              })) << "highlight only where the text lies one pixel up and left";
    EXPECT_EQ(0, CountPixels(enabled, 0, 0, 121, 17, [&](int, int, TColor c) { return lum(c) > lum(kBack) + 20; }));
}

} // namespace
} // namespace zv
