// Colour values of the framework: 0x00BBGGRR for a plain colour, 0x80000000 + index for an entry
// of the user's colour scheme. Arithmetic and brushes work on ColorToRGB's result only.
#pragma once

#include <cstdint>

namespace zv {

using TColor = std::int32_t;

constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }
constexpr bool IsSysColor(TColor c) { return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0x80000000u; }
constexpr TColor RGBColor(int r, int g, int b) { return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16)); }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

// Plain colours
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours (index = COLOR_* of the window system)
constexpr TColor clScrollBar = SysColor(0);
constexpr TColor clBackground = SysColor(1);
constexpr TColor clActiveCaption = SysColor(2);
constexpr TColor clInactiveCaption = SysColor(3);
constexpr TColor clMenu = SysColor(4);
constexpr TColor clWindow = SysColor(5);
constexpr TColor clWindowFrame = SysColor(6);
constexpr TColor clMenuText = SysColor(7);
constexpr TColor clWindowText = SysColor(8);
constexpr TColor clCaptionText = SysColor(9);
constexpr TColor clActiveBorder = SysColor(10);
constexpr TColor clInactiveBorder = SysColor(11);
constexpr TColor clAppWorkSpace = SysColor(12);
constexpr TColor clHighlight = SysColor(13);
constexpr TColor clHighlightText = SysColor(14);
constexpr TColor clBtnFace = SysColor(15);
constexpr TColor clBtnShadow = SysColor(16);
constexpr TColor clGrayText = SysColor(17);
constexpr TColor clBtnText = SysColor(18);
constexpr TColor clInactiveCaptionText = SysColor(19);
constexpr TColor clBtnHighlight = SysColor(20);
constexpr TColor cl3DDkShadow = SysColor(21);
constexpr TColor cl3DLight = SysColor(22);
constexpr TColor clInfoText = SysColor(23);
constexpr TColor clInfoBk = SysColor(24);
constexpr TColor clHotLight = SysColor(26);

// Resolves a system colour through the user's colour scheme; plain colours pass unchanged.
TColor ColorToRGB(TColor c);

// Name <-> value, for layouts: "clRed", "clBtnFace", or a number.
bool IdentToColor(const char* ident, TColor& out);

} // namespace zv
