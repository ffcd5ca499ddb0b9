#include "controls/styled/glStaticText.h"

#include "framework/Layout.h"

namespace zv {

TglStaticText::TglStaticText(TComponent* owner) : TLabel(owner)
{
    SetWordWrap(true);
    SetTransparent(true);
    SetBounds(Left(), Top(), 100, 16);
}

void TglStaticText::SetActiveColor(TColor c)
{
    activeColor_ = c;
    Invalidate();
}

void TglStaticText::SetOptions(unsigned o)
{
    options_ = o;
    Invalidate();
}

void TglStaticText::SetTextAlignment(TglAlignment a)
{
    // Justified text without word wrap reads as left-justified.
    switch (a) {
    case TglAlignment::ftaRightJustify: SetAlignment(TAlignment::taRightJustify); break;
    case TglAlignment::ftaCenter: SetAlignment(TAlignment::taCenter); break;
    default: SetAlignment(TAlignment::taLeftJustify); break;
    }
}

void TglStaticText::MouseEnter()
{
    TLabel::MouseEnter();
    if (options_ & ftoIgnoreMouse)
        return;
    active_ = true;
    Repaint();
}

void TglStaticText::MouseLeave()
{
    TLabel::MouseLeave();
    if (options_ & ftoIgnoreMouse)
        return;
    active_ = false;
    Repaint();
}

void TglStaticText::Paint()
{
    if (active_)
        Canvas().Font().SetColor(activeColor_);
    TLabel::Paint();
}

namespace {
const bool kRegistered = [] {
    RegisterClass<TglStaticText>("TglStaticText", "TLabel")
        .Prop<TglStaticText>("ActiveColor", [](TglStaticText& t, const TLayoutValue& v) { t.SetActiveColor(v.AsColor()); })
        .Prop<TglStaticText>("Options", [](TglStaticText& t, const TLayoutValue& v) {
            t.SetOptions(v.AsSet({{"ftoActiveWhileControlFocused", ftoActiveWhileControlFocused},
                                  {"ftoBroadwiseLastLine", ftoBroadwiseLastLine},
                                  {"ftoIgnoreMouse", ftoIgnoreMouse},
                                  {"ftoUnderlinedActive", ftoUnderlinedActive}}));
        })
        .Prop<TglStaticText>("Alignment", [](TglStaticText& t, const TLayoutValue& v) {
            t.SetTextAlignment(v.AsEnum<TglAlignment>({{"ftaLeftJustify", TglAlignment::ftaLeftJustify},
                                                       {"ftaRightJustify", TglAlignment::ftaRightJustify},
                                                       {"ftaCenter", TglAlignment::ftaCenter},
                                                       {"ftaBroadwise", TglAlignment::ftaBroadwise}}));
        });
    return true;
}();
} // namespace

} // namespace zv
