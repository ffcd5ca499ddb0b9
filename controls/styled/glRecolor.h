// Replacing one colour of a bitmap by another, through the bitmap's mask for that colour.
#pragma once

#include "framework/Graphics.h"

namespace zv {

// Every pixel of `bitmap` in `from` becomes `to`; system colours are resolved first.
void ReplaceColor(TBitmap& bitmap, TColor from, TColor to);

} // namespace zv
