// Focus cues as the window's UI state says: the state a window tree keeps through WM_CHANGEUISTATE,
// WM_UPDATEUISTATE and WM_QUERYUISTATE, the keys that show the cues, and the self-painted controls that
// hide their focus rectangle or focused fill while the state hides it.
#include <gtest/gtest.h>

#include <vector>

#include "controls/flat/FlatRadioButton.h"
#include "controls/flat/SpinButton.h"
#include "controls/styled/glGroupBox.h"
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/TestUtil.h"

using namespace zv;
using namespace zv::test;

namespace {

constexpr WORD kBoth = UISF_HIDEFOCUS | UISF_HIDEACCEL;

WORD Query(TWinControl* c) { return static_cast<WORD>(::SendMessageA(c->Handle(), WM_QUERYUISTATE, 0, 0)); }
void Change(TWinControl* c, WORD action, WORD flags)
{
    ::SendMessageA(c->Handle(), WM_CHANGEUISTATE, MAKEWPARAM(action, flags), 0);
}

std::vector<TColor> Painted(TWinControl* c)
{
    TDib dib(c->Width(), c->Height(), clFuchsia);
    c->PaintTo(dib.DC());
    std::vector<TColor> pixels;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            pixels.push_back(dib.Pixel(x, y));
    return pixels;
}

// One shown form for the suite (showing and hiding a top-level window under Xvfb costs seconds), with
// a control of each kind that paints its own focus cue, and an edit to hold the focus elsewhere.
class FocusCue : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form = new TForm(Application);
        form->SetBounds(40, 40, 420, 220);
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
        edit = Place<TEdit>(form, form, 10, 10, 80, 21);
        edit->SetTabStop(true);
        radio = Place<TFlatRadioButton>(form, form, 10, 40, 120, 17);
        radio->SetCaption("Inchide");
        radio->SetTabStop(true);
        box = Place<TglGroupBox>(form, form, 150, 10, 150, 80);
        box->SetCaption("Grup");
        box->SetOptions(box->Options() | fgoCanCollapse);
        box->SetTabStop(true);
        spin = Place<TSpinButton>(form, form, 320, 10, 20, 40);
        spin->SetTabStop(true);
        button = Place<TBitBtn>(form, form, 10, 100, 90, 30);
        button->SetTabStop(true);
        Application->ProcessMessages();
        Change(form, UIS_CLEAR, kBoth);
    }
    void TearDown() override
    {
        for (TWinControl* c : std::initializer_list<TWinControl*>{edit, radio, box, spin, button}) {
            c->SetParent(nullptr);
            delete c;
        }
    }
    // A focused control paints as an unfocused one while the cue is hidden, and differently once shown.
    void ExpectCueFollowsState(TWinControl* c)
    {
        SCOPED_TRACE(c->ClassName());
        edit->SetFocus();
        const std::vector<TColor> unfocused = Painted(c);
        Change(form, UIS_SET, UISF_HIDEFOCUS);
        c->SetFocus();
        ASSERT_TRUE(c->Focused());
        EXPECT_FALSE(c->FocusCueShown());
        EXPECT_EQ(unfocused, Painted(c)) << "a focus cue drawn for a user of the mouse";
        // Alt, as a keyboard user presses it: the cues are shown, and the focus stays.
        ::SendMessageA(c->Handle(), WM_SYSKEYDOWN, VK_MENU, 0x20000001);
        EXPECT_TRUE(c->Focused());
        EXPECT_TRUE(c->FocusCueShown());
        EXPECT_NE(unfocused, Painted(c)) << "no focus cue once the keyboard is used";
    }

    static TForm* form;
    TEdit* edit = nullptr;
    TFlatRadioButton* radio = nullptr;
    TglGroupBox* box = nullptr;
    TSpinButton* spin = nullptr;
    TBitBtn* button = nullptr;
};

TForm* FocusCue::form = nullptr;

TEST_F(FocusCue, TheStateIsOneForTheWholeWindowTreeWhoeverChangesIt)
{
    EXPECT_EQ(0, Query(form));
    // A child asks; the top window changes, and every window of the tree answers the same.
    Change(radio, UIS_SET, kBoth);
    EXPECT_EQ(kBoth, Query(form));
    EXPECT_EQ(kBoth, Query(radio));
    EXPECT_EQ(kBoth, Query(edit)) << "a native control of the tree";
    EXPECT_FALSE(spin->UpButton()->FocusCueShown()) << "a windowless control asks its window";
    Change(box, UIS_CLEAR, UISF_HIDEACCEL);
    EXPECT_EQ(UISF_HIDEFOCUS, Query(spin));
    // An update sent straight to the top window changes it too; flags other than the two are kept out.
    ::SendMessageA(form->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_ACTIVE), 0);
    EXPECT_EQ(0, Query(button));
    EXPECT_TRUE(radio->FocusCueShown());
}

TEST_F(FocusCue, KeysThatMoveTheFocusShowItAndAltShowsTheAccessKeysToo)
{
    // Tab from a mouse user's window: the control it reaches shows its cue; the access keys stay hidden.
    Change(form, UIS_SET, kBoth);
    edit->SetFocus();
    const std::vector<TColor> before = Painted(radio);
    ::SendMessageA(edit->Handle(), WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(UISF_HIDEACCEL, Query(form));
    ASSERT_TRUE(radio->Focused()) << "Tab still moves the focus";
    EXPECT_NE(before, Painted(radio)) << "the control Tab reaches shows its cue";
    // The mouse shows nothing; an arrow shows the focus, Alt the access keys as well.
    Change(form, UIS_SET, kBoth);
    ::SendMessageA(radio->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
    ::SendMessageA(radio->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 8));
    EXPECT_EQ(kBoth, Query(form));
    ::SendMessageA(radio->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(UISF_HIDEACCEL, Query(form));
    ::SendMessageA(form->Handle(), WM_SYSKEYDOWN, VK_MENU, 0x20000001);
    EXPECT_EQ(0, Query(form));
    // Once shown, the cues stay for the mouse as well.
    ::SendMessageA(radio->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
    ::SendMessageA(radio->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 8));
    EXPECT_EQ(0, Query(form));
}

TEST_F(FocusCue, AWindowShownAfterTheMouseHidesTheCuesAndAfterTheKeyboardShowsThem)
{
    BOOL cues = TRUE;
    ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
    // A user who keeps the cues on always sees them.
    if (cues) {
        Change(form, UIS_SET, kBoth);
        ::SendMessageA(radio->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
        ::SendMessageA(radio->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 8));
        Change(form, UIS_INITIALIZE, kBoth);
        EXPECT_EQ(0, Query(form));
    }
    ASSERT_TRUE(::SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(FALSE), 0));
    BOOL now = TRUE;
    ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &now, 0);
    if (!now) {
        ::SendMessageA(radio->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
        ::SendMessageA(radio->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 8));
        Change(form, UIS_INITIALIZE, kBoth);
        EXPECT_EQ(kBoth, Query(form));
        ::SendMessageA(edit->Handle(), WM_KEYDOWN, VK_SHIFT, 1);
        Change(form, UIS_INITIALIZE, kBoth);
        EXPECT_EQ(0, Query(form));
    }
    ::SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(cues)), 0);
    EXPECT_FALSE(now) << "the keyboard cues setting could not be turned off for the test";
}

TEST_F(FocusCue, SelfPaintedControlsDrawTheirCueOnlyWhenTheStateShowsIt)
{
    ExpectCueFollowsState(radio);
    ExpectCueFollowsState(box);
    ExpectCueFollowsState(spin);
}

TEST_F(FocusCue, TheButtonKeepsItsFrameAndHidesOnlyTheDottedRectangle)
{
    const int w = button->Width(), h = button->Height();
    auto dotted = [&] {
        TDib dib(w, h, clFuchsia);
        button->PaintButton(dib.DC(), ODS_FOCUS);
        int n = 0;
        for (int x = 4; x < w - 4; ++x)
            n += dib.Pixel(x, 4) != ColorToRGB(clBtnFace);
        EXPECT_EQ(ColorToRGB(clBlack), dib.Pixel(0, 0)) << "the focused button's frame";
        return n;
    };
    Change(form, UIS_SET, UISF_HIDEFOCUS);
    EXPECT_EQ(0, dotted());
    Change(edit, UIS_CLEAR, UISF_HIDEFOCUS);
    EXPECT_GE(dotted(), (w - 8) / 2 - 1);
}

} // namespace
