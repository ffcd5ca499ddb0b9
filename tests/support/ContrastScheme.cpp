#include "tests/support/ContrastScheme.h"

#include <cstdlib>

namespace zv::test {

const TSchemeColors kBlackScheme{"black",
                                 RGBColor(0x10, 0x10, 0x10), RGBColor(0xFF, 0xFF, 0xFE), RGBColor(0x75, 0xE9, 0xFC),
                                 RGBColor(0xA6, 0xA6, 0xA6), RGBColor(0x8E, 0xE3, 0xF0), RGBColor(0x26, 0x3B, 0x50),
                                 RGBColor(0x20, 0x20, 0x20), RGBColor(0xFF, 0xFF, 0xFE), RGBColor(0x20, 0x20, 0x20),
                                 RGBColor(0xFF, 0xFF, 0xFE)};
const TSchemeColors kWhiteScheme{"white",
                                 RGBColor(0xFF, 0xFC, 0xF5), RGBColor(0x3D, 0x3D, 0x3D), RGBColor(0x1C, 0x5E, 0x75),
                                 RGBColor(0x67, 0x67, 0x67), RGBColor(0x90, 0x39, 0x09), RGBColor(0xFF, 0xF5, 0xE3),
                                 RGBColor(0xFF, 0xFA, 0xEF), RGBColor(0x20, 0x20, 0x20), RGBColor(0xFF, 0xFA, 0xEF),
                                 RGBColor(0x20, 0x20, 0x20)};

namespace {
constexpr int kSysColors = COLOR_MENUBAR + 1;
}

TContrastTheme::TContrastTheme(const TSchemeColors& s, bool on) : scheme_(s), on_(on)
{
    // What Windows sets with a contrast theme: every entry of the scheme comes from the theme's colours,
    // the 3D edges and frames from its text colour.
    TColor all[kSysColors];
    for (int i = 0; i < kSysColors; ++i)
        all[i] = s.btnFace;
    for (int i : {COLOR_WINDOWFRAME, COLOR_MENUTEXT, COLOR_ACTIVEBORDER, COLOR_INACTIVEBORDER, COLOR_BTNSHADOW,
                  COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_INACTIVECAPTIONTEXT})
        all[i] = s.btnText;
    for (int i : {COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION, COLOR_MENUHILIGHT, COLOR_HIGHLIGHT})
        all[i] = s.highlight;
    all[COLOR_CAPTIONTEXT] = s.highlightText;
    all[COLOR_HIGHLIGHTTEXT] = s.highlightText;
    all[COLOR_WINDOW] = s.window;
    all[COLOR_WINDOWTEXT] = s.windowText;
    all[COLOR_GRAYTEXT] = s.grayText;
    all[COLOR_HOTLIGHT] = s.hotLight;
    all[COLOR_BTNTEXT] = s.btnText;
    all[COLOR_INFOBK] = s.infoBk;
    all[COLOR_INFOTEXT] = s.infoText;

    INT indices[kSysColors];
    COLORREF values[kSysColors];
    for (int i = 0; i < kSysColors; ++i) {
        indices[i] = i;
        values[i] = static_cast<COLORREF>(all[i]);
        saved_.push_back(::GetSysColor(i));
        colors_.insert(all[i]);
    }
    SetContrastPort(this);
    ::SetSysColors(kSysColors, indices, values);
}

bool TContrastTheme::InSchemeOrBlend(TColor c) const
{
    if (InScheme(c))
        return true;
    // On the line from a to b: one share of b for all three channels, give or take rounding.
    auto onLine = [c](TColor a, TColor b) {
        const int ca[] = {RedOf(a), GreenOf(a), BlueOf(a)}, cb[] = {RedOf(b), GreenOf(b), BlueOf(b)};
        const int cc[] = {RedOf(c), GreenOf(c), BlueOf(c)};
        int widest = 0;
        for (int k = 1; k < 3; ++k)
            if (std::abs(cb[k] - ca[k]) > std::abs(cb[widest] - ca[widest]))
                widest = k;
        if (cb[widest] == ca[widest])
            return false;
        const double t = static_cast<double>(cc[widest] - ca[widest]) / (cb[widest] - ca[widest]);
        if (t < 0 || t > 1)
            return false;
        for (int k = 0; k < 3; ++k)
            if (std::abs(ca[k] + t * (cb[k] - ca[k]) - cc[k]) > 2.5)
                return false;
        return true;
    };
    for (TColor a : colors_)
        for (TColor b : colors_)
            if (a < b && onLine(a, b))
                return true;
    return false;
}

TContrastTheme::~TContrastTheme()
{
    INT indices[kSysColors];
    for (int i = 0; i < kSysColors; ++i)
        indices[i] = i;
    SetContrastPort(nullptr);
    ::SetSysColors(kSysColors, indices, saved_.data());
}

} // namespace zv::test
