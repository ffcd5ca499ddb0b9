// The styled list box: a native owner-drawn list whose items have their own heights and are drawn
// by the control in a styled box (colour, bevel, gradient, text effect) from one style for normal
// items and another for the selected one, with optional glyphs, a wallpaper behind the items and
// hot tracking of the item under the pointer.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>

#include "controls/styled/gl3DLocalColors.h"
#include "controls/styled/glRecords.h"
#include "controls/styled/glTypes.h"
#include "framework/ExtCtrls.h"
#include "framework/ImgList.h"
#include "framework/ListBox.h"

namespace zv {

enum class TglLBWallpaperOption { fwlNone, fwlStretch, fwlTile, fwlGlobal };

using TglListBoxChangeEvent = std::function<void(TObject* sender, int oldSelItemIndex, int selItemIndex)>;
using TglGetItemColorEvent = std::function<void(TObject* sender, int index, TColor& color)>;
using TglDrawItemMessageEvent = std::function<void(TObject* sender, const DRAWITEMSTRUCT& message)>;
using TglGetDragImageEvent =
    std::function<void(TObject* sender, TBitmap& bitmap, TColor& transparentColor, int& hotSpotX, int& hotSpotY)>;

// The DrawText flags items are drawn with.
UINT ListBoxTextFlags(TglListBoxOptions options, TglHorAlign horizontal, TglVertAlign vertical);
// Height added to a measured item for the bevels and text effects of the two styles.
int ListBoxItemExtraHeight(const TglListBoxItemStyle& normal, const TglListBoxItemStyle& selected);
// Whether an item in this owner-draw state is drawn as selected: selected alone or with the focus,
// nothing else (a selected item that is also disabled, say, is drawn as a normal one).
constexpr bool ListBoxItemSelected(UINT state)
{
    return state == ODS_SELECTED || state == (ODS_SELECTED | ODS_FOCUS);
}

class TglListBox : public TCustomListBox {
public:
    explicit TglListBox(TComponent* owner);
    ~TglListBox() override;
    const char* ClassName() const override { return "TglListBox"; }

    TglAutoTransparentColor AutoTransparentColor() const { return autoTransparentColor_; }
    void SetAutoTransparentColor(TglAutoTransparentColor v);
    // Reading creates an empty bitmap; setting copies the given one.
    TBitmap& Wallpaper();
    void SetWallpaper(const TBitmap& b);
    TImage* WallpaperImage() const { return wallpaperImage_; }
    void SetWallpaperImage(TImage* image);
    TglLBWallpaperOption WallpaperOption() const { return wallpaperOption_; }
    void SetWallpaperOption(TglLBWallpaperOption v);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    T2DAlign& GlyphsAlign() { return *glyphsAlign_; }
    TglListBoxItemStyle& ItemStyle() { return *itemStyle_; }
    TglListBoxItemStyle& ItemSelStyle() { return *itemSelStyle_; }
    TImageList* Glyphs() const { return glyphs_; }
    void SetGlyphs(TImageList* list);
    T2DAlign& TextAlign() { return *textAlign_; }
    // 0: each item is measured; otherwise every item has this height.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor c);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor c);
    TglListBoxOptions Options() const { return options_; }
    void SetOptions(TglListBoxOptions o);
    TTwainColors& ChangeGlyphColor() { return *changeGlyphColor_; }

    // The item under the pointer while hot tracking, -1 for none.
    int HotIndex() const { return hotIndex_; }
    UINT TextFlags() const { return textFlags_; }
    // Measures every item again, in one update bracket.
    void RemeasureAll();
    // Prepares the drag image of the selected item for a drag starting at the client point.
    void BeginDragImage(POINT cursor);
    HIMAGELIST DragImages() const { return dragImages_; }
    POINT DragHotSpot() const { return dragHotSpot_; }

    TglDrawItemMessageEvent OnDrawItem;
    TglListBoxChangeEvent OnChange;
    TglGetItemColorEvent OnGetItemColor;
    TglGetItemColorEvent OnGetItemFontColor;
    TglGetDragImageEvent OnGetDragImage;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;

protected:
    // The item styles' fonts follow the list's dpi, from their heights at 96 dpi.
    void ScaleMetrics() override;
    void MeasureItem(int index, int& height) override;
    bool CNDrawItem(DRAWITEMSTRUCT& dis) override;

private:
    int itemFontDesign_ = 0, itemSelFontDesign_ = 0;
    bool fontDesignKept_ = false;
    void StyleChanged();
    void UpdateTextFlags();
    void InvalidateItem(int index);
    void CaptureParentBackground();
    bool HasWallpaper() const { return wallpaperGraphic_ != nullptr && !wallpaperGraphic_->Empty(); }
    void DrawItemSteps(HDC dc, const DRAWITEMSTRUCT& dis, const RECT& itemRect);
    void DrawWallpaper(HDC dc, const RECT& r, bool lastItem);
    RECT DrawGlyph(HDC dc, RECT textRect, int index, bool selected);

    TglAutoTransparentColor autoTransparentColor_ = TglAutoTransparentColor::ftcLeftBottomPixel;
    std::unique_ptr<TBitmap> wallpaper_;
    TImage* wallpaperImage_ = nullptr;
    TglLBWallpaperOption wallpaperOption_ = TglLBWallpaperOption::fwlNone;
    int numGlyphs_ = 1;
    std::unique_ptr<T2DAlign> glyphsAlign_;
    std::unique_ptr<TglListBoxItemStyle> itemStyle_;
    std::unique_ptr<TglListBoxItemStyle> itemSelStyle_;
    TImageList* glyphs_ = nullptr;
    std::unique_ptr<T2DAlign> textAlign_;
    int itemHeight_ = 0;
    TColor transparentColor_ = clOlive;
    TColor hotTrackColor_ = 0xFF0000;
    TglListBoxOptions options_ = fboExcludeGlyphs | fboHotTrack | fboWordWrap;
    std::unique_ptr<TTwainColors> changeGlyphColor_;

    int hotIndex_ = -1;
    int lastSelIndex_ = -1;
    UINT textFlags_ = 0;
    bool drawing_ = false; // the draw step changes a gradient for a moment; that is no style change
    TBitmap glyphBitmap_;
    TBitmap capturedBackground_;
    const TBitmap* wallpaperGraphic_ = nullptr;
    HIMAGELIST dragImages_ = nullptr;
    POINT dragHotSpot_{0, 0};
    std::unique_ptr<Tgl3DLocalColors> localColors_;
};

} // namespace zv
