#include "framework/ExtCtrls.h"

#include "framework/Layout.h"

namespace zv {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::PictureChanged()
{
    resourceName_.clear(); // drawn into or replaced: no longer what the resource holds
    scaled_.Clear();
    AdjustSize();
    Invalidate();
}

void TImage::LoadPictureResource(const std::string& name)
{
    if (!picture_.LoadFromResourceName(ModuleInstance(), name.c_str()))
        throw Exception("Bitmap resource '" + name + "' not found");
    PictureChanged();
    resourceName_ = name;
}

void TImage::ReleaseResourcePicture()
{
    if (!resourceName_.empty())
        picture_.Clear();
    scaled_.Clear();
}

void TImage::ScaleMetrics()
{
    TGraphicControl::ScaleMetrics();
    scaled_.Clear();
}

TBitmap& TImage::Shown()
{
    if (picture_.Empty() && !resourceName_.empty())
        picture_.LoadFromResourceName(ModuleInstance(), resourceName_.c_str());
    if (Dpi() == 96 || picture_.Empty())
        return picture_;
    if (scaled_.Empty()) {
        scaled_.SetSize(Scaled(picture_.Width()), Scaled(picture_.Height()));
        // learn.microsoft.com, SetStretchBltMode: HALFTONE averages the source pixels under each
        // destination pixel; the brush origin must be set after choosing it.
        HDC dc = scaled_.Canvas().Handle();
        ScopedDCState state(dc);
        ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);
        scaled_.Canvas().StretchDraw(RECT{0, 0, scaled_.Width(), scaled_.Height()}, picture_);
    }
    return scaled_;
}

void TImage::SetStretch(bool v)
{
    if (v == stretch_)
        return;
    stretch_ = v;
    Invalidate();
}

void TImage::SetCenter(bool v)
{
    if (v == center_)
        return;
    center_ = v;
    Invalidate();
}

void TImage::SetAutoSize(bool v)
{
    if (v == autoSize_)
        return;
    autoSize_ = v;
    AdjustSize();
}

void TImage::AdjustSize()
{
    // While a layout is read the stated size may still follow; Loaded() settles it.
    if (!autoSize_ || IsLoading() || picture_.Empty())
        return;
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void TImage::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

RECT TImage::DestRect() const
{
    if (stretch_)
        return RECT{0, 0, Width(), Height()};
    const TBitmap& shown = const_cast<TImage*>(this)->Shown();
    const int w = shown.Width(), h = shown.Height();
    int x = 0, y = 0;
    if (center_) {
        x = (Width() - w) / 2;
        y = (Height() - h) / 2;
    }
    return RECT{x, y, x + w, y + h};
}

void TImage::Paint()
{
    TBitmap& shown = Shown();
    if (shown.Empty())
        return;
    const RECT r = DestRect();
    if (stretch_) {
        // Colour pictures scale by dropping or repeating pixels, never by and-ing them together.
        ScopedDCState state(Canvas().Handle());
        ::SetStretchBltMode(Canvas().Handle(), COLORONCOLOR);
        Canvas().StretchDraw(r, picture_);
    } else {
        Canvas().Draw(r.left, r.top, shown);
    }
}

namespace {
const bool kRegistered = [] {
    RegisterClass<TImage>("TImage", "TGraphicControl")
        .Prop<TImage>("Picture.Resource", [](TImage& c, const TLayoutValue& v) { c.LoadPictureResource(v.AsString()); })
        .Prop<TImage>("Stretch", [](TImage& c, const TLayoutValue& v) { c.SetStretch(v.AsBool()); })
        .Prop<TImage>("Center", [](TImage& c, const TLayoutValue& v) { c.SetCenter(v.AsBool()); })
        .Prop<TImage>("AutoSize", [](TImage& c, const TLayoutValue& v) { c.SetAutoSize(v.AsBool()); });
    return true;
}();
} // namespace

} // namespace zv
