// The windowless image: a bitmap painted by the parent, from a bitmap resource named by the layout.
#pragma once

#include <string>

#include "framework/Controls.h"

namespace zv {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    const char* ClassName() const override { return "TImage"; }

    // The bitmap shown; after drawing into it or resizing it, call PictureChanged().
    TBitmap& Picture() { return picture_; }
    void PictureChanged();
    // Loads the bitmap resource `name` of the program; throws Exception when there is none.
    void LoadPictureResource(const std::string& name);
    // Frees a picture loaded from the resources while nothing shows it; it is loaded again, the same,
    // when the control is next painted.
    void ReleaseResourcePicture();

    // Fills the control, scaled to its size.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    // Unscaled in the middle of the control (otherwise at its top-left).
    bool Center() const { return center_; }
    void SetCenter(bool v);
    // The control takes the bitmap's size, its top-left staying where it is.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);

    // Where the bitmap lands, in the control's client coordinates.
    RECT DestRect() const;

    void Loaded() override;

protected:
    void Paint() override;
    // Past 96 dpi the picture is shown as a smoothly scaled copy, made when first painted.
    void ScaleMetrics() override;

private:
    void AdjustSize();
    // The picture as it is shown at the control's dpi.
    TBitmap& Shown();
    TBitmap picture_;
    TBitmap scaled_;
    std::string resourceName_; // the resource the picture came from, if it did
    bool stretch_ = false;
    bool center_ = false;
    bool autoSize_ = false;
};

} // namespace zv
