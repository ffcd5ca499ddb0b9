#include "framework/Dpi.h"

#include "framework/Graphics.h"
#include "framework/SystemLibrary.h"

namespace zv {

namespace {

// Looked up once in user32, which every process of ours has loaded.
template <class Fn>
Fn User32Function(const char* name)
{
    return SystemFunction<Fn>(::GetModuleHandleA("user32.dll"), name);
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

} // namespace

int SystemDpi() { return ScreenPixelsPerInch(); }

int WindowDpi(HWND h)
{
    // learn.microsoft.com, GetDpiForWindow: the window's dpi follows its awareness: per monitor, the
    // monitor's; system aware, the system's; unaware, 96. Zero means an invalid window.
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && h) {
        if (UINT dpi = getDpiForWindow(h))
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, bool menu, DWORD exStyle, int dpi)
{
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&r, style, menu, exStyle, static_cast<UINT>(dpi)))
        return;
    ::AdjustWindowRectEx(&r, style, menu, exStyle);
}

} // namespace zv
