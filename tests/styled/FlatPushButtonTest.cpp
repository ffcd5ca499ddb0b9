// The styled push button painted into a bitmap: flat while the pointer is away, the framework's
// raised or sunken look while hovered or pressed, and the default or focused frame kept.
#include <gtest/gtest.h>

#include "controls/styled/glBitBtn.h"
#include "framework/Forms.h"
#include "tests/support/GdiLedger.h"
#include "tests/support/TestUtil.h"

using namespace zv;

namespace {

using test::Pump;
using test::TDib;

constexpr int W = 75, H = 25;
constexpr TColor kOddParent = 0x3080C0; // not a system colour, far from the button's own

TColor Rgb(TColor c) { return ColorToRGB(c); }

// Records the state of every real paint and repeats that paint into a bitmap.
class TCapturingButton : public TglBitBtn {
public:
    using TglBitBtn::TglBitBtn;
    std::unique_ptr<TDib> last;
    std::vector<TButtonDrawState> states;

protected:
    void DrawButton(TCanvas& canvas, const RECT& rect, const TButtonDrawState& state) override
    {
        TglBitBtn::DrawButton(canvas, rect, state);
        states.push_back(state);
        last = std::make_unique<TDib>(W, H, 0x00FF00);
        TCanvas into(last->DC());
        TglBitBtn::DrawButton(into, RECT{0, 0, W, H}, state);
    }
};

class FlatButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(200, 150, 300, 160);
        form->SetColor(kOddParent);
        styled = Add<TglBitBtn>(10, 10);
        plain = Add<TBitBtn>(10, 60);
    }
    void TearDown() override
    {
        delete form;
        Pump(0);
    }
    template <class T>
    T* Add(int x, int y)
    {
        T* b = new T(form);
        b->SetParent(form);
        b->SetBounds(x, y, W, H);
        b->SetCaption("Valideaza");
        return b;
    }
    std::unique_ptr<TDib> Paint(TBitBtn* b, UINT itemState)
    {
        auto dib = std::make_unique<TDib>(W, H, 0x00FF00);
        b->PaintButton(dib->DC(), itemState);
        return dib;
    }
    static bool SameExcept(const TDib& a, const TDib& b, const std::function<bool(int, int)>& skip)
    {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (!skip(x, y) && a.Pixel(x, y) != b.Pixel(x, y)) {
                    ADD_FAILURE() << "pixel " << x << "," << y;
                    return false;
                }
        return true;
    }
    TForm* form = nullptr;
    TglBitBtn* styled = nullptr;
    TBitBtn* plain = nullptr;
};

TEST_F(FlatButton, AwayFromThePointerTheOuterDarkEdgeTakesTheParentsColourAndOneShadowLineRemains)
{
    auto dib = std::make_unique<TDib>(W, H, 0x00FF00);
    const test::TDCObjects before = test::TDCObjects::Of(dib->DC());
    styled->PaintButton(dib->DC(), 0);
    EXPECT_TRUE(before == test::TDCObjects::Of(dib->DC()));
    const TDib& d = *dib;

    for (int x = 0; x < W; ++x)
        ASSERT_EQ(Rgb(kOddParent), d.Pixel(x, H - 1)) << "bottom edge at x " << x;
    for (int y = 0; y < H; ++y)
        ASSERT_EQ(Rgb(kOddParent), d.Pixel(W - 1, y)) << "right edge at y " << y;
    // The shadow line inside the bottom runs out to the left edge; the right one to the top.
    for (int x = 0; x < W - 1; ++x)
        ASSERT_EQ(Rgb(clBtnShadow), d.Pixel(x, H - 2)) << "inner bottom at x " << x;
    for (int y = 0; y < H - 1; ++y)
        ASSERT_EQ(Rgb(clBtnShadow), d.Pixel(W - 2, y)) << "inner right at y " << y;
    // The inner top and left lines are face; the outer highlight stays.
    for (int x = 1; x < W - 2; ++x)
        ASSERT_EQ(Rgb(clBtnFace), d.Pixel(x, 1)) << "inner top at x " << x;
    for (int y = 1; y < H - 2; ++y)
        ASSERT_EQ(Rgb(clBtnFace), d.Pixel(1, y)) << "inner left at y " << y;
    EXPECT_EQ(Rgb(clBtnHighlight), d.Pixel(0, 0));
    EXPECT_EQ(Rgb(clBtnHighlight), d.Pixel(W / 2, 0));
    EXPECT_EQ(Rgb(clBtnHighlight), d.Pixel(0, H / 2));

    // Every pen and brush of the flattening is freed again.
    test::GdiLedger ledger;
    for (int i = 0; i < 20; ++i)
        for (const UINT state : {0u, static_cast<UINT>(ODS_FOCUS)})
            styled->PaintButton(dib->DC(), state);
    EXPECT_EQ(0, ledger.Outstanding()) << ledger.Outstanding();
    EXPECT_GE(ledger.Calls("CreatePen"), 60);

    // The parent's colour is read at every paint.
    form->SetColor(clWhite);
    EXPECT_EQ(Rgb(clWhite), Paint(styled, 0)->Pixel(W / 2, H - 1));
}

TEST_F(FlatButton, HoveredOrPressedItLooksExactlyAsTheFrameworksButton)
{
    // Pressed without the pointer over it: the framework's sunken look.
    EXPECT_TRUE(SameExcept(*Paint(styled, ODS_SELECTED), *Paint(plain, ODS_SELECTED), [](int, int) { return false; }));

    styled->MouseEnter();
    EXPECT_TRUE(styled->Hovered());
    EXPECT_TRUE(SameExcept(*Paint(styled, 0), *Paint(plain, 0), [](int, int) { return false; }));
    EXPECT_TRUE(SameExcept(*Paint(styled, ODS_FOCUS), *Paint(plain, ODS_FOCUS), [](int, int) { return false; }));

    styled->MouseLeave();
    EXPECT_FALSE(styled->Hovered());
    EXPECT_EQ(Rgb(kOddParent), Paint(styled, 0)->Pixel(W / 2, H - 1));
}

TEST_F(FlatButton, AFocusedOrDefaultButtonKeepsItsFrameAndLosesOnlyTheRingTwoPixelsInside)
{
    auto ring = [](int x, int y) {
        const bool inX = x >= 2 && x <= W - 3, inY = y >= 2 && y <= H - 3;
        return inX && inY && (x == 2 || x == W - 3 || y == 2 || y == H - 3);
    };
    auto check = [&](const TDib& mine, const TDib& theirs) {
        EXPECT_TRUE(SameExcept(mine, theirs, ring));
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                if (ring(x, y)) {
                    ASSERT_EQ(Rgb(clBtnFace), mine.Pixel(x, y)) << x << "," << y;
                }
            }
        EXPECT_EQ(Rgb(clBlack), mine.Pixel(W / 2, H - 1)); // the framework's frame stays
    };
    check(*Paint(styled, ODS_FOCUS), *Paint(plain, ODS_FOCUS));

    styled->SetDefault(true);
    plain->SetDefault(true);
    check(*Paint(styled, 0), *Paint(plain, 0));
}

TEST_F(FlatButton, SpaceHeldShowsThePressedLookWithoutThePointerOverIt)
{
    auto* b = Add<TCapturingButton>(100, 10);
    form->Show();
    Pump(50);
    ::SetCursorPos(1020, 760);
    b->SetFocus();
    ::SendMessageA(b->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    ::UpdateWindow(b->Handle());
    ASSERT_FALSE(b->states.empty());
    EXPECT_TRUE(b->states.back().pressed);
    EXPECT_FALSE(b->Hovered());
    // Sunken: the dark edge at the top left, no parent colour at the bottom.
    EXPECT_NE(Rgb(kOddParent), b->last->Pixel(W / 2, H - 1));
    EXPECT_TRUE(SameExcept(*b->last, *Paint(plain, b->states.back().itemState), [](int, int) { return false; }));

    ::SendMessageA(b->Handle(), WM_KEYUP, VK_SPACE, 0);
    ::UpdateWindow(b->Handle());
    EXPECT_FALSE(b->states.back().pressed);
    EXPECT_EQ(Rgb(clBtnFace), b->last->Pixel(W / 2, 2)); // focused: the ring inside is face
}

TEST_F(FlatButton, PointerEnteringAndLeavingRepaintsAtOnce)
{
    auto* b = Add<TCapturingButton>(100, 10);
    form->Show();
    Pump(50);
    b->states.clear();
    const POINT inside = b->ClientToScreen(POINT{30, 12});
    ::SetCursorPos(inside.x, inside.y);
    ::SendMessageA(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 12));
    ASSERT_TRUE(b->Hovered());
    ASSERT_FALSE(b->states.empty()); // painted before the message returned
    EXPECT_NE(Rgb(kOddParent), b->last->Pixel(W / 2, H - 1));

    b->states.clear();
    ::SetCursorPos(1020, 760);
    ::SendMessageA(b->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(b->Hovered());
    ASSERT_FALSE(b->states.empty());
    EXPECT_EQ(Rgb(kOddParent), b->last->Pixel(W / 2, H - 1));
}

} // namespace
