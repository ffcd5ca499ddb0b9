// The list box: items with objects through window re-creation, the measure and draw requests of
// the owner-drawn styles, selection by the mouse, and the update bracket.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Layout.h"
#include "framework/ListBox.h"
#include "tests/support/TestUtil.h"

using namespace zv;

namespace {

using test::Pump;

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

std::string WindowItem(HWND h, int i)
{
    char buf[256] = {};
    ::SendMessageA(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    return buf;
}

struct Drawn {
    int index;
    RECT rect;
    UINT state;
};

// Records the requests the window system makes, then draws as the base does.
class TProbeList : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    std::vector<int> measured;
    std::vector<std::string> measuredText;
    std::vector<Drawn> drawn;
    bool canvasBoundWhileMeasuring = false;
    // Exposed so a test can paint one item into a bitmap as WM_DRAWITEM would.
    using TCustomListBox::CNDrawItem;

protected:
    void MeasureItem(int index, int& height) override
    {
        measured.push_back(index);
        measuredText.push_back(Items(index));
        canvasBoundWhileMeasuring = Canvas().Handle() != nullptr && Canvas().TextHeight("Ag") > 0;
        height = 10 + 5 * static_cast<int>(Items(index).size());
        TCustomListBox::MeasureItem(index, height);
    }
    void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override
    {
        drawn.push_back(Drawn{index, rect, state});
        TCustomListBox::DrawItem(index, rect, state);
    }
};

class ListBoxForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(200, 150, 320, 240);
        list = new TProbeList(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 200, 180);
    }
    void TearDown() override { delete form; }
    void ShowForm()
    {
        form->Show();
        Pump(50);
    }
    TForm* form = nullptr;
    TProbeList* list = nullptr;
};

class TItemObject : public TObject {};

TEST_F(ListBoxForm, ItemsAndObjectsRoundTripThroughTheWindow)
{
    TItemObject a, b, c;
    // Before the window exists ...
    list->AddItem("Windows", &a);
    list->AddItem("Memorie", &c);
    list->Insert(1, "Procesor", &b);
    list->SetItemIndex(2);
    ShowForm();
    HWND h = list->Handle();
    ASSERT_EQ(3, list->Count());
    EXPECT_EQ(3, ::SendMessageA(h, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("Procesor", WindowItem(h, 1));
    EXPECT_EQ(&b, list->Objects(1));
    EXPECT_EQ(2, list->ItemIndex());

    // ... while it exists ...
    list->Delete(0);
    EXPECT_EQ("Procesor", list->Items(0));
    EXPECT_EQ(&b, list->Objects(0));
    EXPECT_EQ("Procesor", WindowItem(h, 0));
    EXPECT_EQ(1, list->IndexOf("Memorie"));
    EXPECT_THROW(list->Items(2), Exception);
    EXPECT_THROW(list->Insert(3, "x"), Exception);

    // ... and across a new window.
    list->SetItemIndex(1);
    list->SetStyle(TListBoxStyle::lbOwnerDrawVariable);
    h = list->Handle();
    EXPECT_EQ(2, ::SendMessageA(h, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("Memorie", WindowItem(h, 1));
    EXPECT_EQ(&c, list->Objects(1));
    EXPECT_EQ(1, list->ItemIndex());

    list->Clear();
    EXPECT_EQ(0, list->Count());
    EXPECT_EQ(0, ::SendMessageA(h, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(-1, list->ItemIndex());
}

TEST_F(ListBoxForm, MeasureRequestsReachTheControlWithTheItemIndex)
{
    list->SetStyle(TListBoxStyle::lbOwnerDrawVariable);
    int eventCalls = 0;
    list->OnMeasureItem = [&](TObject* sender, int index, int& height) {
        EXPECT_EQ(list, sender);
        ++eventCalls;
    };
    list->AddItem("a");        // 15
    list->AddItem("abc");      // 25
    ShowForm();                // the window is made with both items in it
    EXPECT_EQ((std::vector<int>{0, 1}), list->measured);
    list->Insert(1, "abcdef"); // 40
    EXPECT_EQ(1, list->measured.back());
    EXPECT_EQ("abcdef", list->measuredText.back()); // the item is readable while it is measured
    EXPECT_TRUE(list->canvasBoundWhileMeasuring);
    EXPECT_EQ(3, eventCalls);

    HWND h = list->Handle();
    EXPECT_EQ(15, ::SendMessageA(h, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(40, ::SendMessageA(h, LB_GETITEMHEIGHT, 1, 0));
    EXPECT_EQ(25, ::SendMessageA(h, LB_GETITEMHEIGHT, 2, 0));
    const RECT r1 = list->ItemRect(1);
    EXPECT_EQ(15, r1.top);
    EXPECT_EQ(55, r1.bottom);
    EXPECT_EQ(1, list->ItemAtPos(POINT{5, 30}, true));
    EXPECT_EQ(-1, list->ItemAtPos(POINT{5, 150}, true));
    EXPECT_EQ(3, list->ItemAtPos(POINT{5, 150}, false));
}

TEST_F(ListBoxForm, DrawRequestsReachTheControlForEachVisibleItem)
{
    list->SetStyle(TListBoxStyle::lbOwnerDrawVariable);
    for (const char* s : {"unu", "doi", "trei"})
        list->AddItem(s);
    list->SetItemIndex(1);
    ShowForm();
    list->drawn.clear();
    ::InvalidateRect(list->Handle(), nullptr, TRUE);
    ::UpdateWindow(list->Handle());
    // Each item once in order; the focused one may be asked again for its focus rectangle.
    ASSERT_GE(list->drawn.size(), 3u);
    for (size_t k = 0; k < list->drawn.size(); ++k) {
        const Drawn& d = list->drawn[k];
        if (k < 3) {
            EXPECT_EQ(static_cast<int>(k), d.index);
        }
        const RECT r = list->ItemRect(d.index);
        EXPECT_TRUE(::EqualRect(&r, &d.rect)) << d.index;
        EXPECT_EQ(d.index == 1, (d.state & ODS_SELECTED) != 0) << d.index;
        if (d.index != 1) {
            EXPECT_EQ(0u, d.state & ODS_FOCUS) << d.index;
        }
    }
    // The form gave the list the focus, whose caret stands on the selected item.
    EXPECT_EQ(1, list->drawn.back().index);
    EXPECT_NE(0u, list->drawn.back().state & ODS_FOCUS);
}

TEST_F(ListBoxForm, MouseSelectsAndClicksDoubleClickIsOneEvent)
{
    for (const char* s : {"unu", "doi", "trei"})
        list->AddItem(s);
    int clicks = 0, doubles = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->OnDblClick = [&](TObject*) { ++doubles; };
    ShowForm();
    const RECT r = list->ItemRect(2);
    const int x = 20, y = (r.top + r.bottom) / 2;
    ::SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    ::SendMessageA(list->Handle(), WM_LBUTTONUP, 0, At(x, y));
    EXPECT_EQ(2, list->ItemIndex());
    EXPECT_EQ(1, clicks);
    ::SendMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
    ::SendMessageA(list->Handle(), WM_LBUTTONUP, 0, At(x, y));
    EXPECT_EQ(1, doubles);
    EXPECT_EQ(1, clicks); // the same item again: no change of selection
    // Choosing an item from the program is no user click.
    list->SetItemIndex(0);
    EXPECT_EQ(0, list->ItemIndex());
    EXPECT_EQ(1, clicks);
    list->SetItemIndex(7);
    EXPECT_EQ(-1, list->ItemIndex());
}

TEST_F(ListBoxForm, NothingIsDrawnBetweenBeginAndTheLastEndUpdate)
{
    list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    ShowForm();
    list->drawn.clear();
    list->BeginUpdate();
    list->BeginUpdate();
    EXPECT_TRUE(list->Updating());
    for (const char* s : {"unu", "doi", "trei"})
        list->AddItem(s);
    ::InvalidateRect(list->Handle(), nullptr, TRUE);
    ::UpdateWindow(list->Handle());
    list->EndUpdate();
    ::UpdateWindow(list->Handle());
    EXPECT_TRUE(list->drawn.empty());
    list->EndUpdate();
    EXPECT_FALSE(list->Updating());
    ::UpdateWindow(list->Handle());
    ASSERT_GE(list->drawn.size(), 3u);
    EXPECT_EQ(2, list->drawn[2].index);
    list->EndUpdate(); // one too many does no harm
    EXPECT_FALSE(list->Updating());
}

TEST_F(ListBoxForm, FixedStyleUsesItemHeight)
{
    list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    list->SetItemHeight(20);
    list->AddItem("unu");
    list->AddItem("doi");
    ShowForm();
    EXPECT_TRUE(list->measured.empty());
    EXPECT_EQ(20, ::SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(20, list->ItemRect(1).top);
    list->SetItemHeight(24);
    EXPECT_EQ(24, list->ItemHeight());
    EXPECT_EQ(24, list->ItemRect(1).top);
}

// Painting items through the drawing routine, into a 32-bit bitmap.
TEST(ListBoxPaint, DefaultItemDrawing)
{
    TProbeList list(nullptr);
    list.AddItem("i");
    list.AddItem("j");
    test::TDib dib(100, 32);
    const auto before = test::TDCObjects::Of(dib.DC());
    DRAWITEMSTRUCT dis{ODT_LISTBOX, 0, 0, ODA_DRAWENTIRE, 0, nullptr, dib.DC(), RECT{0, 0, 100, 16}, 0};
    EXPECT_TRUE(list.CNDrawItem(dis));
    ::FillRect(dib.DC(), &dis.rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    EXPECT_TRUE(list.CNDrawItem(dis)); // drawn again, it covers what was there
    dis.itemID = 1;
    dis.itemState = ODS_SELECTED | ODS_FOCUS;
    dis.rcItem = RECT{0, 16, 100, 32};
    EXPECT_TRUE(list.CNDrawItem(dis));
    EXPECT_TRUE(before == test::TDCObjects::Of(dib.DC()));

    auto count = [&](int top, TColor c) {
        int n = 0;
        for (int y = top; y < top + 16; ++y)
            for (int x = 0; x < 20; ++x)
                n += dib.Pixel(x, y) == ColorToRGB(c);
        return n;
    };
    EXPECT_EQ(ColorToRGB(clWindow), dib.Pixel(60, 8));
    EXPECT_GT(count(0, clWindowText), 0);
    EXPECT_EQ(ColorToRGB(clHighlight), dib.Pixel(60, 18)); // inside the focus rectangle
    EXPECT_GT(count(16, clHighlightText), 0);
    int dots = 0; // the dotted focus rectangle along the selected item's top row
    for (int x = 0; x < 100; ++x)
        dots += dib.Pixel(x, 16) != ColorToRGB(clHighlight);
    EXPECT_GE(dots, 40);
}

class TListLayoutForm : public TForm {
public:
    explicit TListLayoutForm(TComponent* owner) : TForm(owner)
    {
        PublishHandler("ListMeasure", TMeasureItemEvent([](TObject*, int index, int& h) { h = 30 + index; }));
    }
    const char* ClassName() const override { return "TListLayoutForm"; }
};

const bool kRegistered = [] {
    RegisterRootClass("TListLayoutForm", "TForm");
    return true;
}();

TEST(ListBoxLayout, PublishedPropertiesAreRead)
{
    TListLayoutForm form(nullptr);
    ReadComponentLayout(&form, R"(object F: TListLayoutForm
  object ListBox1: TListBox
    Style = lbOwnerDrawVariable
    ItemHeight = 20
    Items.Strings = (
      'Sistem de operare'
      'Memorie')
    OnMeasureItem = ListMeasure
  end
end
)",
                        "TListLayoutForm");
    auto* list = form.Bind<TListBox>("ListBox1");
    EXPECT_EQ(TListBoxStyle::lbOwnerDrawVariable, list->Style());
    EXPECT_EQ(20, list->ItemHeight());
    ASSERT_EQ(2, list->Count());
    EXPECT_EQ("Memorie", list->Items(1));
    form.CreateHandle();
    EXPECT_EQ(31, ::SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 1, 0));
}

} // namespace
