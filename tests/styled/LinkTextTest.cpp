// The styled link text: justified layout of words, painting in the active colour while the pointer
// is over it or its focus control has the focus, the focus-control hook, and sizing to the text.
#include <gtest/gtest.h>

#include "controls/styled/glStaticText.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/GdiLedger.h"
#include "tests/support/TestUtil.h"

using namespace zv;

namespace {

using test::Pump;
using test::TDib;

// Every character 6 pixels wide and 13 high.
SIZE Fixed(const std::string& s) { return SIZE{static_cast<LONG>(6 * s.size()), 13}; }

std::vector<std::string> Texts(const TJustifiedText& t)
{
    std::vector<std::string> v;
    for (const auto& w : t.words)
        v.push_back(w.text);
    return v;
}
std::vector<int> Xs(const TJustifiedText& t, int line)
{
    std::vector<int> v;
    for (const auto& w : t.words)
        if (w.line == line)
            v.push_back(w.x);
    return v;
}

TEST(JustifiedText, FullLinesEndAtTheRightEdgeAndTheLastOnlyWhenAsked)
{
    // "aa" 12, " bb" 18, " cc" 18 would be 48 > 40.
    TJustifiedText t = JustifyText("aa bb cc dd", 40, false, Fixed);
    EXPECT_EQ(2, t.lineCount);
    EXPECT_EQ(13, t.lineHeight);
    EXPECT_EQ((std::vector<std::string>{"aa", " bb", "cc", " dd"}), Texts(t));
    EXPECT_EQ((std::vector<int>{0, 22}), Xs(t, 0)); // 22 + 18 = 40
    EXPECT_EQ((std::vector<int>{0, 12}), Xs(t, 1)); // plain spacing
    t = JustifyText("aa bb cc dd", 40, true, Fixed);
    EXPECT_EQ((std::vector<int>{0, 22}), Xs(t, 1));

    // A fractional share of the free room, held as a running position: the last word still ends
    // exactly at the edge. 12 + 18 + 18 = 48 in 101: 26.5 between words.
    t = JustifyText("aa bb cc", 101, true, Fixed);
    const std::vector<int> xs = Xs(t, 0);
    ASSERT_EQ(3u, xs.size());
    EXPECT_EQ(0, xs[0]);
    EXPECT_NEAR(38.5, xs[1], 0.5);
    EXPECT_EQ(101 - 18, xs[2]);
}

TEST(JustifiedText, SingleWordsAreNotSpreadAndSpacesAtTheStartOfALineAreDropped)
{
    // Too wide for the line: alone on it, at 0, even when the last line is spread.
    TJustifiedText t = JustifyText("abcdefghij klm", 30, true, Fixed);
    EXPECT_EQ(2, t.lineCount);
    EXPECT_EQ((std::vector<std::string>{"abcdefghij", "klm"}), Texts(t));
    EXPECT_EQ((std::vector<int>{0}), Xs(t, 0));
    EXPECT_EQ((std::vector<int>{0}), Xs(t, 1));

    // Runs of spaces stay with the word after them, except at the start of a line; trailing
    // spaces make no word.
    t = JustifyText("  aa   bb  ", 200, false, Fixed);
    EXPECT_EQ((std::vector<std::string>{"aa", "   bb"}), Texts(t));
    t = JustifyText("aaaa   bbbb", 40, false, Fixed);
    EXPECT_EQ((std::vector<std::string>{"aaaa", "bbbb"}), Texts(t));
    EXPECT_EQ(0, JustifyText("", 100, false, Fixed).lineCount);
    EXPECT_EQ(0, JustifyText("    ", 100, false, Fixed).lineCount);
}

class LinkText : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(200, 150, 360, 220);
        form->SetColor(clBtnFace);
        link = new TglStaticText(form);
        link->SetParent(form);
        link->SetBounds(20, 20, 200, 16);
        link->Font().SetName("Arial");
        link->Font().SetHeight(-13);
        link->Font().SetColor(clNavy);
        link->SetActiveColor(clRed);
        link->SetCaption("email: zavrin@zavrin.ro");
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(20, 100, 120, 21);
        other = new TEdit(form);
        other->SetParent(form);
        other->SetBounds(160, 100, 120, 21);
    }
    void TearDown() override
    {
        delete form;
        ::SetCursorPos(1020, 760);
        Pump(0);
    }
    void ShowForm()
    {
        form->Show();
        Pump(30);
    }
    // Pixels of a colour in one paint of the link.
    int Count(TColor colour)
    {
        TDib dib(link->Width(), link->Height(), 0x00FF00);
        link->PaintTo(dib.DC());
        int n = 0;
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x)
                n += dib.Pixel(x, y) == ColorToRGB(colour);
        return n;
    }
    // A paint of the link, which hooks the focus control's window when it has to.
    void HookAgain()
    {
        TDib dib(link->Width(), link->Height());
        link->PaintTo(dib.DC());
    }
    bool ShowsActive() { return Count(clRed) > 10 && Count(clNavy) == 0; }
    bool ShowsNormal() { return Count(clNavy) > 10 && Count(clRed) == 0; }
    // The real pointer over the link, told to the form as the system does.
    void PointerOnLink()
    {
        const POINT s = link->ClientToScreen(POINT{5, 5});
        ::SetCursorPos(s.x, s.y);
        ::SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(link->Left() + 5, link->Top() + 5));
    }
    void PointerAway()
    {
        ::SetCursorPos(1020, 760);
        ::SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 190));
    }
    TForm* form = nullptr;
    TglStaticText* link = nullptr;
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
};

TEST_F(LinkText, DefaultsAsPublished)
{
    TglStaticText t(nullptr);
    EXPECT_EQ(100, t.Width());
    EXPECT_EQ(16, t.Height());
    EXPECT_EQ(clWhite, t.ActiveColor());
    EXPECT_EQ(TglAlignment::ftaBroadwise, t.Alignment());
    EXPECT_TRUE(t.AutoSize());
    EXPECT_TRUE(t.WordWrap());
    EXPECT_TRUE(t.Transparent());
    EXPECT_EQ(static_cast<unsigned>(ftoActiveWhileControlFocused), t.Options());
    EXPECT_EQ(TFocusControlMethod::fcmOnMouseDown, t.FocusControlMethod());
    EXPECT_EQ(nullptr, t.FocusControl());
}

TEST_F(LinkText, AnEmptyCaptionPaintsNothingAndPaintingFreesWhatItMakes)
{
    link->SetTransparent(false);
    link->SetColor(clYellow);
    link->SetCaption("");
    link->SetBounds(20, 20, 120, 16);
    TDib dib(120, 16, 0x00FF00);
    const test::TDCObjects before = test::TDCObjects::Of(dib.DC());
    link->PaintTo(dib.DC());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(0x00FF00u, dib.Pixel(x, y)) << x << "," << y;

    // The canvas keeps the font and brush of its last paint; nothing more piles up.
    link->SetCaption("email: zavrin@zavrin.ro");
    test::GdiLedger ledger;
    link->PaintTo(dib.DC());
    const int afterOne = ledger.Outstanding().total;
    for (int i = 0; i < 20; ++i)
        for (const TglAlignment a : {TglAlignment::ftaBroadwise, TglAlignment::ftaLeftJustify, TglAlignment::ftaCenter}) {
            link->SetAlignment(a);
            link->PaintTo(dib.DC());
        }
    EXPECT_EQ(afterOne, ledger.Outstanding().total) << ledger.Outstanding();
    EXPECT_LE(afterOne, 2);
    EXPECT_EQ(ColorToRGB(clYellow), dib.Pixel(1, 1)); // opaque: its own background
    EXPECT_TRUE(before == test::TDCObjects::Of(dib.DC()));
}

TEST_F(LinkText, TheColourChangesUnderThePointerAndBackAndNeverWhenTheMouseIsIgnored)
{
    ShowForm();
    int enters = 0, leaves = 0;
    link->OnMouseEnter = [&](TObject*) { ++enters; };
    link->OnMouseLeave = [&](TObject*) { ++leaves; };
    EXPECT_TRUE(ShowsNormal());
    PointerOnLink();
    EXPECT_TRUE(link->Active());
    EXPECT_TRUE(ShowsActive());
    PointerAway();
    EXPECT_FALSE(link->Active());
    EXPECT_TRUE(ShowsNormal());
    EXPECT_EQ(1, enters);
    EXPECT_EQ(1, leaves);

    link->SetOptions(ftoIgnoreMouse);
    PointerOnLink();
    EXPECT_FALSE(link->Active());
    EXPECT_TRUE(ShowsNormal());
    PointerAway();
    EXPECT_EQ(1, enters); // the events go with the colour
}

TEST_F(LinkText, WhileTheFocusControlHasTheFocusTheTextStaysActive)
{
    link->SetFocusControl(edit);
    ShowForm();
    HookAgain();
    ASSERT_TRUE(link->Hooked());
    other->SetFocus();
    edit->SetFocus();
    EXPECT_TRUE(link->FocusControlFocused());
    EXPECT_TRUE(ShowsActive());
    // The pointer coming and going changes nothing while the edit has the focus.
    PointerOnLink();
    PointerAway();
    EXPECT_TRUE(link->Active());
    other->SetFocus();
    EXPECT_FALSE(link->FocusControlFocused());
    EXPECT_TRUE(ShowsNormal());
    // The edit still works as an edit through the hook.
    ::SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    EXPECT_EQ("abc", edit->GetText());

    // Without the option the label does not follow the focus.
    link->SetOptions(0);
    EXPECT_FALSE(link->Hooked());
    edit->SetFocus();
    EXPECT_FALSE(link->Active());
}

TEST_F(LinkText, TheHookFollowsARecreatedWindowAndGoesWithTheControl)
{
    link->SetFocusControl(edit);
    ShowForm();
    HookAgain();
    ASSERT_TRUE(link->Hooked());
    edit->RecreateWnd();
    Pump(10);
    EXPECT_FALSE(link->Hooked());
    HookAgain(); // the next paint hooks the new window
    ASSERT_TRUE(link->Hooked());
    edit->SetFocus();
    EXPECT_TRUE(link->Active());
    other->SetFocus();

    delete edit;
    edit = nullptr;
    EXPECT_EQ(nullptr, link->FocusControl());
    EXPECT_FALSE(link->Hooked());
}

// Subclassed after the label: the label's hook must stay in the chain.
WNDPROC gAfterPrevious = nullptr;
int gAfterCalls = 0;
LRESULT CALLBACK After(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    ++gAfterCalls;
    return ::CallWindowProcA(gAfterPrevious, h, msg, w, l);
}

TEST_F(LinkText, UnhookingLeavesAWindowProcedureThatWasPutAfterTheHook)
{
    link->SetFocusControl(edit);
    ShowForm();
    HookAgain();
    ASSERT_TRUE(link->Hooked());
    HWND h = edit->Handle();
    gAfterCalls = 0;
    gAfterPrevious = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&After)));
    link->SetFocusControl(other);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&After), ::GetWindowLongPtrA(h, GWLP_WNDPROC));
    ::SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("still"));
    EXPECT_EQ("still", edit->GetText());
    EXPECT_GT(gAfterCalls, 0);
    edit->SetFocus();
    EXPECT_FALSE(link->Active()); // no longer follows the first edit
    ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gAfterPrevious));
}

TEST_F(LinkText, TheFocusControlGetsTheFocusAsTheMethodSays)
{
    link->SetFocusControl(edit);
    ShowForm();
    const LPARAM at = MAKELPARAM(link->Left() + 5, link->Top() + 5);
    other->SetFocus();
    ::SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_TRUE(edit->Focused());
    ::SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);

    link->SetFocusControlMethod(TFocusControlMethod::fcmOnMouseUp);
    other->SetFocus();
    ::SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_FALSE(edit->Focused());
    ::SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(edit->Focused());

    link->SetFocusControlMethod(TFocusControlMethod::fcmOnMouseEnter);
    other->SetFocus();
    PointerAway();
    PointerOnLink();
    EXPECT_TRUE(edit->Focused());

    // A disabled label hands nothing on.
    link->SetFocusControlMethod(TFocusControlMethod::fcmOnMouseDown);
    link->SetEnabled(false);
    other->SetFocus();
    link->MouseDown(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_FALSE(edit->Focused());
}

TEST_F(LinkText, JustifiedLinesReachTheRightEdgeOnScreenPixels)
{
    link->SetAutoSize(false);
    link->SetBounds(20, 20, 150, 60);
    link->SetCaption("Programul opreste calculatorul la ora stabilita de utilizator");
    TDib dib(150, 60, clWhite);
    link->PaintTo(dib.DC());
    auto rightmostInk = [&](int top, int bottom) {
        int right = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < dib.Width(); ++x)
                if (dib.Pixel(x, y) != clWhite)
                    right = std::max(right, x);
        return right;
    };
    EXPECT_GE(rightmostInk(0, 14), 150 - 3);
    // The last line is not spread.
    link->SetCaption("unu doi");
    TDib last(150, 60, clWhite);
    link->PaintTo(last.DC());
    int right = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 150; ++x)
            if (last.Pixel(x, y) != clWhite)
                right = std::max(right, x);
    EXPECT_LT(right, 100);
    link->SetOptions(ftoBroadwiseLastLine);
    TDib spread(150, 60, clWhite);
    link->PaintTo(spread.DC());
    right = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 150; ++x)
            if (spread.Pixel(x, y) != clWhite)
                right = std::max(right, x);
    EXPECT_GE(right, 150 - 3);
}

TEST_F(LinkText, AutoSizeTakesTheTextsSizeKeepsTheRightEdgeWhenRightJustifiedAndNeverLowerThan12)
{
    // Plain text without word wrap: as wide as the text.
    link->SetAlignment(TglAlignment::ftaLeftJustify);
    link->SetWordWrap(false);
    link->SetAutoSize(true);
    const int textWidth = link->Width();
    EXPECT_GT(textWidth, 60);
    EXPECT_LT(textWidth, 200);
    EXPECT_EQ(20, link->Left());

    link->SetAlignment(TglAlignment::ftaRightJustify);
    link->SetBounds(100, 20, 200, 16);
    link->SetAutoSize(true);
    EXPECT_EQ(textWidth, link->Width());
    EXPECT_EQ(300, link->Left() + link->Width());

    // Justified, in a tiny font: one line is lower than 12, the control is not.
    link->SetAlignment(TglAlignment::ftaBroadwise);
    link->SetWordWrap(true);
    link->Font().SetHeight(-7);
    link->SetBounds(20, 20, 300, 40);
    link->SetCaption("unu doi");
    TDib dib(300, 40, clWhite);
    link->PaintTo(dib.DC());
    EXPECT_EQ(12, link->Height());
    // Several lines: as many line heights.
    link->SetBounds(20, 20, 40, 40);
    link->SetCaption("unu doi trei patru cinci sase");
    TDib tall(40, 80, clWhite);
    link->PaintTo(tall.DC());
    EXPECT_GT(link->Height(), 12);
}

} // namespace
