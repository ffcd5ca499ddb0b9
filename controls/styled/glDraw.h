// Painting routines the styled controls share: gradient fills, gradient text, text with 3-D effects,
// bevelled frames and bitmap operations. Each draws on a device context the caller owns, gives back every
// object and mode it changed, and frees everything it made before returning.
#pragma once

#include <windows.h>

#include <string>

#include "controls/styled/glRecords.h"
#include "framework/Graphics.h"

namespace zv {

class TControl;

// While non-zero, DrawGradientBox draws nothing (a control changing many fields at once raises it).
extern int GradientsSuspended;

// Raises GradientsSuspended for the life of the scope.
class TGradientSuspension {
public:
    TGradientSuspension() { ++GradientsSuspended; }
    ~TGradientSuspension() { --GradientsSuspended; }
    TGradientSuspension(const TGradientSuspension&) = delete;
    TGradientSuspension& operator=(const TGradientSuspension&) = delete;
};

constexpr int MinOf(int a, int b) { return a < b ? a : b; }
constexpr int MaxOf(int a, int b) { return a > b ? a : b; }

// Fills `r` (right and bottom exclusive) with the gradient's bands. Pen width and style are those of the
// lines of the two bias directions (width 0 counts as 1). Nothing is drawn for an inactive gradient, a
// suspended state, Steps 1, or a device of fewer than 16 bits per pixel.
void DrawGradientBox(HDC dc, RECT r, const TCustomGradient& gradient, int penWidth = 1,
                     TPenStyle penStyle = TPenStyle::psSolid);

// Text at (x, y) in the gradient's colours, one colour per row of `reference` (per column for
// fgdVertical); with an inactive gradient, once in the context's text colour.
void DrawGradientTextLine(const TCustomGradient& gradient, HDC dc, const std::string& text, int x, int y,
                          RECT reference);

// Formatted text in `r` with a 3-D effect in the system highlight and shadow colours; the main copy in the
// font's colour. Format 0 means one line, vertically centred. Without a font nothing is drawn.
void DrawStyledText(HDC dc, RECT r, const std::string& text, UINT format, const TFont* font, TglTextStyle style);

// Text at (x, y) clipped to `clip`, with an effect in the given colours, optionally outlined (delineated);
// `plain` leaves out the effect copies (and the outline, keeping its offset). With a gradient the text itself
// is drawn by DrawGradientTextLine with `clip` as reference. The illumination gives the shadow depth (2
// without one).
void DrawStyledTextAt(HDC dc, int x, int y, const TFont* font, const std::string& text, RECT clip,
                      TglTextStyle style, bool delineate, bool plain, TColor textColor, TColor delineateColor,
                      TColor highlightColor, TColor shadowColor, const TCustomGradient* gradient = nullptr,
                      const TIllumination* illumination = nullptr);

// The bevels' three colours: from the head of Local3DColorsStack, else the system's.
struct TBevelColors {
    TColor dkShadow, highlight, shadow;
};
TBevelColors CurrentBevelColors();

// Draws the outer, then the inner cut on `r`, whose right and bottom are the last column and row drawn
// (inclusive), with pens of the style and width of the pen selected in `dc`. Unless `noFill`, the inside
// is filled with `fill`. Returns the rectangle inside the bevels, in the same inclusive form. A control
// scaled past 96 dpi passes its bevel's line width: each cut is then drawn that many times, each time
// one pixel further in.
RECT DrawBevelBox(HDC dc, RECT r, bool noFill, TColor fill, TBevelCut outer, TBevelCut inner,
                  TglSides sides = kAllSides, bool bold = false, int lineWidth = 1);

// ---- bitmaps

// A monochrome mask of `source`: white where it has `transparent`, black elsewhere.
HBITMAP CreateMaskBitmap(HBITMAP source, TColor transparent);

// Draws `source` at `dest` (stretched to its size) so that its `transparent` pixels keep the background.
void DrawTransparentBitmap(HDC dc, RECT dest, HBITMAP source, TColor transparent);
// The same from a framework bitmap (drawn from its own context, where its bitmap stays selected).
void DrawTransparentBitmap(HDC dc, RECT dest, TBitmap& source, TColor transparent);
inline void DrawTransparentBitmap(HDC dc, int x, int y, TBitmap& source, TColor transparent)
{
    DrawTransparentBitmap(dc, RECT{x, y, x + source.Width(), y + source.Height()}, source, transparent);
}

// A glyph at (x, y), or stretched to `stretch` when given; disabled, as an embossed copy: every pixel that
// is not `transparent` in clBtnHighlight one pixel right and down, under the same in clBtnShadow.
void DrawGlyph(HDC dc, int x, int y, TBitmap& glyph, TColor transparent, bool enabled,
               const RECT* stretch = nullptr);

// Paints what lies under `control` (its parent's background and content, and the siblings below it)
// into `dc`, whose origin is the control's top-left; for controls that look transparent.
void CopyParentImage(const TControl& control, HDC dc);

// The colour of one corner pixel of `bitmap` (clNone for ftcUser or an empty bitmap).
TColor CornerPixelColor(TBitmap& bitmap, TglAutoTransparentColor corner);

} // namespace zv
