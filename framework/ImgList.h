// The image list: equally sized images kept in order, copied out one at a time to be drawn.
#pragma once

#include <memory>
#include <vector>

#include "framework/Component.h"
#include "framework/Graphics.h"

namespace zv {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list, as the images no longer fit.
    void SetSize(int width, int height);
    void SetWidth(int w) { SetSize(w, height_); }
    void SetHeight(int h) { SetSize(width_, h); }
    int Count() const { return static_cast<int>(images_.size()); }

    // Adds the bitmap cut into images of the list's size, left to right; returns the first index.
    int Add(TBitmap& bitmap);
    void Clear() { images_.clear(); }
    // Copies image `index` into `out` (which takes the list's size); false when out of range.
    bool GetBitmap(int index, TBitmap& out) const;

private:
    int width_ = 16;
    int height_ = 16;
    std::vector<std::unique_ptr<TBitmap>> images_;
};

} // namespace zv
