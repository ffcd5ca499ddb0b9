// Not run by default: shows a form with the flat edit, the spin edit and speed buttons in each state and
// saves the screen to $ZV_SHOT (a .bmp) for a person to look at.
//   test_flat.exe --gtest_also_run_disabled_tests --gtest_filter=*Showcase*
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/flat/FlatEdit.h"
#include "controls/flat/FlatSpeedButton.h"
#include "controls/flat/FlatSpinEditInteger.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/TestUtil.h"

namespace zv {
namespace {

TEST(FlatShowcase, DISABLED_SaveScreenshot)
{
    TForm form(nullptr);
    form.SetBounds(20, 20, 420, 200);
    form.SetCaption("Flat controls");
    form.SetColor(clBtnFace);
    form.Font().SetName("MS Sans Serif");
    form.Font().SetHeight(-11);

    auto* edit = new TFlatEdit(nullptr);
    edit->SetBounds(10, 10, 121, 19);
    edit->SetText("flat edit");
    edit->SetParent(&form);
    auto* focused = new TFlatEdit(nullptr);
    focused->SetBounds(10, 40, 121, 19);
    focused->SetText("focused");
    focused->SetParent(&form);
    auto* spin = new TFlatSpinEditInteger(nullptr);
    spin->SetBounds(150, 10, 65, 20);
    spin->SetMinValue(1);
    spin->SetMaxValue(180);
    spin->SetValue(25);
    spin->SetParent(&form);
    auto* info = new TFlatSpinEditInteger(nullptr);
    info->SetBounds(150, 40, 65, 20);
    info->SetColors(TCustomFlatEdit::ciFlat, clInfoBk);
    info->SetColors(TCustomFlatEdit::ciFocused, clInfoBk);
    info->SetValue(1);
    info->SetParent(&form);

    TBitmap arrow;
    arrow.LoadFromResourceName(ModuleInstance(), "FlatUp");
    const char* captions[] = {"Up", "Hover", "Pressed", "Down", "Disabled"};
    TFlatSpeedButton* buttons[5];
    for (int i = 0; i < 5; ++i) {
        auto* b = new TFlatSpeedButton(nullptr);
        b->SetBounds(10 + i * 75, 80, 70, 40);
        b->SetCaption(captions[i]);
        b->SetGlyph(arrow);
        b->SetGroupIndex(i == 3 ? 1 : 0);
        b->SetParent(&form);
        buttons[i] = b;
    }
    buttons[3]->SetDown(true);
    buttons[4]->SetEnabled(false);
    auto* glyphLeft = new TFlatSpeedButton(nullptr);
    glyphLeft->SetBounds(10, 130, 100, 25);
    glyphLeft->SetLayout(TButtonLayout::blGlyphLeft);
    glyphLeft->SetCaption("&Glyph left");
    glyphLeft->SetGlyph(arrow);
    glyphLeft->SetParent(&form);

    form.ShowForm();
    ::SetForegroundWindow(form.Handle());
    Application->ProcessMessages();
    focused->SetFocus();
    // Hover over the second button, hold the third (with ZV_SHOT_PRESS the pointer stays on the held
    // one: a held button under the pointer shows pressed, away from it raised).
    TFlatSpeedButton* pointed = std::getenv("ZV_SHOT_PRESS") ? buttons[2] : buttons[1];
    const POINT over = form.ClientToScreen(POINT{pointed->Left() + 10, pointed->Top() + 10});
    ::SetCursorPos(over.x, over.y);
    ::SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(pointed->Left() + 10, pointed->Top() + 10));
    ::SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(buttons[2]->Left() + 10, buttons[2]->Top() + 10));
    // Time for an outside screenshot (import -window root) when asked.
    const char* wait = std::getenv("ZV_SHOT_WAIT");
    test::Pump(wait ? std::atoi(wait) : 300);

    const char* path = std::getenv("ZV_SHOT");
    RECT r;
    ::GetWindowRect(form.Handle(), &r);
    test::TDib dib(r.right - r.left, r.bottom - r.top);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dib.DC(), 0, 0, dib.Width(), dib.Height(), screen, r.left, r.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    dib.Save(path ? path : "flat-showcase.bmp");
    ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
}

} // namespace
} // namespace zv
