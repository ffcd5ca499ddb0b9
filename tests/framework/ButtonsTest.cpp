// The bitmap push button driven with real messages and painted into a bitmap; the group box's
// enabling rules, which decide whether the buttons inside it can be used.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/GroupBox.h"
#include "framework/Layout.h"
#include "framework/StdCtrls.h"
#include "tests/support/TestUtil.h"

using namespace zv;

namespace {

using test::Pump;
using test::TDib;

int CountIn(const TDib& dib, const RECT& r, TColor c)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += dib.Pixel(x, y) == ColorToRGB(c);
    return n;
}

TColor RGBOf(TColor c) { return ColorToRGB(c); }

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void ClickWindow(HWND h, int x = 10, int y = 10)
{
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    ::SendMessageA(h, WM_LBUTTONUP, 0, At(x, y));
}

// A button that draws after the base drawing and follows the mouse, as a styled button does.
class TProbeButton : public TBitBtn {
public:
    using TBitBtn::TBitBtn;
    void MouseEnter() override
    {
        TBitBtn::MouseEnter();
        ++enters;
        Invalidate();
    }
    void MouseLeave() override
    {
        TBitBtn::MouseLeave();
        ++leaves;
        Invalidate();
    }
    int enters = 0, leaves = 0;
    std::vector<TButtonDrawState> painted;

protected:
    void DrawButton(TCanvas& canvas, const RECT& rect, const TButtonDrawState& state) override
    {
        TBitBtn::DrawButton(canvas, rect, state);
        painted.push_back(state);
        // Over the base drawing, on the same device context: a mark in the top edge while not hot.
        if (!state.hot)
            canvas.SetPixel((rect.left + rect.right) / 2, rect.top, clRed);
    }
};

class ButtonForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(200, 150, 320, 200);
    }
    void TearDown() override
    {
        delete form;
        ::SetCursorPos(1020, 760);
        Pump(0);
    }
    template <class T>
    T* Add(int x, int y, int w, int h, const char* caption = "")
    {
        T* c = new T(form);
        c->SetParent(form);
        c->SetBounds(x, y, w, h);
        c->SetCaption(caption);
        return c;
    }
    void ShowForm()
    {
        form->Show();
        Pump(50);
    }
    TForm* form = nullptr;
};

TEST_F(ButtonForm, MouseClickFiresOnClickOnceAndOnlyWhenReleasedInside)
{
    auto* b = Add<TBitBtn>(10, 10, 80, 25, "Valideaza");
    int clicks = 0;
    b->OnClick = [&](TObject* sender) {
        EXPECT_EQ(b, sender);
        ++clicks;
    };
    ShowForm();
    ClickWindow(b->Handle());
    EXPECT_EQ(1, clicks);
    // A quick second click arrives as a double click: still one more click, not two, not none.
    ::SendMessageA(b->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 10));
    ::SendMessageA(b->Handle(), WM_LBUTTONUP, 0, At(10, 10));
    EXPECT_EQ(2, clicks);
    // Pressed inside, released outside: no click.
    ::SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(b->Handle(), WM_LBUTTONUP, 0, At(200, 10));
    EXPECT_EQ(2, clicks);
}

TEST_F(ButtonForm, SpaceClicksAndShowsThePressedStateWhileHeld)
{
    auto* b = Add<TProbeButton>(10, 10, 80, 25, "OK");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();
    b->SetFocus();
    ::SendMessageA(b->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    ::UpdateWindow(b->Handle());
    ASSERT_FALSE(b->painted.empty());
    EXPECT_TRUE(b->painted.back().pressed);
    EXPECT_TRUE(b->painted.back().focused);
    EXPECT_FALSE(b->painted.back().hot); // pressed without the mouse over it
    EXPECT_EQ(0, clicks);
    ::SendMessageA(b->Handle(), WM_KEYUP, VK_SPACE, 0);
    ::UpdateWindow(b->Handle());
    EXPECT_EQ(1, clicks);
    EXPECT_FALSE(b->painted.back().pressed);
}

TEST_F(ButtonForm, EnterClicksTheDefaultButtonAndEscTheCancelButton)
{
    auto* edit = Add<TEdit>(10, 10, 100, 21);
    auto* ok = Add<TBitBtn>(10, 50, 75, 25, "OK");
    auto* cancel = Add<TBitBtn>(100, 50, 75, 25, "Anuleaza");
    ok->SetDefault(true);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    ShowForm();

    edit->SetFocus();
    ::SendMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ::SendMessageA(edit->Handle(), WM_CHAR, '\r', 0);
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ(0, cancelClicks);
    EXPECT_EQ("", edit->GetText()); // the Enter did not reach the edit as typing

    ::SendMessageA(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ(1, cancelClicks);

    // A focused push button takes Enter itself.
    cancel->SetFocus();
    ::SendMessageA(cancel->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ(2, cancelClicks);

    // A disabled default button is not clicked.
    ok->SetEnabled(false);
    edit->SetFocus();
    ::SendMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(1, okClicks);
}

TEST_F(ButtonForm, DefaultFrameMovesToTheFocusedButton)
{
    auto* ok = Add<TBitBtn>(10, 50, 75, 25, "OK");
    auto* other = Add<TBitBtn>(100, 50, 75, 25, "Altul");
    ok->SetDefault(true);
    ShowForm();
    EXPECT_TRUE(ok->DrawState(0).framed);
    other->SetFocus();
    EXPECT_FALSE(ok->DrawState(0).framed);
    EXPECT_TRUE(other->DrawState(ODS_FOCUS).framed);
    EXPECT_FALSE(other->DrawState(0).framed); // not default: framed only through its focus
}

TEST_F(ButtonForm, MouseEnterAndLeaveReachTheNativeButton)
{
    auto* b = Add<TProbeButton>(10, 10, 80, 25, "Hover");
    ShowForm();
    const POINT inside = b->ClientToScreen(POINT{40, 12});
    ::SetCursorPos(inside.x, inside.y);
    ::SendMessageA(b->Handle(), WM_MOUSEMOVE, 0, At(40, 12));
    ::SendMessageA(b->Handle(), WM_MOUSEMOVE, 0, At(41, 12));
    EXPECT_EQ(1, b->enters);
    b->painted.clear();
    ::UpdateWindow(b->Handle());
    ASSERT_FALSE(b->painted.empty());
    EXPECT_TRUE(b->painted.back().hot);

    // Onto the form beside it.
    const POINT outside = form->ClientToScreen(POINT{200, 150});
    ::SetCursorPos(outside.x, outside.y);
    ::SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, At(200, 150));
    EXPECT_EQ(1, b->leaves);
    EXPECT_FALSE(b->MouseInControl());
}

// ---- painting

struct Px {
    int x, y;
    TColor colour;
};

class ButtonPaint : public ::testing::Test {
protected:
    static constexpr int W = 75, H = 25;
    void SetUp() override { b.SetBounds(0, 0, W, H); }
    TColor At(int x, int y) const { return dib.Pixel(x, y); }
    void Expect(std::initializer_list<Px> pixels) const
    {
        for (const Px& p : pixels)
            EXPECT_EQ(RGBOf(p.colour), At(p.x, p.y)) << "at " << p.x << "," << p.y;
    }
    TBitBtn b{nullptr};
    TDib dib{W, H};
};

TEST_F(ButtonPaint, RaisedAndSunkenEdges)
{
    b.PaintButton(dib.DC(), 0); // the far corners belong to the dark edge
    Expect({{0, 0, clBtnHighlight}, {W - 2, 0, clBtnHighlight}, {0, H - 2, clBtnHighlight}, {W - 1, 0, cl3DDkShadow},
            {0, H - 1, cl3DDkShadow}, {W - 1, H - 1, cl3DDkShadow}, {1, 1, cl3DLight}, {W - 2, H - 2, clBtnShadow},
            {1, H - 2, clBtnShadow}, {2, 2, clBtnFace}, {W / 2, H / 2, clBtnFace}});
    b.PaintButton(dib.DC(), ODS_SELECTED);
    Expect({{0, 0, clBtnShadow}, {1, 1, cl3DDkShadow}, {W - 1, H - 1, clBtnHighlight}, {W - 2, H - 2, cl3DLight}});
    // Pressed with the focus: the black frame, then one flat shadow line.
    b.PaintButton(dib.DC(), ODS_SELECTED | ODS_FOCUS);
    Expect({{0, 0, clBlack}, {1, 1, clBtnShadow}, {W - 2, H - 2, clBtnShadow}, {2, 2, clBtnFace}});
}

TEST_F(ButtonPaint, DefaultButtonHasAOnePixelBlackFrameWithTheEdgeInside)
{
    b.SetDefault(true);
    b.PaintButton(dib.DC(), 0);
    EXPECT_EQ(2 * W + 2 * (H - 2), CountIn(dib, RECT{0, 0, W, H}, clBlack) -
                                       CountIn(dib, RECT{1, 1, W - 1, H - 1}, clBlack));
    Expect({{1, 1, clBtnHighlight}, {W - 2, H - 2, cl3DDkShadow}, {2, 2, cl3DLight}, {W - 3, H - 3, clBtnShadow},
            {3, 3, clBtnFace}});
}

TEST_F(ButtonPaint, FocusRectangleFourPixelsInside)
{
    b.PaintButton(dib.DC(), ODS_FOCUS);
    EXPECT_EQ(RGBOf(clBlack), At(0, 0)); // focused: framed like the default button
    // The dotted rectangle runs along row and column 4 and their mirrors; the rings just outside
    // and just inside it are plain face.
    EXPECT_GE(W - 8 - CountIn(dib, RECT{4, 4, W - 4, 5}, clBtnFace), (W - 8) / 2 - 1);
    EXPECT_GE(H - 8 - CountIn(dib, RECT{4, 4, 5, H - 4}, clBtnFace), (H - 8) / 2 - 1);
    EXPECT_GE(W - 8 - CountIn(dib, RECT{4, H - 5, W - 4, H - 4}, clBtnFace), (W - 8) / 2 - 1);
    EXPECT_EQ(W - 6, CountIn(dib, RECT{3, 3, W - 3, 4}, clBtnFace));
    EXPECT_EQ(W - 10, CountIn(dib, RECT{5, 5, W - 5, 6}, clBtnFace));
    EXPECT_EQ(H - 10, CountIn(dib, RECT{5, 5, 6, H - 5}, clBtnFace));
}

TEST_F(ButtonPaint, CaptionInTextColourOrEmbossedWhenDisabled)
{
    b.SetCaption("Iesire");
    const RECT textArea{10, 5, W - 10, H - 5};
    b.PaintButton(dib.DC(), 0);
    EXPECT_GT(CountIn(dib, textArea, clBlack), 5);
    EXPECT_EQ(0, CountIn(dib, textArea, clBtnShadow));

    b.PaintButton(dib.DC(), ODS_DISABLED);
    EXPECT_EQ(0, CountIn(dib, textArea, clBlack));
    EXPECT_GT(CountIn(dib, textArea, clBtnShadow), 5);
    EXPECT_GT(CountIn(dib, textArea, clBtnHighlight), 5);
}

TEST_F(ButtonPaint, GlyphDrawnTransparentCentredAndDisabled)
{
    // Two 8 x 8 images: red and blue squares on an olive background (the transparent colour).
    TBitmap g;
    g.SetSize(16, 8);
    g.Canvas().Brush().SetColor(clOlive);
    g.Canvas().FillRect(RECT{0, 0, 16, 8});
    g.Canvas().Brush().SetColor(clRed);
    g.Canvas().FillRect(RECT{2, 2, 6, 6});
    g.Canvas().Brush().SetColor(clBlue);
    g.Canvas().FillRect(RECT{10, 2, 14, 6});
    b.SetGlyph(g);
    b.SetNumGlyphs(2);
    const int gx = (W - 8) / 2, gy = (H - 8) / 2;

    b.PaintButton(dib.DC(), 0);
    EXPECT_EQ(RGBOf(clRed), At(gx + 3, gy + 3));
    EXPECT_EQ(RGBOf(clBtnFace), At(gx, gy)); // transparent corner shows the face
    EXPECT_EQ(0, CountIn(dib, RECT{0, 0, W, H}, clOlive));

    b.PaintButton(dib.DC(), ODS_SELECTED); // moved one pixel right and down
    EXPECT_EQ(RGBOf(clRed), At(gx + 6, gy + 6));
    EXPECT_EQ(RGBOf(clBtnFace), At(gx + 2, gy + 2));

    b.PaintButton(dib.DC(), ODS_DISABLED); // the strip's own disabled image
    EXPECT_EQ(RGBOf(clBlue), At(gx + 3, gy + 3));

    b.SetNumGlyphs(1); // one image of 16 now: the red square at 2..5 of it
    const int gx1 = (W - 16) / 2, gy1 = (H - 8) / 2;
    b.PaintButton(dib.DC(), ODS_DISABLED); // no disabled image: the shape embossed
    EXPECT_EQ(RGBOf(clBtnShadow), At(gx1 + 3, gy1 + 3));
    EXPECT_EQ(RGBOf(clBtnHighlight), At(gx1 + 6, gy1 + 6));
    EXPECT_EQ(RGBOf(clBtnShadow), At(gx1 + 11, gy1 + 3));
    EXPECT_EQ(0, CountIn(dib, RECT{0, 0, W, H}, clRed));
}

TEST(ButtonSubclass, DrawsAfterTheBaseOnTheSameDeviceContext)
{
    TProbeButton b(nullptr);
    b.SetBounds(0, 0, 40, 20);
    TDib dib(40, 20);
    b.PaintButton(dib.DC(), 0);
    EXPECT_EQ(RGBOf(clRed), dib.Pixel(20, 0));       // the subclass's mark over the edge
    EXPECT_EQ(RGBOf(clBtnHighlight), dib.Pixel(19, 0)); // the base's edge beside it
}

// ---- group box

TEST_F(ButtonForm, DisabledGroupBoxBlocksItsChildrenWhoKeepTheirOwnEnabled)
{
    auto* box = Add<TGroupBox>(10, 10, 200, 100, "Tipul actiunii");
    auto* inner = new TBitBtn(form);
    inner->SetParent(box);
    inner->SetBounds(20, 30, 80, 25);
    ShowForm();
    const POINT p = inner->ClientToScreen(POINT{40, 12});
    EXPECT_EQ(inner->Handle(), ::WindowFromPoint(p));
    ASSERT_TRUE(inner->CanFocus());

    box->SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(box->Handle()));
    EXPECT_TRUE(inner->Enabled());
    EXPECT_TRUE(::IsWindowEnabled(inner->Handle()));
    EXPECT_FALSE(inner->CanFocus());
    EXPECT_NE(inner->Handle(), ::WindowFromPoint(p)); // the pointer no longer reaches it

    box->SetEnabled(true);
    EXPECT_TRUE(inner->CanFocus());
    EXPECT_EQ(inner->Handle(), ::WindowFromPoint(p));
}

TEST(GroupBoxPaint, EtchedFrameBrokenByTheCaption)
{
    TGroupBox box(nullptr);
    box.SetBounds(0, 0, 120, 60);
    box.SetCaption("Grup");
    TDib dib(120, 60);
    box.PaintTo(dib.DC());
    box.PaintTo(dib.DC()); // a second paint on the same canvas looks the same
    HDC screen = ::GetDC(nullptr);
    TCanvas c(screen);
    c.Font().Assign(box.Font());
    const int th = c.TextHeight("0");
    const int tw = c.TextWidth("Grup");
    ::ReleaseDC(nullptr, screen);
    const int y = th / 2;
    EXPECT_EQ(RGBOf(clBtnShadow), dib.Pixel(4, y));
    EXPECT_EQ(RGBOf(clBtnHighlight), dib.Pixel(4, y + 1));
    EXPECT_EQ(RGBOf(clBtnShadow), dib.Pixel(0, 40));
    EXPECT_EQ(RGBOf(clBtnHighlight), dib.Pixel(1, 40));
    EXPECT_EQ(RGBOf(clBtnShadow), dib.Pixel(60, 58));
    EXPECT_EQ(RGBOf(clBtnHighlight), dib.Pixel(60, 59));
    // The top line stops for the caption and goes on after it.
    EXPECT_EQ(RGBOf(clBtnFace), dib.Pixel(8, y));
    EXPECT_EQ(RGBOf(clBtnFace), dib.Pixel(8 + tw + 3, y));
    EXPECT_EQ(RGBOf(clBtnShadow), dib.Pixel(8 + tw + 4, y));
    EXPECT_GT(CountIn(dib, RECT{10, 0, 10 + tw, th}, clBlack), 5);
    EXPECT_EQ(RGBOf(clBtnFace), dib.Pixel(60, 30));

    const RECT d = box.DisplayRect();
    EXPECT_GE(d.top, th);
    EXPECT_GT(d.left, 0);
    EXPECT_LT(d.right, 120);
}

// ---- layouts

class TButtonsLayoutForm : public TForm {
public:
    explicit TButtonsLayoutForm(TComponent* owner) : TForm(owner)
    {
        PublishHandler("OkClick", TNotifyEvent([this](TObject*) { ++clicks; }));
    }
    const char* ClassName() const override { return "TButtonsLayoutForm"; }
    void Read(const std::string& text) { ReadComponentLayout(this, text, "TButtonsLayoutForm"); }
    int clicks = 0;
};

const bool kRegistered = [] {
    RegisterRootClass("TButtonsLayoutForm", "TForm");
    return true;
}();

TEST(ButtonsLayout, PublishedPropertiesAreRead)
{
    TButtonsLayoutForm form(nullptr);
    form.Read(R"(object F: TButtonsLayoutForm
  object GroupBox1: TGroupBox
    Caption = 'Tipul actiunii'
    Enabled = False
    object glBitBtn1: TBitBtn
      Caption = 'Valideaza'
      Default = True
      ModalResult = mrOk
      Glyph.Resource = 'SPLASH'
      NumGlyphs = 3
      Layout = blGlyphTop
      OnClick = OkClick
    end
    object Button2: TButton
      Cancel = True
      ModalResult = 7
      TabStop = False
    end
  end
end
)");
    auto* box = form.Bind<TGroupBox>("GroupBox1");
    auto* ok = form.Bind<TBitBtn>("glBitBtn1");
    auto* other = form.Bind<TButton>("Button2");
    EXPECT_EQ("Tipul actiunii", box->Caption());
    EXPECT_FALSE(box->Enabled());
    EXPECT_EQ(box, ok->Parent());
    EXPECT_EQ("Valideaza", ok->Caption());
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Cancel());
    EXPECT_EQ(mrOk, ok->ModalResult());
    EXPECT_EQ(399, ok->Glyph().Width());
    EXPECT_EQ(3, ok->NumGlyphs());
    EXPECT_EQ(TButtonLayout::blGlyphTop, ok->Layout());
    EXPECT_TRUE(ok->TabStop());
    EXPECT_TRUE(other->Cancel());
    EXPECT_EQ(mrNo, other->ModalResult());
    EXPECT_FALSE(other->TabStop());
    ok->Click();
    EXPECT_EQ(1, form.clicks);
}

} // namespace
