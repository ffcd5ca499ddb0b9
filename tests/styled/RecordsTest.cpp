// Style records: defaults, setter rules, notification and its propagation, layouts.
#include <gtest/gtest.h>

#include <memory>

#include "controls/styled/gl3DLocalColors.h"
#include "controls/styled/glRecordLayout.h"
#include "controls/styled/glRecords.h"

namespace zv {
namespace {

// Counts the notifications a record sends, and remembers the sender.
struct Listener {
    int calls = 0;
    TObject* sender = nullptr;
    void Changed(TObject* s)
    {
        ++calls;
        sender = s;
    }
    template <class R>
    R& Watch(R& r)
    {
        r.SetOnChange(this, &Listener::Changed);
        return r;
    }
};

TEST(GlGradient, StepsAreClampedBeforeTheyAreCompared)
{
    TGradient g;
    Listener l;
    l.Watch(g);
    EXPECT_EQ(255, g.Steps());
    g.SetSteps(0);
    EXPECT_EQ(1, g.Steps());
    g.SetSteps(-5); // clamps to the value it already has: no news
    EXPECT_EQ(1, g.Steps());
    EXPECT_EQ(1, l.calls);
    g.SetSteps(1000);
    EXPECT_EQ(255, g.Steps());
    g.SetSteps(256);
    EXPECT_EQ(2, l.calls);
    EXPECT_EQ(&g, l.sender);
    g.SetPercentFilling(150);
    EXPECT_EQ(100, g.PercentFilling());
    g.SetPercentFilling(-1);
    EXPECT_EQ(0, g.PercentFilling());
}

TEST(GlGradient, OrientationNotifiesOnlyWhileActive)
{
    TGradient g;
    Listener l;
    l.Watch(g);
    g.SetOrientation(TglGradientDir::fgdRectangle);
    EXPECT_EQ(TglGradientDir::fgdRectangle, g.Orientation());
    EXPECT_EQ(0, l.calls);
    g.SetActive(true);
    EXPECT_EQ(1, l.calls);
    g.SetActive(true);
    EXPECT_EQ(1, l.calls);
    g.SetOrientation(TglGradientDir::fgdVertical);
    EXPECT_EQ(2, l.calls);
    // BufferedDraw is a plain switch; BrushStyle always tells.
    g.SetBufferedDraw(true);
    EXPECT_EQ(2, l.calls);
    g.SetBrushStyle(TBrushStyle::bsSolid);
    g.SetBrushStyle(TBrushStyle::bsSolid);
    EXPECT_EQ(4, l.calls);
}

TEST(GlGradient, DefaultsAndRGBFormsFollowTheSchemeOfTheMomentTheyWereSet)
{
    TGradient g;
    EXPECT_EQ(clGray, g.FromColor());
    EXPECT_EQ(clBlack, g.ToColor());
    EXPECT_EQ(clGray, g.FromRGB());
    EXPECT_FALSE(g.Active());
    EXPECT_EQ(100, g.PercentFilling());
    EXPECT_EQ(TBrushStyle::bsSolid, g.BrushStyle());
    EXPECT_FALSE(g.Reverse());

    const int index = COLOR_BTNFACE;
    const COLORREF saved = ::GetSysColor(index);
    const COLORREF first = RGB(10, 20, 30), second = RGB(40, 50, 60);
    ::SetSysColors(1, &index, &first);
    g.SetFromColor(clBtnFace);
    ::SetSysColors(1, &index, &second);
    g.SetToColor(clBtnFace);
    const TColor fromRGB = g.FromRGB(), toRGB = g.ToRGB();
    ::SetSysColors(1, &index, &saved);
    EXPECT_EQ(clBtnFace, g.FromColor());
    EXPECT_EQ(static_cast<TColor>(first), fromRGB);
    EXPECT_EQ(static_cast<TColor>(second), toRGB);
}

TEST(GlRecords, CompareOrAlwaysNotifyAsEachFieldDoes)
{
    TIllumination ill;
    Listener li;
    li.Watch(ill);
    EXPECT_EQ(2, ill.ShadowDepth());
    ill.SetShadowDepth(-5);
    EXPECT_EQ(0, ill.ShadowDepth());
    ill.SetShadowDepth(0);
    ill.SetHorizontal(TglHorAlign::fhaLeft);
    EXPECT_EQ(1, li.calls);

    TglGrBoxColors colors;
    Listener lc;
    lc.Watch(colors);
    colors.SetText(clBlack); // compares
    EXPECT_EQ(0, lc.calls);
    colors.SetCaption(colors.Caption()); // always tells
    colors.SetClientActive(clBtnFace);
    EXPECT_EQ(2, lc.calls);
    EXPECT_EQ(clBtnFace, colors.Client());
    EXPECT_EQ(clWhite, colors.DelineateActive());
    EXPECT_EQ(clBtnShadow, colors.Shadow());

    TglBevel bevel;
    Listener lb;
    lb.Watch(bevel);
    EXPECT_EQ(kAllSides, bevel.Sides());
    EXPECT_EQ(TBevelCut::bvNone, bevel.Inner());
    bevel.SetSides(kAllSides);
    bevel.SetOuter(TBevelCut::bvRaised);
    EXPECT_EQ(1, lb.calls);

    TglTextBoxStyle box;
    Listener lt;
    lt.Watch(box);
    EXPECT_EQ(clWindow, box.BackgroundColor());
    box.SetPenStyle(TPenStyle::psSolid);
    box.SetShadowColor(clBtnShadow);
    box.SetBold(false); // the bevel part compares
    EXPECT_EQ(2, lt.calls);
}

TEST(GlRecords, AutomaticLabelColoursFollowTheBackgroundQuietly)
{
    TglGrBoxColors colors;
    Listener l;
    l.Watch(colors);
    colors.RecalcAutoColors(RGBColor(100, 20, 230));
    EXPECT_EQ(clBtnShadow, colors.Shadow()); // flags off: nothing moves
    colors.SetAutoShadow(true);
    colors.SetAutoHighlight(true);
    colors.RecalcAutoColors(RGBColor(100, 20, 230));
    EXPECT_EQ(RGBColor(40, 0, 170), colors.Shadow());
    EXPECT_EQ(RGBColor(140, 60, 255), colors.Highlight());
    EXPECT_EQ(0, l.calls);
}

TEST(GlRecords, ItemStylePassesItsCallbackToItsBevelAndGradient)
{
    TglListBoxItemStyle style;
    Listener l;
    l.Watch(style);
    EXPECT_EQ(0, style.Color());
    EXPECT_EQ(TglTextStyle::fstNone, style.TextStyle());
    style.Bevel().SetInner(TBevelCut::bvLowered);
    EXPECT_EQ(1, l.calls);
    EXPECT_EQ(&style.Bevel(), l.sender);
    style.Gradient().SetActive(true);
    EXPECT_EQ(2, l.calls);
    EXPECT_EQ(&style.Gradient(), l.sender);
    style.SetTextStyle(TglTextStyle::fstNone);
    EXPECT_EQ(3, l.calls);

    TFont f;
    f.SetName("Arial");
    f.SetColor(clRed);
    style.SetFont(f);
    EXPECT_EQ(4, l.calls);
    EXPECT_EQ("Arial", style.Font().Name());
    EXPECT_EQ(clRed, style.Font().Color());
    style.Font().SetHeight(-20); // in place, as a layout does
    EXPECT_EQ(5, l.calls);

    TglListBoxItemStyle copy;
    copy.Assign(style);
    EXPECT_TRUE(copy.Gradient().Active());
    EXPECT_EQ(TBevelCut::bvLowered, copy.Bevel().Inner());
    EXPECT_EQ(-20, copy.Font().Height());
}

TEST(GlLocal3DColors, ChainPushPopAndEmptiedWhenOneIsDestroyed)
{
    ASSERT_TRUE(Local3DColorsStack.Empty());
    auto a = std::make_unique<Tgl3DLocalColors>(nullptr);
    auto b = std::make_unique<Tgl3DLocalColors>(nullptr);
    auto c = std::make_unique<Tgl3DLocalColors>(nullptr);
    EXPECT_EQ(cl3DDkShadow, a->DkShadow());
    Local3DColorsStack.Push(a.get());
    Local3DColorsStack.Push(b.get());
    Local3DColorsStack.Push(a.get()); // already there: no loop
    EXPECT_EQ(b.get(), Local3DColorsStack.Head());
    Local3DColorsStack.Pop();
    EXPECT_EQ(a.get(), Local3DColorsStack.Head());
    Local3DColorsStack.Push(b.get());
    c.reset(); // not even on the chain
    EXPECT_TRUE(Local3DColorsStack.Empty());
    Local3DColorsStack.Pop();
    EXPECT_TRUE(Local3DColorsStack.Empty());

    TColor light, dark;
    a->MakeShades(RGBColor(30, 100, 220), light, dark);
    EXPECT_EQ(RGBColor(0, 40, 160), dark);
    EXPECT_EQ(RGBColor(90, 160, 255), light);
}

// A component that owns one record of each kind, published under the names the styled controls use.
class TStyleHolder : public TComponent {
public:
    explicit TStyleHolder(TComponent* owner) : TComponent(owner)
    {
        for (TglPersistent* r : std::initializer_list<TglPersistent*>{&gradient, &border, &captionShift, &colors,
                                                                      &itemStyle, &illumination, &textBox})
            r->SetOnChange(this, &TStyleHolder::StyleChanged);
    }
    const char* ClassName() const override { return "TStyleHolder"; }
    void StyleChanged(TObject*) { ++changes; }

    TGradient gradient;
    TglBevel border;
    TPointClass captionShift;
    TglGrBoxColors colors;
    TglListBoxItemStyle itemStyle;
    TIllumination illumination;
    TglTextBoxStyle textBox;
    TglGrBoxOptions options = fgoCanCollapse;
    int changes = 0;
};

const bool kHolderRegistered = [] {
    auto& c = RegisterClass<TStyleHolder>("TStyleHolder", "TComponent");
    RegisterRecordProps<TStyleHolder>(c, "Gradient", &TStyleHolder::gradient);
    RegisterRecordProps<TStyleHolder>(c, "Border", [](TStyleHolder& h) -> TglBevel& { return h.border; });
    RegisterRecordProps<TStyleHolder>(c, "CaptionShift", &TStyleHolder::captionShift);
    RegisterRecordProps<TStyleHolder>(c, "Colors", &TStyleHolder::colors);
    RegisterRecordProps<TStyleHolder>(c, "ItemStyle", &TStyleHolder::itemStyle);
    RegisterRecordProps<TStyleHolder>(c, "Illumination", &TStyleHolder::illumination);
    RegisterRecordProps<TStyleHolder>(c, "TextBox", &TStyleHolder::textBox);
    c.Prop<TStyleHolder>("Options", [](TStyleHolder& h, const TLayoutValue& v) {
        h.options = GlSetValue<TglGrBoxOption>(v);
    });
    return true;
}();

TEST(GlRecordLayout, NestedFieldsAndSetsAreReadAndDefaultsLeftAlone)
{
    TComponent root(nullptr);
    ReadComponentLayout(&root, R"(
object Root: TComponent
  object Holder: TStyleHolder
    Gradient.FromColor = clBlack
    Gradient.Active = True
    Gradient.Orientation = fgdVertConvergent
    Gradient.Steps = 1000
    Gradient.BrushStyle = bsCross
    Border.Inner = bvSpace
    Border.Sides = [fsdLeft, fsdBottom]
    CaptionShift.X = 8
    Colors.Caption = clBtnShadow
    Colors.DelineateActive = $00123456
    ItemStyle.Bevel.Outer = bvRaised
    ItemStyle.Gradient.ToColor = clRed
    ItemStyle.Font.Name = 'Arial'
    ItemStyle.Font.Style = [fsBold]
    ItemStyle.TextStyle = fstShadow
    Illumination.ShadowDepth = -3
    TextBox.PenStyle = psDot
    Options = [fgoCanCollapse, fgoFilledCaption, fgoSaveChildFocus]
  end
end
)",
                        "Styles");
    auto* h = root.Bind<TStyleHolder>("Holder");
    EXPECT_EQ(clBlack, h->gradient.FromColor());
    EXPECT_EQ(clBlack, h->gradient.FromRGB());
    EXPECT_TRUE(h->gradient.Active());
    EXPECT_EQ(TglGradientDir::fgdVertConvergent, h->gradient.Orientation());
    EXPECT_EQ(255, h->gradient.Steps());
    EXPECT_EQ(TBrushStyle::bsCross, h->gradient.BrushStyle());
    EXPECT_EQ(TBevelCut::bvSpace, h->border.Inner());
    EXPECT_EQ(fsdLeft | fsdBottom, h->border.Sides());
    EXPECT_EQ(8, h->captionShift.X());
    EXPECT_EQ(clBtnShadow, h->colors.Caption());
    EXPECT_EQ(0x123456, h->colors.DelineateActive());
    EXPECT_EQ(TBevelCut::bvRaised, h->itemStyle.Bevel().Outer());
    EXPECT_EQ(clRed, h->itemStyle.Gradient().ToColor());
    EXPECT_EQ("Arial", h->itemStyle.Font().Name());
    EXPECT_EQ(fsBold, h->itemStyle.Font().Style());
    EXPECT_EQ(TglTextStyle::fstShadow, h->itemStyle.TextStyle());
    EXPECT_EQ(0, h->illumination.ShadowDepth());
    EXPECT_EQ(TPenStyle::psDot, h->textBox.PenStyle());
    EXPECT_EQ(fgoCanCollapse | fgoFilledCaption | fgoSaveChildFocus, h->options);
    EXPECT_GT(h->changes, 0);
    // What the layout does not name keeps its default.
    EXPECT_EQ(clBlack, h->gradient.ToColor());
    EXPECT_EQ(100, h->gradient.PercentFilling());
    EXPECT_EQ(TBevelCut::bvNone, h->border.Outer());
    EXPECT_EQ(0, h->captionShift.Y());
    EXPECT_EQ(clBtnFace, h->colors.Client());
    EXPECT_EQ(kAllSides, h->itemStyle.Bevel().Sides());
    EXPECT_FALSE(h->itemStyle.Gradient().Active());
    EXPECT_EQ(clBtnHighlight, h->textBox.HighlightColor());
}

TEST(GlRecordLayout, UnknownMembersAndFieldsAreLayoutErrors)
{
    for (const char* line : {"Border.Inner = fgdVertical", "Border.Sides = [fsdLeft, fsdMiddle]",
                             "Gradient.Nonsense = 1", "CaptionShift.X = 'eight'"}) {
        TComponent root(nullptr);
        const std::string text = std::string("object Root: TComponent\n object H: TStyleHolder\n  ") + line +
                                 "\n end\nend\n";
        EXPECT_THROW(ReadComponentLayout(&root, text, "Bad"), ELayoutError) << line;
        EXPECT_EQ(nullptr, root.FindComponent("H"));
    }
}

} // namespace
} // namespace zv
