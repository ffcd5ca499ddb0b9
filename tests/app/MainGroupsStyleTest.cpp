// The main window's two group boxes and the shadow behind the machine-name field, as their layout
// styles them: the caption tab in the button-shadow colour with highlight text, the one-pixel frames,
// the engraved caption of a disabled group, the dithered shadow.
#include "tests/app/AppFixture.h"

using namespace zv;
using namespace zv::test;

namespace {

class MainGroupsStyle : public AppFixture {
protected:
    // The form's client area as it paints itself.
    std::unique_ptr<TDib> PaintForm()
    {
        Form2->Show();
        auto dib = std::make_unique<TDib>(Form2->ClientWidth(), Form2->ClientHeight(), clWhite);
        Form2->PaintTo(dib->DC());
        return dib;
    }
    static int Count(const TDib& dib, RECT r, TColor c)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += dib.Pixel(x, y) == c;
        return n;
    }
    static RECT InForm(TglGroupBox* g, RECT r)
    {
        ::OffsetRect(&r, g->Left(), g->Top());
        return r;
    }
};

TEST_F(MainGroupsStyle, LayoutKeepsTheGroupsStyleValues)
{
    for (TglGroupBox* g : {Form2->glGroupBox1, Form2->group1}) {
        SCOPED_TRACE(g->Name());
        EXPECT_EQ(TBevelCut::bvSpace, g->Border().Inner());
        EXPECT_EQ(TBevelCut::bvNone, g->Border().Outer());
        EXPECT_EQ(TBevelCut::bvSpace, g->CaptionBorder().Inner());
        EXPECT_EQ(8, g->CaptionShift().X());
        EXPECT_EQ(clBtnShadow, g->Colors().Caption());
        EXPECT_EQ(clHighlightText, g->Colors().TextActive());
        EXPECT_EQ(clBtnFace, g->Colors().ClientActive());
        EXPECT_EQ(clBlack, g->Gradient().FromColor());
        EXPECT_FALSE(g->Gradient().Active());
        EXPECT_EQ(RUSSIAN_CHARSET, g->Font().Charset());
        EXPECT_EQ(unsigned(fgoCanCollapse | fgoFilledCaption | fgoFluentlyCollapse | fgoFluentlyExpand |
                           fgoHideChildrenWhenCollapsed | fgoSaveChildFocus),
                  g->Options());
    }
    EXPECT_EQ(clWhite, Form2->glShadow1->TransparentColor());
    EXPECT_EQ(TBevelCut::bvNone, Form2->glShadow1->Style().Inner());
    EXPECT_EQ(nullptr, Form2->glShadow1->Control());
}

TEST_F(MainGroupsStyle, CaptionTabFramesAndTheDisabledCaption)
{
    Form2->group1->SetEnabled(true);
    auto dib = PaintForm();
    const TColor shadow = ColorToRGB(clBtnShadow), text = ColorToRGB(clHighlightText);
    const TColor light = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);

    TglGroupBox* g = Form2->glGroupBox1;
    const RECT tab = InForm(g, g->CaptionRect());
    ASSERT_FALSE(::IsRectEmpty(&tab));
    // The tab: a shadow-coloured box with the caption in the highlight-text colour on it.
    EXPECT_EQ(shadow, dib->Pixel(tab.left + 1, tab.top + 1));
    EXPECT_EQ(shadow, dib->Pixel(tab.right - 1, tab.bottom - 1));
    EXPECT_GT(Count(*dib, tab, text), 20);
    // The body's one-pixel frame in the shadow colour, the inside in the face colour.
    const int bodyTop = g->Top() + tab.bottom / 2;
    EXPECT_EQ(shadow, dib->Pixel(g->Left(), bodyTop + 30));
    EXPECT_EQ(shadow, dib->Pixel(g->Left() + g->Width() - 1, bodyTop + 30));
    EXPECT_EQ(shadow, dib->Pixel(g->Left() + 70, g->Top() + g->Height() - 1));
    EXPECT_EQ(face, dib->Pixel(g->Left() + 2, g->Top() + g->Height() - 3));

    // Disabled: the caption is engraved, its highlight copy one pixel right and down under a shadow
    // copy in the tab's own colour: light is left only where the moved text is not covered again.
    TglGroupBox* net = Form2->group1;
    const RECT on = InForm(net, net->CaptionRect());
    net->SetEnabled(false);
    auto off = PaintForm();
    ASSERT_GT(Count(*dib, on, text), 20);
    int moved = 0, stray = 0;
    // Away from the tab's inner edges, where the text is clipped (the caption is wider than the box).
    const int right = std::min<int>(on.right, net->Left() + net->Width()) - 3;
    for (int y = on.top + 1; y < on.bottom - 3; ++y)
        for (int x = on.left + 1; x < right; ++x) {
            const bool engraved = dib->Pixel(x - 1, y - 1) == text && dib->Pixel(x, y) != text;
            const bool isLight = off->Pixel(x, y) == light;
            moved += engraved && isLight;
            stray += engraved != isLight;
        }
    // Smoothed glyph edges blend into the tab, so a few edge pixels differ.
    EXPECT_GT(moved, 20);
    EXPECT_LE(stray, moved / 10);
}

TEST_F(MainGroupsStyle, TheMachineNameFieldCastsADitheredShadow)
{
    auto dib = PaintForm();
    TglShadow* s = Form2->glShadow1;
    const POINT o{Form2->group1->Left() + s->Left(), Form2->group1->Top() + s->Top()};
    const int d = s->ShadowDepth();
    // Below the edit (which ends 20 pixels down) the shadow's lower rows are uncovered.
    int dark = 0, back = 0;
    for (int y = o.y + 22; y < o.y + s->Height(); ++y)
        for (int x = o.x + d; x < o.x + s->Width() - 10; ++x) {
            const TColor p = dib->Pixel(x, y);
            if ((x - o.x - d + y - o.y - d) % 2 == 0)
                dark += p == clBlack;
            else
                back += p == ColorToRGB(clBtnFace);
        }
    EXPECT_GT(dark, 100);
    EXPECT_GT(back, 100);
}

} // namespace
