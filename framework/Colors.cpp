#include "framework/Colors.h"

#include <windows.h>

#include <cstring>

namespace zv {

TColor ColorToRGB(TColor c)
{
    if (IsSysColor(c))
        return static_cast<TColor>(::GetSysColor(c & 0xFF) & 0xFFFFFF);
    return c;
}

namespace {
struct ColorName {
    const char* name;
    TColor value;
};
constexpr ColorName kColorNames[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clNone", clNone}, {"clDefault", clDefault},
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText},
    {"clBtnText", clBtnText}, {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight}, {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk},
};
} // namespace

bool IdentToColor(const char* ident, TColor& out)
{
    for (const auto& n : kColorNames)
        if (std::strcmp(n.name, ident) == 0) {
            out = n.value;
            return true;
        }
    return false;
}

} // namespace zv
