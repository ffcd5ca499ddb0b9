// The flat edit: its three self-painted rings idle and active, when the active look applies, the
// parent-colour flag of its own, and the height that follows the font.
#include <gtest/gtest.h>

#include <string>

#include "controls/flat/FlatEdit.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Layout.h"
#include "flat/PixelCount.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBorder = RGBColor(160, 150, 131);

class FlatEdits : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form = new TForm(Application);
        form->SetBounds(100, 100, 300, 160);
        form->SetColor(clBtnFace);
        form->Font().SetName("MS Sans Serif");
        form->Font().SetHeight(-11);
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
        a = Add(10);
        b = Add(40);
        plain = new TEdit(nullptr);
        plain->SetBounds(10, 100, 80, 21);
        plain->SetParent(form);
        plain->SetFocus();
        const POINT away = form->ClientToScreen(POINT{290, 150});
        ::SetCursorPos(away.x, away.y);
    }
    void TearDown() override
    {
        for (TWinControl* c : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b), static_cast<TWinControl*>(plain)}) {
            c->SetParent(nullptr);
            delete c;
        }
    }
    static TFlatEdit* Add(int top)
    {
        auto* e = new TFlatEdit(nullptr);
        e->SetBounds(10, top, 121, 19);
        e->SetParent(form);
        return e;
    }
    // The rings as drawn on a window-sized bitmap: outer, middle and inner ring, sampled on the left.
    struct Rings {
        TColor outer, middle, inner;
    };
    static Rings RingsOf(TFlatEdit* e)
    {
        TDib dib(e->Width(), e->Height(), clFuchsia);
        e->DrawBorder(dib.DC());
        const int y = e->Height() / 2;
        // Every pixel of each ring has the same colour.
        for (int ring = 0; ring < 3; ++ring) {
            const TColor c = dib.Pixel(ring, ring);
            const int w = e->Width() - 2 * ring, h = e->Height() - 2 * ring;
            const int n = CountPixels(dib, ring, ring, ring + w, ring + h, [&](int x, int yy, TColor p) {
                const bool onRing = x == ring || yy == ring || x == ring + w - 1 || yy == ring + h - 1;
                return onRing && p == c;
            });
            EXPECT_EQ(2 * w + 2 * h - 4, n) << "ring " << ring;
        }
        EXPECT_EQ(clFuchsia, dib.Pixel(3, y)) << "nothing painted inside the rings";
        return Rings{dib.Pixel(0, y), dib.Pixel(1, y), dib.Pixel(2, y)};
    }
    static TForm* form;
    TFlatEdit* a = nullptr;
    TFlatEdit* b = nullptr;
    TEdit* plain = nullptr;
};

TForm* FlatEdits::form = nullptr;

TEST_F(FlatEdits, IdleOnTheFaceColourAndWhiteWhileFocused)
{
    Rings r = RingsOf(a);
    EXPECT_EQ(kBorder, r.outer);
    EXPECT_EQ(ColorToRGB(clBtnFace), r.middle);
    EXPECT_EQ(ColorToRGB(clBtnFace), r.inner);
    EXPECT_EQ(clBtnFace, a->Color()) << "the field's background matches its rings";

    a->SetFocus();
    r = RingsOf(a);
    EXPECT_EQ(kBorder, r.outer);
    EXPECT_EQ(clWhite, r.middle);
    EXPECT_EQ(clWhite, r.inner);
    EXPECT_EQ(clWhite, a->Color());

    plain->SetFocus();
    EXPECT_EQ(ColorToRGB(clBtnFace), RingsOf(a).inner);
}

TEST_F(FlatEdits, HoverLightsUpUnlessAnotherFlatEditHasTheFocus)
{
    if (!::GetActiveWindow())
        ::SetForegroundWindow(form->Handle());
    ASSERT_NE(nullptr, ::GetActiveWindow());
    a->MouseEnter();
    EXPECT_FALSE(a->IsIdle());
    EXPECT_EQ(clWhite, RingsOf(a).inner);
    a->MouseLeave();
    EXPECT_TRUE(a->IsIdle());

    b->SetFocus();
    a->MouseEnter();
    EXPECT_TRUE(a->IsIdle()) << "a focused flat edit keeps the others idle";
    a->MouseLeave();
}

TEST_F(FlatEdits, ColorFlatFollowsTheParentUntilSetAndAdvancedColoursDeriveFromIt)
{
    form->SetColor(RGBColor(10, 120, 200));
    EXPECT_EQ(RGBColor(10, 120, 200), a->ColorFlat());
    a->SetColors(TCustomFlatEdit::ciFlat, clYellow);
    EXPECT_FALSE(a->ParentColor());
    form->SetColor(clBtnFace);
    EXPECT_EQ(clYellow, a->ColorFlat()) << "an explicit ColorFlat stays";
    EXPECT_EQ(clBtnFace, b->ColorFlat());
    a->SetParentColor(true);
    EXPECT_EQ(clBtnFace, a->ColorFlat());

    b->SetUseAdvColors(true);
    EXPECT_TRUE(b->ParentColor());
    EXPECT_EQ(ShiftColorLightness(clBtnFace, 0, 50, ColorShiftKind::darken), b->ColorBorder());
    EXPECT_EQ(ShiftColorLightness(clBtnFace, 0, 10, ColorShiftKind::lighten), b->ColorFocused());
}

TEST_F(FlatEdits, TheBorderTakesThreePixelsOnEverySideAndDisablingGreysTheField)
{
    RECT client;
    ::GetClientRect(a->Handle(), &client);
    EXPECT_EQ(121 - 6, client.right);
    EXPECT_EQ(a->Height() - 6, client.bottom);
    a->SetEnabled(false);
    EXPECT_EQ(ColorToRGB(clBtnFace), RingsOf(a).inner);
    a->SetEnabled(true);
}

TEST_F(FlatEdits, HeightFollowsTheFont)
{
    EXPECT_EQ(19, a->Height()) << "13-pixel cell + 6";
    a->Font().SetHeight(-16);
    TEXTMETRICA tm{};
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, a->Font().Handle());
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    EXPECT_EQ(tm.tmHeight + 6, a->Height());
}

class TFlatLayoutForm : public TForm {
public:
    explicit TFlatLayoutForm(TComponent* owner) : TForm(owner) {}
    const char* ClassName() const override { return "TFlatLayoutForm"; }
    void Read(const std::string& text) { ReadComponentLayout(this, text, "TFlatLayoutForm"); }
};

const bool kRegistered = [] {
    RegisterRootClass("TFlatLayoutForm", "TForm");
    return true;
}();

TEST(FlatEditLayout, ALoadedFieldTakesTheFontsHeight)
{
    TFlatLayoutForm f(nullptr);
    f.Read("object F: TFlatLayoutForm\n"
           "  Font.Height = -11\n"
           "  Font.Name = 'MS Sans Serif'\n"
           "  object name: TFlatEdit\n"
           "    Height = 30\n"
           "    ColorBorder = clBlack\n"
           "    AdvColorFocused = 20\n"
           "    UseAdvColors = False\n"
           "  end\n"
           "end\n");
    auto* e = f.Bind<TFlatEdit>("name");
    EXPECT_EQ(19, e->Height());
    EXPECT_EQ(clBlack, e->ColorBorder());
    EXPECT_EQ(20, e->AdvColors(TCustomFlatEdit::aiFocused));
}

} // namespace
} // namespace zv
