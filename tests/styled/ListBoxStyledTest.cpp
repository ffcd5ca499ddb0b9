// The styled list box: text flags, item heights, re-measuring, hot tracking, which style an item
// state draws with, and the system information window's look.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/styled/glListBox.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Layout.h"
#include "support/GdiLedger.h"
#include "support/TestUtil.h"

namespace zv {
namespace {

using namespace test;

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Lets a test hand the list a draw request as the window system would.
class TProbeList : public TglListBox {
public:
    using TglListBox::TglListBox;
    using TglListBox::CNDrawItem;
};

TEST(StyledListBoxFlags, WrapAndAlignmentPickTheDrawTextFlags)
{
    EXPECT_EQ(UINT(DT_NOPREFIX | DT_WORDBREAK), ListBoxTextFlags(fboWordWrap, TglHorAlign::fhaLeft, TglVertAlign::fvaTop));
    EXPECT_EQ(UINT(DT_NOPREFIX | DT_SINGLELINE | DT_CENTER | DT_VCENTER),
              ListBoxTextFlags(0, TglHorAlign::fhaCenter, TglVertAlign::fvaCenter));
    EXPECT_EQ(UINT(DT_NOPREFIX | DT_SINGLELINE | DT_RIGHT | DT_BOTTOM),
              ListBoxTextFlags(fboHotTrack, TglHorAlign::fhaRight, TglVertAlign::fvaBottom));
}

TEST(StyledListBoxFlags, OnlySelectedAloneOrWithTheFocusCountsAsSelected)
{
    EXPECT_TRUE(ListBoxItemSelected(ODS_SELECTED));
    EXPECT_TRUE(ListBoxItemSelected(ODS_SELECTED | ODS_FOCUS));
    EXPECT_FALSE(ListBoxItemSelected(ODS_SELECTED | ODS_DISABLED));
    EXPECT_FALSE(ListBoxItemSelected(ODS_SELECTED | ODS_FOCUS | ODS_GRAYED));
    EXPECT_FALSE(ListBoxItemSelected(ODS_FOCUS));
}

class StyledListForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(150, 120, 380, 260);
        list = new TProbeList(form);
        list->SetParent(form);
        list->SetBounds(24, 16, 297, 121);
        // The system information window's style.
        for (TglListBoxItemStyle* s : {&list->ItemStyle(), &list->ItemSelStyle()}) {
            s->SetDelineateColor(clBlack);
            s->Font().SetName("MS Sans Serif");
            s->Font().SetHeight(-11);
            s->Font().SetColor(clWindowText);
        }
        list->SetHotTrackColor(clRed);
    }
    void TearDown() override { delete form; }
    void Show()
    {
        form->Show();
        form->Update();
        Pump(30);
    }
    int LineHeight()
    {
        HDC dc = ::GetDC(nullptr);
        TCanvas c(dc);
        c.Font().Assign(list->ItemStyle().Font());
        const int h = c.TextHeight("Ag");
        ::ReleaseDC(nullptr, dc);
        return h;
    }
    int MeasuredHeight(int index)
    {
        return static_cast<int>(::SendMessageA(list->Handle(), LB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0));
    }
    TForm* form = nullptr;
    TProbeList* list = nullptr;
};

TEST_F(StyledListForm, ItemsMeasureTheirTextWithTheStylesExtras)
{
    list->AddItem("");
    list->AddItem("Numele sistemului: ZAVRIN");
    Show();
    EXPECT_EQ(14, MeasuredHeight(0));
    EXPECT_EQ(LineHeight(), MeasuredHeight(1));

    // A bevel on either style adds one per cut (two when bold), a text effect two.
    list->ItemSelStyle().Bevel().SetInner(TBevelCut::bvLowered);
    EXPECT_EQ(14 + 1, MeasuredHeight(0));
    list->ItemStyle().Bevel().SetOuter(TBevelCut::bvRaised);
    list->ItemStyle().Bevel().SetBold(true);
    EXPECT_EQ(14 + 2 + 2, MeasuredHeight(0));
    list->ItemStyle().SetTextStyle(TglTextStyle::fstShadow);
    EXPECT_EQ(14 + 2 + 2 + 2, MeasuredHeight(0));

    list->SetItemHeight(30);
    EXPECT_EQ(30, MeasuredHeight(0));
    EXPECT_EQ(30, MeasuredHeight(1));
}

TEST_F(StyledListForm, LongLinesWrapWithinTheBoxAndGrowTheirItem)
{
    const std::string longLine = "Rata de improspatare a displayului este: 60 Hz, iar memoria fizica a sistemului este "
                                 "de: 536870912 bytes, platforma sistemului de operare este: NT";
    list->AddItem("Numele sistemului: ZAVRIN");
    list->AddItem(longLine);
    Show();
    const int line = LineHeight();
    EXPECT_EQ(line, MeasuredHeight(0));
    EXPECT_GE(MeasuredHeight(1), 2 * line);
    EXPECT_EQ(0, MeasuredHeight(1) % line);

    // Without word wrap the same line stays one line high.
    list->SetOptions(list->Options() & ~fboWordWrap);
    EXPECT_EQ(line, MeasuredHeight(1));
}

TEST_F(StyledListForm, RemeasuringKeepsItemsObjectsAndSelection)
{
    TObject tag;
    list->AddItem("a");
    list->AddItem("b", &tag);
    list->AddItem("c");
    Show();
    list->SetItemIndex(2);
    list->RemeasureAll();
    ASSERT_EQ(3, list->Count());
    EXPECT_EQ("a", list->Items(0));
    EXPECT_EQ("b", list->Items(1));
    EXPECT_EQ(&tag, list->Objects(1));
    EXPECT_EQ("c", list->Items(2));
    EXPECT_EQ(2, list->ItemIndex());
}

TEST_F(StyledListForm, TheItemUnderThePointerIsHotUntilThePointerLeaves)
{
    for (const char* s : {"Numele sistemului: ZAVRIN", "Tipul procesorului: 6x86", "Userul logat este: ion"})
        list->AddItem(s);
    Show();
    const RECT second = list->ItemRect(1);
    ::SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, At(20, (second.top + second.bottom) / 2));
    EXPECT_EQ(1, list->HotIndex());
    list->Update();

    // The hot line is drawn in the hot-track colour, the others in their font's colour.
    TDib dib(list->ClientWidth(), list->ClientHeight(), clWhite);
    const auto drawItem = [&](int index, UINT state) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = list->Handle();
        dis.hDC = dib.DC();
        dis.rcItem = list->ItemRect(index);
        list->CNDrawItem(dis);
    };
    const auto count = [&](const RECT& r, TColor c) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += dib.Pixel(x, y) == c;
        return n;
    };
    drawItem(0, 0);
    drawItem(1, 0);
    EXPECT_EQ(0, count(list->ItemRect(0), clRed));
    EXPECT_GT(count(list->ItemRect(1), clRed), 10);

    // Leaving the control (the application's pointer tracking) cools the item again.
    Application->SetMouseControl(list);
    Application->SetMouseControl(nullptr);
    EXPECT_EQ(-1, list->HotIndex());
    drawItem(1, 0);
    EXPECT_EQ(0, count(list->ItemRect(1), clRed));
}

TEST_F(StyledListForm, ItemStatesPickTheStyleAndPaintingGivesTheContextBack)
{
    list->AddItem("Numele sistemului: ZAVRIN");
    list->AddItem("Tipul procesorului: 6x86");
    Show();
    const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow);
    TDib dib(list->ClientWidth(), list->ClientHeight(), clWhite);
    const auto drawItem = [&](UINT state) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = 0;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = list->Handle();
        dis.hDC = dib.DC();
        dis.rcItem = list->ItemRect(0);
        list->CNDrawItem(dis);
        // A pixel right of the text, inside the item's box.
        return dib.Pixel(dis.rcItem.right - 6, dis.rcItem.top + 2);
    };
    const TDCObjects before = TDCObjects::Of(dib.DC());
    EXPECT_EQ(shadow, drawItem(ODS_SELECTED));
    EXPECT_EQ(shadow, drawItem(ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(face, drawItem(ODS_SELECTED | ODS_DISABLED));
    EXPECT_EQ(face, drawItem(0));
    EXPECT_TRUE(before == TDCObjects::Of(dib.DC()));

    GdiLedger ledger;
    for (int i = 0; i < 1000; ++i)
        drawItem(i % 2 ? ODS_SELECTED : 0);
    EXPECT_EQ(0, ledger.Outstanding());
}

// Draws item `index` of `list` into `dib` as a WM_DRAWITEM request would.
void DrawInto(TProbeList& list, TDib& dib, int index, UINT state)
{
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = list.Handle();
    dis.hDC = dib.DC();
    dis.rcItem = list.ItemRect(index);
    list.CNDrawItem(dis);
}

TEST_F(StyledListForm, GlyphsSitInTheirCornerThroughTheirTransparentColour)
{
    // Two 8 x 8 glyphs, red and green, each with a white bottom-left corner (the transparent colour).
    TBitmap strip;
    strip.SetSize(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            strip.SetPixel(x, y, x < 8 ? clRed : clLime);
    strip.SetPixel(0, 7, clWhite);
    strip.SetPixel(8, 7, clWhite);
    auto* images = new TImageList(form);
    images->SetSize(8, 8);
    images->Add(strip);
    list->SetGlyphs(images);
    list->SetNumGlyphs(2);
    list->ChangeGlyphColor().SetFromColor(clRed);
    list->ChangeGlyphColor().SetToColor(clBlue);
    list->SetOptions(list->Options() | fboChangeGlyphColor);
    for (const char* s : {"a", "b", "c"})
        list->AddItem(s);
    Show();
    // Items are at least as high as the glyphs, plus nothing for the plain styles.
    EXPECT_EQ(std::max(8, LineHeight()), MeasuredHeight(0));

    TDib dib(list->ClientWidth(), list->ClientHeight(), clWhite);
    for (int i = 0; i < 3; ++i)
        DrawInto(*list, dib, i, 0);
    const auto at = [&](int index, int dx, int dy) { return dib.Pixel(1 + dx, list->ItemRect(index).top + 1 + dy); };
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(clRed, at(0, 3, 3));
    EXPECT_EQ(face, at(0, 0, 7)); // the transparent corner shows the item
    EXPECT_EQ(clLime, at(1, 3, 3));
    EXPECT_EQ(face, at(2, 3, 3)); // beyond NumGlyphs: no glyph

    // Selected, the glyph's from-colour turns into its to-colour.
    DrawInto(*list, dib, 0, ODS_SELECTED);
    EXPECT_EQ(clBlue, at(0, 3, 3));
}

TEST_F(StyledListForm, AGlobalWallpaperRunsOnAcrossItems)
{
    // Four rows of four colours, one per row.
    const TColor rows[] = {clRed, clLime, clBlue, clYellow};
    TBitmap wall;
    wall.SetSize(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            wall.SetPixel(x, y, rows[y]);
    list->SetWallpaper(wall);
    list->SetWallpaperOption(TglLBWallpaperOption::fwlGlobal);
    list->ItemStyle().Font().SetColor(clBlack);
    for (const char* s : {"", "", ""})
        list->AddItem(s);
    Show();
    TDib dib(list->ClientWidth(), list->ClientHeight(), clWhite);
    for (int i = 0; i < 3; ++i)
        DrawInto(*list, dib, i, 0);
    // Each item's rows continue the pattern from the item above; the last one fills to the bottom.
    const int x = list->ClientWidth() / 2;
    for (int y = 0; y < list->ClientHeight(); ++y)
        EXPECT_EQ(rows[y % 4], dib.Pixel(x, y)) << y;
}

TEST_F(StyledListForm, DragImageOfTheSelectedItem)
{
    list->AddItem("Numele sistemului: ZAVRIN");
    list->AddItem("Tipul procesorului: 6x86");
    Show();
    list->BeginDragImage(POINT{5, 5});
    EXPECT_EQ(nullptr, list->DragImages()); // nothing selected, nothing to drag
    list->SetItemIndex(1);
    const RECT r = list->ItemRect(1);
    list->BeginDragImage(POINT{30, r.top + 4});
    ASSERT_NE(nullptr, list->DragImages());
    EXPECT_EQ(1, ImageList_GetImageCount(list->DragImages()));
    int w = 0, h = 0;
    ImageList_GetIconSize(list->DragImages(), &w, &h);
    EXPECT_EQ(r.right - r.left, w);
    EXPECT_EQ(r.bottom - r.top, h);
    EXPECT_EQ(30, list->DragHotSpot().x);
    EXPECT_EQ(4, list->DragHotSpot().y);
}

TEST_F(StyledListForm, HotTrackSelectSelectsTheItemUnderThePointer)
{
    list->SetOptions(fboHotTrackSelect);
    for (const char* s : {"a", "b", "c"})
        list->AddItem(s);
    Show();
    const RECT third = list->ItemRect(2);
    ::SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, At(10, third.top + 2));
    EXPECT_EQ(2, list->ItemIndex());
    ::SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, At(10, third.bottom + 30)); // below the items
    EXPECT_EQ(2, list->ItemIndex());
}

class TListHost : public TForm {
public:
    using TForm::TForm;
    const char* ClassName() const override { return "TListHost"; }
};

TEST(StyledListBoxLayout, TheInformationWindowsSettingsReadFromALayout)
{
    static const bool registered = [] {
        RegisterRootClass("TListHost", "TForm");
        return true;
    }();
    (void)registered;
    TListHost host(nullptr);
    ReadComponentLayout(&host, R"(object Host: TListHost
  object box: TglListBox
    Left = 24
    Top = 16
    Width = 297
    Height = 121
    ItemStyle.Color = clBtnFace
    ItemStyle.DelineateColor = clBlack
    ItemStyle.Font.Name = 'MS Sans Serif'
    ItemStyle.Font.Height = -11
    ItemStyle.Font.Color = clWindowText
    ItemSelStyle.Color = clBtnShadow
    ItemSelStyle.Bevel.Inner = bvLowered
    TransparentColor = clOlive
    HotTrackColor = clRed
    Options = [fboExcludeGlyphs, fboHotTrack, fboWordWrap]
    ChangeGlyphColor.FromColor = clBlack
    ChangeGlyphColor.ToColor = clWhite
    TextAlign.Vertical = fvaCenter
    Items.Strings = ('Numele sistemului: ZAVRIN' 'Tipul procesorului: 6x86')
  end
end
)", "test");
    auto* box = host.Bind<TglListBox>("box");
    EXPECT_EQ(clBtnFace, box->ItemStyle().Color());
    EXPECT_EQ(clBlack, box->ItemStyle().DelineateColor());
    EXPECT_EQ(-11, box->ItemStyle().Font().Height());
    EXPECT_EQ(TBevelCut::bvLowered, box->ItemSelStyle().Bevel().Inner());
    EXPECT_EQ(clRed, box->HotTrackColor());
    EXPECT_EQ(unsigned(fboExcludeGlyphs | fboHotTrack | fboWordWrap), box->Options());
    EXPECT_EQ(UINT(DT_NOPREFIX | DT_WORDBREAK | DT_VCENTER), box->TextFlags());
    EXPECT_EQ(2, box->Count());
    // After loading, the control writes in its item font.
    EXPECT_EQ("MS Sans Serif", box->Font().Name());
    EXPECT_EQ(-11, box->Font().Height());
}

TEST_F(StyledListForm, SelectionChangesAreReportedWhenTheItemIsDrawn)
{
    for (const char* s : {"a", "b", "c"})
        list->AddItem(s);
    std::vector<std::pair<int, int>> changes;
    list->OnChange = [&](TObject*, int oldIndex, int newIndex) { changes.emplace_back(oldIndex, newIndex); };
    Show();
    list->SetItemIndex(1);
    list->Update();
    list->SetItemIndex(2);
    list->Update();
    ASSERT_EQ(2u, changes.size());
    EXPECT_EQ(std::make_pair(-1, 1), changes[0]);
    EXPECT_EQ(std::make_pair(1, 2), changes[1]);
}

} // namespace
} // namespace zv
