// The shadow control: the dithered shadow over the parent's background, the frame for each depth
// and switch, and the linked control (placed, recoloured on focus, let go when it is destroyed).
#include <gtest/gtest.h>

#include "controls/styled/glShadow.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "support/GdiLedger.h"
#include "support/TestUtil.h"

namespace zv {
namespace {

using namespace test;

constexpr TColor kBack = RGBColor(200, 120, 40);
constexpr TColor kFrame = RGBColor(0, 0, 255);

class ShadowForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(120, 120, 300, 200);
        form->SetColor(kBack);
        shadow = new TglShadow(form);
        shadow->SetParent(form);
        shadow->SetBounds(10, 10, 129, 25);
    }
    void TearDown() override { delete form; }
    // The shadow as its parent paints it, in the form's client coordinates.
    std::unique_ptr<TDib> Paint()
    {
        auto dib = std::make_unique<TDib>(300, 200, clWhite);
        ::SendMessageA(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib->DC()), PRF_CLIENT);
        return dib;
    }
    TForm* form = nullptr;
    TglShadow* shadow = nullptr;
};

TEST_F(ShadowForm, TheCheckerboardDarkensAlternatePixelsAndLetsTheBackgroundShow)
{
    shadow->SetTransparentColor(clWhite);
    form->Show();
    auto dib = Paint();
    EXPECT_EQ(clWhite, shadow->TransparentColor());
    const int d = shadow->ShadowDepth();
    int dark = 0, back = 0, other = 0;
    for (int y = 10 + d; y < 10 + 25; ++y)
        for (int x = 10 + d; x < 10 + 129; ++x) {
            const TColor want = ((x - 10 - d) + (y - 10 - d)) % 2 == 0 ? clBlack : kBack;
            const TColor got = dib->Pixel(x, y);
            (got == want ? (want == clBlack ? dark : back) : other)++;
        }
    EXPECT_EQ(0, other);
    EXPECT_GT(dark, 0);
    EXPECT_GT(back, 0);
    // No bevels: above and left of the shadow only the background.
    for (int x = 10; x < 10 + 129; ++x)
        EXPECT_EQ(kBack, dib->Pixel(x, 10 + d - 1)) << x;
    for (int y = 10; y < 10 + 25; ++y)
        EXPECT_EQ(kBack, dib->Pixel(10 + d - 1, y)) << y;
}

TEST_F(ShadowForm, FramesForEachDepthAndWithoutTheShadow)
{
    shadow->Style().SetInner(TBevelCut::bvSpace);
    shadow->Style().SetShadowColor(kFrame);
    form->Show();

    // Depth 0: the frame and the pattern start at the client's corner; the frame's right and bottom
    // lie just outside the control.
    shadow->SetShadowDepth(0);
    auto dib = Paint();
    EXPECT_EQ(kFrame, dib->Pixel(10, 20));
    EXPECT_EQ(kFrame, dib->Pixel(60, 10));
    EXPECT_EQ(clBlack, dib->Pixel(11, 11));
    EXPECT_EQ(kBack, dib->Pixel(12, 11));
    EXPECT_EQ(clBlack, dib->Pixel(10 + 128, 10 + 24));

    // Without the shadow only the frame, one pixel smaller: its right and bottom are the last ones.
    shadow->SetShadowed(false);
    dib = Paint();
    EXPECT_EQ(kFrame, dib->Pixel(10 + 128, 20));
    EXPECT_EQ(kFrame, dib->Pixel(60, 10 + 24));
    EXPECT_EQ(kBack, dib->Pixel(10 + 129, 20));
    EXPECT_EQ(kBack, dib->Pixel(11, 11));
    EXPECT_EQ(kBack, dib->Pixel(12, 11));
}

TEST_F(ShadowForm, AMaskedShadowTakesAnotherColourForItsDarkCells)
{
    shadow->SetMaskedFromColor(clBlack);
    shadow->SetMaskedToColor(clLime);
    shadow->SetMaskedShadow(true);
    form->Show();
    auto dib = Paint();
    const int d = shadow->ShadowDepth();
    EXPECT_EQ(clLime, dib->Pixel(10 + d, 10 + d));
    EXPECT_EQ(kBack, dib->Pixel(10 + d + 1, 10 + d));
    EXPECT_EQ(clLime, dib->Pixel(10 + d + 1, 10 + d + 1));
}

TEST_F(ShadowForm, ALinkedEditIsPlacedInTheFrameAndRecolouredOnFocus)
{
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 100, 80, 20);
    shadow->StyleActive().SetBackgroundColor(clYellow);
    shadow->StyleActive().SetTextColor(clRed);
    int entered = 0, left = 0;
    shadow->OnControlEnter = [&](TObject*) { ++entered; };
    shadow->OnControlExit = [&](TObject*) { ++left; };
    shadow->SetControl(edit);
    shadow->SetControl(shadow); // a shadow never holds itself
    EXPECT_EQ(edit, shadow->Control());
    form->Show();
    form->Update();
    Pump(20);
    // Inside the frame (the client less the depth at right and bottom), one pixel over each way.
    const int d = shadow->ShadowDepth();
    EXPECT_EQ(10, edit->Left());
    EXPECT_EQ(10, edit->Top());
    EXPECT_EQ(129 - d + 1, edit->Width());
    EXPECT_EQ(25 - d + 1, edit->Height());

    edit->SetFocus();
    Pump(20);
    EXPECT_EQ(1, entered);
    EXPECT_EQ(clYellow, edit->Color());
    EXPECT_EQ(clRed, edit->Font().Color());
    other->SetFocus();
    Pump(20);
    EXPECT_EQ(1, left);
    EXPECT_EQ(clWindow, edit->Color());
    EXPECT_EQ(clBlack, edit->Font().Color());

    // The edit goes where its shadow goes, and writes in the shadow's font.
    auto* panel = new TForm(form);
    shadow->SetParent(panel);
    EXPECT_EQ(panel, edit->Parent());
    shadow->Font().SetHeight(-15);
    EXPECT_EQ(-15, edit->Font().Height());
}

TEST_F(ShadowForm, DestroyingEitherSideOfTheLinkLeavesNothingDangling)
{
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    shadow->SetControl(edit);
    form->Show();
    delete edit;
    EXPECT_EQ(nullptr, shadow->Control());
    EXPECT_NO_THROW(Paint());

    // The other way round: the edit keeps working once its shadow is gone.
    auto* kept = new TEdit(form);
    kept->SetParent(form);
    shadow->SetControl(kept);
    delete shadow;
    EXPECT_FALSE(kept->OnEnter);
    EXPECT_FALSE(kept->OnExit);
}

TEST_F(ShadowForm, RepaintsGiveTheContextBackAndLeaveNoObjectsBehind)
{
    shadow->Style().SetInner(TBevelCut::bvLowered);
    shadow->Style().SetOuter(TBevelCut::bvRaised);
    form->Show();
    TDib dib(129, 25, clWhite);
    shadow->PaintTo(dib.DC());
    const TDCObjects before = TDCObjects::Of(dib.DC());
    GdiLedger ledger;
    for (int i = 0; i < 1000; ++i)
        shadow->PaintTo(dib.DC());
    EXPECT_EQ(0, ledger.Outstanding());
    EXPECT_TRUE(before == TDCObjects::Of(dib.DC()));

    // Rebuilding the shadow replaces its bitmap; once the control is gone nothing of it is left.
    for (int i = 0; i < 20; ++i) {
        shadow->SetShadowDepth(i % 2 ? 4 : 6);
        shadow->PaintTo(dib.DC());
    }
    delete shadow;
    EXPECT_EQ(0, ledger.Outstanding());
}

} // namespace
} // namespace zv
