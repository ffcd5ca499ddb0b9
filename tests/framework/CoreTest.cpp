// The framework's core: ownership, timers, mouse tracking, keyboard navigation, canvas and bitmaps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Timer.h"
#include "tests/support/TestUtil.h"

using namespace zv;
using zv::test::Pump;

namespace {

std::vector<std::string> g_log;

class TLogged : public TComponent {
public:
    TLogged(TComponent* owner, std::string tag) : TComponent(owner), tag_(std::move(tag)) {}
    ~TLogged() override { g_log.push_back("~" + tag_); }
    void Notification(TComponent* c, TOperation op) override
    {
        if (op == TOperation::opRemove && c == peer)
            peer = nullptr;
    }
    TComponent* peer = nullptr;

private:
    std::string tag_;
};

TEST(Component, OwnerDestroysWhatItOwnsAndReferencesAreForgotten)
{
    g_log.clear();
    auto* owner = new TLogged(nullptr, "owner");
    auto* a = new TLogged(owner, "a");
    auto* b = new TLogged(owner, "b");
    auto* watcher = new TLogged(nullptr, "watcher");
    watcher->peer = a;
    watcher->FreeNotification(a);
    EXPECT_EQ(2, owner->ComponentCount());

    delete a; // freed on its own: the owner and the watcher both let go
    EXPECT_EQ(1, owner->ComponentCount());
    EXPECT_EQ(nullptr, watcher->peer);

    watcher->peer = b;
    watcher->FreeNotification(b);
    delete owner; // takes b with it, newest first after itself
    EXPECT_EQ(nullptr, watcher->peer);
    EXPECT_EQ((std::vector<std::string>{"~a", "~owner", "~b"}), g_log);
    delete watcher;
}

TEST(Component, FindsByNameIgnoringCase)
{
    TComponent owner(nullptr);
    auto* t = new TTimer(&owner);
    t->SetName("Timer1");
    EXPECT_EQ(t, owner.FindComponent("timer1"));
    EXPECT_EQ(nullptr, owner.FindComponent(""));
    EXPECT_THROW(owner.Bind<TForm>("Timer1"), Exception);
}

TEST(Timer, FiresThroughTheMessageLoopOnlyWhileEnabled)
{
    TComponent owner(nullptr);
    auto* t = new TTimer(&owner);
    int ticks = 0;
    t->SetInterval(20);
    t->SetOnTimer([&](TObject*) { ++ticks; });
    Pump(300, [&] { return ticks >= 3; });
    EXPECT_GE(ticks, 3);

    t->SetEnabled(false);
    Pump(30);
    ticks = 0;
    Pump(120);
    EXPECT_EQ(0, ticks);
}

// ---- controls on a form

class TSpot : public TGraphicControl {
public:
    TSpot(TComponent* owner, const char* tag) : TGraphicControl(owner), tag_(tag) {}
    void MouseEnter() override { g_log.push_back(std::string("enter ") + tag_); }
    void MouseLeave() override { g_log.push_back(std::string("leave ") + tag_); }
    void Click() override { g_log.push_back(std::string("click ") + tag_); }

private:
    const char* tag_;
};

class TFocusable : public TCustomControl {
public:
    TFocusable(TComponent* owner, const char* name, bool isDefault = false) : TCustomControl(owner), default_(isDefault)
    {
        SetName(name);
        SetTabStop(true);
    }
    bool IsDefaultButton() const override { return default_; }
    void Click() override { g_log.push_back("click " + Name()); }

private:
    bool default_;
};

class TPlainForm : public TForm {
public:
    explicit TPlainForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(TBorderStyle::bsSingle);
        SetClientWidth(300);
        SetClientHeight(200);
    }
    void Finish() { FinishCreate(); }
};

struct FormFixture : ::testing::Test {
    void SetUp() override
    {
        g_log.clear();
        form = new TPlainForm(Application);
    }
    void TearDown() override { delete form; }
    void Move(int x, int y) { ::SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    TPlainForm* form = nullptr;
};

TEST_F(FormFixture, MouseEnterAndLeaveReachWindowlessControlsInOrder)
{
    auto* a = new TSpot(form, "a");
    auto* b = new TSpot(form, "b");
    a->SetParent(form);
    b->SetParent(form);
    a->SetBounds(10, 10, 50, 20);
    b->SetBounds(70, 10, 50, 20);
    form->Finish();

    Move(20, 15);
    Move(25, 16); // still over a: no new notice
    Move(80, 15);
    Move(200, 150);
    EXPECT_EQ((std::vector<std::string>{"enter a", "leave a", "enter b", "leave b"}), g_log);
    EXPECT_FALSE(b->MouseInControl());

    // Press and release over a windowless control clicks it; releasing elsewhere does not.
    g_log.clear();
    ::SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
    ::SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(22, 16));
    ::SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
    ::SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
    EXPECT_EQ(1, std::count(g_log.begin(), g_log.end(), "click a"));
}

TEST_F(FormFixture, TabFollowsTabOrderAcrossNestedContainersAndEnterClicksTheDefault)
{
    auto* box = new TCustomControl(form);
    box->SetName("box");
    box->SetParent(form);
    box->SetBounds(0, 0, 150, 150);
    auto* inner1 = new TFocusable(form, "inner1");
    auto* inner2 = new TFocusable(form, "inner2");
    inner1->SetParent(box);
    inner2->SetParent(box);
    inner2->SetTabOrder(0);
    auto* outer = new TFocusable(form, "outer");
    outer->SetParent(form);
    auto* ok = new TFocusable(form, "ok", true);
    ok->SetParent(form);
    ok->SetTabStop(false);
    outer->SetTabOrder(0); // before the box
    form->Finish();
    form->Show();
    Pump(50);

    outer->SetFocus();
    std::vector<std::string> order;
    for (int i = 0; i < 4; ++i) {
        ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        TWinControl* f = TWinControl::FromHandle(::GetFocus());
        order.push_back(f ? f->Name() : "?");
    }
    EXPECT_EQ((std::vector<std::string>{"inner2", "inner1", "outer", "inner2"}), order);
    EXPECT_EQ(inner2, form->ActiveControl());

    g_log.clear();
    ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ((std::vector<std::string>{"click ok"}), g_log);

    // A disabled control is skipped.
    inner1->SetEnabled(false);
    ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(outer, TWinControl::FromHandle(::GetFocus()));
    form->Hide();
}

TEST_F(FormFixture, ClosingASecondaryFormHidesIt)
{
    form->Finish();
    form->Show();
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction& a) {
        ++closes;
        EXPECT_EQ(TCloseAction::caHide, a);
    };
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(1, closes);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(::IsWindowVisible(form->Handle()));
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(FormFixture, ClientSizeIsTheRequestedOne)
{
    form->Finish();
    RECT r;
    ::GetClientRect(form->Handle(), &r);
    EXPECT_EQ(300, r.right);
    EXPECT_EQ(200, r.bottom);
}

TEST(Application, ShowsExceptionsFromHandlersAndGoesOn)
{
    std::string shown;
    Application->OnException = [&](TObject*, const std::exception& e) { shown = e.what(); };
    TComponent owner(nullptr);
    auto* t = new TTimer(&owner);
    t->SetInterval(10);
    t->SetOnTimer([](TObject*) { throw Exception("Failed to set data for 'dialog'"); });
    Pump(200, [&] { return !shown.empty(); });
    Application->OnException = nullptr;
    EXPECT_EQ("Failed to set data for 'dialog'", shown);
}

// ---- canvas and bitmaps

TEST(Canvas, EveryOperationGivesTheContextBackItsObjects)
{
    test::TDib dib(60, 40);
    const auto before = test::TDCObjects::Of(dib.DC());
    TCanvas c(dib.DC());
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(2);
    c.Brush().SetColor(clBlue);
    c.Font().SetStyle(fsBold);
    c.Font().SetColor(clGreen);
    TBitmap bmp;
    bmp.SetSize(4, 4);
    RECT r{2, 2, 30, 20};
    const POINT pts[] = {{0, 0}, {10, 10}, {20, 0}};

    std::vector<std::pair<const char*, std::function<void()>>> ops = {
        {"Rectangle", [&] { c.Rectangle(r); }},
        {"Ellipse", [&] { c.Ellipse(r); }},
        {"LineTo", [&] { c.MoveTo(0, 0); c.LineTo(20, 20); }},
        {"Polyline", [&] { c.Polyline(pts, 3); }},
        {"FillRect", [&] { c.FillRect(r); }},
        {"FrameRect", [&] { c.FrameRect(r); }},
        {"TextOut", [&] { c.TextOut(1, 1, "Zavrin"); }},
        {"TextRect", [&] { c.TextRect(r, 3, 3, "Zavrin"); }},
        {"DrawText", [&] { RECT t = r; c.DrawText("Zavrin", t, DT_CENTER); }},
        {"TextExtent", [&] { c.TextExtent("Zavrin"); }},
        {"Draw", [&] { c.Draw(5, 5, bmp); }},
        {"CopyRect", [&] { c.CopyRect(RECT{0, 0, 4, 4}, bmp.Canvas(), RECT{0, 0, 4, 4}); }},
        {"clear brush text", [&] { c.Brush().SetStyle(TBrushStyle::bsClear); c.TextOut(1, 20, "x"); }},
    };
    for (auto& [name, op] : ops) {
        op();
        EXPECT_TRUE(before == test::TDCObjects::Of(dib.DC())) << name;
    }
    // And they did draw: the rectangle's border is red.
    TCanvas fresh(dib.DC());
    fresh.Pen().SetColor(clRed);
    fresh.Brush().SetColor(clWhite);
    fresh.Rectangle(40, 20, 50, 30);
    EXPECT_EQ(clRed, dib.Pixel(40, 25));
    EXPECT_EQ(clWhite, dib.Pixel(45, 25));
}

// A picture tall enough to be copied in bands lands exactly as one copy would put it: every row, the
// band edges included, at its offset; with a clipping rectangle only the rows and columns inside it.
TEST(Canvas, DrawingALargePictureCopiesEveryRowOnce)
{
    TBitmap pic;
    pic.SetPixelFormat(TPixelFormat::pf24bit);
    pic.SetSize(399, 316);
    for (int y = 0; y < 316; ++y)
        for (int x : {0, 200, 398})
            pic.SetPixel(x, y, RGBColor(y & 0xFF, y >> 8, x & 0xFF));
    auto expected = [](int x, int y) { return RGBColor(y & 0xFF, y >> 8, x & 0xFF); };

    test::TDib dib(420, 340, clFuchsia);
    TCanvas c(dib.DC());
    c.Draw(7, 11, pic);
    for (int y = 0; y < 316; ++y)
        for (int x : {0, 200, 398})
            ASSERT_EQ(expected(x, y), dib.Pixel(7 + x, 11 + y)) << x << "," << y;
    EXPECT_EQ(clFuchsia, dib.Pixel(7, 10));
    EXPECT_EQ(clFuchsia, dib.Pixel(7, 11 + 316));

    test::TDib clipped(420, 340, clFuchsia);
    HRGN r = ::CreateRectRgn(0, 100, 300, 180);
    ::SelectClipRgn(clipped.DC(), r);
    ::DeleteObject(r);
    TCanvas cc(clipped.DC());
    cc.Draw(7, 11, pic);
    for (int y = 0; y < 316; ++y) {
        const bool inside = 11 + y >= 100 && 11 + y < 180;
        EXPECT_EQ(inside ? expected(200, y) : clFuchsia, clipped.Pixel(207, 11 + y)) << y;
        EXPECT_EQ(clFuchsia, clipped.Pixel(7 + 398, 11 + y)) << y;
    }
}

TEST(Bitmap, PixelsRoundTripInEveryFormat)
{
    for (TPixelFormat f : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap b;
        b.SetPixelFormat(f);
        b.SetSize(7, 5);
        EXPECT_EQ(7, b.Width());
        const TColor colours[] = {clBlack, clWhite, RGBColor(1, 2, 3), RGBColor(217, 214, 197), clNavy};
        int x = 0;
        for (TColor col : colours)
            b.SetPixel(x++, 4, col);
        x = 0;
        for (TColor col : colours)
            EXPECT_EQ(col, b.Pixel(x++, 4));
    }
}

TEST(Bitmap, MonochromeMapsTheBrushColourToWhiteAndTheRestToBlack)
{
    TBitmap b;
    b.SetSize(3, 1);
    b.SetPixel(0, 0, clFuchsia);
    b.SetPixel(1, 0, clBlack);
    b.SetPixel(2, 0, RGBColor(200, 10, 10));
    b.Canvas().Brush().SetColor(clFuchsia);
    b.SetMonochrome(true);
    EXPECT_TRUE(b.Monochrome());
    EXPECT_EQ(clWhite, b.Pixel(0, 0));
    EXPECT_EQ(clBlack, b.Pixel(1, 0));
    EXPECT_EQ(clBlack, b.Pixel(2, 0));
}

TEST(Bitmap, LoadsAResourceBitmap)
{
    TBitmap b;
    ASSERT_TRUE(b.LoadFromResourceName(::GetModuleHandleA(nullptr), "SPLASH"));
    EXPECT_EQ(399, b.Width());
    EXPECT_EQ(316, b.Height());
}

} // namespace
