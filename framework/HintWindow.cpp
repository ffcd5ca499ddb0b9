#include "framework/HintWindow.h"

#include "framework/ColorRoles.h"

#include "framework/AppSite.h"

namespace zv {

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clInfoBk);
    Font().SetColor(clInfoText);
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.style = WS_POPUP | WS_BORDER;
    p.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.parent = AppSite() ? AppSite()->Handle() : nullptr;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& text)
{
    HDC dc = ::GetDC(nullptr);
    TCanvas c(dc);
    c.Font().Assign(Font());
    RECT r{0, 0, maxWidth, 0};
    c.DrawText(text, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    ::ReleaseDC(nullptr, dc);
    r.right += extraWidth_;
    r.bottom += extraHeight_;
    return r;
}

void THintWindow::ScaleMetrics()
{
    TCustomControl::ScaleMetrics();
    extraWidth_ = Scaled(6);
    extraHeight_ = Scaled(2);
    textLeft_ = Scaled(2);
    textTop_ = Scaled(1);
}

void THintWindow::ActivateHint(const RECT& screenRect, const std::string& text)
{
    SetText(text);
    HWND h = Handle();
    ::SetWindowTextA(h, text.c_str());
    ::SetWindowPos(h, HWND_TOPMOST, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                   screenRect.bottom - screenRect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    TControl::SetVisible(true);
    ::InvalidateRect(h, nullptr, TRUE);
}

void THintWindow::ReleaseHint()
{
    if (HWND h = HandleIfAllocated())
        ::ShowWindow(h, SW_HIDE);
    TControl::SetVisible(false);
}

bool THintWindow::Showing() const
{
    HWND h = HandleIfAllocated();
    return h && ::IsWindowVisible(h);
}

LRESULT THintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCHITTEST)
        return HTTRANSPARENT;
    if (msg == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return TCustomControl::WndProc(msg, wParam, lParam);
}

void THintWindow::Paint()
{
    RECT r = ClientRect();
    Canvas().Brush().SetColor(RoleColor(TColorRole::Face, Color()));
    Canvas().FillRect(r);
    r.left += textLeft_;
    r.top += textTop_;
    Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    Canvas().Font().SetColor(RoleColorOn(Color(), TColorRole::Text, Font().Color()));
    Canvas().DrawText(GetText(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace zv
