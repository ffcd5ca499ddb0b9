// Enumerations and flag sets of the styled family, with the names layouts use for them.
// Enumerations count from 0 in the order given; a set member's bit is 1 << its position.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/Graphics.h"
#include "framework/Layout.h"

namespace zv {

enum class TglGradientDir {
    fgdHorizontal,
    fgdVertical,
    fgdLeftBias,
    fgdRightBias,
    fgdRectangle,
    fgdHorzConvergent,
    fgdVertConvergent
};
enum class TglHorAlign { fhaLeft, fhaCenter, fhaRight };
enum class TglVertAlign { fvaTop, fvaCenter, fvaBottom };
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TglTextStyle { fstNone, fstRaised, fstRecessed, fstPushed, fstShadow, fstVolumetric };
enum class TCaptionAlignment { fcaNone, fcaLeft, fcaRight, fcaCenter, fcaWidth };
enum class TglAlignment { ftaLeftJustify, ftaRightJustify, ftaCenter, ftaBroadwise };
enum class TFocusControlMethod { fcmOnMouseEnter, fcmOnMouseDown, fcmOnMouseUp };
enum class TglAutoTransparentColor { ftcUser, ftcLeftTopPixel, ftcLeftBottomPixel, ftcRightTopPixel, ftcRightBottomPixel };

// 0..100 in one byte.
using TglPercent = std::uint8_t;

enum TglSide : unsigned { fsdLeft = 1, fsdTop = 2, fsdRight = 4, fsdBottom = 8 };
using TglSides = unsigned;
constexpr TglSides kAllSides = fsdLeft | fsdTop | fsdRight | fsdBottom;

enum TglGrBoxOption : unsigned {
    fgoCanCollapse = 1u << 0,
    fgoCollapseOther = 1u << 1,
    fgoFilledCaption = 1u << 2,
    fgoFluentlyCollapse = 1u << 3,
    fgoFluentlyExpand = 1u << 4,
    fgoResizeParent = 1u << 5,
    fgoHideChildrenWhenCollapsed = 1u << 6,
    fgoIgnoreMouse = 1u << 7,
    fgoDelineatedText = 1u << 8,
    fgoBufferedDraw = 1u << 9,
    fgoOneAlwaysExpanded = 1u << 10,
    fgoSaveChildFocus = 1u << 11
};
using TglGrBoxOptions = unsigned;

enum TglStTextOption : unsigned {
    ftoActiveWhileControlFocused = 1,
    ftoBroadwiseLastLine = 2,
    ftoIgnoreMouse = 4,
    ftoUnderlinedActive = 8
};
using TglStTextOptions = unsigned;

enum TglListBoxOption : unsigned {
    fboAutoCtl3DColors = 1u << 0,
    fboBufferedDraw = 1u << 1,
    fboChangeGlyphColor = 1u << 2,
    fboDelineatedText = 1u << 3,
    fboExcludeGlyphs = 1u << 4,
    fboHideText = 1u << 5,
    fboHotTrack = 1u << 6,
    fboHotTrackSelect = 1u << 7,
    fboItemColorAsGradientFrom = 1u << 8,
    fboItemColorAsGradientTo = 1u << 9,
    fboMouseMoveSentensive = 1u << 10,
    fboShowFocus = 1u << 11,
    fboSingleGlyph = 1u << 12,
    fboTransparent = 1u << 13,
    fboWordWrap = 1u << 14
};
using TglListBoxOptions = unsigned;

// ---- names, for layouts

// kNames[i] names the member of ordinal i (or the set member of bit 1 << i).
template <class E>
struct TglNames;

#define ZV_GL_NAMES(Type, ...)                                                                                  \
    template <>                                                                                                 \
    struct TglNames<Type> {                                                                                     \
        static constexpr const char* kNames[] = {__VA_ARGS__};                                                  \
    }

ZV_GL_NAMES(TglGradientDir, "fgdHorizontal", "fgdVertical", "fgdLeftBias", "fgdRightBias", "fgdRectangle",
            "fgdHorzConvergent", "fgdVertConvergent");
ZV_GL_NAMES(TglHorAlign, "fhaLeft", "fhaCenter", "fhaRight");
ZV_GL_NAMES(TglVertAlign, "fvaTop", "fvaCenter", "fvaBottom");
ZV_GL_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace");
ZV_GL_NAMES(TglTextStyle, "fstNone", "fstRaised", "fstRecessed", "fstPushed", "fstShadow", "fstVolumetric");
ZV_GL_NAMES(TCaptionAlignment, "fcaNone", "fcaLeft", "fcaRight", "fcaCenter", "fcaWidth");
ZV_GL_NAMES(TglAlignment, "ftaLeftJustify", "ftaRightJustify", "ftaCenter", "ftaBroadwise");
ZV_GL_NAMES(TFocusControlMethod, "fcmOnMouseEnter", "fcmOnMouseDown", "fcmOnMouseUp");
ZV_GL_NAMES(TglAutoTransparentColor, "ftcUser", "ftcLeftTopPixel", "ftcLeftBottomPixel", "ftcRightTopPixel",
            "ftcRightBottomPixel");
ZV_GL_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
            "bsDiagCross");
ZV_GL_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame");
ZV_GL_NAMES(TglSide, "fsdLeft", "fsdTop", "fsdRight", "fsdBottom");
ZV_GL_NAMES(TglGrBoxOption, "fgoCanCollapse", "fgoCollapseOther", "fgoFilledCaption", "fgoFluentlyCollapse",
            "fgoFluentlyExpand", "fgoResizeParent", "fgoHideChildrenWhenCollapsed", "fgoIgnoreMouse",
            "fgoDelineatedText", "fgoBufferedDraw", "fgoOneAlwaysExpanded", "fgoSaveChildFocus");
ZV_GL_NAMES(TglStTextOption, "ftoActiveWhileControlFocused", "ftoBroadwiseLastLine", "ftoIgnoreMouse",
            "ftoUnderlinedActive");
ZV_GL_NAMES(TglListBoxOption, "fboAutoCtl3DColors", "fboBufferedDraw", "fboChangeGlyphColor", "fboDelineatedText",
            "fboExcludeGlyphs", "fboHideText", "fboHotTrack", "fboHotTrackSelect", "fboItemColorAsGradientFrom",
            "fboItemColorAsGradientTo", "fboMouseMoveSentensive", "fboShowFocus", "fboSingleGlyph",
            "fboTransparent", "fboWordWrap");

#undef ZV_GL_NAMES

template <class E>
constexpr int GlNameCount()
{
    return static_cast<int>(std::size(TglNames<E>::kNames));
}

// The name of a member ("" outside the enumeration).
template <class E>
const char* GlEnumName(E value)
{
    const int i = static_cast<int>(value);
    return i >= 0 && i < GlNameCount<E>() ? TglNames<E>::kNames[i] : "";
}

// Identifier -> member; false when the name is not one of E's.
template <class E>
bool GlIdentToEnum(const std::string& ident, E& out)
{
    for (int i = 0; i < GlNameCount<E>(); ++i)
        if (ident == TglNames<E>::kNames[i]) {
            out = static_cast<E>(i);
            return true;
        }
    return false;
}

// A layout identifier read as a member of E; throws the reader's error for any other name.
template <class E>
E GlEnumValue(const TLayoutValue& v)
{
    E out{};
    if (!GlIdentToEnum(v.AsIdent(), out))
        throw Exception("unknown value '" + v.AsIdent() + "'");
    return out;
}

// A layout set [a, b] read as the bits of E's members; throws for a name that is not one of E's.
template <class E>
unsigned GlSetValue(const TLayoutValue& v)
{
    if (v.kind != TLayoutValue::Kind::Set)
        throw Exception("set expected");
    unsigned bits = 0;
    for (const std::string& m : v.items) {
        bool found = false;
        for (int i = 0; i < GlNameCount<E>() && !found; ++i)
            if (m == TglNames<E>::kNames[i]) {
                bits |= 1u << i;
                found = true;
            }
        if (!found)
            throw Exception("unknown set member '" + m + "'");
    }
    return bits;
}

// Bits -> "[a, b]", the form a layout writes.
template <class E>
std::string GlSetText(unsigned bits)
{
    std::string s = "[";
    for (int i = 0; i < GlNameCount<E>(); ++i)
        if (bits & (1u << i)) {
            if (s.size() > 1)
                s += ", ";
            s += TglNames<E>::kNames[i];
        }
    return s + "]";
}

} // namespace zv
