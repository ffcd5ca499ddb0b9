// Hints: shown after the pause when the pointer rests on a control whose hint is shown, hidden on
// leave, click and after the hide pause; the hint window class and the show-hint handler are
// replaceable application-wide.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/HintWindow.h"
#include "tests/support/TestUtil.h"

using namespace zv;

namespace {

using test::Pump;

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A windowless control, hovered through its parent's window.
class TSpot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
};

class TRecordingHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    void ActivateHint(const RECT& r, const std::string& text) override
    {
        shown.push_back(text);
        THintWindow::ActivateHint(r, text);
    }
    static inline std::vector<std::string> shown;
};

class Hints : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedClass = Application->HintWindowClass();
        savedShowHint = Application->OnShowHint;
        savedPause = Application->HintPause;
        savedHide = Application->HintHidePause;
        Application->HintPause = 100;
        Application->HintHidePause = 5000;
        form = new TForm(nullptr);
        form->SetBounds(200, 150, 320, 200);
        form->SetShowHint(true);
        button = new TBitBtn(form);
        button->SetParent(form);
        button->SetBounds(10, 10, 80, 25);
        button->SetHint("Opreste calculatorul|bara de stare");
        spot = new TSpot(form);
        spot->SetParent(form);
        spot->SetBounds(150, 10, 60, 40);
        spot->SetHint("Zona");
        form->Show();
        Pump(30);
    }
    void TearDown() override
    {
        delete form;
        Application->SetHintWindowClass(savedClass);
        Application->OnShowHint = savedShowHint;
        Application->HintPause = savedPause;
        Application->HintHidePause = savedHide;
        ::SetCursorPos(1020, 760);
        Pump(10);
    }
    // Puts the real pointer on the control and tells its window, as the system does.
    void Hover(TControl* c, int x, int y)
    {
        const POINT s = c->ClientToScreen(POINT{x, y});
        ::SetCursorPos(s.x, s.y);
        if (c->IsWindowed()) {
            ::SendMessageA(static_cast<TWinControl*>(c)->Handle(), WM_MOUSEMOVE, 0, At(x, y));
        } else {
            const POINT o = c->OriginInWindow();
            ::SendMessageA(c->Parent()->Handle(), WM_MOUSEMOVE, 0, At(o.x + x, o.y + y));
        }
    }
    bool Showing() const { return Application->HintWindow() && Application->HintWindow()->Showing(); }
    void WaitPause() { Pump(Application->HintPause + 150); }

    THintWindowFactory savedClass;
    TShowHintEvent savedShowHint;
    int savedPause = 0, savedHide = 0;
    TForm* form = nullptr;
    TBitBtn* button = nullptr;
    TSpot* spot = nullptr;
};

TEST_F(Hints, ShownAfterThePauseOnANativeControlAndHiddenOnLeave)
{
    Hover(button, 40, 12);
    EXPECT_FALSE(Showing()); // not before the pause
    WaitPause();
    ASSERT_TRUE(Showing());
    EXPECT_EQ("Opreste calculatorul", Application->HintWindow()->Caption());
    EXPECT_EQ("Opreste calculatorul", Application->HintText());
    // Below the pointer, on the screen.
    RECT r;
    ::GetWindowRect(Application->HintWindow()->Handle(), &r);
    const POINT p = button->ClientToScreen(POINT{40, 12});
    EXPECT_GT(r.top, p.y);
    EXPECT_GT(r.right - r.left, 20);

    // Out of every window of the program.
    ::SetCursorPos(1020, 760);
    ::SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Showing());
}

TEST_F(Hints, ShownForAWindowlessControlThroughItsParentAndHiddenOnClick)
{
    Hover(spot, 20, 20);
    WaitPause();
    ASSERT_TRUE(Showing());
    EXPECT_EQ("Zona", Application->HintWindow()->Caption());
    ::SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(170, 30));
    EXPECT_FALSE(Showing());
    ::SendMessageA(form->Handle(), WM_LBUTTONUP, 0, At(170, 30));
    Hover(spot, 21, 20); // resting on after the click brings no hint back
    WaitPause();
    EXPECT_FALSE(Showing());
}

TEST_F(Hints, HiddenAfterTheHidePause)
{
    Application->HintHidePause = 200;
    Hover(button, 40, 12);
    WaitPause();
    ASSERT_TRUE(Showing());
    Pump(350);
    EXPECT_FALSE(Showing());
}

TEST_F(Hints, MovingOnToAnotherHintedControlSwitchesAfterTheShortPause)
{
    Application->HintPause = 600;
    Hover(button, 40, 12);
    WaitPause();
    ASSERT_TRUE(Showing());
    Hover(spot, 20, 20);
    Pump(Application->HintShortPause + 150);
    ASSERT_TRUE(Showing());
    EXPECT_EQ("Zona", Application->HintWindow()->Caption());
}

TEST_F(Hints, NotShownWhenTheControlsHintDisplayIsOff)
{
    button->SetShowHint(false); // and so no longer follows the form's
    EXPECT_FALSE(button->ParentShowHint());
    Hover(button, 40, 12);
    WaitPause();
    EXPECT_FALSE(Showing());

    // Following a parent that shows no hints: none either.
    ::SetCursorPos(1020, 760);
    ::SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    form->SetShowHint(false);
    Hover(spot, 20, 20);
    WaitPause();
    EXPECT_FALSE(Showing());

    // A control's own setting wins over its parent's.
    ::SetCursorPos(1020, 760);
    ::SendMessageA(form->Handle(), WM_MOUSELEAVE, 0, 0);
    button->SetShowHint(true);
    Hover(button, 40, 12);
    WaitPause();
    EXPECT_TRUE(Showing());
}

TEST_F(Hints, HintWindowClassIsReplaceableAndRestorable)
{
    TRecordingHintWindow::shown.clear();
    Application->SetHintWindowClass([] { return std::make_unique<TRecordingHintWindow>(nullptr); });
    Hover(button, 40, 12);
    WaitPause();
    ASSERT_TRUE(Showing());
    EXPECT_NE(nullptr, dynamic_cast<TRecordingHintWindow*>(Application->HintWindow()));
    EXPECT_EQ((std::vector<std::string>{"Opreste calculatorul"}), TRecordingHintWindow::shown);

    // Putting the saved class back replaces the window at once, even while a hint shows.
    Application->SetHintWindowClass(savedClass);
    EXPECT_FALSE(Showing());
    Hover(spot, 20, 20);
    WaitPause();
    ASSERT_TRUE(Showing());
    EXPECT_EQ(nullptr, dynamic_cast<TRecordingHintWindow*>(Application->HintWindow()));
    EXPECT_EQ(1u, TRecordingHintWindow::shown.size());
}

TEST_F(Hints, ShowHintHandlerChangesTheTextOrCancels)
{
    TControl* asked = nullptr;
    Application->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
        asked = info.hintControl;
        text = "[" + text + "]";
    };
    Hover(button, 40, 12);
    WaitPause();
    ASSERT_TRUE(Showing());
    EXPECT_EQ(button, asked);
    EXPECT_EQ("[Opreste calculatorul]", Application->HintWindow()->Caption());

    Application->OnShowHint = [&](std::string&, bool& canShow, THintInfo&) { canShow = false; };
    Hover(spot, 20, 20);
    WaitPause();
    EXPECT_FALSE(Showing());
}

} // namespace
