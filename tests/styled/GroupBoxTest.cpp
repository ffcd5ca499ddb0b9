// The collapsible group box: the caption tab's geometry, collapsing and expanding (alone, in a
// group, with the parent), enabling the children, the layout's values, and its pixels.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "controls/styled/glGroupBox.h"
#include "framework/Forms.h"
#include "framework/Layout.h"
#include "framework/StdCtrls.h"
#include "support/GdiLedger.h"
#include "support/TestUtil.h"

namespace zv {
namespace {

using namespace test;

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
std::tuple<LONG, LONG, LONG, LONG> Edges(LONG l, LONG t, LONG r, LONG b) { return {l, t, r, b}; }

TEST(GroupBoxCaptionTab, SizeGrowsByGlyphAndBevelsAndFollowsTheAlignment)
{
    TCaptionTabInput in;
    in.text = SIZE{60, 13};
    in.boxWidth = 145;
    // bvSpace inside: two pixels each way, plus the two beside the text.
    EXPECT_EQ(Edges(8, 0, 8 + 60 + 2 + 2, 15), Edges(CaptionTabRect(in)));
    in.glyphWidth = 10;
    in.bold = true;
    in.outer = TBevelCut::bvRaised;
    const RECT bold = CaptionTabRect(in);
    EXPECT_EQ(8 + 60 + 2 + 10 + 3 + 3, bold.right);
    EXPECT_EQ(13 + 6, bold.bottom);

    in = TCaptionTabInput{};
    in.text = SIZE{60, 13};
    in.boxWidth = 145;
    const int c = 64;
    in.alignment = TCaptionAlignment::fcaLeft;
    EXPECT_EQ(Edges(0, 0, c, 15), Edges(CaptionTabRect(in)));
    in.alignment = TCaptionAlignment::fcaRight;
    EXPECT_EQ(Edges(145 - c - 1, 0, 144, 15), Edges(CaptionTabRect(in)));
    in.alignment = TCaptionAlignment::fcaCenter;
    EXPECT_EQ(Edges((145 - c) / 2, 0, (145 - c) / 2 + c, 15), Edges(CaptionTabRect(in)));
    in.alignment = TCaptionAlignment::fcaWidth;
    EXPECT_EQ(Edges(0, 0, 144, 15), Edges(CaptionTabRect(in)));
}

TEST(GroupBoxCaptionTab, TextEffectsMakeItTaller)
{
    TCaptionTabInput in;
    in.text = SIZE{40, 13};
    const int plain = CaptionTabRect(in).bottom;
    in.textStyle = TglTextStyle::fstRaised;
    EXPECT_EQ(plain + 2, CaptionTabRect(in).bottom);
    in.textStyle = TglTextStyle::fstShadow;
    in.shadowDepth = 5;
    EXPECT_EQ(plain + 5, CaptionTabRect(in).bottom);
    in.delineated = true; // the outline's 2 plus the depth less the 2 the outline already gave
    EXPECT_EQ(plain + 2 + 3, CaptionTabRect(in).bottom);
}

class GroupBoxForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(100, 100, 400, 300);
        box = MakeBox("Tipul actiunii", 20, 20);
    }
    void TearDown() override { delete form; }
    TglGroupBox* MakeBox(const char* caption, int left, int top)
    {
        auto* b = new TglGroupBox(form);
        b->SetParent(form);
        b->SetBounds(left, top, 145, 105);
        b->SetCaption(caption);
        return b;
    }
    void Show()
    {
        form->Show();
        form->Update();
        Pump(30);
    }
    void Click(TglGroupBox* b, int x, int y)
    {
        ::SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        ::SendMessageA(b->Handle(), WM_LBUTTONUP, 0, At(x, y));
    }
    void ClickCaption(TglGroupBox* b)
    {
        const RECT r = b->CaptionRect();
        Click(b, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    TForm* form = nullptr;
    TglGroupBox* box = nullptr;
};

TEST_F(GroupBoxForm, CaptionClicksCollapseToTheTabAndRestoreTheHeightExactly)
{
    int collapsed = 0, expanded = 0;
    box->OnCollapsed = [&](TObject*) { ++collapsed; };
    box->OnExpanded = [&](TObject*) { ++expanded; };
    Show();
    const RECT tab = box->CaptionRect();
    ASSERT_GT(tab.bottom, 0);

    Click(box, 70, 60); // the body
    EXPECT_FALSE(box->Collapsed());
    EXPECT_EQ(105, box->Height());

    ClickCaption(box);
    EXPECT_TRUE(box->Collapsed());
    EXPECT_EQ(tab.bottom + 1, box->Height());
    EXPECT_EQ(105, box->FullHeight());
    ClickCaption(box);
    EXPECT_FALSE(box->Collapsed());
    EXPECT_EQ(105, box->Height());
    EXPECT_EQ(1, collapsed);
    EXPECT_EQ(1, expanded);

    // The setter changes the state the same way, without the events.
    box->SetCollapsed(true);
    EXPECT_EQ(tab.bottom + 1, box->Height());
    box->SetCollapsed(false);
    EXPECT_EQ(105, box->Height());
    EXPECT_EQ(1, collapsed);
    EXPECT_EQ(1, expanded);
}

TEST_F(GroupBoxForm, ResizeParentTakesTheSameAmountOffTheParentAndGivesItBack)
{
    auto* outer = MakeBox("Outer", 200, 10);
    outer->SetHeight(250);
    box->SetParent(outer);
    box->SetBounds(10, 30, 120, 105);
    box->SetOptions(box->Options() | fgoResizeParent);
    Show();
    const int tabBottom = box->CaptionRect().bottom;
    ClickCaption(box);
    EXPECT_EQ(250 - (105 - tabBottom), outer->Height());
    ClickCaption(box);
    EXPECT_EQ(250, outer->Height());
    EXPECT_EQ(105, box->Height());
}

TEST_F(GroupBoxForm, BoxesThatCannotCollapse)
{
    auto* empty = MakeBox("", 200, 20);
    auto* client = MakeBox("Client", 200, 150);
    auto* fixed = MakeBox("Fixed", 20, 150);
    client->SetAlign(TAlign::alClient);
    fixed->SetOptions(fixed->Options() & ~fgoCanCollapse);
    Show();

    // Without a caption there is no tab to click, and only the body is painted.
    const RECT none = empty->CaptionRect();
    EXPECT_TRUE(::IsRectEmpty(&none));
    Click(empty, 10, 2);
    EXPECT_FALSE(empty->Collapsed());

    const int clientHeight = client->Height();
    ClickCaption(client);
    client->SetCollapsed(true);
    EXPECT_FALSE(client->Collapsed());
    EXPECT_EQ(clientHeight, client->Height());

    ClickCaption(fixed);
    fixed->SetCollapsed(true);
    EXPECT_FALSE(fixed->Collapsed());
    EXPECT_EQ(105, fixed->Height());
}

TEST_F(GroupBoxForm, GroupsKeepOneExpandedOrCollapseTheOthers)
{
    auto* second = MakeBox("Second", 200, 20);
    auto* third = MakeBox("Third", 20, 150);
    for (TglGroupBox* b : {box, second, third})
        b->SetOptions(b->Options() | fgoOneAlwaysExpanded | fgoCollapseOther);
    Show();

    // Joining a group collapses the group's other boxes.
    box->SetGroupIndex(1);
    second->SetGroupIndex(1);
    EXPECT_TRUE(box->Collapsed());
    EXPECT_FALSE(second->Collapsed());

    // The only expanded box of its group stays expanded.
    ClickCaption(second);
    EXPECT_FALSE(second->Collapsed());
    EXPECT_EQ(105, second->Height());

    // Expanding one collapses the other; a box of no group is left alone.
    ClickCaption(box);
    EXPECT_FALSE(box->Collapsed());
    EXPECT_TRUE(second->Collapsed());
    EXPECT_FALSE(third->Collapsed());
    ClickCaption(third);
    EXPECT_TRUE(third->Collapsed());
}

TEST_F(GroupBoxForm, EnablingReachesEveryChildIncludingThoseDisabledBefore)
{
    auto* a = new TCheckBox(form);
    a->SetParent(box);
    auto* b = new TCheckBox(form);
    b->SetParent(box);
    auto* label = new TLabel(form);
    label->SetParent(box);
    b->SetEnabled(false);
    Show();

    box->SetEnabled(false);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_FALSE(label->Enabled());
    box->SetEnabled(true);
    EXPECT_TRUE(a->Enabled());
    EXPECT_TRUE(b->Enabled());
    EXPECT_TRUE(label->Enabled());
    EXPECT_TRUE(::IsWindowEnabled(b->Handle()));

    // Enabling an enabled box still enables a child disabled on its own.
    a->SetEnabled(false);
    box->SetEnabled(true);
    EXPECT_TRUE(a->Enabled());
}

TEST_F(GroupBoxForm, PaintingGivesTheContextBackAndLeavesNothingBehind)
{
    auto* plain = MakeBox("", 200, 20);
    box->SetCaptionTextStyle(TglTextStyle::fstRaised);
    box->Gradient().SetActive(true);
    box->CaptionGradient().SetActive(true);
    Show();
    TDib dib(145, 105, clWhite);
    const TDCObjects before = TDCObjects::Of(dib.DC());
    box->PaintTo(dib.DC());
    {
        GdiLedger ledger;
        for (int i = 0; i < 1000; ++i)
            box->PaintTo(dib.DC());
        EXPECT_EQ(0, ledger.Outstanding());
    }
    EXPECT_TRUE(before == TDCObjects::Of(dib.DC()));

    // Without a caption only the body: where a tab would be, the background; below it the frame.
    TDib body(145, 105, clWhite);
    plain->PaintTo(body.DC());
    const RECT none = plain->CaptionRect();
    EXPECT_TRUE(::IsRectEmpty(&none));
    const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow);
    int background = 0, frame = 0;
    const int frameRow = body.Height() - 1; // the bottom line of the bvSpace frame
    for (int x = 8; x < 60; ++x) {
        background += body.Pixel(x, 2) == face;
        frame += body.Pixel(x, frameRow) == shadow;
    }
    EXPECT_EQ(52, background);
    EXPECT_EQ(52, frame);
}

// A parent that scrolls vertically, recording where it is asked to scroll to.
class TScrollingPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<int> positions;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TCustomControl::CreateParams(p);
        p.style |= WS_VSCROLL;
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_VSCROLL && LOWORD(wParam) == SB_THUMBPOSITION)
            positions.push_back(HIWORD(wParam));
        return TCustomControl::WndProc(msg, wParam, lParam);
    }
};

TEST_F(GroupBoxForm, DraggingTheBodyScrollsAScrollingParentAndTheTransparentStylesRecreateTheWindow)
{
    auto* panel = new TScrollingPanel(form);
    panel->SetParent(form);
    panel->SetBounds(200, 10, 180, 250);
    box->SetParent(panel);
    box->SetBounds(5, 5, 145, 105);
    Show();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 300;
    si.nPage = 50;
    si.nPos = 100;
    ::SetScrollInfo(panel->Handle(), SB_VERT, &si, FALSE);

    HWND h = box->Handle();
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(60, 70));
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(60, 50));
    ::SendMessageA(h, WM_LBUTTONUP, 0, At(60, 50));
    ::SendMessageA(h, WM_MOUSEMOVE, 0, At(60, 20)); // released: no more scrolling
    // Pressed at 70, moved up to 50: the page follows the hand by 20.
    EXPECT_EQ(std::vector<int>{120}, panel->positions);
    EXPECT_FALSE(box->Collapsed());

    box->SetTransparent(true);
    EXPECT_NE(h, box->Handle());
    EXPECT_TRUE(::GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    box->SetTransparent(false);
    box->SetTransparentCaption(true);
    EXPECT_TRUE(::GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    box->SetTransparentCaption(false);
    EXPECT_FALSE(::GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

class TLayoutHost : public TForm {
public:
    using TForm::TForm;
    const char* ClassName() const override { return "TLayoutHost"; }
};

void RegisterLayoutHost()
{
    static const bool registered = (RegisterRootClass("TLayoutHost", "TForm"), true);
    (void)registered;
}

TEST(GroupBoxLayout, StyleValuesAndTheCollapsedStateComeFromTheLayout)
{
    RegisterLayoutHost();
    TLayoutHost host(nullptr);
    ReadComponentLayout(&host, R"(object Host: TLayoutHost
  object g: TglGroupBox
    Left = 8
    Top = 8
    Width = 145
    Height = 20
    Caption = 'Tipul actiunii'
    Border.Inner = bvLowered
    CaptionShift.X = 12
    Colors.Caption = clRed
    Gradient.Active = True
    Options = [fgoCanCollapse, fgoResizeParent]
    Collapsed = True
    FullHeight = 105
  end
end
)", "test");
    auto* g = host.Bind<TglGroupBox>("g");
    EXPECT_EQ(TBevelCut::bvLowered, g->Border().Inner());
    EXPECT_EQ(12, g->CaptionShift().X());
    EXPECT_EQ(clRed, g->Colors().Caption());
    EXPECT_TRUE(g->Gradient().Active());
    EXPECT_EQ(unsigned(fgoCanCollapse | fgoResizeParent), g->Options());
    // Read collapsed: the layout's height is the collapsed one, and the full one comes back on expanding.
    EXPECT_TRUE(g->Collapsed());
    EXPECT_EQ(20, g->Height());
    g->SetCollapsed(false);
    EXPECT_EQ(105, g->Height());
    EXPECT_EQ(RUSSIAN_CHARSET, g->Font().Charset());
}

// Read collapsed with fgoResizeParent: reading changes no height; expanding gives the parent exactly
// what the body takes, and collapsing again takes exactly that back. A box read collapsed without its
// full height keeps the height it was read with.
TEST(GroupBoxLayout, ReadCollapsedItGrowsAndShrinksItsParentByTheSameAmount)
{
    RegisterLayoutHost();
    TLayoutHost host(nullptr);
    ReadComponentLayout(&host, R"(object Host: TLayoutHost
  Height = 300
  object g: TglGroupBox
    Left = 8
    Top = 8
    Width = 145
    Height = 20
    Caption = 'Tipul actiunii'
    Options = [fgoCanCollapse, fgoResizeParent]
    Collapsed = True
    FullHeight = 105
  end
  object h: TglGroupBox
    Left = 160
    Top = 8
    Width = 145
    Height = 22
    Caption = 'Retea'
    Collapsed = True
  end
end
)", "test");
    auto* g = host.Bind<TglGroupBox>("g");
    auto* h = host.Bind<TglGroupBox>("h");
    ASSERT_EQ(300, host.Height()) << "reading a collapsed box leaves the parent as the layout says";
    ASSERT_EQ(20, g->Height());

    g->SetCollapsed(false);
    const int captionBottom = g->CaptionRect().bottom;
    ASSERT_GT(captionBottom, 0);
    EXPECT_EQ(105, g->Height());
    EXPECT_EQ(300 + 105 - captionBottom, host.Height());
    g->SetCollapsed(true);
    EXPECT_EQ(captionBottom + 1, g->Height());
    EXPECT_EQ(300, host.Height());
    g->SetCollapsed(false);
    EXPECT_EQ(105, g->Height()) << "the full height survives a second round";

    const int parentHeight = host.Height();
    h->SetCollapsed(false);
    EXPECT_FALSE(h->Collapsed());
    EXPECT_EQ(22, h->Height());
    EXPECT_EQ(parentHeight, host.Height()) << "without fgoResizeParent the parent is left alone";
}

} // namespace
} // namespace zv
