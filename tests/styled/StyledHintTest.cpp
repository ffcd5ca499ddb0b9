// The styled hint: the component takes over the application's hints from its construction on,
// puts the handlers back when it goes, and its window is placed on the screen and painted as a
// white box with a black frame and the help picture.
#include <gtest/gtest.h>

#include "controls/styled/glHint.h"
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "tests/support/TestUtil.h"

using namespace zv;

namespace {

using test::Pump;
using test::TDib;

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(HintPlacement, WiderByTheRoomForThePictureAndKeptOnTheScreen)
{
    // Room enough: only 20 wider and 1 taller.
    RECT r = PlaceHintWindow(RECT{100, 200, 180, 216}, 1024, 768);
    EXPECT_EQ("100,200,200,217", Text(r));
    // Near the right and bottom edges: moved fully on, keeping the size.
    r = PlaceHintWindow(RECT{1000, 760, 1080, 776}, 1024, 768);
    EXPECT_EQ("924,751,1024,768", Text(r));
    // Exactly touching the edges is left alone.
    r = PlaceHintWindow(RECT{924, 751, 1004, 767}, 1024, 768);
    EXPECT_EQ("924,751,1024,768", Text(r));
    // Wider or taller than the screen, or asked for left of or above it: never a negative position.
    r = PlaceHintWindow(RECT{500, 300, 1600, 1100}, 1024, 768);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(1120, r.right - r.left);
    r = PlaceHintWindow(RECT{-50, -10, 30, 6}, 1024, 768);
    EXPECT_EQ("0,0,100,17", Text(r));
}

// The asked rectangle fits the screen, but not once it has grown by the picture's room and the extra
// line: the grown window is what must stay on the screen, on each edge alone.
TEST(HintPlacement, TheGrownWindowIsWhatIsKeptOnTheScreen)
{
    EXPECT_EQ("924,100,1024,117", Text(PlaceHintWindow(RECT{930, 100, 1010, 116}, 1024, 768))) << "right edge";
    EXPECT_EQ("905,100,1005,117", Text(PlaceHintWindow(RECT{905, 100, 985, 116}, 1024, 768))) << "room to spare";
    EXPECT_EQ("100,751,200,768", Text(PlaceHintWindow(RECT{100, 752, 180, 768}, 1024, 768))) << "bottom edge";
    EXPECT_EQ("100,750,200,767", Text(PlaceHintWindow(RECT{100, 750, 180, 766}, 1024, 768))) << "one pixel to spare";
    // On a screen of another size the edges move with it.
    EXPECT_EQ("540,463,640,480", Text(PlaceHintWindow(RECT{600, 470, 680, 486}, 640, 480)));
}

class StyledHint : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedClass = Application->HintWindowClass();
        savedShowHint = Application->OnShowHint;
        savedHint = Application->OnHint;
        savedPause = Application->HintPause;
        Application->HintPause = 100;
        Application->OnShowHint = [this](std::string&, bool&, THintInfo&) { ++oldShowHintCalls; };
        Application->OnHint = [this](TObject*) { ++oldHintCalls; };
        form = new TForm(nullptr);
        form->SetBounds(200, 150, 320, 200);
        form->SetShowHint(true);
        button = new TBitBtn(form);
        button->SetParent(form);
        button->SetBounds(10, 10, 80, 25);
        button->SetHint("Opreste calculatorul");
    }
    void TearDown() override
    {
        delete form;
        Application->SetHintWindowClass(savedClass);
        Application->OnShowHint = savedShowHint;
        Application->OnHint = savedHint;
        Application->HintPause = savedPause;
        Application->SetShowHint(true);
        ::SetCursorPos(1020, 760);
        Pump(10);
    }
    void HoverButton()
    {
        form->Show();
        Pump(30);
        const POINT s = button->ClientToScreen(POINT{40, 12});
        ::SetCursorPos(s.x, s.y);
        ::SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 12));
        Pump(Application->HintPause + 150);
    }
    bool Showing() const { return Application->HintWindow() && Application->HintWindow()->Showing(); }

    THintWindowFactory savedClass;
    TShowHintEvent savedShowHint;
    TNotifyEvent savedHint;
    int savedPause = 0;
    int oldShowHintCalls = 0, oldHintCalls = 0;
    TForm* form = nullptr;
    TBitBtn* button = nullptr;
};

TEST_F(StyledHint, SwitchedOffItStillShowsEveryHintInTheStyledWindowAndBringsTheOldHandlersBack)
{
    auto* hint = new TglHint(form);
    hint->SetActive(false);
    hint->Loaded(); // inactive: no second hooking, nothing changes
    EXPECT_EQ(hint, TglHint::Instance());
    EXPECT_TRUE(hint->ShowHint());
    std::vector<std::string> seen;
    int hintEvents = 0;
    hint->OnShowHint = [&](std::string& text, bool&, THintInfo&) { seen.push_back(text); };
    hint->OnHint = [&](TObject*) { ++hintEvents; };

    HoverButton();
    ASSERT_TRUE(Showing());
    auto* window = dynamic_cast<TglHintWindow*>(Application->HintWindow());
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, hint->HintWindow());
    EXPECT_EQ(button, hint->HintControl());
    EXPECT_EQ((std::vector<std::string>{"Opreste calculatorul"}), seen);
    EXPECT_EQ(1, hintEvents);
    EXPECT_EQ(0, oldShowHintCalls); // replaced, not chained
    EXPECT_EQ(0, (::GetWindowLongA(window->Handle(), GWL_STYLE) & WS_BORDER));
    RECT r;
    ::GetWindowRect(window->Handle(), &r);
    const POINT p = button->ClientToScreen(POINT{40, 12});
    EXPECT_GT(r.top, p.y);

    delete hint;
    EXPECT_EQ(nullptr, TglHint::Instance());
    std::string text = "x";
    bool canShow = true;
    THintInfo info;
    ASSERT_TRUE(Application->OnShowHint);
    Application->OnShowHint(text, canShow, info);
    Application->OnHint(nullptr);
    EXPECT_EQ(1, oldShowHintCalls);
    EXPECT_EQ(1, oldHintCalls);
    EXPECT_EQ(1u, seen.size());
}

TEST_F(StyledHint, ASecondInstanceInTheSameOwnerIsRefused)
{
    auto* first = new TglHint(form);
    try {
        new TglHint(form);
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ("Cannot create more than one instance of TglHint component", e.what());
    }
    EXPECT_EQ(first, TglHint::Instance());
    int components = 0;
    for (int i = 0; i < form->ComponentCount(); ++i)
        components += dynamic_cast<TglHint*>(form->Component(i)) != nullptr;
    EXPECT_EQ(1, components);
}

TEST_F(StyledHint, ActiveAfterLoadingItHooksAgainAndAppliesItsShowHint)
{
    auto* hint = new TglHint(form);
    Application->OnShowHint = [this](std::string&, bool&, THintInfo&) { ++oldShowHintCalls; };
    hint->SetActive(true);
    hint->SetShowHint(false);
    hint->Loaded();
    EXPECT_FALSE(Application->ShowHint());
    std::string text;
    bool canShow = true;
    THintInfo info;
    Application->OnShowHint(text, canShow, info);
    EXPECT_EQ(0, oldShowHintCalls); // ours again

    delete hint; // the handlers from before the component, not the ones replaced later
    Application->OnShowHint(text, canShow, info);
    EXPECT_EQ(1, oldShowHintCalls);
}

TEST_F(StyledHint, WindowPaintsAWhiteBoxWithABlackFrameThePictureAtTheLeftAndBlackText)
{
    TglHintWindow window(nullptr);
    EXPECT_EQ("Arial", window.Font().Name());
    EXPECT_EQ(204, window.Font().Charset());
    EXPECT_EQ(8, window.Font().Size());
    const int w = 140, h = 18;
    window.SetBounds(0, 0, w, h);
    window.SetText("Opreste calculatorul");
    TDib dib(w, h, 0x00FF00);
    const test::TDCObjects before = test::TDCObjects::Of(dib.DC());
    window.PaintWindow(dib.DC());
    EXPECT_TRUE(before == test::TDCObjects::Of(dib.DC()));

    for (int x = 0; x < w; ++x) {
        ASSERT_EQ(clBlack, dib.Pixel(x, 0)) << x;
        ASSERT_EQ(clBlack, dib.Pixel(x, h - 1)) << x;
    }
    for (int y = 0; y < h; ++y) {
        ASSERT_EQ(clBlack, dib.Pixel(0, y)) << y;
        ASSERT_EQ(clBlack, dib.Pixel(w - 1, y)) << y;
    }
    TBitmap help;
    ASSERT_TRUE(help.LoadFromResourceName(ModuleInstance(), "HELP"));
    EXPECT_EQ(14, help.Width());
    EXPECT_EQ(15, help.Height());
    for (int y = 0; y < help.Height(); ++y)
        for (int x = 0; x < help.Width(); ++x)
            ASSERT_EQ(ColorToRGB(help.Pixel(x, y)), dib.Pixel(x, y + 1)) << x << "," << y;
    // Between the picture and the text, white; the text itself black, from 20 pixels in.
    for (int y = 1; y < h - 1; ++y)
        for (int x = 14; x < 20; ++x)
            ASSERT_EQ(clWhite, dib.Pixel(x, y)) << x << "," << y;
    int black = 0, other = 0;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 20; x < w - 1; ++x) {
            const TColor c = dib.Pixel(x, y);
            black += c == clBlack;
            other += c != clBlack && c != clWhite;
        }
    EXPECT_GT(black, 20);
    EXPECT_LT(other, black * 2); // anti-aliased edges at most, no background fill
}

TEST_F(StyledHint, WindowHidesItselfWhenActivated)
{
    new TglHint(form);
    HoverButton();
    ASSERT_TRUE(Showing());
    ::SendMessageA(Application->HintWindow()->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(Showing());
}

} // namespace
