#include "framework/ImgList.h"

#include "framework/Layout.h"

namespace zv {

void TImageList::SetSize(int width, int height)
{
    if (width < 1 || height < 1 || (width == width_ && height == height_))
        return;
    width_ = width;
    height_ = height;
    images_.clear();
}

int TImageList::Add(TBitmap& bitmap)
{
    const int first = Count();
    if (bitmap.Empty())
        return first;
    const int n = bitmap.Width() / width_ > 0 ? bitmap.Width() / width_ : 1;
    for (int i = 0; i < n; ++i) {
        auto image = std::make_unique<TBitmap>();
        image->SetSize(width_, height_);
        ::BitBlt(image->Canvas().Handle(), 0, 0, width_, height_, bitmap.Canvas().Handle(), i * width_, 0, SRCCOPY);
        images_.push_back(std::move(image));
    }
    return first;
}

bool TImageList::GetBitmap(int index, TBitmap& out) const
{
    if (index < 0 || index >= Count())
        return false;
    out.Assign(*images_[static_cast<size_t>(index)]);
    return true;
}

namespace {
const bool kRegistered = [] {
    RegisterClass<TImageList>("TImageList", "TComponent")
        .Prop<TImageList>("Width", [](TImageList& l, const TLayoutValue& v) { l.SetWidth(v.AsInt()); })
        .Prop<TImageList>("Height", [](TImageList& l, const TLayoutValue& v) { l.SetHeight(v.AsInt()); });
    return true;
}();
} // namespace

} // namespace zv
