#include "framework/GroupBox.h"

#include <oleacc.h>

#include "framework/ColorRoles.h"
#include "framework/Layout.h"

namespace zv {

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

long TCustomGroupBox::AccRole() const { return ROLE_SYSTEM_GROUPING; }

void TCustomGroupBox::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.style |= WS_CLIPCHILDREN;
}

int TCustomGroupBox::CaptionHeight() const
{
    HDC dc = ::GetDC(nullptr);
    TCanvas c(dc);
    c.Font().Assign(Font());
    const int h = c.TextHeight("0");
    ::ReleaseDC(nullptr, dc);
    return h;
}

void TCustomGroupBox::AdjustClientRect(RECT& r) const
{
    r.top += CaptionHeight();
    ::InflateRect(&r, -2, -2);
}

RECT TCustomGroupBox::DisplayRect() const
{
    RECT r = ClientRect();
    AdjustClientRect(r);
    return r;
}

void TCustomGroupBox::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    ApplyEnabledToChildren(Enabled());
}

void TCustomGroupBox::Paint()
{
    TCanvas& c = Canvas();
    const int th = CaptionHeight();
    RECT frame{0, th / 2, Width(), Height()};
    if (ContrastTheme()) {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(RoleColorOn(Color(), TColorRole::Frame, clBtnShadow));
        c.FrameRect(frame);
    } else {
        ::DrawEdge(c.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    }

    const std::string text = Caption();
    if (text.empty())
        return;
    c.Font().Assign(Font());
    RECT measure{0, 0, 0, 0};
    c.DrawText(text, measure, DT_CALCRECT | DT_SINGLELINE);
    // The caption interrupts the top line, with two pixels of the box's colour on each side.
    RECT gap{8, 0, 8 + (measure.right - measure.left) + 4, th};
    // The canvas outlives the paint: the last one left its brush clear for the text.
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(RoleColor(TColorRole::Face, Color()));
    c.FillRect(gap);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Font().SetColor(Enabled() ? RoleColorOn(Color(), TColorRole::Text, Font().Color())
                                : RoleColor(TColorRole::Disabled, clGrayText));
    RECT tr{gap.left + 2, 0, gap.right - 2, th};
    c.DrawText(text, tr, DT_SINGLELINE | DT_LEFT);
}

namespace {
const bool kRegistered = [] {
    RegisterRootClass("TCustomGroupBox", "TCustomControl");
    RegisterClass<TGroupBox>("TGroupBox", "TCustomGroupBox");
    return true;
}();
} // namespace

} // namespace zv
