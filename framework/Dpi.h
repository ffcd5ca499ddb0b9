// Scaling for the screen's dpi. Every layout is drawn at 96 dpi; a form scales its controls' places,
// sizes and fonts from those values to its window's dpi, rounding as the system does (MulDiv), and
// each control scales its own metrics in one hook. The functions that came after Windows 7 are looked
// up at run time, so the program still starts there (with the system's dpi for every window).
#pragma once

#include <windows.h>

namespace zv {

constexpr int kDesignDpi = 96;

// v at 96 dpi, scaled to `dpi`, rounded half away from zero as MulDiv rounds.
inline int ScaleForDpi(int v, int dpi) { return dpi == kDesignDpi ? v : ::MulDiv(v, dpi, kDesignDpi); }

// The dpi the system scales for: the primary screen's at log-on (Windows 7 and 8 have only this one).
int SystemDpi();
// The dpi of the monitor the window is on (GetDpiForWindow, Windows 10 1607); elsewhere the system's.
int WindowDpi(HWND h);
// The window rectangle around `r` for a frame drawn at `dpi` (AdjustWindowRectExForDpi where it exists).
void AdjustWindowRectForDpi(RECT& r, DWORD style, bool menu, DWORD exStyle, int dpi);

} // namespace zv
