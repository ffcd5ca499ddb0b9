// Layout names of the styled family's enumerations and sets.
#include <gtest/gtest.h>

#include "controls/styled/glTypes.h"

namespace zv {
namespace {

TLayoutValue Ident(const char* s)
{
    TLayoutValue v;
    v.kind = TLayoutValue::Kind::Ident;
    v.text = s;
    return v;
}

TLayoutValue Set(std::vector<std::string> items)
{
    TLayoutValue v;
    v.kind = TLayoutValue::Kind::Set;
    v.items = std::move(items);
    return v;
}

TEST(GlTypes, EnumerationsReadByNameInDeclaredOrder)
{
    EXPECT_EQ(TglGradientDir::fgdVertConvergent, GlEnumValue<TglGradientDir>(Ident("fgdVertConvergent")));
    EXPECT_EQ(6, static_cast<int>(GlEnumValue<TglGradientDir>(Ident("fgdVertConvergent"))));
    EXPECT_EQ(TBevelCut::bvSpace, GlEnumValue<TBevelCut>(Ident("bvSpace")));
    EXPECT_EQ(TglTextStyle::fstVolumetric, GlEnumValue<TglTextStyle>(Ident("fstVolumetric")));
    EXPECT_EQ(TBrushStyle::bsDiagCross, GlEnumValue<TBrushStyle>(Ident("bsDiagCross")));
    EXPECT_EQ(TglAutoTransparentColor::ftcRightBottomPixel,
              GlEnumValue<TglAutoTransparentColor>(Ident("ftcRightBottomPixel")));
    EXPECT_STREQ("fcmOnMouseUp", GlEnumName(TFocusControlMethod::fcmOnMouseUp));
    EXPECT_STREQ("", GlEnumName(static_cast<TglHorAlign>(7)));
    // A member of another enumeration is not accepted.
    EXPECT_THROW(GlEnumValue<TBevelCut>(Ident("fgdHorizontal")), Exception);
    EXPECT_THROW(GlEnumValue<TBevelCut>(Set({})), Exception);
}

TEST(GlTypes, SetsReadAsBitsOfTheirMembers)
{
    EXPECT_EQ(fgoCanCollapse | fgoFilledCaption | fgoSaveChildFocus,
              GlSetValue<TglGrBoxOption>(Set({"fgoCanCollapse", "fgoFilledCaption", "fgoSaveChildFocus"})));
    EXPECT_EQ(0u, GlSetValue<TglGrBoxOption>(Set({})));
    EXPECT_EQ(kAllSides, GlSetValue<TglSide>(Set({"fsdLeft", "fsdTop", "fsdRight", "fsdBottom"})));
    EXPECT_EQ(8u, GlSetValue<TglSide>(Set({"fsdBottom"})));
    EXPECT_EQ(fboExcludeGlyphs | fboHotTrack | fboWordWrap,
              GlSetValue<TglListBoxOption>(Set({"fboExcludeGlyphs", "fboHotTrack", "fboWordWrap"})));
    EXPECT_EQ(ftoUnderlinedActive, GlSetValue<TglStTextOption>(Set({"ftoUnderlinedActive"})));
    EXPECT_THROW(GlSetValue<TglSide>(Set({"fsdLeft", "fgoCanCollapse"})), Exception);
    EXPECT_THROW(GlSetValue<TglSide>(Ident("fsdLeft")), Exception);
    EXPECT_EQ("[fsdLeft, fsdBottom]", GlSetText<TglSide>(fsdLeft | fsdBottom));
}

} // namespace
} // namespace zv
