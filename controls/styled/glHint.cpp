#include "controls/styled/glHint.h"

#include <memory>

#include "framework/ColorRoles.h"
#include "framework/SysUtils.h"

namespace zv {

namespace {
constexpr int kCyrillicCharset = 204;
} // namespace

RECT PlaceHintWindow(const RECT& asked, int screenWidth, int screenHeight, int pictureRoom)
{
    int left = asked.left, top = asked.top;
    const int width = asked.right - asked.left + pictureRoom;
    const int height = asked.bottom - asked.top + 1;
    if (top + height > screenHeight)
        top = screenHeight - height;
    if (left + width > screenWidth)
        left = screenWidth - width;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    return RECT{left, top, left + width, top + height};
}

// ---- the component

TglHint::TglHint(TComponent* owner) : TComponent(owner)
{
    if (owner)
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            TComponent* c = owner->Component(i);
            if (c != this && dynamic_cast<TglHint*>(c))
                throw Exception("Cannot create more than one instance of TglHint component");
        }
    HookApplication();
    // Off and on again, so that the next hint comes in a window of the new class.
    if (Application) {
        Application->SetShowHint(false);
        Application->SetShowHint(true);
    }
}

TglHint::~TglHint()
{
    if (hooked_ && Application) {
        Application->OnShowHint = savedShowHint_;
        Application->OnHint = savedHint_;
    }
    if (instance_ == this)
        instance_ = nullptr;
}

void TglHint::HookApplication()
{
    if (!Application)
        return;
    // Hooking again (after loading) must not save our own handlers as the application's.
    if (!hooked_) {
        savedShowHint_ = Application->OnShowHint;
        savedHint_ = Application->OnHint;
    }
    Application->OnShowHint = [this](std::string& text, bool& canShow, THintInfo& info) { DoShowHint(text, canShow, info); };
    Application->OnHint = [this](TObject* sender) { DoHint(sender); };
    hooked_ = true;
    Application->SetHintWindowClass([] { return std::make_unique<TglHintWindow>(nullptr); });
    instance_ = this;
    showHint_ = true;
}

void TglHint::Loaded()
{
    const bool wasShowHint = showHint_;
    TComponent::Loaded();
    if ((ComponentState() & csDesigning) || !active_ || !Application)
        return;
    HookApplication();
    Application->SetShowHint(false);
    Application->SetShowHint(wasShowHint);
    showHint_ = wasShowHint;
}

void TglHint::UnregisterHintWindow(TglHintWindow* w)
{
    if (hintWindow_ == w)
        hintWindow_ = nullptr;
}

void TglHint::DoShowHint(std::string& text, bool& canShow, THintInfo& info)
{
    hintControl_ = info.hintControl;
    if (OnShowHint)
        OnShowHint(text, canShow, info);
}

void TglHint::DoHint(TObject* sender)
{
    if (OnHint)
        OnHint(sender);
}

// ---- the window

TglHintWindow::TglHintWindow(TComponent* owner) : THintWindow(owner)
{
    Font().SetName("Arial");
    Font().SetSize(8); // at 96 dpi; the hint is scaled to the dpi of the window it explains
    Font().SetCharset(kCyrillicCharset);
    Canvas().Font().Assign(Font());
    if (TglHint* hint = TglHint::Instance())
        hint->RegisterHintWindow(this);
}

TglHintWindow::~TglHintWindow()
{
    if (TglHint* hint = TglHint::Instance())
        hint->UnregisterHintWindow(this);
}

void TglHintWindow::CreateParams(TCreateParams& p)
{
    THintWindow::CreateParams(p);
    p.style &= ~static_cast<DWORD>(WS_BORDER);
}

void TglHintWindow::ActivateHint(const RECT& screenRect, const std::string& text)
{
    SetText(text);
    const RECT r =
        PlaceHintWindow(screenRect, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), pictureRoom_);
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    ::SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    TControl::SetVisible(true);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TglHintWindow::ScaleMetrics()
{
    THintWindow::ScaleMetrics();
    pictureRoom_ = Scaled(20);
    help_.Clear();
    TBitmap picture;
    if (!picture.LoadFromResourceName(ModuleInstance(), "HELP"))
        return;
    if (Dpi() == 96) {
        help_.Assign(picture);
        return;
    }
    help_.SetSize(Scaled(picture.Width()), Scaled(picture.Height()));
    HDC dc = help_.Canvas().Handle();
    ScopedDCState state(dc);
    // learn.microsoft.com, SetStretchBltMode: HALFTONE averages; the brush origin is set after it.
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    help_.Canvas().StretchDraw(RECT{0, 0, help_.Width(), help_.Height()}, picture);
}

LRESULT TglHintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ACTIVATE) {
        ReleaseHint();
        return 0;
    }
    return THintWindow::WndProc(msg, wParam, lParam);
}

void TglHintWindow::Paint()
{
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    // Under a contrast theme a hint is the theme's tooltip: info text on the info background.
    c.Brush().SetColor(RoleColor(TColorRole::Face, ContrastTheme() ? clInfoBk : clWhite));
    c.Pen().SetColor(RoleColor(TColorRole::Frame, clBlack, TSurface::Info));
    c.Rectangle(r);

    if (help_.Empty())
        ScaleMetrics();
    if (!help_.Empty())
        c.Draw(r.left, r.top + 1, help_);

    ::OffsetRect(&r, pictureRoom_, 1);
    c.Font().SetColor(RoleColor(TColorRole::Text, clBlack, TSurface::Info));
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.DrawText(GetText(), r, DT_WORDBREAK | DT_VCENTER);
}

} // namespace zv
