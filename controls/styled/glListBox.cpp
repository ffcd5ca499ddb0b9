#include "controls/styled/glListBox.h"

#include <algorithm>

#include "controls/styled/glRecordLayout.h"
#include "framework/CommonControls.h"
#include "framework/Layout.h"

namespace zv {

UINT ListBoxTextFlags(TglListBoxOptions options, TglHorAlign horizontal, TglVertAlign vertical)
{
    UINT f = DT_NOPREFIX | ((options & fboWordWrap) ? DT_WORDBREAK : DT_SINGLELINE);
    if (horizontal == TglHorAlign::fhaCenter)
        f |= DT_CENTER;
    else if (horizontal == TglHorAlign::fhaRight)
        f |= DT_RIGHT;
    if (vertical == TglVertAlign::fvaCenter)
        f |= DT_VCENTER;
    else if (vertical == TglVertAlign::fvaBottom)
        f |= DT_BOTTOM;
    return f;
}

int ListBoxItemExtraHeight(const TglListBoxItemStyle& a, const TglListBoxItemStyle& b)
{
    const bool bold = a.Bevel().Bold() || b.Bevel().Bold();
    int extra = 0;
    if (a.Bevel().Inner() != TBevelCut::bvNone || b.Bevel().Inner() != TBevelCut::bvNone)
        extra += bold ? 2 : 1;
    if (a.Bevel().Outer() != TBevelCut::bvNone || b.Bevel().Outer() != TBevelCut::bvNone)
        extra += bold ? 2 : 1;
    if (a.TextStyle() != TglTextStyle::fstNone || b.TextStyle() != TglTextStyle::fstNone)
        extra += 2;
    return extra;
}

TglListBox::TglListBox(TComponent* owner)
    : TCustomListBox(owner),
      glyphsAlign_(std::make_unique<T2DAlign>()),
      itemStyle_(std::make_unique<TglListBoxItemStyle>()),
      itemSelStyle_(std::make_unique<TglListBoxItemStyle>()),
      textAlign_(std::make_unique<T2DAlign>()),
      changeGlyphColor_(std::make_unique<TTwainColors>()),
      localColors_(std::make_unique<Tgl3DLocalColors>(nullptr))
{
    SetStyle(TListBoxStyle::lbOwnerDrawVariable);
    itemStyle_->SetColor(clBtnFace);
    itemSelStyle_->SetColor(clBtnShadow);
    changeGlyphColor_->SetFromColor(clBlack);
    changeGlyphColor_->SetToColor(clWhite);
    const auto changed = [this](TObject*) { StyleChanged(); };
    glyphsAlign_->SetOnChange(changed);
    itemStyle_->SetOnChange(changed);
    itemSelStyle_->SetOnChange(changed);
    textAlign_->SetOnChange(changed);
    changeGlyphColor_->SetOnChange(changed);
    UpdateTextFlags();
}

TglListBox::~TglListBox()
{
    if (dragImages_)
        ImageListDestroy(dragImages_);
}

void TglListBox::StyleChanged()
{
    if (IsLoading() || drawing_)
        return;
    RemeasureAll();
    UpdateTextFlags();
    Invalidate();
}

void TglListBox::UpdateTextFlags()
{
    textFlags_ = ListBoxTextFlags(options_, textAlign_->Horizontal(), textAlign_->Vertical());
}

// ---- properties

void TglListBox::SetAutoTransparentColor(TglAutoTransparentColor v)
{
    autoTransparentColor_ = v;
    Invalidate();
}

TBitmap& TglListBox::Wallpaper()
{
    if (!wallpaper_)
        wallpaper_ = std::make_unique<TBitmap>();
    return *wallpaper_;
}

void TglListBox::SetWallpaper(const TBitmap& b)
{
    Wallpaper().Assign(b);
    if (!wallpaperImage_ && !(options_ & fboTransparent))
        wallpaperGraphic_ = wallpaper_.get();
    Invalidate();
}

void TglListBox::SetWallpaperImage(TImage* image)
{
    if (wallpaperImage_)
        wallpaperImage_->RemoveFreeNotification(this);
    wallpaperImage_ = image;
    if (image) {
        image->FreeNotification(this);
        wallpaperGraphic_ = &image->Picture();
    } else {
        wallpaperGraphic_ = wallpaper_ ? wallpaper_.get() : nullptr;
    }
    Invalidate();
}

void TglListBox::SetWallpaperOption(TglLBWallpaperOption v)
{
    wallpaperOption_ = v;
    Invalidate();
}

void TglListBox::SetNumGlyphs(int n)
{
    if (n <= 0)
        return;
    numGlyphs_ = std::min(n, 0xFFFF);
    Invalidate();
}

void TglListBox::SetGlyphs(TImageList* list)
{
    if (glyphs_)
        glyphs_->RemoveFreeNotification(this);
    glyphs_ = list;
    if (list)
        list->FreeNotification(this);
    Invalidate();
}

void TglListBox::SetItemHeight(int h)
{
    itemHeight_ = std::clamp(h, 0, 0xFFFF);
    RemeasureAll();
}

void TglListBox::SetTransparentColor(TColor c)
{
    transparentColor_ = c;
    if (autoTransparentColor_ != TglAutoTransparentColor::ftcUser)
        Invalidate();
}

void TglListBox::SetHotTrackColor(TColor c)
{
    hotTrackColor_ = c;
    InvalidateItem(hotIndex_);
}

void TglListBox::SetOptions(TglListBoxOptions o)
{
    if (o == options_)
        return;
    const bool transparentOn = (o & fboTransparent) && !(options_ & fboTransparent);
    options_ = o;
    UpdateTextFlags();
    if (transparentOn && !IsLoading())
        CaptureParentBackground();
    if (!IsLoading())
        RemeasureAll();
    Invalidate();
}

void TglListBox::Notification(TComponent* component, TOperation operation)
{
    TCustomListBox::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == wallpaperImage_) {
        wallpaperImage_ = nullptr;
        wallpaperGraphic_ = wallpaper_ ? wallpaper_.get() : nullptr;
    }
    if (component == glyphs_)
        glyphs_ = nullptr;
}

// ---- measuring

void TglListBox::RemeasureAll()
{
    if (IsLoading())
        return;
    const int selected = ItemIndex();
    BeginUpdate();
    for (int i = 0; i < Count(); ++i) {
        const std::string text = Items(i);
        TObject* object = Objects(i);
        Insert(i, text, object);
        Delete(i + 1);
    }
    EndUpdate();
    SetItemIndex(selected);
}

void TglListBox::MeasureItem(int index, int& height)
{
    if (IsLoading() || index < 0 || index >= Count())
        return;
    // The text is measured in the width it is drawn in: the client area less the frame and a
    // vertical scroll bar (which a long list shows), and less the text's own margins.
    int width = Width() - 2 * ::GetSystemMetrics(SM_CXEDGE) - ::GetSystemMetrics(SM_CXVSCROLL) - 3;
    RECT r{0, 0, std::max(width, 1), 0};
    const bool glyphs = glyphs_ != nullptr;
    if ((options_ & fboExcludeGlyphs) && glyphs) {
        if (glyphsAlign_->Horizontal() == TglHorAlign::fhaLeft)
            r.left = glyphs_->Width();
        else if (glyphsAlign_->Horizontal() == TglHorAlign::fhaRight)
            r.right -= glyphs_->Width();
    }
    TCanvas& c = Canvas();
    c.Font().Assign(itemStyle_->Font());
    c.DrawText(Items(index), r, DT_CALCRECT | ((options_ & fboWordWrap) ? DT_WORDBREAK : 0));
    int h = r.bottom - r.top;
    if (h == 0)
        h = 14;
    if (glyphs)
        h = std::max(h, glyphs_->Height());
    h += ListBoxItemExtraHeight(*itemStyle_, *itemSelStyle_);
    if (itemHeight_ != 0)
        h = itemHeight_;
    height = h;
}

// ---- hot tracking

void TglListBox::InvalidateItem(int index)
{
    HWND h = HandleIfAllocated();
    if (!h || index < 0 || index >= Count())
        return;
    RECT r = ItemRect(index);
    ::InvalidateRect(h, &r, FALSE);
}

void TglListBox::MouseMove(TShiftState shift, int x, int y)
{
    TCustomListBox::MouseMove(shift, x, y);
    if (!(options_ & (fboHotTrack | fboHotTrackSelect)))
        return;
    const int item = ItemAtPos(POINT{x, y}, true);
    if (options_ & fboHotTrackSelect) {
        // The pointer selects; the list repaints only when that changes the selection.
        if (item >= 0 && item != ItemIndex()) {
            SetItemIndex(item);
            Invalidate();
        }
        return;
    }
    if (item == hotIndex_)
        return;
    InvalidateItem(hotIndex_);
    hotIndex_ = item;
    InvalidateItem(hotIndex_);
}

void TglListBox::MouseLeave()
{
    TCustomListBox::MouseLeave();
    if (hotIndex_ < 0)
        return;
    const int old = hotIndex_;
    hotIndex_ = -1;
    InvalidateItem(old);
}

// ---- scaling

void TglListBox::ScaleMetrics()
{
    TCustomListBox::ScaleMetrics();
    if (!fontDesignKept_) {
        itemFontDesign_ = itemStyle_->Font().Height();
        itemSelFontDesign_ = itemSelStyle_->Font().Height();
        fontDesignKept_ = true;
    }
    itemStyle_->Font().ScaleHeight(itemFontDesign_, Dpi());
    itemSelStyle_->Font().ScaleHeight(itemSelFontDesign_, Dpi());
    Font().Assign(itemStyle_->Font());
    Canvas().Font().Assign(itemStyle_->Font());
    RemeasureAll();
}

// ---- after load

void TglListBox::Loaded()
{
    TCustomListBox::Loaded();
    Font().Assign(itemStyle_->Font());
    Canvas().Font().Assign(itemStyle_->Font());
    UpdateTextFlags();
    RemeasureAll();
    if (options_ & fboTransparent)
        CaptureParentBackground();
    else if (wallpaperImage_)
        wallpaperGraphic_ = &wallpaperImage_->Picture();
    else if (wallpaper_ && !wallpaper_->Empty())
        wallpaperGraphic_ = wallpaper_.get();
}

// ---- drag image

void TglListBox::BeginDragImage(POINT cursor)
{
    if (dragImages_)
        ImageListRemoveAll(dragImages_);
    const int sel = ItemIndex();
    if (sel < 0)
        return;
    const RECT item = ItemRect(sel);
    int hotX = cursor.x - item.left, hotY = cursor.y - item.top;
    TColor transparent = clWhite;
    TBitmap bitmap;
    if (OnGetDragImage) {
        OnGetDragImage(this, bitmap, transparent, hotX, hotY);
    } else {
        bitmap.SetSize(std::max<int>(item.right - item.left, 1), std::max<int>(item.bottom - item.top, 1));
        TCanvas& c = bitmap.Canvas();
        c.Brush().SetColor(clWhite);
        const RECT all{0, 0, bitmap.Width(), bitmap.Height()};
        c.FillRect(all);
        ::DrawFocusRect(c.Handle(), &all);
        c.Font().Assign(itemSelStyle_->Font());
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.TextOut(1, 1, Items(sel));
    }
    if (bitmap.Empty())
        return;
    if (dragImages_)
        ImageListDestroy(dragImages_);
    dragImages_ = ImageListCreate(bitmap.Width(), bitmap.Height(), ILC_COLOR24 | ILC_MASK, 1, 1);
    // The list keeps its own copies; our bitmap stays selected in its canvas while it is copied.
    TBitmap copy;
    copy.Assign(bitmap);
    HBITMAP plain = static_cast<HBITMAP>(::CopyImage(copy.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ImageListAddMasked(dragImages_, plain, static_cast<COLORREF>(ColorToRGB(transparent)));
    ::DeleteObject(plain);
    dragHotSpot_ = POINT{hotX, hotY};
}

// ---- layout

namespace {
const bool kRegistered = [] {
    auto& c = RegisterClass<TglListBox>("TglListBox", "TCustomListBox");
    c.Prop<TglListBox>("AutoTransparentColor", [](TglListBox& l, const TLayoutValue& v) {
         l.SetAutoTransparentColor(GlEnumValue<TglAutoTransparentColor>(v));
     })
        .Prop<TglListBox>("WallpaperImage", [](TglListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            ctx.Reference<TImage>(v, [&l](TImage* i) { l.SetWallpaperImage(i); });
        })
        .Prop<TglListBox>("WallpaperOption", [](TglListBox& l, const TLayoutValue& v) {
            l.SetWallpaperOption(v.AsEnum<TglLBWallpaperOption>({{"fwlNone", TglLBWallpaperOption::fwlNone},
                                                                 {"fwlStretch", TglLBWallpaperOption::fwlStretch},
                                                                 {"fwlTile", TglLBWallpaperOption::fwlTile},
                                                                 {"fwlGlobal", TglLBWallpaperOption::fwlGlobal}}));
        })
        .Prop<TglListBox>("NumGlyphs", [](TglListBox& l, const TLayoutValue& v) { l.SetNumGlyphs(v.AsInt()); })
        .Prop<TglListBox>("Glyphs", [](TglListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            ctx.Reference<TImageList>(v, [&l](TImageList* i) { l.SetGlyphs(i); });
        })
        .Prop<TglListBox>("ItemHeight", [](TglListBox& l, const TLayoutValue& v) { l.SetItemHeight(v.AsInt()); })
        .Prop<TglListBox>("TransparentColor", [](TglListBox& l, const TLayoutValue& v) { l.SetTransparentColor(v.AsColor()); })
        .Prop<TglListBox>("HotTrackColor", [](TglListBox& l, const TLayoutValue& v) { l.SetHotTrackColor(v.AsColor()); })
        .Prop<TglListBox>("Options", [](TglListBox& l, const TLayoutValue& v) { l.SetOptions(GlSetValue<TglListBoxOption>(v)); })
        .Prop<TglListBox>("OnDrawItem", [](TglListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnDrawItem = ctx.Handler<TglDrawItemMessageEvent>(v);
        })
        .Prop<TglListBox>("OnChange", [](TglListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnChange = ctx.Handler<TglListBoxChangeEvent>(v);
        })
        .Prop<TglListBox>("OnGetItemColor", [](TglListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnGetItemColor = ctx.Handler<TglGetItemColorEvent>(v);
        })
        .Prop<TglListBox>("OnGetItemFontColor", [](TglListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnGetItemFontColor = ctx.Handler<TglGetItemColorEvent>(v);
        })
        .Prop<TglListBox>("OnGetDragImage", [](TglListBox& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnGetDragImage = ctx.Handler<TglGetDragImageEvent>(v);
        });
    RegisterRecordProps<TglListBox>(c, "GlyphsAlign", &TglListBox::GlyphsAlign);
    RegisterRecordProps<TglListBox>(c, "TextAlign", &TglListBox::TextAlign);
    RegisterRecordProps<TglListBox>(c, "ItemStyle", &TglListBox::ItemStyle);
    RegisterRecordProps<TglListBox>(c, "ItemSelStyle", &TglListBox::ItemSelStyle);
    RegisterRecordProps<TglListBox>(c, "ChangeGlyphColor", &TglListBox::ChangeGlyphColor);
    return true;
}();
} // namespace

} // namespace zv
