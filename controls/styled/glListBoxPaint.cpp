// Drawing one item of the styled list box, step by step.
#include <algorithm>

#include "controls/styled/glDraw.h"
#include "controls/styled/glListBox.h"
#include "controls/styled/glRecolor.h"
#include "framework/ColorRoles.h"

namespace zv {

void TglListBox::CaptureParentBackground()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    capturedBackground_.SetSize(Width(), Height());
    CopyParentImage(*this, capturedBackground_.Canvas().Handle());
    wallpaperGraphic_ = &capturedBackground_;
}

bool TglListBox::CNDrawItem(DRAWITEMSTRUCT& dis)
{
    if (dis.CtlType != ODT_LISTBOX)
        return false;
    HDC dc = dis.hDC;
    ScopedDCState keep(dc);
    if (Count() == 0) {
        if (HasWallpaper())
            ::BitBlt(dc, 0, 0, wallpaperGraphic_->Width(), wallpaperGraphic_->Height(),
                     const_cast<TBitmap*>(wallpaperGraphic_)->Canvas().Handle(), 0, 0, SRCCOPY);
        return true;
    }
    if (static_cast<int>(dis.itemID) < 0 || static_cast<int>(dis.itemID) >= Count())
        return true;
    const RECT item = dis.rcItem;
    drawing_ = true;
    try {
        if (options_ & fboBufferedDraw) {
            TBitmap buffer;
            buffer.SetSize(std::max<int>(item.right - item.left, 1), std::max<int>(item.bottom - item.top, 1));
            HDC mem = buffer.Canvas().Handle();
            {
                ScopedDCState memState(mem);
                ::SetViewportOrgEx(mem, -item.left, -item.top, nullptr);
                DrawItemSteps(mem, dis, item);
            }
            ::BitBlt(dc, item.left, item.top, item.right - item.left, item.bottom - item.top, mem, 0, 0, SRCCOPY);
        } else {
            DrawItemSteps(dc, dis, item);
        }
    } catch (...) {
        drawing_ = false;
        throw;
    }
    drawing_ = false;
    if ((dis.itemState & ODS_FOCUS) && (options_ & fboShowFocus) && FocusCueShown()) {
        const COLORREF fore = ::SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
        const bool selected = ListBoxItemSelected(dis.itemState);
        DrawFocusCue(dc, item, RoleColor(selected ? TColorRole::SelectedText : TColorRole::Text, clBlack));
        ::SetTextColor(dc, fore);
        ::SetBkColor(dc, back);
    }
    if (OnDrawItem)
        OnDrawItem(this, dis);
    const int selected = ItemIndex();
    if (OnChange && selected != lastSelIndex_) {
        const int old = lastSelIndex_;
        lastSelIndex_ = selected;
        OnChange(this, old, selected);
    } else {
        lastSelIndex_ = selected;
    }
    return true;
}

void TglListBox::DrawItemSteps(HDC dc, const DRAWITEMSTRUCT& dis, const RECT& itemRect)
{
    const int index = static_cast<int>(dis.itemID);
    const bool selected = ListBoxItemSelected(dis.itemState);
    TglListBoxItemStyle& style = selected ? *itemSelStyle_ : *itemStyle_;
    const bool wallpaperShows = HasWallpaper() && !(selected && itemStyle_->Color() != itemSelStyle_->Color());

    RECT r = itemRect;
    r.left += 1;
    r.right -= 1;
    r.bottom -= 1;
    TColor itemColor = style.Color();
    if (OnGetItemColor)
        OnGetItemColor(this, index, itemColor);
    // Under a contrast theme the selected item is the selection colour, the others the button face.
    if (selected)
        itemColor = RoleColor(TColorRole::Selected, itemColor);

    // Bevels in shades of the item's own colour, for this one box only.
    const bool localColors = (options_ & fboAutoCtl3DColors) != 0;
    if (localColors) {
        TColor light = 0, dark = 0;
        localColors_->MakeShades(itemColor, light, dark);
        localColors_->SetHighlight(light);
        localColors_->SetShadow(dark);
        Local3DColorsStack.Push(localColors_.get());
    }
    const TglBevel& bevel = style.Bevel();
    RECT inner = DrawBevelBox(dc, r, wallpaperShows, itemColor, bevel.Outer(), bevel.Inner(), bevel.Sides(), bevel.Bold());
    if (localColors)
        Local3DColorsStack.Pop();
    r = inner;
    r.left -= 1;
    r.right += 1;
    r.bottom += 1;

    TGradient& gradient = style.Gradient();
    if (gradient.Active()) {
        const TColor from = gradient.FromColor(), to = gradient.ToColor();
        if (itemColor > 0) {
            if (options_ & fboItemColorAsGradientFrom)
                gradient.SetFromColor(itemColor);
            if (options_ & fboItemColorAsGradientTo)
                gradient.SetToColor(itemColor);
        }
        DrawGradientBox(dc, r, gradient, 1, TPenStyle::psSolid);
        gradient.SetFromColor(from);
        gradient.SetToColor(to);
    }

    if (wallpaperShows)
        DrawWallpaper(dc, r, index == Count() - 1);

    RECT text = DrawGlyph(dc, r, index, selected);

    text.left += 1;
    text.right -= 2;
    ::SetBkMode(dc, TRANSPARENT);
    if (!(options_ & fboHideText)) {
        TFont font(style.Font());
        TColor color = font.Color();
        if (OnGetItemFontColor)
            OnGetItemFontColor(this, index, color);
        if (index == hotIndex_)
            color = hotTrackColor_;
        const TColorRole role = selected ? TColorRole::SelectedText
                                : index == hotIndex_ ? TColorRole::Link : TColorRole::Text;
        font.SetColor(RoleColor(role, color));
        DrawStyledText(dc, text, Items(index), textFlags_, &font, style.TextStyle());
    }
}

void TglListBox::DrawWallpaper(HDC dc, const RECT& r, bool lastItem)
{
    auto& wp = const_cast<TBitmap&>(*wallpaperGraphic_);
    HDC src = wp.Canvas().Handle();
    const int ww = wp.Width(), wh = wp.Height();
    const int w = r.right - r.left, h = r.bottom - r.top;
    const RECT client = ClientRect();
    if (options_ & fboTransparent) {
        ::BitBlt(dc, r.left, r.top, w, h, src, r.left, r.top, SRCCOPY);
        if (lastItem && client.bottom > r.bottom)
            ::BitBlt(dc, 0, r.bottom, client.right, client.bottom - r.bottom, src, 0, r.bottom, SRCCOPY);
        return;
    }
    const auto tile = [&](const RECT& area, int startY) {
        for (int y = area.top - startY; y < area.bottom; y += wh)
            for (int x = area.left; x < area.right; x += ww) {
                const int top = std::max<int>(y, area.top);
                const int bottom = std::min<int>(y + wh, area.bottom);
                const int cw = std::min<int>(ww, area.right - x);
                if (bottom > top && cw > 0)
                    ::BitBlt(dc, x, top, cw, bottom - top, src, 0, top - y, SRCCOPY);
            }
    };
    switch (wallpaperOption_) {
    case TglLBWallpaperOption::fwlNone:
        ::BitBlt(dc, r.left, r.top, std::min(w, ww), std::min(h, wh), src, 0, 0, SRCCOPY);
        break;
    case TglLBWallpaperOption::fwlStretch: {
        const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, r.left, r.top, w, h, src, 0, 0, ww, wh, SRCCOPY);
        ::SetStretchBltMode(dc, oldMode);
        break;
    }
    case TglLBWallpaperOption::fwlTile:
        tile(r, 0);
        break;
    case TglLBWallpaperOption::fwlGlobal: {
        // The pattern runs on across items: each item starts where its top falls in the tiling.
        tile(r, wh > 0 ? r.top % wh : 0);
        if (lastItem && client.bottom > r.bottom) {
            const RECT rest{0, r.bottom, client.right, client.bottom};
            tile(rest, wh > 0 ? r.bottom % wh : 0);
        }
        break;
    }
    }
}

RECT TglListBox::DrawGlyph(HDC dc, RECT text, int index, bool selected)
{
    if (!glyphs_ || glyphs_->Count() == 0)
        return text;
    const int gi = (options_ & fboSingleGlyph) ? 0 : index;
    if (!(options_ & fboSingleGlyph) && index >= numGlyphs_)
        return text;
    if (!glyphs_->GetBitmap(gi, glyphBitmap_))
        return text;
    const int gw = glyphs_->Width(), gh = glyphs_->Height();
    RECT g = text;
    ::InflateRect(&g, -1, -1);
    int x = g.left, y = g.top;
    switch (glyphsAlign_->Horizontal()) {
    case TglHorAlign::fhaLeft: break;
    case TglHorAlign::fhaCenter: x = g.left + (g.right - g.left - gw) / 2 - 1; break;
    case TglHorAlign::fhaRight: x = g.right - gw - 1; break;
    }
    switch (glyphsAlign_->Vertical()) {
    case TglVertAlign::fvaTop: break;
    case TglVertAlign::fvaCenter: y = g.top + (g.bottom - g.top - gh) / 2 - 1; break;
    case TglVertAlign::fvaBottom: y = g.bottom - gh - 1; break;
    }
    // A contrast theme draws the glyphs' black in the item's text colour.
    if (ContrastTheme())
        ReplaceColor(glyphBitmap_, clBlack, RoleColor(selected ? TColorRole::SelectedText : TColorRole::Text, clBlack));
    else if (selected && (options_ & fboChangeGlyphColor))
        ReplaceColor(glyphBitmap_, changeGlyphColor_->FromColor(), changeGlyphColor_->ToColor());
    const TColor transparent = autoTransparentColor_ == TglAutoTransparentColor::ftcUser
                                   ? transparentColor_
                                   : CornerPixelColor(glyphBitmap_, autoTransparentColor_);
    zv::DrawGlyph(dc, x, y, glyphBitmap_, transparent, true);
    if (options_ & fboExcludeGlyphs) {
        if (glyphsAlign_->Horizontal() == TglHorAlign::fhaLeft)
            text.left += gw;
        else if (glyphsAlign_->Horizontal() == TglHorAlign::fhaRight)
            text.right -= gw;
    }
    return text;
}

} // namespace zv
