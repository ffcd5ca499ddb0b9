#include "framework/ColorRoles.h"

#include <windows.h>

namespace zv {

namespace {

struct TSystemContrastPort final : IContrastPort {
    bool ContrastThemeOn() override
    {
        HIGHCONTRASTA hc{};
        hc.cbSize = sizeof hc;
        return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
    }
};

TSystemContrastPort g_systemPort;
IContrastPort* g_port = &g_systemPort;

} // namespace

bool ContrastTheme() { return g_port->ContrastThemeOn(); }

void SetContrastPort(IContrastPort* port) { g_port = port ? port : &g_systemPort; }

TSurface SurfaceOf(TColor designedFace)
{
    if (designedFace == clWindow)
        return TSurface::Window;
    if (designedFace == clInfoBk)
        return TSurface::Info;
    if (designedFace == clHighlight)
        return TSurface::Selected;
    return TSurface::Button;
}

TColor RoleColor(TColorRole role, TColor designed, TSurface surface)
{
    if (!ContrastTheme())
        return designed;
    constexpr TColor kFaces[] = {clBtnFace, clWindow, clInfoBk, clHighlight};
    constexpr TColor kTexts[] = {clBtnText, clWindowText, clInfoText, clHighlightText};
    switch (role) {
    case TColorRole::Face: return kFaces[static_cast<int>(SurfaceOf(designed))];
    case TColorRole::Text:
    case TColorRole::Frame: return kTexts[static_cast<int>(surface)];
    case TColorRole::Selected: return clHighlight;
    case TColorRole::SelectedText: return clHighlightText;
    case TColorRole::Disabled: return clGrayText;
    case TColorRole::Link: return clHotLight;
    }
    return designed;
}

TColor RoleColorOn(TColor face, TColorRole role, TColor designed) { return RoleColor(role, designed, SurfaceOf(face)); }

} // namespace zv
