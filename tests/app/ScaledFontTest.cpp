// The face the system gives every window's text past 96 dpi: the layouts' raster "MS Sans Serif" comes in
// six sizes and would be drawn smaller than scaled, so past 96 dpi its TrueType design is asked for, at
// the scaled height and in the layout's character set. Read from the font the system selects, for the
// controls' own fonts, the fonts the native controls were given, and the list box's item fonts.
#include "tests/app/AppFixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "controls/styled/glListBox.h"
#include "countdown/Despre.h"
#include "countdown/Ramas.h"
#include "countdown/Temporizator.h"
#include "countdown/Versiuni.h"
#include "framework/StdCtrls.h"
#include "sysinfo/Info.h"
#include "tests/support/TestUtil.h"

using namespace zv;
using namespace zv::test;

namespace {

struct Selected {
    std::string face;
    bool trueType;
    int emHeight;
    int charset;
};

Selected Select(HFONT font)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    char face[LF_FACESIZE]{};
    ::GetTextFaceA(dc, LF_FACESIZE, face);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return {face, (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0, tm.tmHeight - tm.tmInternalLeading, tm.tmCharSet};
}

void ExpectOutlineAtScaledHeight(const TFont& font, HFONT handle)
{
    const Selected s = Select(handle);
    EXPECT_EQ("Microsoft Sans Serif", s.face);
    EXPECT_TRUE(s.trueType);
    EXPECT_EQ(-font.Height(), s.emHeight);
    if (font.Charset() != DEFAULT_CHARSET)
        EXPECT_EQ(font.Charset(), s.charset);
}

bool IsRasterSansSerif(const TFont& f) { return ::lstrcmpiA(f.Name().c_str(), "MS Sans Serif") == 0; }

// Every control of the window in the layouts' face, as the system selects its font.
int CheckWindow(TForm* form, int dpi)
{
    int checked = 0;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(form->Component(i));
        if (!c || !IsRasterSansSerif(c->Font()))
            continue;
        SCOPED_TRACE(c->Name());
        ++checked;
        if (dpi == 96) {
            const Selected s = Select(c->Font().Handle());
            EXPECT_EQ("MS Sans Serif", s.face);
            EXPECT_FALSE(s.trueType);
            continue;
        }
        ExpectOutlineAtScaledHeight(c->Font(), c->Font().Handle());
        // What a native control (edit, check box, picker) was handed to draw with.
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w && w->HandleAllocated())
            if (auto font = reinterpret_cast<HFONT>(::SendMessageA(w->Handle(), WM_GETFONT, 0, 0)))
                ExpectOutlineAtScaledHeight(c->Font(), font);
        if (auto* box = dynamic_cast<TglListBox*>(c)) {
            ExpectOutlineAtScaledHeight(box->ItemStyle().Font(), box->ItemStyle().Font().Handle());
            ExpectOutlineAtScaledHeight(box->ItemSelStyle().Font(), box->ItemSelStyle().Font().Handle());
        }
    }
    return checked;
}

// The width of the ink a label leaves when painted (its text's extent, as a user sees it).
int InkWidth(TLabel* label)
{
    TDib dib(label->Width() + 8, label->Height() + 8, clWhite);
    label->PaintTo(dib.DC());
    int left = dib.Width(), right = -1;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            if (dib.Pixel(x, y) != clWhite && dib.Pixel(x, y) != ColorToRGB(label->Color())) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right - left + 1;
}

std::vector<TForm*> AllForms() { return {Form1, Form2, temporizator, Ramas, Prompt, setari, Info, despre, Versiuni}; }

using ScaledFont = AppFixture;

} // namespace

TEST_F(ScaledFont, PastNinetySixDpiEveryWindowTakesTheTrueTypeFaceAtTheScaledHeight)
{
    for (int dpi : {144, 192, 96}) {
        SCOPED_TRACE(dpi);
        for (TForm* form : AllForms()) {
            SCOPED_TRACE(form->Name());
            form->Show();
            form->ScaleToDpi(dpi);
            // The strip's type is its own (Arial Black); every other window has text in the layouts' face.
            if (form != Ramas)
                EXPECT_GT(CheckWindow(form, dpi), 0);
            form->Hide();
        }
    }
    for (TForm* form : AllForms())
        form->ScaleToDpi(96);
}

TEST_F(ScaledFont, TextGrowsWithTheScaleNotWithTheNearestBitmapSize)
{
    TLabel* label = Form2->Bind<TLabel>("Label5"); // "Ora actiunii:"
    Form2->Show();
    const int at96 = InkWidth(label);
    ASSERT_GT(at96, 20);
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        Form2->ScaleToDpi(dpi);
        // The bitmap face stops at its nearest size (1.5 times at 192 dpi); the outline keeps to the scale.
        EXPECT_GE(InkWidth(label) * 100, at96 * (dpi * 100 / 96) * 9 / 10);
    }
    Form2->ScaleToDpi(96);
    EXPECT_EQ(at96, InkWidth(label));
    Form2->Hide();
}
