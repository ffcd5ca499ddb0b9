// Which colour each part of a control is painted in. With no contrast theme every part keeps the colour
// the control was designed with, so nothing changes. While the user has a contrast theme on
// (SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON) every part takes the theme's system colour for its role, and
// text always comes with the background Windows pairs it with: window text on window, button text on
// button face, info text on info background, highlight text on highlight ("Contrast themes" and "High
// contrast parameter" in Microsoft's Win32 accessibility guidance). Paint code asks here; it never names a
// fixed colour of its own.
#pragma once

#include <cstdint>

#include "framework/Colors.h"

namespace zv {

enum class TColorRole : std::uint8_t {
    Face,         // the background a control paints
    Text,         // text on that background
    Frame,        // borders, lines, arrows and focus cues: the text colour of the background
    Selected,     // what is checked, filled or selected (a radio's dot, a gauge's bar, a pressed toggle)
    SelectedText, // text over a Selected fill
    Disabled,     // text and glyphs of a disabled control
    Link,         // a hyperlink
};

// The pair a control's text belongs to, told by its designed background.
enum class TSurface : std::uint8_t { Button, Window, Info, Selected };
TSurface SurfaceOf(TColor designedFace);

// The colour of `role` for a control designed with `designed` there, on `surface`. Face roles pick
// their surface from `designed` itself.
TColor RoleColor(TColorRole role, TColor designed, TSurface surface = TSurface::Button);
// The same for a part over a control whose designed background is `face`.
TColor RoleColorOn(TColor face, TColorRole role, TColor designed);

// Whether a contrast theme is on now. Wine never reports one, so the answer goes through a port that
// tests replace.
struct IContrastPort {
    virtual ~IContrastPort() = default;
    virtual bool ContrastThemeOn() = 0;
};
bool ContrastTheme();
// Installs a port; nullptr puts the real one (SystemParametersInfo) back.
void SetContrastPort(IContrastPort* port);

} // namespace zv
