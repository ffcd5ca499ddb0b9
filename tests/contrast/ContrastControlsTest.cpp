// Each control under a dark and a light contrast theme, painted into a bitmap: what is checked, filled or
// pressed takes the selection colour and stands apart from the face, frames and arrows take the text
// colour, a link the hyperlink colour, disabled text the theme's one grey, and nothing else appears.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "controls/flat/FlatGauge.h"
#include "controls/flat/FlatRadioButton.h"
#include "controls/flat/FlatSpeedButton.h"
#include "controls/flat/SpinButton.h"
#include "controls/styled/glBitBtn.h"
#include "controls/styled/glStaticText.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/ContrastScheme.h"
#include "tests/support/TestUtil.h"

namespace zv {
namespace {

using namespace test;

int Count(const TDib& dib, TColor c, RECT r = RECT{0, 0, 1 << 20, 1 << 20})
{
    int n = 0;
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, dib.Height()); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, dib.Width()); ++x)
            n += dib.Pixel(x, y) == c;
    return n;
}

class ContrastControls : public ::testing::TestWithParam<const TSchemeColors*> {
protected:
    void SetUp() override
    {
        theme = std::make_unique<TContrastTheme>(*GetParam());
        form = new TForm(nullptr);
        form->SetBounds(60, 60, 320, 200);
        form->SetColor(clBtnFace);
    }
    void TearDown() override
    {
        delete form;
        theme.reset();
        Pump(0);
    }
    template <class T>
    T* Add(int x, int y, int w, int h)
    {
        return Place<T>(form, form, x, y, w, h);
    }
    // The control painted alone over `under` (a colour no theme has, for controls that fill themselves);
    // every pixel must be the theme's.
    std::unique_ptr<TDib> Paint(TControl* c, TColor under = RGBColor(1, 2, 3))
    {
        auto dib = std::make_unique<TDib>(c->Width(), c->Height(), under);
        c->PaintTo(dib->DC());
        ExpectOnlyTheme(*dib);
        return dib;
    }
    void ExpectOnlyTheme(const TDib& dib)
    {
        int strangers = 0;
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x)
                strangers += !theme->InSchemeOrBlend(dib.Pixel(x, y));
        EXPECT_EQ(0, strangers);
    }
    const TSchemeColors& S() const { return *GetParam(); }

    std::unique_ptr<TContrastTheme> theme;
    TForm* form = nullptr;
};

TEST_P(ContrastControls, CheckedRadioShowsItsDotInTheSelectionColourAndFocusByItsRing)
{
    auto* r = Add<TFlatRadioButton>(10, 10, 120, 17);
    r->SetCaption("Zavrin");
    r->SetChecked(true);
    const RECT box = r->CircleRect();
    auto dib = Paint(r);
    EXPECT_EQ(S().highlight, dib->Pixel(box.left + 5, box.top + 5)); // the dot
    EXPECT_EQ(S().btnFace, dib->Pixel(box.left + 7, box.top + 5));   // inside the ring, clear of the dot
    EXPECT_EQ(S().btnText, dib->Pixel(box.left, box.top + 5));      // the ring
    EXPECT_NE(S().highlight, S().btnFace);
    EXPECT_GT(Count(*dib, S().btnText, r->CaptionRect()), 10); // the caption

    // Focused: the ring lights up in the selection colour and the inside stays the face (no white fill).
    form->ShowForm();
    r->SetFocus();
    Pump(10);
    dib = Paint(r);
    EXPECT_EQ(S().highlight, dib->Pixel(box.left, box.top + 5));
    EXPECT_EQ(S().btnFace, dib->Pixel(box.left + 7, box.top + 5));

    r->SetEnabled(false);
    dib = Paint(r);
    EXPECT_EQ(S().grayText, dib->Pixel(box.left + 5, box.top + 5));
    EXPECT_GT(Count(*dib, S().grayText, r->CaptionRect()), 10);
}

TEST_P(ContrastControls, GaugeBarAndTextStandApartFromItsFace)
{
    auto* g = Add<TFlatGauge>(0, 0, 355, 57);
    g->SetColorBorder(clBlack);
    g->SetBarColor(clBlue);
    g->Font().SetHeight(-30);
    g->SetProgress(50);
    auto dib = Paint(g);
    EXPECT_EQ(S().btnText, dib->Pixel(0, 0));      // frame
    EXPECT_EQ(S().btnFace, dib->Pixel(1, 1));      // the gap between frame and bar
    EXPECT_EQ(S().highlight, dib->Pixel(10, 28));  // bar
    EXPECT_EQ(S().btnFace, dib->Pixel(340, 28));   // the rest of the track
    // "50 %" crosses the bar's end: highlight text over the bar, button text past it.
    EXPECT_GT(Count(*dib, S().highlightText, RECT{2, 2, 177, 55}), 5);
    EXPECT_GT(Count(*dib, S().btnText, RECT{177, 2, 353, 55}), 5);
}

TEST_P(ContrastControls, CheckedSpeedButtonIsFilledWithTheSelectionColour)
{
    auto* up = Add<TFlatSpeedButton>(10, 10, 40, 22);
    auto* down = Add<TFlatSpeedButton>(60, 10, 40, 22);
    for (auto* b : {up, down}) {
        b->SetGroupIndex(1);
        b->SetAllowAllUp(true);
        b->SetCaption("Ab");
    }
    down->SetDown(true);
    auto off = Paint(up);
    auto on = Paint(down);
    EXPECT_EQ(S().btnText, off->Pixel(0, 0));
    EXPECT_EQ(S().btnFace, off->Pixel(3, 3));
    EXPECT_EQ(S().highlight, on->Pixel(3, 3));
    EXPECT_GT(Count(*on, S().highlightText), 5);
    EXPECT_GT(Count(*off, S().btnText, RECT{2, 2, 38, 20}), 5);
}

TEST_P(ContrastControls, SpinArrowsTakeTheTextColour)
{
    auto* spin = Add<TSpinButton>(10, 10, 21, 14);
    for (TFlatSpeedButton* arrow : {static_cast<TFlatSpeedButton*>(spin->UpButton()),
                                    static_cast<TFlatSpeedButton*>(spin->DownButton())}) {
        auto dib = Paint(arrow);
        RECT inside{1, 1, arrow->Width() - 1, arrow->Height() - 1};
        EXPECT_GT(Count(*dib, S().btnText, inside), 2);
    }
}

TEST_P(ContrastControls, DefaultAndFocusedButtonsKeepAVisibleFrame)
{
    auto* b = Add<TglBitBtn>(10, 10, 75, 25);
    b->SetCaption("Valideaza");
    auto paint = [&](UINT state) {
        auto dib = std::make_unique<TDib>(75, 25, RGBColor(1, 2, 3));
        b->PaintButton(dib->DC(), state);
        ExpectOnlyTheme(*dib);
        return dib;
    };
    auto plain = paint(0);
    EXPECT_EQ(S().btnText, plain->Pixel(0, 0));
    EXPECT_EQ(S().btnFace, plain->Pixel(1, 1));
    EXPECT_GT(Count(*plain, S().btnText, RECT{4, 4, 71, 21}), 10);
    b->SetDefault(true);
    auto framed = paint(0);
    EXPECT_EQ(S().btnText, framed->Pixel(1, 1));
    EXPECT_EQ(S().btnFace, framed->Pixel(2, 2));
    // The focus cue's dots are in the text colour too.
    auto focused = paint(ODS_FOCUS);
    EXPECT_GT(Count(*focused, S().btnText, RECT{4, 4, 71, 5}), 10);
    auto pressed = paint(ODS_SELECTED);
    EXPECT_EQ(S().highlight, pressed->Pixel(5, 5));
    EXPECT_GT(Count(*pressed, S().highlightText), 10);
}

TEST_P(ContrastControls, LinkTakesTheHyperlinkColourAndDisabledTextTheThemesGrey)
{
    auto* link = Add<TglStaticText>(10, 10, 120, 16);
    link->SetCaption("Autor: Mihai Zavrin");
    link->Font().SetColor(clNavy);
    link->SetCursor(TCursor::crHandPoint);
    EXPECT_GT(Count(*Paint(link, S().btnFace), S().hotLight), 10);

    auto* label = Add<TLabel>(10, 40, 120, 16);
    label->SetCaption("Ora actiunii:");
    label->Font().SetColor(clBlack);
    EXPECT_GT(Count(*Paint(label, S().btnFace), S().btnText), 10);
    label->SetEnabled(false);
    auto grey = Paint(label, S().btnFace);
    EXPECT_GT(Count(*grey, S().grayText), 10);
    EXPECT_EQ(0, Count(*grey, S().btnText));
}

// Native controls take their colours from their parent's answer to WM_CTLCOLOR*: the theme's pairs.
TEST_P(ContrastControls, NativeControlsGetTheThemesPairs)
{
    auto* check = Add<TCheckBox>(10, 10, 150, 17);
    auto* edit = Add<TEdit>(10, 40, 150, 21);
    check->Font().SetColor(clBlack);
    edit->Font().SetColor(clBlack);
    form->Handle(); // the children's windows come with their parent's
    TDib dib(4, 4);
    struct Case {
        TWinControl* control;
        UINT msg;
        TColor text, back;
    } cases[] = {{check, WM_CTLCOLORSTATIC, S().btnText, S().btnFace}, {edit, WM_CTLCOLOREDIT, S().windowText, S().window}};
    for (const Case& c : cases) {
        const LRESULT brush = ::SendMessageA(form->Handle(), c.msg, reinterpret_cast<WPARAM>(dib.DC()),
                                             reinterpret_cast<LPARAM>(c.control->Handle()));
        EXPECT_EQ(static_cast<COLORREF>(c.text), ::GetTextColor(dib.DC()));
        EXPECT_EQ(static_cast<COLORREF>(c.back), ::GetBkColor(dib.DC()));
        LOGBRUSH lb{};
        ::GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb);
        EXPECT_EQ(static_cast<COLORREF>(c.back), lb.lbColor);
    }
    edit->SetEnabled(false);
    ::SendMessageA(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dib.DC()),
                   reinterpret_cast<LPARAM>(edit->Handle()));
    EXPECT_EQ(static_cast<COLORREF>(S().grayText), ::GetTextColor(dib.DC()));
}

// A date picker resolves its calendar's colour when it is made; a switch of theme must reach it.
class TRecordingPicker : public TDateTimePicker {
public:
    using TDateTimePicker::TDateTimePicker;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == DTM_SETMCCOLOR && wParam == MCSC_MONTHBK)
            monthBack = static_cast<COLORREF>(lParam);
        return TDateTimePicker::WndProc(msg, wParam, lParam);
    }
    COLORREF monthBack = 0x1000000;
};

TEST_P(ContrastControls, DatePickerCalendarFollowsTheSwitch)
{
    theme->SetOn(false);
    auto* picker = Add<TRecordingPicker>(10, 10, 120, 21);
    picker->Handle();
    theme->SetOn(true);
    ::SendMessageA(form->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(static_cast<COLORREF>(S().window), picker->monthBack);
    theme.reset();
    ::SendMessageA(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(static_cast<COLORREF>(::GetSysColor(COLOR_WINDOW)), picker->monthBack);
}

INSTANTIATE_TEST_SUITE_P(Themes, ContrastControls, ::testing::Values(&kBlackScheme, &kWhiteScheme),
                         [](const auto& info) { return std::string(info.param->name); });

} // namespace
} // namespace zv
