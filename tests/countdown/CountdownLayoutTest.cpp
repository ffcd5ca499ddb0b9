// The countdown window and the strip as laid out: places, sizes, texts, hints, tab order, timers,
// gauges, and the strip's place on top of the others.
#include "tests/countdown/CountdownFixture.h"

using namespace zv;
using namespace zv::test;

namespace {

struct Placed {
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* hint;
};

const Placed kControls[] = {
    {"Label1", 16, 19, 0, 0, "Timpul pana la zavrin", ""},
    {"spin", 120, 16, 65, 20, nullptr, "Introduceti numarul de minute pana la zavrina sistemului"},
    {"Label3", 200, 19, 0, 0, "(minute)", ""},
    {"Label2", 16, 56, 0, 0, "Timp trecut", ""},
    {"gauge", 72, 56, 113, 17, nullptr, "Raportul dintre timpul trecut si cel ramas pana la zavrin"},
    {"glBitBtn1", 24, 104, 169, 25, "Valideaza", "Validati optiunile alese"},
    {"glBitBtn2", 24, 136, 75, 25, "Anuleaza", "Anulati optiunile introduse"},
    {"glBitBtn3", 120, 136, 75, 25, "Iesire", "Parasiti programul"},
    {"glBitBtn4", 24, 168, 169, 25, "Zavrin imediata", "Opriti sistemul imediat"},
    {"glBitBtn5", 24, 200, 169, 25, "Zavrin dupa ora indicata",
     "Apasati pentru trecerea la fereastra de zavrin programata"},
};

using CountdownLayout = CountdownFixture;

TEST_F(CountdownLayout, ControlsStandWhereTheTablePutsThemWithTheirTextsAndHints)
{
    for (const Placed& p : kControls) {
        SCOPED_TRACE(p.name);
        auto* c = T().Bind<TControl>(p.name);
        EXPECT_EQ(p.left, c->Left());
        EXPECT_EQ(p.top, c->Top());
        if (p.width) { // labels size themselves to their text
            EXPECT_EQ(p.width, c->Width());
            EXPECT_EQ(p.height, c->Height());
        }
        if (p.text) {
            EXPECT_EQ(p.text, c->Caption());
        }
        EXPECT_EQ(p.hint, c->Hint());
        // Every control with a hint shows it, except the minutes field.
        if (*p.hint) {
            EXPECT_EQ(c != T().spin, c->EffectiveShowHint());
        }
    }
    EXPECT_TRUE(T().glBitBtn1->Default());
    EXPECT_EQ(1, T().spin->MinValue());
    EXPECT_EQ(180, T().spin->MaxValue());
    EXPECT_EQ("1", T().spin->GetText());
    EXPECT_EQ(clInfoBk, T().spin->ColorFocused());
    EXPECT_EQ(clInfoBk, T().spin->ColorFlat());
    EXPECT_FALSE(T().spin->AutoSize());
    EXPECT_EQ(0, T().gauge->Progress()) << "creation resets what the layout shows";
    EXPECT_EQ(0, T().gauge->MinValue());
    EXPECT_EQ(100, T().gauge->MaxValue());
    EXPECT_EQ(0, T().gauge->AdvColorBorder());
    EXPECT_EQ(TColor(8623776), T().gauge->ColorBorder());
    EXPECT_EQ(clBtnText, T().gauge->BarColor());
}

TEST_F(CountdownLayout, TheWindowItselfItsTabOrderAndItsFreeRunningTimers)
{
    EXPECT_EQ("Temporizator v4.01", T().Caption());
    RECT r;
    ::GetClientRect(T().Handle(), &r);
    EXPECT_EQ(251, r.right);
    EXPECT_EQ(236, r.bottom);
    const LONG style = ::GetWindowLongA(T().Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(clBtnFace, T().Color());
    EXPECT_EQ("MS Sans Serif", T().Font().Name());
    EXPECT_EQ(-11, T().Font().Height());

    // Tab from the minutes field runs through the buttons and back.
    T().ShowForm();
    std::vector<std::string> names;
    TWinControl* c = T().spin;
    for (int i = 0; i < 7; ++i, c = T().FindNextControl(c, true, true))
        names.push_back(c ? c->Name() : "<none>");
    EXPECT_EQ((std::vector<std::string>{"spin", "glBitBtn1", "glBitBtn2", "glBitBtn3", "glBitBtn4", "glBitBtn5", "spin"}),
              names);

    EXPECT_EQ(1000u, T().Timer1->Interval());
    EXPECT_EQ(60000u, T().Timer2->Interval());
    EXPECT_TRUE(T().Timer1->Running());
    EXPECT_TRUE(T().Timer2->Running());
    EXPECT_FALSE(T().Armed);
    EXPECT_EQ(1, T().SecondCounter);
    EXPECT_EQ(0, T().SecondsTotal);
    EXPECT_EQ(T().system, T().FindComponent("system"));
}

TEST_F(CountdownLayout, TheStripIsABorderlessTopmostWindowAtTheCornerWhoseNumberGrowsToTheRight)
{
    Ramas->ShowForm();
    HWND h = Ramas->Handle();
    RECT w, c;
    ::GetWindowRect(h, &w);
    ::GetClientRect(h, &c);
    EXPECT_EQ(1, w.left);
    EXPECT_EQ(0, w.top);
    EXPECT_EQ(432, c.right);
    EXPECT_EQ(57, c.bottom);
    EXPECT_EQ(432, w.right - w.left) << "no frame around the client area";
    EXPECT_FALSE(::GetWindowLongA(h, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ("Ramas", Ramas->Caption());

    TFlatGauge* g = Ramas->FlatGauge1;
    EXPECT_EQ((std::vector<int>{0, 0, 355, 57}), (std::vector<int>{g->Left(), g->Top(), g->Width(), g->Height()}));
    EXPECT_EQ(0, g->Progress());
    EXPECT_EQ(clBlack, g->ColorBorder());
    EXPECT_EQ(0, g->AdvColorBorder());
    EXPECT_EQ(TColor(10053171), g->BarColor());
    EXPECT_TRUE(g->ShowText());

    TLabel* l = Ramas->Label1;
    EXPECT_EQ("", l->Caption());
    EXPECT_EQ("Arial Black", l->Font().Name());
    EXPECT_EQ(-40, l->Font().Height());
    EXPECT_TRUE(l->Font().Style() & fsBold);
    EXPECT_EQ(clBlack, l->Font().Color());
    EXPECT_EQ(EASTEUROPE_CHARSET, l->Font().Charset());
    l->SetCaption("1");
    const int narrow = l->Width();
    l->SetCaption("180");
    EXPECT_EQ(392, l->Left());
    EXPECT_EQ(0, l->Top());
    EXPECT_GT(l->Width(), narrow);
}

} // namespace

namespace {

// Place in the window system's z-order of top-level windows, the topmost first.
int ZPlace(HWND h)
{
    int i = 0;
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT), ++i)
        if (w == h)
            return i;
    return -1;
}

TEST_F(CountdownLayout, TheStripStaysAboveTheCountdownWindowWhenThatIsBroughtForward)
{
    Form2->ShowForm();
    ClickButton(Form2->glBitBtn5);
    ASSERT_TRUE(Ramas->Visible());
    ::SetForegroundWindow(T().Handle());
    ::SetWindowPos(T().Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_LT(ZPlace(Ramas->Handle()), ZPlace(T().Handle()));
}

} // namespace

#include "tests/support/AccReader.h"

namespace {

TEST_F(CountdownLayout, AScreenReaderNamesTheStripsGaugeAndReadsItsShareAndTheMinutes)
{
    Ramas->ShowForm();
    Ramas->FlatGauge1->SetProgress(40);
    Ramas->Label1->SetCaption("12");
    TAccReader strip(Ramas->Handle());
    const long gauge = strip.Find("Timp ramas");
    ASSERT_GT(gauge, 0) << "the gauge has no label beside it to be named by";
    EXPECT_EQ(ROLE_SYSTEM_PROGRESSBAR, strip.Role(gauge));
    EXPECT_EQ("40 %", strip.Value(gauge));
    const long minutes = strip.Find("12");
    ASSERT_GT(minutes, 0);
    EXPECT_NE(gauge, minutes);
    // The countdown window's own gauge keeps the label beside it.
    TAccReader countdown(T().Handle());
    EXPECT_EQ(-1, countdown.Find("Timp ramas"));
}

} // namespace
