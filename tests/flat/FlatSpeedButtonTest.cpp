// The flat speed button and the spin button: group toggling, the drag rule, glyph strips, auto-repeat
// driven through the repeat timer's handler, and where frames, fills and arrows land on the pixels.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "controls/flat/FlatSpeedButton.h"
#include "controls/flat/SpinButton.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Timer.h"
#include "flat/PixelCount.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(200, 200, 200);
constexpr TColor kBorder = RGBColor(160, 150, 131);

// RECT as something gtest can compare and print.
std::array<LONG, 4> R(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))); }

// Mouse messages to the window a windowless button sits on, in that window's coordinates.
void Press(TWinControl* w, int x, int y) { ::SendMessageA(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
void Drag(TWinControl* w, int x, int y) { ::SendMessageA(w->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }
void Release(TWinControl* w, int x, int y) { ::SendMessageA(w->Handle(), WM_LBUTTONUP, 0, At(x, y)); }

// A bitmap of `w` x `h` filled with one colour per image of `colours` side by side.
std::unique_ptr<TBitmap> Strip(int w, int h, std::vector<TColor> colours)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    const int n = static_cast<int>(colours.size());
    for (int i = 0; i < n; ++i) {
        b->Canvas().Brush().SetColor(colours[static_cast<size_t>(i)]);
        b->Canvas().FillRect(RECT{i * w / n, 0, (i + 1) * w / n, h});
    }
    return b;
}

class SpeedButtons : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form = new TForm(Application);
        form->SetBounds(60, 60, 400, 200);
        form->SetColor(kBack);
        form->ShowForm();
        Application->ProcessMessages();
        ::SetCursorPos(0, 0);
    }
    static void TearDownTestSuite()
    {
        delete form;
        form = nullptr;
    }
    void TearDown() override
    {
        for (TControl* c : made)
            delete c;
        made.clear();
    }
    TFlatSpeedButton* AddButton(int left, int group = 0)
    {
        auto* b = new TFlatSpeedButton(nullptr);
        b->SetBounds(left, 10, 25, 25);
        b->SetGroupIndex(group);
        b->SetParent(form);
        b->OnClick = [this](TObject* s) { clicks.push_back(s); };
        made.push_back(b);
        return b;
    }
    void ClickOn(TFlatSpeedButton* b)
    {
        Press(form, b->Left() + 5, b->Top() + 5);
        Release(form, b->Left() + 5, b->Top() + 5);
    }
    static TForm* form;
    std::vector<TControl*> made;
    std::vector<TObject*> clicks;
};

TForm* SpeedButtons::form = nullptr;

TEST_F(SpeedButtons, GroupKeepsOneButtonDownAndAButtonWithoutGroupNeverStaysDown)
{
    TFlatSpeedButton* a = AddButton(10, 1);
    TFlatSpeedButton* b = AddButton(40, 1);
    TFlatSpeedButton* c = AddButton(70, 1);
    TFlatSpeedButton* loose = AddButton(100);

    ClickOn(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(TButtonState::bsExclusive, a->State());
    ClickOn(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_FALSE(c->Down());
    EXPECT_EQ(TButtonState::bsUp, a->State());
    ClickOn(b);
    EXPECT_TRUE(b->Down()) << "without AllowAllUp the down button stays down";
    EXPECT_EQ((std::vector<TObject*>{a, b, b}), clicks);

    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp() && b->AllowAllUp()) << "the group shares AllowAllUp";
    ClickOn(b);
    EXPECT_FALSE(b->Down()) << "with AllowAllUp the down button comes up";

    clicks.clear();
    ClickOn(loose);
    EXPECT_FALSE(loose->Down());
    EXPECT_EQ(TButtonState::bsUp, loose->State());
    EXPECT_EQ(std::vector<TObject*>{loose}, clicks);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
}

TEST_F(SpeedButtons, DragFollowsTheInsideRuleAndOnlyAReleaseInsideClicks)
{
    TFlatSpeedButton* b = AddButton(10);
    const int x0 = b->Left(), y0 = b->Top();
    Press(form, x0 + 3, y0 + 3);
    EXPECT_EQ(TButtonState::bsDown, b->State());
    EXPECT_TRUE(b->Dragging());
    Drag(form, x0 + 25, y0 + 3);
    EXPECT_EQ(TButtonState::bsUp, b->State()) << "the column right of the right edge is outside";
    Drag(form, x0 + 24, y0 + 25);
    EXPECT_EQ(TButtonState::bsDown, b->State()) << "the row below the bottom edge is inside";
    Release(form, x0 + 24, y0 + 25);
    EXPECT_EQ(1u, clicks.size());

    Press(form, x0 + 3, y0 + 3);
    Drag(form, x0 + 25, y0 + 3);
    Release(form, x0 + 25, y0 + 3);
    EXPECT_EQ(1u, clicks.size()) << "released outside: no click";
    EXPECT_EQ(TButtonState::bsUp, b->State());
    EXPECT_FALSE(b->Dragging());

    b->SetEnabled(false);
    Press(form, x0 + 3, y0 + 3);
    Release(form, x0 + 3, y0 + 3);
    EXPECT_EQ(1u, clicks.size()) << "a disabled button takes no clicks";
}

TEST_F(SpeedButtons, DoubleClickFiresOnlyWhileDown)
{
    TFlatSpeedButton* b = AddButton(10, 3);
    int doubles = 0;
    b->OnDblClick = [&](TObject*) { ++doubles; };
    ::SendMessageA(form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(15, 15));
    Release(form, 15, 15);
    EXPECT_EQ(0, doubles);
    EXPECT_TRUE(b->Down());
    ::SendMessageA(form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(15, 15));
    Release(form, 15, 15);
    EXPECT_EQ(1, doubles);
}

TEST(SpeedButtonProps, MarginGlyphCountAndAccelerator)
{
    TFlatSpeedButton b(nullptr);
    EXPECT_EQ(-1, b.Margin());
    b.SetMargin(-2);
    EXPECT_EQ(-1, b.Margin());
    b.SetMargin(3);
    EXPECT_EQ(3, b.Margin());

    b.SetGlyph(*Strip(40, 10, {clRed}));
    EXPECT_EQ(4, b.NumGlyphs());
    b.SetGlyph(*Strip(50, 10, {clRed}));
    EXPECT_EQ(1, b.NumGlyphs()) << "five images are more than a strip holds";
    b.SetNumGlyphs(2);
    b.SetGlyph(*Strip(30, 20, {clRed}));
    EXPECT_EQ(2, b.NumGlyphs()) << "not a whole multiple: unchanged";
    b.SetNumGlyphs(9);
    EXPECT_EQ(4, b.NumGlyphs());

    int n = 0;
    b.OnClick = [&](TObject*) { ++n; };
    b.SetCaption("&Go");
    EXPECT_FALSE(b.DialogChar('x'));
    EXPECT_TRUE(b.DialogChar('g'));
    EXPECT_EQ(1, n);
}

TEST(SpeedButtonProps, TheHoverTimerLivesFromTheFirstButtonToTheLast)
{
    ASSERT_EQ(nullptr, TFlatSpeedButton::HoverTimer());
    {
        TFlatSpeedButton first(nullptr);
        TTimer* timer = TFlatSpeedButton::HoverTimer();
        ASSERT_NE(nullptr, timer);
        EXPECT_FALSE(timer->Enabled());
        {
            TFlatSpeedButton second(nullptr);
            EXPECT_EQ(timer, TFlatSpeedButton::HoverTimer()) << "one timer for all";
        }
        EXPECT_EQ(timer, TFlatSpeedButton::HoverTimer());
    }
    EXPECT_EQ(nullptr, TFlatSpeedButton::HoverTimer());
}

TEST(ButtonLayout, MarginsAndSpacingFollowTheAxis)
{
    const RECT client{0, 0, 40, 30};
    // Glyph on top, automatic margin and spacing: a third of what is left each.
    TButtonLayoutResult r = CalcButtonLayout(client, POINT{0, 0}, SIZE{10, 6}, SIZE{20, 9},
                                             TButtonLayout::blGlyphTop, -1, -1);
    EXPECT_EQ(15, r.glyphPos.x);
    EXPECT_EQ(5, r.glyphPos.y);
    EXPECT_EQ(R(RECT{10, 16, 30, 25}), R(r.textBounds));
    // Glyph at the right with a fixed spacing: centred as a block, offset when down.
    r = CalcButtonLayout(client, POINT{1, 1}, SIZE{10, 6}, SIZE{20, 9}, TButtonLayout::blGlyphRight, -1, 4);
    EXPECT_EQ(40 - 3 - 10 + 1, r.glyphPos.x);
    EXPECT_EQ(12 + 1, r.glyphPos.y);
    EXPECT_EQ(27 - 4 - 20 + 1, r.textBounds.left);
    // No caption: spacing falls away and an automatic margin centres the glyph.
    r = CalcButtonLayout(client, POINT{0, 0}, SIZE{5, 5}, SIZE{0, 0}, TButtonLayout::blGlyphBottom, -1, 4);
    EXPECT_EQ(30 - 13 - 5, r.glyphPos.y);
    EXPECT_TRUE(::IsRectEmpty(&r.textBounds));
}

// Fill and frame of a 25 x 25 button painted on its own.
struct Look {
    TColor fill, topLeft, bottomRight;
};
Look LookOf(TFlatSpeedButton& b, TColor ground = clFuchsia)
{
    TDib dib(b.Width(), b.Height(), ground);
    b.PaintTo(dib.DC());
    return Look{dib.Pixel(12, 12), dib.Pixel(0, 5), dib.Pixel(24, 5)};
}

TEST_F(SpeedButtons, PaintsFillAndFrameByState)
{
    TFlatSpeedButton* b = AddButton(10, 5);
    b->SetColor(kBack);
    Look l = LookOf(*b);
    EXPECT_EQ(kBack, l.fill);
    EXPECT_EQ(kBorder, l.topLeft);
    EXPECT_EQ(kBorder, l.bottomRight);

    Press(form, 15, 15);
    l = LookOf(*b);
    EXPECT_EQ(RGBColor(217, 214, 197), l.fill) << "pressed";
    EXPECT_EQ(clBlack, l.topLeft);
    EXPECT_EQ(clWhite, l.bottomRight);
    Drag(form, 300, 150);
    Release(form, 300, 150);

    b->SetDown(true);
    l = LookOf(*b);
    EXPECT_EQ(TButtonState::bsExclusive, b->State());
    EXPECT_EQ(RGBColor(217, 214, 197), l.fill) << "held down in its group";
    EXPECT_EQ(clBlack, l.topLeft);

    b->SetEnabled(false);
    l = LookOf(*b);
    EXPECT_EQ(kBack, l.fill);
    EXPECT_EQ(kBorder, l.topLeft);
    EXPECT_EQ(kBorder, l.bottomRight);

    b->SetEnabled(true);
    b->SetTransparentMode(tmAlways);
    l = LookOf(*b);
    EXPECT_EQ(clFuchsia, l.fill) << "tmAlways leaves the background";
    b->SetTransparentMode(tmNotFocused);
    EXPECT_EQ(clFuchsia, LookOf(*b).fill) << "tmNotFocused fills only under the pointer";
}

TEST_F(SpeedButtons, HoverRaisesTheFrameThroughTheSharedTimer)
{
    if (!::GetActiveWindow())
        ::SetForegroundWindow(form->Handle());
    ASSERT_NE(nullptr, ::GetActiveWindow());
    TFlatSpeedButton* a = AddButton(10);
    TFlatSpeedButton* b = AddButton(40);
    TTimer* timer = TFlatSpeedButton::HoverTimer();
    ASSERT_NE(nullptr, timer);
    EXPECT_EQ(100u, timer->Interval());
    auto hover = [](TFlatSpeedButton* s) {
        const POINT p = form->ClientToScreen(POINT{s->Left() + 5, s->Top() + 5});
        ::SetCursorPos(p.x, p.y);
        ::SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, At(s->Left() + 5, s->Top() + 5));
    };
    hover(a);
    EXPECT_EQ(a, TFlatSpeedButton::HoverOwner());
    EXPECT_TRUE(timer->Running());
    Look l = LookOf(*a);
    EXPECT_EQ(RGBColor(235, 234, 225), l.fill);
    EXPECT_EQ(clWhite, l.topLeft);
    EXPECT_EQ(clBlack, l.bottomRight);

    hover(b);
    EXPECT_EQ(b, TFlatSpeedButton::HoverOwner());
    EXPECT_FALSE(a->MouseIn());

    const POINT away = form->ClientToScreen(POINT{390, 190});
    ::SetCursorPos(away.x, away.y);
    timer->Timer();
    EXPECT_EQ(nullptr, TFlatSpeedButton::HoverOwner());
    EXPECT_FALSE(timer->Running());
    EXPECT_FALSE(b->MouseIn());
}

TEST_F(SpeedButtons, NoHoverTrackingWhileTheApplicationHasNoActiveWindow)
{
    TFlatSpeedButton* a = AddButton(10);
    // A window of another thread takes the activation away from every window of this one.
    HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        HWND w = ::CreateWindowExA(0, "STATIC", "elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(w);
        ::SetEvent(ready);
        while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG m;
            while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&m);
        }
        ::DestroyWindow(w);
    });
    ::WaitForSingleObject(ready, 5000);
    Pump(200, [] { return ::GetActiveWindow() == nullptr; });
    const bool inactive = ::GetActiveWindow() == nullptr;
    if (inactive) {
        const POINT p = form->ClientToScreen(POINT{a->Left() + 5, a->Top() + 5});
        ::SetCursorPos(p.x, p.y);
        ::SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, At(a->Left() + 5, a->Top() + 5));
        EXPECT_EQ(nullptr, TFlatSpeedButton::HoverOwner());
        EXPECT_FALSE(TFlatSpeedButton::HoverTimer()->Running());
        EXPECT_FALSE(a->MouseIn());
    }
    ::SetEvent(done);
    other.join();
    ::CloseHandle(ready);
    ::CloseHandle(done);
    // On a loaded machine the window system may take a few tries to hand the activation back.
    for (int i = 0; i < 20 && !::GetActiveWindow(); ++i) {
        ::SetForegroundWindow(form->Handle());
        ::SetActiveWindow(form->Handle());
        Pump(100, [] { return ::GetActiveWindow() != nullptr; });
    }
    ASSERT_NE(nullptr, ::GetActiveWindow()) << "the form is active again for the tests that follow";
    if (!inactive)
        GTEST_SKIP() << "the window system kept this thread's window active";
}

TEST_F(SpeedButtons, GlyphImageFollowsTheState)
{
    TFlatSpeedButton* b = AddButton(10, 6);
    b->SetBounds(10, 10, 30, 30);
    // Four 10 x 10 images; the bottom-left pixel (of the first image) is the transparent colour.
    auto strip = Strip(40, 10, {clRed, clLime, clBlue, clYellow});
    strip->SetPixel(0, 9, clFuchsia);
    b->SetGlyph(*strip);
    ASSERT_EQ(4, b->NumGlyphs());
    auto centre = [&] {
        TDib dib(30, 30, clWhite);
        b->PaintTo(dib.DC());
        const POINT g = b->LastLayout().glyphPos;
        return std::pair{dib.Pixel(g.x + 5, g.y + 5), dib.Pixel(g.x, g.y + 9)};
    };
    EXPECT_EQ(clRed, centre().first);
    EXPECT_EQ(kBack, centre().second) << "the transparent pixel shows the fill";
    Press(form, 15, 15);
    EXPECT_EQ(clBlue, centre().first);
    Release(form, 15, 15);
    EXPECT_EQ(clYellow, centre().first) << "down in its group";
    b->SetEnabled(false);
    EXPECT_EQ(clLime, centre().first);

    // One image, disabled: the greyed copy, its black pixels stamped in the shadow colour.
    auto plain = Strip(10, 10, {clWhite});
    plain->Canvas().Brush().SetColor(clBlack);
    plain->Canvas().FillRect(RECT{3, 3, 7, 7});
    b->SetGlyph(*plain);
    TDib dib(30, 30, clWhite);
    b->PaintTo(dib.DC());
    const POINT g = b->LastLayout().glyphPos;
    EXPECT_EQ(ColorToRGB(clBtnShadow), dib.Pixel(g.x + 5, g.y + 5));
}

// ---- the spin button

class SpinButtons : public SpeedButtons {
protected:
    TSpinButton* AddSpin(int height)
    {
        auto* s = new TSpinButton(nullptr);
        s->SetBounds(150, 20, 21, height);
        s->SetParent(form);
        s->OnUpClick = [this](TObject* sender) { clicks.push_back(sender); ++ups; };
        s->OnDownClick = [this](TObject* sender) { clicks.push_back(sender); ++downs; };
        made.push_back(s);
        return s;
    }
    int ups = 0, downs = 0;
};

TEST_F(SpinButtons, ArrowsSitSideBySideAtAnyHeightWithTheirTriangles)
{
    TSpinButton* s = AddSpin(10);
    for (int h : {10, 17, 40}) {
        s->SetHeight(h);
        EXPECT_EQ(R(RECT{0, 0, 11, h}), R(s->UpButton()->BoundsRect())) << h;
        EXPECT_EQ(R(RECT{10, 0, 21, h}), R(s->DownButton()->BoundsRect())) << h;

        TDib dib(21, h, clWhite);
        s->PaintTo(dib.DC());
        // Up: 1, 3 and 5 black pixels under a margin of 2 rows and an empty glyph row; down: 5, 3, 1
        // above the bottom margin, both centred in their 11-pixel arrow.
        std::vector<POINT> expected;
        for (int i = 0; i < 3; ++i)
            for (int x = 5 - i; x <= 5 + i; ++x)
                expected.push_back(POINT{x, 3 + i});
        for (int i = 0; i < 3; ++i)
            for (int x = 13 + i; x <= 17 - i; ++x)
                expected.push_back(POINT{x, h - 6 + i});
        for (const POINT& p : expected)
            EXPECT_EQ(clBlack, dib.Pixel(p.x, p.y)) << "height " << h << " at " << p.x << "," << p.y;
        EXPECT_EQ(18, CountColour(dib, clBlack)) << "height " << h;
        EXPECT_EQ(kBorder, dib.Pixel(10, h / 2)) << "the shared column";
    }
}

TEST_F(SpinButtons, APressReleasedBeforeTheFirstTickClicksOnce)
{
    TSpinButton* s = AddSpin(10);
    Press(s, 3, 5);
    TTimer* t = s->UpButton()->RepeatTimer();
    ASSERT_NE(nullptr, t);
    EXPECT_EQ(400u, t->Interval());
    EXPECT_TRUE(t->Enabled());
    Release(s, 3, 5);
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(1, ups);
    EXPECT_EQ(std::vector<TObject*>{s}, clicks) << "the spin button is the sender";
    Press(s, 15, 5);
    Release(s, 15, 5);
    EXPECT_EQ(1, downs);
}

TEST_F(SpinButtons, HoldingRepeatsEveryHundredMillisecondsAfterFourHundred)
{
    TSpinButton* s = AddSpin(10);
    Press(s, 3, 5);
    TTimer* t = s->UpButton()->RepeatTimer();
    ASSERT_NE(nullptr, t);
    // Run the ticks a held second brings: at 400 ms, then every 100 ms up to 1000 ms.
    std::vector<int> clickTimes;
    int elapsed = 0;
    while (elapsed + static_cast<int>(t->Interval()) <= 1000) {
        elapsed += static_cast<int>(t->Interval());
        const int before = ups;
        t->Timer();
        if (ups > before)
            clickTimes.push_back(elapsed);
    }
    EXPECT_EQ((std::vector<int>{400, 500, 600, 700, 800, 900, 1000}), clickTimes);
    Release(s, 3, 5);
    EXPECT_EQ(8, ups) << "and one more on release over the arrow";

    // Off the arrow the repeat pauses; back on, it resumes; released outside, no release click.
    ups = 0;
    Press(s, 3, 5);
    t->Timer();
    EXPECT_EQ(1, ups);
    Drag(s, 3, 30);
    t->Timer();
    t->Timer();
    EXPECT_EQ(1, ups);
    Drag(s, 3, 5);
    t->Timer();
    EXPECT_EQ(2, ups);
    Drag(s, 3, 30);
    Release(s, 3, 30);
    EXPECT_EQ(2, ups);
    EXPECT_FALSE(t->Enabled());
    t->Timer();
    EXPECT_EQ(2, ups) << "a stray tick after release does nothing";
}

TEST_F(SpinButtons, AClickThatThrowsStopsTheRepeat)
{
    TSpinButton* s = AddSpin(10);
    s->OnUpClick = [](TObject*) { throw std::runtime_error("step failed"); };
    Press(s, 3, 5);
    TTimer* t = s->UpButton()->RepeatTimer();
    ASSERT_NE(nullptr, t);
    EXPECT_THROW(t->Timer(), std::runtime_error);
    EXPECT_FALSE(t->Enabled());
    s->OnUpClick = nullptr;
    Release(s, 3, 5);
}

TEST_F(SpinButtons, KeysClickTheArrowsWhileFocused)
{
    TSpinButton* s = AddSpin(10);
    s->SetTabStop(true);
    EXPECT_EQ(DLGC_WANTARROWS, ::SendMessageA(s->Handle(), WM_GETDLGCODE, 0, 0));
    s->SetFocus();
    ASSERT_TRUE(s->Focused());
    EXPECT_TRUE(s->UpButton()->FocusedArrow());
    ::SendMessageA(s->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(1, downs);
    EXPECT_EQ(s->DownButton(), s->FocusedButton());
    EXPECT_TRUE(s->DownButton()->FocusedArrow());
    EXPECT_FALSE(s->UpButton()->FocusedArrow());
    ::SendMessageA(s->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(2, downs);
    ::SendMessageA(s->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(1, ups);
    ::SetFocus(nullptr);
    EXPECT_FALSE(s->UpButton()->FocusedArrow());
}

TEST_F(SpinButtons, APressHandsTheFocusToTheFocusControlAndForgetsItWhenItGoes)
{
    TSpinButton* s = AddSpin(10);
    auto* target = new TCustomControl(nullptr);
    target->SetBounds(200, 20, 40, 20);
    target->SetTabStop(true);
    target->SetParent(form);
    s->SetFocusControl(target);
    Press(s, 3, 5);
    Release(s, 3, 5);
    EXPECT_TRUE(target->Focused());
    target->SetParent(nullptr);
    delete target;
    EXPECT_EQ(nullptr, s->FocusControl());
    Press(s, 3, 5);
    Release(s, 3, 5);
    EXPECT_EQ(2, ups);
}

} // namespace
} // namespace zv
