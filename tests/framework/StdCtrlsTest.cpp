// Label, check box, edit, memo and image, driven with the window system's own messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Layout.h"
#include "framework/StdCtrls.h"
#include "tests/support/TestUtil.h"

using namespace zv;
using zv::test::Pump;
using zv::test::TDib;

namespace {

class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(TBorderStyle::bsSingle);
        SetClientWidth(360);
        SetClientHeight(240);
        PublishHandler("Edit1Change", TNotifyEvent([this](TObject*) { ++edits; }));
    }
    const char* ClassName() const override { return "TStdCtrlsForm"; }
    void Finish() { FinishCreate(); }
    void Read(const char* text) { ReadComponentLayout(this, text, "TStdCtrlsForm"); }
    int edits = 0;
};

const bool kRegistered = [] {
    RegisterRootClass("TStdCtrlsForm", "TForm");
    return true;
}();

// A push button stand-in that counts the clicks the form's Enter handling gives it.
class TDefaultProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool IsDefaultButton() const override { return true; }
    void Click() override { ++clicks; }
    int clicks = 0;
};

struct StdCtrls : ::testing::Test {
    void SetUp() override { form = new TTestForm(Application); }
    void TearDown() override { delete form; }

    template <class T>
    T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        c->SetBounds(left, top, width, height);
        return c;
    }
    void ShowForm()
    {
        form->Finish();
        form->Show();
        ::SetForegroundWindow(form->Handle());
        Pump(30);
    }
    TTestForm* form = nullptr;
};

void Type(HWND h, const std::string& text)
{
    for (char ch : text)
        ::SendMessageA(h, WM_CHAR, static_cast<unsigned char>(ch), 1);
}

void Key(HWND h, WORD vk)
{
    ::SendMessageA(h, WM_KEYDOWN, vk, 1);
    ::SendMessageA(h, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
}

void ClickAt(HWND h, int x, int y, int upX = -1, int upY = -1)
{
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(upX < 0 ? x : upX, upY < 0 ? y : upY));
}

bool IsDark(TColor c) { return RedOf(c) < 0x60 && GreenOf(c) < 0x60 && BlueOf(c) < 0x60; }

int CountIn(const TDib& dib, const RECT& r, bool (*pred)(TColor))
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += pred(dib.Pixel(x, y)) ? 1 : 0;
    return n;
}

int CountOutside(const TDib& dib, const RECT& r, bool (*pred)(TColor))
{
    RECT all{0, 0, dib.Width(), dib.Height()};
    return CountIn(dib, all, pred) - CountIn(dib, r, pred);
}

// ---------------------------------------------------------------- label

TEST_F(StdCtrls, LabelSizesItselfToItsTextGrowingToTheRightAndPaintsOnlyThere)
{
    auto* label = Add<TLabel>(20, 30, 10, 10);
    label->SetCaption("Zavrin");
    const int shortWidth = label->Width();
    const int lineHeight = label->Height();
    EXPECT_GT(shortWidth, 20);
    EXPECT_GE(lineHeight, 12);
    EXPECT_LE(lineHeight, 20);

    label->SetCaption("Ora curenta este:");
    EXPECT_GT(label->Width(), shortWidth);
    EXPECT_EQ(20, label->Left());
    EXPECT_EQ(lineHeight, label->Height());

    TDib dib(360, 240);
    form->PaintTo(dib.DC());
    EXPECT_GT(CountIn(dib, label->BoundsRect(), IsDark), 20);
    EXPECT_EQ(0, CountOutside(dib, label->BoundsRect(), IsDark));

    // An empty caption keeps one line's height, so the label does not vanish from the layout.
    label->SetCaption("");
    EXPECT_EQ(lineHeight, label->Height());
    EXPECT_GT(label->Width(), 0);
}

bool IsWhite(TColor c) { return c == ColorToRGB(clBtnHighlight); }
bool IsShadow(TColor c) { return c == ColorToRGB(clBtnShadow); }

TEST_F(StdCtrls, LabelAlignmentWordWrapAndTheDisabledLook)
{
    auto* wrapped = Add<TLabel>(10, 10, 60, 10);
    wrapped->SetWordWrap(true);
    wrapped->SetCaption("unu doi trei patru cinci sase");
    EXPECT_EQ(60, wrapped->Width());
    EXPECT_GT(wrapped->Height(), 30); // several lines

    auto* right = Add<TLabel>(10, 150, 300, 20);
    right->SetAutoSize(false);
    right->SetAlignment(TAlignment::taRightJustify);
    right->SetCaption("dreapta");
    auto* disabled = Add<TLabel>(10, 200, 10, 10);
    disabled->SetCaption("Dezactivat");
    disabled->SetEnabled(false);

    TDib dib(360, 240);
    form->PaintTo(dib.DC());
    EXPECT_EQ(0, CountIn(dib, RECT{10, 150, 160, 170}, IsDark));
    EXPECT_GT(CountIn(dib, RECT{160, 150, 310, 170}, IsDark), 20);
    // Embossed: shadow strokes with a highlight copy one pixel right and down; nothing black.
    RECT r = disabled->BoundsRect();
    EXPECT_EQ(0, CountIn(dib, r, IsDark));
    EXPECT_GT(CountIn(dib, r, IsShadow), 20);
    EXPECT_GT(CountIn(dib, RECT{r.left, r.top, r.right + 1, r.bottom + 1}, IsWhite), 10);
}

TEST_F(StdCtrls, AltAcceleratorOfALabelFocusesItsFocusControl)
{
    EXPECT_EQ('c', AcceleratorChar("a&&b&c"));
    EXPECT_EQ(0, AcceleratorChar("R&&D"));

    auto* first = Add<TEdit>(10, 10, 100, 21);
    auto* label = Add<TLabel>(10, 50, 10, 10);
    auto* target = Add<TEdit>(80, 46, 100, 21);
    label->SetCaption("&Nume:");
    label->SetFocusControl(target);
    ShowForm();
    first->SetFocus();

    ::SendMessageA(first->Handle(), WM_SYSCHAR, 'x', 0);
    EXPECT_TRUE(first->Focused());
    ::SendMessageA(first->Handle(), WM_SYSCHAR, 'n', 0);
    EXPECT_TRUE(target->Focused());

    first->SetFocus();
    label->SetShowAccelChar(false);
    ::SendMessageA(first->Handle(), WM_SYSCHAR, 'n', 0);
    EXPECT_TRUE(first->Focused());

    // The focus control going away is forgotten, not dangling.
    label->SetShowAccelChar(true);
    delete target;
    EXPECT_EQ(nullptr, label->FocusControl());
    ::SendMessageA(first->Handle(), WM_SYSCHAR, 'n', 0);
}

// ---------------------------------------------------------------- check box

TEST_F(StdCtrls, CheckBoxTogglesOnceWithOneClickPerChangeFromMouseSpaceAndCode)
{
    auto* box = Add<TCheckBox>(10, 10, 177, 17);
    box->SetCaption("Arata dialog atentionare la iesire");
    int clicks = 0;
    box->OnClick = [&](TObject* sender) {
        EXPECT_EQ(box, sender);
        ++clicks;
    };
    ShowForm();
    HWND h = box->Handle();

    ClickAt(h, 6, 8);
    EXPECT_EQ(1, clicks);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(h, BM_GETCHECK, 0, 0));

    // Pressed inside, released outside: no change.
    ClickAt(h, 6, 8, 300, 100);
    EXPECT_EQ(1, clicks);
    EXPECT_TRUE(box->Checked());

    box->SetFocus();
    Key(h, VK_SPACE);
    EXPECT_EQ(2, clicks);
    EXPECT_FALSE(box->Checked());

    box->SetChecked(true);
    EXPECT_EQ(3, clicks);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(h, BM_GETCHECK, 0, 0));
    box->SetChecked(true);
    EXPECT_EQ(3, clicks);

    // A checked state set before the window exists shows once it does.
    auto* early = new TCheckBox(form);
    early->SetChecked(true);
    early->SetParent(form);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(early->Handle(), BM_GETCHECK, 0, 0));
}

// ---------------------------------------------------------------- edit

TEST_F(StdCtrls, EditTypingChangesTheTextAndFiresOnChangeUnlessReadOnlyOrFull)
{
    auto* edit = Add<TEdit>(10, 10, 121, 21);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    ShowForm();
    HWND h = edit->Handle();

    Type(h, "ab");
    EXPECT_EQ("ab", edit->GetText());
    EXPECT_EQ(2, changes);

    edit->SetText("//");
    EXPECT_EQ(3, changes); // a text set by code is a change too

    edit->SetReadOnly(true);
    Type(h, "x");
    EXPECT_EQ("//", edit->GetText());
    EXPECT_EQ(3, changes);

    edit->SetReadOnly(false);
    edit->SetText("");
    changes = 0;
    edit->SetMaxLength(3);
    Type(h, "abcde");
    EXPECT_EQ("abc", edit->GetText());
    EXPECT_EQ(3, changes);
}

TEST_F(StdCtrls, EditSelectsAllWhenTabbedIntoButNotWhenClicked)
{
    auto* first = Add<TEdit>(10, 10, 121, 21);
    auto* second = Add<TEdit>(10, 40, 121, 21);
    second->SetText("Zavrin");
    ShowForm();

    first->SetFocus();
    Key(first->Handle(), VK_TAB);
    ASSERT_TRUE(second->Focused());
    EXPECT_EQ(0, second->SelStart());
    EXPECT_EQ(6, second->SelLength());

    first->SetFocus();
    second->SetSelection(0, 0);
    ClickAt(second->Handle(), 100, 10);
    ASSERT_TRUE(second->Focused());
    EXPECT_EQ(0, second->SelLength());

    first->SetFocus();
    second->SetAutoSelect(false);
    Key(first->Handle(), VK_TAB);
    ASSERT_TRUE(second->Focused());
    EXPECT_EQ(0, second->SelLength());
}

TEST_F(StdCtrls, EnterInAnEditClicksTheDefaultButtonWhileAMemoTakesEnterAndEscButNotTab)
{
    auto* edit = Add<TEdit>(10, 10, 121, 21);
    auto* memo = Add<TMemo>(10, 40, 200, 80);
    auto* ok = Add<TDefaultProbe>(10, 150, 75, 25);
    ShowForm();

    edit->SetFocus();
    Key(edit->Handle(), VK_RETURN);
    EXPECT_EQ(1, ok->clicks);

    memo->SetFocus();
    Type(memo->Handle(), "x");
    ::SendMessageA(memo->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    Type(memo->Handle(), "\ry");
    EXPECT_EQ((std::vector<std::string>{"x", "y"}), memo->Lines());
    EXPECT_EQ(1, ok->clicks);

    // Esc stays in the memo: the form neither closes nor hides.
    Key(memo->Handle(), VK_ESCAPE);
    Pump(30);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));

    // Tab leaves the memo in tab order instead of typing a tab.
    Key(memo->Handle(), VK_TAB);
    EXPECT_FALSE(memo->Focused());
    EXPECT_EQ(std::string::npos, memo->GetText().find('\t'));

    memo->SetWantReturns(false);
    memo->SetFocus();
    Key(memo->Handle(), VK_RETURN);
    EXPECT_EQ(2, ok->clicks);
}

// Refuses every clipboard edit, as an edit whose text only its arrows may change does.
class TGuardedEdit : public TEdit {
public:
    using TEdit::TEdit;
    std::vector<UINT> asked;

protected:
    bool AcceptClipboardEdit(UINT msg) override
    {
        asked.push_back(msg);
        return false;
    }
};

void PutOnClipboard(const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(mem), text.c_str(), text.size() + 1);
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_TEXT, mem);
    ::CloseClipboard();
}

TEST_F(StdCtrls, ClipboardEditsReachTheEditWhichMayRefuseThem)
{
    auto* plain = Add<TEdit>(10, 10, 121, 21);
    auto* guarded = Add<TGuardedEdit>(10, 40, 121, 21);
    ShowForm();
    PutOnClipboard("lipit");

    for (TCustomEdit* e : {static_cast<TCustomEdit*>(plain), static_cast<TCustomEdit*>(guarded)}) {
        e->SetText("abc");
        e->SetFocus();
        e->SelectAll();
        ::SendMessageA(e->Handle(), WM_CLEAR, 0, 0);
        e->SelectAll();
        ::SendMessageA(e->Handle(), WM_PASTE, 0, 0);
        e->SelectAll();
        Type(e->Handle(), "\x18"); // Ctrl+X: the edit sends itself WM_CUT
    }
    EXPECT_EQ("", plain->GetText());
    EXPECT_EQ("abc", guarded->GetText());
    EXPECT_EQ((std::vector<UINT>{WM_CLEAR, WM_PASTE, WM_CUT}), guarded->asked);

    // Without the clear and the cut the paste is what remains.
    plain->SetText("abc");
    plain->SelectAll();
    ::SendMessageA(plain->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ("lipit", plain->GetText());
}

// Reserves a 3-pixel ring of its own around the client area, as the flat edit does.
class TRingEdit : public TEdit {
public:
    explicit TRingEdit(TComponent* owner) : TEdit(owner)
    {
        SetBorderStyle(TBorderStyle::bsNone);
        SetAutoSize(false);
    }
    int ncPaints = 0;

protected:
    void AdjustClientRect(RECT& r) override { ::InflateRect(&r, -3, -3); }
    void PaintNonClient() override { ++ncPaints; }
};

// The three leftmost pixels in the middle row of the control as it shows on the screen, frame included.
std::vector<TColor> LeftEdge(TWinControl* c)
{
    HWND h = c->Handle();
    ::RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    TDib dib(c->Width(), c->Height(), clLime);
    HDC dc = ::GetWindowDC(h);
    ::BitBlt(dib.DC(), 0, 0, c->Width(), c->Height(), dc, 0, 0, SRCCOPY);
    ::ReleaseDC(h, dc);
    const int y = c->Height() / 2;
    return {dib.Pixel(0, y), dib.Pixel(1, y), dib.Pixel(2, y)};
}

TEST_F(StdCtrls, EditBordersAndTheNonClientHooksOfASubclass)
{
    auto* sunken = Add<TEdit>(10, 10, 121, 21);
    auto* flat = Add<TEdit>(10, 40, 121, 21);
    auto* bare = Add<TEdit>(10, 70, 121, 21);
    auto* ring = Add<TRingEdit>(10, 100, 121, 19);
    flat->SetCtl3D(false);
    bare->SetBorderStyle(TBorderStyle::bsNone);
    ShowForm();

    // A two-pixel sunken edge, a one-pixel line, nothing.
    const TColor window = ColorToRGB(clWindow);
    EXPECT_EQ((std::vector<TColor>{ColorToRGB(clBtnShadow), ColorToRGB(cl3DDkShadow), window}), LeftEdge(sunken));
    const std::vector<TColor> line = LeftEdge(flat);
    EXPECT_NE(window, line[0]);
    EXPECT_EQ(window, line[1]);
    EXPECT_EQ(window, LeftEdge(bare)[0]);
    // Auto size: the text cell plus the frame; the 3-D edge takes two pixels more than the line.
    EXPECT_EQ(sunken->Height(), flat->Height() + 2);

    RECT cr;
    ::GetClientRect(ring->Handle(), &cr);
    EXPECT_EQ(121 - 6, cr.right);
    EXPECT_EQ(19 - 6, cr.bottom);
    ring->ncPaints = 0;
    ::RedrawWindow(ring->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(ring->ncPaints, 0);

    // Changing the border makes the window again and keeps what the user typed.
    sunken->SetFocus();
    Type(sunken->Handle(), "tastat");
    sunken->SetCtl3D(false);
    EXPECT_EQ(line, LeftEdge(sunken));
    EXPECT_EQ("tastat", sunken->GetText());
}

TEST_F(StdCtrls, EditBackgroundIsItsColourAndDisabledTextIsGrey)
{
    auto* edit = Add<TEdit>(10, 10, 121, 21);
    edit->SetColor(clAqua);
    ShowForm();
    EXPECT_EQ(clAqua, LeftEdge(edit)[2]);

    // What a disabled edit asks its parent for before it paints.
    edit->SetEnabled(false);
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageA(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(edit->Handle()));
    EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clGrayText)), ::GetTextColor(dc));
    EXPECT_EQ(static_cast<COLORREF>(clAqua), ::GetBkColor(dc));
    ::DeleteDC(dc);
    EXPECT_EQ(clAqua, LeftEdge(edit)[2]);
}

// ---------------------------------------------------------------- memo

TEST_F(StdCtrls, MemoLinesRoundTripAndReadOnlyRefusesTyping)
{
    auto* memo = Add<TMemo>(10, 10, 200, 100);
    const std::vector<std::string> lines{"Versiunea 1.00", "", "  continuare", ""};
    memo->SetLines(lines);
    EXPECT_EQ(lines, memo->Lines());
    ShowForm();
    EXPECT_EQ(lines, memo->Lines());
    EXPECT_EQ("Versiunea 1.00\r\n\r\n  continuare\r\n", memo->GetText());
    EXPECT_EQ(4, ::SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0));

    memo->SetReadOnly(true);
    memo->SetFocus();
    Type(memo->Handle(), "x\r");
    EXPECT_EQ(lines, memo->Lines());

    // Scroll bars and word wrap make the window again; the lines stay.
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->SetWordWrap(false);
    EXPECT_TRUE(::GetWindowLongA(memo->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(::GetWindowLongA(memo->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(lines, memo->Lines());

    EXPECT_EQ((std::vector<std::string>{"a", "b", ""}), SplitLines("a\nb\r\n"));
    EXPECT_TRUE(SplitLines("").empty());
}

int WindowTextLength(TWinControl* c) { return ::GetWindowTextLengthA(c->Handle()); }

TEST_F(StdCtrls, AReadOnlyMemoOffScreenGivesItsWindowTheTextAtItsFirstPaint)
{
    auto* memo = Add<TMemo>(10, 10, 200, 100);
    memo->SetReadOnly(true);
    auto* editable = Add<TMemo>(10, 120, 200, 100);
    const std::vector<std::string> lines{"1.00 prima versiune", "  continuare", "4.01"};
    memo->SetLines(lines);   // before the window exists
    editable->SetLines(lines);
    form->Finish();
    EXPECT_EQ(0, WindowTextLength(memo)) << "the hidden window was handed the text at creation";
    EXPECT_EQ(lines, memo->Lines()) << "the object still answers with its text";
    EXPECT_EQ(lines, editable->Lines());
    EXPECT_GT(WindowTextLength(editable), 0) << "only read-only memos wait";

    // Set again while hidden, then made anew while hidden: the newest text waits, the old never shows.
    memo->SetLines({"veche"});
    memo->SetLines(lines);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    EXPECT_EQ(0, WindowTextLength(memo));
    EXPECT_EQ(lines, memo->Lines());

    ShowForm();
    ::UpdateWindow(form->Handle());
    EXPECT_EQ("1.00 prima versiune\r\n  continuare\r\n4.01", memo->GetText());
    EXPECT_EQ(memo->GetText().size(), static_cast<size_t>(WindowTextLength(memo)));
    EXPECT_EQ(3, ::SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0));

    // On screen a new text goes in at once; hidden again, it waits for the next showing.
    memo->SetLines({"alta"});
    EXPECT_EQ(4, WindowTextLength(memo));
    form->Hide();
    memo->SetLines(lines);
    EXPECT_EQ(4, WindowTextLength(memo)) << "a hidden window keeps what it had until it is painted";
    EXPECT_EQ(lines, memo->Lines());
    form->Show();
    ::UpdateWindow(form->Handle());
    EXPECT_EQ(lines, memo->Lines());
    EXPECT_EQ(memo->GetText().size(), static_cast<size_t>(WindowTextLength(memo)));
}

// The text is handed over once: a history read down to its tenth line stays there when it is painted
// again, whether the window was covered, resized or hidden and shown.
TEST_F(StdCtrls, AReadOnlyMemoScrolledStaysWhereItWasWhenItIsPaintedAgain)
{
    auto* memo = Add<TMemo>(10, 10, 200, 60);
    memo->SetReadOnly(true);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    std::vector<std::string> lines;
    for (int i = 1; i <= 40; ++i)
        lines.push_back("linia " + std::to_string(i));
    memo->SetLines(lines);
    form->Finish();
    ShowForm();
    ::UpdateWindow(form->Handle());
    const HWND h = memo->Handle();
    ASSERT_EQ(0, ::SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0));
    ::SendMessageA(h, EM_LINESCROLL, 0, 10);
    ASSERT_EQ(10, ::SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0));
    for (int paint = 0; paint < 3; ++paint) {
        ::InvalidateRect(h, nullptr, TRUE);
        ::UpdateWindow(h);
        EXPECT_EQ(10, ::SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0)) << "paint " << paint;
    }
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(10, ::SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0));
    form->Hide();
    form->Show();
    ::UpdateWindow(form->Handle());
    EXPECT_EQ(10, ::SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0)) << "hidden and shown again";
    EXPECT_EQ(lines, memo->Lines());
}

// ---------------------------------------------------------------- image

TEST_F(StdCtrls, ImageDrawsItsPictureAtTheCornerCentredOrStretched)
{
    auto* image = Add<TImage>(10, 10, 8, 8);
    TBitmap& pic = image->Picture();
    pic.SetSize(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            pic.SetPixel(x, y, RGBColor(40 * x, 40 * y, 200));
    image->PictureChanged();
    const TColor face = ColorToRGB(clBtnFace), first = RGBColor(0, 0, 200), last = RGBColor(120, 120, 200);

    // Where the first and the last pixel of the picture land, and a pixel of the control beside it.
    struct Case {
        bool center, stretch;
        POINT first, last, outside;
    };
    for (const Case& c : {Case{false, false, {10, 10}, {13, 13}, {14, 14}}, Case{true, false, {12, 12}, {15, 15}, {11, 11}},
                          Case{true, true, {10, 10}, {17, 17}, {18, 18}}}) {
        image->SetCenter(c.center);
        image->SetStretch(c.stretch);
        TDib dib(40, 40);
        form->PaintTo(dib.DC());
        EXPECT_EQ(first, dib.Pixel(c.first.x, c.first.y)) << c.center << c.stretch;
        EXPECT_EQ(last, dib.Pixel(c.last.x, c.last.y)) << c.center << c.stretch;
        EXPECT_EQ(face, dib.Pixel(c.outside.x, c.outside.y)) << c.center << c.stretch;
    }
    image->SetAutoSize(true);
    EXPECT_EQ(4, image->Width());
    EXPECT_EQ(10, image->Left());
}

TEST_F(StdCtrls, AResourcePictureLetGoComesBackTheSameWhenPaintedButADrawnOneStays)
{
    auto* image = Add<TImage>(0, 0, 20, 20);
    image->LoadPictureResource("FlatUp");
    const int w = image->Picture().Width(), h = image->Picture().Height();
    TDib before(40, 40);
    form->PaintTo(before.DC());
    image->ReleaseResourcePicture();
    EXPECT_TRUE(image->Picture().Empty());
    TDib after(40, 40);
    form->PaintTo(after.DC());
    ASSERT_FALSE(image->Picture().Empty());
    EXPECT_EQ(w, image->Picture().Width());
    EXPECT_EQ(h, image->Picture().Height());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(before.Pixel(x, y), after.Pixel(x, y)) << x << "," << y;

    // Drawn into after loading: the picture is the control's own now and is kept.
    image->Picture().SetPixel(0, 0, clRed);
    image->PictureChanged();
    image->ReleaseResourcePicture();
    ASSERT_FALSE(image->Picture().Empty());
    EXPECT_EQ(ColorToRGB(clRed), image->Picture().Pixel(0, 0));
}

// ---------------------------------------------------------------- layouts

const char* kLayout = R"(object StdForm: TStdCtrlsForm
  Left = 120
  Top = 100
  ClientWidth = 420
  ClientHeight = 300
  object Label1: TLabel
    Left = 16
    Top = 20
    Width = 99
    Caption = '&Numele sistemului :'
    FocusControl = Edit1
  end
  object Label2: TLabel
    Left = 16
    Top = 48
    Width = 120
    Height = 30
    Alignment = taCenter
    AutoSize = False
    WordWrap = True
    Transparent = True
    ShowAccelChar = False
    Caption = 'Text & simbol pe doua randuri'
    Enabled = False
  end
  object Edit1: TEdit
    Left = 136
    Top = 16
    Text = 'Zavrin'
    MaxLength = 10
    AutoSelect = False
    OnChange = Edit1Change
    TabOrder = 0
  end
  object Edit2: TEdit
    Left = 136
    Top = 48
    Height = 20
    AutoSize = False
    BorderStyle = bsSingle
    Ctl3D = False
    Color = clInfoBk
    Enabled = False
    ReadOnly = True
    Text = '//'
  end
  object CheckBox1: TCheckBox
    Left = 16
    Top = 88
    Width = 177
    Caption = 'Arata dialog atentionare la iesire'
    Checked = True
  end
  object Memo1: TMemo
    Left = 16
    Top = 112
    Width = 241
    Height = 97
    Ctl3D = False
    ReadOnly = True
    ScrollBars = ssVertical
    WordWrap = False
    WantReturns = False
    Lines.Strings = (
      'Versiunea 4.01'
      '  - temporizator'
      ''
      'Fiecare versiune le contine pe cele anterioare.')
  end
  object Image1: TImage
    Left = 272
    Top = 112
    Width = 133
    Height = 105
    Stretch = True
    Picture.Resource = 'SPLASH'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 16
    Top = 224
    Width = 89
    Kind = dtkTime
    Color = clInfoBk
    ParseInput = False
    OnChange = Edit1Change
  end
  object DateTimePicker2: TDateTimePicker
    Left = 128
    Top = 224
    Width = 89
    CalAlignment = dtaLeft
    DateFormat = dfShort
    DateMode = dmComboBox
    Color = clInfoBk
  end
end
)";

TEST_F(StdCtrls, LayoutsSetEveryPublishedProperty)
{
    form->Read(kLayout);
    form->Finish();

    auto* label1 = form->Bind<TLabel>("Label1");
    auto* edit1 = form->Bind<TEdit>("Edit1");
    EXPECT_EQ(edit1, label1->FocusControl());
    // Auto size settles after the layout's own size, with the form's font.
    TLabel same(nullptr);
    same.SetParent(form);
    same.SetCaption(label1->Caption());
    EXPECT_EQ(same.Width(), label1->Width());
    EXPECT_EQ(same.Height(), label1->Height());
    same.SetParent(nullptr);
    auto* label2 = form->Bind<TLabel>("Label2");
    EXPECT_EQ(TAlignment::taCenter, label2->Alignment());
    EXPECT_TRUE(label2->WordWrap() && label2->Transparent() && !label2->ShowAccelChar() && !label2->AutoSize());
    EXPECT_EQ(120, label2->Width());

    EXPECT_EQ("Zavrin", edit1->GetText());
    EXPECT_EQ(10, edit1->MaxLength());
    EXPECT_FALSE(edit1->AutoSelect());
    edit1->SetText("x");
    EXPECT_EQ(1, form->edits);
    auto* edit2 = form->Bind<TEdit>("Edit2");
    EXPECT_TRUE(edit2->ReadOnly());
    EXPECT_FALSE(edit2->Ctl3D());
    EXPECT_EQ(clInfoBk, edit2->Color());
    EXPECT_EQ(20, edit2->Height());
    EXPECT_FALSE(::IsWindowEnabled(edit2->Handle()));

    auto* box = form->Bind<TCheckBox>("CheckBox1");
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(box->Handle(), BM_GETCHECK, 0, 0));

    auto* memo = form->Bind<TMemo>("Memo1");
    ASSERT_EQ(4u, memo->Lines().size());
    EXPECT_EQ("  - temporizator", memo->Lines()[1]);
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(TScrollStyle::ssVertical, memo->ScrollBars());
    EXPECT_FALSE(memo->WordWrap() || memo->WantReturns());

    auto* image = form->Bind<TImage>("Image1");
    EXPECT_TRUE(image->Stretch());
    EXPECT_EQ(399, image->Picture().Width());
    EXPECT_EQ(316, image->Picture().Height());
    EXPECT_EQ(133, image->Width());

    auto* time = form->Bind<TDateTimePicker>("DateTimePicker1");
    auto* date = form->Bind<TDateTimePicker>("DateTimePicker2");
    EXPECT_EQ(TDateTimeKind::dtkTime, time->Kind());
    EXPECT_EQ(TDateTimeKind::dtkDate, date->Kind());
    EXPECT_EQ(clInfoBk, date->Color());
    const LONG timeStyle = ::GetWindowLongA(time->Handle(), GWL_STYLE);
    EXPECT_EQ(DTS_TIMEFORMAT, timeStyle & DTS_TIMEFORMAT);
    EXPECT_EQ(0, timeStyle & DTS_APPCANPARSE);
    const LONG dateStyle = ::GetWindowLongA(date->Handle(), GWL_STYLE);
    EXPECT_EQ(0, dateStyle & (DTS_UPDOWN | DTS_RIGHTALIGN | DTS_APPCANPARSE | DTS_LONGDATEFORMAT));
}

// One of each control on a shown window. With ZV_SHOWCASE_MS set, the window stays up that long so
// that a screenshot can be taken from the same display.
TEST_F(StdCtrls, ShowcaseFormShowsEveryControl)
{
    form->Read(kLayout);
    form->Finish();
    form->Show();
    ::SetForegroundWindow(form->Handle());
    Pump(100);
    for (int i = 0; i < form->ControlCount(); ++i) {
        if (auto* w = dynamic_cast<TWinControl*>(form->Controls(i))) {
            EXPECT_TRUE(::IsWindowVisible(w->Handle())) << w->Name();
        }
    }
    if (const char* hold = std::getenv("ZV_SHOWCASE_MS"))
        Pump(std::atoi(hold));
}

} // namespace
