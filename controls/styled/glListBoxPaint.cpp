// Drawing one item of the styled list box: for now the item's colour and its text; the bevels,
// gradients, glyphs and wallpaper follow with the shared drawing routines.
#include <algorithm>

#include "controls/styled/glListBox.h"

namespace zv {

void TglListBox::CaptureParentBackground() {}

bool TglListBox::CNDrawItem(DRAWITEMSTRUCT& dis)
{
    if (dis.CtlType != ODT_LISTBOX)
        return false;
    if (static_cast<int>(dis.itemID) < 0 || static_cast<int>(dis.itemID) >= Count())
        return true;
    HDC dc = dis.hDC;
    ScopedDCState keep(dc);
    drawing_ = true;
    DrawItemSteps(dc, dis, dis.rcItem);
    drawing_ = false;
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
    TglListBoxItemStyle& style = ListBoxItemSelected(dis.itemState) ? *itemSelStyle_ : *itemStyle_;
    TColor itemColor = style.Color();
    if (OnGetItemColor)
        OnGetItemColor(this, index, itemColor);
    TCanvas c(dc);
    c.Brush().SetColor(itemColor);
    c.FillRect(itemRect);
    RECT text = itemRect;
    text.left += 1;
    text.right -= 2;
    if (!(options_ & fboHideText)) {
        c.Font().Assign(style.Font());
        TColor color = style.Font().Color();
        if (OnGetItemFontColor)
            OnGetItemFontColor(this, index, color);
        if (index == hotIndex_)
            color = hotTrackColor_;
        c.Font().SetColor(color);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.DrawText(Items(index), text, textFlags_);
    }
}

void TglListBox::DrawWallpaper(HDC, const RECT&, bool) {}

RECT TglListBox::DrawGlyph(HDC, RECT text, int, bool) { return text; }

} // namespace zv
