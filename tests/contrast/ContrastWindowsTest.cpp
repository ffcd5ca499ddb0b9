// Every window painted whole under a dark and a light contrast theme: each is saved as a picture under
// build/screenshots/ (contrast-<theme>-<window>.bmp) and every pixel outside its pictures must be one of
// the theme's colours (or the antialiased edge of text in one of them over another). Switching the theme on and off again brings back the designed look, pixel for pixel.
#include <windows.h>

#include <uxtheme.h>

#include <string>
#include <vector>

#include "countdown/Despre.h"
#include "countdown/Ramas.h"
#include "countdown/Temporizator.h"
#include "countdown/Versiuni.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "sysinfo/Info.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ContrastScheme.h"
#include "tests/support/GdiLedger.h"

using namespace zv;
using namespace zv::test;

namespace {

// A colour no theme here uses: whatever a window leaves unpainted keeps it and fails the check.
constexpr TColor kUnpainted = RGBColor(1, 2, 3);

std::string ScreenshotDir()
{
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe(path, n);
    const size_t build = exe.rfind("\\build\\");
    std::string dir = (build == std::string::npos ? std::string(".") : exe.substr(0, build + 6)) + "\\screenshots";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

// The pictures of a window (its images), in the window's client coordinates, and the date and time
// pickers: Windows draws those itself, and Wine does it in colours of its own where Windows would use the
// theme's (the pickers' part is checked on its own: their calendar follows the theme).
void CollectPictures(const TWinControl& parent, POINT origin, std::vector<RECT>& out)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        RECT r = c->BoundsRect();
        ::OffsetRect(&r, origin.x, origin.y);
        if (dynamic_cast<TImage*>(c) || dynamic_cast<TDateTimePicker*>(c))
            out.push_back(r);
        if (auto* w = dynamic_cast<TWinControl*>(c))
            CollectPictures(*w, POINT{r.left, r.top}, out);
    }
}

struct TWindowCase {
    const char* name;
    TForm* (*form)();
};

const TWindowCase kWindows[] = {
    {"splash", [] { return static_cast<TForm*>(Form1); }},
    {"main", [] { return static_cast<TForm*>(Form2); }},
    {"countdown", [] { return static_cast<TForm*>(temporizator); }},
    {"strip", [] { return static_cast<TForm*>(Ramas); }},
    {"prompt", [] { return static_cast<TForm*>(Prompt); }},
    {"settings", [] { return static_cast<TForm*>(setari); }},
    {"info", [] { return static_cast<TForm*>(Info); }},
    {"about", [] { return static_cast<TForm*>(despre); }},
    {"versions", [] { return static_cast<TForm*>(Versiuni); }},
};

class ContrastWindows : public AppFixture {
protected:
    // Windows draws its common controls without visual styles under a contrast theme; Wine keeps its own
    // light style, whose colours are no theme's.
    void BeforeCreate() override { ::SetThemeAppProperties(0); }
    void TearDown() override
    {
        AppFixture::TearDown();
        ::SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
    }

    static std::unique_ptr<TDib> Paint(TForm* f)
    {
        f->Show();
        Pump(20);
        auto dib = std::make_unique<TDib>(f->ClientWidth(), f->ClientHeight(), kUnpainted);
        f->PaintTo(dib->DC());
        f->Hide();
        return dib;
    }

    // Paints every window under `scheme`, saves it, and lists the pixels of colours the theme lacks.
    void CheckEveryWindow(const TSchemeColors& scheme)
    {
        TContrastTheme theme(scheme);
        Ramas->FlatGauge1->SetProgress(40);
        Ramas->Label1->SetCaption("17");
        const std::string dir = ScreenshotDir();
        for (const TWindowCase& w : kWindows) {
            SCOPED_TRACE(w.name);
            TForm* f = w.form();
            ASSERT_NE(nullptr, f);
            auto dib = Paint(f);
            dib->Save((dir + "\\contrast-" + scheme.name + "-" + w.name + ".bmp").c_str());
            std::vector<RECT> pictures;
            CollectPictures(*f, POINT{0, 0}, pictures);
            int strangers = 0;
            TColor first = 0;
            POINT at{};
            for (int y = 0; y < dib->Height(); ++y)
                for (int x = 0; x < dib->Width(); ++x) {
                    bool inPicture = false;
                    for (const RECT& r : pictures)
                        inPicture |= ::PtInRect(&r, POINT{x, y}) != FALSE;
                    const TColor c = dib->Pixel(x, y);
                    if (inPicture || theme.InSchemeOrBlend(c))
                        continue;
                    if (strangers++ == 0) {
                        first = c;
                        at = POINT{x, y};
                    }
                }
            EXPECT_EQ(0, strangers) << "first at " << at.x << "," << at.y << ": 0x" << std::hex << first;
        }
    }
};

TEST_F(ContrastWindows, EveryWindowPaintsOnlyTheThemesColours)
{
    CheckEveryWindow(kBlackScheme);
    CheckEveryWindow(kWhiteScheme);
}

// The same windows before a theme, under one, and after it: the designed look returns exactly, and the
// main window under the theme is not the designed one.
TEST_F(ContrastWindows, SwitchingBackGivesTheDesignedLook)
{
    std::vector<std::unique_ptr<TDib>> before;
    for (const TWindowCase& w : kWindows)
        before.push_back(Paint(w.form()));
    {
        TContrastTheme theme(kBlackScheme);
        for (const TWindowCase& w : kWindows)
            ::SendMessageA(w.form()->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        auto main = Paint(Form2);
        int differ = 0;
        for (int y = 0; y < main->Height(); ++y)
            for (int x = 0; x < main->Width(); ++x)
                differ += main->Pixel(x, y) != before[1]->Pixel(x, y);
        EXPECT_GT(differ, main->Width() * main->Height() / 2);
    }
    for (size_t i = 0; i < std::size(kWindows); ++i) {
        SCOPED_TRACE(kWindows[i].name);
        ::SendMessageA(kWindows[i].form()->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        auto after = Paint(kWindows[i].form());
        int differ = 0;
        for (int y = 0; y < after->Height(); ++y)
            for (int x = 0; x < after->Width(); ++x)
                differ += after->Pixel(x, y) != before[i]->Pixel(x, y);
        EXPECT_EQ(0, differ);
    }
}

// The theme's paint paths (roles, recoloured glyphs, focus dots, bevels in one colour) leave no pen,
// brush, bitmap or device context behind, however often every window repaints.
TEST_F(ContrastWindows, RepaintingUnderAThemeLeavesNothingBehind)
{
    TContrastTheme theme(kBlackScheme);
    const auto paintAll = [] {
        for (const TWindowCase& w : kWindows) {
            TDib dib(w.form()->ClientWidth(), w.form()->ClientHeight(), kUnpainted);
            w.form()->PaintTo(dib.DC());
        }
    };
    paintAll(); // what a window makes once and keeps is made here
    // A font or pen made again for a paint under the theme replaces the one before it: what stays out
    // after one more repaint is all that may stay out after twenty.
    GdiLedger ledger;
    paintAll();
    const int kept = ledger.Outstanding().total;
    for (int i = 0; i < 20; ++i)
        paintAll();
    EXPECT_EQ(kept, ledger.Outstanding().total) << ledger.Outstanding();
}

} // namespace
